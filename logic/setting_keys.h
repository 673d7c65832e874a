#pragma once
// Every value the program stores, declared once: its name, its kind (which says how it is read and
// written), what a missing one reads as, the range it must lie in, and whose key holds it. The first
// clock's values sit in the settings key, another clock's in Clocks\N below it, under the same names.
// Whatever reads or writes a value goes through its declaration: SettingsStore::Read/Write/Number and
// the conversions below. A new value is one line in this table.

#include <array>
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

namespace keys {
using enum ValueKind;
inline constexpr Setting kForm1Top{L"Form1Top", Geometry, std::nullopt, 0, 0, Holder::Clock, false};
inline constexpr Setting kForm1Left{L"Form1Left", Geometry, std::nullopt, 0, 0, Holder::Clock, false};
inline constexpr Setting kForm1Height{L"Form1Height", Geometry, std::nullopt, 0, 0, Holder::Clock, false};
inline constexpr Setting kForm1Width{L"Form1Width", Geometry, std::nullopt, 0, 0, Holder::Clock, false};
inline constexpr Setting kFontColor{L"Font Color", Colour, 0};
inline constexpr Setting kFontSize{L"FontSize", Size, 20, 0, 2160};
inline constexpr Setting kAlwaysOnTop{L"Check1", Switch, 0, 0, 2};
inline constexpr Setting kDayMonthYear{L"Check2", Switch, 0, 0, 2};
inline constexpr Setting kRunAtStartup{L"Check3", Switch, 0, 0, 2, Holder::Program, false};
inline constexpr Setting kShowWeekday{L"Check4", Switch, 0, 0, 2};
inline constexpr Setting kMilitaryTime{L"Check6", Switch, 0, 0, 2};
inline constexpr Setting kTimeZone{L"TimeZone", Text, std::nullopt};
inline constexpr Setting kLabel{L"Label", Text, std::nullopt};
inline constexpr Setting kTimePicture{L"TimePicture", Text, std::nullopt};
inline constexpr Setting kDatePicture{L"DatePicture", Text, std::nullopt};
inline constexpr Setting kSkin{L"Skin", Text, std::nullopt};
inline constexpr Setting kCountdown{L"Countdown", Text, std::nullopt, 0, 0, Holder::Clock, false};
inline constexpr Setting kOpen{L"Open", Switch, 1, 0, 1, Holder::Clock, false};
inline constexpr Setting kStepAside{L"StepAside", Switch, 1, 0, 1};
inline constexpr Setting kClickThrough{L"ClickThrough", Switch, 0, 0, 1};
}  // namespace keys

// Every stored value, in the order above.
inline constexpr std::array<const Setting*, 20> kAllSettings{
    &keys::kForm1Top,     &keys::kForm1Left,   &keys::kForm1Height,  &keys::kForm1Width,   &keys::kFontColor,
    &keys::kFontSize,     &keys::kAlwaysOnTop, &keys::kDayMonthYear, &keys::kRunAtStartup, &keys::kShowWeekday,
    &keys::kMilitaryTime, &keys::kTimeZone,    &keys::kLabel,        &keys::kTimePicture,  &keys::kDatePicture,
    &keys::kSkin,         &keys::kCountdown,   &keys::kOpen,         &keys::kStepAside,    &keys::kClickThrough};

// The clocks after the first, each in Clocks\N below the settings key.
inline constexpr std::wstring_view kClocksSubKey = L"Clocks";

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
