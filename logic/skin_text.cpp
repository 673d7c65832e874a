#include "logic/skin_text.h"

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

    Decoded Fail(const wchar_t* what) {
        decoded_.text.resize(lineStart_);
        decoded_.failure = Failure{line_, what};
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
        if (LowSurrogate(unit)) return out.Fail(L"the text is not UTF-16");
        if (HighSurrogate(unit)) {
            const std::uint32_t low = i + 3 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) |
                                                                 (static_cast<unsigned char>(bytes[i + 3]) << 8)
                                                           : 0;
            if (!LowSurrogate(low)) return out.Fail(L"the text is not UTF-16");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (unit == 0) return out.Fail(L"the text holds a NUL character");
        out.Put(unit);
    }
    if (bytes.size() % 2) return out.Fail(L"the text is not UTF-16: it ends in half a character");
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
            return out.Fail(L"the text is not UTF-8");
        }
        if (length > bytes.size() - i) return out.Fail(L"the text is not UTF-8");
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return out.Fail(L"the text is not UTF-8");
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode's end are not UTF-8 either.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return out.Fail(L"the text is not UTF-8");
        }
        if (code == 0) return out.Fail(L"the text holds a NUL character");
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

}  // namespace tellurane::skin_text
