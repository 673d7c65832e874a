#include "core/skin_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

TEST(SkinFile, EveryKeyTakesItsValuesAndNamesItselfWhenAValueIsBad) {
    struct Good {
        const char* line;
        bool (*holds)(const SkinLook&);
    };
    const Good good[] = {
        {"[Face]\nFont = Segoe UI, , Arial", [](const SkinLook& l) { return l.face.fonts == std::vector<std::wstring>{L"Segoe UI", L"Arial"}; }},
        {"[Face]\nWeight = bold", [](const SkinLook& l) { return l.face.weight == 700; }},
        {"[Face]\nWeight = NORMAL", [](const SkinLook& l) { return l.face.weight == 400; }},
        {"[Face]\nWeight = 100", [](const SkinLook& l) { return l.face.weight == 100; }},
        {"[Face]\nItalic = yes", [](const SkinLook& l) { return l.face.italic == true; }},
        {"[Face]\nTextColor = #FF8000", [](const SkinLook& l) { return l.face.textColor == 0x0080FFu; }},
        {"[Face]\nBackground = none", [](const SkinLook& l) { return l.face.background && !l.face.background->has_value(); }},
        {"[Face]\nBackground = #0000ff", [](const SkinLook& l) { return l.face.background == std::optional<std::uint32_t>(0xFF0000u); }},
        {"[Face]\nDigits = Tabular", [](const SkinLook& l) { return l.face.digits == SkinDigits::Tabular; }},
        {"[Face]\nAlign = right", [](const SkinLook& l) { return l.face.align == SkinAlign::Right; }},
        {"[Face]\nOutline = 1.5, #000000", [](const SkinLook& l) { return l.face.outline && l.face.outline->width == 1.5; }},
        {"[Face]\nShadow = -20, 20, #01020380", [](const SkinLook& l) {
             return l.face.shadow && l.face.shadow->dx == -20 && l.face.shadow->color == 0x030201u && l.face.shadow->alpha == 0x80;
         }},
        {"[Face]\nCorner = 100", [](const SkinLook& l) { return l.face.corner == 100.0; }},
        {"[Window]\nBackground = #102030", [](const SkinLook& l) { return l.window.background == 0x302010u; }},
        {"[Window]\nFrame = none", [](const SkinLook& l) { return l.window.frame == SkinFrame::None; }},
        {"[Window]\nOpacity = 20", [](const SkinLook& l) { return l.window.opacity == 20; }},
        {"[Window]\nCorners = square", [](const SkinLook& l) { return l.window.corners == SkinCorners::Square; }},
        {"[Window]\nDarkTitleBar = auto", [](const SkinLook& l) { return l.window.darkTitleBar == SkinDarkTitleBar::Auto; }},
    };
    for (const Good& g : good) EXPECT_TRUE(g.holds(Parsed(g.line).look)) << g.line;

    const std::pair<const char*, const wchar_t*> bad[] = {
        {"[Face]\nFont = , ,", L"Font must be"},
        {"[Face]\nWeight = 950", L"Weight must be 100 to 900, normal or bold"},
        {"[Face]\nItalic = maybe", L"Italic must be yes or no"},
        {"[Face]\nTextColor = red", L"TextColor must be a colour such as #RRGGBB"},
        {"[Face]\nTextColor = #FF00001", L"TextColor must be"},
        {"[Face]\nBackground = #GG0000", L"Background must be"},
        {"[Face]\nDigits = wide", L"Digits must be tabular or proportional"},
        {"[Face]\nAlign = middle", L"Align must be left, center or right"},
        {"[Face]\nOutline = 11, #000000", L"Outline must be"},
        {"[Face]\nShadow = 1, 1, #000000", L"Shadow must be"},
        {"[Face]\nCorner = -1", L"Corner must be"},
        {"[Window]\nFrame = thick", L"Frame must be standard, thin or none"},
        {"[Window]\nOpacity = 19", L"Opacity must be a whole number from 20 to 100"},
        {"[Window]\nOpacity = 50.5", L"Opacity must be a whole number from 20 to 100"},
        {"[Window]\nCorners = soft", L"Corners must be"},
        {"[Window]\nDarkTitleBar = 1", L"DarkTitleBar must be auto, yes or no"},
        {"[Dark]\nWindow.Opacity = 101", L"Opacity must be"},
        {"[Skin]\nFormat = one", L"Format must be a whole number"},
        {"[Skin]\nFormat = 2", L"Format 2 is newer than this program reads (1)"},
        {"[Face]\nno equals sign here", L"expected [Section] or Key = Value"},
        {"[Face", L"a section line must end with ]"},
    };
    for (const auto& [text, message] : bad) {
        const SkinError error = Refused(text);
        EXPECT_EQ(error.line, 2 - (std::string(text).find('\n') == std::string::npos)) << text;
        EXPECT_NE(error.message.find(message), std::wstring::npos) << text << " said " << testing::PrintToString(error.message);
    }
}

TEST(SkinFile, CommentsCaseUnknownKeysAndRepeatsFollowTheFormatsRules) {
    const Skin skin = Parsed(
        "; a comment\n[face]\r\ntextcolor = #000001 ; what is after a space is a comment\r\n"
        "Unknown = whatever\n[Later]\nKey = 1\n[FACE]\nTEXTCOLOR = #000002\n\n[Skin]\nName = a;b\n");
    EXPECT_EQ(skin.look.face.textColor, 0x020000u);  // the last one wins
    EXPECT_EQ(skin.name, L"a;b");                    // no space before ';': part of the value
}

TEST(SkinFile, ReadsUtf8WithAndWithoutAMarkAndUtf16AndRefusesOtherBytes) {
    EXPECT_EQ(Parsed("[Skin]\nName = Caf\xC3\xA9").name, L"Caf\u00E9");
    EXPECT_EQ(Parsed("\xEF\xBB\xBF[Skin]\nName = x").name, L"x");
    static const char kUtf16[] = "\xFF\xFE[\0S\0k\0i\0n\0]\0\n\0N\0a\0m\0e\0=\0\xE9\0";
    const std::string utf16(kUtf16, sizeof kUtf16 - 1);
    EXPECT_EQ(Parsed(utf16).name, L"\u00E9");
    EXPECT_EQ(Refused("[Skin]\nName = \xC3").message, L"the text is not UTF-8");
    EXPECT_EQ(Refused("[Skin]\n\nName = \xED\xA0\x80").line, 3);  // a surrogate in UTF-8
    EXPECT_NE(Refused(utf16.substr(0, utf16.size() - 1)).message.find(L"UTF-16"), std::wstring::npos);
    EXPECT_NE(Refused(std::string("[Skin]\0", 7)).message.find(L"NUL"), std::wstring::npos);
    EXPECT_TRUE(std::holds_alternative<Skin>(ParseSkin("")));
}

TEST(SkinFile, AFileOfMoreThan64KiBIsRefusedWhole) {
    std::string text = "; " + std::string(kMaxSkinBytes - 3, 'x') + "\n";
    EXPECT_EQ(text.size(), kMaxSkinBytes);
    EXPECT_TRUE(std::holds_alternative<Skin>(ParseSkin(text)));
    const SkinError error = Refused(text + "x");
    EXPECT_EQ(SkinErrorText(L"x\\o.cjs", error), L"x\\o.cjs: the file is larger than 64 KiB");
}

TEST(SkinFile, TheDarkKeysLieOverTheLookOnlyInDarkMode) {
    const Skin skin = Parsed("[Face]\nTextColor = #111111\nDigits = tabular\n[Window]\nOpacity = 90\n"
                             "[Dark]\nFace.TextColor = #EEEEEE\nWindow.Frame = none\nFace.Unknown = 1\n");
    EXPECT_EQ(skin.LookFor(false).face.textColor, 0x111111u);
    EXPECT_FALSE(skin.LookFor(false).window.frame);
    const SkinLook dark = skin.LookFor(true);
    EXPECT_EQ(dark.face.textColor, 0xEEEEEEu);
    EXPECT_EQ(dark.face.digits, SkinDigits::Tabular);  // kept from the look
    EXPECT_EQ(dark.window.opacity, 90);
    EXPECT_EQ(dark.window.frame, SkinFrame::None);
}

TEST(SkinFile, TheErrorTextNamesTheFileAndLineAndShowsHostileTextSafely) {
    EXPECT_EQ(SkinErrorText(L"x\\o.cjs", Refused("[Window]\n\nOpacity = 5")),
              L"x\\o.cjs, line 3: Opacity must be a whole number from 20 to 100");
    const SkinError error = Refused("[Face]\n" + std::string(60, 'y') + "\x01");
    EXPECT_EQ(error.message, L"expected [Section] or Key = Value, not \"" + std::wstring(40, L'y') + L"...\"");
}

// Every seed of the fuzzer and every input that once crashed the reader, as a regression test.
TEST(SkinFile, TheFuzzCorpusAndPastCrashesReadWithoutHarm) {
    std::size_t files = 0;
    for (const char* folder : {"corpus", "crashes"}) {
        const std::filesystem::path path = std::filesystem::path(TELLURANE_FUZZ_FOLDER) / folder;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path, ignored)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            const auto result = ParseSkin(bytes);
            if (const auto* skin = std::get_if<Skin>(&result)) (void)skin->LookFor(true);
            ++files;
        }
    }
    if (files == 0) GTEST_SKIP() << "the fuzz folder cannot be read from here";
}

}  // namespace
}  // namespace tellurane
