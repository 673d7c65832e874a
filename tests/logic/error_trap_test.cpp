#include "logic/error_trap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tellurane {
namespace {

struct Box {
    std::wstring description;
    std::wstring location;
    int line;
};

class ErrorTrapTest : public testing::Test {
protected:
    ErrorTrap MakeTrap() {
        return ErrorTrap(L"in Test.Handler ", [this](std::wstring_view description, std::wstring_view where, int line) {
            boxes.push_back({std::wstring(description), std::wstring(where), line});
        });
    }
    std::vector<Box> boxes;
};

TEST_F(ErrorTrapTest, AFailedStepIsReportedAndTheHandlerCarriesOn) {
    ErrorTrap trap = MakeTrap();
    std::vector<int> ran;
    trap.Run(100, [&] { ran.push_back(100); });
    trap.Run(110, [&] { throw AppError(L"The text \"abc\" is not a number."); });
    trap.Run(112, [&] { ran.push_back(112); });
    EXPECT_EQ(ran, (std::vector<int>{100, 112}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].description, L"The text \"abc\" is not a number.");
    EXPECT_EQ(boxes[0].location, L"in Test.Handler ");
    EXPECT_EQ(boxes[0].line, 110);
}

TEST_F(ErrorTrapTest, AStepWithoutANumberCountsUnderTheLastNumber) {
    ErrorTrap trap = MakeTrap();
    trap.Run(136, [] {});
    trap.Run([] { throw AppError(L"second part of 136"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].line, 136);
}

TEST_F(ErrorTrapTest, AHandlerWithoutNumbersReportsLineZero) {
    ErrorTrap trap = MakeTrap();
    trap.Run([] { throw std::runtime_error("boom"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].line, 0);
    EXPECT_EQ(boxes[0].description, L"boom");
}

TEST_F(ErrorTrapTest, AFailedIfTestTakesTheThenBranch) {
    ErrorTrap trap = MakeTrap();
    EXPECT_TRUE(trap.If(142, []() -> bool { throw AppError(L"bad switch"); }));
    EXPECT_FALSE(trap.If(104, [] { return false; }));
    EXPECT_TRUE(trap.If(104, [] { return true; }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].line, 142);
}

TEST_F(ErrorTrapTest, EveryFailureOfASequenceGetsItsOwnBox) {
    ErrorTrap trap = MakeTrap();
    if (trap.If(104, []() -> bool { throw AppError(L"test"); })) {
        trap.Run(106, [] { throw AppError(L"load"); });
    }
    trap.Run(110, [] { throw 42; });
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].line, 104);
    EXPECT_EQ(boxes[1].line, 106);
    EXPECT_EQ(boxes[2].line, 110);
    EXPECT_FALSE(boxes[2].description.empty());
}

}  // namespace
}  // namespace tellurane
