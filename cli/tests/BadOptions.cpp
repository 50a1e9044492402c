// Options dorvek-run cannot use: every one ends the run with status 2 and a message before
// anything is analysed or written; --help and --version end it with 0. The ranges of the
// numeric options are checked on the text as given.

#include "cli/OptionRanges.h"
#include "cli/tests/CliTestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace dorvek::test;
using dorvek::cli::WholeNumberFault;

struct BadCase {
    std::string arguments; // "{p}" stands for the project's path, "{d}" for the test's folder
    std::string message;   // a part of what standard error says
};

class BadOptions : public CliTest {};

TEST_F(BadOptions, EachExitsWithTwoAndSaysWhyBeforeAnythingRuns) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const std::string study = " --vary side-factor=lognormal:1:0.2 --table {d}/t.csv {p}";
    const std::vector<BadCase> cases = {
        {"", "files is required"},
        {"--no-such-option {p}", "The following argument was not expected: --no-such-option"},
        {"{p} -j", "--jobs: 1 required N missing"},
        {"-j abc {p}", "--jobs: expected a whole number from 1 to 1024"},
        {"-j 1e9 {p}", "--jobs: expected a whole number from 1 to 1024"},
        {"-j 0 {p}", "--jobs: expected a whole number from 1 to 1024"},
        {"-j -1 {p}", "--jobs: expected a whole number from 1 to 1024"},
        {"-j 1025 {p}", "--jobs: expected a whole number from 1 to 1024"},
        {"--graphs {d}/g --format jpg {p}", "--format: jpg not in {png,svg,pdf,bmp}"},
        {"--format png {p}", "--format requires --graphs"},
        {"--graphs {d}/g --dpi 1e3 {p}", "--dpi: expected a whole number from 10 to 1200"},
        {"--seed 3 {p}", "--seed requires --sample"},
        {"--convert {p} {p}", "excludes"},
        {"--sample -3 --force" + study, "--sample: expected a whole number from 1 to 100000000"},
        {"--sample 0" + study, "--sample: expected a whole number from 1 to 100000000"},
        {"--sample 100000001 --force" + study,
         "--sample: expected a whole number from 1 to 100000000"},
        {"--sample 100001" + study, "more than 100000; give --force to run it"},
        {"--sample 5 --seed -1" + study,
         "--seed: expected a whole number from 0 to 9223372036854775807"},
        {"--sample 5 --seed 9223372036854775808" + study, "--seed: expected a whole number"},
        {"--sample 5 --seed 18446744073709551616" + study, "--seed: expected a whole number"},
        {"--sample 5 --seed 99999999999999999999" + study, "--seed: expected a whole number"},
        {"--out {d}/o --keep -1 --vary side-factor=1,2 {p}",
         "--keep: expected a whole number from 0 to 9223372036854775807"},
        {"--out {d}/o --keep 99999999999999999999 --vary side-factor=1,2 {p}",
         "--keep: expected a whole number"},
        {"--stats {d}/s.csv --limit 1e999 --sample 5" + study, "--limit: not a settlement"},
        {"--stats {d}/s.csv --limit nan --sample 5" + study, "--limit: not a settlement"},
        {"--force --vary length=1:10000:1 --vary diameter=1:10000:1 --vary head=1,2 --table "
         "{d}/t.csv {p}",
         "the study has 200000000 variants, more than 100000000"},
        {"--shard 4/3 {p}", "--shard 4/3"},
        {"{p} {p}", "given twice"},
    };
    for (const BadCase& bad : cases) {
        std::string arguments = bad.arguments;
        for (std::size_t at; (at = arguments.find("{p}")) != std::string::npos;)
            arguments.replace(at, 3, Quote(project));
        for (std::size_t at; (at = arguments.find("{d}")) != std::string::npos;)
            arguments.replace(at, 3, dir_.generic_string());
        SCOPED_TRACE(bad.arguments);
        const Output out = RunProgram("--quiet " + arguments, StandardError::Joined);
        EXPECT_EQ(out.status, 2) << out.text;
        EXPECT_NE(out.text.find(bad.message), std::string::npos) << out.text;
        EXPECT_FALSE(fs::exists(dir_ / "driven-pile-clay-over-sand.dv4o"));
        EXPECT_FALSE(fs::exists(dir_ / "t.csv"));
    }
    // Leading zeros are decimal, not octal: 010 is ten.
    const Output ten = RunProgram("-q -j 08 --sample 010" + study.substr(0, study.find("{d}")) +
                                  Quote(dir_ / "ten.csv") + " " + Quote(project));
    EXPECT_EQ(ten.status, 0);
    EXPECT_EQ(ten.text, "10 variants analysed in memory: 10 completed, 0 did not\n");

    EXPECT_EQ(RunProgram("--help").status, 0);
    const Output version = RunProgram("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text.rfind("dorvek-run 2021.4.4", 0), 0u) << version.text;
}

TEST(OptionRanges, WholeNumbersFromTheirTextOnly) {
    const std::string fault = "expected a whole number from 1 to 1024";
    for (const char* good : {"1", "1024", "+7", "0042"})
        EXPECT_EQ(WholeNumberFault(good, 1, 1024), "") << good;
    for (const char* bad : {"", "0", "1025", "-1", "-0", " 5", "5 ", "1e3", "0x10", "2.0", "+",
                            "18446744073709551617"})
        EXPECT_EQ(WholeNumberFault(bad, 1, 1024), fault) << bad;
    EXPECT_EQ(dorvek::cli::WholeNumber("0042"), 42u);
    EXPECT_EQ(dorvek::cli::WholeNumber("+010"), 10u);
    // The whole unsigned range and nothing beyond it.
    EXPECT_EQ(WholeNumberFault("18446744073709551615", 0, UINT64_MAX), "");
    EXPECT_NE(WholeNumberFault("18446744073709551616", 0, UINT64_MAX), "");
}

} // namespace
