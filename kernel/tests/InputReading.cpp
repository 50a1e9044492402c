// Reading of the input data file into the store: records under their conditions, derived
// values, and the input faults the reader refuses.

#include "kernel/InputReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvek {
namespace {

// One layer of code 1 from 0 to 1000, a two-point stiffness table and a 720 in pile.
const std::string kLayerBlock = "1\n"
                                "1 1 0.0  1.00000000000000E+0003\n"
                                "0.07 10 0.0  0.01 0 0.0  0.0  5 90\n"
                                "0.07 20 0.0  0.01 0 0.0  0.0  8 180\n";
const std::string kStiffnessAndPile = "2\n1E9 0\n1E9 720\n1E-5 720 0 18 254.469\n";
const std::string kNoLoading = " 0\n 0\n 0\n 0\n 0\n";

std::string Generated(const std::string& loading = kNoLoading, const std::string& title = "Title") {
    std::string text = title;
    text += "\n50 0 1\n1 1 \n";
    return text + kLayerBlock + kStiffnessAndPile + loading;
}

// Reads a whole file as the run does (without the curve phases in between).
struct Reading {
    Store s;
    std::ostringstream text;
    FixedWriter report{text};

    explicit Reading(const std::string& input) {
        FreeFormatReader in(input);
        ReadModelInput(in, s, report);
        ReadLoadingInput(in, s, report);
    }
};

// The fault a file gives.
InputError FaultOf(const std::string& input) {
    try {
        Reading reading(input);
    } catch (const InputError& e) {
        return e;
    }
    ADD_FAILURE() << "no fault";
    return InputError(0, "", "");
}

TEST(InputReading, TitleIsCutTo72Characters) {
    std::string title;
    for (int k = 0; k < 100; ++k) title += static_cast<char>('A' + k % 26);
    Reading r(Generated(kNoLoading, title));
    EXPECT_EQ(r.s.title, title.substr(0, 72));
    EXPECT_EQ(r.text.str().find(title.substr(0, 73)), std::string::npos);
    std::string echoed = " ";
    echoed += title.substr(0, 72);
    EXPECT_NE(r.text.str().find(echoed + "\r\n"), std::string::npos);
}

TEST(InputReading, ShortTitleIsPaddedAndEmptyTitleAllowed) {
    Reading r(Generated());
    EXPECT_EQ(r.s.title, std::string("Title").append(67, ' '));
    Reading empty(Generated(kNoLoading, ""));
    EXPECT_EQ(empty.s.title, std::string(72, ' '));
}

TEST(InputReading, ControlLineAndUnitLabels) {
    Reading english(Generated());
    EXPECT_EQ(english.s.ninc, 50);
    EXPECT_EQ(english.s.iprint, 0);
    EXPECT_EQ(english.s.iunit, 1);
    EXPECT_EQ(english.s.labelL, "IN.");
    EXPECT_EQ(english.s.labelF, "LBS");
    EXPECT_EQ(english.s.labelP, "PSI");
    for (const char* units : {"2", "3", "0", "-1"}) {
        Reading other("T\n40 1 " + std::string(units) + "\n1 1 \n" + kLayerBlock +
                      kStiffnessAndPile + kNoLoading);
        EXPECT_EQ(other.s.labelL, " M.");
        EXPECT_EQ(other.s.labelF, "KN.");
        EXPECT_EQ(other.s.labelP, "KPA");
    }
}

TEST(InputReading, StrengthRowsTakeTheirDepthsFromTheLayers) {
    Reading r("T\n10 0 1\n1 1 \n2\n"
              "1 1 0.0  3.60000000000000E+0002\n"
              "7 2  3.60000000000000E+0002  9.60000000000000E+0002\n"
              "1 2 3 4 5 6 7 8 9\n"
              "11 12 13 14 15 16 17 18 19\n"
              "21 22 23 24 25 26 27 28 29\n"
              "31 32 33 34 35 36 37 38 39\n" +
              kStiffnessAndPile + kNoLoading);
    ASSERT_EQ(r.s.layers.size(), 2u);
    EXPECT_EQ(r.s.layers[1].number, 7);
    EXPECT_EQ(r.s.layers[1].type, 2);
    EXPECT_EQ(r.s.layers[1].xtop, 360.0f);
    EXPECT_EQ(r.s.layers[1].xbot, 960.0f);
    // NSTR = 2 * NLAYER; rows 2j-1 and 2j at the top and bottom of layer j.
    ASSERT_EQ(r.s.strength.size(), 4u);
    const float depths[] = {0, 360, 360, 960};
    for (std::size_t i = 0; i < 4; ++i) {
        const StrengthRow& row = r.s.strength[i];
        const float base = 10.0f * static_cast<float>(i);
        EXPECT_EQ(row.xstr, depths[i]);
        EXPECT_EQ(row.gam1, base + 1);
        EXPECT_EQ(row.c1, base + 2);
        EXPECT_EQ(row.phi1, base + 3);
        EXPECT_EQ(row.ee50, base + 4);
        EXPECT_EQ(row.blowCount, base + 5);
        EXPECT_EQ(row.zpeak, base + 6);
        EXPECT_EQ(row.tresRatio, base + 7);
        EXPECT_EQ(row.unitSide, base + 8);
        EXPECT_EQ(row.unitTip, base + 9);
    }
}

TEST(InputReading, UserTzWithGeneratedQwReadsTheLayerBlock) {
    Reading r("T\n20 0 1\n2 1 \n"
              "2\n"
              "1 0 3\n0 0\n1.5 0.1\n2 0.5\n"
              "2 720 2\n0 0\n4 0.2\n" +
              kLayerBlock + kStiffnessAndPile + kNoLoading);
    ASSERT_EQ(r.s.userTz.size(), 2u);
    EXPECT_EQ(r.s.userTz[0].number, 1);
    EXPECT_EQ(r.s.userTz[0].depth, 0.0f);
    EXPECT_EQ(r.s.userTz[0].t, (std::vector<float>{0, 1.5f, 2}));
    EXPECT_EQ(r.s.userTz[0].z, (std::vector<float>{0, 0.1f, 0.5f}));
    EXPECT_EQ(r.s.userTz[1].depth, 720.0f);
    EXPECT_EQ(r.s.userTz[1].t.size(), 2u);
    EXPECT_EQ(r.s.layers.size(), 1u);
    EXPECT_EQ(r.s.strength.size(), 2u);
    EXPECT_TRUE(r.s.qwQ.empty());
}

TEST(InputReading, BothCurveKindsByUserSkipTheLayerBlock) {
    Reading r("T\n20 0 2\n2 2 \n"
              "1\n1 5 2\n0 0\n3 0.01\n"
              "2\n0 0 100 0.02\n"
              "2\n1E6 0\n1E6 20\n1E-5 20 0 0.5 0.2\n" +
              kNoLoading);
    EXPECT_TRUE(r.s.layers.empty());
    EXPECT_TRUE(r.s.strength.empty());
    EXPECT_EQ(r.s.qwQ, (std::vector<float>{0, 100}));
    EXPECT_EQ(r.s.qwW, (std::vector<float>{0, 0.02f}));
    EXPECT_EQ(r.s.ae, (std::vector<float>{1e6f, 1e6f}));
    EXPECT_EQ(r.s.aeDepth, (std::vector<float>{0, 20}));
    EXPECT_EQ(r.s.length, 20.0f);
    EXPECT_EQ(r.s.diameter, 0.5f);
    EXPECT_EQ(r.s.tipArea, 0.2f);
    EXPECT_EQ(r.s.tol, 1e-5f);
    // The layer echo is absent.
    EXPECT_EQ(r.text.str().find("LAYER"), std::string::npos);
}

TEST(InputReading, PairsOnOneLineOrManyReadAlike) {
    const std::string qwLayouts[] = {"3\n0 0 50 0.1 80 1\n", "3\n0 0\n50 0.1\n80 1\n",
                                     "3\n0\n0 50\n\n0.1, 80,1\n"};
    const std::string aeLayouts[] = {"2\n1E9 0 2E9 720\n", "2\n1E9 0\n2E9 720\n",
                                     "2\n1E9\n0\n2E9\n720\n"};
    const std::string tipLayouts[] = {"3\n0.1 0.2 0.3\n", "3\n0.1\n0.2\n0.3\n"};
    for (const auto& qw : qwLayouts) {
        for (const auto& ae : aeLayouts) {
            for (const auto& tips : tipLayouts) {
                Reading r("T\n50 0 1\n1 2 \n" + qw + kLayerBlock + ae + "1E-5 720 0 18 254\n" +
                          tips + " 0\n 0\n 0\n 0\n");
                EXPECT_EQ(r.s.qwQ, (std::vector<float>{0, 50, 80}));
                EXPECT_EQ(r.s.qwW, (std::vector<float>{0, 0.1f, 1}));
                EXPECT_EQ(r.s.ae, (std::vector<float>{1e9f, 2e9f}));
                EXPECT_EQ(r.s.aeDepth, (std::vector<float>{0, 720}));
                EXPECT_EQ(r.s.tipMovements, (std::vector<float>{0.1f, 0.2f, 0.3f}));
                EXPECT_EQ(r.s.length, 720.0f);
            }
        }
    }
}

TEST(InputReading, UserTipMovementsAreSortedAscending) {
    Reading r(Generated("3\n0.1 0.01 0.5\n 0\n 0\n 0\n 0\n"));
    EXPECT_EQ(r.s.ntipRead, 3);
    EXPECT_EQ(r.s.tipMovements, (std::vector<float>{0.01f, 0.1f, 0.5f}));
    // Echoed after sorting.
    const std::string report = r.text.str();
    const auto first = report.find("1.0000E-02");
    const auto second = report.find("1.0000E-01");
    const auto third = report.find("5.0000E-01");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
}

TEST(InputReading, SelectionSortKeepsEveryValue) {
    std::vector<float> values{3, -1, 2, -1, 0, 10, -7};
    SortAscending(values);
    EXPECT_EQ(values, (std::vector<float>{-7, -1, -1, 0, 2, 3, 10}));
    std::vector<float> none;
    SortAscending(none);
    EXPECT_TRUE(none.empty());
}

TEST(InputReading, NegativeTipMovementCountMeansNone) {
    // No values follow a negative count: the next line is already the load count.
    Reading r(Generated("-4\n1\n500\n 0\n 0\n 0\n"));
    EXPECT_EQ(r.s.ntipRead, -4);
    EXPECT_TRUE(r.s.tipMovements.empty());
    EXPECT_EQ(r.s.loads, (std::vector<float>{500}));
    EXPECT_EQ(r.text.str().find("USER-DEFINED TIP MOVEMENTS"), std::string::npos);
}

TEST(InputReading, ZeroTipMovementsLeaveTheListToTheGenerator) {
    Reading r(Generated(" 0\n2\n100\n-50\n 0\n 0\n 0\n"));
    EXPECT_EQ(r.s.ntipRead, 0);
    EXPECT_EQ(r.text.str().find("USER-DEFINED TIP MOVEMENTS"), std::string::npos);
}

TEST(InputReading, LoadsAreReadOnePerLineAndTheirSignsCounted) {
    // One read per load: the 999 after the first load is left over.
    Reading r(Generated(" 0\n5\n100 999\n-50\n0\n2.5E3\n-1\n 0\n 0\n 0\n"));
    EXPECT_EQ(r.s.loads, (std::vector<float>{100, -50, 0, 2500, -1}));
    EXPECT_EQ(r.s.positiveLoads, 2);
    EXPECT_EQ(r.s.negativeLoads, 2);
}

TEST(InputReading, SettlementAndFactorBlocks) {
    Reading r(Generated(" 0\n 0\n"
                        "2\n0 0.5\n720 0\n"
                        " 1\n3\n0 1 1\n360 0.8 1.2\n720 0.5 2\n"
                        " 1\n1.5 2\n"));
    EXPECT_EQ(r.s.settleDepth, (std::vector<float>{0, 720}));
    EXPECT_EQ(r.s.settlement, (std::vector<float>{0.5f, 0}));
    EXPECT_EQ(r.s.tzFactorFlag, 1);
    EXPECT_EQ(r.s.tzfDepth, (std::vector<float>{0, 360, 720}));
    EXPECT_EQ(r.s.tzfT, (std::vector<float>{1, 0.8f, 0.5f}));
    EXPECT_EQ(r.s.tzfZ, (std::vector<float>{1, 1.2f, 2}));
    EXPECT_EQ(r.s.qwFactorFlag, 1);
    EXPECT_EQ(r.s.qMultiplier, 1.5f);
    EXPECT_EQ(r.s.wMultiplier, 2.0f);
}

TEST(InputReading, FactorFlagsBelowOneSkipTheirTables) {
    // Anything after the Q-w factor block is not read.
    Reading r(Generated(" 0\n 0\n 0\n 0\n 0\nnot read\n"));
    EXPECT_EQ(r.s.tzFactorFlag, 0);
    EXPECT_TRUE(r.s.tzfDepth.empty());
    EXPECT_EQ(r.s.qwFactorFlag, 0);
    EXPECT_EQ(r.s.qMultiplier, 1.0f);
    EXPECT_EQ(r.s.wMultiplier, 1.0f);
}

TEST(InputReading, ZeroOrNegativeCountsSkipTheirBlocks) {
    Reading r("T\n20 0 1\n1 2 \n-1\n" + kLayerBlock + kStiffnessAndPile +
              " 0\n-2\n0\n 2\n-3\n 0\n");
    EXPECT_TRUE(r.s.qwQ.empty());
    EXPECT_TRUE(r.s.loads.empty());
    EXPECT_TRUE(r.s.settlement.empty());
    EXPECT_EQ(r.s.tzFactorFlag, 2);
    EXPECT_TRUE(r.s.tzfDepth.empty());
}

TEST(InputReading, IncrementCountMustBeUsable) {
    for (const char* ninc : {"0", "-5", "10001"}) {
        InputError e = FaultOf("T\n" + std::string(ninc) + " 0 1\n1 1 \n" + kLayerBlock +
                               kStiffnessAndPile + kNoLoading);
        EXPECT_EQ(e.line(), 2) << ninc;
        EXPECT_EQ(e.expected(), "an integer from 1 to 10000 (number of pile increments)");
    }
    Reading largest("T\n10000 0 1\n1 1 \n" + kLayerBlock + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(largest.s.ninc, 10000);
}

TEST(InputReading, CountsTheLaterPhasesNeedMustBePositive) {
    InputError layers = FaultOf("T\n50 0 1\n1 1 \n0\n" + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(layers.line(), 4);
    EXPECT_EQ(layers.expected(), "an integer of at least 1 (number of soil layers)");

    InputError ae =
        FaultOf("T\n50 0 1\n1 1 \n" + kLayerBlock + "0\n1E-5 720 0 18 254\n" + kNoLoading);
    EXPECT_EQ(ae.line(), 8);
    EXPECT_EQ(ae.expected(), "an integer of at least 1 (number of AE points)");

    InputError curves =
        FaultOf("T\n50 0 1\n2 1 \n0\n" + kLayerBlock + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(curves.expected(), "an integer of at least 1 (number of t-z curves)");

    InputError points =
        FaultOf("T\n50 0 1\n2 1 \n1\n1 0 0\n" + kLayerBlock + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(points.line(), 5);
    EXPECT_EQ(points.expected(), "an integer of at least 1 (number of points of t-z curve 1)");
}

TEST(InputReading, HugeLayerCountIsRefusedBeforeAnyAllocation) {
    InputError e = FaultOf("T\n50 0 1\n1 1 \n2000000000\n" + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(e.line(), 4);
    EXPECT_EQ(e.expected(), "an integer (number of soil layers)");
    EXPECT_NE(std::string(e.what()).find("found 2000000000, but the rest of the file holds "
                                         "only 15 values where 44000000000 are needed"),
              std::string::npos);
}

TEST(InputReading, HugeCountsOfEveryBlockAreRefused) {
    const std::string big = "2000000000";
    // Q-w points, AE points, tip movements, loads, settlement points, factor rows.
    EXPECT_EQ(
        FaultOf("T\n50 0 1\n1 2 \n" + big + "\n" + kLayerBlock + kStiffnessAndPile + kNoLoading)
            .line(),
        4);
    EXPECT_EQ(FaultOf("T\n50 0 1\n1 1 \n" + kLayerBlock + big + "\n").line(), 8);
    const std::string model = "T\n50 0 1\n1 1 \n" + kLayerBlock + kStiffnessAndPile;
    EXPECT_EQ(FaultOf(model + big + "\n 0\n 0\n 0\n 0\n").line(), 12);
    EXPECT_EQ(FaultOf(model + " 0\n" + big + "\n 0\n 0\n 0\n").line(), 13);
    EXPECT_EQ(FaultOf(model + " 0\n 0\n" + big + "\n 0\n 0\n").line(), 14);
    EXPECT_EQ(FaultOf(model + " 0\n 0\n 0\n 1\n" + big + "\n 0\n").line(), 16);
    EXPECT_EQ(FaultOf("T\n50 0 1\n2 1 \n" + big + "\n").line(), 4);
    EXPECT_EQ(FaultOf("T\n50 0 1\n2 1 \n1\n1 0 " + big + "\n").line(), 5);
}

TEST(InputReading, FileCutInTheMiddleOfABlock) {
    // The second property line of the layer is missing.
    InputError e = FaultOf("T\n50 0 1\n1 1 \n1\n1 1 0.0  1.00000000000000E+0003\n"
                           "0.07 10 0.0  0.01 0 0.0  0.0  5 90\n");
    EXPECT_TRUE(e.endOfFile());
    EXPECT_STREQ(e.what(), "The file ends after line 6; expected a number (unit weight GAM1 of "
                           "property line 2 (bottom of layer 1)).");
}

TEST(InputReading, FileCutBeforeTheLoadingRecords) {
    InputError e = FaultOf("T\n50 0 1\n1 1 \n" + kLayerBlock + kStiffnessAndPile);
    EXPECT_TRUE(e.endOfFile());
    EXPECT_EQ(e.expected(), "an integer (number of tip movements)");
}

TEST(InputReading, LettersWhereANumberIsExpected) {
    InputError e = FaultOf("T\n50 0 1\n1 1 \n1\n1 clay 0.0  1000\n");
    EXPECT_EQ(e.line(), 5);
    EXPECT_STREQ(e.what(), "Line 5: expected an integer (soil-type code of layer 1), found "
                           "\"clay\".");
}

TEST(InputReading, DecimalLayerCountIsRefused) {
    InputError e =
        FaultOf("T\n50 0 1\n1 1 \n1.5\n" + kLayerBlock.substr(2) + kStiffnessAndPile + kNoLoading);
    EXPECT_EQ(e.line(), 4);
    EXPECT_EQ(e.expected(), "an integer (number of soil layers)");
}

} // namespace
} // namespace dorvek
