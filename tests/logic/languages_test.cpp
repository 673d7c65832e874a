// Which language a user gets, what a text's inserts become, and how a layout makes room for longer texts.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

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
        Case{L"", {L"nn-NO"}, true, L"nb-NO"},
        Case{L"", {L"pt-PT"}, true, L"pt-BR"},
        Case{L"", {L"ar-EG"}, true, L"ar-SA"},
        Case{L"", {}, true, L"en-US"},
        Case{L"ja-JP", {L"de-DE"}, true, L"ja-JP"},  // the menu's choice overrides Windows'
        Case{L"JA_jp", {L"de-DE"}, true, L"ja-JP"},
        Case{L"xx-YY", {L"de-DE"}, true, L"de-DE"},  // a stored tag of no known language
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
    EXPECT_EQ(Languages().size(), 24u);  // English, 22 languages, the pseudo-language
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

TEST(LayoutFit, WhatLiesPastATextThatLacksRoomMovesOverAndAlignedControlsStayAligned) {
    const std::array fits{TextRoom{2, 900, 200}, TextRoom{4, 800, 250}};
    const FittedLayout same = FitToTexts(kWindow, fits);
    EXPECT_EQ(same.clientWidth, 3200);
    EXPECT_EQ(same.clientHeight, 2000);

    // The check box 300 wider and the button beside it 200, the name 200 wider, the note a line taller.
    const std::array needs{TextRoom{2, 1300, 250}, TextRoom{3, 1200, 0}, TextRoom{4, 1000, 250}, TextRoom{6, 0, 500}};
    const FittedLayout fitted = FitToTexts(kWindow, needs);
    struct Place {
        int left, top, width, height;
    };
    const std::array<Place, 6> expected{{
        {100, 100, 3500, 1000},  // the frame spans the check box's and the button's edges
        {100, 200, 1300, 250},   // its own 300 only: the name's 200 is in another row
        {1800, 200, 1200, 400},  // over by the check box's 300, and its own 200: one row adds up
        {100, 1200, 1000, 250},
        {1200, 1200, 2400, 300},  // right of the name: over by 200, and wider to the row above's 500
        {1200, 1600, 2400, 500},  // and a row taller for its second line
    }};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ControlLayout& c = fitted.controls[i];
        EXPECT_EQ((std::array{c.left, c.top, c.width, c.height}),
                  (std::array{expected[i].left, expected[i].top, expected[i].width, expected[i].height}))
            << "control " << i;
    }
    EXPECT_EQ(fitted.clientWidth, 3700);
    EXPECT_EQ(fitted.clientHeight, 2250);
}

}  // namespace
}  // namespace tellurane
