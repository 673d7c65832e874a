#include "logic/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u00A0'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool StartsWith(std::wstring_view text, std::size_t at, std::wstring_view piece) {
    return !piece.empty() && text.substr(at, piece.size()) == piece;
}

bool IsControl(wchar_t c) { return c < L' ' || (c >= L'\x7F' && c <= L'\x9F'); }

// Quotes the offending text for an error box; control characters would break its lines.
std::wstring Quoted(std::wstring_view text) {
    constexpr std::size_t kShown = 40;
    std::wstring shown = L"\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        shown += IsControl(text[i]) ? L'?' : text[i];
    }
    if (text.size() > kShown) shown += L"...";
    return shown + L"\"";
}

[[noreturn]] void ThrowNotANumber(std::wstring_view text) { throw AppError(Tr(IDS_NOT_A_NUMBER, {Quoted(text)})); }

[[noreturn]] void ThrowOutOfRange(std::wstring_view text, std::wstring_view range) {
    throw AppError(Tr(IDS_NUMBER_OUT_OF_RANGE, {Quoted(text), range}));
}

// Exactly three digits start at `at`, and no fourth follows them.
bool IsGroupOfThree(std::wstring_view text, std::size_t at) {
    return at + 3 <= text.size() && IsDigit(text[at]) && IsDigit(text[at + 1]) && IsDigit(text[at + 2]) &&
           (at + 3 == text.size() || !IsDigit(text[at + 3]));
}

// Rewrites the text into the plain form that std::from_chars reads, or returns false.
bool Normalise(std::wstring_view text, const NumberFormat& format, std::string& out) {
    std::size_t at = 0;
    std::size_t end = text.size();
    while (at < end && IsBlank(text[at])) ++at;
    while (end > at && IsBlank(text[end - 1])) --end;
    text = text.substr(0, end);
    const bool grouped = !format.groupSeparator.empty() && format.groupSeparator != format.decimalSeparator;

    if (at < end && text[at] == L'+') {
        ++at;
    } else if (at < end && text[at] == L'-') {
        out += '-';
        ++at;
    } else if (StartsWith(text, at, format.negativeSign)) {
        out += '-';
        at += format.negativeSign.size();
    }

    std::size_t mantissaDigits = 0;
    while (at < end) {
        if (IsDigit(text[at])) {
            out += static_cast<char>(text[at]);
            ++mantissaDigits;
            ++at;
        } else if (grouped && StartsWith(text, at, format.groupSeparator)) {
            at += format.groupSeparator.size();
            if (mantissaDigits == 0 || !IsGroupOfThree(text, at)) return false;
        } else {
            break;
        }
    }
    if (StartsWith(text, at, format.decimalSeparator)) {
        at += format.decimalSeparator.size();
        out += '.';
        while (at < end && IsDigit(text[at])) {
            out += static_cast<char>(text[at]);
            ++mantissaDigits;
            ++at;
        }
    }
    if (mantissaDigits == 0) return false;

    if (at < end && (text[at] == L'e' || text[at] == L'E')) {
        out += 'e';
        ++at;
        if (at < end && (text[at] == L'+' || text[at] == L'-')) out += static_cast<char>(text[at++]);
        std::size_t exponentDigits = 0;
        while (at < end && IsDigit(text[at])) {
            out += static_cast<char>(text[at]);
            ++exponentDigits;
            ++at;
        }
        if (exponentDigits == 0) return false;
    }
    return at == end;
}

double FromPlain(std::wstring_view text, const std::string& plain) {
    double value = 0;
    const auto [ptr, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        ThrowOutOfRange(text, Tr(IDS_RANGE_TOO_LARGE));
    }
    if (error != std::errc{} || ptr != plain.data() + plain.size()) ThrowNotANumber(text);
    return value;
}

double InSingleRange(std::wstring_view text, double value) {
    // Anything below half a step above the largest float still rounds to it.
    const double limit = static_cast<double>(std::numeric_limits<float>::max()) + std::ldexp(1.0, 103);
    if (std::fabs(value) >= limit) {
        ThrowOutOfRange(text, Tr(IDS_RANGE_TOO_LARGE_SINGLE));
    }
    return value;
}

template <typename Integer>
Integer ToInteger(std::wstring_view text, const NumberFormat& format, std::wstring_view range) {
    const double rounded = std::nearbyint(ParseNumber(text, format));  // ties go to even
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        ThrowOutOfRange(text, range);
    }
    return static_cast<Integer>(rounded);
}

}  // namespace

double ParseNumber(std::wstring_view text, const NumberFormat& format) {
    std::string plain;
    if (!Normalise(text, format, plain)) ThrowNotANumber(text);
    return FromPlain(text, plain);
}

bool IsNumeric(std::wstring_view text, const NumberFormat& format) noexcept {
    try {
        ParseNumber(text, format);
        return true;
    } catch (const AppError&) {
        return false;
    } catch (...) {  // out of memory while copying the text: not a number we can use
        return false;
    }
}

std::int16_t ToInteger16(std::wstring_view text, const NumberFormat& format) {
    return ToInteger<std::int16_t>(text, format, L"-32768 to 32767");
}

std::int32_t ToInteger32(std::wstring_view text, const NumberFormat& format) {
    return ToInteger<std::int32_t>(text, format, L"-2147483648 to 2147483647");
}

float ToSingle(std::wstring_view text, const NumberFormat& format) {
    return static_cast<float>(InSingleRange(text, ParseNumber(text, format)));
}

namespace {

const NumberFormat kInvariantFormat{L".", L"", L"-"};

}  // namespace

double ParseStoredNumber(std::wstring_view text, const NumberFormat& user) {
    std::string plain;
    const double value = Normalise(text, kInvariantFormat, plain) ? FromPlain(text, plain) : ParseNumber(text, user);
    return InSingleRange(text, value);
}

std::wstring TypedToStoredText(std::wstring_view typed, const NumberFormat& user) {
    const float meant = ToSingle(typed, user);
    // Read in the invariant form alone: that is how every other regional setting reads it first.
    const bool plain = IsNumeric(typed, kInvariantFormat) &&
                       static_cast<float>(ParseStoredNumber(typed, kInvariantFormat)) == meant;
    if (plain) return std::wstring(typed);
    return SingleToText(meant, kInvariantFormat);
}

std::wstring StoredToTypedText(std::wstring_view stored, const NumberFormat& user) {
    try {
        const auto value = static_cast<float>(ParseStoredNumber(stored, user));
        if (IsNumeric(stored, user) && ToSingle(stored, user) == value) return std::wstring(stored);
        return SingleToText(value, user);
    } catch (const AppError&) {
        return std::wstring(stored);  // no number: the box shows it as it is, and its close replaces it
    }
}

std::wstring SingleToText(float value, const NumberFormat& format) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::wstring text;
    for (const char* c = buffer; c != result.ptr; ++c) {
        if (*c == '.') {
            text += format.decimalSeparator;
        } else {
            text += static_cast<wchar_t>(*c);
        }
    }
    return text;
}

std::wstring IntegerToText(std::int64_t value) { return std::to_wstring(value); }

std::wstring WholeNumberText(double value) {
    if (std::isnan(value)) return L"0";
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    // Converting the int, not the double, is what keeps "-0" out.
    return IntegerToText(static_cast<std::int32_t>(std::clamp(std::round(value), kLowest, kHighest)));
}

}  // namespace tellurane
