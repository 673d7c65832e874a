#include "logic/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "logic/app_error.h"

namespace tellurane {
namespace {

TEST(ErrorReportText, IsComposedCharacterForCharacter) {
    EXPECT_EQ(ErrorReportText(L"Type mismatch", location::kForm1Load, 110, L"help@example.com"),
              L"Type mismatch\r\nin Vantorel2021/08/31.Form1.Form_Load at line 110\r\r"
              L"Please email screenshot of this message to help@example.com");
}

TEST(ErrorReportText, TheTickShowsLineZero) {
    const std::wstring text = ErrorReportText(L"x", location::kForm1Tick, 0, L"a@b");
    EXPECT_NE(text.find(L"in Vantorel2021/08/31.Form1.Timer1 at line 0\r\r"), std::wstring::npos);
}

TEST(ErrorReportText, EveryLocationEndsWithTheSpaceBeforeAtLine) {
    for (std::wstring_view where :
         {location::kForm1QueryUnload, location::kForm1FaceClick, location::kForm1Load, location::kForm1Tick,
          location::kForm2Load, location::kForm2Ok, location::kForm2Colour}) {
        ASSERT_FALSE(where.empty());
        EXPECT_EQ(where.back(), L' ');
        EXPECT_EQ(where.substr(0, 22), L"in Vantorel2021/08/31.");
    }
}

// A failure swallowed at a boundary still says what it was in the debugger's output.
TEST(FailureLog, NamesThePlaceAndWhatFailed) {
    const struct {
        std::exception_ptr failure;
        std::wstring_view said;
    } cases[] = {
        {std::make_exception_ptr(AppError(L"Type mismatch")), L"Type mismatch"},
        {std::make_exception_ptr(std::runtime_error("bad \xC3\xA9 text")), L"bad ?? text"},
        {std::make_exception_ptr(std::bad_alloc()), L"out of memory"},
        {std::make_exception_ptr(42), L"a failure of unknown kind"},
        {nullptr, L"no failure"},
    };
    for (const auto& c : cases) EXPECT_EQ(DescribeCaughtFailure(c.failure), c.said);
    EXPECT_EQ(FailureLogLine("Form1::OnResized", L"out of memory"), L"Tellurane: Form1::OnResized: out of memory\n");
}

}  // namespace
}  // namespace tellurane
