// Pile data the solver refuses: no increments, an unusable stiffness table, a pile line
// that is not a finite, non-negative geometry.
#include "kernel/SolverInput.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dorvek;

namespace {

// The message of a refused store ("" when it is accepted).
std::string Refusal(const Store& s) {
    std::string message;
    const bool ok = CheckSolverInput(s, message);
    EXPECT_EQ(ok, message.empty()) << message;
    return message;
}

} // namespace

TEST(SolverInput, AcceptsAUsablePile) {
    EXPECT_EQ(Refusal(dorvek::testing::HandPile()), "");
    Store s = dorvek::testing::HandPile();
    s.diameter = 0.0f; // no side area is a pile carried by its tip
    s.length = 0.0f;
    EXPECT_EQ(Refusal(s), "");
}

TEST(SolverInput, RefusesNoIncrements) {
    Store s = dorvek::testing::HandPile();
    s.ninc = 0;
    EXPECT_EQ(Refusal(s), "the number of pile increments NINC must be at least 1, but it is 0");
    s.ninc = -3;
    EXPECT_NE(Refusal(s), "");
    s.ninc = 100001;
    EXPECT_EQ(Refusal(s), "the number of pile increments NINC must not exceed 100000, but it is "
                          "100001");
    s.ninc = 100000;
    EXPECT_EQ(Refusal(s), "");
}

TEST(SolverInput, RefusesAShortStiffnessTable) {
    Store s = dorvek::testing::HandPile();
    s.ae = {1.0e6f};
    s.aeDepth = {0.0f};
    EXPECT_EQ(Refusal(s), "the axial stiffness table needs at least two points (AE and depth), "
                          "but it has 1");
    s.ae.clear();
    s.aeDepth.clear();
    EXPECT_NE(Refusal(s), "");
}

TEST(SolverInput, RefusesStiffnessOfZeroOrBelow) {
    Store s = dorvek::testing::HandPile();
    s.ae = {1.0e6f, 0.0f};
    EXPECT_EQ(Refusal(s),
              "the axial stiffness AE must be greater than zero, but point 2 has AE = 0");
    s.ae = {-2.5e6f, 1.0e6f};
    EXPECT_EQ(Refusal(s),
              "the axial stiffness AE must be greater than zero, but point 1 has AE = -2500000");
}

TEST(SolverInput, RefusesValuesThatAreNotNumbers) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Store s = dorvek::testing::HandPile();
    s.ae[1] = nan;
    EXPECT_EQ(Refusal(s), "axial stiffness point 2 is not a finite number");
    s = dorvek::testing::HandPile();
    s.aeDepth[0] = -inf;
    EXPECT_NE(Refusal(s), "");
    s = dorvek::testing::HandPile();
    s.tol = inf;
    EXPECT_EQ(Refusal(s), "the pile line value TOL is not a finite number");
    s = dorvek::testing::HandPile();
    s.head = nan;
    EXPECT_EQ(Refusal(s), "the pile line value HEAD is not a finite number");
}

TEST(SolverInput, RefusesNegativeGeometry) {
    Store s = dorvek::testing::HandPile();
    s.length = -10.0f;
    EXPECT_EQ(Refusal(s), "the pile length L must not be negative, but it is -10");
    s = dorvek::testing::HandPile();
    s.diameter = -0.5f;
    EXPECT_EQ(Refusal(s), "the pile diameter D must not be negative, but it is -0.5");
}
