// The editor link: showing, hiding, refreshes, and the cell-control bookkeeping that a
// window's drop-down lists and buttons rely on.
#include "model/tables/tests/FakeEditor.h"

#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"

#include <gtest/gtest.h>

using namespace dorvek;
using dorvek::test::FakeEditor;
using dorvek::test::FakeEditorFactory;

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TableError& e) {
        return e.what();
    }
    return "no error";
}

// Kind (enumeration), value, nested table per row from one template.
struct EditedTable {
    explicit EditedTable(TTableFamilies& families) : nested(families), table(families) {
        nested.SetCaption("Detail");
        nested.AddColumn<TFloatColumn>();
        nested.SetIdentifier(8800);
        table.SetCaption("Main");
        table.AddColumn<TEnumColumn>().SetNames({"one", "two"});
        table.AddColumn<TFloatColumn>();
        auto& data = table.AddColumn<TTableColumn>();
        data.Templates().Clear();
        data.Templates().AddByIdent(8800);
        data.Templates().AddByIdent(8800);
        table.SetRowCount(5);
    }
    TEnumColumn& Kinds() { return static_cast<TEnumColumn&>(table.GetColumn(0)); }
    TTableColumn& Data() { return static_cast<TTableColumn&>(table.GetColumn(2)); }
    TGridTable nested, table;
};

} // namespace

TEST(TableEditor, ShowNeedsAVisibleColumnAndAFactory) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TFloatColumn>().SetVisible(false);
    table.Show();
    EXPECT_FALSE(table.FormVisible());
    FakeEditorFactory factory(families.Grid());
    table.Show();
    EXPECT_FALSE(table.FormVisible());
    EXPECT_EQ(factory.created, 0);
    table.GetColumn(0).SetVisible(true);
    table.Show();
    table.Show();
    EXPECT_EQ(factory.created, 1);
    EXPECT_EQ(FakeEditorFactory::Of(table)->shows, 2);
    EXPECT_FALSE(table.IsModal());
    EXPECT_EQ(table.FormWidth(), 300);
    EXPECT_EQ(table.FormHeight(), 200);
    table.Hide();
    EXPECT_FALSE(table.FormVisible());
    EXPECT_EQ(table.FormWidth(), 0);
    EXPECT_EQ(table.FormHeight(), 0);
}

TEST(TableEditor, FamiliesHaveTheirOwnFactories) {
    TTableFamilies families;
    FakeEditorFactory charts(families.Chart());
    TGridTable grid{families};
    grid.AddColumn<TFloatColumn>();
    grid.Show();
    EXPECT_FALSE(grid.FormVisible());
    TGridTableChart chart{families};
    chart.AddColumn<TFloatColumn>();
    chart.ShowModal();
    EXPECT_TRUE(chart.IsModal());
}

TEST(TableEditor, ChangesReachTheOpenEditor) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.Show();
    FakeEditor* editor = FakeEditorFactory::Of(t.table);
    t.table.SetFloatValue(1, 3, 2);
    EXPECT_EQ(editor->refreshedCells.back(), std::make_pair(1, 3));
    int before = editor->fullRefreshes;
    t.table.AddRowGroup();
    t.table.SetHelpPicture("pic");
    EXPECT_EQ(editor->fullRefreshes, before + 2);
    int resizes = 0;
    t.table.Events.OnResize = [&](TGridTable&) { ++resizes; };
    t.table.NotifyResize();
    EXPECT_EQ(resizes, 1);
    t.table.Updater();
    EXPECT_EQ(editor->closes, 1);
    t.table.Update();
    EXPECT_EQ(factory.created, 2);
    EXPECT_NE(FakeEditorFactory::Of(t.table), nullptr);
}

TEST(TableEditor, RenumberingRetitlesAnOpenNestedEditor) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    TGridTable* third = t.table.GetDataValue(2, 2);
    third->Show();
    t.table.InsertRowGroup(0);
    ASSERT_EQ(FakeEditorFactory::Of(*third)->titles.size(), 1u);
    EXPECT_EQ(FakeEditorFactory::Of(*third)->titles[0], "Detail  4");
}

TEST(TableEditor, HideFreesTheEditorAndHidesNestedEditors) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.Show();
    t.table.AllocateCellControls(0, 5);
    t.Data().ControlClicked(1); // opens the nested table of row 2
    TGridTable* second = t.table.GetDataValue(2, 1);
    ASSERT_TRUE(second->FormVisible());
    EXPECT_FALSE(second->IsModal());
    t.table.Hide();
    EXPECT_FALSE(t.table.FormVisible());
    EXPECT_FALSE(second->FormVisible());
    EXPECT_EQ(t.Data().GetControlsAllocated(), 0);
}

TEST(TableEditor, ButtonOfAModalEditorOpensModally) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.ShowModal();
    t.table.AllocateCellControls(0, 2);
    t.Data().ControlClicked(0);
    EXPECT_TRUE(t.table.GetDataValue(2, 0)->IsModal());
}

TEST(TableEditor, ControlsCoverTheVisibleRowsOfColumnsWithControls) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.SetIntValue(0, 2, 2);
    t.table.Show();
    FakeEditor* editor = FakeEditorFactory::Of(t.table);
    t.table.AllocateCellControls(1, 3);
    ASSERT_EQ(t.Kinds().GetControlsAllocated(), 3);
    ASSERT_EQ(t.Data().GetControlsAllocated(), 3);
    EXPECT_EQ(t.table.GetColumn(1).GetControlsAllocated(), 0);
    EXPECT_EQ(t.Kinds().GetControl(0).Tag, 1);
    EXPECT_EQ(t.Kinds().GetControl(1).ItemIndex, 1);
    EXPECT_EQ(t.Kinds().GetControl(2).ItemIndex, 0);
    EXPECT_EQ(t.Data().GetControl(2).Tag, 3);
    EXPECT_EQ(t.Data().GetControl(2).Caption, "4: Detail");
    EXPECT_EQ(t.Kinds().ControlParent(), editor);
    // Scrolling reuses the controls and cuts the surplus.
    t.table.AllocateCellControls(3, 2);
    EXPECT_EQ(t.Data().GetControlsAllocated(), 2);
    EXPECT_EQ(t.Data().GetControl(0).Caption, "4: Detail");
    EXPECT_THROW(t.Data().GetControl(2), TableError);
}

TEST(TableEditor, DropDownChoiceStoresTheEntryAndFocusMovesTheCell) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.Show();
    FakeEditor* editor = FakeEditorFactory::Of(t.table);
    t.table.AllocateCellControls(0, 5);
    TGridTable* before = t.table.GetDataValue(2, 3);
    t.Kinds().ControlChosen(3, 0); // already "one": nothing happens
    EXPECT_EQ(t.table.GetDataValue(2, 3), before);
    editor->changedControls.clear();
    t.Kinds().ControlChosen(3, 1);
    EXPECT_EQ(t.table.GetIntValue(0, 3), 2);
    EXPECT_NE(t.table.GetDataValue(2, 3), before) << "the nested table is rebuilt";
    EXPECT_EQ(t.Kinds().GetControl(3).ItemIndex, 1);
    // The drop-down and the button of row 4, nothing else.
    EXPECT_EQ(editor->changedControls, (std::vector<std::pair<int, int>>{{0, 3}, {2, 3}}));
    t.Kinds().ControlEntered(4);
    EXPECT_EQ(editor->currentCell, std::make_pair(0, 4));
}

TEST(TableEditor, NamesShowInTheDropDownsAtOnce) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.Show();
    t.table.AllocateCellControls(0, 2);
    FakeEditor* editor = FakeEditorFactory::Of(t.table);
    editor->changedControls.clear();
    t.Kinds().AddEnumStr("three");
    EXPECT_EQ(editor->changedControls, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}}));
}

TEST(TableEditor, ControlAllocationRefusals) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    TGridTable other{families};
    other.AddColumn<TFloatColumn>();
    other.Show();
    t.table.Show();
    TTableEditor* mine = t.table.Editor();
    TTableEditor* foreign = other.Editor();
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(nullptr, 0, 1); }), "null parent");
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(mine, -1, 1); }), "ATopRow -1");
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(mine, 5, 1); }), "ATopRow 5");
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(mine, 0, 0); }), "ACount 0");
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(mine, 3, 3); }), "ACount 3");
    t.Data().AllocateControls(mine, 0, 2);
    t.Kinds().AllocateControls(mine, 0, 2);
    EXPECT_EQ(ErrorOf([&] { t.Data().AllocateControls(foreign, 0, 2); }),
              "Attempt to change parent with controls already allocated");
    EXPECT_EQ(ErrorOf([&] { t.Kinds().AllocateControls(foreign, 0, 2); }),
              "Error attempt to change parent with controls already allocated");
    EXPECT_EQ(ErrorOf([&] { t.Kinds().AllocateControls(nullptr, 0, 2); }), "null parent");
    // Once released, another parent may take the column.
    t.Kinds().ReleaseControls();
    EXPECT_EQ(ErrorOf([&] { t.Kinds().AllocateControls(foreign, 0, 2); }), "no error");
    // A drop-down list without a row cannot take the focus.
    t.Kinds().ReleaseControls();
    t.Kinds().AllocateControls(mine, -1, 2);
    EXPECT_EQ(ErrorOf([&] { t.Kinds().ControlEntered(0); }), "Unexpected row for combobox");
}

TEST(TableEditor, ChartTableColumnsAcceptAnEmptyControlRange) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Chart());
    TGridTableChart table{families};
    auto& data = table.AddColumn<TTableColumn>();
    table.SetRowCount(2);
    table.Show();
    EXPECT_EQ(ErrorOf([&] { data.AllocateControls(table.Editor(), 0, 0); }), "no error");
    EXPECT_EQ(data.GetControlsAllocated(), 0);
    EXPECT_EQ(ErrorOf([&] { data.AllocateControls(table.Editor(), 1, 2); }), "ACount 2");
}

TEST(TableEditor, ColumnsAddedWhileOpenGetControls) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    TGridTable table{families};
    table.AddColumn<TFloatColumn>();
    table.SetRowCount(12);
    table.Show();
    FakeEditor* editor = FakeEditorFactory::Of(table);
    editor->topRow = 4;
    auto& data = table.AddColumn<TTableColumn>();
    EXPECT_EQ(data.GetControlsAllocated(), 8); // rows 4 .. 11: the rest of the table
    EXPECT_EQ(data.GetControl(0).Tag, 4);
    EXPECT_EQ(data.ControlParent(), editor);
}

TEST(TableEditor, AClosedEditorIsForgottenNotFreed) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    EditedTable t(families);
    t.table.Show();
    t.table.AllocateCellControls(0, 3);
    ASSERT_GT(t.Kinds().GetControlsAllocated(), 0);
    // The window closes: it forgets the table, then tells it.
    FakeEditorFactory::Of(t.table)->Unbind();
    EXPECT_FALSE(t.table.FormVisible());
    t.table.EditorClosed();
    EXPECT_FALSE(t.table.FormVisible());
    EXPECT_EQ(t.Kinds().GetControlsAllocated(), 0);
    EXPECT_EQ(t.Kinds().ControlParent(), nullptr);
    EXPECT_EQ(factory.Freed(), 0) << "its toolkit frees a closed window";
    t.table.Show();
    EXPECT_EQ(factory.created, 2);
    t.table.Hide();
    EXPECT_EQ(factory.Freed(), 1) << "hiding frees the open one";
}

TEST(TableEditor, DestroyingATableUnbindsItsEditor) {
    TTableFamilies families;
    FakeEditorFactory factory(families.Grid());
    auto table = std::make_unique<TGridTable>(families);
    table->AddColumn<TFloatColumn>();
    table->Show();
    // The editor is freed with the table; Unbind ran first (the fake clears its table).
    FakeEditor* editor = FakeEditorFactory::Of(*table);
    ASSERT_EQ(editor->Table(), table.get());
    TGridTable* detached = nullptr;
    table->Events.OnMajorChange = [&](TGridTable& sender) { detached = &sender; };
    table.reset();
    EXPECT_EQ(detached, nullptr) << "no events while tearing down";
    EXPECT_EQ(factory.Freed(), 1);
}
