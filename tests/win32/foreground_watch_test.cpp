// The foreground watch wakes the program only for the window it follows: never for this program's own
// windows, their menus, tooltips and caret, nor for the rest of the desktop.

#include "win32/foreground_watch.h"

#include <gtest/gtest.h>

#include "win32/message_loop.h"

namespace tellurane {
namespace {

// On Windows the hooks for the followed window are scoped to its process and thread, so another
// program's tooltips and menus raise nothing here either; Wine 8 delivers nothing to such a scoped hook
// at all, so only the program's own events can be raised from here. Those must not reach it.
TEST(ForegroundWatch, HearsNothingOfThisProgramsOwnWindows) {
    HWND own = CreateWindowExW(0, L"STATIC", L"own", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_TRUE(own);
    SetForegroundWindow(own);
    int changes = 0;
    ForegroundWatch watch([&] { ++changes; });
    ASSERT_TRUE(watch.Active());
    for (DWORD event : {EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE, EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_DESTROY}) {
        NotifyWinEvent(event, own, OBJID_WINDOW, CHILDID_SELF);
    }
    WaitSeconds(0.5);
    EXPECT_EQ(watch.EventsHeard(), 0u);
    EXPECT_EQ(changes, 0);
    DestroyWindow(own);
}

}  // namespace
}  // namespace tellurane
