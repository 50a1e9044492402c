// Studies analysed in memory, as a user runs them: the same table as a study on files, no
// other file written, --keep, the statistics against the table they summarise, per-layer
// factors, and the refusal of bad values before anything runs.

#include "cli/tests/CliTestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace {

using namespace dorvek::test;
using ::testing::HasSubstr;

const fs::path kExample = kExamples / "driven-pile-clay-over-sand.dv4d";
const std::string kSample = " --sample 200 --vary side-factor=lognormal:1:0.2 --vary "
                            "tip-factor=lognormal:1:0.3 --vary load-factor=normal:1:0.1 ";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// The names of the files in `folder`.
std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

using StudyInMemory = CliTest;

TEST_F(StudyInMemory, TheTableOfAStudyOnFilesWithoutWritingAnyOtherFile) {
    const fs::path project = copyExample(kExample);
    const fs::path v = dir_ / "v";
    const Output onFiles = RunProgram("-q -j 2" + kSample + "--table " + Quote(dir_ / "files.csv") +
                                      " --out " + Quote(v) + " " + Quote(project));
    ASSERT_EQ(onFiles.status, 0) << onFiles.text;
    EXPECT_EQ(Split(onFiles.text, '\n').size(), 200u);
    EXPECT_EQ(FilesIn(v).size(), 4 * 200u);
    fs::remove_all(v);

    // --keep 0: every variant in memory, named as in the folder, which is not even made.
    const Output kept = RunProgram("-q -j 2" + kSample + "--table " + Quote(dir_ / "none.csv") +
                                   " --out " + Quote(v) + " --keep 0 " + Quote(project));
    ASSERT_EQ(kept.status, 0) << kept.text;
    EXPECT_EQ(kept.text, "200 variants analysed in memory: 200 completed, 0 did not\n");
    EXPECT_FALSE(fs::exists(v));
    const std::string table = ReadBytes(dir_ / "files.csv");
    EXPECT_EQ(ReadBytes(dir_ / "none.csv"), table);

    // Without --out, on one thread: the variants are named without the folder.
    const Output memory = RunProgram("-q -j 1" + kSample + "--table " + Quote(dir_ / "memory.csv") +
                                     " " + Quote(project));
    ASSERT_EQ(memory.status, 0) << memory.text;
    std::string expected = table;
    const std::string folder = v.string() + std::string(1, fs::path::preferred_separator);
    for (std::size_t at = 0; (at = expected.find(folder, at)) != std::string::npos;)
        expected.erase(at, folder.size());
    EXPECT_EQ(ReadBytes(dir_ / "memory.csv"), expected);
    EXPECT_EQ(Split(expected, '\n').size(), 1 + 200 * (9 + 3u)); // tip movements and loads
    EXPECT_EQ(FilesIn(dir_), (std::set<std::string>{"driven-pile-clay-over-sand.dv4d", "files.csv",
                                                    "none.csv", "memory.csv"}));
}

TEST_F(StudyInMemory, KeepWritesTheFirstVariantsOfEachProject) {
    const fs::path a = copyExample(kExample);
    const fs::path b = copyExample(kExamples / "si-api-clay-over-sand-downdrag.dv4d");
    const fs::path v = dir_ / "v";
    const std::string study = " --vary ae-factor=0.8:1.2:0.1 --out " + Quote(v) + " ";
    ASSERT_EQ(RunProgram("-q" + study + "--table " + Quote(dir_ / "all.csv") + " " + Quote(a) +
                         " " + Quote(b))
                  .status,
              0);
    fs::remove_all(v);
    const Output out = RunProgram("-q -j 2" + study + "--keep 2 --table " +
                                  Quote(dir_ / "kept.csv") + " " + Quote(a) + " " + Quote(b));
    ASSERT_EQ(out.status, 0) << out.text;
    std::set<std::string> expected;
    for (const std::string stem :
         {"driven-pile-clay-over-sand_ae-factor=0.8", "driven-pile-clay-over-sand_ae-factor=0.9",
          "si-api-clay-over-sand-downdrag_ae-factor=0.8",
          "si-api-clay-over-sand-downdrag_ae-factor=0.9"})
        for (const char* extension : {".dv4d", ".dv4o", ".dv4p", ".dv4r"})
            expected.insert(stem + extension);
    EXPECT_EQ(FilesIn(v), expected);
    // Written variants print their lines; those in memory only their count.
    EXPECT_EQ(Split(out.text, '\n').size(), 5u) << out.text;
    EXPECT_THAT(out.text, HasSubstr("6 variants analysed in memory: 6 completed, 0 did not\n"));
    // Each row names its units, in memory as on files.
    const std::string table = ReadBytes(dir_ / "kept.csv");
    EXPECT_EQ(table, ReadBytes(dir_ / "all.csv"));
    EXPECT_THAT(table, HasSubstr(",converged,Davisson capacity,capacity at 10 % D,Chin-Kondner "
                                 "capacity,units,study,shard\n"));
    EXPECT_THAT(table, HasSubstr(",\"kN, m\","));
    EXPECT_THAT(table, HasSubstr(",\"lbs, in\","));
}

TEST_F(StudyInMemory, AVariantThatFailsPrintsItsLine) {
    const fs::path project = copyExample(kExample);
    // A 5000 in pile reaches below the strength table of its two layers.
    const Output out = RunProgram("-q --vary length=720,5000 --table " + Quote(dir_ / "t.csv") +
                                  " " + Quote(project));
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.text, "driven-pile-clay-over-sand_length=5000.dv4d: result 6, t-z generation: "
                        "a curve depth lies below the strength table (unit side friction)\n"
                        "2 variants analysed in memory: 1 completed, 1 did not\n");
    const std::string table = ReadBytes(dir_ / "t.csv");
    EXPECT_THAT(table, HasSubstr("\ndriven-pile-clay-over-sand_length=5000.dv4d,5000,6,"));
}

// The cells of the table's rows, without quoting (only the units cell is quoted, and the
// tests read none after it).
std::vector<std::vector<std::string>> Rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : Split(text, '\n')) rows.push_back(Split(line, ','));
    return rows;
}

TEST_F(StudyInMemory, StatisticsAreThoseOfTheTable) {
    const fs::path project = copyExample(kExample);
    const Output out =
        RunProgram("-j 2" + kSample + "--table " + Quote(dir_ / "t.csv") + " --stats " +
                   Quote(dir_ / "s.csv") + " --limit 0.3 " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;

    // Head movements of the third load, counted from the table.
    std::vector<double> moves;
    std::size_t loads = 0, exceeding = 0;
    for (const auto& row : Rows(ReadBytes(dir_ / "t.csv"))) {
        if (row.size() < 12 || row[6] != "head load" || ++loads % 3 != 0) continue;
        const bool converged = row[11] == "yes";
        const double move = std::stod(row[8]);
        if (converged) moves.push_back(move);
        if (!converged || std::fabs(move) > 0.3) ++exceeding;
    }
    ASSERT_EQ(loads, 600u);
    std::sort(moves.begin(), moves.end());
    double mean = 0;
    for (double m : moves) mean += m;
    mean /= static_cast<double>(moves.size());
    double squares = 0;
    for (double m : moves) squares += (m - mean) * (m - mean);
    const double sd = std::sqrt(squares / static_cast<double>(moves.size() - 1));
    auto percentile = [&](double p) {
        const double rank = static_cast<double>(moves.size() - 1) * p;
        const auto k = static_cast<std::size_t>(rank);
        return moves[k] + (rank - static_cast<double>(k)) * (moves[k + 1] - moves[k]);
    };

    const auto stats = Rows(ReadBytes(dir_ / "s.csv"));
    ASSERT_EQ(stats.size(), 1 + 3 + 9u);
    EXPECT_EQ(stats[0][13], "exceeding");
    const std::vector<std::string>& third = stats[3];
    EXPECT_EQ(third[1], "head load");
    EXPECT_EQ(third[2], "3");
    EXPECT_EQ(third[5], "200");
    EXPECT_EQ(std::stoul(third[6]), moves.size());
    // The table holds the shortest decimals of the single-precision movements: the
    // statistics agree with them to their seven digits.
    EXPECT_NEAR(std::stod(third[7]), mean, 1e-6 * mean);
    EXPECT_NEAR(std::stod(third[8]), sd, 1e-6 * sd);
    EXPECT_NEAR(std::stod(third[9]), percentile(0.05), 1e-6 * mean);
    EXPECT_NEAR(std::stod(third[10]), percentile(0.5), 1e-6 * mean);
    EXPECT_NEAR(std::stod(third[11]), percentile(0.95), 1e-6 * mean);
    EXPECT_EQ(third[12], "0.3");
    EXPECT_EQ(std::stoul(third[13]), exceeding);
    ASSERT_GT(exceeding, 0u); // the limit lies inside the spread of this sample
    EXPECT_NEAR(std::stod(third[14]), static_cast<double>(exceeding) / 200, 1e-9);
    EXPECT_LT(std::stod(third[15]), std::stod(third[14]));
    EXPECT_GT(std::stod(third[16]), std::stod(third[14]));

    // The terminal shows the same for the largest load, to four digits.
    auto brief = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4g", value);
        return std::string(text);
    };
    EXPECT_THAT(out.text, HasSubstr(": the largest load, load 3 of "));
    EXPECT_THAT(out.text, HasSubstr("  head movement (in) of the " + third[6] +
                                    " of 200 variants that converged:\n    mean " +
                                    brief(std::stod(third[7])) + ", sd " +
                                    brief(std::stod(third[8])) + ", 5% "));
    EXPECT_THAT(out.text,
                HasSubstr("  above 0.3 in or not converged: " + std::to_string(exceeding) +
                          " of 200, share " + brief(static_cast<double>(exceeding) / 200) +
                          "\n    (95% confidence interval " + brief(std::stod(third[15])) + " to " +
                          brief(std::stod(third[16])) + ")\n"));
}

TEST_F(StudyInMemory, OneLayersFactorChangesOnlyThatLayer) {
    const fs::path project = copyExample(kExample);
    // Layer 1 rows carry unit side friction 3.47 and 5.5 and tip resistance 31.2 and 62.5;
    // layer 2 rows 6 and 11.5, 1000 and 1400. side-factor 2 on every layer and 1.5 on layer 2:
    // layer 1 doubled, layer 2 three times; tip-factor@1 0.5 halves layer 1's tip resistance.
    const Output out =
        RunProgram("-q --vary side-factor=2 --vary side-factor@2=1.5 --vary "
                   "tip-factor@1=0.5 --out " +
                   Quote(dir_ / "v") + " --table " + Quote(dir_ / "t.csv") + " " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    const std::string text = ReadBytes(
        dir_ / "v" /
        "driven-pile-clay-over-sand_side-factor=2_side-factor@2=1.5_tip-factor@1=0.5.dv4d");
    EXPECT_THAT(text, HasSubstr("0.0318 3.47 0.0  0.01 0 0.0  0.0  6.94 15.6\r\n"));
    EXPECT_THAT(text, HasSubstr("0.0318 6.94 0.0  0.007 0 0.0  0.0  11 31.25\r\n"));
    EXPECT_THAT(text, HasSubstr("0.0365 0.0  36 0 30 0.0  0.0  18 1000\r\n"));
    EXPECT_THAT(text, HasSubstr("0.0365 0.0  38 0 45 0.0  0.0  34.5 1400\r\n"));
    EXPECT_THAT(ReadBytes(dir_ / "t.csv"),
                HasSubstr("file,side-factor,side-factor@2,tip-factor@1,result,"));

    // The deeper sand layer carries more at a larger factor of its own, the same pile with the
    // clay's factor changed gives other loads: each factor reaches its layer.
    ASSERT_EQ(RunProgram("-q --vary side-factor@2=1,2 --vary side-factor@1=1,2 --table " +
                         Quote(dir_ / "layers.csv") + " " + Quote(project))
                  .status,
              0);
    std::vector<std::vector<double>> headLoads(4); // per variant, at the tip movements
    std::vector<std::string> names;
    for (const auto& row : Rows(ReadBytes(dir_ / "layers.csv"))) {
        if (row.size() < 8 || row[5] != "tip movement") continue;
        if (names.empty() || names.back() != row[0]) names.push_back(row[0]);
        headLoads[names.size() - 1].push_back(std::stod(row[6]));
    }
    ASSERT_EQ(names.size(), 4u); // (1, 1), (1, 2), (2, 1), (2, 2): layer 1 turns fastest
    for (std::size_t k = 0; k < headLoads[0].size(); ++k) {
        EXPECT_GT(headLoads[1][k], headLoads[0][k]) << k;
        EXPECT_GT(headLoads[2][k], headLoads[0][k]) << k;
        EXPECT_NE(headLoads[1][k], headLoads[2][k]) << k;
    }
}

TEST_F(StudyInMemory, BadValuesAreRefusedBeforeAnythingRuns) {
    const fs::path project = copyExample(kExample);
    const fs::path user = copyExample(kExamples / "user-curves-downdrag-multipliers.dv4d");
    const std::string table = " --table " + Quote(dir_ / "t.csv");
    const std::string stats = " --stats " + Quote(dir_ / "s.csv");
    const std::pair<std::string, std::string> cases[] = {
        {"--vary length=700" + stats + " --limit -1", "--limit: the settlement limit must not "
                                                      "be negative"},
        {"--vary length=700" + stats + " --limit nan", "--limit: not a settlement"},
        {"--vary length=700" + table + " --limit 1", "--limit needs --stats FILE.csv"},
        {stats, "--stats needs a study"},
        {"--vary side-factor@0=2" + table, "--vary side-factor@0: layers are numbered from 1"},
        {"--vary tip-factor@3=2" + table, "--vary tip-factor@3: the project has 2 soil layers"},
        {"--vary length@1=2" + table, "only side-factor and tip-factor take a layer"},
        {"--vary length=700 --keep 2" + table, "--keep needs --out DIR"},
        {"--vary length=700 --keep -1 --out " + Quote(dir_ / "v"),
         "--keep: expected a whole number from 0 to"},
        {"--vary length=700", "--vary needs --out DIR"},
        {"--vary length=700" + table + " --graphs-csv " + Quote(dir_ / "g"),
         "--graphs-csv: needs every variant's files"},
        {"--vary length=700,800 --out " + Quote(dir_ / "v") + " --keep 1 --graphs-csv " +
             Quote(dir_ / "g"),
         "--graphs-csv: needs every variant's files"},
    };
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(options);
        const Output run = RunProgram(options + " " + Quote(project), StandardError::Joined);
        EXPECT_EQ(run.status, 2) << run.text;
        EXPECT_THAT(run.text, HasSubstr(message));
        EXPECT_THAT(run.text, ::testing::Not(HasSubstr("result")));
    }
    // A layer's factor needs curves built from the layers.
    const Output curves =
        RunProgram("--vary side-factor@1=2" + table + " " + Quote(user), StandardError::Joined);
    EXPECT_EQ(curves.status, 2);
    EXPECT_THAT(curves.text, HasSubstr("the project's t-z curves are entered by the user"));
    EXPECT_EQ(FilesIn(dir_), (std::set<std::string>{"driven-pile-clay-over-sand.dv4d",
                                                    "user-curves-downdrag-multipliers.dv4d"}));
}

} // namespace
