// The solver against the exact solution of a pile with linear load transfer.
//
// Constant AE, side friction t = k z and tip load Q = kb w: the movement u(s) at height s
// above the tip solves AE u'' = k pi D u with u(0) = wt and AE u'(0) = kb wt, so
//   u(s) = wt (cosh(lambda s) + c sinh(lambda s)),  lambda = sqrt(k pi D / AE),
//   c = kb / (AE lambda),  P(s) = AE u'(s) = AE wt lambda (sinh(lambda s) + c cosh(lambda s)).
// Pile: L = 600, D = 12, AE = 1e9, k = 100, kb = 2e5, wt = 0.1 (lambda L = 1.165); the exact
// head load is 316 123.5 and the exact head movement 0.190794.
//
// Relative errors reached (single precision, TOL = 1e-8):
//   NINC   head load   head movement
//     10    3.66e-4      3.48e-4
//     20    9.17e-5      8.71e-5
//     40    2.29e-5      2.19e-5
//     50    1.50e-5      1.37e-5
// so the error falls fourfold when NINC doubles (second order). The test prints this table
// (the technical manual's verification table comes from it).
#include "kernel/Solver.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace dorvek;
using dorvek::testing::Curve;
using dorvek::testing::Pile;

namespace {

constexpr double kL = 600, kD = 12, kAE = 1e9, kK = 100, kKb = 2e5, kWt = 0.1, kPi = 3.1416;

struct Errors {
    double load, move;
};

Errors RelativeErrors(int ninc) {
    // One user curve t = 100 z at every increment mid-depth, reaching beyond all movements.
    const float head = 24.0f;
    const float dz = static_cast<float>(kL) / static_cast<float>(ninc);
    std::vector<TzCurve> curves;
    for (int i = ninc - 1; i >= 0; --i) {
        const float depth = head + static_cast<float>(kL) - (static_cast<float>(i) + 0.5f) * dz;
        curves.push_back(Curve(depth, {{0.0f, 0.0f}, {50.0f, 0.5f}, {100.0f, 1.0f}}));
    }
    const Store s = Pile(ninc, static_cast<float>(kL), head, static_cast<float>(kD),
                         static_cast<float>(kAE), 1.0e-8f, std::move(curves),
                         {{static_cast<float>(kKb), 1.0f}, {static_cast<float>(2 * kKb), 2.0f}});
    const SolverSetup setup = MakeSolverSetup(s);
    PileSolution sol;
    SolveForTipMovement(setup, static_cast<float>(kWt), sol);

    const double lambda = std::sqrt(kK * kPi * kD / kAE);
    const double c = kKb / (kAE * lambda);
    const double move = kWt * (std::cosh(lambda * kL) + c * std::sinh(lambda * kL));
    const double load = kAE * kWt * lambda * (std::sinh(lambda * kL) + c * std::cosh(lambda * kL));
    EXPECT_FALSE(sol.mirrored);
    EXPECT_FLOAT_EQ(sol.tipLoad, static_cast<float>(kKb * kWt));
    return {std::fabs(sol.headLoad - load) / load, std::fabs(sol.headMove - move) / move};
}

} // namespace

TEST(SolverClosedForm, ConvergesAtSecondOrder) {
    const Errors e10 = RelativeErrors(10);
    const Errors e20 = RelativeErrors(20);
    const Errors e40 = RelativeErrors(40);
    const Errors e50 = RelativeErrors(50);
    std::printf("  NINC   head load   head movement\n");
    for (const auto& [ninc, e] :
         {std::pair{10, e10}, std::pair{20, e20}, std::pair{40, e40}, std::pair{50, e50}})
        std::printf("  %4d    %.2e    %.2e\n", ninc, e.load, e.move);

    EXPECT_LT(e10.load, 1e-3);
    EXPECT_LT(e10.move, 1e-3);
    EXPECT_LT(e50.load, 1e-4);
    EXPECT_LT(e50.move, 1e-4);

    // Doubling NINC divides the error by about four.
    for (const auto& [coarse, fine] : {std::pair{e10, e20}, std::pair{e20, e40}}) {
        EXPECT_NEAR(coarse.load / fine.load, 4.0, 0.4);
        EXPECT_NEAR(coarse.move / fine.move, 4.0, 0.4);
    }
}
