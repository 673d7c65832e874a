// Clocks after the first: set up in the store by hand, made with New clock, closed and kept.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/clock/time_zone.h"
#include "logic/layouts.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"
#include "tests/support/read_only_run_key.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

// The zones' rules as the test knows them, not as Windows gives them to the program.
const ZoneRule kTokyo{-540, 0, 0, {}, {}};
const ZoneRule kPacific{480, 0, -60, {0, 11, 0, 1, 2}, {0, 3, 0, 2, 2}};

// "YYYY-MM-DDTHH:MM:SS" in UTC, some seconds from now: a countdown's moment.
std::wstring UtcMomentIn(int seconds) {
    SYSTEMTIME moment;
    GetSystemTime(&moment);
    FILETIME file;
    SystemTimeToFileTime(&moment, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(seconds) * 10'000'000ULL;
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &moment);
    wchar_t text[32];
    swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02d", moment.wYear, moment.wMonth, moment.wDay, moment.wHour,
             moment.wMinute, moment.wSecond);
    return text;
}

class SeveralClocks : public RunningClock {
protected:
    std::wstring ClockKey(int number) const { return store_.KeyPath() + L"\\Clocks\\" + std::to_wstring(number); }
    void StoreFor(int number, const wchar_t* name, const std::wstring& text) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, ClockKey(number).c_str(), name, REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size() + 1) * DWORD{sizeof(wchar_t)});
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
    // A field of Clock options: a combo box's text is its edit part's.
    static HWND Field(HWND options, int id) {
        HWND field = GetDlgItem(options, id);
        HWND edit = FindWindowExW(field, nullptr, L"Edit", nullptr);
        return edit ? edit : field;
    }
    static void Type(HWND options, int id, const std::wstring& text) {
        SendMessageW(Field(options, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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
    // Opens a clock's face menu with a right click on its face; true once it shows.
    bool OpenMenuOf(HWND clock) const {
        RECT face;
        GetWindowRect(GetDlgItem(clock, form1::kPushButton1), &face);
        SetForegroundWindow(clock);
        support::ClickAt({(face.left + face.right) / 2, (face.top + face.bottom) / 2}, true);
        return WaitUntil([&] { return MenusShown() > 0; }, support::kStateTimeout);
    }
    // Clock options of a clock, from its face's menu.
    HWND OpenOptionsOf(HWND clock) const {
        if (!OpenMenuOf(clock)) return nullptr;
        support::PressKey('O');
        return support::FindTopLevel(clock_->ProcessId(), L"Tellurane.ClockOptions", support::kStateTimeout);
    }
    bool Shows(HWND clock, const std::wstring& label, const ZoneRule& rule) const {
        return WaitUntil([&] { return FaceOf(clock).rfind(label + L" " + HourAndMinute(rule), 0) == 0; }, 3s);
    }
    // Removes a clock from its Clock options, answering Yes to the question; returns once asked.
    void PressRemoveAndYes(HWND clock) const {
        const HWND options = OpenOptionsOf(clock);
        ASSERT_TRUE(options);
        PostMessageW(GetDlgItem(options, clock_options::kRemove), BM_CLICK, 0, 0);
        const HWND question = support::FindMessageBox(clock_->ProcessId(), 5s);
        ASSERT_TRUE(question);
        support::PressKey('Y');
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 3s));
    }

    // The steps of the first test below, each leaving the program as the next one expects it.

    // Tokyo with a picture, Pacific with 24-hour time, a countdown four seconds away, and a zone Windows
    // does not know, each at a place of its own under the first clock.
    void StoreFourClocks() const {
        StoreFor(1, L"TimeZone", L"Tokyo Standard Time");
        StoreFor(1, L"Label", L"Tokyo");
        StoreFor(1, L"TimePicture", L"HH:mm:ss");
        StoreFor(1, L"Form1Top", L"2100");
        store_.WriteSetting(keys::kForm1Top, L"600");  // the first clock above the others, for the picture
        StoreFor(2, L"TimeZone", L"Pacific Standard Time");
        StoreFor(2, L"Label", L"Pacific");
        StoreFor(2, L"Check6", L"1");
        StoreFor(2, L"Form1Top", L"5100");
        StoreFor(3, L"TimeZone", L"UTC");
        StoreFor(3, L"Label", L"Launch");
        StoreFor(3, L"Countdown", UtcMomentIn(4));
        StoreFor(3, L"Form1Top", L"3600");
        StoreFor(7, L"TimeZone", L"Nowhere Standard Time");  // a name Windows does not know
        StoreFor(7, L"Label", L"Elsewhere");
        StoreFor(7, L"Form1Top", L"6600");
    }

    void ExpectEachStoredClockShown() {
        ASSERT_TRUE(WaitUntil(
            [&] { return Clocks(L"Tokyo - Tellurane").size() == 1 && Clocks(L"Pacific - Tellurane").size() == 1; },
            5s));
        tokyo_ = Clocks(L"Tokyo - Tellurane")[0];
        pacific_ = Clocks(L"Pacific - Tellurane")[0];
        EXPECT_TRUE(Shows(tokyo_, L"Tokyo", kTokyo)) << testing::PrintToString(FaceOf(tokyo_));
        EXPECT_TRUE(Shows(pacific_, L"Pacific", kPacific)) << testing::PrintToString(FaceOf(pacific_));
        EXPECT_EQ(support::WindowText(window_), L"Tellurane") << "the first clock's caption stays";
        ASSERT_EQ(Clocks(L"Launch - Tellurane").size(), 1u);
        launch_ = Clocks(L"Launch - Tellurane")[0];
        EXPECT_TRUE(WaitUntil([&] { return FaceOf(launch_).rfind(L"Launch 00:00:0", 0) == 0; }, 3s))
            << testing::PrintToString(FaceOf(launch_));
        ASSERT_EQ(Clocks(L"Elsewhere - Tellurane").size(), 1u);
        EXPECT_EQ(FaceOf(Clocks(L"Elsewhere - Tellurane")[0]).rfind(L"Elsewhere (?) ", 0), 0u) << "local time, marked";
        Screenshot(L"70-three-clocks");
    }

    // At zero it says so once, by the tray icon, and shows 0.
    void ExpectTheCountdownToSayZero() const {
        EXPECT_TRUE(WaitUntil([&] { return FaceOf(launch_) == L"Launch 0"; }, 6s))
            << testing::PrintToString(FaceOf(launch_));
        if (support::BalloonsCanBeSeen()) {
            EXPECT_TRUE(WaitUntil(
                [] { return support::BalloonText().find(L"Launch has reached 0.") != std::wstring::npos; }, 3s));
        }
    }

    // New clock from the Tokyo clock's menu: its zone and look, in a subkey of its own.
    void MakeANewClockFromTokyo() const {
        ASSERT_TRUE(OpenMenuOf(tokyo_));
        support::PressKey('N');
        ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Tokyo - Tellurane").size() == 2; }, 5s)) << "no new clock";
        EXPECT_EQ(StoredFor(8, L"TimeZone"), L"Tokyo Standard Time");  // the next number after the last
        EXPECT_EQ(StoredFor(8, L"Open"), L"1");
    }

    // Its Clock options open at once, with what it copied; a picture Windows cannot take is said beside its
    // field and keeps the window open.
    void ExpectTheNewClocksOptionsToRefuseABadPicture() {
        namespace co = clock_options;
        options_ = support::FindTopLevel(clock_->ProcessId(), L"Tellurane.ClockOptions", 5s);
        ASSERT_TRUE(options_) << "no Clock options after New clock";
        EXPECT_EQ(support::WindowText(Field(options_, co::kLabel)), L"Tokyo");
        EXPECT_EQ(support::WindowText(Field(options_, co::kZone)), L"(UTC+09:00) Osaka, Sapporo, Tokyo");
        EXPECT_EQ(support::WindowText(Field(options_, co::kTimePicture)), L"HH:mm:ss");
        Type(options_, co::kTimePicture, L"HH:mm d");
        Type(options_, co::kCountdown, L"tomorrow");
        EXPECT_TRUE(WaitUntil(
            [&] {
                return support::WindowText(Field(options_, co::kTimeNote)).find(L"date picture") != std::wstring::npos;
            },
            2s))
            << testing::PrintToString(support::WindowText(Field(options_, co::kTimeNote)));
        EXPECT_NE(support::WindowText(Field(options_, co::kCountdownNote)).find(L"Write the moment"),
                  std::wstring::npos);
        SetForegroundWindow(options_);
        support::PressKey(VK_RETURN);
        Sleep(500);
        EXPECT_TRUE(IsWindow(options_)) << "OK with a refused picture";
        EXPECT_EQ(StoredFor(8, L"TimePicture"), L"HH:mm:ss") << "nothing stored";
    }

    // Then OK stores the rest, and the face follows at once.
    void RenameTheNewClockOsaka() const {
        namespace co = clock_options;
        Type(options_, co::kTimePicture, L"HH:mm");
        Type(options_, co::kCountdown, L"");
        Type(options_, co::kLabel, L"Osaka");
        EXPECT_TRUE(WaitUntil(
            [&] {
                return support::WindowText(Field(options_, co::kPreview)).rfind(L"Osaka " + HourAndMinute(kTokyo), 0) ==
                       0;
            },
            2s))
            << testing::PrintToString(support::WindowText(Field(options_, co::kPreview)));
        SetForegroundWindow(options_);
        support::PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options_); }, 3s));
        EXPECT_EQ(StoredFor(8, L"TimePicture"), L"HH:mm");
        EXPECT_EQ(StoredFor(8, L"StepAside"), L"1") << "on unless turned off";
        ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Osaka - Tellurane").size() == 1; }, 2s));
        const HWND osaka = Clocks(L"Osaka - Tellurane")[0];
        EXPECT_TRUE(
            WaitUntil([&] { return FaceOf(osaka).rfind(L"Osaka " + HourAndMinute(kTokyo) + L" ", 0) == 0; }, 2s))
            << testing::PrintToString(FaceOf(osaka));
    }

    // Closing an extra clock closes only it; it stays listed, closed, through a restart.
    void CloseThePacificClockAndRestart() {
        PostMessageW(pacific_, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Pacific - Tellurane").empty(); }, 3s));
        EXPECT_EQ(StoredFor(2, L"Open"), L"0");
        EXPECT_TRUE(IsWindowVisible(window_));
        ASSERT_TRUE(CloseWithin(5s));
        EXPECT_NE(StoredFor(1, L"Form1Top"), L"<none>") << "the other clocks' places are saved too";
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_TRUE(WaitUntil([&] { return Clocks(L"Osaka - Tellurane").size() == 1; }, 5s));
        EXPECT_TRUE(Clocks(L"Pacific - Tellurane").empty());
        EXPECT_EQ(StoredFor(2, L"Label"), L"Pacific");
    }

    HWND tokyo_ = nullptr, pacific_ = nullptr, launch_ = nullptr, options_ = nullptr;
};

TEST_F(SeveralClocks, StoredClocksShowTheirZonesAndNewAndClosedClocksAreKept) {
    StoreFourClocks();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectEachStoredClockShown());
    ExpectTheCountdownToSayZero();
    ASSERT_NO_FATAL_FAILURE(MakeANewClockFromTokyo());
    ASSERT_NO_FATAL_FAILURE(ExpectTheNewClocksOptionsToRefuseABadPicture());
    ASSERT_NO_FATAL_FAILURE(RenameTheNewClockOsaka());
    ASSERT_NO_FATAL_FAILURE(CloseThePacificClockAndRestart());

    // Only Remove deletes a clock: from its Clock options, after a question.
    ASSERT_NO_FATAL_FAILURE(PressRemoveAndYes(Clocks(L"Osaka - Tellurane")[0]));
    EXPECT_TRUE(WaitUntil([&] { return Clocks(L"Osaka - Tellurane").empty(); }, 3s));
    EXPECT_EQ(StoredFor(8, L"Label"), L"<none>");
    EXPECT_EQ(StoredFor(2, L"Label"), L"Pacific") << "the closed one is kept";
    ASSERT_TRUE(CloseWithin(5s));
}

// A clock closed from outside (a script, End task) while its Clock options are open stays alive under
// them, and what OK stores is its own; a clock whose settings Windows will not delete is closed instead
// of removed, and the user is told.
TEST_F(SeveralClocks, AClockClosedUnderItsOptionsAndOneWindowsWillNotDeleteAreKeptSafe) {
    namespace co = clock_options;
    StoreFor(1, L"Label", L"Here");
    StoreFor(2, L"Label", L"Kept");
    StoreFor(2, L"Form1Top", L"5100");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitUntil(
        [&] { return Clocks(L"Here - Tellurane").size() == 1 && Clocks(L"Kept - Tellurane").size() == 1; }, 5s));
    const HWND here = Clocks(L"Here - Tellurane")[0];
    const HWND options = OpenOptionsOf(here);
    ASSERT_TRUE(options);
    PostMessageW(here, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(here); }, 3s));
    Sleep(300);  // the closed clocks' removal, posted meanwhile, has had its turn
    ASSERT_TRUE(IsWindow(options));
    Type(options, co::kLabel, L"There");
    {
        // Windows refuses the writes (a policy, a security program): said, and the window keeps the choices.
        const support::ReadOnlyKey refusing(HKEY_CURRENT_USER, ClockKey(1).c_str());
        SetForegroundWindow(options);
        support::PressKey(VK_RETURN);
        const std::wstring said = AnswerNextBox();
        EXPECT_NE(said.find(L"could not all be stored"), std::wstring::npos) << testing::PrintToString(said);
        ASSERT_TRUE(IsWindow(options)) << "closed as if stored";
        EXPECT_EQ(support::WindowText(Field(options, co::kLabel)), L"There");
    }
    SetForegroundWindow(options);
    support::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 3s));
    EXPECT_EQ(StoredFor(1, L"Label"), L"There");
    EXPECT_EQ(StoredFor(1, L"Open"), L"0") << "it stays closed";
    EXPECT_TRUE(Clocks(L"There - Tellurane").empty());
    EXPECT_TRUE(IsWindow(window_)) << "the program ended";

    {
        // A key below the clock's that no one may open (as another program or a policy might leave it):
        // the clock's key cannot be deleted with it there.
        const std::wstring below = ClockKey(2) + L"\\Locked";
        RegSetKeyValueW(HKEY_CURRENT_USER, below.c_str(), L"x", REG_SZ, L"1", 4);
        const support::ReadOnlyKey locked(HKEY_CURRENT_USER, below.c_str(), L"D:P");
        ASSERT_NO_FATAL_FAILURE(PressRemoveAndYes(Clocks(L"Kept - Tellurane")[0]));
        const std::wstring said = AnswerNextBox();
        EXPECT_NE(said.find(L"could not be removed"), std::wstring::npos) << testing::PrintToString(said);
        EXPECT_TRUE(WaitUntil([&] { return Clocks(L"Kept - Tellurane").empty(); }, 3s));
        EXPECT_EQ(StoredFor(2, L"Open"), L"0") << "closed instead, so that it does not come back by itself";
        EXPECT_EQ(StoredFor(2, L"Label"), L"Kept");
    }
    EXPECT_TRUE(IsWindow(window_));
    ASSERT_TRUE(CloseWithin(5s));
}

}  // namespace
}  // namespace tellurane
