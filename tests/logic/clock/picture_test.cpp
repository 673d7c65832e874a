#include "logic/clock/picture.h"

#include "logic/clock/clock_face.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace tellurane {
namespace {

TEST(PictureProblem, TakesWindowsPicturesOfItsKindAndSaysWhatIsWrongWithOthers) {
    struct Case {
        PictureKind kind;
        std::wstring picture;
        const wchar_t* problem;  // a word of the note, or nullptr when the picture is taken
    };
    const Case cases[] = {
        {PictureKind::Time, L"", nullptr},  // the switches rule
        {PictureKind::Time, L"HH:mm:ss", nullptr},
        {PictureKind::Time, L"h:mm tt", nullptr},
        {PictureKind::Time, L"HH'h'mm", nullptr},        // quoted text
        {PictureKind::Time, L"HH 'o''clock'", nullptr},  // two quotes in a row close and open
        {PictureKind::Date, L"dddd d MMMM yyyy", nullptr},
        {PictureKind::Date, L"yyyy-MM-dd 'week'", nullptr},
        {PictureKind::Date, L"gg yyyy", nullptr},
        {PictureKind::Time, L"HH:mm dd", L"date picture"},  // a date field in a time
        {PictureKind::Date, L"d MMM HH", L"time picture"},
        {PictureKind::Time, L"'HH:mm", L"not closed"},
        {PictureKind::Time, L"'HH'", L"at least one"},  // only text
        {PictureKind::Date, L"--", L"at least one"},
        {PictureKind::Time, L"HH\tmm", L"control"},
        {PictureKind::Date, std::wstring(65, L'd'), L"at most 64"},
        {PictureKind::Time, std::wstring(64, L'H'), nullptr},
        {PictureKind::Time, std::wstring(65, L'H'), L"at most 64"},
        {PictureKind::Time, L"tt", nullptr},  // the AM/PM mark alone is a time
        {PictureKind::Date, L"d MMM tt", L"time picture"},
    };
    for (const Case& c : cases) {
        const auto problem = PictureProblem(c.kind, c.picture);
        if (!c.problem) {
            EXPECT_FALSE(problem) << testing::PrintToString(c.picture) << ": " << testing::PrintToString(*problem);
        } else {
            ASSERT_TRUE(problem) << testing::PrintToString(c.picture);
            EXPECT_NE(problem->find(c.problem), std::wstring::npos) << testing::PrintToString(*problem);
        }
    }
    // Each field letter makes a picture of its kind on its own, and is refused in the other kind.
    for (wchar_t field : std::wstring_view(L"hHmst")) {
        EXPECT_FALSE(PictureProblem(PictureKind::Time, std::wstring(1, field))) << char(field);
        EXPECT_TRUE(PictureProblem(PictureKind::Date, L"d " + std::wstring(1, field))) << char(field);
    }
    for (wchar_t field : std::wstring_view(L"dMyg")) {
        EXPECT_FALSE(PictureProblem(PictureKind::Date, std::wstring(1, field))) << char(field);
        EXPECT_TRUE(PictureProblem(PictureKind::Time, L"H " + std::wstring(1, field))) << char(field);
    }
    for (auto picture : kCommonTimePictures) EXPECT_FALSE(PictureProblem(PictureKind::Time, picture));
    for (auto picture : kCommonDatePictures) EXPECT_FALSE(PictureProblem(PictureKind::Date, picture));
}

// Windows' formatting stood in for by one that shows what it was asked.
std::wstring Rendered(PictureKind kind, std::wstring_view picture, const LocalTime& time) {
    return (kind == PictureKind::Time ? L"T[" : L"D[") + std::wstring(picture) + L"@" + std::to_wstring(time.hour) +
           L"]";
}

// A face whose time picture shows no seconds changes once a minute.
TEST(PictureShowsSeconds, AnSOutsideQuotes) {
    for (auto [picture, seconds] :
         std::array{std::pair{L"HH:mm:ss", true}, std::pair{L"h:mm tt", false}, std::pair{L"H 'hours' mm", false},
                    std::pair{L"'s'H:mm", false}, std::pair{L"", false}}) {
        EXPECT_EQ(PictureShowsSeconds(picture), seconds) << testing::PrintToString(std::wstring(picture));
    }
}

TEST(ClockFaceText, TakesEachPartFromItsPictureOrElseFromTheSwitches) {
    const LocalTime time{2026, 12, 6, 21, 5, 9, 0, 0};
    const auto weekday = [](const LocalTime&) { return std::wstring(L"Sunday"); };
    struct Case {
        ClockLook look;
        const wchar_t* face;
    };
    const Case cases[] = {
        {{L"", false, false, false, L"", L""}, L"09:05:09 PM 12/06/2026"},  // as the first clock
        {{L"Tokyo", true, true, true, L"", L""}, L"Tokyo 21:05:09 06/12/2026 Sunday"},
        {{L"Tokyo", false, false, true, L"HH:mm", L""}, L"Tokyo T[HH:mm@21] 12/06/2026 Sunday"},
        {{L"", true, false, true, L"", L"dddd d MMMM"}, L"21:05:09 D[dddd d MMMM@21]"},  // the picture names the day
        {{L"Lab", false, false, false, L"H:mm", L"yyyy"}, L"Lab T[H:mm@21] D[yyyy@21]"},
    };
    for (const Case& c : cases) EXPECT_EQ(ClockFaceText(c.look, time, LocaleTexts{}, &Rendered, weekday), c.face);
    EXPECT_EQ(CountdownFaceText(L"Launch", 3'600'000), L"Launch 01:00:00");
    EXPECT_EQ(CountdownFaceText(L"", 0), L"0");
}

TEST(FaceLine, PutsTheLabelFirstAndLeavesOutWhatIsEmpty) {
    EXPECT_EQ(FaceLine(L"Tokyo", L"21:05", L"6 December"), L"Tokyo 21:05 6 December");
    EXPECT_EQ(FaceLine(L"", L"21:05", L""), L"21:05");
    EXPECT_EQ(FaceLine(L"Launch", L"3 d 04:12:09", L""), L"Launch 3 d 04:12:09");
    EXPECT_EQ(FaceLine(L"", L"", L""), L"");
}

}  // namespace
}  // namespace tellurane
