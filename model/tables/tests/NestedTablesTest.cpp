// Nested tables: templates chosen by the row's kind, rebuilding on a kind change (with the
// chart family's carrying over of values), renumbering, captions, title paths, changed
// flags and the row-object events.
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

// A grid-family soil table: kind (clay, sand), bottom depth, layer data by template.
struct GridSoil {
    GridSoil() {
        clay.SetCaption("Clay");
        clay.SetMinRows(2);
        clay.AddColumn<TFloatColumn>();
        clay.AddColumn<TFloatColumn>().SetDefault(0.5L);
        sand.SetCaption("Sand");
        sand.SetMinRows(2);
        sand.AddColumn<TFloatColumn>();
        sand.AddColumn<TFloatColumn>().SetDefault(0.25L);
        sand.AddColumn<TFloatColumn>();
        clay.SetIdentifier(6001);
        sand.SetIdentifier(6002);
        layers.SetCaption("Layers");
        layers.AddColumn<TEnumColumn>().SetNames({"clay", "sand"});
        layers.AddColumn<TFloatColumn>().SetUnitsString("L");
        auto& data = layers.AddColumn<TTableColumn>();
        data.Templates().Clear();
        data.Templates().AddByIdent(6001);
        data.Templates().AddByIdent(6002);
        layers.SetRowCount(3);
    }
    TTableFamilies families;
    TGridTable clay{families}, sand{families}, layers{families};
};

// Floats of a nested table, row by row.
std::vector<long double> Values(const TGridTable& table) {
    std::vector<long double> values;
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColCount(); ++c) values.push_back(table.GetFloatValue(c, r));
    return values;
}

void Fill(TGridTable& table, long double start) {
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColCount(); ++c) table.SetFloatValue(c, r, start + 10 * r + c);
}

} // namespace

TEST(NestedTables, RowsGetACopyOfTheirKindsTemplate) {
    GridSoil soil;
    TGridTable* nested = soil.layers.GetDataValue(2, 1);
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->Caption(), "Clay");
    EXPECT_EQ(nested->OwnerTable(), &soil.layers);
    EXPECT_EQ(nested->ID(), 2);
    EXPECT_EQ(nested->RowCount(), 2);
    EXPECT_EQ(nested->ColCount(), 2);
    EXPECT_EQ(nested->GetFloatValue(1, 1), 0.5L);
    EXPECT_NE(nested->Identifier(), soil.clay.Identifier());
    EXPECT_EQ(&nested->Family(), &soil.families.Grid()) << "the owner's family";
}

TEST(NestedTables, GridFamilyKindChangeStartsFromAFreshTemplate) {
    GridSoil soil;
    TGridTable* before = soil.layers.GetDataValue(2, 0);
    Fill(*before, 100);
    std::vector<std::pair<int, int>> changes;
    soil.layers.Events.OnCellChange = [&](TGridTable&, int c, int r) {
        changes.emplace_back(c, r);
    };
    soil.layers.SetIntValue(0, 0, 2);
    TGridTable* after = soil.layers.GetDataValue(2, 0);
    EXPECT_EQ(after->Caption(), "Sand");
    EXPECT_EQ(after->ID(), 1);
    EXPECT_EQ(Values(*after), (std::vector<long double>{0, 0.25L, 0, 0, 0.25L, 0}));
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(NestedTables, ChartFamilySoilLayerClayToSandCarriesMatchingColumns) {
    TInputTables tables;
    TGridTableChart& d2 = tables.D2();
    TGridTable* clay = d2.GetDataValue(2, 0);
    ASSERT_NE(clay, nullptr);
    ASSERT_EQ(clay->Caption(), "Clay Layer Data");
    Fill(*clay, 1);
    std::vector<long double> typed = Values(*clay);
    d2.SetIntValue(0, 0, 2); // Driven Pile in Sand (Mosher)
    TGridTable* sand = d2.GetDataValue(2, 0);
    EXPECT_NE(sand, clay);
    EXPECT_EQ(sand->Caption(), "Sand Layer Data");
    EXPECT_TRUE(sand->GetColumn(3).Visible());
    EXPECT_FALSE(sand->GetColumn(1).Visible());
    // All ten columns are float columns in both templates: every value comes along.
    EXPECT_EQ(Values(*sand), typed);
}

TEST(NestedTables, ChangingBetweenClayMethodsKeepsTheValues) {
    TInputTables tables;
    TGridTableChart& d2 = tables.D2();
    Fill(*d2.GetDataValue(2, 0), 7);
    std::vector<long double> typed = Values(*d2.GetDataValue(2, 0));
    d2.SetIntValue(0, 0, 3); // Drilled Shaft in Clay: the same clay template
    EXPECT_EQ(d2.GetDataValue(2, 0)->Caption(), "Clay Layer Data");
    EXPECT_EQ(Values(*d2.GetDataValue(2, 0)), typed);
    d2.SetIntValue(0, 0, 5); // API clay: its own template, values carried
    TGridTable* api = d2.GetDataValue(2, 0);
    EXPECT_EQ(api->Comments(), tables.tblDataClayAPI().Comments());
    EXPECT_EQ(Values(*api), typed);
}

TEST(NestedTables, CarryingSkipsColumnsOfOtherKindsAndMissingRows) {
    TTableFamilies families;
    TGridTableChart a{families}, b{families};
    a.SetIdentifier(7001);
    b.SetIdentifier(7002);
    a.SetMinRows(3);
    a.AddColumn<TFloatColumn>();
    a.AddColumn<TEnumColumn>().SetNames({"x", "y", "z"});
    a.AddColumn<TIntColumn>();
    b.SetMinRows(2);
    b.AddColumn<TFloatColumn>().SetDefault(-1);
    b.AddColumn<TEnumColumn>().SetNames({"x", "y", "z"});
    b.AddColumn<TIntColumn>().SetDefault(-2);
    TGridTableChart owner{families};
    owner.AddColumn<TEnumColumn>().SetNames({"a", "b"});
    auto& data = owner.AddColumn<TTableColumn>();
    data.Templates().Clear();
    data.Templates().AddByIdent(7001);
    data.Templates().AddByIdent(7002);
    owner.SetRowCount(1);
    TGridTable* old = owner.GetDataValue(1, 0);
    for (int r = 0; r < 3; ++r) {
        old->SetFloatValue(0, r, 1.5L + r);
        old->SetIntValue(1, r, 3);
        old->SetIntValue(2, r, 9);
    }
    owner.SetIntValue(0, 0, 2);
    TGridTable* fresh = owner.GetDataValue(1, 0);
    ASSERT_EQ(fresh->RowCount(), 2);
    EXPECT_EQ(fresh->GetFloatValue(0, 1), 2.5L);
    EXPECT_EQ(fresh->GetIntValue(1, 1), 3);  // enumeration in both
    EXPECT_EQ(fresh->GetIntValue(2, 1), -2); // integer columns are not carried
}

TEST(NestedTables, RowCountZeroFreesEveryNestedTable) {
    GridSoil soil;
    const TTableRegistry& registered = soil.families.Grid().Tables;
    ASSERT_EQ(registered.Count(), 3 + 3); // the three tables and one nested table per row
    soil.layers.SetRowCount(0);
    EXPECT_EQ(registered.Count(), 3);
    EXPECT_EQ(soil.layers.GetColumn(2).Count(), 0);
    soil.layers.SetRowCount(1);
    EXPECT_EQ(registered.Count(), 4);
}

TEST(NestedTables, RowsAreRenumberedAfterInsertAndDelete) {
    GridSoil soil;
    TGridTable* last = soil.layers.GetDataValue(2, 2);
    soil.layers.InsertRowGroup(0);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(soil.layers.GetDataValue(2, r)->ID(), r + 1);
    EXPECT_EQ(soil.layers.GetDataValue(2, 3), last);
    soil.layers.DeleteRowGroup(1);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(soil.layers.GetDataValue(2, r)->ID(), r + 1);
    EXPECT_EQ(last->ID(), 3);
}

TEST(NestedTables, ButtonCaptionAndTitlePath) {
    GridSoil soil;
    auto& data = static_cast<TTableColumn&>(soil.layers.GetColumn(2));
    EXPECT_EQ(data.ButtonCaption(2), "3: Clay");
    TGridTable* nested = soil.layers.GetDataValue(2, 2);
    EXPECT_EQ(soil.layers.TitlePath(), "");
    EXPECT_EQ(soil.layers.Title(), "Layers ");
    EXPECT_EQ(nested->TitlePath(), " 3");
    EXPECT_EQ(nested->Title(), "Clay  3");
    soil.layers.SetID(4);
    EXPECT_EQ(nested->Title(), "Clay  4 3");
}

TEST(NestedTables, TemplateListFollowsTheNamesOfColumnZero) {
    GridSoil soil;
    auto& kinds = static_cast<TEnumColumn&>(soil.layers.GetColumn(0));
    auto& data = static_cast<TTableColumn&>(soil.layers.GetColumn(2));
    kinds.AddEnumStr("rock");
    ASSERT_EQ(data.Templates().Count(), 3);
    EXPECT_EQ(data.Templates().Elements(2), nullptr);
    kinds.DelEnumStr(2);
    kinds.DelEnumStr(1);
    EXPECT_EQ(data.Templates().Count(), 1);
    EXPECT_EQ(data.Templates().Elements(0), &soil.clay);
    // Without an enumeration in column 0 one template serves every row.
    soil.layers.DeleteColumn(0);
    EXPECT_EQ(data.Templates().Count(), 1);
}

TEST(NestedTables, MissingTemplatesLeaveRowsEmptyOrAskOnInitRow) {
    GridSoil soil;
    soil.layers.SetRowCount(0);
    auto& data = static_cast<TTableColumn&>(soil.layers.GetColumn(2));
    data.Templates().Clear();
    data.Templates().AddByIdent(-1);
    data.Templates().AddByIdent(6999); // nobody holds it
    soil.layers.SetRowCount(2);
    EXPECT_EQ(soil.layers.GetColumn(2).GetObjValue(0), nullptr);
    EXPECT_EQ(data.ButtonCaption(1), "2: ");

    struct Note : TRowObject {
        std::string name;
        int row = -1;
        bool changed = false;
        int units = 0;
        bool hidden = false;
    };
    TGridTableEvents& events = soil.layers.Events;
    std::vector<int> initKinds;
    events.OnInitRow = [&](TGridTable&, int col, int row, int kind,
                           std::unique_ptr<TRowObject>& object) {
        EXPECT_EQ(col, 2);
        initKinds.push_back(kind);
        auto note = std::make_unique<Note>();
        note->name = "note " + std::to_string(row);
        object = std::move(note);
    };
    events.OnSetRow = [](TGridTable&, int, TRowObject* object, int row) {
        static_cast<Note*>(object)->row = row;
    };
    events.OnGetButtonCaption = [](TGridTable&, int, int, TRowObject* object, std::string& text) {
        text = object ? static_cast<Note*>(object)->name : "none";
    };
    events.OnGetChanged = [](TGridTable&, int, int, TRowObject* object, bool& changed) {
        changed = object && static_cast<Note*>(object)->changed;
    };
    events.OnResetChanged = [](TGridTable&, int, int, TRowObject* object) {
        if (object) static_cast<Note*>(object)->changed = false;
    };
    events.OnSetUnits = [](TGridTable&, int, int, TRowObject* object, int system) {
        if (object) static_cast<Note*>(object)->units = system;
    };
    events.OnHide = [](TGridTable&, int, int, TRowObject* object) {
        if (object) static_cast<Note*>(object)->hidden = true;
    };
    soil.layers.SetIntValue(0, 1, 2);
    auto* note = static_cast<Note*>(soil.layers.GetColumn(2).GetObjValue(1));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(initKinds, std::vector<int>{2});
    EXPECT_EQ(data.ButtonCaption(0), "1: none");
    EXPECT_EQ(data.ButtonCaption(1), "2: note 1");
    EXPECT_EQ(note->row, 1);
    soil.layers.InsertRowGroup(0); // the new row asks again; the note moves to row 2
    EXPECT_EQ(note->row, 2);
    EXPECT_FALSE(soil.layers.Changed());
    note->changed = true;
    EXPECT_TRUE(soil.layers.Changed());
    soil.layers.SetChanged(false);
    EXPECT_FALSE(note->changed);
    soil.layers.SetUnits(2);
    EXPECT_EQ(note->units, 2);
    soil.layers.Hide();
    EXPECT_TRUE(note->hidden);
}

TEST(NestedTables, FailingOnSetRowFreesTheObject) {
    GridSoil soil;
    soil.layers.SetRowCount(0);
    auto& data = static_cast<TTableColumn&>(soil.layers.GetColumn(2));
    data.Templates().Clear();
    data.Templates().Add(-1);
    data.Templates().Add(-1);
    struct Counted : TRowObject {
        explicit Counted(int& n) : live(n) { ++live; }
        ~Counted() override { --live; }
        int& live;
    };
    int live = 0;
    soil.layers.Events.OnInitRow = [&](TGridTable&, int, int, int, auto& object) {
        object = std::make_unique<Counted>(live);
    };
    soil.layers.Events.OnSetRow = [](TGridTable&, int, TRowObject*, int) {
        throw TableError("refused");
    };
    EXPECT_THROW(soil.layers.SetRowCount(1), TableError);
    EXPECT_EQ(live, 0);
    EXPECT_EQ(soil.layers.RowCount(), 0);
    for (int c = 0; c < soil.layers.ColCount(); ++c)
        EXPECT_EQ(soil.layers.GetColumn(c).Count(), 0) << "a failed group leaves no rows behind";
}

TEST(NestedTables, ChangedFlagsRecurseThroughNestedTables) {
    GridSoil soil;
    EXPECT_FALSE(soil.layers.Changed());
    soil.layers.GetDataValue(2, 1)->SetChanged(true);
    EXPECT_TRUE(soil.layers.Changed());
    soil.layers.ResetChanged();
    EXPECT_FALSE(soil.layers.GetDataValue(2, 1)->Changed());
    EXPECT_FALSE(soil.layers.Changed());
    soil.layers.SetChanged(true);
    EXPECT_TRUE(soil.layers.Changed());
    EXPECT_FALSE(soil.layers.GetDataValue(2, 1)->Changed());
}

TEST(NestedTables, CreateCopyTakesSettingsColumnsAndChartValues) {
    TTableFamilies families;
    TGridTableChart source{families};
    source.SetCaption("c");
    source.SetComments("x\ry");
    source.SetTopLeft("tl");
    source.SetHelpPicture("help.png");
    source.SetMinRows(3);
    source.SetMaxRows(9);
    source.SetRowGroup(3);
    source.GetDataFromFile = true;
    source.OKCancelButtons = true;
    source.InvertedXAxis = true;
    source.InvertedYAxis = true;
    source.Chart = {true, true, 1, 2, 3, 4};
    source.AddColumn<TFloatColumn>().SetDefault(8);
    source.SetRowCount(6);
    source.SetFloatValue(0, 0, 1);
    TGridTableChart owner{families};
    owner.SetUnits(2);
    auto copy = TGridTable::CreateCopy(&owner, source, 5);
    auto* chart = dynamic_cast<TGridTableChart*>(copy.get());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Caption(), "c");
    EXPECT_EQ(chart->Comments(), "x\ry");
    EXPECT_EQ(chart->TopLeft(), "tl");
    EXPECT_EQ(chart->HelpPicture(), "help.png");
    EXPECT_EQ(chart->MinRows(), 3);
    EXPECT_EQ(chart->MaxRows(), 9);
    EXPECT_EQ(chart->RowGroup(), 3);
    EXPECT_TRUE(chart->GetDataFromFile && chart->OKCancelButtons && chart->InvertedXAxis &&
                chart->InvertedYAxis);
    EXPECT_EQ(chart->Chart, source.Chart);
    EXPECT_EQ(chart->ID(), 5);
    EXPECT_EQ(chart->Units(), 2);
    EXPECT_EQ(chart->RowCount(), 3);
    EXPECT_EQ(chart->GetFloatValue(0, 0), 8.0L) << "values are never copied";
    EXPECT_EQ(chart->ColumnStream(), source.ColumnStream());
}
