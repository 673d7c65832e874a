#include "logic/text_shaping.h"

#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace tellurane
