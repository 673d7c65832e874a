// The program's waits: they keep it alive, and leave the end of the program to the outer loop.

#include <gtest/gtest.h>

#include <chrono>

#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/message_loop.h"

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

}  // namespace
}  // namespace tellurane
