#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/app_error.h"

namespace tellurane {
namespace {

const NumberFormat kUs{};
const NumberFormat kGerman{L",", L".", L"-"};

TEST(ToInteger16, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        const wchar_t* text;
        int expected;
    };
    const Case cases[] = {
        {L"1", 1},       {L"0", 0},         {L"2", 2},       {L"-1", -1},      {L"0.5", 0},  {L"1.5", 2},
        {L"2.5", 2},     {L"-2.5", -2},     {L"1.4999", 1},  {L"  7  ", 7},    {L"+3", 3},   {L"1e3", 1000},
        {L"1,000", 1000}, {L"32767", 32767}, {L"-32768", -32768}, {L"-32768.5", -32768}, {L".5", 0}, {L"1.", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToInteger16(c.text, kUs), c.expected) << "text: " << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(ToInteger16, TextThatIsNotANumberFailsWithAClearMessage) {
    for (const wchar_t* text : {L"", L"   ", L"x", L"abc", L"1x", L"--1", L"1e", L"1.2.3", L"0x10", L",5", L"1 2"}) {
        try {
            ToInteger16(text, kUs);
            ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(text));
        } catch (const AppError& error) {
            EXPECT_NE(error.Description().find(L"is not a number"), std::wstring::npos);
        }
    }
}

TEST(ToInteger16, OutOfRangeIsAnErrorAfterRounding) {
    for (const wchar_t* text : {L"32768", L"32767.5", L"-32769", L"1e9", L"1e400"}) {
        try {
            ToInteger16(text, kUs);
            ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(text));
        } catch (const AppError& error) {
            EXPECT_NE(error.Description().find(L"out of range"), std::wstring::npos);
        }
    }
}

TEST(ToInteger16, ErrorTextKeepsTheBoxReadableForHostileInput) {
    try {
        ToInteger16(std::wstring(L"a\r\nb") + std::wstring(500, L'z'), kUs);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.Description().find(L'\n'), std::wstring::npos);
        EXPECT_LT(error.Description().size(), 100u);
    }
}

TEST(ToInteger32, HoldsColourValuesOfEveryKind) {
    EXPECT_EQ(ToInteger32(L"255", kUs), 255);
    EXPECT_EQ(ToInteger32(L"16711680", kUs), 16711680);
    EXPECT_EQ(ToInteger32(L"-2147483633", kUs), static_cast<std::int32_t>(0x8000000F));
    EXPECT_THROW(ToInteger32(L"2147483648", kUs), AppError);
}

TEST(ToSingle, FollowsTheUsersNumberFormat) {
    EXPECT_FLOAT_EQ(ToSingle(L"24.5", kUs), 24.5f);
    EXPECT_FLOAT_EQ(ToSingle(L"24,5", kGerman), 24.5f);
    EXPECT_FLOAT_EQ(ToSingle(L"1.234,5", kGerman), 1234.5f);
    EXPECT_FLOAT_EQ(ToSingle(L"-60", kUs), -60.0f);
    EXPECT_THROW(ToSingle(L"1e39", kUs), AppError);
    EXPECT_THROW(ToSingle(L"24pt", kUs), AppError);
}

TEST(IsNumeric, AcceptsNumbersAndRejectsEverythingElse) {
    EXPECT_TRUE(IsNumeric(L"24", kUs));
    EXPECT_TRUE(IsNumeric(L" 24.5 ", kUs));
    EXPECT_TRUE(IsNumeric(L"-5", kUs));
    EXPECT_FALSE(IsNumeric(L"", kUs));
    EXPECT_FALSE(IsNumeric(L"abc", kUs));
    EXPECT_FALSE(IsNumeric(L"24 pt", kUs));
    EXPECT_FALSE(IsNumeric(L"24.5", kGerman) && ToSingle(L"24.5", kGerman) == 24.5f);
}

TEST(SingleToText, EveryWrittenNumberReadsBackEqual) {
    const float values[] = {0.0f, 2880.0f, -60.0f, 5122.5f, 0.1f, 1.0f / 3.0f, 123456.79f, 1e20f, -1e-20f,
                            std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min()};
    for (const NumberFormat& format : {kUs, kGerman}) {
        for (float value : values) {
            const std::wstring text = SingleToText(value, format);
            EXPECT_EQ(ToSingle(text, format), value) << testing::PrintToString(text);
        }
    }
}

TEST(SingleToText, WholeTwipsAreWrittenWithoutAFraction) {
    EXPECT_EQ(SingleToText(2880.0f, kUs), L"2880");
    EXPECT_EQ(SingleToText(-60.0f, kUs), L"-60");
    EXPECT_EQ(SingleToText(5122.5f, kGerman), L"5122,5");
}

}  // namespace
}  // namespace tellurane
