// Starting and closing the program as a user does: where the window opens, what it remembers.

#include <gtest/gtest.h>

#include <regex>

#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;

class Lifecycle : public RunningClock {};

TEST_F(Lifecycle, AFirstRunIsCentredAndAClosedWindowComesBackWhereItWasLeft) {
    Start();
    const RECT first = Frame();
    EXPECT_NEAR((first.left + first.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((first.top + first.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    Screenshot(L"01-first-run");

    // The user moves and widens the window, then closes it.
    SetWindowPos(Window(), nullptr, 150, 90, (first.right - first.left) + 100, (first.bottom - first.top) + 30,
                 SWP_NOZORDER);
    const RECT moved = Frame();
    DWORD exitCode = 99;
    ASSERT_TRUE(CloseWithin(2s, &exitCode)) << "the program did not end within two seconds";
    EXPECT_EQ(exitCode, 0u);
    // Plain whole twips: the same text reads back under any regional settings.
    for (std::wstring_view key : {keys::kForm1Top, keys::kForm1Left, keys::kForm1Height, keys::kForm1Width}) {
        const std::wstring text = Stored(key);
        EXPECT_TRUE(std::regex_match(text, std::wregex(L"-?[0-9]+"))) << testing::PrintToString(text);
    }
    EXPECT_EQ(Stored(keys::kForm1Left), std::to_wstring(MulDiv(150, 1440, support::ExpectedDpi())));

    Start();
    const RECT again = Frame();
    EXPECT_TRUE(EqualRect(&moved, &again))
        << again.left << "," << again.top << " " << again.right << "," << again.bottom;
    Screenshot(L"02-restored-where-closed");
}

TEST_F(Lifecycle, ATopThatIsNoNumberIsReportedThenTheWindowOpensCentredVertically) {
    Store(keys::kForm1Top, L"abc");
    Start(false);
    const std::wstring text = AnswerNextBox(15s);
    EXPECT_NE(text.find(L"\r\nin Vantorel2021/08/31.Form1.Form_Load at line 110\r\r"), std::wstring::npos)
        << testing::PrintToString(text);
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 10s);
    ASSERT_TRUE(window_);
    const RECT frame = Frame();
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    Screenshot(L"03-bad-top-centred");
}

TEST_F(Lifecycle, AWindowStoredFarOffTheScreenOpensOnIt) {
    Store(keys::kForm1Left, L"-100000");
    Start();
    RECT frame = Frame();
    EXPECT_TRUE(MonitorFromRect(&frame, MONITOR_DEFAULTTONULL)) << frame.left << "," << frame.top;
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, seen;
    EXPECT_TRUE(IntersectRect(&seen, &frame, &screen));
    Screenshot(L"04-brought-onto-the-screen");
}

TEST_F(Lifecycle, AlwaysOnTopIsOnForAStoredOneAndForATextThatIsNoNumberOnly) {
    struct Case {
        const wchar_t* stored;
        bool topmost;
    };
    for (const Case& c : {Case{L"1", true}, Case{L"2", false}, Case{L"0", false}, Case{L"x", true}}) {
        Store(keys::kAlwaysOnTop, c.stored);
        Start(false);
        if (std::wstring(c.stored) == L"x") {
            const std::wstring text = AnswerNextBox(15s);
            EXPECT_NE(text.find(L"Form1.Form_Load at line 142"), std::wstring::npos) << testing::PrintToString(text);
        }
        window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 10s);
        ASSERT_TRUE(window_);
        EXPECT_EQ(IsTopMost(), c.topmost) << testing::PrintToString(std::wstring(c.stored));
        ASSERT_TRUE(CloseWithin(3s));
    }
}

}  // namespace
}  // namespace tellurane
