// Which language a user gets, what a text's inserts become, and how a layout makes room for longer texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "logic/clock/countdown.h"
#include "logic/grammar.h"
#include "logic/languages.h"
#include "logic/layout_fit.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

TEST(Languages, TheStoredChoiceThenWindowsOrderThenTheLanguageOfARegionThenEnglish) {
    const auto all = [](const Language&) { return true; };
    const auto noGerman = [](const Language& l) { return l.tag != L"de-DE"; };
    struct Case {
        std::wstring_view stored;
        std::vector<std::wstring> preferred;
        bool german;
        std::wstring_view expected;
    };
    const std::array cases{
        Case{L"", {L"de-DE", L"en-US"}, true, L"de-DE"},
        Case{L"", {L"de-AT"}, true, L"de-DE"},             // a region falls back to its language
        Case{L"", {L"gsw-CH", L"fr-CA"}, true, L"fr-FR"},  // one the program lacks: the next
        Case{L"", {L"de-AT"}, false, L"en-US"},            // a language whose table is missing
        Case{L"", {L"zh-HK"}, true, L"zh-TW"},
        Case{L"", {L"zh-Hant-TW"}, true, L"zh-TW"},
        Case{L"", {L"zh-SG"}, true, L"zh-CN"},
        Case{L"", {L"zh-MO"}, true, L"zh-TW"},
        Case{L"", {L"zh-TW_radstr"}, true, L"zh-TW"},  // Windows' names with a sort order
        Case{L"", {L"de-DE_phoneb"}, true, L"de-DE"},
        Case{L"", {L"zh-Hans-HK"}, true, L"zh-CN"},  // the script decides, not the region
        Case{L"", {L"nn-NO"}, true, L"nb-NO"},
        Case{L"", {L"no"}, true, L"nb-NO"},
        Case{L"", {L"pt-PT"}, true, L"pt-PT"},
        Case{L"", {L"pt-AO"}, true, L"pt-PT"},  // Portuguese outside Brazil is Portugal's
        Case{L"", {L"pt"}, true, L"pt-BR"},
        Case{L"", {L"sr-Cyrl-RS"}, true, L"sr-Latn-RS"},
        Case{L"", {L"ca-ES-valencia"}, true, L"ca-ES"},
        Case{L"", {L"ar-EG"}, true, L"ar-SA"},
        Case{L"", {}, true, L"en-US"},
        Case{L"ja-JP", {L"de-DE"}, true, L"ja-JP"},  // the menu's choice overrides Windows'
        Case{L"JA_jp", {L"de-DE"}, true, L"ja-JP"},
        Case{L"xx-YY", {L"de-DE"}, true, L"de-DE"},   // a stored tag of no known language
        Case{L"de-DE", {L"fr-CA"}, false, L"fr-FR"},  // a stored language whose table is missing
        Case{L"de-CH", {L"fr-FR"}, true, L"de-DE"},
        Case{L"qps-ploc", {}, true, L"qps-ploc"},
        Case{L"", {L"qps-plocm"}, true, L"en-US"},  // the pseudo-languages only by name
    };
    for (const Case& c : cases) {
        const Language* chosen = ChooseLanguage(c.stored, c.preferred, c.german ? all : noGerman);
        EXPECT_EQ(chosen->tag, c.expected)
            << testing::PrintToString(std::wstring(c.stored)) << " " << testing::PrintToString(c.preferred);
    }
    EXPECT_TRUE(LanguageForTag(L"he-IL")->rightToLeft);
    EXPECT_TRUE(LanguageForTag(L"ar")->rightToLeft);
    EXPECT_FALSE(LanguageForTag(L"ja")->rightToLeft);
    EXPECT_TRUE(LanguageForTag(L"fa-IR")->rightToLeft);
    EXPECT_EQ(Languages().size(), 41u);  // English, 39 languages, the pseudo-language
}

TEST(Texts, InsertsGoWhereTheTextSaysInAnyOrderAndEnglishComesFromTheTables) {
    EXPECT_EQ(InsertInto(L"%2 before %1", {L"a", L"b"}), L"b before a");
    EXPECT_EQ(InsertInto(L"100%% of %1", {L"it"}), L"100% of it");
    EXPECT_EQ(InsertInto(L"%3 is missing", {L"a"}), L"%3 is missing");
    EXPECT_EQ(InsertInto(L"ends in %", {}), L"ends in %");
    EXPECT_EQ(Tr(IDS_MENU_CLOSED_CLOCK, {L"3"}), L"Clock 3");
    EXPECT_EQ(Tr(IDS_MENU_SETTINGS), L"&Settings\u2026");
    EXPECT_EQ(Tr(IDS_PICTURE_UNUSABLE, {L"x", L"why"}), L"The picture \"x\" cannot be used: why");
    EXPECT_EQ(EnglishText(99999), L"");
}

// The language's rule reaches exactly the categories its string tables are checked for (scripts/texts.py):
// none lacking a form, none unwritten.
void ExpectTheCategoriesItsTablesAreCheckedFor(const Language& language) {
    struct Categories {
        std::wstring_view language, required, optional;
    };
    constexpr Categories kChecked[] = {
#include "plural_categories.inc"
    };
    const std::wstring_view primary = language.tag.substr(0, language.tag.find(L'-'));
    const auto* checked = std::find_if(std::begin(kChecked), std::end(kChecked),
                                       [&](const Categories& c) { return c.language == primary; });
    ASSERT_NE(checked, std::end(kChecked));
    std::set<std::wstring_view> reached;
    for (int n = 0; n <= 1100; ++n) {
        reached.insert(PluralName(PluralOf(language.tag, std::to_wstring(n))));
        reached.insert(PluralName(PluralOf(language.tag, std::to_wstring(n / 10) + L"." + std::to_wstring(n % 10))));
        reached.insert(PluralName(PluralOf(language.tag, std::to_wstring(n) + L"000000")));
    }
    for (std::wstring_view category : reached) {
        const bool known = checked->required.find(category) != std::wstring_view::npos ||
                           checked->optional.find(category) != std::wstring_view::npos;
        EXPECT_TRUE(known) << "a form the tables lack, language " << language.langId;
    }
    for (int c = 0; c <= static_cast<int>(Plural::Other); ++c) {
        const std::wstring_view name = PluralName(static_cast<Plural>(c));
        const bool required = checked->required.find(name) != std::wstring_view::npos;
        EXPECT_TRUE(!required || reached.count(name)) << name.size() << " " << language.langId;
    }
}

// CLDR's sample numbers, each language's categories for them in order: zero one two few many and x for other.
TEST(Grammar, EachLanguageCountsAsCldrSaysAndEveryCategoryItsTablesNeedIsReached) {
    constexpr std::array<std::wstring_view, 14> kNumbers{L"0",  L"1",  L"2",  L"3",   L"5",   L"11",  L"12",
                                                         L"21", L"22", L"25", L"101", L"111", L"1.5", L"1000000"};
    struct Row {
        std::wstring_view tags, categories;
    };
    const std::array rows{
        Row{L"en-US de-DE nl-NL sv-SE fi-FI et-EE qps-ploc", L"xoxxxxxxxxxxxx"},
        Row{L"it-IT ca-ES pt-PT", L"xoxxxxxxxxxxxm"},
        Row{L"bg-BG el-GR hu-HU nb-NO tr-TR", L"xoxxxxxxxxxxxx"},
        Row{L"es-ES", L"xoxxxxxxxxxxxm"},
        Row{L"da-DK", L"xoxxxxxxxxxxox"},
        Row{L"fr-FR pt-BR", L"ooxxxxxxxxxxom"},
        Row{L"hi-IN fa-IR", L"ooxxxxxxxxxxxx"},
        Row{L"he-IL", L"xotxxxxxxxxxxx"},
        Row{L"cs-CZ sk-SK", L"xoffxxxxxxxxmx"},
        Row{L"pl-PL", L"moffmmmmfmmmxm"},
        Row{L"ru-RU uk-UA", L"moffmmmofmomxm"},
        Row{L"hr-HR sr-Latn-RS", L"xoffxxxofxoxxx"},
        Row{L"sl-SI", L"xotfxxxxxxoxfx"},
        Row{L"lt-LT", L"xofffxxoffoxmx"},
        Row{L"lv-LV", L"zoxxxzzoxxozxz"},
        Row{L"ro-RO", L"fofffffxxxfffx"},
        Row{L"ar-SA", L"zotffmmmmmxmxx"},
        Row{L"ja-JP ko-KR zh-CN zh-TW th-TH vi-VN id-ID", L"xxxxxxxxxxxxxx"},
    };
    const auto letter = [](Plural plural) { return plural == Plural::Other ? L'x' : PluralName(plural)[0]; };
    std::wstring tested;
    for (const Row& row : rows) {
        for (std::size_t at = 0; at < row.tags.size(); at = row.tags.find(L' ', at) + 1) {
            const std::wstring tag(row.tags.substr(at, row.tags.find(L' ', at) - at));
            std::wstring found;
            for (std::wstring_view number : kNumbers) found += letter(PluralOf(tag, number));
            EXPECT_EQ(found, row.categories) << testing::PrintToString(tag);
            tested += tag + L" ";
            if (row.tags.find(L' ', at) == std::wstring_view::npos) break;
        }
    }
    EXPECT_EQ(PluralOf(L"fr-FR", L"0,5"), Plural::One);    // a decimal comma, and "one" for 0.5 in French
    EXPECT_EQ(PluralOf(L"en-US", L"1.0"), Plural::Other);  // written decimals count, even zeros
    EXPECT_EQ(PluralOf(L"ru-RU", L"x"), Plural::Other);
    EXPECT_EQ(PluralOf(L"ru-RU", L"99999999999999999999"), Plural::Other);

    for (const Language& language : Languages()) {
        EXPECT_NE(tested.find(std::wstring(language.tag) + L" "), std::wstring::npos)
            << "untested: " << testing::PrintToString(std::wstring(language.tag));
        ExpectTheCategoriesItsTablesAreCheckedFor(language);
    }
}

// A counted text takes the form of its count in the chosen language, "other" where it has no other; the
// countdown's days and a list's separator follow the language too.
TEST(Grammar, ACountedTextTakesItsLanguagesFormAndListsTheirSeparator) {
    static const auto polish = [](TextId id, std::wstring& text) {
        if (id == IDS_TIP_MORE) text = L"one:+%1 inny|few:+%1 inne|many:+%1 innych|other:+%1 innego";
        if (id == IDS_COUNTDOWN_DAYS) text = L"one:%1 dzie\u0144 %2|few:%1 dni %2|many:%1 dni %2|other:%1 dnia %2";
        if (id == IDS_SKIN_FILE_LINE) text = L"%1, wiersz %2";
        return !text.empty();
    };
    EXPECT_EQ(Tr(IDS_TIP_MORE, {L"1"}), L"+1 more");
    EXPECT_EQ(Tr(IDS_TIP_MORE, {L"5"}), L"+5 more");
    EXPECT_EQ(CountdownText(86'400'000), L"1 day 00:00:00");
    EXPECT_EQ(ListSeparator(TextLanguage()), L", ");
    SetTextSource(+polish, L"pl-PL");
    EXPECT_EQ(Tr(IDS_TIP_MORE, {L"1"}), L"+1 inny");
    EXPECT_EQ(Tr(IDS_TIP_MORE, {L"22"}), L"+22 inne");
    EXPECT_EQ(Tr(IDS_TIP_MORE, {L"12"}), L"+12 innych");
    EXPECT_EQ(Tr(IDS_TIP_MORE), L"+%1 innego");                               // no count: "other"
    EXPECT_EQ(Tr(IDS_SKIN_FILE_LINE, {L"a.cjs", L"3"}), L"a.cjs, wiersz 3");  // a colon is no form
    EXPECT_EQ(CountdownText(((3 * 24 + 4) * 3600 + 12 * 60 + 9) * 1000LL), L"3 dni 04:12:09");
    EXPECT_EQ(CountdownText(86'400'000), L"1 dzie\u0144 00:00:00");
    SetTextSource(nullptr);
    EXPECT_EQ(FormOf(L"one:a|few:b", Plural::Many), L"");  // no "other": nothing rather than all the forms
    EXPECT_EQ(FormOf(L"Line %1: %2", Plural::One), L"Line %1: %2");
    EXPECT_EQ(ListSeparator(L"ja-JP"), L"\u3001");
    EXPECT_EQ(ListSeparator(L"ar-SA"), L"\u060C ");
    EXPECT_EQ(ListSeparator(L"de-DE"), L", ");
}

// A frame holding a check box and a button, a name and its field, and a note under them.
constexpr std::array kControls{
    ControlLayout{L"Frame", ControlKind::Frame, 1, 0, 100, 100, 3000, 1000},
    ControlLayout{L"Check", ControlKind::CheckBox, 2, 1, 100, 200, 1000, 250},
    ControlLayout{L"Button", ControlKind::PushButton, 3, 1, 1500, 200, 1000, 400},
    ControlLayout{L"Name", ControlKind::Label, 4, 0, 100, 1200, 800, 250},
    ControlLayout{L"Field", ControlKind::TextBox, 5, 0, 1000, 1200, 2100, 300},
    ControlLayout{L"Note", ControlKind::Label, 6, 0, 1000, 1600, 2100, 250},
};
constexpr WindowLayout kWindow{L"Test", L"", 3200, 2000, false, false, false, kWhite, {}, kControls};

// A wrapping title over a name and a frame right of it, a short label and a field right of it, and a
// button under a wide text; the title, the frame and the field reach the window's right edge.
constexpr std::array kMovedControls{
    ControlLayout{L"Title", ControlKind::Label, 1, 0, 100, 100, 2900, 250},
    ControlLayout{L"Name", ControlKind::Label, 2, 0, 100, 500, 800, 250},
    ControlLayout{L"Frame", ControlKind::Frame, 3, 0, 1000, 500, 2000, 1000},
    ControlLayout{L"Check", ControlKind::CheckBox, 4, 3, 100, 300, 900, 250},
    ControlLayout{L"Button", ControlKind::PushButton, 5, 3, 1000, 600, 800, 300},
    ControlLayout{L"Short", ControlKind::Label, 6, 0, 100, 1700, 400, 250},
    ControlLayout{L"Field", ControlKind::TextBox, 7, 0, 600, 1700, 2400, 300},
    ControlLayout{L"Wide", ControlKind::Label, 8, 0, 100, 2100, 1600, 250},
    ControlLayout{L"Under", ControlKind::PushButton, 9, 0, 100, 2400, 1800, 400},
};
constexpr WindowLayout kMovedWindow{L"Test", L"", 3000, 2900, false, false, false, kWhite, {}, kMovedControls};

TEST(LayoutFit, WhatLiesPastATextThatLacksRoomMovesOverAndAlignedControlsStayAligned) {
    const std::array fits{TextRoom{2, 900, 200}, TextRoom{4, 800, 250}};
    const FittedLayout same = FitToTexts(kWindow, fits);
    EXPECT_EQ(same.clientWidth, 3200);
    EXPECT_EQ(same.clientHeight, 2000);

    struct Place {
        int left, top, width, height;
    };
    struct Fit {
        const WindowLayout& window;
        std::vector<TextRoom> needs;
        std::vector<Place> expected;
        int clientWidth, clientHeight;
    };
    const Fit cases[] = {
        // The check box 300 wider and the button beside it 200, the name 200 wider, the note a line taller.
        {kWindow,
         {{2, 1300, 250}, {3, 1200, 0}, {4, 1000, 250}, {6, 0, 500}},
         {
             {100, 100, 3500, 1000},  // the frame spans the check box's and the button's edges
             {100, 200, 1300, 250},   // its own 300 only: the name's 200 is in another row
             {1800, 200, 1200, 400},  // over by the check box's 300, and its own 200: one row adds up
             {100, 1200, 1000, 250},
             {1200, 1200, 2400, 300},  // right of the name: over by 200, and wider to the row above's 500
             {1200, 1600, 2400, 500},  // and a row taller for its second line
         },
         3700,
         2250},
        // The title a fraction over a line taller (a whole twip more), the name 300 wider, the button in the
        // frame half a twip taller, the short label 100 wider, the field 800, the wide text 700 and the button
        // under it 200.
        {kMovedWindow,
         {{1, 0, 500.4}, {2, 1100, 0}, {5, 0, 300.5}, {6, 500, 0}, {7, 3200, 0}, {8, 2300, 0}, {9, 2000, 0}},
         {
             {100, 100, 3800, 501},    // spans every edge that moved
             {100, 751, 1100, 250},    // down by the title's 251
             {1300, 751, 2600, 1001},  // right of the name, down by the title, a twip taller for its button
             {100, 300, 1300, 250},    // where it was in the frame, which moved it once; wider past the wide text
             {1400, 600, 800, 301},    // in the frame: over by the check box's growth only
             {100, 1952, 500, 250},
             {700, 1952, 3200, 300},  // right of the short label, past it by as much as before; its own 800
             {100, 2352, 2300, 250},
             {100, 2652, 2500, 400},  // under the wide text: its own 200 and the text's 700, the larger
         },
         3900,
         3152},
    };
    for (const Fit& fit : cases) {
        const FittedLayout fitted = FitToTexts(fit.window, fit.needs);
        for (std::size_t i = 0; i < fit.expected.size(); ++i) {
            const ControlLayout& c = fitted.controls[i];
            const Place& expected = fit.expected[i];
            EXPECT_EQ((std::array{c.left, c.top, c.width, c.height}),
                      (std::array{expected.left, expected.top, expected.width, expected.height}))
                << "control " << i;
        }
        EXPECT_EQ(fitted.clientWidth, fit.clientWidth);
        EXPECT_EQ(fitted.clientHeight, fit.clientHeight);
    }
}

}  // namespace
}  // namespace tellurane
