// The catalogue of input tables, table by table: identifiers, captions, row limits,
// columns with headings, units, defaults and visibility, comments, chart settings,
// templates, and the rows of a new project.
#include "model/tables/InputTables.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

struct ColumnExpect {
    int kind;
    std::vector<std::string> heading;
    std::string units;
    long double defaultValue;
};

struct TableExpect {
    std::string component;
    bool chart;
    int identifier;
    std::string caption;
    int minRows, maxRows;
    std::vector<ColumnExpect> columns;
};

void Check(const TInputTables& tables, const TableExpect& e) {
    SCOPED_TRACE(e.component);
    TGridTable* table = tables.Find(e.component);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(dynamic_cast<TGridTableChart*>(table) != nullptr, e.chart);
    const TTableFamilies& families = tables.Families();
    EXPECT_EQ(&table->Family(), e.chart ? &families.Chart() : &families.Grid());
    EXPECT_EQ(table->Identifier(), e.identifier);
    EXPECT_EQ(table->Caption(), e.caption);
    EXPECT_EQ(table->MinRows(), e.minRows);
    EXPECT_EQ(table->MaxRows(), e.maxRows);
    EXPECT_EQ(table->RowGroup(), 1);
    ASSERT_EQ(table->ColCount(), static_cast<int>(e.columns.size()));
    for (int c = 0; c < table->ColCount(); ++c) {
        const ColumnExpect& col = e.columns[static_cast<size_t>(c)];
        const TColumn& column = table->GetColumn(c);
        SCOPED_TRACE(c);
        EXPECT_EQ(table->Family().Kinds.GetIndex(column.ClassType()), col.kind);
        EXPECT_EQ(column.GetHeading(), col.heading);
        if (auto* floats = dynamic_cast<const TFloatColumn*>(&column)) {
            EXPECT_EQ(floats->UnitsString(), col.units);
            EXPECT_EQ(floats->Default(), col.defaultValue);
            EXPECT_FALSE(floats->TopDepth());
        }
    }
}

const std::string kLayerComment = "Enter data for the top and the bottom of each layer. \r"
                                  "Linear interpretation will be used for any depth between the "
                                  "top and the bottom.";

// S = shown, H = hidden, columns 0 to 9.
std::string Visibility(const TGridTable& table) {
    std::string marks;
    for (int c = 0; c < table.ColCount(); ++c) marks += table.GetColumn(c).Visible() ? 'S' : 'H';
    return marks;
}

std::vector<ColumnExpect> LayerColumns(std::vector<std::string> column4, std::string zpeak,
                                       std::string column6, long double residual) {
    return {{2, {"Effective Unit ", "Weight,"}, "F/L^3", 0},
            {2, {"Undrained Shear", "Strength,"}, "F/L^2", 0},
            {2, {"e50"}, "", 0},
            {2, {"Friction ", "Angle (Deg.)"}, "", 0},
            {2, column4, "", 0},
            {2, {zpeak}, "L", 0},
            {2, {column6}, "", residual},
            {2, {"Ultimate Unit", "Side Friction,"}, "F/L^2", 0},
            {2, {"Ultimate Unit", "Tip Resistance,"}, "F/L^2", 0},
            {2, {"Dummy"}, "", 0}};
}

} // namespace

TEST(InputTables, SoilLayers) {
    TInputTables tables;
    Check(tables, {"D2",
                   true,
                   0,
                   "Soil Layers",
                   1,
                   30,
                   {{0, {"Soil Type" + std::string(30, ' ')}, "", 0},
                    {2, {"Bottom of Layer"}, "L", 0},
                    {3, {"Layer Data"}, "", 0}}});
    TGridTableChart& d2 = tables.D2();
    EXPECT_EQ(static_cast<TEnumColumn&>(d2.GetColumn(0)).Names(),
              (std::vector<std::string>{"Driven Pile in Clay (Coyle & Reese)",
                                        "Driven Pile in Sand (Mosher)",
                                        "Drilled Shaft in Clay (Reese & O'Neill)",
                                        "Drilled Shaft in Sand (Reese & O'Neill)",
                                        "Driven Pile in Clay (API)", "Driven Pile in Sand (API)"}));
    const TGridTableList& templates = static_cast<TTableColumn&>(d2.GetColumn(2)).Templates();
    ASSERT_EQ(templates.Count(), 6);
    const TGridTable* expected[] = {&tables.tblDataClay2(),   &tables.tblDataSand2(),
                                    &tables.tblDataClay2(),   &tables.tblDataSand2(),
                                    &tables.tblDataClayAPI(), &tables.tblDataSandAPI()};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(templates.Elements(k), expected[k]) << k;
    EXPECT_EQ(d2.GetColumn(1).GetDisplayHeadings(0), "Bottom of Layer (in)  ");
    EXPECT_FALSE(d2.Chart.VisibleChart);
    EXPECT_FALSE(d2.GetDataFromFile);
    EXPECT_EQ(d2.Comments(), "");
}

TEST(InputTables, LayerPropertyTemplates) {
    TInputTables tables;
    struct Template {
        TGridTableChart* table;
        std::string component;
        int identifier;
        std::string caption;
        std::vector<ColumnExpect> columns;
        std::string visibility;
        std::string comments;
    };
    const std::string zpeak = "\r(*) Enter zero to use Default (Z peak = 0.01 D)";
    const std::string tres = "\r(**) Enter zero to use Default (tres/tmax = 0.9)";
    const Template templates[] = {
        {&tables.tblDataClay2(), "tblDataClay2", 1, "Clay Layer Data",
         LayerColumns({"Friction ", "Angle (Deg.)"}, "Z peak", "t res", 0.9L), "SSSHHHHSSH",
         kLayerComment},
        {&tables.tblDataSand2(), "tblDataSand2", 2, "Sand Layer Data",
         LayerColumns({"Blow Counts ", "(optional)"}, "Z peak", "t residual", 0.9L), "SHHSSHHSSH",
         kLayerComment},
        {&tables.tblDataClayAPI(), "tblDataClayAPI", 9, "Clay Layer Data",
         LayerColumns({"Blow Counts ", "(optional)"}, "Z peak (*)", "tres/tmax (**)", 0),
         "SSSHHSSSSH", kLayerComment + zpeak + tres},
        {&tables.tblDataSandAPI(), "tblDataSandAPI", 10, "Sand Layer Data",
         LayerColumns({"Blow Counts ", "(optional)"}, "Z peak (*)", "t residual", 0.9L),
         "SHHSSSHSSH", kLayerComment + zpeak},
    };
    for (const auto& t : templates) {
        Check(tables, {t.component, true, t.identifier, t.caption, 2, 2, t.columns});
        SCOPED_TRACE(t.component);
        EXPECT_EQ(Visibility(*t.table), t.visibility);
        EXPECT_EQ(t.table->Comments(), t.comments);
        EXPECT_EQ(t.table->TopLeft(), "Location, 1=Top, 2=Bottom");
        EXPECT_FALSE(t.table->Chart.VisibleChart);
        EXPECT_EQ(t.table->HeadingRows(), 2);
    }
    // Headings as shown in English units.
    const TGridTable& clay = tables.tblDataClay2();
    EXPECT_EQ(clay.GetColumn(0).GetDisplayHeadings(1), "Weight, (lbs/in^3)  ");
    EXPECT_EQ(clay.GetColumn(1).GetDisplayHeadings(0), "Undrained Shear");
    EXPECT_EQ(clay.GetColumn(1).GetDisplayHeadings(1), "Strength, (lbs/in^2)  ");
    EXPECT_EQ(clay.GetColumn(5).GetDisplayHeadings(0), "Z peak (in)  ");
}

TEST(InputTables, UserCurveTables) {
    TInputTables tables;
    Check(tables, {"TblTZDepth2",
                   true,
                   3,
                   "Depths for User-Defined t-z Curves",
                   2,
                   100,
                   {{2, {"Depth below ground surface, "}, "L", 0},
                    {3, {"t-z Data  (click each button for data entry)  "}, "", 0}}});
    const TGridTableList& curves =
        static_cast<TTableColumn&>(tables.TblTZDepth2().GetColumn(1)).Templates();
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_EQ(curves.Elements(0), &tables.TblTZCurves2());
    EXPECT_FALSE(tables.TblTZDepth2().Chart.VisibleChart);

    Check(tables, {"TblTZCurves2",
                   true,
                   4,
                   "t-z curve",
                   2,
                   100,
                   {{2, {"Load Transfer (t),"}, "F/L^2", 0}, {2, {"Pile Movement (z),"}, "L", 0}}});
    Check(tables, {"TblQwcurve2",
                   true,
                   5,
                   "Tip Load vs. Tip Movement",
                   2,
                   50,
                   {{2, {"Total Tip Load (Q),"}, "F", 0}, {2, {"Tip Movement (w),"}, "L", 0}}});
    Check(tables, {"TblSettlement2",
                   true,
                   6,
                   "Soil Settlement Profile",
                   2,
                   100,
                   {{2, {"Depth,"}, "L", 0}, {2, {"Settlement,"}, "L", 0}}});
    Check(tables, {"TblTZFactors2",
                   true,
                   7,
                   "Modification Factors on t-z Curves",
                   2,
                   50,
                   {{2, {"Depth"}, "L", 0},
                    {2, {"t-Multiplier"}, "", 1.0L},
                    {2, {"z-Multiplier"}, "", 1.0L}}});
    Check(tables,
          {"TblAE2",
           true,
           8,
           "Axial Stiffness (AE) of Pile Sections",
           2,
           50,
           {{2, {"Depth (from pile top)"}, "L", 0}, {2, {"Axial Stiffness  AE,"}, "F", 0}}});
    // Chart of column 1 across, column 0 up; the depth tables run downwards.
    struct ChartExpect {
        TGridTableChart* table;
        bool invertedY;
    };
    const ChartExpect charts[] = {{&tables.TblTZCurves2(), false},
                                  {&tables.TblQwcurve2(), false},
                                  {&tables.TblSettlement2(), true},
                                  {&tables.TblTZFactors2(), true},
                                  {&tables.TblAE2(), true}};
    for (const auto& c : charts) {
        SCOPED_TRACE(c.table->Caption());
        EXPECT_EQ(c.table->Chart, (TChartSettings{true, false, 1, 0, 0, 0}));
        EXPECT_TRUE(c.table->GetDataFromFile);
        EXPECT_FALSE(c.table->OKCancelButtons);
        EXPECT_FALSE(c.table->InvertedXAxis);
        EXPECT_EQ(c.table->InvertedYAxis, c.invertedY);
        EXPECT_EQ(c.table->Comments(), "");
    }
    EXPECT_EQ(tables.TblTZCurves2().GetColumn(0).GetDisplayHeadings(0),
              "Load Transfer (t), (lbs/in^2)  ");
    EXPECT_EQ(tables.TblAE2().GetColumn(1).GetDisplayHeadings(0), "Axial Stiffness  AE, (lbs)  ");
}

TEST(InputTables, LoadingTables) {
    TInputTables tables;
    Check(tables,
          {"TblTipMove", false, 179, "Tip Movements", 2, 100, {{2, {"Tip Movement, "}, "L", 0}}});
    Check(tables, {"TblTopload",
                   false,
                   10,
                   "Pile-Head Loads",
                   1,
                   50,
                   {{2, {"Axial Load at Pile Head"}, "F", 0}}});
    EXPECT_EQ(tables.TblTipMove().Comments(),
              "Values should be entered in increasing\rorder of magnitude\r");
    EXPECT_EQ(tables.TblTopload().Comments(), "Enter a positive number for Compression Load \r"
                                              "Enter a negative number for Uplift Load \r");
    EXPECT_EQ(tables.TblTopload().GetColumn(0).GetDisplayHeadings(0),
              "Axial Load at Pile Head (lbs)  ");
    EXPECT_EQ(tables.Find("NoSuchTable"), nullptr);
}

TEST(InputTables, NewProjectRows) {
    TInputTables tables;
    EXPECT_EQ(tables.D2().RowCount(), 1);
    EXPECT_EQ(tables.D2().GetIntValue(0, 0), 1);
    EXPECT_EQ(tables.D2().GetFloatValue(1, 0), 0.0L);
    TGridTable* layer = tables.D2().GetDataValue(2, 0);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->Caption(), "Clay Layer Data");
    EXPECT_EQ(layer->ID(), 1);
    EXPECT_EQ(layer->RowCount(), 2);
    EXPECT_EQ(layer->GetFloatValue(6, 1), 0.9L);
    for (auto* table : {static_cast<TGridTable*>(&tables.TblTZDepth2()),
                        static_cast<TGridTable*>(&tables.TblQwcurve2()),
                        static_cast<TGridTable*>(&tables.TblAE2()),
                        static_cast<TGridTable*>(&tables.TblSettlement2()),
                        static_cast<TGridTable*>(&tables.TblTZFactors2()), &tables.TblTipMove()})
        EXPECT_EQ(table->RowCount(), 2) << table->Caption();
    EXPECT_EQ(tables.TblTopload().RowCount(), 1);
    EXPECT_EQ(tables.TblTZFactors2().GetFloatValue(2, 1), 1.0L);
    EXPECT_EQ(tables.TblTZDepth2().GetDataValue(1, 1)->Caption(), "t-z curve");
    EXPECT_FALSE(tables.Changed());
}

TEST(InputTables, ResetRowsAndChangedFlags) {
    TInputTables tables;
    tables.D2().SetRowCount(4);
    tables.D2().GetDataValue(2, 3)->SetFloatValue(0, 0, 5);
    tables.D2().GetDataValue(2, 3)->SetChanged(true);
    EXPECT_TRUE(tables.Changed());
    tables.ResetChanged();
    EXPECT_FALSE(tables.Changed());
    tables.ResetRows();
    EXPECT_EQ(tables.D2().RowCount(), 1);
    EXPECT_EQ(tables.D2().GetDataValue(2, 0)->GetFloatValue(0, 0), 0.0L);
}

TEST(InputTables, OnlyOneSetHoldsTheIdentifiers) {
    auto first = std::make_unique<TInputTables>();
    first.reset();
    TInputTables second;
    EXPECT_EQ(second.D2().Identifier(), 0);
    EXPECT_EQ(second.tblDataSandAPI().Identifier(), 10);
    EXPECT_EQ(second.TblTipMove().Identifier(), 179);
    EXPECT_EQ(static_cast<TTableColumn&>(second.D2().GetColumn(2)).Templates().Elements(5),
              &second.tblDataSandAPI());
}
