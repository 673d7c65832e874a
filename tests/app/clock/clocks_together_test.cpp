// The first clock with the others: stepping aside together for a full-screen program or a presentation,
// and minimising, and being made, when there is no tray icon to hide in.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "logic/setting_keys.h"
#include "tests/support/desktop.h"
#include "tests/app/clock/clock_fixture.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

class ClocksTogether : public ClockWindowTest {
protected:
    void SetUp() override { support::BecomePerMonitorDpiAware(); }
};

// Windows' own word that a full-screen program or a presentation runs, through the services' stand-in
// (Wine's answer is always "accepts notifications"). Presentation mode sends every clock on top aside
// while it lasts, at the timer's next wake, and the stored switch stays. "Busy" and "Direct3D full
// screen" are machine-wide: a film on another monitor says them too, so alone they move no clock (only
// a window filling a clock's own monitor does). A clock closed while aside leaves the list of those aside.
QUERY_USER_NOTIFICATION_STATE g_windowsSays = QUNS_ACCEPTS_NOTIFICATIONS;
HRESULT WINAPI NotificationStateStandIn(QUERY_USER_NOTIFICATION_STATE* state) {
    *state = g_windowsSays;
    return S_OK;
}

TEST_F(ClocksTogether, ClocksOnTopStepAsideInPresentationModeButNotForWindowsMachineWideBusyWord) {
    Set(keys::kAlwaysOnTop, L"1");
    ClockStore(store_, 1).WriteSetting(keys::kAlwaysOnTop, L"1");
    ClockServices services = Services();
    services.notificationState = &NotificationStateStandIn;
    // Wine puts a window made topmost just under the topmost popups it owns (the face's tooltip) and
    // gives it the layer of the window that is then under it. With a real shell that is the notification
    // area's tooltip, made for the clock's icon; with the shell's stand-in, in a fresh session, it is a
    // plain window and the clock would stay in the normal band. A hidden topmost window stands in.
    const UniqueWindow topmostNeighbour(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0,
                                                        0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(topmostNeighbour);
    form_ = std::make_unique<Form1>(store_, services);
    ASSERT_TRUE(form_->Load());
    const auto onTop = [&] { return (GetWindowLongW(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    // A step aside and back comes at the timer's next wake, once a second: a busy machine may take a
    // few of them, and a wait that holds ends at once.
    const auto waitFor = [&](bool wanted, std::chrono::milliseconds time = std::chrono::seconds(15)) {
        return support::WaitUntil([&] { return onTop() == wanted; }, time, true);
    };
    ASSERT_TRUE(waitFor(true)) << "a stored \"Always on top\" did not make the clock topmost";
    g_windowsSays = QUNS_PRESENTATION_MODE;
    EXPECT_TRUE(waitFor(false));
    EXPECT_EQ(form_->SteppedAside(), (std::vector<int>{0, 1})) << "the first clock and Clocks\\1";
    // Closed while aside: it leaves the list, whose numbers a later clock may take.
    for (HWND window : support::TopLevelWindowsOf(GetCurrentProcessId())) {
        if (support::ClassOf(window) == L"Tellurane.Clock") PostMessageW(window, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(support::WaitUntil([&] { return form_->SteppedAside() == std::vector<int>{0}; },
                                   std::chrono::seconds(5), true));
    g_windowsSays = QUNS_ACCEPTS_NOTIFICATIONS;
    EXPECT_TRUE(waitFor(true));
    for (auto state : {QUNS_RUNNING_D3D_FULL_SCREEN, QUNS_BUSY}) {
        g_windowsSays = state;
        EXPECT_FALSE(waitFor(false, std::chrono::milliseconds(2500))) << state;
    }
    g_windowsSays = QUNS_ACCEPTS_NOTIFICATIONS;
    EXPECT_EQ(Stored(keys::kAlwaysOnTop), L"1");
    Set(L"StepAside", L"0");
    g_windowsSays = QUNS_PRESENTATION_MODE;
    EXPECT_FALSE(waitFor(false, std::chrono::milliseconds(2500))) << "stepped aside with the setting off";
    g_windowsSays = QUNS_ACCEPTS_NOTIFICATIONS;
}

// The titles the program's windows are made with, as a screen reader or the taskbar would first see them.
std::vector<std::wstring> g_madeTitles;
LRESULT CALLBACK RecordMadeTitles(int code, WPARAM window, LPARAM details) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* made = reinterpret_cast<CBT_CREATEWNDW*>(details)->lpcs;
        if (!(made->style & WS_CHILD) && made->lpszName && !IS_INTRESOURCE(made->lpszName)) {
            g_madeTitles.emplace_back(made->lpszName);
        }
    }
    return CallNextHookEx(nullptr, code, window, details);
}

// Another clock too: it minimises as any window, and is made with its own title, not the first clock's.
TEST_F(ClocksTogether, WithoutAConfirmedTrayIconTheWindowMinimisesToTheTaskbarAndIsNeverHiddenWithoutOne) {
    shellRefuses_ = true;
    ClockStore(store_, 1).WriteSetting(L"Label", L"Tokyo");
    g_madeTitles.clear();
    HHOOK hook = SetWindowsHookExW(WH_CBT, &RecordMadeTitles, nullptr, GetCurrentThreadId());
    Form1& form = LoadClock();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(std::count(g_madeTitles.begin(), g_madeTitles.end(), L"Tellurane"), 0) << "a clock made as another";
    EXPECT_EQ(std::count(g_madeTitles.begin(), g_madeTitles.end(), L"Tokyo - Tellurane"), 1);
    HWND tray = form.cSysTray1().OwnerWindow();
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsIconic(form.Handle()));
    EXPECT_FALSE(form.MinimizedToTray());
    ShowWindow(form.Handle(), SW_RESTORE);
    HWND tokyo = FindWindowW(L"Tellurane.Clock", L"Tokyo - Tellurane");
    ASSERT_TRUE(tokyo);
    SendMessageW(tokyo, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(tokyo)) << "the other clock's minimise button did nothing";
    ShowWindow(tokyo, SW_RESTORE);

    shellRefuses_ = false;
    SendMessageW(tray, WM_TIMER, 1, 0);  // the next retry finds the shell ready
    ASSERT_TRUE(form.cSysTray1().IconShown());
    PostMessageW(tray, 0x465, 0, 0x404);  // the balloon's time-out ends the wait early
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.MinimizedToTray());

    // Explorer starts again and refuses the icon: the hidden window comes back onto the taskbar.
    shellRefuses_ = true;
    SendMessageW(tray, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsIconic(form.Handle()));
    EXPECT_FALSE(form.MinimizedToTray());
}

}  // namespace
}  // namespace tellurane
