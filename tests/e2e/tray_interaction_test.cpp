// Minimising to the notification area and coming back, with the real shell and real clicks.

#include <gtest/gtest.h>

#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class TrayInteraction : public RunningClock {
protected:
    void SetUp() override {
        Start();
        ASSERT_TRUE(WaitUntil([] { return support::TrayIconsShown().size() == 1; }, 5s)) << "no tray icon";
    }
    void Minimise() { PostMessageW(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    bool Shown() const { return IsWindowVisible(Window()) && !IsIconic(Window()); }
};

TEST_F(TrayInteraction, MinimisingHidesTheClockWithABalloonOnlyTheFirstTime) {
    const RECT normal = Frame();
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, 3s)) << "the window stayed on screen";
    EXPECT_TRUE(WaitUntil(&support::BalloonShown, 5s)) << "no balloon";
    Screenshot(L"20-minimised-with-balloon");
    EXPECT_EQ(support::TrayIconsShown().size(), 1u);
    const std::wstring hidden = FaceText();
    EXPECT_TRUE(WaitUntil([&] { return FaceText() != hidden; }, 2s)) << "the clock stopped while hidden";

    // A release of the left button over the icon brings the window back where it was.
    ASSERT_TRUE(WaitUntil([] { return !support::BalloonShown(); }, 10s));
    support::ClickAt(Centre(support::TrayIconsShown().front()));
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, 3s)) << "the icon did not bring the window back";
    const RECT back = Frame();
    EXPECT_TRUE(EqualRect(&normal, &back));
    // The taskbar handles the same click: it may hold the foreground a moment longer.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Window(); }, 2s)) << "the clock did not get the focus";
    Screenshot(L"21-restored-from-tray");

    // The second time: hidden again, without a balloon; the right button brings it back too.
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, 3s));
    EXPECT_FALSE(WaitUntil(&support::BalloonShown, 4s)) << "a second balloon";
    support::ClickAt(Centre(support::TrayIconsShown().front()), true);
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 3s));
}

TEST_F(TrayInteraction, ClosingWhileHiddenSavesTheNormalPlaceAndTakesTheIconAway) {
    SetWindowPos(Window(), nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, 3s));
    ASSERT_TRUE(CloseWithin(8s));  // the balloon's wait, then the close
    EXPECT_TRUE(WaitUntil([] { return support::TrayIconsShown().empty(); }, 3s));
    Start();
    EXPECT_EQ(Frame().left, 200);
    EXPECT_EQ(Frame().top, 120);
}

TEST_F(TrayInteraction, TheFaceShowsItsTooltipWhenTheMouseRestsOnIt) {
    RECT face;
    GetWindowRect(Face(), &face);
    const POINT middle = Centre(face);
    SetForegroundWindow(Window());
    support::MoveMouseTo(middle, 3);
    HWND tip = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
                if (support::ClassOf(window) == L"tooltips_class32" && IsWindowVisible(window)) tip = window;
            }
            return tip != nullptr;
        },
        5s));
    if (tip) {
        EXPECT_EQ(support::WindowText(tip), L"Click here for more options");
    }
    Screenshot(L"22-face-tooltip");
}

}  // namespace
}  // namespace tellurane
