#include "logic/contrast.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

TEST(ContrastRatio, RunsFromOneForTheSameColourToTwentyOneForBlackOnWhite) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x808080, 0x808080), 1.0);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);      // the lightest grey that reads on white
    EXPECT_NEAR(ContrastRatio(0x0000FF, 0xFFFFFF), 4.0, 0.01);       // pure red (0x00BBGGRR) is not enough
    EXPECT_NEAR(ContrastRatio(0xFF0000, 0x000000), 2.44, 0.01);      // pure blue on black: far from it
    EXPECT_NEAR(ContrastRatio(0x0A0A0A, 0x000000), 1.0607, 0.0005);  // 10 of 255: the curve's linear part
    EXPECT_NEAR(ContrastRatio(0x0B0B0B, 0x000000), 1.0668, 0.0005);  // 11 of 255: its power part
}

TEST(ReadableOn, KeepsAReadableColourAndOtherwiseTakesBlackOrWhite) {
    struct Case {
        std::uint32_t background, wanted, painted;
    };
    for (const Case& c : {Case{0xFFFFFF, 0x000000, 0x000000},     // black on white stays
                          Case{0xFFFFFF, 0xFFFFFF, 0x000000},     // white on white: black
                          Case{0x000000, 0x000000, 0xFFFFFF},     // black on black: white
                          Case{0x000000, 0x00FFFF, 0x00FFFF},     // yellow on black stays
                          Case{0xFFFFFF, 0x00FFFF, 0x000000},     // yellow on white: black
                          Case{0xFFFFFF, 0x949494, 0x000000},     // 3:1, enough for large text only: black
                          Case{0xFFFFFF, 0x767676, 0x767676},     // 4.54:1 stays
                          Case{0x800000, 0x000000, 0xFFFFFF}}) {  // black on navy: white
        EXPECT_EQ(ReadableOn(c.background, c.wanted), c.painted) << std::hex << c.background << " " << c.wanted;
    }
}

}  // namespace
}  // namespace tellurane
