// The process-wide table lists, identifiers and template references.
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

TEST(TableRegistry, TablesRegisterInCreationOrderWithCountedIdentifiers) {
    TTableRegistry& tables = GridFamily().Tables;
    int before = tables.Count();
    auto a = std::make_unique<TGridTable>();
    auto b = std::make_unique<TGridTable>();
    EXPECT_EQ(tables.Count(), before + 2);
    EXPECT_EQ(tables.IndexOf(*a), before);
    EXPECT_EQ(tables.IndexOf(*b), before + 1);
    EXPECT_EQ(b->Identifier(), a->Identifier() + 1);
    a.reset();
    EXPECT_EQ(tables.Count(), before + 1);
    EXPECT_EQ(tables.IndexOf(*b), before);
    auto c = std::make_unique<TGridTable>();
    EXPECT_EQ(c->Identifier(), b->Identifier() + 1) << "the counter never goes back";
}

TEST(TableRegistry, FamiliesKeepSeparateListsAndCounters) {
    int grids = GridFamily().Tables.Count();
    int charts = ChartFamily().Tables.Count();
    TGridTableChart chart;
    TGridTable grid;
    EXPECT_EQ(GridFamily().Tables.Count(), grids + 1);
    EXPECT_EQ(ChartFamily().Tables.Count(), charts + 1);
    EXPECT_EQ(&chart.Family(), &ChartFamily());
    EXPECT_EQ(GridFamily().Tables.IndexOf(chart), -1);
    // A reference by identifier only looks in its own family.
    chart.SetIdentifier(5000);
    TGridTableList gridRefs(GridFamily().Tables);
    gridRefs.AddByIdent(5000);
    EXPECT_EQ(gridRefs.Elements(0), nullptr);
    TGridTableListChart chartRefs(ChartFamily().Tables);
    chartRefs.AddByIdent(5000);
    EXPECT_EQ(chartRefs.Elements(0), &chart);
}

TEST(TableRegistry, SettingAnIdentifierSwapsItWithItsHolder) {
    TGridTable a;
    TGridTable b;
    a.SetIdentifier(4100);
    b.SetIdentifier(4200);
    a.SetIdentifier(4200);
    EXPECT_EQ(a.Identifier(), 4200);
    EXPECT_EQ(b.Identifier(), 4100);
    a.SetIdentifier(-1);
    EXPECT_EQ(a.Identifier(), 4200);
    a.SetIdentifier(4200);
    EXPECT_EQ(b.Identifier(), 4100);
}

TEST(TableRegistry, ListResolvesPositionsAndIdentifiers) {
    TTableRegistry& tables = GridFamily().Tables;
    TGridTable a;
    TGridTable b;
    b.SetIdentifier(4300);
    TGridTableList list(tables);
    list.Add(a);                       // position
    list.AddByIdent(4300);             // identifier
    list.Add(-1);                      // no table
    list.AddByIdent(-5);               // negative identifier: none
    list.InsertByIdent(0, 4399);       // an identifier nobody holds
    list.Insert(1, tables.IndexOf(b)); // position
    ASSERT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Elements(0), nullptr);
    EXPECT_EQ(list.GetTableIndex(0), -1);
    EXPECT_EQ(list.Elements(1), &b);
    EXPECT_EQ(list.Elements(2), &a);
    EXPECT_EQ(list.Elements(3), &b);
    EXPECT_EQ(list.GetTableIndex(3), tables.IndexOf(b));
    EXPECT_EQ(list.Elements(4), nullptr);
    EXPECT_EQ(list.Elements(5), nullptr);
    EXPECT_EQ(list.Elements(6), nullptr);
    EXPECT_EQ(list.Elements(-1), nullptr);
    EXPECT_TRUE(list.Item(3).ByIdentifier);
    list.SetElements(3, &a);
    EXPECT_FALSE(list.Item(3).ByIdentifier);
    EXPECT_EQ(list.Elements(3), &a);
    list.SetTableIndex(3, tables.Count());
    EXPECT_EQ(list.Elements(3), nullptr) << "past the end";
    list.Delete(0);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_THROW(list.Delete(5), TableError);
    EXPECT_THROW(list.Insert(7, 0), TableError);
    // Identifier references follow the identifier, position references the position.
    TGridTableList byIdent(tables);
    byIdent.AddByIdent(4300);
    a.SetIdentifier(4300);
    EXPECT_EQ(byIdent.Elements(0), &a);
}

TEST(TableRegistry, ResizeAppendsEmptyReferencesAndCutsFromTheEnd) {
    TGridTable a;
    TGridTableList list(GridFamily().Tables);
    list.Add(a);
    list.Resize(3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Elements(0), &a);
    EXPECT_EQ(list.Elements(2), nullptr);
    list.Resize(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Elements(0), &a);
}
