#include "logic/texts.h"

#include <algorithm>
#include <iterator>

#include "logic/grammar.h"

namespace tellurane {
namespace {

struct EnglishEntry {
    TextId id;
    std::wstring_view text;
};

// Made by the build from resources/lang/en-US.rc, in its order.
constexpr EnglishEntry kEnglish[] = {
#include "english_texts.inc"
};

TextSource g_source = nullptr;
std::wstring_view g_language = L"en-US";

}  // namespace

std::wstring_view EnglishText(TextId id) noexcept {
    const auto* entry = std::find_if(std::begin(kEnglish), std::end(kEnglish),
                                     [id](const EnglishEntry& e) { return e.id == id; });
    return entry == std::end(kEnglish) ? std::wstring_view() : entry->text;
}

void SetTextSource(TextSource source, std::wstring_view languageTag) noexcept {
    g_source = source;
    g_language = source ? languageTag : L"en-US";
}

std::wstring_view TextLanguage() noexcept { return g_language; }

namespace {

// The text as its table has it, all its forms if it has a count.
std::wstring Written(TextId id) {
    std::wstring text;
    if (g_source && g_source(id, text) && !text.empty()) return text;
    return std::wstring(EnglishText(id));
}

}  // namespace

std::wstring Tr(TextId id) { return std::wstring(FormOf(Written(id), Plural::Other)); }

std::wstring InsertInto(std::wstring_view text, std::initializer_list<std::wstring_view> inserts) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 1 < text.size()) {
            const wchar_t next = text[i + 1];
            if (next == L'%') {
                out += L'%';
                ++i;
                continue;
            }
            if (next >= L'1' && next <= L'9' && static_cast<std::size_t>(next - L'1') < inserts.size()) {
                out += *(inserts.begin() + (next - L'1'));
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::wstring Tr(TextId id, std::initializer_list<std::wstring_view> inserts) {
    const std::wstring written = Written(id);
    const Plural plural = inserts.size() > 0 ? PluralOf(g_language, *inserts.begin()) : Plural::Other;
    return InsertInto(FormOf(written, plural), inserts);
}

std::wstring TrOr(TextId id, std::wstring_view english) noexcept {
    try {
        return Tr(id);
    } catch (...) {
        try {
            return std::wstring(english);
        } catch (...) {
            return {};
        }
    }
}

}  // namespace tellurane
