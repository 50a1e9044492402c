// dorvek-run's batch runs as a user calls them: parallel runs, parameter studies, the result
// table, shards and the refusal of bad options before anything runs.

#include "cli/BatchCommand.h"

#include "cli/tests/CliTestSupport.h"
#include "kernel/tests/TestSupport.h"

#include <map>
#include <sstream>

namespace {

using namespace dorvek::test;

const fs::path kExample = kExamples / "driven-pile-clay-over-sand.dv4d";

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A CSV of this program's tables: quoted cells hold no line break.
std::vector<std::vector<std::string>> Cells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : OutputLines(text)) {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                cells.emplace_back();
            } else {
                cells.back() += c;
            }
        }
        rows.push_back(cells);
    }
    return rows;
}

using StudyRuns = CliTest;

TEST_F(StudyRuns, TheLengthAndSideFactorStudy) {
    const fs::path project = copyExample(kExample);
    const fs::path study = dir_ / "study", table = dir_ / "study.csv";
    const Output out = RunProgram("-q -j 2 --vary length=480:960:60 --vary side-factor=0.8,1,1.2 "
                                  "--table " +
                                  Quote(table) + " --out " + Quote(study) + " " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    const std::vector<std::string> lines = OutputLines(out.text);
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[0],
              (study / "driven-pile-clay-over-sand_length=480_side-factor=0.8.dv4d").string() +
                  ": result 0, run completed");
    EXPECT_EQ(lines[26],
              (study / "driven-pile-clay-over-sand_length=960_side-factor=1.2.dv4d").string() +
                  ": result 0, run completed");
    int variants = 0;
    for (const auto& entry : fs::directory_iterator(study))
        variants += entry.path().extension() == ".dv4d";
    EXPECT_EQ(variants, 27);

    const auto rows = Cells(ReadBytes(table));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{
                  "file", "length", "side-factor", "result", "meaning", "kind", "head load",
                  "head movement", "tip movement", "tip load", "converged", "Davisson capacity",
                  "capacity at 10 % D", "Chin-Kondner capacity", "units", "study", "shard"}));
    // Per variant: the tip-movement rows and the three applied loads.
    std::map<std::pair<double, double>, std::vector<double>> headLoads;
    int loadRows = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 17u);
        EXPECT_EQ(rows[r][14], "lbs, in");
        EXPECT_EQ(rows[r][15], rows[1][15]);
        EXPECT_EQ(rows[r][15].size(), 16u);
        EXPECT_EQ(rows[r][16], "1/1");
        EXPECT_EQ(rows[r][3], "0");
        EXPECT_EQ(rows[r][4], "run completed");
        const std::pair key{std::stod(rows[r][1]), std::stod(rows[r][2])};
        EXPECT_EQ(rows[r][0], (study / ("driven-pile-clay-over-sand_length=" + rows[r][1] +
                                        "_side-factor=" + rows[r][2] + ".dv4d"))
                                  .string());
        if (rows[r][5] == "tip movement") {
            headLoads[key].push_back(std::stod(rows[r][6]));
            EXPECT_EQ(rows[r][10], "");
        } else {
            ASSERT_EQ(rows[r][5], "head load");
            EXPECT_EQ(rows[r][6], std::to_string(100000 * (loadRows % 3 + 1)));
            EXPECT_EQ(rows[r][10], "yes");
            ++loadRows;
        }
    }
    EXPECT_EQ(loadRows, 27 * 3);
    ASSERT_EQ(headLoads.size(), 27u);
    // At every tip movement the head load grows with the length and with the factor.
    for (const auto& [key, loads] : headLoads) {
        for (const auto& [other, more] : headLoads) {
            const bool longer = other.first > key.first && other.second == key.second;
            const bool stronger = other.first == key.first && other.second > key.second;
            if (!longer && !stronger) continue;
            ASSERT_EQ(more.size(), loads.size());
            for (std::size_t j = 0; j < loads.size(); ++j)
                EXPECT_GT(more[j], loads[j]) << key.first << " " << key.second << " row " << j;
        }
    }
}

TEST_F(StudyRuns, FactorsOfOneReproduceTheOriginal) {
    const fs::path project = copyExample(kExample);
    ASSERT_EQ(
        RunProgram("-q --table " + Quote(dir_ / "original.csv") + " " + Quote(project)).status, 0);
    ASSERT_EQ(RunProgram("-q --vary ae-factor=1 --vary side-factor=1 --vary tip-factor=1 "
                         "--vary load-factor=1 --vary length=720 --vary diameter=18 --table " +
                         Quote(dir_ / "study.csv") + " --out " + Quote(dir_ / "v") + " " +
                         Quote(project))
                  .status,
              0);
    auto original = Cells(ReadBytes(dir_ / "original.csv"));
    auto study = Cells(ReadBytes(dir_ / "study.csv"));
    ASSERT_EQ(original.size(), study.size());
    ASSERT_GT(original.size(), 5u);
    for (std::size_t r = 1; r < original.size(); ++r) {
        // Same numbers; the study adds the six varied names after the file (and is a study of
        // its own: another fingerprint).
        ASSERT_EQ(study[r].size(), original[r].size() + 6);
        for (std::size_t c = 1; c < original[r].size(); ++c) {
            if (c != original[r].size() - 2) {
                EXPECT_EQ(study[r][c + 6], original[r][c]) << r << " " << c;
            }
        }
        EXPECT_NE(study[r][original[r].size() + 4], original[r][original[r].size() - 2]);
    }
    // The variant's tip area follows the circular section: pi 18^2 / 4 = 254.469005, written
    // with 8 digits.
    const std::string variant =
        ReadBytes(dir_ / "v" /
                  "driven-pile-clay-over-sand_ae-factor=1_side-factor=1_tip-factor=1_load-factor=1_"
                  "length=720_diameter=18.dv4d");
    EXPECT_NE(variant.find("720 0 18 254.469\r\n"), std::string::npos) << variant;
}

TEST_F(StudyRuns, FactorsScaleTheirCells) {
    const fs::path project = copyExample(kExample);
    ASSERT_EQ(RunProgram("-q --vary ae-factor=0.5 --vary side-factor=2 --vary tip-factor=0.1 "
                         "--vary load-factor=1.5 --vary diameter=24 --vary head=12 --out " +
                         Quote(dir_ / "v") + " " + Quote(project))
                  .status,
              0);
    const std::string text = ReadBytes(
        dir_ / "v" /
        "driven-pile-clay-over-sand_ae-factor=0.5_side-factor=2_tip-factor=0.1_load-factor=1.5_"
        "diameter=24_head=12.dv4d");
    // Layer rows: unit side friction doubled, tip resistance a tenth (3.47 -> 6.94, 31.2 -> 3.12).
    EXPECT_NE(text.find(" 6.94 3.12\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" 23 140\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("3.986E8 0\r\n"), std::string::npos) << text;
    // Diameter 24: tip area pi 144 = 452.389342.
    EXPECT_NE(text.find("720 12 24 452.38934"), std::string::npos) << text;
    EXPECT_NE(text.find("150000\r\n300000\r\n450000\r\n"), std::string::npos) << text;
}

TEST_F(StudyRuns, UserCurvesTakeTheSideFactorOnTAndTheTipFactorOnQ) {
    const fs::path project = copyExample(kExamples / "user-curves-downdrag-multipliers.dv4d");
    ASSERT_EQ(RunProgram("-q --vary side-factor=2 --vary tip-factor=3 --out " + Quote(dir_ / "v") +
                         " " + Quote(project))
                  .status,
              0);
    const std::string text =
        ReadBytes(dir_ / "v" / "user-curves-downdrag-multipliers_side-factor=2_tip-factor=3.dv4d");
    // t of both curves doubled (4 -> 8, 12 -> 24), movements kept; Q tripled, w kept.
    EXPECT_NE(text.find("0 0\r\n8 0.01\r\n8 10\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 0\r\n24 0.01\r\n24 10\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 0\r\n6000 0.5\r\n7500 2\r\n"), std::string::npos) << text;
}

TEST_F(StudyRuns, ParallelAndSerialRunsWriteTheSameBytes) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(kExamples))
        if (entry.path().extension() == ".dv4d")
            files.push_back(copyExample(entry.path()).string());
    std::sort(files.begin(), files.end());
    auto run = [&](unsigned threads, std::map<std::string, std::string>& outputs) {
        dorvek::cli::BatchOptions options;
        options.files = files;
        options.threads = threads;
        options.summary = true;
        options.clock = dorvek::test::FixedTime;
        options.table = (dir_ / "table.csv").string();
        options.vary = {"ae-factor=0.9:1.1:0.1"};
        options.out = (dir_ / "v").string();
        std::ostringstream out, err;
        EXPECT_EQ(dorvek::cli::RunBatch(options, out, err), 0) << err.str();
        outputs["stdout"] = out.str();
        outputs["stderr"] = err.str();
        outputs["table"] = ReadBytes(options.table);
        for (const auto& entry : fs::directory_iterator(options.out))
            outputs[entry.path().filename().string()] = ReadBytes(entry.path());
    };
    std::map<std::string, std::string> serial, parallel;
    run(1, serial);
    run(3, parallel);
    EXPECT_EQ(serial.size(), 3u + 4 * 3 * 4);
    for (const auto& [name, bytes] : serial) {
        EXPECT_FALSE(bytes.empty() && name.find(".dv4r") == std::string::npos) << name;
        EXPECT_EQ(parallel[name], bytes) << name;
    }
    EXPECT_NE(serial["stderr"].find("PROCEED"), std::string::npos) << serial["stderr"];
}

TEST_F(StudyRuns, ShardTablesJoinToTheWholeTable) {
    const fs::path project = copyExample(kExample);
    const std::string study = " --vary length=480:960:120 --vary tip-factor=1,2 --out " +
                              Quote(dir_ / "v") + " " + Quote(project);
    ASSERT_EQ(RunProgram("-q --table " + Quote(dir_ / "all.csv") + study).status, 0);
    std::string tables;
    std::size_t analysed = 0;
    for (int k = 1; k <= 3; ++k) {
        const fs::path table = dir_ / ("shard" + std::to_string(k) + ".csv");
        const Output out =
            RunProgram("-q --shard " + std::to_string(k) + "/3 --table " + Quote(table) + study);
        ASSERT_EQ(out.status, 0);
        analysed += OutputLines(out.text).size();
        tables += " " + Quote(table);
    }
    EXPECT_EQ(analysed, 10u);
    ASSERT_EQ(RunProgram("--join " + Quote(dir_ / "joined.csv") + tables).status, 0);
    // The whole run's rows, each with its shard instead of 1/1.
    const auto joined = Cells(ReadBytes(dir_ / "joined.csv"));
    auto whole = Cells(ReadBytes(dir_ / "all.csv"));
    ASSERT_EQ(joined.size(), whole.size());
    std::map<std::string, int> shards;
    for (std::size_t r = 1; r < whole.size(); ++r) {
        EXPECT_EQ(whole[r].back(), "1/1");
        ++shards[joined[r].back()];
        whole[r].back() = joined[r].back();
    }
    EXPECT_EQ(joined, whole);
    EXPECT_EQ(shards.size(), 3u);
    // A shard writes only its own variants.
    fs::remove_all(dir_ / "v");
    ASSERT_EQ(RunProgram("-q --shard 3/3" + study).status, 0);
    int written = 0;
    for (const auto& entry : fs::directory_iterator(dir_ / "v"))
        written += entry.path().extension() == ".dv4d";
    EXPECT_EQ(written, 4); // jobs 7 to 10 of 10
}

TEST_F(StudyRuns, AFailedRunKeepsItsRowWithItsCode) {
    const fs::path good = copyExample(kExample);
#ifdef _WIN32
    // Windows names cannot hold double quotes: the comma alone makes the cell quoted.
    const std::string badName = "bad, quoted.dv4d", badCell = "bad, quoted.dv4d";
#else
    const std::string badName = "bad, \"quoted\".dv4d", badCell = "bad, \"\"quoted\"\".dv4d";
#endif
    const fs::path bad = write(badName, "Title\r\nfifty 0 1\r\n");
    const Output out = RunProgram("-j 2 --table " + Quote(dir_ / "t.csv") + " " + Quote(bad) + " " +
                                  Quote(good) + " " + Quote(dir_ / "none.dv4d"));
    EXPECT_EQ(out.status, 1);
    const auto rows = Cells(ReadBytes(dir_ / "t.csv"));
    ASSERT_GE(rows.size(), 4u);
    ASSERT_EQ(rows[1].size(), 15u);
    EXPECT_EQ(std::vector<std::string>(rows[1].begin(), rows[1].begin() + 13),
              (std::vector<std::string>{bad.string(), "3", "fatal input error", "", "", "", "", "",
                                        "", "", "", "", ""}));
    EXPECT_EQ(rows[1][14], "1/1");
    EXPECT_EQ(rows.back()[0], (dir_ / "none.dv4d").string());
    EXPECT_EQ(rows.back()[1], "2");
    // The file name with a comma (and quotes) is quoted in the file itself.
    EXPECT_NE(ReadBytes(dir_ / "t.csv").find("\"" + (dir_ / badCell).string() + "\",3,"),
              std::string::npos);
    EXPECT_EQ(rows[0][4], "head load");
}

TEST_F(StudyRuns, BadOptionsStopWithStatusTwoBeforeAnythingRuns) {
    const fs::path project = copyExample(kExample);
    const std::string input = " " + Quote(project);
    const std::string out = " --out " + Quote(dir_ / "v");
    write("file", "not a folder");
    const std::pair<std::string, std::string> cases[] = {
        {"--vary width=1,2" + out, "unknown name"},
        {"--vary length=" + out, "no values"},
        {"--vary length=960:480:60" + out, "reversed"},
        {"--vary length=480:960:0" + out, "must not be 0"},
        {"--vary length=-480,480" + out, "not positive"},
        {"--vary diameter=-18" + out, "not positive"},
        {"--vary length=1:400000:1" + out, "give --force"},
        {"--vary length=1:1000:1 --vary side-factor=1:101:1" + out, "more than 100000"},
        {"--shard 4/3", "K must be in 1..3"},
        {"--shard 0/3", "K must be in"},
        {"--vary length=480" + std::string(" --out ") + Quote(dir_ / "file" / "v"),
         "cannot be created"},
        {"--table " + Quote(dir_ / "file" / "t.csv"), "cannot be created"},
        {"--vary length=480", "--out"},
        {"--vary length=480 --vary length=720" + out, "given twice"},
        {"--vary length=normal:720:10" + out, "--sample"},
        {"--sample 3 --vary length=480" + out, "normal:MEAN:SD"},
        {"--vary load-factor=2 --out " + Quote(dir_ / "v") + " " +
             Quote(copyExample(kExamples / "user-curves-downdrag-multipliers.dv4d")),
         "no pile-head loads"},
        {"-j 0", "--jobs: expected a whole number from 1 to 1024"},
        {Quote(project), "given twice"},
    };
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(options);
        const Output run = RunProgram(options + input, StandardError::Joined);
        EXPECT_EQ(run.status, 2) << run.text;
        EXPECT_NE(run.text.find(message), std::string::npos) << run.text;
        EXPECT_EQ(run.text.find("result"), std::string::npos) << run.text;
    }
    EXPECT_FALSE(fs::exists(dir_ / "v"));
    EXPECT_FALSE(fs::exists(fs::path(project).replace_extension(".dv4o")));
}

TEST_F(StudyRuns, SameSeedSameSampleAcrossRuns) {
    const fs::path project = copyExample(kExample);
    const std::string study = " --sample 5 --vary side-factor=lognormal:1:0.3 --vary "
                              "length=normal:720:30 --out " +
                              Quote(dir_ / "v") + " " + Quote(project);
    ASSERT_EQ(RunProgram("-q --seed 11 --table " + Quote(dir_ / "a.csv") + study).status, 0);
    ASSERT_EQ(RunProgram("-q -j 1 --seed 11 --table " + Quote(dir_ / "b.csv") + study).status, 0);
    ASSERT_EQ(RunProgram("-q --seed 12 --table " + Quote(dir_ / "c.csv") + study).status, 0);
    EXPECT_EQ(ReadBytes(dir_ / "a.csv"), ReadBytes(dir_ / "b.csv"));
    EXPECT_NE(ReadBytes(dir_ / "a.csv"), ReadBytes(dir_ / "c.csv"));
    const auto rows = Cells(ReadBytes(dir_ / "a.csv"));
    EXPECT_EQ(rows[1][0], (dir_ / "v" / "driven-pile-clay-over-sand_sample=1.dv4d").string());
    EXPECT_EQ(rows.back()[0], (dir_ / "v" / "driven-pile-clay-over-sand_sample=5.dv4d").string());
}

} // namespace
