// Calibration to measured curves: factor names, factors on a project, the misfit, and the
// search recovering the factors a curve was computed with.
#include "model/calibration/Calibrate.h"
#include "model/calibration/CalibrationAnalysis.h"
#include "model/calibration/CalibrationPlot.h"
#include "model/plots/tests/TempDir.h"
#include "model/tables/Table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

// The Morganza test pile with driven-pile clay and sand curves: eight layers, 100 increments.
const fs::path kMorganza =
    fs::path(DORVEK_SOURCE_DIR) / "examples" / "load-test" / "morganza-coyle-reese-mosher.dv4d";

std::string NameFault(const std::string& list) {
    try {
        ParseFactorNames(list);
    } catch (const ECalibrationError& e) {
        return e.what();
    }
    return "";
}

TEST(CalibrationFactors, NamesAndTheirFaults) {
    const std::vector<TFactorName> names = ParseFactorNames("side-factor@2, tip-factor,ae-factor");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].kind, TFactorKind::Side);
    EXPECT_EQ(names[0].layer, 2);
    EXPECT_EQ(names[0].text, "side-factor@2");
    EXPECT_EQ(names[1].kind, TFactorKind::Tip);
    EXPECT_EQ(names[1].layer, 0);
    EXPECT_EQ(names[2].kind, TFactorKind::Ae);
    EXPECT_EQ(NameFault("length"),
              "\"length\" is not a factor that can be calibrated: side-factor, tip-factor (each "
              "also per soil layer, as side-factor@2) or ae-factor");
    EXPECT_EQ(NameFault("side-factor@0"), "\"side-factor@0\": the layer after @ must be a number "
                                          "from 1");
    EXPECT_EQ(NameFault("tip-factor@x"), "\"tip-factor@x\": the layer after @ must be a number "
                                         "from 1");
    EXPECT_EQ(NameFault("ae-factor@1"),
              "\"ae-factor@1\": ae-factor acts on the whole pile, not on one soil layer");
    EXPECT_EQ(NameFault("side-factor,side-factor"), "\"side-factor\" is given twice");
    EXPECT_EQ(NameFault("side-factor@1,side-factor"),
              "\"side-factor@1\" and \"side-factor\" act on the same layers; give either the "
              "factor of every layer or per-layer factors");
    EXPECT_EQ(NameFault("side-factor,"), "an empty factor name in \"side-factor,\"");
    EXPECT_EQ(NameFault("side-factor@1,side-factor@2"), "");
}

// Layer 3 of the Morganza file: unit side friction 3.96412 at its bottom (row 6 of the
// property lines), unit tip resistance 0.
long double SideAt(TFactorProject& p, int layer, int row) {
    return p.Tables().D2().GetDataValue(2, layer - 1)->GetFloatValue(7, row);
}

TEST(CalibrationFactors, ScaleOneLayerOrAllAndTheAxialStiffness) {
    TFactorProject p(kMorganza);
    EXPECT_EQ(p.LayerCount(), 8);
    const long double side3 = SideAt(p, 3, 1), side4 = SideAt(p, 4, 1);
    EXPECT_NEAR(static_cast<double>(side3), 3.96412, 1e-9);
    p.Apply(ParseFactorNames("side-factor@3,ae-factor"), {2.0, 0.5});
    EXPECT_NEAR(static_cast<double>(SideAt(p, 3, 1)), 2 * 3.96412, 1e-9);
    EXPECT_EQ(SideAt(p, 4, 1), side4); // another layer keeps its value
    EXPECT_NEAR(static_cast<double>(p.Tables().TblAE2().GetFloatValue(1, 1)), 0.5 * 1.76664e9, 1);
    // Every application starts from the project as read.
    p.Apply(ParseFactorNames("side-factor"), {1.5});
    EXPECT_NEAR(static_cast<double>(SideAt(p, 3, 1)), 1.5 * 3.96412, 1e-9);
    EXPECT_NEAR(static_cast<double>(SideAt(p, 4, 1)), 1.5 * static_cast<double>(side4), 1e-9);
    EXPECT_NEAR(static_cast<double>(p.Tables().TblAE2().GetFloatValue(1, 1)), 1.76664e9, 1);

    EXPECT_EQ(p.Fault(ParseFactorNames("tip-factor@9")), "tip-factor@9: the project has 8 soil "
                                                         "layers");
    EXPECT_EQ(p.Fault(ParseFactorNames("tip-factor@8,side-factor")), "");
    EXPECT_THROW(TFactorProject(kMorganza.parent_path() / "none.dv4d"), ECalibrationError);
    EXPECT_THROW(TFactorProject(kMorganza.parent_path() / "morganza-measured.csv"),
                 ECalibrationError);
}

TEST(CalibrationFactors, ABorrowedProjectComesBackAsItWas) {
    TProjectTables tables;
    TProgramData data;
    data.CreateFromFile(kMorganza, FilterCurrent, tables);
    data.FileName = "/p/pile.dv4d";
    test::TempDir dir;
    {
        TFactorProject p(data, tables);
        p.Apply(ParseFactorNames("side-factor,ae-factor"), {2.0, 0.5});
        EXPECT_NEAR(
            static_cast<double>(tables.Tables().D2().GetDataValue(2, 2)->GetFloatValue(7, 1)),
            2 * 3.96412, 1e-9);
        p.Write(dir / "scaled.dv4d");
        EXPECT_EQ(data.FileName, "/p/pile.dv4d"); // the project keeps its name
        (void)p.InputTextForLoads({1000});
    }
    EXPECT_NEAR(static_cast<double>(tables.Tables().D2().GetDataValue(2, 2)->GetFloatValue(7, 1)),
                3.96412, 1e-9);
    EXPECT_NEAR(static_cast<double>(tables.Tables().TblAE2().GetFloatValue(1, 1)), 1.76664e9, 1);
    EXPECT_EQ(tables.Tables().TblTopload().RowCount(), 16);
    EXPECT_FALSE(tables.Changed());
    EXPECT_NE(test::ReadFile(dir / "scaled.dv4d").find("\r\n8.8332E8 0\r\n"), std::string::npos);
}

TEST(CalibrationFactors, InputForTheMeasuredLoadsKeepsTheProjectsOwnLoads) {
    test::TempDir dir;
    TFactorProject p(kMorganza);
    const std::string text = p.InputTextForLoads({1000, 2500.5});
    EXPECT_NE(text.find("\r\n 0\r\n2\r\n1000\r\n2500.5\r\n 0\r\n"), std::string::npos);
    p.Write(dir / "copy.dv4d");
    const std::string copy = test::ReadFile(dir / "copy.dv4d");
    EXPECT_NE(copy.find("\r\n16\r\n50000\r\n100000\r\n"), std::string::npos);
    EXPECT_EQ(copy, test::ReadFile(kMorganza)); // factors of 1 write the file as it was
}

TEST(CalibrationMisfit, SettlementDifferencesAndLoadsBeyondTheCurve) {
    // Two converged loads 0.01 and 0.02 off; the third has no equilibrium: the curve's top
    // (300, 0.5) plus (400 - 300) / 300 of D = 12 gives 4.5 against 1.0 measured.
    TLoadSettlementSummary r;
    r.units = 1;
    r.tipMovements = {{300, 0.5, 0.4, 0}};
    r.appliedLoads = {{100, 0.11, 0, 0, true}, {200, 0.28, 0, 0, true}, {400, 0, 0, 0, false}};
    const std::vector<TMeasuredPoint> points = {{100, 0.1}, {200, 0.3}, {400, 1.0}};
    int beyond = 0;
    const double misfit = SettlementMisfit(r, points, 12, false, &beyond);
    EXPECT_EQ(beyond, 1);
    EXPECT_NEAR(misfit, std::sqrt((0.0001 + 0.0004 + 3.5 * 3.5) / 3), 1e-12);
    // Points used: positive loads up to the first largest load.
    TMeasuredCurves curves;
    curves.curves.push_back({"a", {{0, 0}, {10, 0.1}, {30, 0.5}, {20, 0.9}, {30, 1.5}}});
    curves.curves.push_back({"b", {{0, 0}, {5, 0.05}}});
    const std::vector<TMeasuredPoint> used = CalibrationPoints(curves);
    ASSERT_EQ(used.size(), 3u);
    EXPECT_EQ(used[1].load, 30);
    EXPECT_EQ(used[2].load, 5);
}

// The head settlements the project computes at `loads` with the factors applied.
TMeasuredCurves ComputedTest(const std::vector<TFactorName>& names,
                             const std::vector<double>& factors,
                             const std::vector<long double>& loads, double noise = 0) {
    TFactorProject p(kMorganza);
    p.Apply(names, factors);
    const TCalibrationAnalysis run = AnalyseForCalibration(p.InputTextForLoads(loads));
    EXPECT_EQ(run.code, 0);
    TMeasuredCurves m;
    m.units = 1;
    m.curves.push_back({"computed", {{0, 0}}});
    unsigned seed = 12345;
    for (const TPileResult& r : run.results.appliedLoads) {
        EXPECT_TRUE(r.converged);
        // A fixed sequence of deviations up to +-noise (a linear congruential generator).
        seed = seed * 1103515245u + 12345u;
        const double u = static_cast<double>((seed >> 8) % 20001) / 10000.0 - 1.0;
        m.curves[0].points.push_back({r.headLoad, r.headMove * (1 + noise * u)});
    }
    return m;
}

const std::vector<long double> kLoads = {50000,  100000, 150000, 200000, 250000,
                                         300000, 350000, 400000, 450000};

TEST(Calibration, RecoversTheFactorsOfACurveItComputed) {
    const std::vector<TFactorName> names = ParseFactorNames("side-factor,tip-factor");
    TCalibrationRequest request;
    request.factors = names;
    request.measured = ComputedTest(names, {1.3, 0.7}, kLoads);
    int calls = 0;
    request.progress = [&](const TCalibrationProgress& p) {
        ++calls;
        EXPECT_EQ(p.factors.size(), 2u);
        EXPECT_LE(p.best, p.misfit);
        return true;
    };
    TFactorProject project(kMorganza);
    const TCalibrationOutcome out = Calibrate(project, request);
    ASSERT_EQ(out.factors.size(), 2u);
    EXPECT_NEAR(out.factors[0], 1.3, 0.013);
    EXPECT_NEAR(out.factors[1], 0.7, 0.007);
    EXPECT_GT(out.misfitBefore, 0.01);
    EXPECT_LT(out.misfitAfter, 0.01 * out.misfitBefore);
    EXPECT_EQ(out.pointsUsed, 9);
    EXPECT_EQ(calls, out.evaluations - 1); // the analysis before the search is not reported
    EXPECT_EQ(out.after.appliedLoads.size(), 9u);
    EXPECT_FALSE(out.stopped);
}

TEST(Calibration, RecoversTheFactorsOfANoisyCopy) {
    const std::vector<TFactorName> names = ParseFactorNames("side-factor,tip-factor");
    TCalibrationRequest request;
    request.factors = names;
    request.measured = ComputedTest(names, {0.8, 1.6}, kLoads, 0.03); // +-3 % on settlements
    TFactorProject project(kMorganza);
    const TCalibrationOutcome out = Calibrate(project, request);
    EXPECT_NEAR(out.factors[0], 0.8, 0.04);
    EXPECT_NEAR(out.factors[1], 1.6, 0.08);
}

TEST(Calibration, ProgressCanStopAndFaultsAreRefused) {
    const std::vector<TFactorName> names = ParseFactorNames("side-factor");
    TCalibrationRequest request;
    request.factors = names;
    request.measured = ComputedTest(names, {1.2}, {100000, 200000, 300000});
    request.progress = [](const TCalibrationProgress& p) { return p.evaluation < 4; };
    TFactorProject project(kMorganza);
    const TCalibrationOutcome out = Calibrate(project, request);
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.evaluations, 4);
    EXPECT_LE(out.misfitAfter, out.misfitBefore);

    TCalibrationRequest none = request;
    none.measured.curves[0].points = {{0, 0}, {0, 0.1}};
    EXPECT_THROW(Calibrate(project, none), ECalibrationError);
    TCalibrationRequest bounds = request;
    bounds.lower = 0;
    EXPECT_THROW(Calibrate(project, bounds), ECalibrationError);
    TCalibrationRequest layer = request;
    layer.factors = ParseFactorNames("side-factor@12");
    EXPECT_THROW(Calibrate(project, layer), ECalibrationError);
}

TEST(Calibration, LoadsBeyondTheComputedCapacityAreAMisfitNotAFailure) {
    // A test that carries twice the project's capacity: the search pushes the factors up.
    const std::vector<TFactorName> names = ParseFactorNames("side-factor,tip-factor");
    TCalibrationRequest request;
    request.factors = names;
    request.measured = ComputedTest(names, {2.0, 2.0}, {200000, 500000, 800000, 1000000});
    TFactorProject project(kMorganza);
    const TCalibrationOutcome out = Calibrate(project, request);
    EXPECT_GT(out.beyondBefore, 0);
    EXPECT_EQ(out.beyondAfter, 0);
    EXPECT_GT(out.factors[0], 1.5);
    EXPECT_GT(out.factors[1], 1.5);
}

} // namespace
} // namespace dorvek

namespace dorvek {
namespace {

TEST(CalibrationReport, ChosenFactorsTextAndPlot) {
    const std::vector<TFactorName> perLayer = ChosenFactors(true, true, true, true, 2);
    ASSERT_EQ(perLayer.size(), 5u);
    EXPECT_EQ(perLayer[0].text, "side-factor@1");
    EXPECT_EQ(perLayer[3].text, "tip-factor@2");
    EXPECT_EQ(perLayer[4].text, "ae-factor");
    EXPECT_EQ(ChosenFactors(true, false, false, false, 8).size(), 1u);
    EXPECT_TRUE(ChosenFactors(false, false, false, true, 3).empty());

    TCalibrationOutcome out;
    out.factors = {1.23456789, 0.5};
    out.misfitBefore = 0.41234567;
    out.misfitAfter = 0.0312;
    out.evaluations = 57;
    out.ending = "converged";
    out.beyondBefore = 2;
    const std::vector<TFactorName> names = ParseFactorNames("side-factor,tip-factor@2");
    EXPECT_EQ(CalibrationText(names, out, 1),
              "side-factor   1.2346\n"
              "tip-factor@2  0.5\n"
              "misfit: 0.41235 in before, 0.0312 in after (root mean square of settlement)\n"
              "analyses: 57 (converged)\n"
              "measured loads beyond the computed capacity: 2 before, 0 after\n");
    out.beyondBefore = 0;
    const std::string si = CalibrationText(names, out, 2);
    EXPECT_EQ(si.substr(si.find("misfit")),
              "misfit: 0.41235 m before, 0.0312 m after (root mean square of settlement)\n"
              "analyses: 57 (converged)\n");

    // Before (origin, 100000 lb at 0.2 in) and after, and the measured points, in kips.
    out.before.units = out.after.units = 1;
    out.before.tipMovements = {{100000, 0.2, 0.1, 0}};
    out.after.tipMovements = {{100000, 0.1, 0.05, 0}, {200000, 0.3, 0.2, 0}};
    TMeasuredCurves m;
    m.units = 1;
    m.curves.push_back({"Test", {{0, 0}, {150000, 0.2}}});
    TGraphPlot plot;
    FillCalibrationPlot(plot, out, m, 1, false);
    const TLineList& curves = plot.List(TLineKind::Main);
    ASSERT_EQ(curves.LineCount(), 3);
    EXPECT_EQ(curves.Line(0).LineName(), "Computed before");
    EXPECT_EQ(curves.Line(0).Count(), 2);
    EXPECT_EQ(curves.Line(1).Count(), 3);
    EXPECT_EQ(static_cast<double>(curves.Line(1).Point(2).x), 200);
    EXPECT_EQ(curves.Line(2).LineName(), "Measured: Test");
    EXPECT_EQ(curves.Line(2).Role, TLineRole::Markers);
    EXPECT_EQ(static_cast<double>(curves.Line(2).Point(1).x), 150);
    EXPECT_EQ(plot.XTitle(), "Pile-Head Load (kips)");
}

} // namespace
} // namespace dorvek
