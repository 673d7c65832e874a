#include "logic/clock/face_text.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

// Sunday 6 December 2026, 21:05:09.
constexpr LocalTime kEvening{2026, 12, 6, 21, 5, 9, 0, 0};
const LocaleTexts kUs{};

std::wstring Pattern(std::wstring_view time, std::wstring_view date) {
    return std::wstring(time) + L" " + std::wstring(date);
}

TEST(FormatDateTime, EveryCombinationOfTimeAndDateOrder) {
    EXPECT_EQ(FormatDateTime(Pattern(kTime12, kMonthFirst), kEvening, kUs), L"09:05:09 PM 12/06/2026");
    EXPECT_EQ(FormatDateTime(Pattern(kTime24, kMonthFirst), kEvening, kUs), L"21:05:09 12/06/2026");
    EXPECT_EQ(FormatDateTime(Pattern(kTime12, kDayFirst), kEvening, kUs), L"09:05:09 PM 06/12/2026");
    EXPECT_EQ(FormatDateTime(Pattern(kTime24, kDayFirst), kEvening, kUs), L"21:05:09 06/12/2026");
}

TEST(FormatDateTime, MidnightAndMiddayOnBothClocks) {
    LocalTime midnight = kEvening;
    midnight.hour = 0;
    LocalTime midday = kEvening;
    midday.hour = 12;
    LocalTime morning = kEvening;
    morning.hour = 1;
    EXPECT_EQ(FormatDateTime(kTime12, midnight, kUs), L"12:05:09 AM");
    EXPECT_EQ(FormatDateTime(kTime12, midday, kUs), L"12:05:09 PM");
    EXPECT_EQ(FormatDateTime(kTime12, morning, kUs), L"01:05:09 AM");
    EXPECT_EQ(FormatDateTime(kTime24, midnight, kUs), L"00:05:09");
    EXPECT_EQ(FormatDateTime(kTime24, midday, kUs), L"12:05:09");
}

TEST(FormatDateTime, UsesTheLocalesDesignatorsAndSeparators) {
    const LocaleTexts dotted{L"vorm.", L"nachm.", L".", L"."};
    EXPECT_EQ(FormatDateTime(Pattern(kTime24, kDayFirst), kEvening, dotted), L"21.05.09 06.12.2026");
    EXPECT_EQ(FormatDateTime(Pattern(kTime12, kDayFirst), kEvening, dotted), L"09.05.09 nachm. 06.12.2026");
    const LocaleTexts noDesignators{L"", L"", L":", L"-"};
    EXPECT_EQ(FormatDateTime(Pattern(kTime12, kMonthFirst), kEvening, noDesignators), L"09:05:09  12-06-2026");
}

TEST(FormatDateTime, YearsAndDaysKeepTheirWidth) {
    const LocalTime early{987, 1, 2, 3, 4, 5, 0, 1};
    EXPECT_EQ(FormatDateTime(Pattern(kTime24, kMonthFirst), early, kUs), L"03:04:05 01/02/0987");
}

}  // namespace
}  // namespace tellurane
