// The clock as users whose Windows speaks another language see it. Wine takes the UI language from
// the LANG of the process: ctest runs the first test once per language, in a Wine session of its own
// (a process under another LANG rewrites the session's regional settings), and says which language
// to expect. The second, in that session too (whose fonts shape Arabic under Wine), chooses German
// from the face's Language menu, then seven more as that menu stores them, and lays the settings window
// in each side by side (the README's picture).

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "logic/clock/alarm.h"
#include "logic/languages.h"
#include "logic/layouts.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "tests/e2e/clock_driver.h"
#include "win32/language.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;
using support::WindowText;

class SpokenLanguage : public RunningClock {
protected:
    SpokenLanguage() : program_(LoadLibraryExW(TELLURANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~SpokenLanguage() override {
        if (program_) FreeLibrary(program_);
    }

    // The program's own text in a language, as its string tables hold it.
    std::wstring TextIn(const Language& language, TextId id, std::initializer_list<std::wstring_view> inserts = {}) {
        std::wstring text;
        EXPECT_TRUE(LoadStringIn(program_, id, language.langId, text)) << id;
        return InsertInto(text, inserts);
    }

    static std::wstring Digits(const std::wstring& text) {
        std::wstring digits;
        for (wchar_t c : text) {
            if (c >= L'0' && c <= L'9') digits += c;
        }
        return digits;
    }

    // What the face shows by default now, digits only: hh nn ss on the 12-hour clock, mm dd yyyy.
    static std::wstring EnglishFaceDigits() {
        SYSTEMTIME now;
        GetLocalTime(&now);
        wchar_t digits[32];
        swprintf(digits, 32, L"%02u%02u%02u%02u%02u%04u", (now.wHour + 11) % 12 + 1, now.wMinute, now.wSecond,
                 now.wMonth, now.wDay, now.wYear);
        return digits;
    }

    static support::ScreenPart TakeWindow(HWND window) {
        RECT frame;
        GetWindowRect(window, &frame);
        return support::TakeScreenPart(frame);
    }

    static void ArialDrawnIn(const wchar_t* face) {
        const auto bytes = static_cast<DWORD>(sizeof(wchar_t)) * static_cast<DWORD>(wcslen(face) + 1);
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", L"Arial", REG_SZ, face, bytes);
    }

    HMODULE program_;
};

TEST_F(SpokenLanguage, TheClockSpeaksWindowsLanguageInItsWindowsMenuAndBoxesAndStoresWhatEnglishStores) {
    const wchar_t* expected = _wgetenv(L"TELLURANE_EXPECTED_LANGUAGE");
    if (!expected) GTEST_SKIP() << "ctest runs this under each language's LANG";
    const Language& language = *LanguageForTag(expected);
    ASSERT_TRUE(program_);

    // A box: a stored size that is no number, said in the language, with its line number.
    Store(keys::kFontSize, L"bad");
    Start(false);
    const std::wstring box = AnswerNextBox(15s);
    EXPECT_NE(box.find(TextIn(language, IDS_NOT_A_NUMBER, {L"\"bad\""})), std::wstring::npos) << expected;
    EXPECT_NE(box.find(TextIn(language, IDS_ERROR_AT_LINE, {L"146"})), std::wstring::npos) << expected;
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 10s);
    ASSERT_TRUE(window_);

    // The face: the same digits as in English, never mirrored.
    EXPECT_TRUE(WaitUntil([&] { return Digits(FaceText()) == EnglishFaceDigits(); }, 3s))
        << testing::PrintToString(FaceText());
    EXPECT_EQ(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);

    // The settings window: every text in the language, mirrored where it reads right to left.
    HWND settings = OpenSettingsByClickingTheFace();
    ASSERT_TRUE(settings);
    EXPECT_EQ(WindowText(settings), TextIn(language, IDS_SETTINGS_TITLE));
    EXPECT_NE(WindowText(settings), EnglishText(IDS_SETTINGS_TITLE));
    for (const ControlLayout& control : Form2Layout().controls) {
        if (control.caption.id != 0) {
            EXPECT_EQ(WindowText(GetDlgItem(settings, control.id)), TextIn(language, control.caption.id))
                << "control " << control.id;
        }
    }
    EXPECT_EQ((GetWindowLongPtrW(settings, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, language.rightToLeft);
    // The buttons the program draws itself sit where mirroring puts them but are not mirrored: their
    // picture, copied in, would read backwards.
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(settings, form2::kPushButton3), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    Screenshot(std::wstring(L"60-settings-in-") + expected);

    // Stored as English stores them: the size in the invariant form, the switches as numbers.
    PostClick(GetDlgItem(settings, form2::kCheck6));
    PostClick(GetDlgItem(settings, form2::kPushButton1));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s));
    EXPECT_EQ(Stored(keys::kFontSize), L"20");
    EXPECT_EQ(Stored(keys::kMilitaryTime), L"1");
    EXPECT_EQ(Stored(keys::kLanguage), L"-999") << "Windows' choice is not stored";
}

TEST_F(SpokenLanguage, TheSettingsWindowInEightLanguagesSideBySide) {
    const wchar_t* session = _wgetenv(L"TELLURANE_SESSION");
    if (!session || std::wstring(session) != L"languages") GTEST_SKIP() << "ctest runs this in the languages session";
    // German from the face's menu by keyboard: Language, past "As Windows says", English, Arabic,
    // Bulgarian, Catalan, Czech and Danish. It applies to the next window opened, with no restart.
    Start();
    ASSERT_TRUE(OpenFaceMenu());
    support::PressKey('A');
    for (int down = 0; down < 7; ++down) support::PressKey(VK_DOWN);
    support::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kLanguage) == L"de-DE"; }, 5s)) << Stored(keys::kLanguage);

    std::vector<support::ScreenPart> parts;
    for (const wchar_t* tag : {L"de-DE", L"ru-RU", L"pl-PL", L"cs-CZ", L"ar-SA", L"ja-JP", L"th-TH", L"fa-IR"}) {
        if (!clock_) {
            Store(keys::kLanguage, tag);
            // Wine shapes Thai only in a base font that has it (Windows falls back to one itself): Arial
            // in Loma for that program. Wine reads this key as a program starts; Windows has none.
            ArialDrawnIn(std::wstring_view(tag) == L"th-TH" ? L"Loma" : L"DejaVu Sans");
            Start();
        }
        HWND settings = OpenSettingsByClickingTheFace();
        ASSERT_TRUE(settings) << tag;
        EXPECT_EQ(WindowText(settings), TextIn(*LanguageForTag(tag), IDS_SETTINGS_TITLE)) << tag;
        Sleep(300);  // painted
        RECT frame;
        GetWindowRect(settings, &frame);
        parts.push_back(support::TakeScreenPart(frame));
        PostClick(GetDlgItem(settings, form2::kPushButton1));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s)) << tag;
        ASSERT_TRUE(CloseWithin(10s)) << tag;
        clock_.reset();
    }
    ArialDrawnIn(L"DejaVu Sans");
    EXPECT_FALSE(support::SaveSideBySide(L"languages", parts, 4).empty());
}

// The alarms' side in the languages of the picture above: a clock ringing (its snooze ends as it starts),
// Clock options and the alarm list, for the README.
TEST_F(SpokenLanguage, ARingingClockClockOptionsAndTheAlarmsSideBySide) {
    const wchar_t* session = _wgetenv(L"TELLURANE_SESSION");
    if (!session || std::wstring(session) != L"languages") GTEST_SKIP() << "ctest runs this in the languages session";
    std::vector<support::ScreenPart> parts;
    for (const wchar_t* tag : {L"de-DE", L"ru-RU", L"pl-PL", L"cs-CZ", L"ar-SA", L"ja-JP", L"th-TH"}) {
        const Language& language = *LanguageForTag(tag);
        Store(keys::kLanguage, tag);
        const SettingsStore alarm = store_.Below(AlarmKey(1));
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        const auto ms = ((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
        for (const auto& [name, value] : {std::pair<const wchar_t*, std::wstring>{L"Time", L"07:30"},
                                          {L"Label", TextIn(language, IDS_SOUND_CALENDAR)},
                                          {L"On", L"1"},
                                          {L"Snoozed", std::to_wstring(ms + 3000)}}) {
            alarm.WriteSetting(name, value);
        }
        ArialDrawnIn(std::wstring_view(tag) == L"th-TH" ? L"Loma" : L"DejaVu Sans");
        Start();
        ASSERT_TRUE(WaitUntil(
            [&] {
                return FaceText().find(L"07:30") != std::wstring::npos ||
                       FaceText().find(L"7:30") != std::wstring::npos;
            },
            15s))
            << testing::PrintToString(FaceText());
        Sleep(300);
        parts.push_back(support::TakeScreenPart(Frame()));
        // Dismissed (a ringing clock takes nothing else), then the menu's second item, by keyboard.
        const std::wstring dismissText = TextIn(language, IDS_ALARM_DISMISS);
        const auto dismiss = [&] { return FindWindowExW(Window(), nullptr, nullptr, dismissText.c_str()); };
        ASSERT_TRUE(dismiss()) << tag;
        PostClick(dismiss());
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dismiss()); }, 5s)) << tag;
        ASSERT_TRUE(OpenFaceMenu()) << tag;
        for (const int key : {VK_DOWN, VK_DOWN, VK_RETURN}) support::PressKey(key);
        HWND options = support::FindTopLevel(clock_->ProcessId(), L"Tellurane.ClockOptions", support::kStateTimeout);
        ASSERT_TRUE(options) << tag;
        Sleep(300);
        parts.push_back(TakeWindow(options));
        PostClick(GetDlgItem(options, clock_options::kAlarms));
        HWND alarms = support::FindTopLevel(clock_->ProcessId(), L"Tellurane.Alarms", support::kStateTimeout);
        ASSERT_TRUE(alarms) << tag;
        Sleep(300);
        parts.push_back(TakeWindow(alarms));
        clock_.reset();  // its job ends it
    }
    ArialDrawnIn(L"DejaVu Sans");
    EXPECT_FALSE(support::SaveSideBySide(L"languages-alarms", parts, 3).empty());
}

}  // namespace
}  // namespace tellurane
