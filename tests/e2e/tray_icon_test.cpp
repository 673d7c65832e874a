// The tray control with the real shell: a test host puts the program's icon in the notification
// area; the test clicks it as a user would and reads what the host heard.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/desktop.h"

namespace tellurane {
namespace {

using namespace support;

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// What the host puts in its tip and balloon (tests/helpers/tray_host.cpp): outside the ANSI code page of
// an English Windows, where a structure sent through it would read "??".
constexpr wchar_t kHostTip[] = L"会議 7:29 AM";
constexpr wchar_t kHostBalloonText[] = L"اجتماع الفريق 07:30";

BOOL CALLBACK FindTip(HWND window, LPARAM found) {
    // The icon's own tip: a tooltip window without the balloon style.
    if (IsWindowVisible(window) && ClassOf(window) == L"tooltips_class32" &&
        !(GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The tip the notification area shows while the pointer rests on the icon.
std::wstring TipShownFor(const RECT& icon) {
    MoveMouseTo(Centre(icon));
    std::wstring text;
    WaitUntil(
        [&] {
            HWND tip = nullptr;
            EnumWindows(&FindTip, reinterpret_cast<LPARAM>(&tip));
            text = tip ? WindowText(tip) : std::wstring();
            return !text.empty();
        },
        kStateTimeout);
    return text;
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        BecomePerMonitorDpiAware();
        // An earlier test's host, ended, may have left its icon behind: "the" icon is the new host's.
        ASSERT_TRUE(WaitForTrayIcons(0)) << TrayIconsShown().size() << " icons stayed in the notification area";
        host_.emplace(TRAY_HOST_EXE);
        ASSERT_TRUE(host_->Started());
        window_ = FindTopLevel(host_->ProcessId(), L"Tellurane.TrayHost", kStateTimeout);
        ASSERT_TRUE(window_);
        ASSERT_TRUE(WaitForTrayIcons(1)) << TrayIconsShown().size() << " icons in the notification area, not 1";
    }

    bool HostSays(const std::wstring& text) {
        return WaitUntil([&] { return WindowText(window_) == text; }, kStateTimeout);
    }

    std::optional<LaunchedProgram> host_;
    HWND window_ = nullptr;
};

TEST_F(TrayIcon, ShowsInTheNotificationAreaAndAClickOnItReachesMouseUp) {
    SaveScreenshot(L"tray-icon-" + std::to_wstring(ExpectedDpi()) + L"dpi");
    EXPECT_EQ(TipShownFor(TrayIconsShown().front()), kHostTip);
    SaveScreenshot(L"tray-tip");
    const POINT icon = Centre(TrayIconsShown().front());
    ClickAt(icon);
    EXPECT_TRUE(HostSays(L"MouseUp 1 0")) << "heard: " << testing::PrintToString(WindowText(window_));
    ClickAt(icon, true);
    EXPECT_TRUE(HostSays(L"MouseUp 2 0")) << "heard: " << testing::PrintToString(WindowText(window_));
}

TEST_F(TrayIcon, ShowsABalloon) {
    if (!BalloonsCanBeSeen()) GTEST_SKIP() << "this Wine shows no balloon windows on a virtual desktop";
    PostMessageW(window_, WM_APP, 0, 0);
    EXPECT_TRUE(WaitUntil(&BalloonShown, kStateTimeout));
    EXPECT_EQ(BalloonText(), kHostBalloonText);
    SaveScreenshot(L"tray-balloon");
    // The control takes its balloon away when its time is up, even though Wine never says it has gone.
    EXPECT_TRUE(WaitUntil([] { return !BalloonShown(); }, kStateTimeout));
}

TEST_F(TrayIcon, ComesBackWhenExplorerAnnouncesANewTaskbar) {
    PostMessageW(window_, WM_APP + 1, 0, 0);  // the shell forgets the icon, as when Explorer restarts
    ASSERT_TRUE(WaitUntil([] { return TrayIconsShown().empty(); }, kStateTimeout));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    ASSERT_TRUE(WaitUntil([] { return TrayIconsShown().size() == 1; }, kStateTimeout));
    SaveScreenshot(L"tray-icon-after-taskbar-created");
    ClickAt(Centre(TrayIconsShown().front()));
    EXPECT_TRUE(HostSays(L"MouseUp 1 0"));
}

}  // namespace
}  // namespace tellurane
