// The clock window's life in the test process: what loading applies from the store, and what
// closing saves.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>

#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/tray/tray_protocol.h"
#include "logic/twips.h"
#include "tests/support/cursor_file.h"
#include "tests/support/desktop.h"
#include "tests/app/clock/clock_fixture.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/windows_build.h"

namespace tellurane {
namespace {

class ClockWindow : public ClockWindowTest {
protected:
    void SetUp() override { support::BecomePerMonitorDpiAware(); }

    RECT Frame() {
        RECT rect;
        GetWindowRect(form_->Handle(), &rect);
        return rect;
    }
    // Closes the window as the close box does, and takes the quit message it leaves for the loop.
    void Close() {
        SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
        MSG quit;
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    bool InTrayCalls(DWORD message) const {
        for (const auto& call : shellCalls_) {
            if (call.message == message) return true;
        }
        return false;
    }
};

TEST_F(ClockWindow, AFirstRunOpensCentredAtLayoutSizeWithTheDefaults) {
    Form1& form = LoadClock();
    const SIZE client = support::ClientSize(form.Handle());
    EXPECT_EQ(client.cx, TwipsToPixels(6915, form.Dpi()));
    EXPECT_EQ(client.cy, TwipsToPixels(855, form.Dpi()));
    const RECT frame = Frame();
    EXPECT_NEAR((frame.left + frame.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    EXPECT_EQ(support::WindowText(form.Handle()), L"Tellurane");
    EXPECT_EQ(form.PushButton1().ForeColor(), 0u);
    EXPECT_EQ(form.PushButton1().FontSize(), 20);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(form.cSysTray1().InTray());
    ASSERT_FALSE(shellCalls_.empty());
    EXPECT_EQ(shellCalls_.front().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(std::wstring(shellCalls_.front().data.szTip), L"Tellurane");
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Stored(keys::kForm1Top), L"-999");  // loading writes nothing
}

TEST_F(ClockWindow, StoredPlaceSizeColourAndTextSizeAreApplied) {
    Set(keys::kForm1Top, L"1500");
    Set(keys::kForm1Left, L"-60");  // partly off screen: applied as it is
    Set(keys::kForm1Height, L"1800");
    Set(keys::kForm1Width, L"9000");
    Set(keys::kFontColor, L"255");
    Set(keys::kFontSize, L"24.5");
    Form1& form = LoadClock();
    EXPECT_DOUBLE_EQ(form.Top(), PixelsToTwips(TwipsToPixels(1500, form.Dpi()), form.Dpi()));
    EXPECT_EQ(Frame().left, TwipsToPixels(-60, form.Dpi()));
    EXPECT_EQ(Frame().right - Frame().left, TwipsToPixels(9000, form.Dpi()));
    EXPECT_EQ(Frame().bottom - Frame().top, TwipsToPixels(1800, form.Dpi()));
    EXPECT_EQ(form.PushButton1().ForeColor(), 255u);
    EXPECT_EQ(form.PushButton1().FontSize(), 24.5);
    // The face fills the client area less the layout's margins (75 twips right, 90 below), whatever
    // the frame takes: its edges are never cut off.
    const RECT face = support::ChildRectInClient(form.PushButton1().Handle());
    const SIZE client = support::ClientSize(form.Handle());
    EXPECT_NEAR(client.cx - face.right, TwipsToPixels(75, form.Dpi()), 1);
    EXPECT_NEAR(client.cy - face.bottom, TwipsToPixels(90, form.Dpi()), 1);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ClockWindow, ATopThatIsNoNumberIsReportedAtLine110AndTheWindowStaysCentred) {
    Set(keys::kForm1Top, L"abc");
    Set(keys::kForm1Left, L"300");
    Form1& form = LoadClock();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].location, L"in Vantorel2021/08/31.Form1.Form_Load ");
    EXPECT_EQ(boxes_[0].line, 110);
    EXPECT_NEAR((Frame().top + Frame().bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    EXPECT_EQ(Frame().left, TwipsToPixels(300, form.Dpi()));  // the next step still ran
}

TEST_F(ClockWindow, AWindowStoredWhollyOffEveryMonitorOpensOnTheNearestOne) {
    Set(keys::kForm1Left, L"-100000");
    Set(keys::kForm1Top, L"200000");
    LoadClock();
    RECT frame = Frame();
    EXPECT_TRUE(MonitorFromRect(&frame, MONITOR_DEFAULTTONULL));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ClockWindow, OnlyAnAlwaysOnTopThatIsNoNumberGivesABoxAtLine142) {
    for (const wchar_t* stored : {L"1", L"2", L"x"}) {
        boxes_.clear();
        Set(keys::kAlwaysOnTop, stored);
        LoadClock();
        const std::size_t expected = std::wstring(stored) == L"x" ? 1 : 0;
        ASSERT_EQ(boxes_.size(), expected) << stored;
        if (expected) {
            EXPECT_EQ(boxes_[0].line, 142);
        }
    }
}

TEST_F(ClockWindow, AColourOrTextSizeTheFaceRefusesLeavesItAsLaidOut) {
    Set(keys::kFontColor, L"red");
    Set(keys::kFontSize, L"-5");
    Form1& form = LoadClock();
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].line, 118);
    EXPECT_EQ(boxes_[1].line, 146);
    EXPECT_EQ(form.PushButton1().ForeColor(), kButtonTextColor);
    EXPECT_EQ(form.PushButton1().FontSize(), 20.25);
}

TEST_F(ClockWindow, TheHandCursorIsLoadedFromTheProgramFolderWhenThere) {
    const std::wstring cursor = InFolder(ProgramFolder(), kCursorFile);
    support::WriteCursorFile(cursor);
    Form1& form = LoadClock();
    DeleteFileW(cursor.c_str());
    EXPECT_TRUE(boxes_.empty());
    // Over the face the pointer becomes the hand; over the margins it is the arrow again.
    SendMessageW(form.PushButton1().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.Pointer(), MousePointer::Custom);
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(form.Pointer(), MousePointer::Default);
    form.SetPointer(MousePointer::Hourglass);
    SendMessageW(form.PushButton1().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.Pointer(), MousePointer::Hourglass);
}

TEST_F(ClockWindow, ACursorFileThatHoldsNoCursorIsReportedAtLine106) {
    const std::wstring cursor = InFolder(ProgramFolder(), kCursorFile);
    { std::ofstream(cursor.c_str()) << "not a cursor"; }
    LoadClock();
    DeleteFileW(cursor.c_str());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].line, 106);
}

TEST_F(ClockWindow, ClosingSavesThePlaceStopsTheClockAndTakesTheIconOut) {
    Form1& form = LoadClock(true);
    SetWindowPos(form.Handle(), nullptr, 30, 45, 600, 120, SWP_NOZORDER);
    const double top = form.Top(), left = form.Left(), height = form.Height(), width = form.Width();
    Close();
    EXPECT_EQ(StoredSingle(Stored(keys::kForm1Top)), static_cast<float>(top));
    EXPECT_EQ(StoredSingle(Stored(keys::kForm1Left)), static_cast<float>(left));
    EXPECT_EQ(StoredSingle(Stored(keys::kForm1Height)), static_cast<float>(height));
    EXPECT_EQ(StoredSingle(Stored(keys::kForm1Width)), static_cast<float>(width));
    EXPECT_FALSE(form.Timer1().Enabled());
    EXPECT_FALSE(form.cSysTray1().InTray());
    EXPECT_TRUE(InTrayCalls(NIM_DELETE));
    EXPECT_FALSE(IsWindow(form.Handle()));
}

TEST_F(ClockWindow, AWindowRestoredFromTheStoreComesBackWhereItWasClosed) {
    Form1& first = LoadClock();
    SetWindowPos(first.Handle(), nullptr, 77, 88, 640, 140, SWP_NOZORDER);
    const RECT before = Frame();
    Close();
    LoadClock();
    const RECT after = Frame();
    EXPECT_TRUE(EqualRect(&before, &after));
}

// Each moment the window was put on screen. (EVENT_OBJECT_SHOW, which a screen reader hears, reaches no
// in-process hook under Wine 8; the window's own notice of being shown is what that event reports.)
int g_shows = 0;
LRESULT CALLBACK CountShows(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        ++g_shows;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ClockWindow, MinimisingHidesTheWindowInTheTrayWithOneBalloonAndClosingThenSavesTheNormalPlace) {
    Form1& form = LoadClock();
    SetWindowPos(form.Handle(), nullptr, 100, 150, 500, 100, SWP_NOZORDER);
    const RECT normal = Frame();
    g_shows = 0;
    SetWindowSubclass(form.Handle(), &CountShows, 2, 0);
    // Minimised by ShowWindow (Win+M does this): hidden without ever being shown on the way, which on
    // Windows would play the animation of the clock flying out of the taskbar; it stays minimised while hidden.
    ShowWindow(form.Handle(), SW_MINIMIZE);
    EXPECT_EQ(g_shows, 0) << "shown on its way into the tray";
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsIconic(form.Handle()));
    EXPECT_TRUE(form.MinimizedToTray());
    std::vector<NOTIFYICONDATAW> balloons;
    for (const auto& call : shellCalls_) {
        if (call.data.uFlags == NIF_INFO && call.data.szInfo[0] != L'\0') balloons.push_back(call.data);
    }
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(std::wstring(balloons[0].szInfoTitle), L"Tellurane");
    EXPECT_EQ(std::wstring(balloons[0].szInfo),
              L"has been minimized to the system tray.\r\nClick on the blue 'M' icon (M for Marrowick) to bring "
              "the software back.");
    EXPECT_EQ(balloons[0].uTimeout, 5000u);
    EXPECT_EQ(std::wstring(shellCalls_.back().data.szInfoTitle), L"");  // the balloon was taken away after its 5 s

    form.cSysTray1_MouseUp(2, 0);  // the right button brings it back as well, in its normal state
    RemoveWindowSubclass(form.Handle(), &CountShows, 2);
    EXPECT_EQ(g_shows, 1);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(form.Handle()));
    EXPECT_FALSE(form.MinimizedToTray());
    const RECT restored = Frame();
    EXPECT_TRUE(EqualRect(&normal, &restored));

    // Hidden again, a click on a notification brings it back as the icon does (the shell's NIN_BALLOONUSERCLICK).
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageW(shellCalls_.back().data.hWnd, kTrayCallbackMessage, 0, 0x405);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(form.MinimizedToTray());

    // No balloon after the first; closing from the tray saves the normal place as plain whole twips.
    const std::size_t calls = shellCalls_.size();
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(form.Handle()));
    EXPECT_EQ(shellCalls_.size(), calls);
    Close();
    EXPECT_EQ(Stored(keys::kForm1Left), std::to_wstring(std::lround(PixelsToTwips(normal.left, form.Dpi()))));
    EXPECT_EQ(Stored(keys::kForm1Width),
              std::to_wstring(std::lround(PixelsToTwips(normal.right - normal.left, form.Dpi()))));
}

void CALLBACK CloseTheSettings(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND settings = FindWindowW(L"Tellurane.Form2", nullptr)) PostMessageW(settings, WM_CLOSE, 0, 0);
    KillTimer(nullptr, timer);
}

TEST_F(ClockWindow, DuringTheBalloonWaitARestoreAMinimiseAFaceClickOrACloseLeavesTheWindowConsistent) {
    struct Case {
        std::vector<std::pair<UINT, LPARAM>> during;  // messages handled inside the wait, in order
        bool visible;
    };
    const Case cases[] = {
        {{{0x465, WM_LBUTTONUP}}, true},                                 // restored from the tray
        {{{0x465, WM_LBUTTONUP}, {WM_SYSCOMMAND, SC_MINIMIZE}}, false},  // and minimised again
        {{{0x465, WM_RBUTTONUP}, {WM_SYSCOMMAND, SC_MINIMIZE}, {0x465, WM_RBUTTONUP}}, true},
        {{{0x465, WM_LBUTTONUP}, {BM_CLICK, 0}}, true},  // restored, then the settings opened and closed
    };
    for (const Case& c : cases) {
        Form1& form = LoadClock();  // each a first minimise, whose balloon waits
        HWND tray = form.cSysTray1().OwnerWindow();
        for (const auto& [message, value] : c.during) {
            if (message == 0x465) PostMessageW(tray, message, 0, value);
            if (message == WM_SYSCOMMAND) PostMessageW(form.Handle(), message, static_cast<WPARAM>(value), 0);
            if (message == BM_CLICK) {
                PostMessageW(form.PushButton1().Handle(), BM_CLICK, 0, 0);
                SetTimer(nullptr, 0, 300, &CloseTheSettings);
            }
        }
        PostMessageW(tray, 0x465, 0, 0x404);
        SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        HandlePendingMessages();
        EXPECT_EQ(IsWindowVisible(form.Handle()) != FALSE, c.visible);
        EXPECT_EQ(form.MinimizedToTray(), !c.visible);
        EXPECT_FALSE(IsIconic(form.Handle()));
        EXPECT_TRUE(form.cSysTray1().IconShown());
        EXPECT_FALSE(form.OptionsOpen());
        EXPECT_FALSE(FindWindowW(L"Tellurane.Form2", nullptr));
    }
    EXPECT_EQ(Stored(keys::kFontSize), L"20");  // the settings did open, and closed as a user closes them
    // A close inside the wait ends everything in order: place saved, icon out, window gone.
    Form1& form = LoadClock();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(form.Handle(), nullptr);
    EXPECT_FALSE(form.cSysTray1().IconShown());
    EXPECT_TRUE(InTrayCalls(NIM_DELETE));
    EXPECT_NE(Stored(keys::kForm1Top), L"-999");
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

Form1* g_nested = nullptr;
int g_settingsDuringNestedClick = 0;

void CALLBACK ClickTheFaceAgainThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_nested->PushButton1_Click();  // as if a click reached the face while the settings are open
    for (HWND w = FindWindowW(L"Tellurane.Form2", nullptr); w;
         w = FindWindowExW(nullptr, w, L"Tellurane.Form2", nullptr)) {
        ++g_settingsDuringNestedClick;
    }
    if (HWND settings = FindWindowW(L"Tellurane.Form2", nullptr)) PostMessageW(settings, WM_CLOSE, 0, 0);
}

TEST_F(ClockWindow, AFaceClickWhileTheSettingsAreOpenOpensNoSecondOne) {
    Form1& form = LoadClock();
    g_nested = &form;
    g_settingsDuringNestedClick = 0;
    SetTimer(nullptr, 0, 150, &ClickTheFaceAgainThenClose);
    form.PushButton1_Click();
    EXPECT_EQ(g_settingsDuringNestedClick, 1);
    EXPECT_FALSE(form.OptionsOpen());
    EXPECT_TRUE(boxes_.empty());
}

void CALLBACK MoveAndCloseAgain(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SetWindowPos(g_nested->Handle(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(g_nested->Handle(), WM_CLOSE, 0, 0);
}

// A second close request while the first one waits is not run again: the first has already saved the
// place and taken the icon out, and a second run would nest a wait and end the program inside it.
TEST_F(ClockWindow, ASecondCloseDuringTheCloseWaitIsLeftToTheFirst) {
    Form1& form = LoadClock();
    SetWindowPos(form.Handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const std::wstring left = std::to_wstring(std::lround(PixelsToTwips(100, form.Dpi())));
    g_nested = &form;
    SetTimer(nullptr, 0, 200, &MoveAndCloseAgain);
    Close();
    EXPECT_EQ(Stored(keys::kForm1Left), left);
    int deletes = 0;
    for (const auto& call : shellCalls_) deletes += call.message == NIM_DELETE;
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(ClockWindow, TheFaceFollowsTheWindowsSizeButNotItsTextSize) {
    Form1& form = LoadClock();
    const RECT before = support::ChildRectInClient(form.PushButton1().Handle());
    form.SetWidth(form.Width() + 1500);
    const RECT after = support::ChildRectInClient(form.PushButton1().Handle());
    EXPECT_EQ(after.right - before.right, TwipsToPixels(1500, form.Dpi()));
    EXPECT_EQ(form.PushButton1().FontSize(), 20);
    SetWindowPos(form.Handle(), nullptr, 0, 0, 5, 5, SWP_NOMOVE | SWP_NOZORDER);  // smaller than the margins
    const RECT tiny = support::ChildRectInClient(form.PushButton1().Handle());
    EXPECT_GE(tiny.right - tiny.left, 0);
    EXPECT_GE(tiny.bottom - tiny.top, 0);
}

// Windows 10 repaints a caption's dark mode only when the window is activated (attribute 20 is
// documented from build 22000): below that build the clock repaints its frame itself, with a pair of
// WM_NCACTIVATE; from it, Windows does. Wine reports a Windows 10 build, so the seam gives both.
int g_frameRepaints = 0;
LRESULT CALLBACK CountActivations(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCACTIVATE) ++g_frameRepaints;
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ClockWindow, ADarkTitleBarIsRepaintedAtOnceOnWindows10Only) {
    Form1& form = LoadClock();
    SetWindowSubclass(form.Handle(), &CountActivations, 1, 0);
    SkinLook look;
    look.window.darkTitleBar = SkinDarkTitleBar::Yes;
    const struct {
        DWORD build;
        int repaints;
    } cases[] = {{19045, 2}, {21999, 2}, {22000, 0}, {26100, 0}};
    for (const auto& c : cases) {
        static DWORD build;
        build = c.build;
        const WindowsBuildQuery previous = SetWindowsBuildQuery([] { return build; });
        g_frameRepaints = 0;
        form.SkinFramework1().showLook(&look, SkinGrant{true, false});
        SetWindowsBuildQuery(previous);
        EXPECT_EQ(g_frameRepaints, c.repaints) << c.build;
    }
    RemoveWindowSubclass(form.Handle(), &CountActivations, 1);
}

}  // namespace
}  // namespace tellurane
