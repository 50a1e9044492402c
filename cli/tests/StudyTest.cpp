// Parameter studies: the values of --vary, the grid and the sample they make, the names of the
// variants, the slices of --shard and the progress line's text.

#include "cli/Study.h"
#include "cli/Progress.h"
#include "cli/Shard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using namespace dorvek::cli;

TEST(Study, ListsAndRangesGiveTheValuesMeant) {
    EXPECT_EQ(ParseVary("side-factor=0.8,1,1.2").values, (std::vector<double>{0.8, 1, 1.2}));
    // 480 to 960 by 60: nine values, both ends included.
    const Vary length = ParseVary("length=480:960:60");
    EXPECT_EQ(length.parameter, Parameter::Length);
    EXPECT_EQ(length.values, (std::vector<double>{480, 540, 600, 660, 720, 780, 840, 900, 960}));
    // 0.1 steps do not drift: 0.3 is 0.3, and 1.0 is reached.
    EXPECT_EQ(ParseVary("ae-factor=0.1:1:0.1").values,
              (std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}));
    // A step that does not reach TO stops below it; FROM = TO is one value.
    EXPECT_EQ(ParseVary("diameter=12:20:3").values, (std::vector<double>{12, 15, 18}));
    EXPECT_EQ(ParseVary("head=-12:-12:1").values, (std::vector<double>{-12}));
}

TEST(Study, BadValuesAreRefusedWithTheirReason) {
    auto why = [](const std::string& text) {
        try {
            ParseVary(text);
        } catch (const StudyError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(why("width=1,2").find("unknown name \"width\""), std::string::npos);
    EXPECT_NE(why("length").find("NAME=VALUES"), std::string::npos);
    EXPECT_NE(why("length=").find("no values"), std::string::npos);
    EXPECT_NE(why("length=960:480:60").find("reversed"), std::string::npos);
    EXPECT_NE(why("length=480:960:0").find("must not be 0"), std::string::npos);
    EXPECT_NE(why("length=480:960:-60").find("positive"), std::string::npos);
    EXPECT_NE(why("length=-5,10").find("-5 is not positive"), std::string::npos);
    EXPECT_NE(why("diameter=0").find("not positive"), std::string::npos);
    EXPECT_NE(why("side-factor=-0.5").find("negative"), std::string::npos);
    EXPECT_NE(why("length=1,,2").find("is not a number"), std::string::npos);
    EXPECT_NE(why("length=12ft").find("\"12ft\" is not a number"), std::string::npos);
    EXPECT_NE(why("length=1:2").find("FROM:TO:STEP"), std::string::npos);
    EXPECT_NE(why("length=normal:1").find("normal:MEAN:SD"), std::string::npos);
    EXPECT_NE(why("length=lognormal:-1:0.1").find("positive"), std::string::npos);
    EXPECT_EQ(why("head=-24,0,24"), "accepted");
    EXPECT_EQ(why("side-factor=0"), "accepted");
}

TEST(Study, GridIsEveryCombinationFirstNameSlowest) {
    StudySpec study;
    study.vary = {ParseVary("length=480:960:60"), ParseVary("side-factor=0.8,1,1.2")};
    const auto variants = StudyVariants(study);
    ASSERT_EQ(variants.size(), 27u);
    EXPECT_EQ(variants[0], (std::vector<double>{480, 0.8}));
    EXPECT_EQ(variants[1], (std::vector<double>{480, 1}));
    EXPECT_EQ(variants[3], (std::vector<double>{540, 0.8}));
    EXPECT_EQ(variants[26], (std::vector<double>{960, 1.2}));
    EXPECT_EQ(VariantStem("pile", study, variants[2], 2), "pile_length=480_side-factor=1.2");

    // 101 * 100 * 10 = 101000 variants need --force.
    StudySpec big;
    big.vary = {ParseVary("length=1:101:1"), ParseVary("diameter=1:100:1"),
                ParseVary("head=1:10:1")};
    EXPECT_THROW(StudyVariants(big), StudyError);
    big.force = true;
    EXPECT_EQ(StudyVariants(big).size(), 101000u);
    big.vary.pop_back();
    big.force = false;
    EXPECT_EQ(StudyVariants(big).size(), 10100u);
}

// Counts and seeds beyond what a study may have are refused at once, --force or not, before
// a draw is made or memory reserved: "--sample -3" read into a size_t is 2^64 - 3.
TEST(Study, CountsAndSeedsBeyondTheirRangesAreRefused) {
    auto fault = [](const StudySpec& study) -> std::string {
        try {
            return "accepted " + std::to_string(StudyVariants(study).size());
        } catch (const StudyError& e) {
            return e.what();
        }
    };
    StudySpec drawn;
    drawn.vary = {ParseVary("side-factor=lognormal:1:0.2")};
    drawn.force = true;
    drawn.sample = kStudyLimit + 1;
    EXPECT_EQ(fault(drawn), "--sample 100000001: at most 100000000 variants");
    drawn.sample = static_cast<std::size_t>(-3);
    EXPECT_EQ(fault(drawn), "--sample 18446744073709551613: at most 100000000 variants");
    drawn.sample = 3;
    drawn.seed = kSeedLimit + 1;
    EXPECT_EQ(fault(drawn), "--seed 9223372036854775808: at most 9223372036854775807");
    drawn.seed = kSeedLimit;
    EXPECT_EQ(fault(drawn), "accepted 3");
    drawn.seed = 0;
    EXPECT_EQ(fault(drawn), "accepted 3");

    // A grid, too: 10^4 values of each of three names.
    StudySpec grid;
    grid.vary = {ParseVary("length=1:10000:1"), ParseVary("diameter=1:10000:1"),
                 ParseVary("head=1:10000:1")};
    grid.force = true;
    EXPECT_EQ(fault(grid),
              "the study has 1000000000000 variants, more than 100000000, the most a study "
              "may have");
}

TEST(Study, SampleIsReproducibleAndHasTheMomentsAsked) {
    StudySpec study;
    study.vary = {ParseVary("side-factor=lognormal:1:0.2"), ParseVary("length=normal:720:24")};
    study.sample = 4000;
    study.seed = 7;
    const auto a = StudyVariants(study), b = StudyVariants(study);
    ASSERT_EQ(a.size(), 4000u);
    EXPECT_EQ(a, b);
    study.seed = 8;
    EXPECT_NE(StudyVariants(study), a);

    // Sample mean and deviation within four standard errors of the asked ones.
    double m0 = 0, m1 = 0, s0 = 0, s1 = 0;
    for (const auto& v : a) {
        m0 += v[0];
        m1 += v[1];
        EXPECT_GT(v[0], 0);
    }
    m0 /= 4000;
    m1 /= 4000;
    for (const auto& v : a) {
        s0 += (v[0] - m0) * (v[0] - m0);
        s1 += (v[1] - m1) * (v[1] - m1);
    }
    s0 = std::sqrt(s0 / 3999);
    s1 = std::sqrt(s1 / 3999);
    EXPECT_NEAR(m0, 1.0, 4 * 0.2 / std::sqrt(4000.0));
    EXPECT_NEAR(s0 / m0, 0.2, 0.02);
    EXPECT_NEAR(m1, 720, 4 * 24 / std::sqrt(4000.0));
    EXPECT_NEAR(s1, 24, 1.5);
    EXPECT_EQ(VariantStem("pile", study, a[6], 6), "pile_sample=0007");

    // A draw outside what the name allows is refused before anything runs.
    StudySpec wide;
    wide.vary = {ParseVary("length=normal:10:100")};
    wide.sample = 50;
    EXPECT_THROW(StudyVariants(wide), StudyError);
    // A grid name with --sample, a distribution without it.
    StudySpec mixed;
    mixed.vary = {ParseVary("length=480,720")};
    mixed.sample = 3;
    EXPECT_THROW(StudyVariants(mixed), StudyError);
    mixed.vary = {ParseVary("length=normal:720:10")};
    mixed.sample.reset();
    EXPECT_THROW(StudyVariants(mixed), StudyError);
}

TEST(Study, OneLayersFactorTakesItsNumberAfterAnAt) {
    const Vary side = ParseVary("side-factor@2=0.8,1.2");
    EXPECT_EQ(side.name, "side-factor@2");
    EXPECT_EQ(side.parameter, Parameter::SideFactor);
    EXPECT_EQ(side.layer, 2);
    EXPECT_EQ(side.values, (std::vector<double>{0.8, 1.2}));
    const Vary tip = ParseVary("tip-factor@11=lognormal:1:0.3");
    EXPECT_EQ(tip.layer, 11);
    EXPECT_EQ(tip.kind, Vary::Kind::Lognormal);
    EXPECT_EQ(ParseVary("side-factor=2").layer, 0);

    auto why = [](const std::string& text) {
        try {
            ParseVary(text);
        } catch (const StudyError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(why("side-factor@0=1"), "--vary side-factor@0: layers are numbered from 1");
    EXPECT_EQ(why("tip-factor@-1=1"), "--vary tip-factor@-1: layers are numbered from 1");
    EXPECT_EQ(why("side-factor@two=1"), "--vary side-factor@two: \"two\" is not a layer number");
    EXPECT_EQ(why("side-factor@=1"), "--vary side-factor@: \"\" is not a layer number");
    EXPECT_EQ(why("ae-factor@1=1"),
              "--vary ae-factor@1: only side-factor and tip-factor take a layer (ae-factor varies "
              "the whole pile)");
    EXPECT_NE(why("width@1=1").find("unknown name \"width\""), std::string::npos);
    EXPECT_NE(why("side-factor@1=-1").find("-1 is negative"), std::string::npos);

    StudySpec study;
    study.vary = {side, ParseVary("side-factor=1,2")};
    EXPECT_EQ(VariantStem("pile", study, {1.2, 2}, 3), "pile_side-factor@2=1.2_side-factor=2");
}

TEST(Study, ValuesComeOneAfterTheOtherAsTheListHasThem) {
    for (const bool sample : {false, true}) {
        StudySpec study;
        if (sample) {
            study.vary = {ParseVary("tip-factor=lognormal:1:0.3"), ParseVary("head=normal:0:5")};
            study.sample = 50;
            study.seed = 3;
        } else {
            study.vary = {ParseVary("length=480:960:120"), ParseVary("tip-factor=1,2,3")};
        }
        const auto all = StudyVariants(study);
        VariantValues values(study);
        ASSERT_EQ(values.Count(), all.size());
        for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(values.Next(), all[i]) << i;
        // Skipping ahead, and back to the start.
        values.Rewind();
        values.Skip(7);
        EXPECT_EQ(values.Next(), all[7]);
        values.Skip(12);
        EXPECT_EQ(values.Next(), all[12]);
        values.Rewind();
        EXPECT_EQ(values.Next(), all[0]);
    }
}

TEST(Study, ShardsPartitionTheJobsExactly) {
    for (std::size_t total : {0u, 1u, 7u, 27u, 100u}) {
        for (std::size_t n : {1u, 2u, 3u, 5u, 27u, 40u}) {
            std::size_t next = 0, largest = 0, smallest = total;
            for (std::size_t k = 1; k <= n; ++k) {
                const Slice slice = ShardSlice(total, {k, n});
                EXPECT_EQ(slice.begin, next) << total << " " << k << "/" << n;
                next = slice.end;
                largest = std::max(largest, slice.end - slice.begin);
                smallest = std::min(smallest, slice.end - slice.begin);
            }
            EXPECT_EQ(next, total);
            EXPECT_LE(largest - smallest, 1u); // as even as whole jobs allow
        }
    }
    EXPECT_EQ(ShardSlice(27, ParseShard("2/4")).begin, 6u);
    EXPECT_EQ(ShardSlice(27, ParseShard("2/4")).end, 13u);
    for (const char* bad : {"0/3", "4/3", "1/0", "3", "a/b", "1/3/4", "-1/3", ""})
        EXPECT_THROW(ParseShard(bad), StudyError) << bad;
}

TEST(Study, ProgressTextEstimatesTheTimeLeft) {
    using std::chrono::seconds;
    EXPECT_EQ(ProgressText(0, 27, 0, seconds(0)), "[0/27] 0 failed, 0:00 elapsed, -- left");
    // 9 done in 12 s: 18 to go at 4/3 s each.
    EXPECT_EQ(ProgressText(9, 27, 1, seconds(12)),
              "[9/27] 1 failed, 0:12 elapsed, about 0:24 left");
    EXPECT_EQ(ProgressText(1, 2, 0, seconds(3725)),
              "[1/2] 0 failed, 1:02:05 elapsed, about 1:02:05 left");
}

} // namespace
