#include "logic/skin_text.h"
#include "logic/texts.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace tellurane::skin_text {
namespace {

class Decoder {
public:
    explicit Decoder(std::size_t size) { decoded_.text.reserve(size); }

    // Wide text as the platform has it: UTF-16 on Windows, whole code points where wchar_t is wider.
    void Put(std::uint32_t code) {
        if (sizeof(wchar_t) == 2 && code >= 0x10000) {
            code -= 0x10000;
            decoded_.text += static_cast<wchar_t>(0xD800 + (code >> 10));
            decoded_.text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
            return;
        }
        // LF, CRLF and CR each end a line, as the reader sees them.
        if (code == L'\r' || (code == L'\n' && (decoded_.text.empty() || decoded_.text.back() != L'\r'))) ++line_;
        decoded_.text += static_cast<wchar_t>(code);
        if (code == L'\r' || code == L'\n') lineStart_ = decoded_.text.size();
    }

    Decoded Fail(TextId what) {
        decoded_.text.resize(lineStart_);
        decoded_.failure = Failure{line_, Tr(what)};
        return std::move(decoded_);
    }

    Decoded Done() { return std::move(decoded_); }

private:
    Decoded decoded_;
    int line_ = 1;
    std::size_t lineStart_ = 0;
};

Decoded DecodeUtf16(std::string_view bytes) {
    Decoder out(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (LowSurrogate(unit)) return out.Fail(IDS_SKIN_NOT_UTF16);
        if (HighSurrogate(unit)) {
            const std::uint32_t low = i + 3 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) |
                                                                 (static_cast<unsigned char>(bytes[i + 3]) << 8)
                                                           : 0;
            if (!LowSurrogate(low)) return out.Fail(IDS_SKIN_NOT_UTF16);
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (unit == 0) return out.Fail(IDS_SKIN_NUL);
        out.Put(unit);
    }
    if (bytes.size() % 2) return out.Fail(IDS_SKIN_HALF_CHARACTER);
    return out.Done();
}

Decoded DecodeUtf8(std::string_view bytes) {
    Decoder out(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::uint32_t code = lead;
        std::size_t length = 1;
        if (lead >= 0xC2 && lead <= 0xDF) {
            code = lead & 0x1F, length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            code = lead & 0x0F, length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            code = lead & 0x07, length = 4;
        } else if (lead >= 0x80) {
            return out.Fail(IDS_SKIN_NOT_UTF8);
        }
        if (length > bytes.size() - i) return out.Fail(IDS_SKIN_NOT_UTF8);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return out.Fail(IDS_SKIN_NOT_UTF8);
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode's end are not UTF-8 either.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return out.Fail(IDS_SKIN_NOT_UTF8);
        }
        if (code == 0) return out.Fail(IDS_SKIN_NUL);
        out.Put(code);
        i += length;
    }
    return out.Done();
}

}  // namespace

Decoded Decode(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return DecodeUtf8(bytes);
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool Same(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// What a message may not show as it is: controls, and marks that break lines or turn text round.
bool Unsafe(wchar_t c) {
    return c < L' ' || (c >= 0x7F && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// User text in a message: at most 40 characters (never half of a pair), nothing that could break the box.
std::wstring Shown(std::wstring_view text) {
    std::size_t length = std::min<std::size_t>(text.size(), 40);
    if (length < text.size() && HighSurrogate(static_cast<std::uint32_t>(text[length - 1]))) --length;
    std::wstring shown = L"\"";
    for (std::size_t i = 0; i < length; ++i) shown += Unsafe(text[i]) ? L'?' : text[i];
    if (length < text.size()) shown += L"...";
    return shown + L"\"";
}

// Plain ASCII numbers, whatever the regional settings: optional sign, digits, optional fraction.
bool ReadNumber(std::wstring_view text, double& value) {
    text = Trim(text);
    if (text.empty()) return false;
    std::string ascii;
    bool digits = false, point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c >= L'0' && c <= L'9') {
            digits = true;
        } else if (c == L'.' && !point) {
            point = true;
        } else if (!((c == L'-' || c == L'+') && i == 0)) {
            return false;
        }
        ascii += static_cast<char>(c);
    }
    if (!digits) return false;
    if (ascii[0] == '+') ascii.erase(0, 1);
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return error == std::errc{} && end == ascii.data() + ascii.size() && std::isfinite(value);
}

bool ReadWhole(std::wstring_view text, int low, int high, int& value) {
    double number = 0;
    if (!ReadNumber(text, number) || number != std::floor(number) || number < low || number > high) return false;
    value = static_cast<int>(number);
    return true;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// "#RRGGBB" (or "#RRGGBBAA" when alpha is wanted) to 0x00BBGGRR and the alpha.
bool ReadColor(std::wstring_view text, std::uint32_t& color, std::uint8_t* alpha) {
    text = Trim(text);
    const std::size_t digits = alpha ? 8 : 6;
    if (text.size() != digits + 1 || text[0] != L'#') return false;
    std::uint32_t bytes[4] = {};
    for (std::size_t i = 0; i < digits / 2; ++i) {
        const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<std::uint32_t>(high * 16 + low);
    }
    color = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    if (alpha) *alpha = static_cast<std::uint8_t>(bytes[3]);
    return true;
}

std::vector<std::wstring_view> SplitCommas(std::wstring_view text) {
    std::vector<std::wstring_view> parts;
    for (;;) {
        const auto comma = text.find(L',');
        parts.push_back(Trim(text.substr(0, comma)));
        if (comma == std::wstring_view::npos) return parts;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace tellurane::skin_text
