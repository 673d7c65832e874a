#pragma once
// Numbers as the settings store keeps them: decimal texts, in the user's number format or in
// the plain invariant form. Everything the program writes reads back as the same number.

#include <cstdint>
#include <string>
#include <string_view>

namespace tellurane {

struct NumberFormat {
    std::wstring decimalSeparator = L".";
    std::wstring groupSeparator = L",";
    std::wstring negativeSign = L"-";
};

// Parses a number: surrounding blanks (space, tab, no-break space), an optional sign ('+', '-'
// or the format's negative sign), digits, an optional fraction and an optional exponent (e or E).
// A group separator may stand only between digits of the whole part, each one followed by exactly
// three digits: "1,5" or "1,,000" is more likely a mistyped decimal than a thousand.
// Throws AppError naming the text when it is not a number or is too large for a double.
double ParseNumber(std::wstring_view text, const NumberFormat& format);

bool IsNumeric(std::wstring_view text, const NumberFormat& format) noexcept;

// Rounds to the nearest integer, a half to the even one; throws AppError when out of range.
std::int16_t ToInteger16(std::wstring_view text, const NumberFormat& format);
std::int32_t ToInteger32(std::wstring_view text, const NumberFormat& format);
// Throws AppError when the number would not round to a finite float.
float ToSingle(std::wstring_view text, const NumberFormat& format);

// Reads a stored number whichever regional settings wrote it: first the invariant form
// ("7507.5", "1e+05", "-60": '.' as decimal point, no groups), then the user's format ("7507,5").
// The invariant form goes first because a text written under English settings must not read as
// ten times as much under German ones. Throws AppError as ToSingle does, the value being stored
// as a float.
double ParseStoredNumber(std::wstring_view text, const NumberFormat& user);

// A number typed under the user's format, as the store keeps it: the text as typed when its invariant
// form says what the user meant (so every regional setting reads it back alike), otherwise the
// invariant form of the user's value ("24,5" under German settings is kept as "24.5"). Throws as
// ToSingle does.
std::wstring TypedToStoredText(std::wstring_view typed, const NumberFormat& user);
// The other way, for a box the user edits: a stored text that the user's format reads otherwise than
// the store does is shown in the user's format ("24.5" as "24,5"); anything else as it is stored.
std::wstring StoredToTypedText(std::wstring_view stored, const NumberFormat& user);

// The shortest decimal text that reads back as exactly the same value.
std::wstring SingleToText(float value, const NumberFormat& format);
std::wstring IntegerToText(std::int64_t value);

// Rounds to the nearest whole number (halves away from zero) and writes it as an optional '-' and
// ASCII digits, which every regional setting reads back the same. Clamped to the 32-bit range,
// which no geometry comes near; NaN is written as "0" rather than as a text nothing reads.
std::wstring WholeNumberText(double value);

}  // namespace tellurane
