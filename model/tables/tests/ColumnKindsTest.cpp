// The kind registry, typed access per kind, headings, widths and clones.
#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableColumn.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

class FixedMeasure : public TTextMeasure {
public:
    // Every character 7 pixels wide, 96 pixels per inch.
    int TextWidth(const std::string& text) const override {
        return 7 * static_cast<int>(text.size());
    }
    int PixelsPerInch() const override { return 96; }
};

} // namespace

TEST(ColumnTypes, FiveKindsInCodeOrderInEachFamily) {
    TTableFamilies families;
    for (TTableFamily* family : {&families.Grid(), &families.Chart()}) {
        const TColumnTypeRegistry& kinds = family->Kinds;
        ASSERT_EQ(kinds.Count(), 5);
        EXPECT_EQ(kinds.GetClass(0), &TEnumColumn::Class);
        EXPECT_EQ(kinds.GetClass(1), &TIntColumn::Class);
        EXPECT_EQ(kinds.GetClass(2), &TFloatColumn::Class);
        EXPECT_EQ(kinds.GetClass(3), &TTableColumn::Class);
        EXPECT_EQ(kinds.GetClass(4), &TStringColumn::Class);
        EXPECT_EQ(kinds.GetIndex(&TTableColumn::Class), 3);
        EXPECT_EQ(kinds.GetClass(5), nullptr);
        EXPECT_EQ(kinds.GetClass(-1), nullptr);
    }
    EXPECT_NE(&families.Grid().Kinds, &families.Chart().Kinds);
}

TEST(ColumnTypes, UnregisteredLookupsAndTheShutdownCheck) {
    std::vector<std::string> failures;
    {
        TColumnTypeRegistry registry;
        registry.SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
        EXPECT_EQ(registry.GetIndex(&TIntColumn::Class), -1);
        registry.Register(&TFloatColumn::Class);
        registry.Register(&TIntColumn::Class);
        EXPECT_EQ(registry.GetIndex(&TIntColumn::Class), 1);
        registry.Unregister(&TFloatColumn::Class);
        EXPECT_EQ(registry.GetClass(0), nullptr);
        EXPECT_EQ(registry.GetClass(1), &TIntColumn::Class);
    }
    EXPECT_EQ(failures, std::vector<std::string>{"Column Type list not empty"});
    {
        TColumnTypeRegistry registry;
        registry.SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
        registry.Register(&TIntColumn::Class);
        registry.Unregister(&TIntColumn::Class);
    }
    EXPECT_EQ(failures.size(), 1u);
}

TEST(ColumnTypesDeath, NonEmptyListStopsTheProgram) {
    EXPECT_DEATH(
        {
            TColumnTypeRegistry registry;
            registry.Register(&TIntColumn::Class);
        },
        "Column Type list not empty");
}

TEST(ColumnKinds, WrongTypedAccessRaises) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TEnumColumn>();
    table.AddColumn<TIntColumn>();
    table.AddColumn<TFloatColumn>();
    table.AddColumn<TTableColumn>();
    table.AddColumn<TStringColumn>();
    table.SetRowCount(1);
    // Per kind: which of float / int / nested table access works.
    const bool floats[] = {false, false, true, false, false};
    const bool ints[] = {true, true, false, false, false};
    const bool tables[] = {false, false, false, true, false};
    for (int c = 0; c < 5; ++c) {
        if (floats[c])
            EXPECT_NO_THROW(table.GetFloatValue(c, 0));
        else
            EXPECT_THROW(table.SetFloatValue(c, 0, 1), WrongTypeError);
        if (ints[c])
            EXPECT_NO_THROW(table.GetIntValue(c, 0));
        else
            EXPECT_THROW(table.GetIntValue(c, 0), WrongTypeError);
        if (tables[c])
            EXPECT_NO_THROW(table.GetDataValue(c, 0));
        else
            EXPECT_THROW(table.GetDataValue(c, 0), WrongTypeError);
    }
    try {
        table.GetFloatValue(0, 0);
    } catch (const WrongTypeError& e) {
        EXPECT_STREQ(e.what(), "Data of wrong type");
    }
    // Texts: the table column has none and ignores one.
    EXPECT_EQ(table.GetStringValue(3, 0), "");
    EXPECT_NO_THROW(table.SetStringValue(3, 0, "x"));
    EXPECT_THROW(table.GetIntValue(1, 1), TableError);
    EXPECT_THROW(table.GetColumn(5), TableError);
}

TEST(ColumnKinds, NewRowsGetTheirDefaults) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TEnumColumn>();
    auto& ints = table.AddColumn<TIntColumn>();
    ints.SetDefault(4);
    auto& floats = table.AddColumn<TFloatColumn>();
    floats.SetDefault(0.9L);
    auto& texts = table.AddColumn<TStringColumn>();
    texts.SetDefault("abc");
    table.SetRowCount(2);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(table.GetIntValue(0, r), 1);
        EXPECT_EQ(table.GetIntValue(1, r), 4);
        EXPECT_EQ(table.GetFloatValue(2, r), 0.9L);
        EXPECT_EQ(table.GetStringValue(3, r), "abc");
    }
    EXPECT_EQ(table.GetStringValue(0, 0), "1");
    EXPECT_EQ(table.GetStringValue(1, 0), "4");
    EXPECT_EQ(table.GetStringValue(2, 0), "0.9");
    table.SetFloatValue(2, 1, 123456789.0L);
    EXPECT_EQ(table.GetStringValue(2, 1), "1.2345679E8");
}

TEST(ColumnKinds, EnumerationNamesActOnlyOnEnumerations) {
    TTableFamilies families;
    TGridTable table{families};
    auto& kinds = table.AddColumn<TEnumColumn>();
    auto& other = table.AddColumn<TIntColumn>();
    kinds.AddEnumStr("a");
    kinds.AddEnumStr("b");
    kinds.AddEnumStr("c");
    kinds.SetEnumStr(1, "B");
    kinds.DelEnumStr(0);
    EXPECT_EQ(kinds.Names(), (std::vector<std::string>{"B", "c"}));
    EXPECT_EQ(kinds.GetEnumStr(1), "c");
    other.AddEnumStr("x");
    EXPECT_EQ(other.GetEnumCount(), 0);
    EXPECT_EQ(other.GetEnumStr(0), "");
    kinds.ClearEnumStr();
    EXPECT_EQ(kinds.GetEnumCount(), 0);
}

TEST(ColumnKinds, ColumnWidthIsFloorOrWidestHeading) {
    TTableFamilies families;
    TGridTable table{families};
    FixedMeasure measure;
    auto& kinds = table.AddColumn<TEnumColumn>();
    auto& ints = table.AddColumn<TIntColumn>();
    auto& nested = table.AddColumn<TTableColumn>();
    auto& texts = table.AddColumn<TStringColumn>();
    auto& floats = table.AddColumn<TFloatColumn>();
    // Floors at 96 pixels per inch: 1.5 in = 144, 0.5 in = 48, 2 in = 192, 1.26 in -> 121.
    texts.SetMinWidth(1.26);
    EXPECT_EQ(kinds.GetColWidth(measure), 144);
    EXPECT_EQ(ints.GetColWidth(measure), 48);
    EXPECT_EQ(nested.GetColWidth(measure), 192);
    EXPECT_EQ(texts.GetColWidth(measure), 121);
    EXPECT_EQ(floats.GetColWidth(measure), 48);
    // "Depth" with two blanks: 7 x 7 = 49; with its unit label "Depth (in)  " + 2 blanks:
    // 14 x 7 = 98.
    ints.SetHeading({"Depth", "x"});
    EXPECT_EQ(ints.GetColWidth(measure), 49);
    floats.SetHeading({"Depth"});
    floats.SetUnitsString("L");
    EXPECT_EQ(floats.GetColWidth(measure), 98);
}

TEST(ColumnKinds, CloneCopiesSettingsNotValues) {
    TTableFamilies families;
    TGridTable source{families};
    auto& kinds = source.AddColumn<TEnumColumn>();
    kinds.SetNames({"x", "y"});
    kinds.SetHeading({"Kind"});
    kinds.SetVisible(false);
    kinds.SetSameGroup(true);
    auto& ints = source.AddColumn<TIntColumn>();
    ints.SetDefault(3);
    ints.SetMinimum(-1);
    ints.SetMaximum(9);
    auto& floats = source.AddColumn<TFloatColumn>();
    floats.SetTopDepth(true);
    floats.SetUnitsString("F/L^2");
    floats.SetDefault(2.5L);
    source.AddColumn<TFloatColumn>();
    auto& texts = source.AddColumn<TStringColumn>();
    texts.SetDefault("t");
    texts.SetMinWidth(2.0);
    source.SetRowCount(2);
    source.SetIntValue(1, 0, 7);

    TGridTable target{families};
    auto k = kinds.Clone(target);
    auto* kindsCopy = dynamic_cast<TEnumColumn*>(k.get());
    ASSERT_NE(kindsCopy, nullptr);
    EXPECT_EQ(kindsCopy->Names(), kinds.Names());
    EXPECT_EQ(kindsCopy->GetHeading(), kinds.GetHeading());
    EXPECT_FALSE(kindsCopy->Visible());
    EXPECT_TRUE(kindsCopy->SameGroup());
    EXPECT_EQ(kindsCopy->Count(), 0);
    auto i = ints.Clone(target);
    auto* intsCopy = dynamic_cast<TIntColumn*>(i.get());
    ASSERT_NE(intsCopy, nullptr);
    EXPECT_EQ(intsCopy->Default(), 3);
    EXPECT_EQ(intsCopy->Minimum(), -1);
    EXPECT_EQ(intsCopy->Maximum(), 9);
    auto f = floats.Clone(target);
    auto* floatsCopy = dynamic_cast<TFloatColumn*>(f.get());
    ASSERT_NE(floatsCopy, nullptr);
    EXPECT_TRUE(floatsCopy->TopDepth());
    EXPECT_EQ(floatsCopy->UnitsString(), "F/L^2");
    EXPECT_EQ(floatsCopy->Default(), 2.5L);
    auto t = texts.Clone(target);
    auto* textsCopy = dynamic_cast<TStringColumn*>(t.get());
    ASSERT_NE(textsCopy, nullptr);
    EXPECT_EQ(textsCopy->Default(), "t");
    EXPECT_EQ(textsCopy->MinWidth(), 2.0);
}

TEST(ColumnKinds, DataAccessorReachesItsCell) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TIntColumn>();
    table.AddColumn<TFloatColumn>();
    table.SetRowCount(3);
    TData cell = table.GetData(0, 2);
    cell.SetInt(11);
    EXPECT_EQ(table.GetIntValue(0, 2), 11);
    EXPECT_EQ(cell.Value(), "11");
    table.GetData(1, 1).SetValue("2*3");
    EXPECT_EQ(table.GetData(1, 1).Float(), 6.0L);
    EXPECT_THROW(table.GetData(1, 3), TableError);
    EXPECT_THROW(table.GetData(2, 0), TableError);
    EXPECT_THROW(cell.Table(), WrongTypeError);
}
