// Every stored setting holding text that is no number: the program reports each, one box at a
// time, carries on, and keeps running.

#include <gtest/gtest.h>

#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class BadSettings : public RunningClock {};

std::wstring LineOf(const std::wstring& box) {
    const auto at = box.find(L"at line ");
    return at == std::wstring::npos ? L"?" : box.substr(at + 8, box.find(L'\r', at) - at - 8);
}

TEST_F(BadSettings, EveryKeyReportedInTurnAndTheProgramCarriesOn) {
    for (auto key :
         {keys::kForm1Top, keys::kForm1Left, keys::kForm1Height, keys::kForm1Width, keys::kFontColor, keys::kFontSize,
          keys::kAlwaysOnTop, keys::kDayMonthYear, keys::kRunAtStartup, keys::kShowWeekday, keys::kMilitaryTime}) {
        Store(key, L"bad\r\ntext");
    }
    Start(false);
    // Loading: each geometry step, the colour, the always-on-top test and the text size.
    std::vector<std::wstring> lines;
    for (int box = 0; box < 7; ++box) {
        const std::wstring text = AnswerNextBox(15s);
        EXPECT_NE(text.find(L"in Vantorel2021/08/31.Form1.Form_Load at line"), std::wstring::npos)
            << testing::PrintToString(text);
        lines.push_back(LineOf(text));
    }
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"110", L"112", L"114", L"116", L"118", L"142", L"146"}));
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 10s);
    ASSERT_TRUE(window_);
    EXPECT_TRUE(IsTopMost());  // the failed test took its "then" branch

    // The tick: one box at a time, each at line 0; the face is written anyway.
    for (int box = 0; box < 3; ++box) {
        const std::wstring text = AnswerNextBox(5s);
        EXPECT_NE(text.find(L"in Vantorel2021/08/31.Form1.Timer1 at line 0"), std::wstring::npos)
            << testing::PrintToString(text);
        EXPECT_LE(Boxes().size(), 1u);
    }
    Screenshot(L"30-bad-settings-face");
    for (auto key : {keys::kDayMonthYear, keys::kShowWeekday, keys::kMilitaryTime}) Store(key, L"0");
    while (!Boxes().empty()) AnswerNextBox(1s);
    EXPECT_FALSE(FaceText().empty());

    // The settings window reports the switches it cannot show.
    RECT face;
    GetWindowRect(Face(), &face);
    for (auto key : {keys::kAlwaysOnTop, keys::kRunAtStartup}) Store(key, L"bad");
    support::ClickAt({(face.left + face.right) / 2, (face.top + face.bottom) / 2});
    std::vector<std::wstring> settingsLines;
    for (int box = 0; box < 2; ++box) {
        const std::wstring text = AnswerNextBox(5s);
        EXPECT_NE(text.find(L"in Vantorel2021/08/31.Form2.Form_Load at line"), std::wstring::npos)
            << testing::PrintToString(text);
        settingsLines.push_back(LineOf(text));
    }
    EXPECT_EQ(settingsLines, (std::vector<std::wstring>{L"108", L"112"}));
    HWND settings = support::FindTopLevel(clock_->ProcessId(), kSettingsClass, 5s);
    ASSERT_TRUE(settings);
    EXPECT_EQ(support::WindowText(GetDlgItem(settings, form2::kText1)), L"bad\r\ntext");
    PostMessageW(settings, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s));
    EXPECT_EQ(Stored(keys::kFontSize), L"20");  // the text that was no size

    DWORD exitCode = 99;
    EXPECT_TRUE(CloseWithin(3s, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace tellurane
