// The clock window as a user meets it: it opens on the desktop, takes the keyboard, and closes.

#include <windows.h>

#include <gtest/gtest.h>

#include "logic/layouts.h"
#include "logic/twips.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace support;

class ClockWindow : public RunningClock {
protected:
    void SetUp() override { Start(); }  // a first run: the store is empty
};

TEST_F(ClockWindow, OpensCentredAtItsLayoutSizeWithTheFaceFillingIt) {
    const int dpi = ExpectedDpi();
    EXPECT_EQ(WindowText(window_), L"Tellurane");
    const SIZE client = ClientSize(window_);
    EXPECT_EQ(client.cx, TwipsToPixels(6915, dpi));
    EXPECT_EQ(client.cy, TwipsToPixels(855, dpi));

    RECT frame;
    GetWindowRect(window_, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);

    HWND face = GetDlgItem(window_, form1::kPushButton1);
    ASSERT_TRUE(face);
    EXPECT_EQ(ClassOf(face), L"Button");
    // The face keeps the layout's margins inside the client area: no edge of it is cut off.
    const RECT faceRect = ChildRectInClient(face);
    EXPECT_EQ(faceRect.left, 0);
    EXPECT_EQ(faceRect.top, 0);
    EXPECT_NEAR(faceRect.right, client.cx - TwipsToPixels(75, dpi), 1);
    EXPECT_NEAR(faceRect.bottom, client.cy - TwipsToPixels(90, dpi), 1);
    HWND text1 = GetDlgItem(window_, form1::kText1);
    ASSERT_TRUE(text1);
    const RECT textRect = ChildRectInClient(text1);
    EXPECT_LT(textRect.right, 0);  // the focus holder is never seen
    EXPECT_LT(textRect.bottom, 0);
    SaveScreenshot(L"clock-window-first-run-" + std::to_wstring(dpi) + L"dpi");
}

TEST_F(ClockWindow, TabMovesTheFocusFromTheUnseenTextBoxToTheFace) {
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    auto focus = [&] {
        GUITHREADINFO info{sizeof info};
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    };
    ASSERT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(window_, form1::kText1); }, 5s));
    SetForegroundWindow(window_);
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(window_, form1::kPushButton1); }, 5s));
}

TEST_F(ClockWindow, ClosingTheWindowEndsTheProgramWithinTwoSecondsAndAClickMeanwhileOpensNothing) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    PostMessageW(GetDlgItem(window_, form1::kPushButton1), BM_CLICK, 0, 0);  // inside the close's wait
    bool settingsOpened = false;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(clock_->ProcessId())) {
                settingsOpened |= ClassOf(window) == kSettingsClass;
            }
            return !IsWindow(window_);
        },
        3s);
    EXPECT_FALSE(settingsOpened);
    DWORD exitCode = 1234;
    ASSERT_TRUE(clock_->WaitForExit(2s, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace tellurane
