#pragma once
// Numbers as the settings store keeps them: decimal texts in the user's number format.
// Everything the program writes reads back as the same number.

#include <cstdint>
#include <string>
#include <string_view>

namespace tellurane {

struct NumberFormat {
    std::wstring decimalSeparator = L".";
    std::wstring groupSeparator = L",";
    std::wstring negativeSign = L"-";
};

// Parses a number: surrounding blanks, an optional sign, digits (group separators allowed
// between digits of the whole part), an optional fraction and an optional exponent.
// Throws AppError naming the text when it is not a number or is too large for a double.
double ParseNumber(std::wstring_view text, const NumberFormat& format);

bool IsNumeric(std::wstring_view text, const NumberFormat& format) noexcept;

// Rounds to the nearest integer, a half to the even one; throws AppError when out of range.
std::int16_t ToInteger16(std::wstring_view text, const NumberFormat& format);
std::int32_t ToInteger32(std::wstring_view text, const NumberFormat& format);
float ToSingle(std::wstring_view text, const NumberFormat& format);

// The shortest decimal text that reads back as exactly the same value.
std::wstring SingleToText(float value, const NumberFormat& format);
std::wstring IntegerToText(std::int64_t value);

}  // namespace tellurane
