// The program's waits: they keep it alive, and leave the end of the program to the outer loop.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/message_loop.h"
#include "win32/moment_timer.h"

namespace tellurane {
namespace {

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

// The waits must keep the program alive: messages and timers are handled while they run.
TEST(WaitSeconds, HandlesMessagesAsTheyArriveAndReturnsWhenTheTimeIsUp) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    g_ticks = 0;
    SetTimer(form.Handle(), 7, 100, &CountTick);
    const auto start = std::chrono::steady_clock::now();
    WaitSeconds(1.0);
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    KillTimer(form.Handle(), 7);
    EXPECT_GE(waited, 0.99);
    EXPECT_GE(g_ticks, 3);
}

TEST(WaitSeconds, LeavesTheQuitMessageForTheOuterLoop) {
    PostQuitMessage(3);
    WaitSeconds(5.0);  // returns at once: the program is ending
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// A moment of the wall clock posts its message when it comes, through any loop; a moment already past
// posts at once; a cancelled or replaced one posts nothing.
TEST(MomentTimer, PostsAtTheMomentOnceAndNothingWhenCancelled) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    constexpr UINT kMoment = WM_APP + 40;
    MomentTimer timer(form.Handle(), kMoment);
    ASSERT_TRUE(timer.Working());
    auto now = [] {
        FILETIME time;
        GetSystemTimeAsFileTime(&time);
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               10'000;
    };
    auto arrivals = [&](double seconds) {
        int count = 0;
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(seconds)) {
            MSG message;
            while (PeekMessageW(&message, form.Handle(), kMoment, kMoment, PM_REMOVE)) ++count;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        }
        return count;
    };
    ASSERT_TRUE(timer.SetFor(now() + 400));
    EXPECT_EQ(arrivals(0.2), 0) << "before its moment";
    EXPECT_EQ(arrivals(1.5), 1);
    ASSERT_TRUE(timer.SetFor(now() - 60'000));
    EXPECT_EQ(arrivals(0.5), 1) << "a moment past";
    timer.SetFor(now() + 300);
    timer.Cancel();
    EXPECT_EQ(arrivals(0.8), 0) << "cancelled";
    timer.SetFor(now() + 200);
    timer.SetFor(now() + 60'000);
    EXPECT_EQ(arrivals(0.8), 0) << "replaced by a later moment";
}

}  // namespace
}  // namespace tellurane
