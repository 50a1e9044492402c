// The message after a run, from the kernel's result code and the report it wrote.

#include "model/workspace/RunOutcome.h"

#include "model/tables/NumberFormat.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

TRunFacts English(long double tip, long double lastBottom) {
    TRunFacts facts;
    facts.Units = 1;
    facts.TipDepth = tip;
    facts.SoilLayers = true;
    facts.LastBottom = lastBottom;
    facts.Format = [](long double v) { return FormatGeneral(v, 8, '.'); };
    return facts;
}

// Report lines as the kernel writes them, each ended by CR LF.
std::string Report(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

// The end of the report of a run whose last layer ends at 480 in above a tip at 612 in.
const std::string Stopped = Report({
    " PILE TIP AT 612 IN",
    "                                    1.1395E+01     1.0000E+01",
    "           4   4.800000E+02",
    " **** WARNING ****",
    " THE VALUE OF X =   4.834800E+02",
    " IS BEYOND THE EXTENT OF",
    " THE INPUT STRENGTH CURVE",
});

} // namespace

TEST(RunOutcome, AStoppedRunQuotesTheWarningAndSaysWhatToDo) {
    const TRunOutcome o = RunOutcomeOf(6, Stopped, English(612, 480));
    EXPECT_FALSE(o.Completed);
    EXPECT_EQ(o.Message,
              "The analysis stopped before it was complete (result code 6): a t-z curve depth "
              "lies below the strength data (unit side friction).\n\n"
              "The report ends with:\n"
              "  **** WARNING ****\n"
              "  THE VALUE OF X = 4.834800E+02\n"
              "  IS BEYOND THE EXTENT OF\n"
              "  THE INPUT STRENGTH CURVE\n\n"
              "Extend the last soil layer below the pile tip (612 in).");
    ASSERT_TRUE(o.ReportLine);
    EXPECT_EQ(*o.ReportLine, 3); // the warning's heading, 0-based
    EXPECT_TRUE(o.UnconvergedLoads.empty());
}

TEST(RunOutcome, TheAdviceFollowsTheLayersAndTheUnits) {
    // Layers that do reach the tip: the fault lies elsewhere in them.
    std::string message = RunOutcomeOf(5, Stopped, English(612, 700)).Message;
    EXPECT_NE(message.find("(result code 5): the pile tip lies below the strength data "
                           "(undrained shear strength)."),
              std::string::npos);
    EXPECT_NE(message.find("\n\nCheck that the soil layers, with their data, reach below the "
                           "pile tip (612 in) and that their bottoms grow with depth."),
              std::string::npos);
    TRunFacts si = English(18.3, 12);
    si.Units = 2;
    message = RunOutcomeOf(7, Stopped, si).Message;
    EXPECT_NE(message.find("Extend the last soil layer below the pile tip (18.3 m)."),
              std::string::npos);
    for (int code : {4, 8})
        EXPECT_NE(RunOutcomeOf(code, Stopped, si).Message.find("(18.3 m)."), std::string::npos);
}

TEST(RunOutcome, AFatalErrorQuotesItsBlockOnly) {
    const std::string report = Report({
        " **** WARNING ****",
        " THERE ARE NO SOIL LAYERS:",
        " THE T-Z CURVES CARRY NO SIDE RESISTANCE",
        "",
        "",
        " **** FATAL INPUT ERROR ****",
        " File: /p/pile.dv4d",
        " Line 19: expected a number (pile-head load 3), found \"1E+400\".",
        " The analysis was stopped.",
    });
    const TRunOutcome o = RunOutcomeOf(3, report, English(720, 960));
    EXPECT_EQ(o.Message, "The analysis stopped before it was complete (result code 3): fatal "
                         "input error.\n\n"
                         "The report ends with:\n"
                         "  **** FATAL INPUT ERROR ****\n"
                         "  File: /p/pile.dv4d\n"
                         "  Line 19: expected a number (pile-head load 3), found \"1E+400\".\n"
                         "  The analysis was stopped.\n\n"
                         "Correct the entry the report names, then run again.");
    EXPECT_EQ(o.ReportLine, 5);
}

TEST(RunOutcome, NoReportAndUnknownCodes) {
    TRunOutcome o = RunOutcomeOf(2, "", English(720, 960));
    EXPECT_EQ(o.Message, "The analysis stopped before it was complete (result code 2): a file "
                         "could not be opened or written.\n\n"
                         "The report holds no message about it.\n\n"
                         "Check that the project's folder can be written and that the report is "
                         "not open in another program, then run again.");
    EXPECT_FALSE(o.ReportLine);
    o = RunOutcomeOf(-7, Stopped, English(720, 960));
    EXPECT_NE(o.Message.find("(result code -7): unknown result code."), std::string::npos);
    EXPECT_NE(o.Message.find("Read the end of the report for the cause."), std::string::npos);
    EXPECT_NE(RunOutcomeOf(9, Stopped, English(720, 960)).Message.find("greater than 0"),
              std::string::npos);
    EXPECT_NE(RunOutcomeOf(10, "", English(720, 960)).Message.find("internal error"),
              std::string::npos);
}

TEST(RunOutcome, ACompletedRunListsTheLoadsThatDidNotConverge) {
    const std::string report = Report({
        "   LOAD AT PILE HEAD",
        "       1.0000E+05     2.0000E-01",
        "       6.0000E+05     NOT ABLE TO GET CONVERGENCE",
        "       2.5000E+06     NOT ABLE TO GET CONVERGENCE",
    });
    const TRunOutcome o = RunOutcomeOf(0, report, English(720, 960));
    EXPECT_TRUE(o.Completed);
    EXPECT_EQ(o.UnconvergedLoads, (std::vector<long double>{600000, 2500000}));
    EXPECT_EQ(o.Message, std::string(CompletedMessage) +
                             "\n\nThese loads at the pile head did not converge: 600000 lb, "
                             "2500000 lb. They are probably above the capacity of the pile: "
                             "lower them, or check the side and tip resistances.");
    EXPECT_EQ(o.ReportLine, 2);
    TRunFacts si = English(720, 960);
    si.Units = 2;
    EXPECT_NE(RunOutcomeOf(0, report, si).Message.find("600000 kN, 2500000 kN."),
              std::string::npos);
    // One load is named as one.
    const std::string single = Report({"       6.0000E+05     NOT ABLE TO GET CONVERGENCE"});
    EXPECT_EQ(RunOutcomeOf(0, single, English(720, 960)).Message,
              std::string(CompletedMessage) +
                  "\n\nThis load at the pile head did not converge: 600000 lb. It is probably "
                  "above the capacity of the pile: lower it, or check the side and tip "
                  "resistances.");
}

TEST(RunOutcome, ACompletedRunWithAWarningQuotesIt) {
    const std::string clean = Report({" RESULTS", "  1.0E+00"});
    TRunOutcome o = RunOutcomeOf(0, clean, English(720, 960));
    EXPECT_EQ(o.Message, CompletedMessage);
    EXPECT_FALSE(o.ReportLine);

    const std::string warned = Report({
        " INPUT",
        " **** WARNING ****",
        " THE PILE TIP LIES BELOW THE LAST SOIL LAYER:",
        " NO Q-W CURVE IS GENERATED AND THE TIP CARRIES NO LOAD",
        "",
        " RESULTS",
    });
    o = RunOutcomeOf(0, warned, English(720, 600));
    EXPECT_EQ(o.Message, std::string(CompletedMessage) +
                             "\n\nThe report holds a warning:\n"
                             "  **** WARNING ****\n"
                             "  THE PILE TIP LIES BELOW THE LAST SOIL LAYER:\n"
                             "  NO Q-W CURVE IS GENERATED AND THE TIP CARRIES NO LOAD");
    EXPECT_EQ(o.ReportLine, 1);
}
