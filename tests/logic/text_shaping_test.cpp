#include "logic/text_shaping.h"

#include <gtest/gtest.h>

#include <string>

namespace tellurane {
namespace {

TEST(NeedsWholeLineShaping, RightToLeftAndJoinedScriptsAreDrawnWhole) {
    const struct {
        const wchar_t* line;
        bool whole;
    } cases[] = {
        {L"10:42:07 PM 12/08/2026 Tuesday", false},
        {L"22:42:07 08.12.2026 Dienstag", false},
        {L"\u00E9t\u00E9 \u00C5 \u4E09\u6708", false},  // accented letters and ideographs are drawn alone
        {L"10:42:07 \u05D9\u05D5\u05DD \u05E9\u05DC\u05D9\u05E9\u05D9", true},  // Hebrew weekday
        {L"\u0627\u0644\u062B\u0644\u0627\u062B\u0627\u0621 10:42", true},      // Arabic weekday
        {L"10:42 \u0905\u092A\u0930\u093E\u0939\u094D\u0928", true},            // Hindi PM
        {L"\u0E27\u0E31\u0E19\u0E2D\u0E31\u0E07\u0E04\u0E32\u0E23", true},      // Thai
        {L"e\u0301", true},                                                     // a combining accent
        {L"\u200F10:42", true},                                                 // a right-to-left mark
        {L"\U0001F552 10:42", true},                                            // beyond the first plane
        {L"\uFEFB", true},                                                      // an Arabic ligature form
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(NeedsWholeLineShaping(c.line), c.whole) << testing::PrintToString(c.line);

    // Each range's first and last character, and characters just outside the ranges, in a plain line.
    for (const unsigned whole :
         {0x0300u, 0x036Fu, 0x0591u, 0x08FFu, 0x0900u, 0x0DFFu, 0x0E00u, 0x0EFFu, 0x0F00u, 0x109Fu, 0x1780u, 0x17FFu,
          0x200Cu, 0x200Fu, 0x202Au, 0x202Eu, 0x2066u, 0x2069u, 0xD800u, 0xDFFFu, 0xFB1Du, 0xFDFFu, 0xFE70u, 0xFEFFu}) {
        EXPECT_TRUE(NeedsWholeLineShaping(L"10:42 " + std::wstring(1, static_cast<wchar_t>(whole))))
            << std::hex << whole;
    }
    for (const unsigned alone :
         {0x02FFu, 0x0370u, 0x0590u, 0x10A0u, 0x177Fu, 0x1800u, 0x200Bu, 0x2010u, 0x2029u, 0x202Fu, 0x2065u, 0x206Au,
          0xD7FFu, 0xE000u, 0xFB1Cu, 0xFE00u, 0xFE6Fu, 0xFF00u, 0xFFFFu}) {
        EXPECT_FALSE(NeedsWholeLineShaping(L"10:42 " + std::wstring(1, static_cast<wchar_t>(alone))))
            << std::hex << alone;
    }
}

}  // namespace
}  // namespace tellurane
