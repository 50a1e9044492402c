// Unit systems of tables: conversion of float cells, nested tables, and unit labels.
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dorvek;

namespace {

constexpr long double kInchesPerMetre = 39.37007874L;
constexpr long double kPoundsPerKilonewton = 224.8089237L;

struct UnitTable {
    UnitTable() {
        table.AddColumn<TFloatColumn>().SetUnitsString("L");
        table.AddColumn<TFloatColumn>().SetUnitsString("F/L^2");
        table.AddColumn<TFloatColumn>(); // dimensionless
        table.AddColumn<TIntColumn>();
        table.AddColumn<TStringColumn>();
        table.SetRowCount(2);
        table.SetFloatValue(0, 0, 480);
        table.SetFloatValue(0, 1, 12);
        table.SetFloatValue(1, 0, 10);
        table.SetFloatValue(1, 1, 0.5L);
        table.SetFloatValue(2, 0, 0.9L);
        table.SetIntValue(3, 0, 25);
        table.SetStringValue(4, 0, "480");
    }
    TTableFamilies families;
    TGridTable table{families};
};

} // namespace

TEST(TableUnits, EnglishToSIConvertsByTheColumnsCode) {
    UnitTable t;
    t.table.SetUnits(2);
    EXPECT_EQ(t.table.Units(), 2);
    // 480 in = 480 / 39.37007874 m = 12.192 m.
    EXPECT_NEAR(static_cast<double>(t.table.GetFloatValue(0, 0)), 12.192, 1e-9);
    // 10 lbs/in^2 = 10 x 39.37007874^2 / 224.8089237 kN/m^2 = 68.94757... kN/m^2.
    long double psi = kInchesPerMetre * kInchesPerMetre / kPoundsPerKilonewton;
    EXPECT_NEAR(static_cast<double>(t.table.GetFloatValue(1, 0)), static_cast<double>(10 * psi),
                1e-9);
    EXPECT_NEAR(static_cast<double>(t.table.GetFloatValue(1, 0)), 68.947573, 1e-5);
    EXPECT_EQ(t.table.GetFloatValue(2, 0), 0.9L);
    EXPECT_EQ(t.table.GetIntValue(3, 0), 25);
    EXPECT_EQ(t.table.GetStringValue(4, 0), "480");
}

TEST(TableUnits, EnglishToSIAndBackRestoresTheValues) {
    UnitTable t;
    t.table.SetUnits(2);
    t.table.SetUnits(1);
    const long double expected[2][3] = {{480, 10, 0.9L}, {12, 0.5L, 0}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(static_cast<double>(t.table.GetFloatValue(c, r)),
                        static_cast<double>(expected[r][c]),
                        1e-12 * std::fabs(static_cast<double>(expected[r][c])));
}

TEST(TableUnits, TheSameSystemChangesNothing) {
    UnitTable t;
    int events = 0;
    t.table.Events.OnCellChange = [&](TGridTable&, int, int) { ++events; };
    t.table.Events.OnMajorChange = [&](TGridTable&) { ++events; };
    t.table.SetUnits(1);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(t.table.GetFloatValue(0, 0), 480.0L);
}

TEST(TableUnits, ConvertedCellsReportTheirChange) {
    UnitTable t;
    std::vector<std::pair<int, int>> changes;
    t.table.Events.OnCellChange = [&](TGridTable&, int c, int r) { changes.emplace_back(c, r); };
    t.table.SetUnits(2);
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
}

TEST(TableUnits, NestedTablesFollowTheirOwnerAndNewRowsInheritIt) {
    TInputTables tables;
    TGridTableChart& d2 = tables.D2();
    TGridTable* layer = d2.GetDataValue(2, 0);
    layer->SetFloatValue(5, 0, 1);    // z-peak, L
    layer->SetFloatValue(6, 0, 0.9L); // dimensionless
    d2.SetFloatValue(1, 0, 480);
    tables.SetUnits(2);
    EXPECT_EQ(layer->Units(), 2);
    EXPECT_NEAR(static_cast<double>(layer->GetFloatValue(5, 0)), 0.0254, 1e-12);
    EXPECT_EQ(layer->GetFloatValue(6, 0), 0.9L);
    EXPECT_NEAR(static_cast<double>(d2.GetFloatValue(1, 0)), 12.192, 1e-9);
    d2.AddRowGroup();
    EXPECT_EQ(d2.GetDataValue(2, 1)->Units(), 2);
}

TEST(TableUnits, LastHeadingLineCarriesTheUnitLabel) {
    TTableFamilies families;
    TGridTable table{families};
    auto& strength = table.AddColumn<TFloatColumn>();
    strength.SetHeading({"Undrained Shear", "Strength,"});
    strength.SetUnitsString("F/L^2");
    auto& plain = table.AddColumn<TFloatColumn>();
    plain.SetHeading({"e50"});
    EXPECT_EQ(strength.GetDisplayHeadingCount(), 2);
    EXPECT_EQ(strength.GetDisplayHeadings(0), "Undrained Shear");
    EXPECT_EQ(strength.GetDisplayHeadings(1), "Strength, (lbs/in^2)  ");
    EXPECT_EQ(plain.GetDisplayHeadings(0), "e50");
    EXPECT_EQ(strength.GetDisplayHeadings(2), "");
    table.SetUnits(2);
    EXPECT_EQ(strength.GetDisplayHeadings(1), "Strength, (kN/m^2)  ");
    table.SetUnits(3);
    EXPECT_EQ(strength.GetDisplayHeadings(1), "Strength, (F/L^2)  ");
}

TEST(TableUnits, ChartFamilyUsesItsReducedCodes) {
    TTableFamilies families;
    TGridTableChart table{families};
    auto& load = table.AddColumn<TFloatColumn>();
    load.SetHeading({"Load,"});
    load.SetUnitsString("F1");
    auto& depth = table.AddColumn<TFloatColumn>();
    depth.SetHeading({"Depth,"});
    depth.SetUnitsString("L2");
    table.SetRowCount(1);
    table.SetFloatValue(0, 0, 1);
    table.SetFloatValue(1, 0, 1);
    EXPECT_EQ(load.GetDisplayHeadings(0), "Load, (kips)  ");
    EXPECT_EQ(depth.GetDisplayHeadings(0), "Depth, (ft)  ");
    table.SetUnits(2);
    EXPECT_EQ(load.GetDisplayHeadings(0), "Load, (kN)  ");
    EXPECT_EQ(depth.GetDisplayHeadings(0), "Depth, (m)  ");
    // 1 kip = 1 / 0.2248089237 kN; 1 ft = 1 / 3.280839895 m.
    EXPECT_NEAR(static_cast<double>(table.GetFloatValue(0, 0)), 1 / 0.2248089237, 1e-9);
    EXPECT_NEAR(static_cast<double>(table.GetFloatValue(1, 0)), 0.3048, 1e-9);
}
