// Golden reports: whole projects in kernel/tests/golden/, run with a fixed clock, their
// reports compared byte for byte (CR LF included) with the expected .dv4o files.
//
// The projects are run from a scratch folder under the relative names projects/NAME.*, so
// the file block of every report reads "projects/" whatever the machine. Lines 2 to 4 of
// names.dat are "Ostrel Geotechnical Ltd", "Springfield, IL" and 2021, except for
// unit-system-3, which has them empty (the user block then has empty lines).
//
// The projects:
//   english-six-soils     English; six layers of soil types 1 to 6; generated curves; loads
//                         60000, -20000 and 600000 lb, so 18 generated tip movements (9 solved
//                         in the mirrored sense) and one load beyond the capacity; IPRINT 0.
//   si-clay-over-sand     S.I.; API clay over API sand; soil settlement profile; loads 500 and
//                         1200 kN; 24 increments of 0.25 m from a head at depth 0; IPRINT 0.
//   user-curves-downdrag  English; user t-z and Q-w curves; settlement profile; t-z and Q-w
//                         multipliers; user tip movements 1, -0.5, 0.12, 0.05; 2 increments.
//   generator-stop        English; user Q-w curve, generated t-z curves; the pile reaches
//                         below the only layer, so the solver curve at 315 in stops the run.
//   unit-system-3         Unit system 3; title of 100 characters; user tip movements and
//                         loads 1234567 and 300; settlement profile; multipliers; IPRINT 1.
//   si-drilled-shaft      S.I.; drilled shaft in clay over sand (types 3 and 4, so no z-peak
//                         table); UNIT TIP 0 at the sand tip; user tip movements 0.01 and
//                         0.002; 8 increments of 0.25 m; no settlement profile; IPRINT 0.
// All but unit-system-3 are written exactly as the desktop program writes a project (a
// conversion through dorvek-run --convert reproduces them byte for byte); unit-system-3 has
// a unit system and a load list together with tip movements that only a hand-written file has.
//
// Checked by hand in the committed expected files (the HandChecked tests below repeat the
// key lines, so a rewritten file that loses them fails):
// - Every heading line against the layouts of the report: the nX counts and the literals,
//   trailing blanks of literals kept, blanks of a trailing nX dropped, the A3 labels of each
//   unit system ("IN.", "LBS", "PSI" / " M.", "KN.", "KPA", also for unit system 3), the
//   two-version headings in English and S.I. and absent for unit system 3 (while their value
//   lines stay), and the empty lines between sections (the SectionOrder test).
// - Generated t-z points from the stated shapes: type 1 at depth 0, TMAX 3.47: 0.18 * 3.47 =
//   0.6246 at z 0.01; type 2 at 120 in (deeper layer's row: UNIT SIDE 2.5, PHI1 32, so
//   K = 10000): t = 0.01 / (0.01 / 2.5 + 144 / 10000) = 0.54348; type 2 at 239.99 in:
//   TMAX 3.49992, phi 33.9998, K = 12666.4, t(10) = 3.4860; type 4 at 360 in: 0.335 * 5.5 =
//   1.8425 at z = 0.001 * 18 = 0.018; type 5 at 480 in: z = 0.16 * 0.18 = 0.0288, residual
//   0.8 * 6 = 4.8; type 6 at 600 in: 0.3 * 7.5 = 2.25 at 0.016; S.I. type 5 at 2.245 m:
//   TMAX = 20 + 2.245 / 3 * 10 = 27.483; unit system 3 type 2 (S.I. form with the factor
//   20.88): TMAX 15, phi 30, K = 8666.6, t = 0.01 / (0.01 / 313.2 + 1 / 8666.6) / 20.88 =
//   3.2511 kPa at z = 0.000254 m. Curve depths: 89.995 in prints 0.8999E+02 (the single
//   precision value lies just below). All 55 generated report curves of the goldens were also
//   recomputed point by point with an independent double-precision calculation: no
//   difference at the printed precision.
// - Tip curves: type 6 at 660 in: UNIT TIP 1200 + 60 / 120 * 200 = 1300, Qmax = 1300 *
//   254.469 = 330810, first point 0.0625 * Qmax = 20676 at w = 0.0005 * 18 = 0.009; S.I.
//   type 6 at 6 m: (4000 + 3 / 7 * 3000) * 0.2827 = 1494.3 kN; printed before the Q-w
//   multipliers (unit-system-3 prints 817.05, and solves with 0.9 times it).
// - si-drilled-shaft: the sand tip's unit resistance from the friction angle: phi = 31 at
//   2 m, Kq = tan((15.5 + 45) * 3.1416 / 180) = 1.76749, mean unit weight (8 * 1 + 9 * 1) / 2
//   = 8.5, q = 2 * 1.76749^2 * exp(3.1416 * tan 31) * 8.5 = 350.73 kPa, Qmax = 350.73 *
//   0.19635 = 68.866 kN, points 0.2 * Qmax = 13.773 at 0.005 * 0.5 m and 1.46 * Qmax =
//   100.54 at 0.05 m; tip movement 0.002: tip load 13.773 * 0.002 / 0.0025 = 11.019; sand
//   at 1.875 m: TMAX 24.375, z/D = 0.004, t = (0.72 + 0.86) / 2 * 24.375 = 19.256, F = 19.256
//   * 0.25 * 0.5 * 3.1416 = 7.562; clay at 0.875 m: TMAX 27, z/D = 0.004008, t = 24.64.
// - Distributions of user-curves-downdrag, all by hand (As = 50 * 12 * 3.1416 = 1884.96,
//   t = 5.5 at 75 in and 4.5 at 25 in beyond z = 0.02 after the multipliers, tip settlement
//   0.1): tip movement 1.0: tip load 3000 * 0.9 = 2700, F = 10367.28 and 8482.32, node loads
//   13067.28 and 21549.6, deformations 50 * 7883.64 / 2.5E7 = 0.015767 and 0.034617, node
//   movements 0.9 + 0.1 (added back) = 1.0, 1.01577, 1.05038, mid movements 1.00529 and
//   1.03096, summary head movement 0.95038 (not added back); tip movement 0.12: relative
//   tip movement 0.02, negative skin friction on both increments (t = -5.5, -4.5), head load
//   60 - 10367.28 - 8482.32 = -18789.6; tip movements 0.05 and -0.5 are mirrored (soil at the
//   tip settles 0.1): loads 10367.28 and 18849.6 and movements printed with reversed signs,
//   no settlement added back, the header showing the given, settlement and net values.
// - All other distribution lines, the summaries and the results due to applied loads of the
//   goldens were recomputed with an independent double-precision calculation of the stated
//   solver rules (including down-drag, the mirrored sense, and the stored tip movement of a
//   converged load being the next trial value): no difference at the printed precision.
// - Number fields: F10.3 of 1234567 is ten asterisks; depths of F6.1: 0.125 m prints 0.1,
//   5.75 prints 5.8 and 5.25 prints 5.2 (ties of the binary value go to the even digit);
//   the title is cut to 72 characters; negative zero never appears.
// - Section order and the moment of each section: see SectionOrder.
//
// DORVEK_UPDATE_GOLDEN=1 rewrites the expected files from the program's output instead of
// comparing. Rewritten files must be checked by hand again before they are committed.

#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CapturedRun;
using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const fs::path kGoldenDir = fs::path(DORVEK_SOURCE_DIR) / "kernel" / "tests" / "golden";

struct Golden {
    const char* name;
    int code;       // expected result code
    bool namedUser; // names.dat lines 2 to 4 filled in (otherwise empty and 0)
};

const Golden kGoldens[] = {
    {"english-six-soils", 0, true},    {"si-clay-over-sand", 0, true},
    {"user-curves-downdrag", 0, true}, {"generator-stop", 6, true},
    {"unit-system-3", 0, false},       {"si-drilled-shaft", 0, true},
};

void PrintTo(const Golden& g, std::ostream* os) {
    *os << g.name;
}

bool UpdateRequested() {
    const char* flag = std::getenv("DORVEK_UPDATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

// Runs in `dir` and comes back on leaving.
class InFolder {
public:
    explicit InFolder(const fs::path& dir) : previous_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~InFolder() { fs::current_path(previous_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path previous_;
};

struct GoldenRun {
    int code = -1;
    std::string report;
};

GoldenRun RunGolden(const Golden& g) {
    TempDir dir;
    fs::create_directory(dir.path() / "projects");
    const std::string base = std::string("projects/") + g.name;
    WriteFile(dir.file(base + ".dv4d"),
              ReadFile((kGoldenDir / (std::string(g.name) + ".dv4d")).string()));
    RunHeader header;
    if (g.namedUser) {
        header.organisation = "Ostrel Geotechnical Ltd";
        header.location = "Springfield, IL";
        header.installation = 2021;
    }
    GoldenRun result;
    {
        InFolder here(dir.path());
        CapturedRun run;
        result.code =
            run.run({base + ".dv4d", base + ".dv4o", base + ".dv4p", base + ".dv4r"}, header);
    }
    result.report = ReadFile(dir.file(base + ".dv4o"));
    return result;
}

std::string ExpectedReport(const std::string& name) {
    return ReadFile((kGoldenDir / (name + ".dv4o")).string());
}

class GoldenReport : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenReport, MatchesByteForByte) {
    const Golden& g = GetParam();
    const GoldenRun run = RunGolden(g);
    EXPECT_EQ(run.code, g.code);
    const fs::path expectedPath = kGoldenDir / (std::string(g.name) + ".dv4o");
    if (UpdateRequested()) {
        WriteFile(expectedPath.string(), run.report);
        GTEST_SKIP() << "rewrote " << expectedPath;
    }
    const std::string expected = ExpectedReport(g.name);
    ASSERT_FALSE(expected.empty()) << expectedPath;
    if (run.report == expected) return;
    // Name the first line that differs.
    const auto got = Lines(run.report);
    const auto want = Lines(expected);
    for (std::size_t k = 0; k < std::min(got.size(), want.size()); ++k) {
        ASSERT_EQ(got[k], want[k]) << g.name << " line " << k + 1;
    }
    EXPECT_EQ(got.size(), want.size()) << g.name;
    EXPECT_EQ(run.report, expected) << g.name << ": line ends differ";
}

INSTANTIATE_TEST_SUITE_P(Projects, GoldenReport, ::testing::ValuesIn(kGoldens),
                         [](const ::testing::TestParamInfo<Golden>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

// ---- Headings ------------------------------------------------------------------------

std::string B(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::vector<std::string> GoldenLines(const std::string& name) {
    return Lines(ExpectedReport(name));
}

struct Heading {
    std::string line; // the whole line, composed from its layout
    const char* what;
};

// Every heading line of the report, composed field by field from its layout (nX as B(n),
// A3 labels as their texts). Lines that carry a value (program version, installation number,
// date) are taken with the values of the goldens.
std::vector<Heading> AllHeadings() {
    const std::string equals = B(5) + std::string(73, '=');
    return {
        {equals, "1: rule"},
        {B(20) + "  DORVEK for Windows, Version " + "2021.4.4    ", "1: version (A12)"},
        {B(20) + "  Installation Number " + "      2021", "1: installation number (I10)"},
        {B(20) + "   A Program for Computing Load Vs Settlement ", "1"},
        {B(20) + "           For an Axially Loaded Pile ", "1"},
        {B(5) + "Analysis carried out by:", "2: user block caption"},
        {B(5) + "Ostrel Geotechnical Ltd", "2: organisation"},
        {B(5) + "Path to file locations      : " + "projects/", "3"},
        {B(5) + "Name of input data file     : " + "english-six-soils.dv4d", "3"},
        {B(5) + "Name of output file         : " + "english-six-soils.dv4o", "3"},
        {B(5) + "Name of plot output file    : " + "english-six-soils.dv4p", "3"},
        {B(5) + std::string(73, '-'), "4: rule"},
        {B(26) + "Time and Date of Analysis", "4"},
        {B(15) + "Date:  " + "March" + " " + "07" + ", " + "2021" + B(5) + "Time:  " + "09" + ":" +
             "05" + ":" + "03",
         "4: date and time"},
        {B(1) + " AXIALLY LOADED PILE, CONSTANT OD", "5"},
        {B(12) + "LAYER" + B(12) + "SOIL TYPE          XTOP        XBOT", "6"},
        {B(12) + "     " + B(12) + "                    IN.         IN.", "6 English"},
        {B(12) + "      " + B(12) + "                    M.          M.", "6 S.I."},
        {B(10) + "    XG1        GAM1", "7"},
        {B(10) + "    IN.       LB/IN**3", "7 English"},
        {B(10) + "     M        kN/M**3", "7 S.I."},
        {B(7) + "XSTR         C1          EE50        PHI1   " +
             "BLOW COUNT   UNIT SIDE    UNIT TIP",
         "8"},
        {B(7) + " IN.      LB/IN**2                   DEG.     " +
             "            LB/IN**2    LB/IN**2",
         "8 English"},
        {B(7) + "  M.       kN/M**2                   DEG.     " +
             "             kN/M**2     kN/M**2",
         "8 S.I."},
        {B(7) + "XSTR       ZPEAK     tres/tmax", "9"},
        {B(7) + " IN.        IN.      ", "9 English"},
        {B(7) + "  M.         M.      ", "9 S.I."},
        {"  ", "10: line of two blanks"},
        {B(9) + "  DEPTH" + B(13) + "AE PILE", "11"},
        {B(12) + "IN." + B(16) + "LBS", "11 English labels"},
        {B(12) + " M." + B(16) + "KN.", "11 S.I. labels"},
        {B(8) + "PILE LENGTH" + B(7) + "HEAD COORD." + B(6) + "OUTER DIAMETER" + B(7) + "TOLERANCE",
         "12"},
        {B(12) + "IN." + B(16) + "IN." + B(16) + "IN." + B(15) + "IN.", "12 English labels"},
        {B(12) + " M." + B(16) + " M." + B(16) + " M." + B(15) + " M.", "12 S.I. labels"},
        {B(1) + "    USER-DEFINED T-Z CURVES", "13 user caption"},
        {B(1) + "    INTERNALLY GENERATED T-Z CURVES", "13 generated caption"},
        {B(4) + "T-Z       NO. OF    DEPTH TO    LOAD " + "TRANSFER  PILE", "13"},
        {B(3) + "CURVE NO." + B(2) + "POINTS" + B(4) + "CURVE," + "IN." + B(3) + "TRANSFER," +
             "PSI" + B(3) + "MOVEMENT," + "IN.",
         "13 English labels"},
        {B(3) + "CURVE NO." + B(2) + "POINTS" + B(4) + "CURVE," + " M." + B(3) + "TRANSFER," +
             "KPA" + B(3) + "MOVEMENT," + " M.",
         "13 S.I. labels"},
        {B(1) + "    USER-DEFINED Q-W CURVE", "14 caption"},
        {B(8) + "TIP   LOAD" + B(8) + "TIP MOVEMENT", "14, 15"},
        {B(12) + "LBS" + B(15) + "IN.", "14, 15 English labels"},
        {B(12) + "KN." + B(15) + " M.", "14, 15 S.I. labels"},
        {B(1) + "    INTERNALLY GENERATED Q-W CURVE", "15 caption"},
        {B(8) + "USER-DEFINED TIP MOVEMENTS", "16"},
        {B(12) + "IN.", "16 English label"},
        {B(12) + " M.", "16 S.I. label"},
        {B(10) + "   LOADS      ", "17"},
        {B(10) + "    LB.       ", "17 English"},
        {B(10) + "    KN        ", "17 S.I."},
        {B(10) + "   SOIL SETTLEMENT PROFILE", "18"},
        {B(10) + "   DEPTH     SETTLEMENT", "18"},
        {B(10) + "    IN.         IN", "18 English"},
        {B(10) + "     M           M", "18 S.I."},
        {B(10) + "DEPTH" + B(20) + "t-Multiplier  " + B(10) + "z-Multiplier  ", "19"},
        {B(10) + "IN.", "19 English label"},
        {B(10) + " M.", "19 S.I. label"},
        {B(10) + "PILE TIP" + B(17) + "Q-Multiplier  " + B(10) + "w-Multiplier ", "20"},
        {B(8) + "RESULTS DUE TO TIP MOVEMENTS", "21, 23"},
        {B(8) + std::string(28, '-'), "21, 23, 24 rule"},
        {B(8) + "APPLIED TIP MOVEMENT" + B(8) + "TIP   LOAD", "22 without settlement profile"},
        {B(17) + "IN." + B(20) + "LBS", "22 English labels"},
        {B(17) + " M." + B(20) + "KN.", "22 S.I. labels"},
        {B(8) + "USER DEFINED" + B(8) + "   SOIL     " + B(8) + "     NET    " + B(8) +
             "    TIP     ",
         "22 with settlement profile"},
        {B(8) + "TIP MOVEMENT" + B(8) + " SETTLEMENT " + B(8) + "TIP MOVEMENT" + B(8) +
             "    LOAD    ",
         "22 with settlement profile"},
        {B(14) + "IN." + B(17) + "IN." + B(17) + "IN." + B(17) + "LBS", "22 English labels"},
        {B(14) + " M." + B(17) + " M." + B(17) + " M." + B(17) + "KN.", "22 S.I. labels"},
        {B(1) + "DEPTH     LOAD" + B(7) + "LOAD" + B(6) + "TOTAL" + B(6) + "AVG" + B(6) + "DEFORM" +
             B(5) + "TOTAL     AVG",
         "22 table"},
        {B(9) + "TRANSFER     INCR" + B(6) + "LOAD" + B(7) + "LOAD" + B(5) +
             "OF INCR    MVMNT     MVMNT",
         "22 table"},
        {B(2) + "IN." + B(5) + "PSI" + B(10) + "LBS" + B(7) + "LBS" + B(8) + "LBS" + B(6) + "IN." +
             B(8) + "IN." + B(7) + "IN.",
         "22 table English labels"},
        {B(2) + " M." + B(5) + "KPA" + B(10) + "KN." + B(7) + "KN." + B(8) + "KN." + B(6) + " M." +
             B(8) + " M." + B(7) + " M.",
         "22 table S.I. labels"},
        {B(8) + "TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT" + B(5) + "TIP  LOAD", "23, 24"},
        {B(11) + "LBS" + B(13) + "IN." + B(14) + "IN." + B(12) + "LBS", "23, 24 English labels"},
        {B(11) + "KN." + B(13) + " M." + B(14) + " M." + B(12) + "KN.", "23, 24 S.I. labels"},
        {"1", "24: the character 1 alone"},
        {B(8) + "RESULTS DUE TO APPLIED LOADS", "24"},
        {B(7) + "6.0000E+05" + B(5) + "NOT ABLE TO GET CONVERGENCE", "24: load not converged"},
        {B(1) + "**** WARNING ****", "warning"},
        {B(1) + "IS BEYOND THE EXTENT OF", "warning"},
        {B(1) + "THE INPUT STRENGTH CURVE", "warning"},
    };
}

TEST(GoldenReports, EveryHeadingAppearsInAGolden) {
    std::vector<std::pair<std::string, std::vector<std::string>>> goldens;
    for (const Golden& g : kGoldens) goldens.emplace_back(g.name, GoldenLines(g.name));
    for (const Heading& h : AllHeadings()) {
        std::string where;
        for (const auto& [name, lines] : goldens) {
            if (std::find(lines.begin(), lines.end(), h.line) != lines.end())
                where += (where.empty() ? "" : ", ") + name;
        }
        EXPECT_FALSE(where.empty()) << "section " << h.what << ": \"" << h.line << "\"";
        RecordProperty(h.what, where);
    }
}

// ---- Section order -------------------------------------------------------------------

// Index of the first line at or after `from` equal to `line`, or the size.
std::size_t Find(const std::vector<std::string>& lines, const std::string& line,
                 std::size_t from = 0) {
    for (std::size_t k = from; k < lines.size(); ++k)
        if (lines[k] == line) return k;
    return lines.size();
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

// Each line found after the one before it.
void ExpectInOrder(const std::string& name, const std::vector<std::string>& order) {
    const auto lines = GoldenLines(name);
    std::size_t at = 0;
    for (const std::string& line : order) {
        const std::size_t found = Find(lines, line, at);
        ASSERT_LT(found, lines.size()) << name << ": \"" << line << "\" missing or out of order";
        at = found + 1;
    }
}

const std::string kLayer = B(12) + "LAYER" + B(12) + "SOIL TYPE          XTOP        XBOT";
const std::string kUnitWeights = B(10) + "    XG1        GAM1";
const std::string kStrength =
    B(7) + "XSTR         C1          EE50        PHI1   BLOW COUNT   UNIT SIDE    UNIT TIP";
const std::string kZPeak = B(7) + "XSTR       ZPEAK     tres/tmax";
const std::string kStiffness = B(9) + "  DEPTH" + B(13) + "AE PILE";
const std::string kPile =
    B(8) + "PILE LENGTH" + B(7) + "HEAD COORD." + B(6) + "OUTER DIAMETER" + B(7) + "TOLERANCE";
const std::string kUserTz = "     USER-DEFINED T-Z CURVES";
const std::string kGeneratedTz = "     INTERNALLY GENERATED T-Z CURVES";
const std::string kUserQw = "     USER-DEFINED Q-W CURVE";
const std::string kGeneratedQw = "     INTERNALLY GENERATED Q-W CURVE";
const std::string kTipMovements = B(8) + "USER-DEFINED TIP MOVEMENTS";
const std::string kLoads = B(10) + "   LOADS      ";
const std::string kSettlement = B(10) + "   SOIL SETTLEMENT PROFILE";
const std::string kTzFactors =
    B(10) + "DEPTH" + B(20) + "t-Multiplier  " + B(10) + "z-Multiplier  ";
const std::string kQwFactors =
    B(10) + "PILE TIP" + B(17) + "Q-Multiplier  " + B(10) + "w-Multiplier ";
const std::string kTipResults = B(8) + "RESULTS DUE TO TIP MOVEMENTS";
const std::string kApplied = B(8) + "APPLIED TIP MOVEMENT" + B(8) + "TIP   LOAD";
const std::string kUserDefined =
    B(8) + "USER DEFINED" + B(8) + "   SOIL     " + B(8) + "     NET    " + B(8) + "    TIP     ";
const std::string kTable =
    " DEPTH     LOAD       LOAD      TOTAL      AVG      DEFORM     TOTAL     AVG";
const std::string kSummary = B(8) + "TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD";
const std::string kLoadResults = B(8) + "RESULTS DUE TO APPLIED LOADS";
const std::string kWarning = " **** WARNING ****";
const std::string kAxially = "  AXIALLY LOADED PILE, CONSTANT OD";

TEST(GoldenReports, SectionOrderEnglishSixSoils) {
    const std::string name = "english-six-soils";
    // The layer block, the curves, the loads (no tip movements: they are generated), then the
    // tip-movement results with a distribution per movement, the summary and the loads.
    ExpectInOrder(name, {kAxially, kLayer, kUnitWeights, kStrength, kZPeak, "  ", kStiffness, kPile,
                         kGeneratedTz, kGeneratedQw, kLoads, kTipResults, kApplied, kTable,
                         kTipResults, kSummary, "1", kLoadResults, kSummary});
    const auto lines = GoldenLines(name);
    EXPECT_EQ(Count(lines, kApplied), 18u); // -5 ... -0.0001, 0.0001 ... 5
    EXPECT_EQ(Count(lines, kTable), 18u);
    for (const std::string& absent : {kUserTz, kUserQw, kTipMovements, kSettlement, kTzFactors,
                                      kQwFactors, kUserDefined, kWarning})
        EXPECT_EQ(Count(lines, absent), 0u) << absent;
    // Title block: " ", the title, three empty lines, the caption, an empty line.
    const std::size_t title = Find(lines, kAxially) - 4;
    EXPECT_EQ(lines[title - 1], " ");
    EXPECT_EQ(lines[title].size(), 73u);
    EXPECT_EQ(lines[title + 1] + lines[title + 2] + lines[title + 3] + lines[title + 5], "");
    // The report ends with the last load's row.
    EXPECT_EQ(lines.back(), B(7) + "6.0000E+05" + B(5) + "NOT ABLE TO GET CONVERGENCE");
}

TEST(GoldenReports, SectionOrderSiClayOverSand) {
    const std::string name = "si-clay-over-sand";
    ExpectInOrder(name, {kLayer, kUnitWeights, kStrength, kZPeak, "  ", kStiffness, kPile,
                         kGeneratedTz, kGeneratedQw, kLoads, kSettlement, kTipResults, kUserDefined,
                         kTable, kTipResults, kSummary, "1", kLoadResults, kSummary});
    const auto lines = GoldenLines(name);
    EXPECT_EQ(Count(lines, kUserDefined), 9u); // the nine positive generated movements
    EXPECT_EQ(Count(lines, kApplied), 0u);
    EXPECT_EQ(Count(lines, kTipMovements), 0u);
    // 24 increments: per movement 24 increment lines and 25 node lines, from the tip upward.
    const std::size_t table = Find(lines, kTable);
    EXPECT_EQ(lines[table + 3].substr(0, 7), "    6.0");
    EXPECT_EQ(lines[table + 3 + 47].substr(0, 7), "    0.1");
    EXPECT_EQ(lines[table + 3 + 48].substr(0, 7), "    0.0");
    EXPECT_EQ(lines[table + 3 + 49], " ");
}

TEST(GoldenReports, SectionOrderUserCurves) {
    const std::string name = "user-curves-downdrag";
    // No layer block; user t-z curves, then the user Q-w curve; the loading echo in the order
    // of the file.
    ExpectInOrder(name, {kAxially, kStiffness, kPile, kUserTz, kUserQw, kTipMovements, kSettlement,
                         kTzFactors, kQwFactors, kTipResults, kUserDefined, kTable, kTipResults,
                         kSummary});
    const auto lines = GoldenLines(name);
    for (const std::string& absent :
         {kLayer, kUnitWeights, kStrength, kZPeak, kGeneratedTz, kGeneratedQw, kLoads, kApplied,
          kLoadResults, std::string("1")})
        EXPECT_EQ(Count(lines, absent), 0u) << absent;
    EXPECT_EQ(Count(lines, kUserDefined), 4u);
    // The report ends with the last summary row.
    EXPECT_EQ(lines.back(), "       2.1550E+04      9.5038E-01      1.0000E+00      2.7000E+03");
}

TEST(GoldenReports, SectionOrderGeneratorStop) {
    const std::string name = "generator-stop";
    // The user Q-w curve stands before the generated t-z curves; the warning of the solver
    // curves follows them and ends the report.
    ExpectInOrder(name, {kLayer, kStrength, kStiffness, kPile, kUserQw, kGeneratedTz, kWarning});
    const auto lines = GoldenLines(name);
    ASSERT_GE(lines.size(), 5u);
    const std::vector<std::string> tail(lines.end() - 5, lines.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"           2   3.000000E+02", " **** WARNING ****",
                                        " THE VALUE OF X =   3.150000E+02",
                                        " IS BEYOND THE EXTENT OF", " THE INPUT STRENGTH CURVE"}));
    for (const std::string& absent : {kGeneratedQw, kTipResults, kSummary})
        EXPECT_EQ(Count(lines, absent), 0u) << absent;
}

TEST(GoldenReports, SectionOrderUnitSystemThree) {
    const std::string name = "unit-system-3";
    // Two-version headings left out, their value lines kept; IPRINT = 1 goes from the opening
    // of the tip-movement results straight to the summary.
    ExpectInOrder(name,
                  {kAxially, B(14) + "1      Driven Pile in Sand      0.000E+00   4.000E+00", "  ",
                   kStiffness, kPile, kGeneratedTz, kGeneratedQw, kTipMovements, "    **********",
                   kTzFactors, kQwFactors, kTipResults, kTipResults, kSummary, "1", kLoadResults});
    const auto lines = GoldenLines(name);
    for (const std::string& absent : {kLayer, kUnitWeights, kStrength, kZPeak, kLoads, kSettlement,
                                      kApplied, kUserDefined, kTable})
        EXPECT_EQ(Count(lines, absent), 0u) << absent;
    const std::size_t opening = Find(lines, kTipResults);
    EXPECT_EQ(lines[opening + 2], "");
    EXPECT_EQ(lines[opening + 3], " ");
    EXPECT_EQ(Find(lines, kTipResults, opening + 1), opening + 7);
    // The user block with empty names: the caption, then four empty lines.
    const std::size_t user = Find(lines, B(5) + "Analysis carried out by:");
    EXPECT_EQ(lines[user + 1] + lines[user + 2] + lines[user + 3] + lines[user + 4], "");
}

TEST(GoldenReports, SectionOrderSiDrilledShaft) {
    const std::string name = "si-drilled-shaft";
    ExpectInOrder(name, {kLayer, kUnitWeights, kStrength, "  ", kStiffness, kPile, kGeneratedTz,
                         kGeneratedQw, kTipMovements, kTipResults, kApplied, kTable, kApplied,
                         kTable, kTipResults, kSummary});
    const auto lines = GoldenLines(name);
    // Only soil types 1 to 4: no z-peak table.
    for (const std::string& absent : {kZPeak, kLoads, kSettlement, kUserDefined, kLoadResults})
        EXPECT_EQ(Count(lines, absent), 0u) << absent;
    EXPECT_EQ(lines.back(), "       1.0646E+02      1.0025E-02      1.0000E-02      3.8737E+01");
}

// ---- Hand-checked lines --------------------------------------------------------------

// Lines computed by hand (see the notes at the top), looked up in the expected files.
void ExpectLines(const std::string& name, const std::vector<std::string>& expected) {
    const auto lines = GoldenLines(name);
    for (const std::string& line : expected)
        EXPECT_NE(Find(lines, line), lines.size()) << name << ": \"" << line << "\"";
}

TEST(GoldenReports, HandCheckedEnglishSixSoils) {
    ExpectLines(
        "english-six-soils",
        {
            // Title cut to 72 characters.
            " Six soil types along a 55 ft closed-end pipe pile, 18 in OD (English uni",
            B(10) + "    5" + B(4) + "Driven Pile in Clay, API" + B(2) + " 4.800E+02" + B(2) +
                " 6.000E+02",
            B(3) + " 4.800E+02   1.800E-01   8.000E-01", // z-peak row
            B(36) + "6.2460E-01" + B(5) + "1.0000E-02",  // type 1
            B(36) + "5.4348E-01" + B(5) + "1.0000E-02",  // type 2 at 120 in
            B(36) + "3.4860E+00" + B(5) + "1.0000E+01",  // type 2 at 239.99 in
            B(36) + "1.8425E+00" + B(5) + "1.8000E-02",  // type 4
            B(36) + "4.8000E+00" + B(5) + "3.6000E+00",  // type 5 residual
            B(36) + "2.2500E+00" + B(5) + "1.6000E-02",  // type 6
            "      4         10      0.8999E+02",
            B(8) + "2.0676E+04" + B(9) + "9.0000E-03", // tip curve, first point
            B(8) + "3.3081E+05" + B(9) + "3.6000E+00", // Qmax
            B(5) + "60000.000",
            B(4) + "-20000.000",
            B(4) + "600000.000",
            // Tip movement -5, mirrored: t = TMAX = 7.5417 psi at 605 in, F = 46912 lb.
            B(12) + "-5.0000E+00" + B(13) + "0.0000E+00",
            "  660.0" + B(22) + " 0.000E+00" + B(21) + "-5.000E+00",
            "  605.0 -7.542E+00 -4.691E+04          -2.346E+04 -3.237E-03          -5.001E+00",
            "  495.0 -4.900E+00 -3.048E+04          -6.215E+04 -8.576E-03          -5.007E+00",
            "    0.0                      -1.728E+05                     -5.083E+00",
            // Summary: mirrored rows negative, tip movement as generated.
            "      -1.7280E+05     -5.0833E+00     -5.0000E+00      0.0000E+00",
            "       1.1437E+03      6.0097E-04      1.0000E-04      2.2973E+02",
        });
}

TEST(GoldenReports, HandCheckedSiClayOverSand) {
    ExpectLines(
        "si-clay-over-sand",
        {
            B(36) + "8.2450E+00" + B(5) + "8.0000E-04", // type 5 at 2.245 m
            B(8) + "1.4943E+03" + B(9) + "1.2000E-01",  // Qmax at the tip
            B(7) + "500.000",
            B(6) + "1200.000",
            B(10) + " 3.000E+00   5.000E-03",
            // Tip movement 0.0001 in = 2.54E-6 m below a soil settlement of
            // 0.005 * 4 / 7 = 0.0028571 m at the tip: mirrored.
            B(10) + "2.5400E-06" + B(10) + "2.8571E-03" + B(9) + "-2.8546E-03" + B(10) +
                "0.0000E+00",
            "    6.0                       0.000E+00                     -2.855E-03",
            // t = TMAX = 25 + 2.875 * 5 = 39.375 kPa at 5.875 m, F = 39.375 * 0.47124.
            "    5.9 -3.938E+01 -1.856E+01          -9.278E+00 -4.950E-07          -2.855E-03",
            // Top increment of 0.25 m: mid-depth 0.125 prints 0.1; residual 0.8 * 20.417.
            "    0.1 -1.633E+01 -7.697E+00          -2.939E+02 -1.568E-05          -3.067E-03",
        });
}

TEST(GoldenReports, HandCheckedUserCurves) {
    ExpectLines(
        "user-curves-downdrag",
        {
            // Echo as read, before the multipliers.
            B(36) + "1.2000E+01" + B(5) + "1.0000E-02",
            B(8) + "2.0000E+03" + B(9) + "5.0000E-01",
            // Sorted tip movements.
            B(7) + "-5.0000E-01",
            B(8) + "5.0000E-02",
            B(8) + "1.2000E-01",
            B(8) + "1.0000E+00",
            B(10) + " 1.200E+02   0.000E+00",
            B(7) + " 0.100E+03" + B(18) + " 0.500E+00" + B(15) + " 0.200E+01",
            B(32) + " 1.500E+00" + B(13) + " 2.000E+00",
            // Tip movement 1.0.
            B(10) + "1.0000E+00" + B(10) + "1.0000E-01" + B(10) + "9.0000E-01" + B(10) +
                "2.7000E+03",
            "  100.0                       2.700E+03                      1.000E+00",
            "   75.0  5.500E+00  1.037E+04           7.884E+03  1.577E-02           1.005E+00",
            "   50.0                       1.307E+04                      1.016E+00",
            "   25.0  4.500E+00  8.482E+03           1.731E+04  3.462E-02           1.031E+00",
            "    0.0                       2.155E+04                      1.050E+00",
            // Tip movement 0.12: negative skin friction.
            "   75.0 -5.500E+00 -1.037E+04          -5.124E+03 -1.025E-02           1.175E-01",
            "    0.0                      -1.879E+04                      8.066E-02",
            // Tip movement 0.05, mirrored.
            B(10) + "5.0000E-02" + B(10) + "1.0000E-01" + B(9) + "-5.0000E-02" + B(10) +
                "0.0000E+00",
            "   25.0 -4.500E+00 -8.482E+03          -1.461E+04 -2.922E-02          -7.286E-02",
            // Summary.
            "      -1.8850E+04     -6.3958E-01     -5.0000E-01      0.0000E+00",
            "      -1.8850E+04     -8.9584E-02      5.0000E-02      0.0000E+00",
            "      -1.8790E+04     -1.9344E-02      1.2000E-01      6.0000E+01",
        });
}

TEST(GoldenReports, HandCheckedSiDrilledShaft) {
    ExpectLines(
        "si-drilled-shaft",
        {
            B(8) + "1.3773E+01" + B(9) + "2.5000E-03",
            B(8) + "1.0054E+02" + B(9) + "5.0000E-02",
            B(8) + "2.0000E-03",
            B(8) + "1.0000E-02", // sorted
            B(13) + "2.0000E-03" + B(13) + "1.1019E+01",
            "    2.0                       1.102E+01                      2.000E-03",
            "    1.9  1.926E+01  7.562E+00           1.480E+01  6.282E-07           2.000E-03",
            "    0.9  2.464E+01  9.676E+00           4.378E+01  1.858E-06           2.004E-03",
            "    0.1  1.917E+01  7.528E+00           6.959E+01  2.954E-06           2.012E-03",
        });
}

TEST(GoldenReports, HandCheckedUnitSystemThree) {
    ExpectLines("unit-system-3",
                {
                    " Unit system 3 keeps S.I. labels; the title of this project is one hundre",
                    B(3) + " 4.000E+00   2.500E-03   0.000E+00", // z-peak row without heading
                    B(36) + "3.2511E+00" + B(5) + "2.5400E-04",  // type 2, S.I. form
                    B(8) + "8.1705E+02" + B(9) + "4.0000E-02",   // before the Q-multiplier 0.9
                    B(12) + " M.",
                    B(4) + "**********",
                    B(7) + "300.000",
                    B(10) + " 1.200E+01   0.000E+00", // settlement row without heading
                    B(10) + " M.",
                    B(7) + "1.2346E+06" + B(5) + "NOT ABLE TO GET CONVERGENCE",
                });
}

} // namespace
} // namespace dorvek
