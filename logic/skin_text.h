#pragma once
// The skin file's text: its bytes decoded (UTF-8, with or without its byte-order mark, or UTF-16 with its
// mark), and the plain values written in it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellurane::skin_text {

// What is wrong, and on which line of the file.
struct Failure {
    int line;
    std::wstring message;
};

inline bool HighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool LowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The file as text. Where the bytes stop making sense, the text ends at the start of that line and the
// failure is kept, so that a mistake on an earlier line is still the one reported.
struct Decoded {
    std::wstring text;
    std::optional<Failure> failure;
};

Decoded Decode(std::string_view bytes);

bool IsSpace(wchar_t c);
// Blanks (spaces and tabs) off both ends.
std::wstring_view Trim(std::wstring_view text);
// Equal, ignoring the case of ASCII letters.
bool Same(std::wstring_view a, std::wstring_view b);
// User text in a message: at most 40 characters (never half of a pair), nothing that could break the box.
std::wstring Shown(std::wstring_view text);
// Plain ASCII numbers, whatever the regional settings: optional sign, digits, optional fraction.
bool ReadNumber(std::wstring_view text, double& value);
// A whole number from low to high.
bool ReadWhole(std::wstring_view text, int low, int high, int& value);
// "#RRGGBB" (or "#RRGGBBAA" when alpha is wanted) to 0x00BBGGRR and the alpha.
bool ReadColor(std::wstring_view text, std::uint32_t& color, std::uint8_t* alpha = nullptr);
// The parts between commas, each trimmed.
std::vector<std::wstring_view> SplitCommas(std::wstring_view text);

}  // namespace tellurane::skin_text
