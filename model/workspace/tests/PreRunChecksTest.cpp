// The checks before a run: layers that end above the tip, strengths that are zero throughout a
// layer, values beyond single precision, loading that is all zero.

#include "model/workspace/PreRunChecks.h"

#include "model/project/DataUnit.h"
#include "model/tables/NumberFormat.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

// As the program shows them: eight significant digits, like the fields and tables.
std::string Shortest(long double v) {
    return FormatGeneral(v, 8, '.');
}

// Columns of a layer's property table.
constexpr int Strength = 1, E50 = 2, Side = 7, Tip = 8;

class PreRunChecks : public ::testing::Test {
protected:
    void Open(const std::string& example) {
        data.CreateFromFile(std::string(DORVEK_SOURCE_DIR) + "/examples/" + example, 1, owner);
    }
    std::vector<std::string> Warnings() const { return PreRunWarnings(data, tables, Shortest); }
    // Sets a property of layer k (0-based) at its top and its bottom.
    void SetLayer(int k, int column, long double top, long double bottom) {
        TGridTable* p = tables.D2().GetDataValue(2, k);
        ASSERT_NE(p, nullptr);
        p->SetFloatValue(column, 0, top);
        p->SetFloatValue(column, 1, bottom);
    }

    TProjectTables owner;
    TInputTables& tables = owner.Tables();
    TProgramData data;
};

} // namespace

TEST_F(PreRunChecks, TheExamplesPass) {
    for (const char* example :
         {"driven-pile-clay-over-sand.dv4d", "english-six-soil-types.dv4d",
          "si-api-clay-over-sand-downdrag.dv4d", "user-curves-downdrag-multipliers.dv4d"}) {
        Open(example);
        EXPECT_EQ(Warnings(), std::vector<std::string>{}) << example;
    }
}

TEST_F(PreRunChecks, LayersEndingAboveTheTip) {
    Open("driven-pile-clay-over-sand.dv4d"); // clay to 360 in, sand to 960 in
    tables.D2().SetFloatValue(1, 1, 480);
    data.PLength = 612;
    EXPECT_EQ(CheckLayersReachTip(data, tables, Shortest),
              "The soil layers end at 480 in, above the pile tip: the analysis will stop "
              "there.\nExtend the last soil layer below the pile tip (612 in).");
    EXPECT_EQ(Warnings().size(), 1u);
    // The tip is the head coordinate plus the length.
    data.PLength = 470;
    EXPECT_FALSE(CheckLayersReachTip(data, tables, Shortest));
    data.HeadCoord = 12.5;
    EXPECT_NE(CheckLayersReachTip(data, tables, Shortest)->find("(482.5 in)"), std::string::npos);
    data.HeadCoord = 10; // the tip on the last bottom is inside the layers
    EXPECT_FALSE(CheckLayersReachTip(data, tables, Shortest));
    // With both curve kinds entered by the user no layers are used.
    data.PLength = 612;
    data.UserTz = data.UserQw = true;
    EXPECT_FALSE(CheckLayersReachTip(data, tables, Shortest));
    data.UserQw = false;
    EXPECT_TRUE(CheckLayersReachTip(data, tables, Shortest));
    // S.I. lengths in metres.
    data.UserTz = false;
    data.SetUnits(2, tables);
    EXPECT_NE(CheckLayersReachTip(data, tables, Shortest)->find("end at 12.192 m"),
              std::string::npos)
        << *CheckLayersReachTip(data, tables, Shortest);
}

TEST_F(PreRunChecks, SideFrictionZeroThroughALayer) {
    Open("english-six-soil-types.dv4d"); // six layers of 120 in, tip at 660 in
    SetLayer(1, Side, 0, 0);
    SetLayer(5, Side, 0, 0);
    EXPECT_EQ(CheckZeroStrengths(data, tables, Shortest),
              "Values are 0 at the top and the bottom of a layer:\n"
              "Layer 2 (Driven Pile in Sand (Mosher)): the unit side friction is 0, so this "
              "layer carries no load on the shaft.\n"
              "Layer 6 (Driven Pile in Sand (API)): the unit side friction is 0, so this layer "
              "carries no load on the shaft.\n"
              "Enter them in the layer's data (Data > Soil Layers).");
    // Zero at one end only is a layer that gains friction with depth.
    SetLayer(1, Side, 0, 3.5);
    SetLayer(5, Side, 7.5, 0);
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest));
    // A layer below the tip carries nothing anyway; user t-z curves need no side friction.
    SetLayer(5, Side, 0, 0);
    data.PLength = 590;
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest));
    data.PLength = 660;
    data.UserTz = true;
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest));
}

TEST_F(PreRunChecks, StrengthsTheTipCurveNeeds) {
    Open("english-six-soil-types.dv4d");
    // The tip in layer 1, a driven pile in clay without e50.
    data.PLength = 100;
    SetLayer(0, E50, 0, 0);
    EXPECT_EQ(CheckZeroStrengths(data, tables, Shortest),
              "Values are 0 at the top and the bottom of a layer:\n"
              "Layer 1 (Driven Pile in Clay (Coyle & Reese)) holds the pile tip, but its e50 is "
              "0: no Q-w curve can be built there.\n"
              "Enter them in the layer's data (Data > Soil Layers).");
    // On the boundary at 120 in the tip belongs to the layer below (sand: no e50 needed).
    data.PLength = 120;
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest));
    // API clay at the tip with neither unit tip resistance nor shear strength.
    data.PLength = 550;
    SetLayer(4, Tip, 0, 0);
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest)); // the strength gives 9 c
    SetLayer(4, Strength, 0, 0);
    EXPECT_NE(CheckZeroStrengths(data, tables, Shortest)
                  ->find("Layer 5 (Driven Pile in Clay (API)) holds the pile tip, but its unit "
                         "tip resistance and undrained shear strength are 0: the tip carries no "
                         "load."),
              std::string::npos);
    // A user Q-w curve needs neither.
    data.UserQw = true;
    EXPECT_FALSE(CheckZeroStrengths(data, tables, Shortest));
}

TEST_F(PreRunChecks, ValuesBeyondSinglePrecision) {
    Open("driven-pile-clay-over-sand.dv4d"); // loads at the pile head
    tables.TblTopload().SetFloatValue(0, 2, 1E+400L);
    EXPECT_EQ(CheckSinglePrecision(data, tables, Shortest),
              "These values lie beyond the single precision the analysis computes in (sizes "
              "from about 1.2E-38 to 3.4E+38):\n"
              "  Pile-Head Loads, row 3, Axial Load at Pile Head: 1E400\n"
              "Enter values within that range.");
    // 3.4E+38 still fits; a value so small it would become 0 does not.
    tables.TblTopload().SetFloatValue(0, 2, 3.4E+38L);
    data.Tolerance = 1E-39L;
    EXPECT_EQ(CheckSinglePrecision(data, tables, Shortest),
              "These values lie beyond the single precision the analysis computes in (sizes "
              "from about 1.2E-38 to 3.4E+38):\n"
              "  Pile Properties, Tolerance: 1E-39\n"
              "Enter values within that range.");
    data.Tolerance = 1E-5L;
    // The layer data are named through their layer; tables not in use are not looked at.
    tables.D2().GetDataValue(2, 1)->SetFloatValue(7, 0, -5E+39L);
    tables.TblTipMove().SetFloatValue(0, 0, 1E+300L);
    EXPECT_EQ(CheckSinglePrecision(data, tables, Shortest),
              "These values lie beyond the single precision the analysis computes in (sizes "
              "from about 1.2E-38 to 3.4E+38):\n"
              "  Soil Layers, row 2: Sand Layer Data, row 1, Ultimate Unit Side Friction: "
              "-5E39\n"
              "Enter values within that range.");
    // Many values: five are listed (the layer's and four loads).
    tables.TblTopload().SetRowCount(8);
    for (int r = 0; r < 8; ++r) tables.TblTopload().SetFloatValue(0, r, 1E+50L);
    const std::string many = *CheckSinglePrecision(data, tables, Shortest);
    EXPECT_NE(many.find("row 4, Axial Load at Pile Head: 1E50\n  and 4 more\n"), std::string::npos)
        << many;
}

TEST_F(PreRunChecks, LoadingThatIsAllZero) {
    Open("user-curves-downdrag-multipliers.dv4d"); // user tip movements
    ASSERT_EQ(data.Nloadmethod, 1);
    for (int r = 0; r < tables.TblTipMove().RowCount(); ++r)
        tables.TblTipMove().SetFloatValue(0, r, 0);
    EXPECT_EQ(CheckLoadingNotZero(data, tables),
              "Every tip movement is 0: the analysis would find no settlement.\n"
              "Enter the tip movements (Data > Enter Tip Movements).");
    tables.TblTipMove().SetFloatValue(0, 1, 0.1L);
    EXPECT_FALSE(CheckLoadingNotZero(data, tables));

    Open("driven-pile-clay-over-sand.dv4d");
    for (int r = 0; r < tables.TblTopload().RowCount(); ++r)
        tables.TblTopload().SetFloatValue(0, r, 0);
    EXPECT_EQ(CheckLoadingNotZero(data, tables),
              "Every load at the pile head is 0: the applied loads would give no settlement.\n"
              "Enter the loads (Data > Enter Loads at Pile Head).");
    data.Nloadmethod = 0; // generated tip movements: nothing to check
    EXPECT_FALSE(CheckLoadingNotZero(data, tables));
}
