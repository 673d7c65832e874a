#include "logic/languages.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace tellurane {
namespace {

constexpr std::array kLanguages{
    Language{L"en-US", 0x0409, L"English", false},
    Language{L"ar-SA", 0x0401, L"\u0627\u0644\u0639\u0631\u0628\u064A\u0629", true},
    Language{L"bg-BG", 0x0402, L"\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438", false},
    Language{L"ca-ES", 0x0403, L"Catal\u00E0", false},
    Language{L"cs-CZ", 0x0405, L"\u010Ce\u0161tina", false},
    Language{L"da-DK", 0x0406, L"Dansk", false},
    Language{L"de-DE", 0x0407, L"Deutsch", false},
    Language{L"el-GR", 0x0408, L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", false},
    Language{L"es-ES", 0x0C0A, L"Espa\u00F1ol", false},
    Language{L"et-EE", 0x0425, L"Eesti", false},
    Language{L"fa-IR", 0x0429, L"\u0641\u0627\u0631\u0633\u06CC", true},
    Language{L"fi-FI", 0x040B, L"Suomi", false},
    Language{L"fr-FR", 0x040C, L"Fran\u00E7ais", false},
    Language{L"he-IL", 0x040D, L"\u05E2\u05D1\u05E8\u05D9\u05EA", true},
    Language{L"hi-IN", 0x0439, L"\u0939\u093F\u0928\u094D\u0926\u0940", false},
    Language{L"hr-HR", 0x041A, L"Hrvatski", false},
    Language{L"hu-HU", 0x040E, L"Magyar", false},
    Language{L"id-ID", 0x0421, L"Bahasa Indonesia", false},
    Language{L"it-IT", 0x0410, L"Italiano", false},
    Language{L"ja-JP", 0x0411, L"\u65E5\u672C\u8A9E", false},
    Language{L"ko-KR", 0x0412, L"\uD55C\uAD6D\uC5B4", false},
    Language{L"lt-LT", 0x0427, L"Lietuvi\u0173", false},
    Language{L"lv-LV", 0x0426, L"Latvie\u0161u", false},
    Language{L"nb-NO", 0x0414, L"Norsk (bokm\u00E5l)", false},
    Language{L"nl-NL", 0x0413, L"Nederlands", false},
    Language{L"pl-PL", 0x0415, L"Polski", false},
    Language{L"pt-BR", 0x0416, L"Portugu\u00EAs (Brasil)", false},
    Language{L"pt-PT", 0x0816, L"Portugu\u00EAs (Portugal)", false},
    Language{L"ro-RO", 0x0418, L"Rom\u00E2n\u0103", false},
    Language{L"ru-RU", 0x0419, L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439", false},
    Language{L"sk-SK", 0x041B, L"Sloven\u010Dina", false},
    Language{L"sl-SI", 0x0424, L"Sloven\u0161\u010Dina", false},
    Language{L"sr-Latn-RS", 0x241A, L"Srpski (latinica)", false},
    Language{L"sv-SE", 0x041D, L"Svenska", false},
    Language{L"th-TH", 0x041E, L"\u0E44\u0E17\u0E22", false},
    Language{L"tr-TR", 0x041F, L"T\u00FCrk\u00E7e", false},
    Language{L"uk-UA", 0x0422, L"\u0423\u043A\u0440\u0430\u0457\u043D\u0441\u044C\u043A\u0430", false},
    Language{L"vi-VN", 0x042A, L"Ti\u1EBFng Vi\u1EC7t", false},
    Language{L"zh-CN", 0x0804, L"\u4E2D\u6587(\u7B80\u4F53)", false},
    Language{L"zh-TW", 0x0404, L"\u4E2D\u6587(\u7E41\u9AD4)", false},
    Language{L"qps-ploc", 0x0501, L"[Ps\u00E9\u00FCd\u00F6]", false},
};

std::wstring Lower(std::wstring_view tag) {
    std::wstring lower;
    for (wchar_t c : tag) lower += c == L'_' ? L'-' : static_cast<wchar_t>(std::towlower(c));
    return lower;
}

std::wstring_view Primary(std::wstring_view tag) { return tag.substr(0, tag.find(L'-')); }

bool HasPart(std::wstring_view tag, std::wstring_view part) {
    for (std::size_t at = tag.find(L'-'); at != std::wstring_view::npos; at = tag.find(L'-', at + 1)) {
        if (tag.substr(at + 1, tag.find(L'-', at + 1) - at - 1) == part) return true;
    }
    return false;
}

const Language* ByTag(std::wstring_view lower) {
    for (const Language& language : kLanguages) {
        if (Lower(language.tag) == lower) return &language;
    }
    return nullptr;
}

}  // namespace

std::span<const Language> Languages() noexcept { return kLanguages; }
const Language& EnglishLanguage() noexcept { return kLanguages.front(); }

const Language* LanguageForTag(std::wstring_view tag) noexcept {
    try {
        const std::wstring lower = Lower(tag);
        if (const Language* exact = ByTag(lower)) return exact;
        const std::wstring_view primary = Primary(lower);
        if (primary == L"zh") {
            // A script, where there is one, says more than the region: zh-Hans-HK reads Simplified.
            const bool traditional = !HasPart(lower, L"hans") && (HasPart(lower, L"hant") || HasPart(lower, L"tw") ||
                                                                  HasPart(lower, L"hk") || HasPart(lower, L"mo"));
            return ByTag(traditional ? L"zh-tw" : L"zh-cn");
        }
        if (primary == L"no" || primary == L"nn") return ByTag(L"nb-no");
        // Portuguese outside Brazil is Portugal's, as Windows falls back; "pt" alone is Brazil's.
        if (primary == L"pt" && lower != L"pt" && !HasPart(lower, L"br")) return ByTag(L"pt-pt");
        if (primary.empty() || primary == L"qps") return nullptr;
        for (const Language& language : kLanguages) {
            if (Primary(Lower(language.tag)) == primary) return &language;
        }
    } catch (...) {
    }
    return nullptr;
}

const Language* ChooseLanguage(std::wstring_view stored, std::span<const std::wstring> preferred,
                               const std::function<bool(const Language&)>& has) {
    const auto usable = [&](std::wstring_view tag) {
        const Language* language = LanguageForTag(tag);
        return language && has(*language) ? language : nullptr;
    };
    if (const Language* chosen = stored.empty() ? nullptr : usable(stored)) return chosen;
    for (const std::wstring& tag : preferred) {
        if (const Language* chosen = usable(tag)) return chosen;
    }
    return &EnglishLanguage();
}

}  // namespace tellurane
