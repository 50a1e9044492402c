#include "model/project/DepthForm.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dorvek;

TEST(DepthForm, TwentyThreeCharactersRightAligned) {
    EXPECT_EQ(FormatDepth(10), " 1.00000000000000E+0001");
    EXPECT_EQ(FormatDepth(0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatDepth(-10), "-1.00000000000000E+0001");
    // 12.192 = 1.2192 * 10^1; fifteen significant digits.
    EXPECT_EQ(FormatDepth(12.192L), " 1.21920000000000E+0001");
    EXPECT_EQ(FormatDepth(0.0254L), " 2.54000000000000E-0002");
    EXPECT_EQ(FormatDepth(1.0L / 3), " 3.33333333333333E-0001");
    // Rounded at the fifteenth digit: 2/3 = 0.666...67.
    EXPECT_EQ(FormatDepth(2.0L / 3), " 6.66666666666667E-0001");
    EXPECT_EQ(FormatDepth(123456.789L), " 1.23456789000000E+0005");
    EXPECT_EQ(FormatDepth(-0.0L), " 0.00000000000000E+0000");
    for (long double v : {1e-300L, 1e300L, -7.5e-12L, 9.999999999999999e8L})
        EXPECT_EQ(FormatDepth(v).size(), 23u) << static_cast<double>(v);
    EXPECT_EQ(FormatDepth(1e300L), " 1.00000000000000E+0300");
    EXPECT_EQ(FormatDepth(-7.5e-12L), "-7.50000000000000E-0012");
    // 9.999999999999999e8 rounds up to the next power of ten.
    EXPECT_EQ(FormatDepth(9.999999999999999e8L), " 1.00000000000000E+0009");
}

TEST(DepthForm, NonFiniteKeepsTheWidth) {
    EXPECT_EQ(FormatDepth(INFINITY).size(), 23u);
    EXPECT_EQ(FormatDepth(NAN).size(), 23u);
}
