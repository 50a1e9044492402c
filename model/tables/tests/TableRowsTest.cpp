// Row counts, row groups, column operations, depth pairs and same-group columns.
#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

// A table of one integer column numbered 0, 1, 2, ... by row.
void Number(TGridTable& table) {
    for (int r = 0; r < table.RowCount(); ++r) table.SetIntValue(0, r, r);
}

std::vector<int> Ints(const TGridTable& table, int col) {
    std::vector<int> values;
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.GetIntValue(col, r));
    return values;
}

std::vector<long double> Floats(const TGridTable& table, int col) {
    std::vector<long double> values;
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.GetFloatValue(col, r));
    return values;
}

// Top and bottom of intervals with the bottoms 10, 20, 30, 40 and tops 0, 10, 20, 30.
void MakeDepthPairs(TGridTable& table) {
    auto& top = table.AddColumn<TFloatColumn>();
    top.SetTopDepth(true);
    table.AddColumn<TFloatColumn>();
    table.SetRowCount(4);
    for (int r = 0; r < 4; ++r) table.SetFloatValue(1, r, 10.0L * (r + 1));
}

} // namespace

TEST(TableRows, DefaultsOfANewTable) {
    TTableFamilies families;
    TGridTable table{families};
    EXPECT_EQ(table.MinRows(), 1);
    EXPECT_EQ(table.MaxRows(), 0);
    EXPECT_EQ(table.RowGroup(), 1);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.Units(), 1);
    EXPECT_EQ(table.ID(), 0);
    EXPECT_FALSE(table.Changed());
    EXPECT_FALSE(table.HardwiredButton());
    EXPECT_EQ(table.HeadingRows(), 0);
}

TEST(TableRows, MinRowsAndRowGroupLimits) {
    TTableFamilies families;
    TGridTable table{families};
    try {
        table.SetMinRows(0);
        FAIL();
    } catch (const TableError& e) {
        EXPECT_STREQ(e.what(), "Value must be greater than 0");
    }
    EXPECT_EQ(table.MinRows(), 1);
    table.BeginLoading();
    table.SetMinRows(-3);
    table.EndLoading();
    EXPECT_EQ(table.MinRows(), 1);
    table.SetRowGroup(0);
    EXPECT_EQ(table.RowGroup(), 1);
    table.SetRowGroup(3);
    EXPECT_EQ(table.RowGroup(), 3);
}

TEST(TableRows, RowCountShrinksFromTheEndAndGrowsInWholeGroups) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TIntColumn>();
    table.SetRowCount(5);
    Number(table);
    table.SetRowCount(3);
    EXPECT_EQ(Ints(table, 0), (std::vector<int>{0, 1, 2}));
    table.SetRowGroup(2);
    table.SetRowCount(4); // one group of two
    EXPECT_EQ(table.RowCount(), 5);
    EXPECT_EQ(table.GetColumn(0).Count(), 5);
    table.SetRowCount(-2);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.GetColumn(0).Count(), 0);
}

TEST(TableRows, GroupOperationsActOnWholeGroups) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TIntColumn>().SetDefault(-1);
    table.SetRowGroup(2);
    table.AddRowGroup();
    table.AddRowGroup();
    table.AddRowGroup();
    Number(table);
    table.InsertRowGroup(3); // before the group of rows 2 and 3
    EXPECT_EQ(Ints(table, 0), (std::vector<int>{0, 1, -1, -1, 2, 3, 4, 5}));
    table.DeleteRowGroup(5); // the group of rows 4 and 5
    EXPECT_EQ(Ints(table, 0), (std::vector<int>{0, 1, -1, -1, 4, 5}));
    table.InsertRowGroup(6); // at the end
    EXPECT_EQ(table.RowCount(), 8);
    EXPECT_THROW(table.InsertRowGroup(10), TableError);
    EXPECT_THROW(table.DeleteRowGroup(8), TableError);
    EXPECT_THROW(table.DeleteRowGroup(-1), TableError);
    // Nothing checks MinRows or MaxRows here.
    table.SetMaxRows(2);
    table.AddRowGroup();
    EXPECT_EQ(table.RowCount(), 10);
}

TEST(TableRows, StructuralChangesFireMajorChange) {
    TTableFamilies families;
    TGridTable table{families};
    int majors = 0;
    table.Events.OnMajorChange = [&](TGridTable& sender) {
        EXPECT_EQ(&sender, &table);
        ++majors;
    };
    table.AddColumn<TIntColumn>();                // 1
    table.AddRowGroup();                          // 2
    table.InsertRowGroup(0);                      // 3
    table.DeleteRowGroup(0);                      // 4
    table.SetRowCount(3);                         // 5
    table.SetRowCount(3);                         // unchanged: no event
    table.InsertColumn(0, &TStringColumn::Class); // 6
    table.ReplaceColumn(0, &TFloatColumn::Class); // 7
    table.DeleteColumn(0);                        // 8
    table.SetUnits(2);                            // 9
    table.SetUnits(2);                            // unchanged
    EXPECT_EQ(majors, 9);
}

TEST(TableRows, NewColumnsAreFilledToTheRowCount) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TIntColumn>();
    table.SetRowCount(3);
    auto& texts = static_cast<TStringColumn&>(table.InsertColumn(0, &TStringColumn::Class));
    EXPECT_EQ(texts.Count(), 3);
    EXPECT_EQ(table.IndexOf(texts), 0);
    EXPECT_THROW(table.InsertColumn(5, &TIntColumn::Class), TableError);
}

TEST(TableRows, ReplaceColumnKeepsHeadingVisibilityAndGroup) {
    TTableFamilies families;
    TGridTable table{families};
    auto& old = table.AddColumn<TIntColumn>();
    old.SetHeading({"Load", "lbs"});
    old.SetVisible(false);
    old.SetSameGroup(true);
    table.SetRowCount(2);
    TColumn& fresh = table.ReplaceColumn(0, &TFloatColumn::Class);
    EXPECT_EQ(&table.GetColumn(0), &fresh);
    EXPECT_EQ(fresh.GetHeading(), (std::vector<std::string>{"Load", "lbs"}));
    EXPECT_FALSE(fresh.Visible());
    EXPECT_TRUE(fresh.SameGroup());
    EXPECT_EQ(fresh.Count(), 2);
    EXPECT_EQ(table.GetFloatValue(0, 1), 0.0L);
}

TEST(TableRows, VisibleColumnsAndHeadingRows) {
    TTableFamilies families;
    TGridTable table{families};
    auto& a = table.AddColumn<TIntColumn>();
    auto& b = table.AddColumn<TIntColumn>();
    auto& c = table.AddColumn<TIntColumn>();
    a.SetHeading({"a", "a", "a"});
    b.SetHeading({"b"});
    c.SetHeading({"c", "c"});
    a.SetVisible(false);
    EXPECT_EQ(table.VisibleColumnCount(), 2);
    EXPECT_EQ(&table.VisibleColumn(1), &c);
    EXPECT_EQ(table.VisiblePosition(a), -1);
    EXPECT_EQ(table.VisiblePosition(c), 1);
    EXPECT_EQ(table.HeadingRows(), 2);
    try {
        table.VisibleColumn(2);
        FAIL();
    } catch (const TableError& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds");
    }
}

TEST(TableRows, SameGroupSetsTheWholeGroup) {
    TTableFamilies families;
    TGridTable table{families};
    table.SetRowGroup(2);
    table.AddColumn<TIntColumn>().SetSameGroup(true);
    table.AddColumn<TStringColumn>();
    table.SetRowCount(4);
    std::vector<std::pair<int, int>> changes;
    table.Events.OnCellChange = [&](TGridTable&, int c, int r) { changes.emplace_back(c, r); };
    table.SetIntValue(0, 3, 5);
    EXPECT_EQ(Ints(table, 0), (std::vector<int>{0, 0, 5, 5}));
    table.SetStringValue(1, 3, "x");
    EXPECT_EQ(table.GetStringValue(1, 2), "");
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 2}, {0, 3}, {1, 3}}));
}

TEST(TableRows, EnumerationValueEqualToTheStoredOneFiresNothing) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TEnumColumn>().SetNames({"a", "b"});
    table.SetRowCount(1);
    int changes = 0;
    table.Events.OnCellChange = [&](TGridTable&, int, int) { ++changes; };
    table.SetIntValue(0, 0, 1);
    EXPECT_EQ(changes, 0);
    table.SetIntValue(0, 0, 2);
    EXPECT_EQ(changes, 1);
}

TEST(TableRows, DepthPairSettingEitherEndMovesItsNeighbour) {
    TTableFamilies families;
    TGridTable table{families};
    MakeDepthPairs(table);
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 10, 20, 30}));
    table.SetFloatValue(0, 2, 25); // top of interval 2 is the bottom of interval 1
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{10, 25, 30, 40}));
    table.SetFloatValue(1, 3, 45); // the last bottom has no next top
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 10, 25, 30}));
}

TEST(TableRows, DeletingAMiddleIntervalKeepsTheDepthsContiguous) {
    TTableFamilies families;
    TGridTable table{families};
    MakeDepthPairs(table);
    table.DeleteRowGroup(1); // interval 10..20 goes; the next top takes the bottom 10
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 10, 30}));
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{10, 30, 40}));
    for (int r = 1; r < table.RowCount(); ++r)
        EXPECT_EQ(table.GetFloatValue(0, r), table.GetFloatValue(1, r - 1));
}

TEST(TableRows, DeletingTheFirstOrLastIntervalCopiesNothing) {
    TTableFamilies families;
    TGridTable table{families};
    MakeDepthPairs(table);
    table.DeleteRowGroup(0);
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{10, 20, 30}));
    table.DeleteRowGroup(2);
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{10, 20}));
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{20, 30}));
}

TEST(TableRows, InsertedIntervalContinuesItsNeighbours) {
    TTableFamilies families;
    TGridTable table{families};
    MakeDepthPairs(table);
    // In the middle: top takes the bottom above (10), the bottom the next top (10).
    table.InsertRowGroup(1);
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 10, 10, 20, 30}));
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{10, 10, 20, 30, 40}));
    // At the end and at the start both ends take the defaults.
    table.AddRowGroup();
    EXPECT_EQ(table.GetFloatValue(0, 5), 0.0L);
    EXPECT_EQ(table.GetFloatValue(1, 5), 0.0L);
    table.InsertRowGroup(0);
    EXPECT_EQ(table.GetFloatValue(0, 0), 0.0L);
    EXPECT_EQ(table.GetFloatValue(1, 0), 0.0L); // the next top is 0
}

TEST(TableRows, TopDepthNeedsAFloatColumnAfterIt) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TFloatColumn>().SetTopDepth(true);
    table.AddColumn<TIntColumn>();
    try {
        table.SetRowCount(1);
        FAIL();
    } catch (const TableError& e) {
        EXPECT_STREQ(e.what(),
                     "If column if a topdepth then the next column must be a float column");
    }
}
