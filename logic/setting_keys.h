#pragma once
// Every value the program stores, declared once: its name, its kind (which says how it is read and
// written), what a missing one reads as, the range it must lie in, and whose key holds it. The first
// clock's values sit in the settings key, another clock's in Clocks\N below it, under the same names.
// Whatever reads or writes a value goes through its declaration: SettingsStore::Read/Write/Number and
// the conversions below. A new value is one line in this table.

#include <optional>
#include <string>
#include <string_view>

#include "logic/number_text.h"

namespace tellurane {

enum class ValueKind {
    Switch,    // a check box's state as a 16-bit integer: 0, 1 or 2 (grey); on only at 1
    Size,      // the face's text size in points, kept in the invariant form when that says the same
    Colour,    // a colour as a signed 32-bit integer (0x00BBGGRR)
    Geometry,  // a window's place or size in twips at 96 DPI, in whole digits
    Text,      // a text as it stands; missing reads as empty
};

// Whose key holds a value: the program's alone (the first clock's key), or each clock's own.
enum class Holder { Program, Clock };

struct Setting {
    std::wstring_view name;
    ValueKind kind;
    std::optional<double> fallback;  // what a missing value reads as; none: the window's own (its layout)
    double low = 0;                  // a number's range: above low (Size) or from low (others) ...
    double high = 0;                 // ... up to high; low == high: any number of its kind
    Holder holder = Holder::Clock;
    bool newClockTakes = true;  // New clock starts with the value of the clock it was made from

    // Where a key's name is wanted (a registry call, a test), the declaration gives it.
    constexpr operator std::wstring_view() const noexcept { return name; }  // NOLINT(google-explicit-constructor)
};

// The table: one line a value. Its name in the code, its name in the store, its kind, what a missing one
// reads as, its range, whose key holds it, and whether a new clock takes it from the one it came from.
#define TELLURANE_STORED_VALUES(VALUE)                                                      \
    VALUE(kForm1Top, L"Form1Top", Geometry, std::nullopt, 0, 0, Holder::Clock, false)       \
    VALUE(kForm1Left, L"Form1Left", Geometry, std::nullopt, 0, 0, Holder::Clock, false)     \
    VALUE(kForm1Height, L"Form1Height", Geometry, std::nullopt, 0, 0, Holder::Clock, false) \
    VALUE(kForm1Width, L"Form1Width", Geometry, std::nullopt, 0, 0, Holder::Clock, false)   \
    VALUE(kFontColor, L"Font Color", Colour, 0, 0, 0, Holder::Clock, true)                  \
    VALUE(kFontSize, L"FontSize", Size, 20, 0, 2160, Holder::Clock, true)                   \
    VALUE(kAlwaysOnTop, L"Check1", Switch, 0, 0, 2, Holder::Clock, true)                    \
    VALUE(kDayMonthYear, L"Check2", Switch, 0, 0, 2, Holder::Clock, true)                   \
    VALUE(kRunAtStartup, L"Check3", Switch, 0, 0, 2, Holder::Program, false)                \
    VALUE(kShowWeekday, L"Check4", Switch, 0, 0, 2, Holder::Clock, true)                    \
    VALUE(kMilitaryTime, L"Check6", Switch, 0, 0, 2, Holder::Clock, true)                   \
    VALUE(kTimeZone, L"TimeZone", Text, std::nullopt, 0, 0, Holder::Clock, true)            \
    VALUE(kLabel, L"Label", Text, std::nullopt, 0, 0, Holder::Clock, true)                  \
    VALUE(kTimePicture, L"TimePicture", Text, std::nullopt, 0, 0, Holder::Clock, true)      \
    VALUE(kDatePicture, L"DatePicture", Text, std::nullopt, 0, 0, Holder::Clock, true)      \
    VALUE(kSkin, L"Skin", Text, std::nullopt, 0, 0, Holder::Clock, true)                    \
    VALUE(kCountdown, L"Countdown", Text, std::nullopt, 0, 0, Holder::Clock, false)         \
    VALUE(kOpen, L"Open", Switch, 1, 0, 1, Holder::Clock, false)                            \
    VALUE(kStepAside, L"StepAside", Switch, 1, 0, 1, Holder::Clock, true)                   \
    VALUE(kClickThrough, L"ClickThrough", Switch, 0, 0, 1, Holder::Clock, true)             \
    VALUE(kLanguage, L"Language", Text, std::nullopt, 0, 0, Holder::Program, false)         \
    VALUE(kChime, L"Chime", Switch, 0, 0, 2, Holder::Clock, false)                          \
    VALUE(kChimeQuiet, L"ChimeQuiet", Text, std::nullopt, 0, 0, Holder::Clock, false)       \
    VALUE(kChimeSound, L"ChimeSound", Text, std::nullopt, 0, 0, Holder::Clock, false)       \
    VALUE(kAlarmsSeen, L"AlarmsSeen", Text, std::nullopt, 0, 0, Holder::Program, false)

namespace keys {
using enum ValueKind;
#define TELLURANE_DECLARE_VALUE(id, ...) inline constexpr Setting id{__VA_ARGS__};
TELLURANE_STORED_VALUES(TELLURANE_DECLARE_VALUE)
#undef TELLURANE_DECLARE_VALUE
}  // namespace keys

// Every stored value, in the table's order.
#define TELLURANE_LIST_VALUE(id, ...) &keys::id,  // NOLINT(bugprone-macro-parentheses): a name, not an expression
inline constexpr const Setting* kAllSettings[] = {TELLURANE_STORED_VALUES(TELLURANE_LIST_VALUE)};
#undef TELLURANE_LIST_VALUE

// The clocks after the first, each in Clocks\N below the settings key.
inline constexpr std::wstring_view kClocksSubKey = L"Clocks";
// A clock's alarms, each in Alarms\N below the clock's key.
inline constexpr std::wstring_view kAlarmsSubKey = L"Alarms";

// The number a stored text holds, read whichever regional settings wrote it (the invariant form first,
// then the user's). Throws AppError for a text that is no number of the value's kind, or one outside its
// range (the face's size: above 0 and at most 2160 points).
double StoredNumber(const Setting& setting, std::wstring_view text, const NumberFormat& user);
// Whether a switch's text is on (1); any other number is off. Throws AppError for a text that is no number.
bool StoredSwitchOn(std::wstring_view text, const NumberFormat& user);
// A number as the program writes it for that value: whole digits, or for the size the invariant form.
std::wstring NumberToStored(const Setting& setting, double value);
// A number the user typed, as the program stores it: the text as typed when its invariant reading says
// what the user meant, otherwise its invariant form ("24,5" under German settings is kept as "24.5"); a
// text that is no number at all is kept as typed, and said where it is applied.
std::wstring TypedToStored(std::wstring_view typed, const NumberFormat& user);
// What a missing value reads as, as text (ReadSetting's answer); empty for a text or a place.
std::wstring FallbackText(const Setting& setting, const NumberFormat& user);

}  // namespace tellurane
