#include "logic/skin_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tellurane {
namespace {

Skin Parsed(const std::string& text) {
    auto result = ParseSkin(text);
    if (auto* error = std::get_if<SkinError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << testing::PrintToString(error->message) << " for "
                      << testing::PrintToString(text);
        return {};
    }
    return std::get<Skin>(result);
}

SkinError Refused(const std::string& text) {
    auto result = ParseSkin(text);
    if (auto* error = std::get_if<SkinError>(&result)) return *error;
    ADD_FAILURE() << "accepted " << testing::PrintToString(text);
    return {};
}

using Fonts = std::vector<std::wstring>;

// Each key with values it takes, and what each gives.
struct Good {
    const char* text;
    bool (*holds)(const SkinLook&);
};
const Good kGood[] = {
    {"[Face]\nFont = Segoe UI, , Arial ,",
     [](const SkinLook& l) {
         return l.face.fonts == Fonts{L"Segoe UI", L"Arial"};
     }},
    {"[Face]\nFont = 1234567890123456789012345678901", [](const SkinLook& l) { return l.face.fonts.size() == 1; }},
    {"[Face]\nWeight = 100", [](const SkinLook& l) { return l.face.weight == 100; }},
    {"[Face]\nWeight = 900", [](const SkinLook& l) { return l.face.weight == 900; }},
    {"[Face]\nWeight = NORMAL", [](const SkinLook& l) { return l.face.weight == 400; }},
    {"[Face]\nWeight = bold", [](const SkinLook& l) { return l.face.weight == 700; }},
    {"[Face]\nItalic = yes", [](const SkinLook& l) { return l.face.italic == true; }},
    {"[Face]\nItalic = No", [](const SkinLook& l) { return l.face.italic == false; }},
    {"[Face]\nTextColor = #FF8000", [](const SkinLook& l) { return l.face.textColor == 0x0080FFu; }},
    {"[Face]\nTextColor = #abcdef", [](const SkinLook& l) { return l.face.textColor == 0xEFCDABu; }},
    {"[Face]\nBackground = none", [](const SkinLook& l) { return l.face.background && !*l.face.background; }},
    {"[Face]\nBackground = #0000ff",
     [](const SkinLook& l) { return l.face.background == std::optional<std::uint32_t>(0xFF0000u); }},
    {"[Face]\nDigits = Tabular", [](const SkinLook& l) { return l.face.digits == SkinDigits::Tabular; }},
    {"[Face]\nDigits = proportional", [](const SkinLook& l) { return l.face.digits == SkinDigits::Proportional; }},
    {"[Face]\nAlign = left", [](const SkinLook& l) { return l.face.align == SkinAlign::Left; }},
    {"[Face]\nAlign = Center", [](const SkinLook& l) { return l.face.align == SkinAlign::Center; }},
    {"[Face]\nAlign = right", [](const SkinLook& l) { return l.face.align == SkinAlign::Right; }},
    {"[Face]\nOutline = 0, #000000", [](const SkinLook& l) { return l.face.outline && l.face.outline->width == 0; }},
    {"[Face]\nOutline = 10,#0000FF",
     [](const SkinLook& l) {
         return l.face.outline && l.face.outline->width == 10 && l.face.outline->color == 0xFF0000u;
     }},
    {"[Face]\nOutline = .5, #000000", [](const SkinLook& l) { return l.face.outline && l.face.outline->width == 0.5; }},
    {"[Face]\nShadow = -20, +20, #01020380",
     [](const SkinLook& l) {
         return l.face.shadow && l.face.shadow->dx == -20 && l.face.shadow->dy == 20 &&
                l.face.shadow->color == 0x030201u && l.face.shadow->alpha == 0x80;
     }},
    {"[Face]\nCorner = 0", [](const SkinLook& l) { return l.face.corner == 0.0; }},
    {"[Face]\nCorner = 100.0", [](const SkinLook& l) { return l.face.corner == 100.0; }},
    {"[Window]\nBackground = #102030", [](const SkinLook& l) { return l.window.background == 0x302010u; }},
    {"[Window]\nFrame = standard", [](const SkinLook& l) { return l.window.frame == SkinFrame::Standard; }},
    {"[Window]\nFrame = THIN", [](const SkinLook& l) { return l.window.frame == SkinFrame::Thin; }},
    {"[Window]\nFrame = none", [](const SkinLook& l) { return l.window.frame == SkinFrame::None; }},
    {"[Window]\nOpacity = 20", [](const SkinLook& l) { return l.window.opacity == 20; }},
    {"[Window]\nOpacity = 100", [](const SkinLook& l) { return l.window.opacity == 100; }},
    {"[Window]\nCorners = default", [](const SkinLook& l) { return l.window.corners == SkinCorners::Default; }},
    {"[Window]\nCorners = round", [](const SkinLook& l) { return l.window.corners == SkinCorners::Round; }},
    {"[Window]\nCorners = square", [](const SkinLook& l) { return l.window.corners == SkinCorners::Square; }},
    {"[Window]\nDarkTitleBar = auto",
     [](const SkinLook& l) { return l.window.darkTitleBar == SkinDarkTitleBar::Auto; }},
    {"[Window]\nDarkTitleBar = yes", [](const SkinLook& l) { return l.window.darkTitleBar == SkinDarkTitleBar::Yes; }},
    {"[Window]\nDarkTitleBar = no", [](const SkinLook& l) { return l.window.darkTitleBar == SkinDarkTitleBar::No; }},
    {"[Skin]\nFormat = 1\nName = N\nAuthor = A", [](const SkinLook& l) { return !l.face.weight; }},
    {"[Face]\n\tWeight\t=\tbold\t", [](const SkinLook& l) { return l.face.weight == 700; }},  // tabs are blanks
    {"[Face]\nWeights = 100", [](const SkinLook& l) { return !l.face.weight; }},              // whole keys only
};

// Each key with values it refuses, and how the message that names it begins.
const std::pair<const char*, const wchar_t*> kBad[] = {
    {"[Face]\nFont = , ,", L"Font must be a list of font family names"},
    {"[Face]\nFont = Arial, 12345678901234567890123456789012",
     L"Font must be a list of font family names of at most 31"},
    {"[Face]\nWeight = 99", L"Weight must be 100 to 900, normal or bold"},
    {"[Face]\nWeight = 901", L"Weight must be"},
    {"[Face]\nWeight = 450.5", L"Weight must be"},
    {"[Face]\nWeight = heavy", L"Weight must be"},
    {"[Face]\nItalic = true", L"Italic must be yes or no"},
    {"[Face]\nItalic = yess", L"Italic must be yes or no"},  // whole words only
    {"[Face]\nAlign = lef", L"Align must be"},
    {"[Face]\nTextColor = red", L"TextColor must be a colour such as #RRGGBB"},
    {"[Face]\nTextColor = FF0000", L"TextColor must be"},
    {"[Face]\nTextColor = #FF00001", L"TextColor must be"},
    {"[Face]\nTextColor = #FF000080", L"TextColor must be"},  // no alpha asked for here
    {"[Face]\nBackground = #GG0000", L"Background must be a colour such as #RRGGBB, or none"},
    {"[Face]\nDigits = wide", L"Digits must be tabular or proportional"},
    {"[Face]\nAlign = middle", L"Align must be left, center or right"},
    {"[Face]\nOutline = 10.5, #000000", L"Outline must be"},
    {"[Face]\nOutline = -0.1, #000000", L"Outline must be"},
    {"[Face]\nOutline = 1,5, #000000", L"Outline must be"},  // a decimal comma is not a number here
    {"[Face]\nOutline = 1.5", L"Outline must be"},
    {"[Face]\nShadow = 1, 1, #000000", L"Shadow must be"},
    {"[Face]\nShadow = 20.5, 0, #00000080", L"Shadow must be"},
    {"[Face]\nShadow = 0, -21, #00000080", L"Shadow must be"},
    {"[Face]\nCorner = -1", L"Corner must be a radius in points from 0 to 100"},
    {"[Face]\nCorner = 100.5", L"Corner must be"},
    {"[Face]\nCorner = 1e2", L"Corner must be"},
    {"[Window]\nBackground = none", L"Background must be a colour such as #RRGGBB"},
    {"[Window]\nFrame = thick", L"Frame must be standard, thin or none"},
    {"[Window]\nOpacity = 19", L"Opacity must be a whole number from 20 to 100"},
    {"[Window]\nOpacity = 101", L"Opacity must be"},
    {"[Window]\nOpacity = 50.5", L"Opacity must be"},
    {"[Window]\nOpacity = -", L"Opacity must be"},
    {"[Window]\nCorners = soft", L"Corners must be default, round or square"},
    {"[Window]\nDarkTitleBar = 1", L"DarkTitleBar must be auto, yes or no"},
    {"[dark]\nwindow.opacity = 101", L"Window.Opacity must be a whole number from 20 to 100"},
    {"[Dark]\nFace.Font = , ,", L"Face.Font must be a list of font family names"},
    {"[Dark]\nFace.Font = 12345678901234567890123456789012",
     L"Face.Font must be a list of font family names of at most 31"},
    {"[Skin]\nFormat = one", L"Format must be a whole number"},
    {"[Skin]\nFormat = 1.5", L"Format must be a whole number"},
    {"[Skin]\nFormat = 0", L"Format must be a whole number"},
    {"[Skin]\nFormat = 2", L"Format 2 is newer than this program reads (1)"},
    {"[Face]\nno equals sign here", L"expected [Section] or Key = Value"},
    {"[Face]\n= #000000", L"expected [Section] or Key = Value"},
    {"[Face]\n[Window", L"expected [Section] or Key = Value"},
};

TEST(SkinFile, EveryKeyTakesEachGoodValue) {
    for (const Good& g : kGood) EXPECT_TRUE(g.holds(Parsed(g.text).look)) << g.text;
}

TEST(SkinFile, EveryKeyRefusesBadValuesNamingItself) {
    for (const auto& [text, message] : kBad) {
        const SkinError error = Refused(text);
        EXPECT_EQ(error.line, 2) << text;
        EXPECT_TRUE(error.message.starts_with(message)) << text << " said " << testing::PrintToString(error.message);
    }
}

TEST(SkinFile, CommentsCaseUnknownKeysRepeatsAndLineEndingsFollowTheFormat) {
    const Skin skin = Parsed(
        "TextColor = #000003\n; a comment\n[face]\r\ntextcolor = #000001 ; after a space: a comment\r\nFont = A\n"
        "Unknown = whatever\n[Later]\nOpacity = 1\n[ FACE ]\nTEXTCOLOR = #000002\nfont = B, C\n\n[Skin]\nName = a;b\n");
    EXPECT_EQ(skin.look.face.textColor, 0x020000u);  // the last one wins
    EXPECT_EQ(skin.look.face.fonts, (Fonts{L"B", L"C"}));
    EXPECT_EQ(skin.name, L"a;b");  // no space before ';': part of the value
    // LF, CRLF and CR each end one line, as the line numbers in messages count them.
    EXPECT_EQ(Refused("[X]\r\r\nOpacity = 1\r\n[Window]\rOpacity = 1").line, 5);
    EXPECT_EQ(Refused("[Skin]\r\rName = \xC3").line, 3);
}

TEST(SkinFile, ReadsUtf8WithAndWithoutAMarkAndUtf16AndRefusesOtherBytes) {
    EXPECT_EQ(Parsed("[Skin]\nName = Caf\xC3\xA9 \xF0\x9F\x95\x92").name, L"Caf\u00E9 \U0001F552");
    EXPECT_EQ(Parsed("\xEF\xBB\xBF[Skin]\nName = x").name, L"x");
    static const char kUtf16[] = "\xFF\xFE[\0S\0k\0i\0n\0]\0\r\0\n\0N\0a\0m\0e\0=\0\xE9\0\x3D\xD8\x52\xDD";
    const std::string utf16(kUtf16, sizeof kUtf16 - 1);
    EXPECT_EQ(Parsed(utf16).name, L"\u00E9\U0001F552");
    EXPECT_EQ(Refused(utf16.substr(0, utf16.size() - 5)).message,
              L"the text is not UTF-16: it ends in half a character");
    EXPECT_EQ(Refused(utf16.substr(0, utf16.size() - 2)).line, 2);  // a surrogate without its pair
    EXPECT_EQ(Refused(utf16.substr(0, utf16.size() - 4) + "\x52\xDD").message, L"the text is not UTF-16");

    EXPECT_EQ(Refused("[Skin]\nName = \xC3").message, L"the text is not UTF-8");
    EXPECT_EQ(Refused("[Skin]\n\nName = \xED\xA0\x80").line, 3);  // a surrogate in UTF-8
    // Overlong forms, past U+10FFFF, a stray continuation byte, a cut sequence.
    for (const char* bytes : {"\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xF4\x90\x80\x80", "\x80", "\xE2\x82"}) {
        EXPECT_EQ(Refused(std::string("[Skin]\nName = ") + bytes).line, 2) << testing::PrintToString(bytes);
    }
    EXPECT_EQ(Refused(std::string("\xFE\xFF[\0", 4)).message, L"the text is not UTF-8");  // UTF-16BE is not read
    EXPECT_EQ(Refused(std::string("[Skin]\n\0", 8)).message, L"the text holds a NUL character");
    EXPECT_EQ(Refused(utf16.substr(0, 16) + std::string("\0\0", 2)).message, L"the text holds a NUL character");
    EXPECT_EQ(Parsed("[Skin]\nName = \xF4\x8F\xBF\xBF").name, L"\U0010FFFF");  // the last code point
    // The first mistake in the file is the one reported, whether of bytes or of values.
    EXPECT_EQ(Refused("[Window]\nOpacity = 5\n\xFF").line, 2);
    EXPECT_EQ(Refused("[Window]\nOpacity = 50\n\xFF").line, 3);
    EXPECT_TRUE(std::holds_alternative<Skin>(ParseSkin("")));
    EXPECT_TRUE(std::holds_alternative<Skin>(ParseSkin("\xFF\xFE")));
}

TEST(SkinFile, AFileOfMoreThan64KiBIsRefusedWholeAndAnyFileIsReadInLinearTime) {
    std::string text = "; " + std::string(kMaxSkinBytes - 3, 'x') + "\n";
    EXPECT_EQ(text.size(), kMaxSkinBytes);
    EXPECT_TRUE(std::holds_alternative<Skin>(ParseSkin(text)));
    EXPECT_EQ(Refused(text + "x").line, 0);
    EXPECT_EQ(Refused("[Face]\n" + std::string(100000, 'x') + "\n").line, 0);

    const std::size_t n = kMaxSkinBytes - 16;
    std::string many;
    while (many.size() < n - 32) many += "[Dark]\nFace.Font=a,b\n";
    const std::string hostile[] = {"[Face]\nFont = " + std::string(n, ','),
                                   "[Face]\nFont = a" + std::string(n, ' ') + "b",
                                   std::string(n, ';'),
                                   std::string(n, '['),
                                   std::string(n, '\r'),
                                   "[Window]\nOpacity = " + std::string(n, '0') + "50",
                                   std::string(n, 'x') + "=",
                                   many};
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& bytes : hostile) (void)ParseSkin(bytes);
    // Linear, even with sanitizers: milliseconds. Quadratic work on 64 KiB would take many seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(SkinFile, TheDarkKeysLieOverTheLookOnlyInDarkMode) {
    const Skin skin = Parsed(
        "[Face]\nTextColor = #111111\nDigits = tabular\nFont = A\nBackground = #222222\n"
        "[Window]\nOpacity = 90\n[Dark]\nFace.TextColor = #EEEEEE\nFace . Font = B\n"
        "face.background = none\nWindow.Frame = none\nFace.Unknown = 1\nOther.Opacity = 1\n"
        "Opacity = 1\n");
    const SkinLook light = skin.LookFor(false);
    EXPECT_EQ(light.face.textColor, 0x111111u);
    EXPECT_EQ(light.face.fonts, Fonts{L"A"});
    EXPECT_FALSE(light.window.frame);
    const SkinLook dark = skin.LookFor(true);
    EXPECT_EQ(dark.face.textColor, 0xEEEEEEu);
    EXPECT_EQ(dark.face.fonts, Fonts{L"B"});
    EXPECT_TRUE(dark.face.background && !*dark.face.background);  // none wins over the look's plate
    EXPECT_EQ(dark.face.digits, SkinDigits::Tabular);             // kept from the look
    EXPECT_EQ(dark.window.opacity, 90);
    EXPECT_EQ(dark.window.frame, SkinFrame::None);
    EXPECT_EQ(Parsed("[Face]\nFont = A\n[Dark]\nFace.Weight = 300").LookFor(true).face.fonts, Fonts{L"A"})
        << "no fonts under [Dark]: the look's";

    // Each field of [Dark] lies over the plain look on its own.
    const std::pair<const char*, bool (*)(const SkinLook&)> fields[] = {
        {"Face.Font = B, C",
         [](const SkinLook& l) {
             return l.face.fonts == Fonts{L"B", L"C"};
         }},
        {"Face.Weight = 300", [](const SkinLook& l) { return l.face.weight == 300; }},
        {"Face.Italic = yes", [](const SkinLook& l) { return l.face.italic == true; }},
        {"Face.Digits = tabular", [](const SkinLook& l) { return l.face.digits == SkinDigits::Tabular; }},
        {"Face.Align = right", [](const SkinLook& l) { return l.face.align == SkinAlign::Right; }},
        {"Face.Outline = 2, #010203", [](const SkinLook& l) { return l.face.outline.has_value(); }},
        {"Face.Shadow = 1, 1, #01020380", [](const SkinLook& l) { return l.face.shadow.has_value(); }},
        {"Face.Corner = 7", [](const SkinLook& l) { return l.face.corner == 7.0; }},
        {"Window.Background = #010203", [](const SkinLook& l) { return l.window.background == 0x030201u; }},
        {"Window.Opacity = 40", [](const SkinLook& l) { return l.window.opacity == 40; }},
        {"Window.Corners = round", [](const SkinLook& l) { return l.window.corners == SkinCorners::Round; }},
        {"Window.DarkTitleBar = yes", [](const SkinLook& l) { return l.window.darkTitleBar == SkinDarkTitleBar::Yes; }},
    };
    for (const auto& [line, holds] : fields) {
        const Skin one = Parsed(std::string("[Dark]\n") + line);
        EXPECT_TRUE(holds(one.LookFor(true))) << line;
        EXPECT_FALSE(holds(one.LookFor(false))) << line;
    }
}

TEST(SkinFile, TheErrorTextNamesTheFileAndLineAndShowsHostileTextSafely) {
    EXPECT_EQ(SkinErrorText(L"x\\o.cjs", Refused("[Window]\n\nOpacity = 5")),
              L"x\\o.cjs, line 3: Opacity must be a whole number from 20 to 100");
    EXPECT_EQ(SkinErrorText(L"x\\o.cjs", Refused("[Skin]\r\nFormat = 3 ; later\r\n")),
              L"x\\o.cjs, line 2: Format 3 is newer than this program reads (1)");
    EXPECT_EQ(SkinErrorText(L"x\\o.cjs", Refused(std::string(kMaxSkinBytes + 1, ' '))),
              L"x\\o.cjs: the file is larger than 64 KiB");
    // Controls and marks that reorder text are shown as '?', and only 40 characters, never half a pair.
    EXPECT_EQ(Refused("[Face]\nA\x01\x1B\xE2\x80\xAE\xC2\x85" + std::string(60, 'y')).message,
              L"expected [Section] or Key = Value, not \"A????" + std::wstring(35, L'y') + L"...\"");
    const std::wstring clock = sizeof(wchar_t) == 2 ? L"" : L"\U0001F552";  // on Windows, a pair at 40 and 41
    EXPECT_EQ(Refused(std::string(39, 'y') + "\xF0\x9F\x95\x92z").message,
              L"expected [Section] or Key = Value, not \"" + std::wstring(39, L'y') + clock + L"...\"");
}

// Every seed of the fuzzer and every input that once crashed the reader, as a regression test.
TEST(SkinFile, TheFuzzCorpusAndPastCrashesReadWithoutHarm) {
    std::size_t files = 0;
    for (const char* folder : {"corpus", "crashes", "../../skins"}) {
        const std::filesystem::path path = std::filesystem::path(TELLURANE_FUZZ_FOLDER) / folder;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path, ignored)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            const auto result = ParseSkin(bytes);
            if (const auto* skin = std::get_if<Skin>(&result)) (void)skin->LookFor(true);
            if (const auto* error = std::get_if<SkinError>(&result)) (void)SkinErrorText(L"x\\o.cjs", *error);
            ++files;
        }
    }
    if (files == 0) GTEST_SKIP() << "the fuzz folder cannot be read from here";
}

}  // namespace
}  // namespace tellurane
