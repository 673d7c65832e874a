// Clocks after the first: set up in the store by hand, made with New clock, closed and kept.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/clock/time_zone.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

// The zones' rules as the test knows them, not as Windows gives them to the program.
const ZoneRule kTokyo{-540, 0, 0, {}, {}};
const ZoneRule kPacific{480, 0, -60, {0, 11, 0, 1, 2}, {0, 3, 0, 2, 2}};

class SeveralClocks : public RunningClock {
protected:
    std::wstring ClockKey(int number) const { return store_.KeyPath() + L"\\Clocks\\" + std::to_wstring(number); }
    void StoreFor(int number, const wchar_t* name, const std::wstring& text) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, ClockKey(number).c_str(), name, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    std::wstring StoredFor(int number, const wchar_t* name) const {
        wchar_t text[256] = {};
        DWORD size = sizeof text;
        return RegGetValueW(HKEY_CURRENT_USER, ClockKey(number).c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) ==
                       ERROR_SUCCESS
                   ? text
                   : L"<none>";
    }
    std::vector<HWND> Clocks(const std::wstring& caption) const {
        std::vector<HWND> found;
        for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
            if (support::ClassOf(window) == L"Tellurane.Clock" && IsWindowVisible(window) &&
                support::WindowText(window) == caption) {
                found.push_back(window);
            }
        }
        return found;
    }
    static std::wstring FaceOf(HWND clock) { return support::WindowText(GetDlgItem(clock, form1::kPushButton1)); }
    // "HH:MM" in the zone now, by the test's rules.
    static std::wstring HourAndMinute(const ZoneRule& rule) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        const auto utc = static_cast<std::int64_t>(
            ((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000);
        const LocalTime local = ZoneLocalTime([rule](int) { return rule; }, utc);
        wchar_t text[8];
        swprintf(text, 8, L"%02d:%02d", local.hour, local.minute);
        return text;
    }
    bool Shows(HWND clock, const std::wstring& label, const ZoneRule& rule) const {
        return WaitUntil([&] { return FaceOf(clock).rfind(label + L" " + HourAndMinute(rule), 0) == 0; }, 3s);
    }
};

TEST_F(SeveralClocks, StoredClocksShowTheirZonesAndNewAndClosedClocksAreKept) {
    StoreFor(1, L"TimeZone", L"Tokyo Standard Time");
    StoreFor(1, L"Label", L"Tokyo");
    StoreFor(1, L"TimePicture", L"HH:mm:ss");
    StoreFor(2, L"TimeZone", L"Pacific Standard Time");
    StoreFor(2, L"Label", L"Pacific");
    StoreFor(2, L"Check6", L"1");
    StoreFor(2, L"Form1Top", L"4500");
    // A countdown to four seconds from now, in UTC.
    SYSTEMTIME soon;
    GetSystemTime(&soon);
    FILETIME file;
    SystemTimeToFileTime(&soon, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += 4 * 10'000'000ULL;
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &soon);
    wchar_t moment[32];
    swprintf(moment, 32, L"%04d-%02d-%02dT%02d:%02d:%02d", soon.wYear, soon.wMonth, soon.wDay, soon.wHour, soon.wMinute,
             soon.wSecond);
    StoreFor(3, L"TimeZone", L"UTC");
    StoreFor(3, L"Label", L"Launch");
    StoreFor(3, L"Countdown", moment);
    StoreFor(3, L"Form1Top", L"6000");
    StoreFor(7, L"TimeZone", L"Nowhere Standard Time");  // a name Windows does not know
    StoreFor(7, L"Label", L"Elsewhere");
    StoreFor(7, L"Form1Top", L"7500");
    Start();
    ASSERT_TRUE(WaitUntil(
        [&] { return Clocks(L"Tokyo - Tellurane").size() == 1 && Clocks(L"Pacific - Tellurane").size() == 1; }, 5s));
    const HWND tokyo = Clocks(L"Tokyo - Tellurane")[0];
    const HWND pacific = Clocks(L"Pacific - Tellurane")[0];
    EXPECT_TRUE(Shows(tokyo, L"Tokyo", kTokyo)) << testing::PrintToString(FaceOf(tokyo));
    EXPECT_TRUE(Shows(pacific, L"Pacific", kPacific)) << testing::PrintToString(FaceOf(pacific));
    EXPECT_EQ(support::WindowText(window_), L"Tellurane") << "the first clock's caption stays";
    ASSERT_EQ(Clocks(L"Launch - Tellurane").size(), 1u);
    const HWND launch = Clocks(L"Launch - Tellurane")[0];
    EXPECT_TRUE(WaitUntil([&] { return FaceOf(launch).rfind(L"Launch 00:00:0", 0) == 0; }, 3s))
        << testing::PrintToString(FaceOf(launch));
    ASSERT_EQ(Clocks(L"Elsewhere - Tellurane").size(), 1u);
    EXPECT_EQ(FaceOf(Clocks(L"Elsewhere - Tellurane")[0]).rfind(L"Elsewhere (?) ", 0), 0u) << "local time, marked";
    Screenshot(L"70-three-clocks");
    // At zero it says so once, by the tray icon, and shows 0.
    EXPECT_TRUE(WaitUntil([&] { return FaceOf(launch) == L"Launch 0"; }, 6s)) << testing::PrintToString(FaceOf(launch));
    if (support::BalloonsCanBeSeen()) {
        EXPECT_TRUE(
            WaitUntil([] { return support::BalloonText().find(L"Launch has reached 0.") != std::wstring::npos; }, 3s));
    }

    // New clock from the Tokyo clock's menu: its zone and look, in a subkey of its own.
    RECT face;
    GetWindowRect(GetDlgItem(tokyo, form1::kPushButton1), &face);
    SetForegroundWindow(tokyo);
    support::ClickAt({(face.left + face.right) / 2, (face.top + face.bottom) / 2}, true);
    Sleep(500);
    support::PressKey('N');
    ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Tokyo - Tellurane").size() == 2; }, 5s)) << "no new clock";
    EXPECT_EQ(StoredFor(8, L"TimeZone"), L"Tokyo Standard Time");  // the next number after the last
    EXPECT_EQ(StoredFor(8, L"Open"), L"1");

    // Closing an extra clock closes only it; it stays listed, closed, through a restart.
    PostMessageW(pacific, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Pacific - Tellurane").empty(); }, 3s));
    EXPECT_EQ(StoredFor(2, L"Open"), L"0");
    EXPECT_TRUE(IsWindowVisible(window_));
    ASSERT_TRUE(CloseWithin(5s));
    EXPECT_NE(StoredFor(1, L"Form1Top"), L"<none>") << "the other clocks' places are saved too";
    Start();
    ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Tokyo - Tellurane").size() == 2; }, 5s));
    EXPECT_TRUE(Clocks(L"Pacific - Tellurane").empty());
    EXPECT_EQ(StoredFor(2, L"Label"), L"Pacific");
    ASSERT_TRUE(CloseWithin(5s));
}

}  // namespace
}  // namespace tellurane
