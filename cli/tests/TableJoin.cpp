// The tables of a study's shards: one header for every shard and unit system, the study's
// fingerprint and the shard in every row, and --join refusing what does not belong together.

#include "cli/BatchCommand.h"
#include "cli/TableTag.h"

#include "cli/tests/CliTestSupport.h"

#include <sstream>
#include <vector>

namespace {

using namespace dorvek::test;
using dorvek::cli::BatchOptions;
using dorvek::cli::Fnv1a64;
using dorvek::cli::StudyFingerprint;

const fs::path kEnglish = kExamples / "driven-pile-clay-over-sand.dv4d";
const fs::path kMetric = kExamples / "si-api-clay-over-sand-downdrag.dv4d";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A row without its last cell (the shard).
std::string WithoutShard(const std::string& row) {
    return row.substr(0, row.rfind(','));
}

TEST(TableTag, FnvOneAOf64BitsGivesThePublishedValues) {
    const auto hash = [](std::string_view text) {
        Fnv1a64 h;
        h.Add(text);
        return h.Value();
    };
    EXPECT_EQ(hash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(hash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(hash("foobar"), 0x85944171f73967e8ull);
}

using TableJoin = CliTest;

TEST_F(TableJoin, TheFingerprintIsOfTheStudyAndTheContentsNotOfTheFolder) {
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    std::ofstream(dir_ / "a" / "p.dv4d") << "one";
    std::ofstream(dir_ / "b" / "p.dv4d") << "one";
    BatchOptions options;
    options.files = {(dir_ / "a" / "p.dv4d").string()};
    options.vary = {"side-factor=lognormal:1:0.2"};
    options.sample = 10;
    const std::string first = StudyFingerprint(options);
    EXPECT_EQ(first.size(), 16u);
    options.files = {(dir_ / "b" / "p.dv4d").string()};
    EXPECT_EQ(StudyFingerprint(options), first);
    options.seed = 2;
    const std::string seeded = StudyFingerprint(options);
    EXPECT_NE(seeded, first);
    options.seed = 1;
    options.limit = 0.5;
    EXPECT_NE(StudyFingerprint(options), first);
    options.limit.reset();
    std::ofstream(dir_ / "b" / "p.dv4d") << "two";
    EXPECT_NE(StudyFingerprint(options), first);
}

TEST_F(TableJoin, ShardsOfEnglishAndMetricProjectsJoinUnderOneHeader) {
    const std::string files =
        " " + Quote(copyExample(kEnglish)) + " " + Quote(copyExample(kMetric));
    ASSERT_EQ(RunProgram("-q --table " + Quote(dir_ / "whole.csv") + files).status, 0);
    // Three shards of two files: one of them is empty.
    for (int k = 1; k <= 3; ++k)
        ASSERT_EQ(RunProgram("-q --shard " + std::to_string(k) + "/3 --table " +
                             Quote(dir_ / ("study-" + std::to_string(k) + ".csv")) + files)
                      .status,
                  0);
    const std::vector<std::string> whole = Lines(ReadBytes(dir_ / "whole.csv"));
    const std::string header =
        "file,result,meaning,kind,head load,head movement,tip movement,tip load,converged,"
        "Davisson capacity,capacity at 10 % D,Chin-Kondner capacity,units,study,shard";
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole[0], header);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(Lines(ReadBytes(dir_ / ("study-" + std::to_string(k) + ".csv")))[0], header);

    // Listed in any order, joined in the order of the shards.
    const Output joined =
        RunProgram("--join " + Quote(dir_ / "joined.csv") + " " + Quote(dir_ / "study-3.csv") +
                   " " + Quote(dir_ / "study-1.csv") + " " + Quote(dir_ / "study-2.csv"));
    ASSERT_EQ(joined.status, 0) << joined.text;
    const std::vector<std::string> rows = Lines(ReadBytes(dir_ / "joined.csv"));
    ASSERT_EQ(rows.size(), whole.size());
    EXPECT_EQ(rows[0], header);
    int english = 0, metric = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        // The same rows as the whole run's, each with its own shard.
        EXPECT_EQ(WithoutShard(rows[i]), WithoutShard(whole[i]));
        EXPECT_EQ(whole[i].substr(whole[i].rfind(',')), ",1/1");
        english += rows[i].find("driven-pile-clay-over-sand.dv4d,") != std::string::npos &&
                   rows[i].find(",\"lbs, in\",") != std::string::npos;
        metric += rows[i].find("si-api-clay-over-sand-downdrag.dv4d,") != std::string::npos &&
                  rows[i].find(",\"kN, m\",") != std::string::npos;
    }
    EXPECT_GT(english, 0);
    EXPECT_GT(metric, 0);
    EXPECT_EQ(english + metric, static_cast<int>(rows.size()) - 1);
}

TEST_F(TableJoin, MissingDuplicateAndForeignShardsAndMixedHeadersAreRefused) {
    const fs::path project = copyExample(kEnglish);
    const std::string study = " --vary side-factor=lognormal:1:0.2 --sample 6 ";
    for (int k = 1; k <= 3; ++k)
        ASSERT_EQ(RunProgram("-q --seed 5 --shard " + std::to_string(k) + "/3 --table " +
                             Quote(dir_ / ("s" + std::to_string(k) + ".csv")) + study +
                             Quote(project))
                      .status,
                  0);
    ASSERT_EQ(RunProgram("-q --seed 6 --shard 2/3 --table " + Quote(dir_ / "other.csv") + study +
                         Quote(project))
                  .status,
              0);
    ASSERT_EQ(RunProgram("-q --seed 5 --shard 2/3 --stats " + Quote(dir_ / "stats.csv") + study +
                         Quote(project))
                  .status,
              0);
    const fs::path out = write("out.csv", "an older join\n");
    // Built by appending: "s" + ... draws a false -Wrestrict from GCC 12.
    const auto s = [&](int k) {
        std::string name(1, 's');
        name += std::to_string(k);
        name += ".csv";
        std::string word(1, ' ');
        word += Quote(dir_ / name);
        return word;
    };
    const std::pair<std::string, std::string> cases[] = {
        {s(1) + s(3), "1 of 3 shards missing: 2"},
        {s(1) + s(2) + s(2) + s(3), "shard 2/3 given twice"},
        {s(1) + " " + Quote(dir_ / "other.csv") + s(3), "other.csv: shard 2/3 of study"},
        {s(1) + " " + Quote(dir_ / "stats.csv") + s(3), "stats.csv: its header differs"},
        {s(1) + " " + Quote(project), "not a table of dorvek-run"},
        {s(1) + " " + Quote(dir_ / "none.csv"), "none.csv: cannot be read"},
    };
    for (const auto& [tables, message] : cases) {
        SCOPED_TRACE(tables);
        const Output run = RunProgram("--join " + Quote(out) + tables, StandardError::Joined);
        EXPECT_EQ(run.status, 2) << run.text;
        EXPECT_NE(run.text.find(message), std::string::npos) << run.text;
        EXPECT_EQ(ReadBytes(out), "an older join\n");
    }
    const Output run = RunProgram("--join " + Quote(out) + s(2) + s(1) + s(3));
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> rows = Lines(ReadBytes(out));
    EXPECT_EQ(rows.size(), 1 + Lines(ReadBytes(dir_ / "s1.csv")).size() - 1 +
                               Lines(ReadBytes(dir_ / "s2.csv")).size() - 1 +
                               Lines(ReadBytes(dir_ / "s3.csv")).size() - 1);
    EXPECT_EQ(rows.back().substr(rows.back().rfind(',')), ",3/3");
}

} // namespace
