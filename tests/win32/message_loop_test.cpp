// The program's waits: they keep it alive, and leave the end of the program to the outer loop.

#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

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

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    THREADENTRY32 entry{sizeof entry};
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// A moment of the wall clock posts its message when it comes, through any loop; a moment already past
// posts at once; a cancelled or replaced one posts nothing. Its waiting thread starts with the first
// moment: a clock with nothing to time keeps no thread (and no thread's stack) for it.
TEST(MomentTimer, PostsAtTheMomentOnceAndNothingWhenCancelled) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    constexpr UINT kMoment = WM_APP + 40;
    const int threads = ThreadsOfThisProcess();
    MomentTimer timer(form.Handle(), kMoment);
    ASSERT_TRUE(timer.Working());
    EXPECT_EQ(ThreadsOfThisProcess(), threads) << "a thread before any moment was set";
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
    EXPECT_EQ(ThreadsOfThisProcess(), threads + 1);
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
