#pragma once
// The skin file's bytes as text: UTF-8, with or without its byte-order mark, or UTF-16 with its mark.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace tellurane::skin_text
