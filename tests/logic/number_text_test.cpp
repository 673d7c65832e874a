#include "logic/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "logic/app_error.h"

namespace tellurane {
namespace {

const NumberFormat kUs{};
const NumberFormat kGerman{L",", L".", L"-"};
const NumberFormat kMinusSign{L".", L",", L"\u2212"};
const NumberFormat kRtlMinus{L".", L",", L"\u200F-"};  // a sign of two characters, as Arabic settings have
const NumberFormat kSameSeparators{L",", L",", L"-"};  // a group separator the same as the decimal one

// The readers under test, as one type so that a table can name them.
using Reader = void (*)(std::wstring_view, const NumberFormat&);
void ReadInteger16(std::wstring_view text, const NumberFormat& format) { ToInteger16(text, format); }
void ReadSingle(std::wstring_view text, const NumberFormat& format) { ToSingle(text, format); }
void ReadStored(std::wstring_view text, const NumberFormat& format) { ParseStoredNumber(text, format); }

bool NamesText(const AppError& error, std::wstring_view text) {
    return error.Description().find(L"\"" + std::wstring(text) + L"\"") != std::wstring::npos;
}

TEST(ToInteger16, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        const wchar_t* text;
        int expected;
        const NumberFormat* format = &kUs;
    };
    const Case cases[] = {
        {L"1", 1},
        {L"0", 0},
        {L"2", 2},
        {L"-1", -1},
        {L"0.5", 0},
        {L"1.5", 2},
        {L"2.5", 2},
        {L"-2.5", -2},
        {L"1.4999", 1},
        {L"  7  ", 7},
        {L"+3", 3},
        {L"1e3", 1000},
        {L"1,000", 1000},
        {L"32767", 32767},
        {L"-32768", -32768},
        {L"-32768.5", -32768},
        {L".5", 0},
        {L"1.", 1},
        {L"1E3", 1000},
        {L"\u00A07\u00A0", 7},
        {L"12,345", 12345},
        {L"1,000e1", 10000},
        {L"1.234,5", 1234, &kGerman},
        {L"\u22125", -5, &kMinusSign},
        {L"-5", -5, &kMinusSign},
        {L"\u200F-5", -5, &kRtlMinus},
        {L"-7", -7, &kRtlMinus},
        {L"2,5", 2, &kSameSeparators},  // read as the decimal it more likely is
        {L"1,500", 2, &kSameSeparators},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToInteger16(c.text, *c.format), c.expected)
            << "text: " << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(ToInteger16, TextThatIsNotANumberFailsWithAClearMessage) {
    // A group separator stands only between digits of the whole part, three digits after each.
    struct Case {
        const wchar_t* text;
        const NumberFormat* format = &kUs;
        Reader read = ReadInteger16;
    };
    const Case cases[] = {
        {L""},
        {L"   "},
        {L"x"},
        {L"abc"},
        {L"1x"},
        {L"--1"},
        {L"1e"},
        {L"1.2.3"},
        {L"0x10"},
        {L",5"},
        {L"1 2"},
        {L"1,,000"},
        {L"1,.5"},
        {L"-59..9"},
        {L"1,5"},
        {L"1,00"},
        {L"1,0000"},
        {L",500"},
        {L"1.5,000"},
        {L"24.5", &kGerman},
        {L"\u22125"},
        {L"7507,5", &kUs, ReadStored},
        {L"1,5", &kUs, ReadStored},
        {L"1e", &kGerman, ReadStored},
    };
    for (const Case& c : cases) {
        try {
            c.read(c.text, *c.format);
            ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(c.text));
        } catch (const AppError& error) {
            EXPECT_NE(error.Description().find(L"is not a number"), std::wstring::npos);
            EXPECT_TRUE(NamesText(error, c.text)) << testing::PrintToString(error.Description());
        }
    }
}

TEST(NumberReaders, OutOfRangeIsAnErrorAfterRounding) {
    // Just above the largest float would round to infinity, which no setting can hold.
    struct Case {
        Reader read;
        const wchar_t* text;
        const NumberFormat* format = &kUs;
    };
    const Case cases[] = {
        {ReadInteger16, L"32768"},
        {ReadInteger16, L"32767.5"},
        {ReadInteger16, L"-32769"},
        {ReadInteger16, L"1e9"},
        {ReadInteger16, L"1e400"},
        {ReadSingle, L"1e39"},
        {ReadSingle, L"3.40282362e38"},
        {ReadSingle, L"-3.40282362e38"},
        {ReadStored, L"3.40282362e38", &kGerman},
        {ReadStored, L"1.5e400", &kGerman},
        {ReadStored, L"3,40282362e38", &kGerman},
    };
    for (const Case& c : cases) {
        try {
            c.read(c.text, *c.format);
            ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(c.text));
        } catch (const AppError& error) {
            EXPECT_NE(error.Description().find(L"out of range"), std::wstring::npos);
            EXPECT_TRUE(NamesText(error, c.text)) << testing::PrintToString(error.Description());
        }
    }
}

TEST(ToInteger16, ErrorTextKeepsTheBoxReadableForHostileInput) {
    // Spaces stay as typed, control characters become '?', and at most 40 characters are shown.
    const std::wstring forty = L"a" + std::wstring(39, L'z');
    struct Case {
        std::wstring text;
        std::wstring description;
    };
    const Case cases[] = {
        {L" 1 2 ", L"The text \" 1 2 \" is not a number."},
        {L"a\r\nb\tc\x7F\x85", L"The text \"a??b?c??\" is not a number."},
        {forty, L"The text \"" + forty + L"\" is not a number."},
        {forty + L"z", L"The text \"" + forty + L"...\" is not a number."},
        {L"a\r\nb" + std::wstring(500, L'z'), L"The text \"a??b" + std::wstring(36, L'z') + L"...\" is not a number."},
        {L"32768", L"The number \"32768\" is out of range (-32768 to 32767)."},
    };
    for (const Case& c : cases) {
        try {
            ToInteger16(c.text, kUs);
            ADD_FAILURE() << "accepted " << testing::PrintToString(c.text);
        } catch (const AppError& error) {
            EXPECT_EQ(error.Description(), c.description);
        }
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
    EXPECT_FLOAT_EQ(ToSingle(L"1,234,567.5", kUs), 1234567.5f);
    EXPECT_EQ(ToSingle(L"3.4028235e38", kUs), std::numeric_limits<float>::max());
    EXPECT_THROW(ToSingle(L"24pt", kUs), AppError);
}

// A text size typed under one regional setting and read under another: kept as typed where every
// setting reads it alike, else in the invariant form; shown back in the user's format.
TEST(TypedToStoredText, EveryRegionalSettingReadsBackWhatTheUserMeant) {
    const struct {
        const wchar_t* typed;
        const NumberFormat& user;
        const wchar_t* stored;
        const wchar_t* shown;  // the stored text in the settings box, under the same format
    } cases[] = {
        {L"24.5", kUs, L"24.5", L"24.5"},        {L" 36 ", kUs, L" 36 ", L" 36 "},
        {L"24,5", kGerman, L"24.5", L"24,5"},    {L"36", kGerman, L"36", L"36"},
        {L"1.234", kGerman, L"1234", L"1234"},  // German groups: a thousand, not one and a bit
        {L"1,234", kGerman, L"1.234", L"1,234"},
    };
    for (const auto& c : cases) {
        const std::wstring stored = TypedToStoredText(c.typed, c.user);
        EXPECT_EQ(stored, c.stored) << c.typed;
        EXPECT_FLOAT_EQ(static_cast<float>(ParseStoredNumber(stored, kUs)), ToSingle(c.typed, c.user)) << c.typed;
        EXPECT_FLOAT_EQ(static_cast<float>(ParseStoredNumber(stored, kGerman)), ToSingle(c.typed, c.user)) << c.typed;
        EXPECT_EQ(StoredToTypedText(stored, c.user), c.shown) << c.typed;
    }
    EXPECT_EQ(StoredToTypedText(L"24.5", kGerman), L"24,5");  // written under English settings
    // What German settings wrote before sizes were stored in the invariant form still reads as meant.
    EXPECT_FLOAT_EQ(static_cast<float>(ParseStoredNumber(L"1,234", kGerman)), 1.234f);
    EXPECT_EQ(static_cast<float>(ParseStoredNumber(L"3.4028235e38", kGerman)), std::numeric_limits<float>::max());
    EXPECT_EQ(StoredToTypedText(L"not a size", kGerman), L"not a size");
    EXPECT_THROW(TypedToStoredText(L"1e39", kUs), AppError);
}

TEST(IsNumeric, AcceptsNumbersAndRejectsEverythingElse) {
    EXPECT_TRUE(IsNumeric(L"24", kUs));
    EXPECT_TRUE(IsNumeric(L" 24.5 ", kUs));
    EXPECT_TRUE(IsNumeric(L"-5", kUs));
    EXPECT_FALSE(IsNumeric(L"", kUs));
    EXPECT_FALSE(IsNumeric(L"abc", kUs));
    EXPECT_FALSE(IsNumeric(L"24 pt", kUs));
    EXPECT_FALSE(IsNumeric(L"24.5", kGerman));  // a mistyped decimal, not 245
}

TEST(SingleToText, EveryWrittenNumberReadsBackEqual) {
    const float values[] = {0.0f,
                            2880.0f,
                            -60.0f,
                            5122.5f,
                            0.1f,
                            1.0f / 3.0f,
                            123456.79f,
                            1e20f,
                            -1e-20f,
                            std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::denorm_min()};
    for (const NumberFormat& format : {kUs, kGerman}) {
        for (float value : values) {
            const std::wstring text = SingleToText(value, format);
            EXPECT_EQ(ToSingle(text, format), value) << testing::PrintToString(text);
            EXPECT_EQ(static_cast<float>(ParseStoredNumber(text, format)), value) << testing::PrintToString(text);
        }
    }
    // What English settings wrote reads the same under any other.
    for (const NumberFormat& reader : {kGerman, kMinusSign}) {
        for (float value : values) {
            const std::wstring text = SingleToText(value, kUs);
            EXPECT_EQ(static_cast<float>(ParseStoredNumber(text, reader)), value) << testing::PrintToString(text);
        }
    }
}

TEST(SingleToText, WholeTwipsAreWrittenWithoutAFraction) {
    EXPECT_EQ(SingleToText(2880.0f, kUs), L"2880");
    EXPECT_EQ(SingleToText(-60.0f, kUs), L"-60");
    EXPECT_EQ(SingleToText(5122.5f, kGerman), L"5122,5");

    struct Written {
        double value;
        const wchar_t* text;
        double readBack;
    };
    const Written written[] = {
        {100000, L"100000", 100000},
        {7507.5, L"7508", 7508},
        {-2.5, L"-3", -3},
        {-0.4, L"0", 0},
        {-60, L"-60", -60},
        {0.49999999999999994, L"0", 0},
        {std::nan(""), L"0", 0},
        {1e10, L"2147483647", 2147483647.0},
        {-1e10, L"-2147483648", -2147483648.0},
    };
    for (const Written& w : written) {
        EXPECT_EQ(WholeNumberText(w.value), w.text) << w.value;
        for (const NumberFormat& format : {kUs, kGerman}) {
            EXPECT_EQ(ParseStoredNumber(w.text, format), w.readBack) << testing::PrintToString(std::wstring(w.text));
        }
    }

    // Forms that earlier versions wrote: std::to_chars' shortest text, with the user's decimal separator.
    struct Stored {
        const wchar_t* text;
        const NumberFormat* format;
        double value;
    };
    const Stored stored[] = {
        {L"1e+05", &kUs, 100000},        {L"1e+05", &kGerman, 100000}, {L"7507.5", &kGerman, 7507.5},
        {L"7507,5", &kGerman, 7507.5},   {L"1.234", &kGerman, 1.234},  {L" -60 ", &kGerman, -60},
        {L"\u221260", &kMinusSign, -60}, {L"1.5E3", &kGerman, 1500},
    };
    for (const Stored& s : stored) {
        EXPECT_EQ(ParseStoredNumber(s.text, *s.format), s.value) << testing::PrintToString(std::wstring(s.text));
    }
}

}  // namespace
}  // namespace tellurane
