// Undo steps of the table editors: the values before and after an edit (a typed cell, a failed
// edit, a deleted layer with its kind and data, moved rows and row groups, a user curve's
// points), brought back exactly and only where they differ. The editors' own tests undo every
// kind of edit through the keys.
#include "model/tables/TableSnapshot.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

using Rows = std::vector<std::vector<long double>>;

Rows Values(const TGridTable& table) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        std::vector<long double> row;
        for (int c = 0; c < table.ColCount(); ++c) row.push_back(table.GetFloatValue(c, r));
        rows.push_back(row);
    }
    return rows;
}

// The AE table (depth, AE) filled with the given rows.
void Fill(TGridTable& table, const Rows& rows) {
    table.SetRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            table.SetFloatValue(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    table.ResetChanged();
}

// Layer r of the soil-layer table: its kind, bottom and first value of its nested data.
struct Layer {
    int Kind;
    long double Bottom;
    long double FirstValue;
    bool operator==(const Layer&) const = default;
};

std::vector<Layer> Layers(const TGridTable& d2) {
    std::vector<Layer> layers;
    for (int r = 0; r < d2.RowCount(); ++r)
        layers.push_back({d2.GetIntValue(0, r), d2.GetFloatValue(1, r),
                          d2.GetDataValue(2, r)->GetFloatValue(0, 0)});
    return layers;
}

void SetLayer(TGridTable& d2, int row, int kind, long double bottom, long double unitWeight) {
    d2.SetIntValue(0, row, kind);
    d2.SetFloatValue(1, row, bottom);
    d2.GetDataValue(2, row)->SetFloatValue(0, 0, unitWeight);
}

} // namespace

TEST(TableSnapshot, ATypedCellComesBackAndGoesAgain) {
    TInputTables tables;
    TGridTable& ae = tables.TblAE2();
    Fill(ae, {{0, 7.972e8L}, {600, 7.972e8L}});
    const TTableEdit edit = RecordTableEdit(ae, [&] { ae.SetStringValue(0, 1, "60*12"); });
    EXPECT_TRUE(edit.Changed());
    EXPECT_EQ(ae.GetFloatValue(0, 1), 720);
    ae.SetStringValue(0, 1, "700");

    ASSERT_TRUE(edit.Before.Restore(ae));
    EXPECT_EQ(Values(ae), (Rows{{0, 7.972e8L}, {600, 7.972e8L}}));
    EXPECT_TRUE(ae.Changed());
    edit.After.Restore(ae);
    EXPECT_EQ(ae.GetFloatValue(0, 1), 720);
}

TEST(TableSnapshot, AnEditThatChangesNothingIsNoEditAndMarksNothing) {
    TInputTables tables;
    TGridTable& loads = tables.TblTopload();
    Fill(loads, {{50000}});
    const TTableEdit edit = RecordTableEdit(loads, [&] { loads.SetFloatValue(0, 0, 50000); });
    EXPECT_FALSE(edit.Changed());
    EXPECT_FALSE(edit.Before.Restore(loads));
    EXPECT_FALSE(loads.Changed());
}

TEST(TableSnapshot, AFailedEditLeavesTheTableAsItWas) {
    TInputTables tables;
    TGridTable& loads = tables.TblTopload();
    Fill(loads, {{50000}});
    EXPECT_THROW(RecordTableEdit(loads,
                                 [&] {
                                     loads.AddRowGroup();
                                     loads.SetFloatValue(0, 1, 100000);
                                     loads.SetStringValue(0, 0, "abc");
                                 }),
                 AssignmentError);
    EXPECT_EQ(Values(loads), (Rows{{50000}}));
}

TEST(TableSnapshot, ADeletedLayerComesBackWithItsKindAndItsData) {
    TInputTables tables;
    TGridTable& d2 = tables.D2();
    d2.SetRowCount(3);
    SetLayer(d2, 0, 1, 240, 0.0318L); // clay
    SetLayer(d2, 1, 2, 480, 0.0365L); // sand
    SetLayer(d2, 2, 6, 840, 0.04L);   // API sand
    const std::vector<Layer> before = Layers(d2);

    const TTableEdit edit = RecordTableEdit(d2, [&] { d2.DeleteRowGroup(1); });
    EXPECT_EQ(Layers(d2), (std::vector<Layer>{{1, 240, 0.0318L}, {6, 840, 0.04L}}));
    edit.Before.Restore(d2);
    EXPECT_EQ(Layers(d2), before);
    EXPECT_EQ(d2.GetDataValue(2, 1)->Caption(), "Sand Layer Data");
    EXPECT_EQ(d2.GetDataValue(2, 1)->ID(), 2);
    edit.After.Restore(d2);
    EXPECT_EQ(Layers(d2), (std::vector<Layer>{{1, 240, 0.0318L}, {6, 840, 0.04L}}));
}

TEST(TableSnapshot, RowsMoveUpAndDownWithTheirNestedData) {
    TInputTables tables;
    TGridTable& d2 = tables.D2();
    d2.SetRowCount(3);
    SetLayer(d2, 0, 1, 240, 1);
    SetLayer(d2, 1, 2, 480, 2);
    SetLayer(d2, 2, 5, 840, 3);

    EXPECT_EQ(MoveRowGroup(d2, 2, -1), 1);
    EXPECT_EQ(Layers(d2), (std::vector<Layer>{{1, 240, 1}, {5, 840, 3}, {2, 480, 2}}));
    EXPECT_EQ(MoveRowGroup(d2, 0, +1), 1);
    EXPECT_EQ(Layers(d2), (std::vector<Layer>{{5, 840, 3}, {1, 240, 1}, {2, 480, 2}}));
    // Past either end nothing moves.
    EXPECT_EQ(MoveRowGroup(d2, 0, -1), -1);
    EXPECT_EQ(MoveRowGroup(d2, 2, +1), -1);
    EXPECT_EQ(MoveRowGroup(d2, 7, -1), -1);
    EXPECT_EQ(Layers(d2), (std::vector<Layer>{{5, 840, 3}, {1, 240, 1}, {2, 480, 2}}));
}

TEST(TableSnapshot, RowGroupsMoveAsWholeGroups) {
    TTableFamilies families;
    TGridTable table(families);
    table.SetRowGroup(2);
    table.AddColumn<TFloatColumn>();
    table.SetRowCount(6);
    for (int r = 0; r < 6; ++r) table.SetFloatValue(0, r, r);
    EXPECT_EQ(MoveRowGroup(table, 3, -1), 1);
    EXPECT_EQ(Values(table), (Rows{{2}, {3}, {0}, {1}, {4}, {5}}));
}

TEST(TableSnapshot, AUserCurvesPointsComeBackWithItsRowCount) {
    TInputTables tables;
    TGridTable& depths = tables.TblTZDepth2();
    TGridTable* curve = depths.GetDataValue(1, 0);
    ASSERT_NE(curve, nullptr);
    const TTableEdit edit = RecordTableEdit(depths, [&] {
        depths.SetFloatValue(0, 0, 120);
        curve->SetRowCount(4);
        curve->SetFloatValue(1, 3, 0.5L);
    });
    edit.Before.Restore(depths);
    EXPECT_EQ(depths.GetFloatValue(0, 0), 0);
    EXPECT_EQ(depths.GetDataValue(1, 0)->RowCount(), 2);
    edit.After.Restore(depths);
    EXPECT_EQ(depths.GetDataValue(1, 0)->RowCount(), 4);
    EXPECT_EQ(depths.GetDataValue(1, 0)->GetFloatValue(1, 3), 0.5L);
}
