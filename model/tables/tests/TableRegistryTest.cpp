// The table lists of the families of a table set, identifiers and template references, and
// table sets side by side.
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

#include <thread>

using namespace dorvek;

TEST(TableRegistry, TablesRegisterInCreationOrderWithCountedIdentifiers) {
    TTableFamilies families;
    TTableRegistry& tables = families.Grid().Tables;
    auto a = std::make_unique<TGridTable>(families);
    auto b = std::make_unique<TGridTable>(families);
    EXPECT_EQ(tables.Count(), 2);
    EXPECT_EQ(tables.IndexOf(*a), 0);
    EXPECT_EQ(tables.IndexOf(*b), 1);
    EXPECT_EQ(a->Identifier(), 0) << "a new set counts from 0";
    EXPECT_EQ(b->Identifier(), 1);
    a.reset();
    EXPECT_EQ(tables.Count(), 1);
    EXPECT_EQ(tables.IndexOf(*b), 0);
    auto c = std::make_unique<TGridTable>(families);
    EXPECT_EQ(c->Identifier(), 2) << "the counter never goes back";
}

TEST(TableRegistry, FamiliesKeepSeparateListsAndCounters) {
    TTableFamilies families;
    TGridTableChart chart(families);
    TGridTable grid(families);
    EXPECT_EQ(families.Grid().Tables.Count(), 1);
    EXPECT_EQ(families.Chart().Tables.Count(), 1);
    EXPECT_EQ(&chart.Family(), &families.Chart());
    EXPECT_EQ(&grid.Family(), &families.Grid());
    EXPECT_EQ(families.Grid().Tables.IndexOf(chart), -1);
    EXPECT_EQ(chart.Identifier(), 0);
    EXPECT_EQ(grid.Identifier(), 0);
    // A reference by identifier only looks in its own family.
    chart.SetIdentifier(5000);
    TGridTableList gridRefs(families.Grid().Tables);
    gridRefs.AddByIdent(5000);
    EXPECT_EQ(gridRefs.Elements(0), nullptr);
    TGridTableListChart chartRefs(families.Chart().Tables);
    chartRefs.AddByIdent(5000);
    EXPECT_EQ(chartRefs.Elements(0), &chart);
}

TEST(TableRegistry, SetsShareNoTablesOrIdentifiers) {
    TTableFamilies first, second;
    TGridTable a(first);
    TGridTable b(second);
    EXPECT_EQ(a.Identifier(), b.Identifier()) << "each set counts on its own";
    a.SetIdentifier(4400);
    EXPECT_EQ(b.Identifier(), 0) << "an identifier taken in one set is not taken from another";
    b.SetIdentifier(4400);
    EXPECT_EQ(a.Identifier(), 4400);
    TGridTableList refs(second.Grid().Tables);
    refs.AddByIdent(4400);
    EXPECT_EQ(refs.Elements(0), &b);
    EXPECT_EQ(first.Grid().Tables.IndexOf(b), -1);
}

TEST(TableRegistry, SettingAnIdentifierSwapsItWithItsHolder) {
    TTableFamilies families;
    TGridTable a(families);
    TGridTable b(families);
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
    TTableFamilies families;
    TTableRegistry& tables = families.Grid().Tables;
    TGridTable a(families);
    TGridTable b(families);
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
    TTableFamilies families;
    TGridTable a(families);
    TGridTableList list(families.Grid().Tables);
    list.Add(a);
    list.Resize(3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Elements(0), &a);
    EXPECT_EQ(list.Elements(2), nullptr);
    list.Resize(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Elements(0), &a);
}

// Every table of a set and the nested tables of its rows, by family: count and identifiers.
std::vector<int> Identifiers(TTableRegistry& registry) {
    std::vector<int> identifiers;
    for (const TGridTable* table : registry.Tables()) identifiers.push_back(table->Identifier());
    return identifiers;
}

TEST(TableSets, TwoProjectSetsHaveIndependentRegistriesWithEqualIdentifiers) {
    auto first = std::make_unique<TInputTables>();
    TInputTables second;
    TTableRegistry& charts1 = first->Families().Chart().Tables;
    TTableRegistry& charts2 = second.Families().Chart().Tables;
    TTableRegistry& grids2 = second.Families().Grid().Tables;
    // Eleven chart-backed tables with identifiers 0 to 10, the layer templates' nested tables
    // of the first rows after them; the two load tables in the grid family.
    ASSERT_GE(charts2.Count(), 11);
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(charts2.At(i)->Identifier(), i) << i;
    EXPECT_EQ(Identifiers(charts1), Identifiers(charts2));
    EXPECT_EQ(Identifiers(grids2), (std::vector<int>{179, 10}));
    EXPECT_EQ(Identifiers(first->Families().Grid().Tables), Identifiers(grids2));
    EXPECT_EQ(second.D2().Identifier(), 0);
    EXPECT_EQ(&second.D2().Family(), &second.Families().Chart());
    // The nested tables of a set resolve their templates in their own set.
    TGridTable* layer = second.D2().GetDataValue(2, 0);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(&layer->Family(), &second.Families().Chart());
    EXPECT_EQ(charts1.IndexOf(*layer), -1);
    // Rows of one set do not register tables in the other, and the other may go first.
    const std::vector<int> before = Identifiers(charts2);
    first->D2().SetRowCount(6);
    EXPECT_EQ(Identifiers(charts2), before);
    const TByteStream stream = second.D2().ColumnStream();
    first.reset();
    EXPECT_EQ(second.D2().ColumnStream(), stream);
    EXPECT_EQ(second.D2().GetDataValue(2, 0), layer);
}

TEST(TableSets, SetsAreBuiltAndUsedOnTwoThreadsAtOnce) {
    // What a set writes when built alone on this thread.
    std::vector<TByteStream> alone;
    {
        TInputTables tables;
        tables.D2().SetRowCount(5);
        for (int i = 0; i < tables.Count(); ++i) alone.push_back(tables.Table(i).ColumnStream());
    }
    std::vector<TByteStream> results[2];
    auto build = [&alone](std::vector<TByteStream>& out) {
        for (int round = 0; round < 20; ++round) {
            TInputTables tables;
            tables.D2().SetRowCount(5);
            tables.SetUnits(2);
            tables.SetUnits(1);
            out.clear();
            for (int i = 0; i < tables.Count(); ++i) out.push_back(tables.Table(i).ColumnStream());
            if (out != alone) return;
        }
    };
    std::thread one(build, std::ref(results[0]));
    std::thread two(build, std::ref(results[1]));
    one.join();
    two.join();
    EXPECT_EQ(results[0], alone);
    EXPECT_EQ(results[1], alone);
}
