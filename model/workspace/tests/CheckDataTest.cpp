#include "model/workspace/CheckData.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dorvek;

namespace {
std::string Plain(long double v) {
    std::ostringstream s;
    s << static_cast<double>(v);
    return s.str();
}

TCheckDataInput TipMovements(std::vector<long double> tips) {
    TCheckDataInput in;
    in.Nloadmethod = 1;
    in.TipMovements = std::move(tips);
    return in;
}
} // namespace

TEST(CheckData, TipMovementBeyondQwCurveStopsWithItsRow) {
    auto in = TipMovements({0.1L, 0.5L, 0.9L});
    in.UserQw = true;
    in.LastQwMovement = 0.4L;
    EXPECT_EQ(CheckData(in, Plain),
              "Tip Movement entered (0.5)\n"
              "is higher than largest displacement entered for user defined Q-w curve (0.4)\n"
              "Please check tip movements defined (2) .");
}

TEST(CheckData, TipMovementBeyondATzCurveNamesTheDepthRow) {
    auto in = TipMovements({0.2L, 0.3L});
    in.UserTz = true;
    in.LastTzMovements = {0.5L, 0.25L, 0.1L};
    // 0.2 exceeds row 3 (0.1) before 0.3 is looked at.
    EXPECT_EQ(CheckData(in, Plain),
              "Tip Movement entered (0.2)\n"
              "is higher than largest displacement entered for user defined t-z curve (0.1), "
              "row 3\n"
              "Please check tip movements defined (1) .");
}

TEST(CheckData, QwCheckComesBeforeTzCheck) {
    auto in = TipMovements({0.3L});
    in.UserQw = in.UserTz = true;
    in.LastQwMovement = 0.2L;
    in.LastTzMovements = {0.1L};
    EXPECT_NE(CheckData(in, Plain)->find("Q-w curve (0.2)"), std::string::npos);
}

TEST(CheckData, EqualMovementsPassAndOtherLoadMethodsAreNotChecked) {
    auto in = TipMovements({0.4L});
    in.UserQw = in.UserTz = true;
    in.LastQwMovement = 0.4L;
    in.LastTzMovements = {0.4L, std::nullopt};
    EXPECT_FALSE(CheckData(in, Plain));
    in.TipMovements = {9};
    in.Nloadmethod = 0;
    EXPECT_FALSE(CheckData(in, Plain));
    in.Nloadmethod = 2;
    EXPECT_FALSE(CheckData(in, Plain));
}

TEST(CheckData, CurvesNotInUseAreNotChecked) {
    auto in = TipMovements({5});
    in.LastQwMovement = 1;
    in.LastTzMovements = {1};
    EXPECT_FALSE(CheckData(in, Plain));
}
