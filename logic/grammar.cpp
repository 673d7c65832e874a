#include "logic/grammar.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tellurane {
namespace {

// CLDR's operands of a number: its integer digits i, the count v of its written decimals, those decimals
// f, and n's remainders, which only a whole n has (n = 1.0 is whole; 1.5 % 10 is no integer).
struct Operands {
    std::uint64_t i = 0;
    int v = 0;
    std::uint64_t f = 0;
    std::uint64_t t = 0;  // f without its trailing zeros: only whether it is 0 matters here
    bool whole() const { return f == 0; }
    std::int64_t n(std::uint64_t modulo) const { return whole() ? static_cast<std::int64_t>(i % modulo) : -1; }
    bool nIs(std::uint64_t value) const { return whole() && i == value; }
};

std::optional<Operands> Parse(std::wstring_view number) {
    Operands o;
    bool decimals = false;
    int digits = 0;
    for (const wchar_t c : number) {
        if ((c == L'.' || c == L',') && !decimals && digits > 0) {
            decimals = true;
        } else if (c >= L'0' && c <= L'9' && ++digits <= 18) {
            (decimals ? o.f : o.i) = (decimals ? o.f : o.i) * 10 + static_cast<unsigned>(c - L'0');
            if (decimals) ++o.v;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 18 || (decimals && o.v == 0)) return std::nullopt;
    o.t = o.f;
    return o;
}

bool In(std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; }
bool In(std::uint64_t value, std::int64_t low, std::int64_t high) {
    return In(static_cast<std::int64_t>(value), low, high);
}

// The Romance languages' "many" is for whole millions: "1 000 000 de secondes".
bool Millions(const Operands& o) { return o.v == 0 && o.i != 0 && o.i % 1000000 == 0; }

Plural East(const Operands& o, bool fractions) {  // Russian and Ukrainian; Croatian and Serbian with fractions
    const std::uint64_t i10 = o.i % 10, i100 = o.i % 100, f10 = o.f % 10, f100 = o.f % 100;
    if (fractions) {
        if ((o.v == 0 && i10 == 1 && i100 != 11) || (f10 == 1 && f100 != 11)) return Plural::One;
        if ((o.v == 0 && In(i10, 2, 4) && !In(i100, 12, 14)) || (In(f10, 2, 4) && !In(f100, 12, 14)))
            return Plural::Few;
        return Plural::Other;
    }
    if (o.v != 0) return Plural::Other;
    if (i10 == 1 && i100 != 11) return Plural::One;
    if (In(i10, 2, 4) && !In(i100, 12, 14)) return Plural::Few;
    return Plural::Many;
}

Plural WestSlavic(const Operands& o, bool polish) {  // Czech and Slovak; Polish
    if (o.i == 1 && o.v == 0) return Plural::One;
    if (!polish) return o.v != 0 ? Plural::Many : In(o.i, 2, 4) ? Plural::Few : Plural::Other;
    if (o.v != 0) return Plural::Other;
    return In(o.i % 10, 2, 4) && !In(o.i % 100, 12, 14) ? Plural::Few : Plural::Many;
}

Plural Baltic(const Operands& o, bool latvian) {
    const std::int64_t n10 = o.n(10), n100 = o.n(100);
    if (latvian) {
        if (n10 == 0 || In(n100, 11, 19) || (o.v == 2 && In(o.f % 100, 11, 19))) return Plural::Zero;
        if ((n10 == 1 && n100 != 11) || (o.v == 2 && o.f % 10 == 1 && o.f % 100 != 11) || (o.v != 2 && o.f % 10 == 1)) {
            return Plural::One;
        }
        return Plural::Other;
    }
    if (n10 == 1 && !In(n100, 11, 19)) return Plural::One;
    if (In(n10, 2, 9) && !In(n100, 11, 19)) return Plural::Few;
    return o.f != 0 ? Plural::Many : Plural::Other;
}

Plural Arabic(const Operands& o) {
    const std::int64_t n100 = o.n(100);
    if (o.nIs(0)) return Plural::Zero;
    if (o.nIs(1)) return Plural::One;
    if (o.nIs(2)) return Plural::Two;
    if (In(n100, 3, 10)) return Plural::Few;
    if (In(n100, 11, 99)) return Plural::Many;
    return Plural::Other;
}

Plural Others(std::wstring_view language, std::wstring_view region, const Operands& o) {
    const bool oneAndWhole = o.i == 1 && o.v == 0;
    if (language == L"da") return o.nIs(1) || (o.t != 0 && o.i <= 1) ? Plural::One : Plural::Other;
    if (language == L"fr" || (language == L"pt" && region != L"pt")) {
        return o.i <= 1 ? Plural::One : Millions(o) ? Plural::Many : Plural::Other;
    }
    if (language == L"es") return o.nIs(1) ? Plural::One : Millions(o) ? Plural::Many : Plural::Other;
    if (language == L"it" || language == L"ca" || language == L"pt") {
        return oneAndWhole ? Plural::One : Millions(o) ? Plural::Many : Plural::Other;
    }
    if (language == L"hi" || language == L"fa") return o.i == 0 || o.nIs(1) ? Plural::One : Plural::Other;
    if (language == L"he") {
        if (oneAndWhole || (o.i == 0 && o.v != 0)) return Plural::One;
        return o.i == 2 && o.v == 0 ? Plural::Two : Plural::Other;
    }
    if (language == L"sl") {
        if (o.v != 0) return Plural::Few;
        const std::uint64_t i100 = o.i % 100;
        return i100 == 1 ? Plural::One : i100 == 2 ? Plural::Two : In(i100, 3, 4) ? Plural::Few : Plural::Other;
    }
    if (language == L"ro") {
        if (oneAndWhole) return Plural::One;
        return o.v != 0 || o.nIs(0) || In(o.n(100), 1, 19) ? Plural::Few : Plural::Other;
    }
    for (const std::wstring_view one : {L"bg", L"el", L"hu", L"nb", L"no", L"nn", L"tr"}) {
        if (language == one) return o.nIs(1) ? Plural::One : Plural::Other;
    }
    for (const std::wstring_view none : {L"ja", L"ko", L"zh", L"th", L"vi", L"id"}) {
        if (language == none) return Plural::Other;
    }
    return oneAndWhole ? Plural::One : Plural::Other;  // English, German, Dutch, the Nordic ones, Estonian
}

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c == L'_' ? L'-' : c;
    return lower;
}

}  // namespace

Plural PluralOf(std::wstring_view languageTag, std::wstring_view number) noexcept {
    try {
        const std::optional<Operands> o = Parse(number);
        if (!o) return Plural::Other;
        const std::wstring tag = Lower(languageTag);
        const std::wstring_view whole(tag);
        const std::wstring_view language = whole.substr(0, whole.find(L'-'));
        const std::wstring_view region = whole.size() > language.size() ? whole.substr(whole.rfind(L'-') + 1) : L"";
        if (language == L"ru" || language == L"uk") return East(*o, false);
        if (language == L"hr" || language == L"sr" || language == L"bs") return East(*o, true);
        if (language == L"cs" || language == L"sk" || language == L"pl") return WestSlavic(*o, language == L"pl");
        if (language == L"lv" || language == L"lt") return Baltic(*o, language == L"lv");
        if (language == L"ar") return Arabic(*o);
        return Others(language, region, *o);
    } catch (...) {
        return Plural::Other;
    }
}

std::wstring_view PluralName(Plural plural) noexcept {
    constexpr std::array<std::wstring_view, 6> kNames{L"zero", L"one", L"two", L"few", L"many", L"other"};
    return kNames[static_cast<std::size_t>(plural)];
}

std::wstring_view FormOf(std::wstring_view text, Plural plural) noexcept {
    std::wstring_view other;
    bool counted = false;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(L'|', start), text.size());
        const std::wstring_view part = text.substr(start, end - start);
        const std::size_t colon = part.find(L':');
        const std::wstring_view category = part.substr(0, colon == std::wstring_view::npos ? 0 : colon);
        bool known = false;
        for (int c = 0; c <= static_cast<int>(Plural::Other); ++c) known = known || category == PluralName(Plural(c));
        if (!known) return counted ? other : text;  // no form: the text as it is written
        counted = true;
        const std::wstring_view form = part.substr(colon + 1);
        if (category == PluralName(plural)) return form;
        if (category == PluralName(Plural::Other)) other = form;
        start = end + 1;
    }
    return other;
}

std::wstring_view ListSeparator(std::wstring_view languageTag) noexcept {
    const std::wstring_view language = languageTag.substr(0, languageTag.find(L'-'));
    if (language == L"ja" || language == L"zh") return L"\u3001";
    if (language == L"ar" || language == L"fa") return L"\u060C ";
    return L", ";
}

}  // namespace tellurane
