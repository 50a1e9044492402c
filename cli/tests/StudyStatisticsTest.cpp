// Statistics of a study against values worked out by hand: mean, sample standard deviation,
// percentiles, the exceedance share and its Clopper-Pearson interval, and the CSV of a small
// study made of results given here.

#include "cli/StudyStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using namespace dorvek;
using namespace dorvek::cli;

TEST(StudyStatistics, MomentsAndPercentilesOfASmallSample) {
    // 1, 2, 3, 4, 10: mean 4; squared deviations 9 + 4 + 1 + 0 + 36 = 50, sample variance
    // 50 / 4 = 12.5, sd 3.5355339; ranks (n - 1) p = 0.2, 2 and 3.8: 1 + 0.2 * 1 = 1.2, 3,
    // and 4 + 0.8 * 6 = 8.8.
    std::vector<float> values = {10, 3, 1, 4, 2};
    const RowStatistics s = Describe(values, 5, 0, false);
    EXPECT_EQ(s.variants, 5u);
    EXPECT_EQ(s.converged, 5u);
    EXPECT_DOUBLE_EQ(*s.mean, 4.0);
    EXPECT_NEAR(*s.sd, std::sqrt(12.5), 1e-12);
    EXPECT_NEAR(*s.p5, 1.2, 1e-12);
    EXPECT_DOUBLE_EQ(*s.p50, 3.0);
    EXPECT_NEAR(*s.p95, 8.8, 1e-12);
    EXPECT_FALSE(s.share); // no limit

    // One value: its own mean and percentiles, no deviation; none: nothing.
    std::vector<float> one = {0.25f};
    const RowStatistics single = Describe(one, 3, 2, false);
    EXPECT_EQ(single.variants, 3u);
    EXPECT_EQ(single.converged, 1u);
    EXPECT_DOUBLE_EQ(*single.mean, 0.25);
    EXPECT_FALSE(single.sd);
    EXPECT_DOUBLE_EQ(*single.p5, 0.25);
    EXPECT_DOUBLE_EQ(*single.p95, 0.25);
    std::vector<float> none;
    const RowStatistics empty = Describe(none, 0, 0, true);
    EXPECT_FALSE(empty.mean || empty.p50 || empty.share);
}

TEST(StudyStatistics, ShareWithItsExactBinomialInterval) {
    std::vector<float> none;
    // No exceedance in 10: [0, 1 - 0.025^(1/10)] = [0, 0.3084971]; all of them: [0.025^(1/10),
    // 1] = [0.6915029, 1]; 5 of 10: the tabulated [0.187086, 0.812914].
    const RowStatistics zero = Describe(none, 10, 0, true);
    EXPECT_DOUBLE_EQ(*zero.share, 0.0);
    EXPECT_DOUBLE_EQ(*zero.shareLow, 0.0);
    EXPECT_NEAR(*zero.shareHigh, 1 - std::pow(0.025, 0.1), 1e-9);
    EXPECT_NEAR(*zero.shareHigh, 0.3084971, 1e-7);
    const RowStatistics all = Describe(none, 10, 10, true);
    EXPECT_DOUBLE_EQ(*all.share, 1.0);
    EXPECT_NEAR(*all.shareLow, std::pow(0.025, 0.1), 1e-9);
    EXPECT_DOUBLE_EQ(*all.shareHigh, 1.0);
    const RowStatistics half = Describe(none, 10, 5, true);
    EXPECT_DOUBLE_EQ(*half.share, 0.5);
    EXPECT_NEAR(*half.shareLow, 0.187086, 1e-6);
    EXPECT_NEAR(*half.shareHigh, 0.812914, 1e-6);
}

// A finished variant with these head movements at its applied loads (converged when not
// negative) and at its tip movements 0.01 and 0.1.
struct Variant {
    Job job;
    AnalysisResult results;
    Variant(const std::string& origin, std::vector<float> loadMoves, std::vector<float> tipMoves,
            int code = kRunCompleted, int units = 1) {
        job.origin = origin;
        job.name = origin + "_variant";
        job.inMemory = true;
        results.code = code;
        results.units = units;
        float load = 100;
        for (float move : loadMoves) {
            HeadLoadResult r;
            r.load = load;
            load += 100;
            r.converged = move >= 0;
            r.topMove = r.converged ? move : 0;
            results.loadResults.push_back(r);
        }
        const float tips[] = {0.01f, 0.1f};
        for (std::size_t k = 0; k < tipMoves.size(); ++k)
            results.tipResults.push_back({0, tipMoves[k], tips[k], 0, false});
    }
    AnalysedFile File() const { return {job, results.code, results, true}; }
};

TEST(StudyStatistics, TheFileOfASmallStudyAndTheCountedExceedance) {
    // Four variants of pile.dv4d, loads 100 and 200; the limit 0.5. Load 2: head movements
    // 0.3, 0.6, not converged, 0.9: three of four exceed (0.6, 0.9 and the unconverged);
    // converged 0.3, 0.6, 0.9: mean 0.6, sd 0.3, ranks 0.1, 1, 1.9: 0.33, 0.6, 0.87.
    // Clopper-Pearson for 3 of 4: [0.1941204, 0.9936905]; for 0 of 4: [0, 0.6023646]. Tip
    // movement 0.1: 0.375, 0.375, 0.5, 0.625: mean 0.46875, squared deviations 2 * 0.09375^2 +
    // 0.03125^2 + 0.15625^2 = 0.04296875, sd sqrt(0.04296875 / 3) = 0.1196784, ranks 0.15,
    // 1.5, 2.85: 0.375, 0.4375, 0.60625; only 0.625 exceeds 0.5: 1 of 4, [1 - 0.975^(1/4),
    // 1 - 0.1941204] = [0.006309463, 0.8058796]. A variant that did not complete counts
    // nowhere.
    StudyStatistics statistics(0.5);
    const Variant variants[] = {
        {"pile.dv4d", {0.1f, 0.3f}, {0.2f, 0.375f}},
        {"pile.dv4d", {0.2f, 0.6f}, {0.2f, 0.375f}},
        {"pile.dv4d", {0.2f, -1}, {0.3f, 0.5f}},
        {"pile.dv4d", {0, 0}, {}, kCurveBelowSideFriction},
        {"pile.dv4d", {0.3f, 0.9f}, {0.3f, 0.625f}},
    };
    for (const Variant& v : variants) statistics.Add(v.File());
    EXPECT_EQ(statistics.Analysed(), 5u);
    EXPECT_EQ(statistics.Failed(), 1u);
    const std::string header = "file,kind,number,applied load,tip movement,variants,converged,"
                               "head movement mean,head movement sd,head movement 5%,"
                               "head movement 50%,head movement 95%,limit,exceeding,share,"
                               "share 95% low,share 95% high,units,study,shard\n";
    const std::string tag = ",\"lbs, in\",0123456789abcdef,2/5\n";
    // Single-precision movements: 0.1f and so on print as their nearest 7 digits.
    EXPECT_EQ(
        statistics.Text({"0123456789abcdef", "2/5"}),
        header +
            "pile.dv4d,head load,1,100,,4,4,0.2,0.08164966,0.115,0.2,0.285,0.5,0,0,0,"
            "0.6023646" +
            tag +
            "pile.dv4d,head load,2,200,,4,3,0.6,0.3,0.33,0.6,0.87,0.5,3,0.75,0.1941204,"
            "0.9936905" +
            tag +
            "pile.dv4d,tip movement,1,,0.01,4,4,0.25,0.05773503,0.2,0.25,0.3,0.5,0,0,0,"
            "0.6023646" +
            tag +
            "pile.dv4d,tip movement,2,,0.1,4,4,0.46875,0.1196784,0.375,0.4375,0.60625,0.5,1,0.25,"
            "0.006309463,0.8058796" +
            tag);

    std::ostringstream terminal;
    statistics.PrintSummary("stats.csv", terminal);
    EXPECT_EQ(terminal.str(), "pile.dv4d: the largest load, load 2 of 200 lbs\n"
                              "  head movement (in) of the 3 of 4 variants that converged:\n"
                              "    mean 0.6, sd 0.3, 5% 0.33, 50% 0.6, 95% 0.87\n"
                              "  above 0.5 in or not converged: 3 of 4, share 0.75\n"
                              "    (95% confidence interval 0.1941 to 0.9937)\n"
                              "Statistics of every load and tip movement: stats.csv\n");
}

TEST(StudyStatistics, ProjectsOfTwoUnitSystems) {
    StudyStatistics statistics(std::nullopt);
    statistics.Add(Variant("a.dv4d", {1}, {}).File());
    statistics.Add(Variant("b.dv4d", {0.02f}, {}, kRunCompleted, 2).File());
    EXPECT_EQ(statistics.Text(),
              "file,kind,number,applied load,tip movement,variants,converged,head movement mean,"
              "head movement sd,head movement 5%,head movement 50%,head movement 95%,units,study,"
              "shard\n"
              "a.dv4d,head load,1,100,,1,1,1,,1,1,1,\"lbs, in\",0000000000000000,1/1\n"
              "b.dv4d,head load,1,100,,1,1,0.02,,0.02,0.02,0.02,\"kN, m\",0000000000000000,1/1\n");
}

// A shard without results still says which it is, so that a join can count it.
TEST(StudyStatistics, AnEmptyShardHasOneRowWithItsShard) {
    StudyStatistics statistics(0.5);
    EXPECT_EQ(statistics.Text({"00000000000000ff", "3/4"}),
              "file,kind,number,applied load,tip movement,variants,converged,head movement mean,"
              "head movement sd,head movement 5%,head movement 50%,head movement 95%,limit,"
              "exceeding,share,share 95% low,share 95% high,units,study,shard\n"
              ",,,,,,,,,,,,,,,,,,00000000000000ff,3/4\n");
}

} // namespace
