// The analysis in memory: the same report and plot file as the run on files, byte for byte,
// from the input text and from input read before; results equal to the numbers of the plot
// data file; warnings and faults without a report; variants changed in the input data;
// calls in parallel threads.

#include "kernel/Analysis.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::FixedTime;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Every bundled example and every golden project.
std::vector<fs::path> Projects() {
    std::vector<fs::path> projects;
    for (const char* folder : {"examples", "kernel/tests/golden"})
        for (const auto& entry : fs::directory_iterator(fs::path(DORVEK_SOURCE_DIR) / folder))
            if (entry.path().extension() == ".dv4d") projects.push_back(entry.path());
    std::sort(projects.begin(), projects.end());
    return projects;
}

struct FileRun {
    int code = -1;
    std::string report, plot;
};

FileRun RunOnFiles(const RunFiles& files, const std::string& text) {
    WriteFile(files.input, text);
    std::ostringstream console;
    RunOptions options;
    options.console = &console;
    options.clock = FixedTime;
    FileRun run;
    run.code = RunAnalysis(files, RunHeader{"2021.4.4", "Org", "Town", 7}, options);
    run.report = ReadFile(files.report);
    run.plot = ReadFile(files.plot);
    return run;
}

AnalysisRequest WithTexts(const RunFiles& files) {
    AnalysisRequest request;
    request.report = true;
    request.plot = true;
    request.files = files;
    request.header = {"2021.4.4", "Org", "Town", 7};
    request.clock = FixedTime;
    return request;
}

TEST(InMemoryAnalysis, ReportAndPlotFileEqualTheRunOnFiles) {
    for (const fs::path& project : Projects()) {
        SCOPED_TRACE(project.filename().string());
        TempDir dir;
        const RunFiles files = test::FilesIn(dir);
        const std::string text = ReadFile(project);
        const FileRun onFiles = RunOnFiles(files, text);
        ASSERT_FALSE(onFiles.report.empty());

        AnalysisRequest fromText = WithTexts(files);
        fromText.text = text;
        const AnalysisResult a = Analyse(fromText);
        EXPECT_EQ(a.code, onFiles.code);
        EXPECT_EQ(a.report, onFiles.report);
        EXPECT_EQ(a.plot, onFiles.plot);

        // Read once, analysed from the data: the same bytes (a stopped run included, when its
        // records can all be read).
        const InputReading reading = ReadInputData(text);
        ASSERT_EQ(reading.code, 0) << reading.diagnostic;
        AnalysisRequest fromData = WithTexts(files);
        fromData.input = &reading.input;
        const AnalysisResult b = Analyse(fromData);
        EXPECT_EQ(b.code, onFiles.code);
        EXPECT_EQ(b.report, onFiles.report);
        EXPECT_EQ(b.plot, onFiles.plot);
    }
}

// The plot data file as a stream of blank-separated words, the way the program reads it.
class Words {
public:
    explicit Words(const std::string& text) {
        std::istringstream in(text);
        for (std::string word; in >> word;) words_.push_back(word);
    }
    int integer() { return std::stoi(next()); }
    double real() { return std::strtod(next().c_str(), nullptr); }
    bool atEnd() const { return at_ == words_.size(); }

private:
    const std::string& next() {
        if (at_ >= words_.size()) throw std::out_of_range("the plot data file ends early");
        return words_[at_++];
    }
    std::vector<std::string> words_;
    std::size_t at_ = 0;
};

// A printed value against the result: a field of `digits` significant digits is within half
// a unit of its last digit.
void ExpectPrinted(double printed, float value, int digits, const std::string& what) {
    const double tolerance = 0.5001 * std::pow(10.0, 1 - digits) * std::fabs(value) + 1e-30;
    EXPECT_NEAR(printed, value, tolerance) << what;
}

// The numbers of the plot data file of a run on files against the results of the analysis
// in memory without report or plot file.
void ComparePlotFile(const fs::path& project) {
    TempDir dir;
    const FileRun onFiles = RunOnFiles(test::FilesIn(dir), ReadFile(project));
    AnalysisRequest request; // neither report nor plot file
    request.text = ReadFile(project);
    const AnalysisResult r = Analyse(request);
    ASSERT_EQ(r.code, onFiles.code);
    EXPECT_TRUE(r.report.empty());
    EXPECT_TRUE(r.plot.empty());
    Words plot(onFiles.plot);
    if (plot.atEnd()) {
        // Stopped while generating the report curves: nothing was plotted or solved.
        EXPECT_TRUE(r.tzCurves.empty());
        EXPECT_TRUE(r.tipResults.empty());
        return;
    }

    // Block 1: the t-z curves (generated ones capped at 30 in the file).
    const int curves = plot.integer();
    ASSERT_EQ(static_cast<std::size_t>(curves), std::min<std::size_t>(r.tzCurves.size(), 30));
    for (int j = 0; j < curves; ++j) {
        const TzCurve& c = r.tzCurves[static_cast<std::size_t>(j)];
        plot.integer(); // curve number
        ASSERT_EQ(static_cast<std::size_t>(plot.integer()), c.t.size());
        ExpectPrinted(plot.real(), c.depth, 4, "depth of curve " + std::to_string(j + 1));
        for (std::size_t k = 0; k < c.t.size(); ++k) {
            ExpectPrinted(plot.real(), c.t[k], 5, "t");
            ExpectPrinted(plot.real(), c.z[k], 5, "z");
        }
    }
    if (plot.atEnd()) { // stopped while generating the solver curves or the tip curve
        EXPECT_TRUE(r.qwQ.empty());
        EXPECT_TRUE(r.tipResults.empty());
        return;
    }
    // Block 2: the Q-w curve.
    ASSERT_EQ(static_cast<std::size_t>(plot.integer()), r.qwQ.size());
    for (std::size_t k = 0; k < r.qwQ.size(); ++k) {
        ExpectPrinted(plot.real(), r.qwQ[k], 5, "Q");
        ExpectPrinted(plot.real(), r.qwW[k], 5, "w");
    }

    // Block 3: distributions and summary of the tip movements.
    const int ntip = plot.integer(), ninc = plot.integer();
    EXPECT_EQ(plot.integer(), r.units);
    ASSERT_EQ(static_cast<std::size_t>(ntip), r.tipResults.size());
    ASSERT_EQ(r.tipDistributions.size(), r.tipResults.size());
    for (const Distribution& d : r.tipDistributions) {
        ASSERT_EQ(d.depth.size(), static_cast<std::size_t>(ninc));
        for (int i = 0; i < ninc; ++i) {
            const auto k = static_cast<std::size_t>(i);
            ExpectPrinted(plot.real(), d.depth[k], 4, "tip distribution depth");
            ExpectPrinted(plot.real(), d.load[k], 4, "tip distribution load");
            ExpectPrinted(plot.real(), d.movement[k], 4, "tip distribution movement");
        }
    }
    for (const TipMovementResult& t : r.tipResults) {
        ExpectPrinted(plot.real(), t.topLoad, 5, "head load");
        ExpectPrinted(plot.real(), t.topMove, 5, "head movement");
        ExpectPrinted(plot.real(), t.tipMove, 5, "tip movement");
        ExpectPrinted(plot.real(), t.tipLoad, 5, "tip load");
    }
    if (plot.atEnd()) {
        EXPECT_TRUE(r.loadResults.empty());
        return;
    }

    // Block 4: the applied loads.
    ASSERT_EQ(static_cast<std::size_t>(plot.integer()), r.loadResults.size());
    ASSERT_EQ(plot.integer(), ninc);
    plot.integer();
    ASSERT_EQ(r.loadDistributions.size(), r.loadResults.size());
    for (std::size_t i = 0; i < r.loadResults.size(); ++i) {
        const HeadLoadResult& h = r.loadResults[i];
        EXPECT_EQ(plot.integer(), h.converged ? 1 : 0);
        ExpectPrinted(plot.real(), h.load, 5, "applied load");
        ExpectPrinted(plot.real(), h.topMove, 5, "head movement of a load");
        ExpectPrinted(plot.real(), h.tipMove, 5, "tip movement of a load");
        ExpectPrinted(plot.real(), h.tipLoad, 5, "tip load of a load");
        const Distribution& d = r.loadDistributions[i];
        for (int k = 0; k < ninc; ++k) {
            const auto n = static_cast<std::size_t>(k);
            ExpectPrinted(plot.real(), d.depth[n], 3, "load distribution depth");
            ExpectPrinted(plot.real(), d.load[n], 3, "load distribution load");
            ExpectPrinted(plot.real(), d.movement[n], 3, "load distribution movement");
        }
    }
    EXPECT_TRUE(plot.atEnd());
}

TEST(InMemoryAnalysis, ResultsAreThePlotFileNumbers) {
    for (const fs::path& project : Projects()) {
        SCOPED_TRACE(project.filename().string());
        try {
            ComparePlotFile(project);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST(InMemoryAnalysis, WarningsAndFaultsWithoutAReport) {
    // The pile reaches below the only layer: the solver curve at 315 in stops the run. The
    // warning block is the one in the report, with plain line ends.
    AnalysisRequest request;
    request.text =
        ReadFile(fs::path(DORVEK_SOURCE_DIR) / "kernel/tests/golden/generator-stop.dv4d");
    const AnalysisResult stopped = Analyse(request);
    EXPECT_EQ(stopped.code, kCurveBelowSideFriction);
    EXPECT_EQ(stopped.warnings, "           2   3.000000E+02\n"
                                " **** WARNING ****\n"
                                " THE VALUE OF X =   3.150000E+02\n"
                                " IS BEYOND THE EXTENT OF\n"
                                " THE INPUT STRENGTH CURVE\n");
    request.report = true;
    const AnalysisResult reported = Analyse(request);
    std::string inReport = reported.warnings;
    for (std::size_t at = 0; (at = inReport.find('\n', at)) != std::string::npos; at += 2)
        inReport.insert(at, "\r");
    EXPECT_NE(reported.report.find(inReport), std::string::npos);
    EXPECT_TRUE(stopped.tipResults.empty());

    // A completed run has no warnings.
    request.text =
        ReadFile(fs::path(DORVEK_SOURCE_DIR) / "examples/driven-pile-clay-over-sand.dv4d");
    request.report = false;
    const AnalysisResult completed = Analyse(request);
    EXPECT_EQ(completed.code, kRunCompleted);
    EXPECT_EQ(completed.warnings, "");
    EXPECT_EQ(completed.units, 1);

    // A bad record: the line and what was expected, with the file only when one is named.
    request.text = "Title\r\nfifty 0 1\r\n";
    const AnalysisResult bad = Analyse(request);
    EXPECT_EQ(bad.code, kInputError);
    EXPECT_EQ(bad.diagnostic,
              "Line 2: expected an integer (number of pile increments), found \"fifty\".");
    request.files.input = "pile.dv4d";
    EXPECT_EQ(Analyse(request).diagnostic, "File: pile.dv4d\n" + bad.diagnostic);
    const InputReading reading = ReadInputData(request.text, "pile.dv4d");
    EXPECT_EQ(reading.code, kInputError);
    EXPECT_EQ(reading.diagnostic, "File: pile.dv4d\n" + bad.diagnostic);
}

TEST(InMemoryAnalysis, InputDataThatDisagreeIsRefused) {
    const InputReading reading = ReadInputData(
        ReadFile(fs::path(DORVEK_SOURCE_DIR) / "examples/driven-pile-clay-over-sand.dv4d"));
    ASSERT_EQ(reading.code, 0);
    struct Case {
        std::function<void(InputData&)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {[](InputData& d) { d.ninc = 0; },
         "The number of pile increments is 0; it must be from 1 to 10000."},
        {[](InputData& d) { d.strength.pop_back(); },
         "There are 2 soil layers and 3 strength rows; each layer needs two rows"},
        {[](InputData& d) { d.aeDepth.push_back(900); }, "The axial stiffness table has"},
        {[](InputData& d) { d.layers.clear(); }, "no soil layer is given"},
        {[](InputData& d) { d.ntipRead = 3; }, "NTIP is 3, but 0 tip movements"},
        {[](InputData& d) { d.settlement.push_back(1); }, "The soil settlement profile has"},
        {[](InputData& d) {
             d.methodTz = 2;
             d.userTz.assign(1, TzCurve{1, 0, 0, 0, 0, {1, 2}, {0.1f}});
         },
         "User t-z curve 1 has 2 t values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        InputData data = reading.input;
        c.spoil(data);
        AnalysisRequest request;
        request.input = &data;
        request.report = true;
        const AnalysisResult r = Analyse(request);
        EXPECT_EQ(r.code, kInputError);
        EXPECT_NE(r.diagnostic.find(c.message), std::string::npos) << r.diagnostic;
        EXPECT_NE(r.report.find(" **** FATAL INPUT ERROR ****\r\n"), std::string::npos);
    }
}

TEST(InMemoryAnalysis, AVariantChangedInTheInputData) {
    // User curves with down-drag and multipliers; at the tip movement 1.0 the tip load is
    // 3000 * 0.9 = 2700 and both increments are on the plateau of their (multiplied) t-z
    // curves: t = 5.5 and 4.5 over As = 50 * 12 * 3.1416 = 1884.96. With every t doubled:
    // F = 11 * 1884.96 = 20734.56 and 9 * 1884.96 = 16964.64, head load 40399.2; shortening
    // 50 * (2700 + 10367.28) / 2.5E7 = 0.0261346 and 50 * (23434.56 + 8482.32) / 2.5E7 =
    // 0.0638338 on the relative tip movement 0.9: head movement 0.989968.
    const InputReading reading = ReadInputData(
        ReadFile(fs::path(DORVEK_SOURCE_DIR) / "kernel/tests/golden/user-curves-downdrag.dv4d"));
    ASSERT_EQ(reading.code, 0);
    InputData data = reading.input;
    for (TzCurve& c : data.userTz)
        for (float& t : c.t) t *= 2;
    AnalysisRequest request;
    request.input = &data;
    const AnalysisResult r = Analyse(request);
    ASSERT_EQ(r.code, kRunCompleted);
    ASSERT_EQ(r.tipResults.size(), 4u);
    const TipMovementResult& one = r.tipResults.back(); // sorted: -0.5, 0.05, 0.12, 1
    EXPECT_FLOAT_EQ(one.tipMove, 1.0f);
    EXPECT_NEAR(one.tipLoad, 2700.0f, 0.01f);
    EXPECT_NEAR(one.topLoad, 40399.2f, 0.05f);
    EXPECT_NEAR(one.topMove, 0.989968f, 2e-6f);
    // The data read stays as it was: movements in their given order, factors not applied.
    EXPECT_EQ(reading.input.tipMovements, (std::vector<float>{1.0f, -0.5f, 0.12f, 0.05f}));
    EXPECT_EQ(reading.input.qwQ, (std::vector<float>{0, 2000, 2500}));
    EXPECT_EQ(data.userTz[0].t, (std::vector<float>{0, 8, 8}));
    // The curves kept are those of the input, before the multipliers.
    ASSERT_EQ(r.tzCurves.size(), 2u);
    EXPECT_EQ(r.tzCurves[1].t, (std::vector<float>{0, 24, 24}));
    EXPECT_EQ(r.qwQ, (std::vector<float>{0, 2000, 2500}));

    // Nothing kept that was not asked for.
    request.curves = false;
    request.distributions = false;
    const AnalysisResult lean = Analyse(request);
    EXPECT_TRUE(lean.tzCurves.empty() && lean.qwQ.empty() && lean.tipDistributions.empty() &&
                lean.loadDistributions.empty());
    EXPECT_EQ(lean.tipResults.size(), 4u);
}

TEST(InMemoryAnalysis, ParallelCallsAreIndependent) {
    std::vector<std::string> texts;
    for (const fs::path& project : Projects()) texts.push_back(ReadFile(project));
    auto analyseAll = [&](std::vector<AnalysisResult>& results) {
        for (const std::string& text : texts) {
            AnalysisRequest request;
            request.text = text;
            request.report = true;
            request.plot = true;
            request.clock = FixedTime;
            results.push_back(Analyse(request));
        }
    };
    std::vector<AnalysisResult> serial;
    analyseAll(serial);
    std::vector<AnalysisResult> first, second;
    std::thread a([&] { analyseAll(first); });
    std::thread b([&] { analyseAll(second); });
    a.join();
    b.join();
    ASSERT_EQ(first.size(), serial.size());
    ASSERT_EQ(second.size(), serial.size());
    for (std::size_t i = 0; i < serial.size(); ++i) {
        EXPECT_EQ(first[i].report, serial[i].report);
        EXPECT_EQ(second[i].plot, serial[i].plot);
        EXPECT_EQ(first[i].warnings, serial[i].warnings);
    }
}

} // namespace
} // namespace dorvek
