#include "logic/clock/face_band.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

// Digits in cells of 10, a colon 4 wide, a blank 5 wide.
LineLayout Cells(std::wstring_view text) {
    LineLayout layout;
    int x = 0;
    for (wchar_t c : text) {
        layout.x.push_back(x);
        x += c == L':' ? 4 : c == L' ' ? 5 : 10;
    }
    layout.width = x;
    return layout;
}

TEST(ChangedSpan, CoversTheCharactersThatChangedOrAllWhenTheLineMoved) {
    struct Case {
        const wchar_t *before, *after;
        std::optional<TextSpan> span;
    };
    const Case cases[] = {
        {L"12:00:09", L"12:00:10", TextSpan{48, 68}},  // the last two digits
        {L"12:00:59", L"12:01:00", TextSpan{34, 68}},  // a minute: everything after the hours
        {L"12:00:09", L"12:00:09", TextSpan{0, 0}},    // nothing to draw
        {L"02:00:00", L"12:00:00", TextSpan{0, 10}},   // the first character
        {L"9:59:59", L"10:00:00", std::nullopt},       // another length
        {L"", L"", TextSpan{0, 0}},
    };
    for (const Case& c : cases) {
        const auto span = ChangedSpan(c.before, Cells(c.before), c.after, Cells(c.after));
        ASSERT_EQ(span.has_value(), c.span.has_value()) << testing::PrintToString(std::wstring(c.after));
        if (span) {
            EXPECT_EQ(span->from, c.span->from) << testing::PrintToString(std::wstring(c.after));
            EXPECT_EQ(span->to, c.span->to) << testing::PrintToString(std::wstring(c.after));
        }
    }

    // Proportional digits: a 1 narrower than a 0 moves what follows it, or the whole line.
    LineLayout narrowOne = Cells(L"12:00:10");
    narrowOne.x[7] -= 4;
    narrowOne.width -= 4;
    EXPECT_FALSE(ChangedSpan(L"12:00:09", Cells(L"12:00:09"), L"12:00:10", narrowOne)) << "the width changed";
    LineLayout shifted = Cells(L"12:00:10");
    shifted.x[5] += 1;  // a kept character drawn elsewhere
    EXPECT_FALSE(ChangedSpan(L"12:00:09", Cells(L"12:00:09"), L"12:00:10", shifted));
    LineLayout wider = Cells(L"12:00:19");
    wider.x[7] += 2;  // a changed character may sit elsewhere in its cell
    const auto span = ChangedSpan(L"12:00:10", Cells(L"12:00:10"), L"12:00:19", wider);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->from, 58);
    EXPECT_EQ(span->to, 68);
    EXPECT_FALSE(ChangedSpan(L"12:00:09", LineLayout{}, L"12:00:10", Cells(L"12:00:10"))) << "laid out as a whole";
}

}  // namespace
}  // namespace tellurane
