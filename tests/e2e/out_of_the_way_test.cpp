// Out of the way by itself: a clock on top steps behind a program in full screen and comes back after
// it, without touching the stored "Always on top". Wine 8 raises no foreground or hide events of its
// own: the stand-in program raises them as Windows does, so this checks the documented behaviour.

#include <gtest/gtest.h>

#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class OutOfTheWay : public RunningClock {
protected:
    bool OnTop() const { return (GetWindowLongW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    // What the user sees at the face's middle: the clock, or the window over it.
    HWND SeenAtFace() const {
        RECT face;
        GetWindowRect(Face(), &face);
        return GetAncestor(WindowFromPoint({(face.left + face.right) / 2, (face.top + face.bottom) / 2}), GA_ROOT);
    }
};

TEST_F(OutOfTheWay, AClockOnTopStepsBehindAFullScreenProgramOnItsMonitorAndComesBackAfterIt) {
    store_.WriteSetting(keys::kAlwaysOnTop, L"1");
    Start();
    ASSERT_TRUE(WaitUntil([&] { return OnTop(); }, 3s));
    // With the events Windows raises, and with none at all (as under Wine): then the clock's own look
    // in its second's wake notices the program within a second or so.
    for (const wchar_t* mode : {L"full", L"silent"}) {
        support::LaunchedProgram film(COVER_HOST_EXE, mode);
        const HWND cover = support::FindTopLevel(film.ProcessId(), L"Tellurane.Test.Cover", 5s);
        ASSERT_TRUE(cover);
        EXPECT_TRUE(WaitUntil([&] { return !OnTop(); }, 2500ms)) << "still on top of a full-screen program";
        EXPECT_TRUE(WaitUntil([&] { return SeenAtFace() == cover; }, 1s)) << "the clock still shows over it";
        EXPECT_EQ(Stored(keys::kAlwaysOnTop), L"1");
        PostMessageW(cover, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return OnTop(); }, 2500ms)) << "not back on top after it closed";
    }
    {
        // A maximised window with a caption is no program in full screen, taskbar or not.
        support::LaunchedProgram editor(COVER_HOST_EXE, L"maximised");
        const HWND window = support::FindTopLevel(editor.ProcessId(), L"Tellurane.Test.Cover", 5s);
        ASSERT_TRUE(window);
        Sleep(1500);
        EXPECT_TRUE(OnTop()) << "stepped aside for a maximised window";
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    // Turned off in Clock options: the clock stays on top of it.
    store_.WriteSetting(L"StepAside", L"0");
    support::LaunchedProgram game(COVER_HOST_EXE, L"full");
    const HWND cover = support::FindTopLevel(game.ProcessId(), L"Tellurane.Test.Cover", 5s);
    ASSERT_TRUE(cover);
    Sleep(1500);
    EXPECT_TRUE(OnTop());
    EXPECT_EQ(SeenAtFace(), Window());
    PostMessageW(cover, WM_CLOSE, 0, 0);
    ASSERT_TRUE(CloseWithin(5s));
}

TEST_F(OutOfTheWay, AClockTheMouseGoesThroughTakesItAgainAfterATrayClickUntilThePointerLeaves) {
    store_.WriteSetting(keys::kAlwaysOnTop, L"1");
    store_.WriteSetting(L"ClickThrough", L"1");
    Start();
    const auto through = [&] { return (GetWindowLongW(Window(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; };
    ASSERT_TRUE(WaitUntil(through, 3s));
    RECT face;
    GetWindowRect(Face(), &face);
    const POINT middle{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    RECT frame;
    GetWindowRect(Window(), &frame);
    support::LaunchedProgram under(COVER_HOST_EXE, L"under " + std::to_wstring(frame.left - 20) + L" " +
                                                       std::to_wstring(frame.top - 20) + L" " +
                                                       std::to_wstring(frame.right - frame.left + 40) + L" " +
                                                       std::to_wstring(frame.bottom - frame.top + 40));
    const HWND below = support::FindTopLevel(under.ProcessId(), L"Tellurane.Test.Cover", 5s);
    ASSERT_TRUE(below);
    // A click on the face reaches the window under the clock, and opens no settings.
    support::ClickAt(middle);
    EXPECT_TRUE(WaitUntil([&] { return support::WindowText(below) == L"clicks 1"; }, 3s))
        << testing::PrintToString(support::WindowText(below));
    EXPECT_FALSE(Settings());

    // The way back: the tray icon's click, then the clock takes the mouse.
    ASSERT_TRUE(support::WaitForTrayIcons(1));
    const RECT icon = support::TrayIconsShown().front();
    support::ClickAt({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    ASSERT_TRUE(WaitUntil([&] { return !through(); }, 2s));
    support::ClickAt(middle);
    EXPECT_TRUE(WaitUntil([&] { return Settings() != nullptr; }, 3s)) << "the face took no click";
    PostMessageW(Settings(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Settings(); }, 3s));
    EXPECT_EQ(support::WindowText(below), L"clicks 1");
    // Once the pointer has left it, the mouse goes through again, as stored.
    support::MoveMouseTo({frame.right + 60, frame.bottom + 60});
    EXPECT_TRUE(WaitUntil(through, 3s));
    EXPECT_EQ(Stored(L"ClickThrough"), L"1");
    PostMessageW(below, WM_CLOSE, 0, 0);
    ASSERT_TRUE(CloseWithin(5s));
}

}  // namespace
}  // namespace tellurane
