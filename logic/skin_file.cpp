#include "logic/skin_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <utility>

#include "logic/skin_text.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

using namespace skin_text;

template <typename Enum>
struct Word {
    const wchar_t* word;
    Enum value;
};

template <typename Enum, std::size_t N>
bool ReadWord(std::wstring_view text, const Word<Enum> (&words)[N], Enum& value) {
    for (const auto& word : words) {
        if (Same(text, word.word)) {
            value = word.value;
            return true;
        }
    }
    return false;
}

bool ReadYesNo(std::wstring_view text, bool& value) {
    const Word<bool> words[] = {{L"yes", true}, {L"no", false}};
    return ReadWord(text, words, value);
}

constexpr const wchar_t* kFaceKeys[] = {L"Font",   L"Weight", L"Italic",  L"TextColor", L"Background",
                                        L"Digits", L"Align",  L"Outline", L"Shadow",    L"Corner"};
constexpr const wchar_t* kWindowKeys[] = {L"Background", L"Frame", L"Opacity", L"Corners", L"DarkTitleBar"};

// A value a key does not take. The message names the key as the format spells it, with its part under [Dark].
struct BadValue {
    bool face;
    bool dark;
    std::wstring_view key;
    int line;

    [[noreturn]] void operator()(TextId rule) const {
        throw Failure{
            line, Tr(IDS_SKIN_MUST_BE, {(dark ? (face ? L"Face." : L"Window.") : L"") + std::wstring(key), Tr(rule)})};
    }
};

SkinOutline ReadOutline(std::wstring_view value, const BadValue& bad) {
    const auto parts = SplitCommas(value);
    SkinOutline outline;
    if (parts.size() != 2 || !ReadNumber(parts[0], outline.width) || outline.width < 0 || outline.width > 10 ||
        !ReadColor(parts[1], outline.color)) {
        bad(IDS_SKIN_RULE_OUTLINE);
    }
    return outline;
}

SkinShadow ReadShadow(std::wstring_view value, const BadValue& bad) {
    const auto parts = SplitCommas(value);
    SkinShadow shadow;
    if (parts.size() != 3 || !ReadNumber(parts[0], shadow.dx) || !ReadNumber(parts[1], shadow.dy) ||
        std::fabs(shadow.dx) > 20 || std::fabs(shadow.dy) > 20 || !ReadColor(parts[2], shadow.color, &shadow.alpha)) {
        bad(IDS_SKIN_RULE_SHADOW);
    }
    return shadow;
}

void SetFaceKey(SkinFace& f, std::wstring_view key, std::wstring_view value, const BadValue& bad) {
    if (key == L"Font") {
        f.fonts.clear();
        for (std::wstring_view name : SplitCommas(value)) {
            if (name.empty()) continue;
            // LOGFONT's lfFaceName holds 31 characters and its NUL.
            if (name.size() > 31) bad(IDS_SKIN_RULE_FONT_NAME_LENGTH);
            f.fonts.emplace_back(name);
        }
        if (f.fonts.empty()) bad(IDS_SKIN_RULE_FONTS);
    } else if (key == L"Weight") {
        int weight = 0;
        if (Same(value, L"normal")) {
            weight = 400;
        } else if (Same(value, L"bold")) {
            weight = 700;
        } else if (!ReadWhole(value, 100, 900, weight)) {
            bad(IDS_SKIN_RULE_WEIGHT);
        }
        f.weight = weight;
    } else if (key == L"Italic") {
        bool italic = false;
        if (!ReadYesNo(value, italic)) bad(IDS_SKIN_RULE_YES_NO);
        f.italic = italic;
    } else if (key == L"TextColor") {
        std::uint32_t color = 0;
        if (!ReadColor(value, color)) bad(IDS_SKIN_RULE_COLOUR);
        f.textColor = color;
    } else if (key == L"Background") {
        std::uint32_t color = 0;
        if (Same(value, L"none")) {
            f.background = std::optional<std::uint32_t>();
        } else if (ReadColor(value, color)) {
            f.background = std::optional<std::uint32_t>(color);
        } else {
            bad(IDS_SKIN_RULE_COLOUR_OR_NONE);
        }
    } else if (key == L"Digits") {
        const Word<SkinDigits> words[] = {{L"tabular", SkinDigits::Tabular},
                                          {L"proportional", SkinDigits::Proportional}};
        SkinDigits digits{};
        if (!ReadWord(value, words, digits)) bad(IDS_SKIN_RULE_DIGITS);
        f.digits = digits;
    } else if (key == L"Align") {
        const Word<SkinAlign> words[] = {
            {L"left", SkinAlign::Left}, {L"center", SkinAlign::Center}, {L"right", SkinAlign::Right}};
        SkinAlign align{};
        if (!ReadWord(value, words, align)) bad(IDS_SKIN_RULE_ALIGN);
        f.align = align;
    } else if (key == L"Outline") {
        f.outline = ReadOutline(value, bad);
    } else if (key == L"Shadow") {
        f.shadow = ReadShadow(value, bad);
    } else if (key == L"Corner") {
        double radius = 0;
        if (!ReadNumber(value, radius) || radius < 0 || radius > 100) bad(IDS_SKIN_RULE_CORNER);
        f.corner = radius;
    }
}

void SetWindowKey(SkinWindow& w, std::wstring_view key, std::wstring_view value, const BadValue& bad) {
    if (key == L"Background") {
        std::uint32_t color = 0;
        if (!ReadColor(value, color)) bad(IDS_SKIN_RULE_COLOUR);
        w.background = color;
    } else if (key == L"Frame") {
        const Word<SkinFrame> words[] = {
            {L"standard", SkinFrame::Standard}, {L"thin", SkinFrame::Thin}, {L"none", SkinFrame::None}};
        SkinFrame frame{};
        if (!ReadWord(value, words, frame)) bad(IDS_SKIN_RULE_FRAME);
        w.frame = frame;
    } else if (key == L"Opacity") {
        int opacity = 0;
        if (!ReadWhole(value, 20, 100, opacity)) bad(IDS_SKIN_RULE_OPACITY);
        w.opacity = opacity;
    } else if (key == L"Corners") {
        const Word<SkinCorners> words[] = {
            {L"default", SkinCorners::Default}, {L"round", SkinCorners::Round}, {L"square", SkinCorners::Square}};
        SkinCorners corners{};
        if (!ReadWord(value, words, corners)) bad(IDS_SKIN_RULE_CORNERS);
        w.corners = corners;
    } else if (key == L"DarkTitleBar") {
        const Word<SkinDarkTitleBar> words[] = {
            {L"auto", SkinDarkTitleBar::Auto}, {L"yes", SkinDarkTitleBar::Yes}, {L"no", SkinDarkTitleBar::No}};
        SkinDarkTitleBar title{};
        if (!ReadWord(value, words, title)) bad(IDS_SKIN_RULE_DARK_TITLE_BAR);
        w.darkTitleBar = title;
    }
}

// One key of [Face] or [Window] (also as Face.Key / Window.Key under [Dark]); false: not a key we know.
bool SetKey(SkinLook& look, bool face, bool dark, std::wstring_view written, std::wstring_view value, int line) {
    std::wstring_view key;
    for (const wchar_t* known :
         face ? std::span<const wchar_t* const>(kFaceKeys) : std::span<const wchar_t* const>(kWindowKeys)) {
        if (Same(written, known)) key = known;
    }
    if (key.empty()) return false;
    const BadValue bad{face, dark, key, line};
    if (face) {
        SetFaceKey(look.face, key, value, bad);
    } else {
        SetWindowKey(look.window, key, value, bad);
    }
    return true;
}

template <typename T>
void Over(std::optional<T>& base, const std::optional<T>& over) {
    if (over) base = over;
}

void ReadFormat(std::wstring_view value, int line) {
    double format = 0;
    if (!ReadNumber(value, format) || format != std::floor(format) || format < 1) {
        throw Failure{line, Tr(IDS_SKIN_FORMAT_WHOLE)};
    }
    if (format > kSkinFormat) {
        // Too large to print as a whole number: as it is written (plain ASCII, checked above).
        const std::wstring shown = format < 1e15        ? std::to_wstring(static_cast<long long>(format))
                                   : value.size() <= 40 ? std::wstring(value)
                                                        : Shown(value);
        throw Failure{line, Tr(IDS_SKIN_FORMAT_NEWER, {shown, std::to_wstring(kSkinFormat)})};
    }
}

// A comment runs from ';' at the start or after whitespace.
std::wstring_view WithoutComment(std::wstring_view content) {
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == L';' && (i == 0 || IsSpace(content[i - 1]))) return content.substr(0, i);
    }
    return content;
}

Skin Parse(std::string_view bytes) {
    if (bytes.size() > kMaxSkinBytes) throw Failure{0, Tr(IDS_SKIN_TOO_LARGE)};
    const Decoded decoded = Decode(bytes);
    const std::wstring& text = decoded.text;
    Skin skin;
    enum class Section { Other, Skin, Face, Window, Dark } section = Section::Other;
    int line = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        ++line;
        std::size_t end = at;
        while (end < text.size() && text[end] != L'\n' && text[end] != L'\r') ++end;
        std::wstring_view content(text.data() + at, end - at);
        at = end + ((end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n') ? 2 : 1);
        content = Trim(WithoutComment(content));
        if (content.empty()) continue;
        const auto equals = content.find(L'=');
        const bool sectionLine = content.front() == L'[' && content.back() == L']' && content.size() >= 2;
        if (!sectionLine &&
            (content.front() == L'[' || equals == std::wstring_view::npos || Trim(content.substr(0, equals)).empty())) {
            throw Failure{line, Tr(IDS_SKIN_EXPECTED_LINE, {Shown(content)})};
        }
        if (sectionLine) {
            const std::wstring_view name = Trim(content.substr(1, content.size() - 2));
            section = Same(name, L"Skin")     ? Section::Skin
                      : Same(name, L"Face")   ? Section::Face
                      : Same(name, L"Window") ? Section::Window
                      : Same(name, L"Dark")   ? Section::Dark
                                              : Section::Other;
            continue;
        }
        const std::wstring_view key = Trim(content.substr(0, equals));
        const std::wstring_view value = Trim(content.substr(equals + 1));
        switch (section) {
            case Section::Skin:
                if (Same(key, L"Name")) skin.name = value;
                if (Same(key, L"Author")) skin.author = value;
                if (Same(key, L"Format")) ReadFormat(value, line);
                break;
            case Section::Face:
                SetKey(skin.look, true, false, key, value, line);
                break;
            case Section::Window:
                SetKey(skin.look, false, false, key, value, line);
                break;
            case Section::Dark: {
                const auto dot = key.find(L'.');
                if (dot == std::wstring_view::npos) break;
                const std::wstring_view part = Trim(key.substr(0, dot)), name = Trim(key.substr(dot + 1));
                if (Same(part, L"Face")) SetKey(skin.dark, true, true, name, value, line);
                if (Same(part, L"Window")) SetKey(skin.dark, false, true, name, value, line);
                break;
            }
            case Section::Other:
                break;
        }
    }
    // The bytes went wrong after every line above was read without a mistake.
    if (decoded.failure) throw *decoded.failure;
    return skin;
}

}  // namespace

SkinLook Skin::LookFor(bool darkMode) const {
    SkinLook result = look;
    if (!darkMode) return result;
    SkinFace& f = result.face;
    const SkinFace& d = dark.face;
    if (!d.fonts.empty()) f.fonts = d.fonts;
    Over(f.weight, d.weight);
    Over(f.italic, d.italic);
    Over(f.textColor, d.textColor);
    Over(f.background, d.background);
    Over(f.digits, d.digits);
    Over(f.align, d.align);
    Over(f.outline, d.outline);
    Over(f.shadow, d.shadow);
    Over(f.corner, d.corner);
    SkinWindow& w = result.window;
    const SkinWindow& dw = dark.window;
    Over(w.background, dw.background);
    Over(w.frame, dw.frame);
    Over(w.opacity, dw.opacity);
    Over(w.corners, dw.corners);
    Over(w.darkTitleBar, dw.darkTitleBar);
    return result;
}

std::variant<Skin, SkinError> ParseSkin(std::string_view bytes) {
    try {
        return Parse(bytes);
    } catch (const Failure& failure) {
        return SkinError{failure.line, failure.message};
    } catch (...) {
        return SkinError{0, TrOr(IDS_SKIN_CANNOT_READ_MEMORY, L"the file cannot be read (out of memory)")};
    }
}

std::wstring SkinErrorText(std::wstring_view file, const SkinError& error) {
    std::wstring text(file);
    if (error.line > 0) text = Tr(IDS_SKIN_FILE_LINE, {text, std::to_wstring(error.line)});
    return text + L": " + error.message;
}

}  // namespace tellurane
