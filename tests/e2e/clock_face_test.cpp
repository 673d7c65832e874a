// The running clock's face, read as a user reads it, while the settings change underneath it.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/system_clock.h"
#include "app/main_module.h"
#include "logic/clock/face_text.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace support;

class ClockFace : public RunningClock {
protected:
    void SetUp() override { Start(); }

    std::wstring Face() const { return FaceText(); }

    // The face as it should read for the local time now or a moment ago.
    bool FaceReads(bool military, bool dayFirst, bool weekday) const {
        const std::wstring pattern = std::wstring(military ? kTime24 : kTime12) + L" " +
                                     std::wstring(dayFirst ? kDayFirst : kMonthFirst);
        const std::wstring shown = Face();
        const ClockReading now = ReadSystemClock();
        for (int back : {0, 1}) {
            FILETIME file;
            SYSTEMTIME local{}, earlier{};
            local.wYear = static_cast<WORD>(now.local.year);
            local.wMonth = static_cast<WORD>(now.local.month);
            local.wDay = static_cast<WORD>(now.local.day);
            local.wHour = static_cast<WORD>(now.local.hour);
            local.wMinute = static_cast<WORD>(now.local.minute);
            local.wSecond = static_cast<WORD>(now.local.second);
            SystemTimeToFileTime(&local, &file);
            ULARGE_INTEGER value{{file.dwLowDateTime, file.dwHighDateTime}};
            value.QuadPart -= static_cast<ULONGLONG>(back) * 10'000'000;
            file = {value.LowPart, value.HighPart};
            FileTimeToSystemTime(&file, &earlier);
            const LocalTime time{
                earlier.wYear,     earlier.wMonth, earlier.wDay, earlier.wHour, earlier.wMinute, earlier.wSecond, 0,
                earlier.wDayOfWeek};
            std::wstring expected = FormatDateTime(pattern, time, UserLocaleTexts());
            if (weekday) expected += L" " + DayOfWeekName(time);
            if (shown == expected) return true;
        }
        return false;
    }
};

TEST_F(ClockFace, FollowsEachCombinationOfTheSwitchesWithinASecondOfTheChange) {
    EXPECT_TRUE(FaceReads(false, false, false)) << testing::PrintToString(Face());
    int shot = 0;
    for (int combination = 0; combination < 8; ++combination) {
        const bool military = combination & 1, dayFirst = combination & 2, weekday = combination & 4;
        Store(keys::kMilitaryTime, military ? L"1" : L"0");
        Store(keys::kDayMonthYear, dayFirst ? L"1" : L"0");
        Store(keys::kShowWeekday, weekday ? L"1" : L"0");
        EXPECT_TRUE(WaitUntil([&] { return FaceReads(military, dayFirst, weekday); }, 1500ms))
            << "combination " << combination << " shows " << testing::PrintToString(Face());
        SaveScreenshot(L"clock-face-" + std::to_wstring(++shot) + (military ? L"-24h" : L"-12h") +
                       (dayFirst ? L"-dmy" : L"-mdy") + (weekday ? L"-weekday" : L""));
    }
    // The clock reads its settings only when Windows says they changed: the key deleted by another
    // program, and made again, are changes too.
    RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    EXPECT_TRUE(WaitUntil([&] { return FaceReads(false, false, false); }, 1500ms)) << "the key deleted";
    Store(keys::kMilitaryTime, L"1");
    EXPECT_TRUE(WaitUntil([&] { return FaceReads(true, false, false); }, 1500ms)) << "the key made again";
}

TEST_F(ClockFace, ShowsEverySecondOnceAndInOrder) {
    Store(keys::kMilitaryTime, L"1");
    ASSERT_TRUE(WaitUntil([&] { return FaceReads(true, false, false); }, 2s));
    std::vector<std::wstring> seen;
    WaitUntil(
        [&] {
            const std::wstring time = Face().substr(0, 8);
            if (seen.empty() || seen.back() != time) seen.push_back(time);
            return false;
        },
        6s);
    ASSERT_GE(seen.size(), 5u);
    auto seconds = [](const std::wstring& hhmmss) {
        return std::stoi(hhmmss.substr(0, 2)) * 3600 + std::stoi(hhmmss.substr(3, 2)) * 60 +
               std::stoi(hhmmss.substr(6, 2));
    };
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_EQ((seconds(seen[i]) - seconds(seen[i - 1]) + 86400) % 86400, 1)
            << testing::PrintToString(seen[i - 1]) << " then " << testing::PrintToString(seen[i]);
    }
}

TEST_F(ClockFace, ABadSwitchGivesOneBoxAtATimeAndTheClockCarriesOnOnceMended) {
    Store(keys::kMilitaryTime, L"x");
    HWND box = FindMessageBox(clock_->ProcessId(), 5s);
    ASSERT_TRUE(box);
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find(L"\"x\""), std::wstring::npos) << testing::PrintToString(text);
    EXPECT_NE(text.find(L"\r\nin Vantorel2021/08/31.Form1.Timer1 at line 0\r\r"), std::wstring::npos)
        << testing::PrintToString(text);
    SaveScreenshot(L"clock-tick-error-box");

    // Seconds pass with the box open: the face goes on (the bad switch counts as on), and no second box opens.
    const std::wstring before = Face();
    Sleep(2500);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Face(), before);
    EXPECT_TRUE(FaceReads(true, false, false)) << testing::PrintToString(Face());

    // Still bad after OK: the next tick asks again, once.
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    HWND next = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::vector<HWND> open = Boxes();
            next = open.size() == 1 && open.front() != box ? open.front() : nullptr;
            return next != nullptr;
        },
        3s));

    Store(keys::kMilitaryTime, L"0");
    PostMessageW(GetDlgItem(next, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(next); }, 3s));
    EXPECT_FALSE(WaitUntil([&] { return !Boxes().empty(); }, 2500ms));
    EXPECT_TRUE(WaitUntil([&] { return FaceReads(false, false, false); }, 1500ms)) << testing::PrintToString(Face());
}

}  // namespace
}  // namespace tellurane
