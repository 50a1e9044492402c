#pragma once
// A headless stand-in for an editor window: records what the table asks of it.

#include "model/tables/Column.h"
#include "model/tables/Table.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableFamily.h"

#include <string>
#include <utility>
#include <vector>

namespace dorvek::test {

class FakeEditor : public TTableEditor {
public:
    FakeEditor(TGridTable& table, bool modal) : fTable(&table), fModal(modal) {}

    void Show() override { ++shows; }
    void ShowModal() override {
        fModal = true;
        ++shows;
    }
    bool IsModal() const override { return fModal; }
    void Close() override { ++closes; }
    void Unbind() override { fTable = nullptr; }
    void RefreshCell(int col, int row) override { refreshedCells.emplace_back(col, row); }
    void FullRefresh() override { ++fullRefreshes; }
    void Retitle() override { titles.push_back(fTable ? fTable->Title() : std::string()); }
    void MoveToCell(int col, int row) override { currentCell = {col, row}; }
    int TopRow() const override { return topRow; }
    int RowsVisible() const override { return rowsVisible; }
    int Width() const override { return 300; }
    int Height() const override { return 200; }
    void CellControlsChanged(TColumn&) override { ++controlSetChanges; }
    void CellControlChanged(TColumn& column, int control) override {
        changedControls.emplace_back(column.Index(), control);
    }

    TGridTable* Table() const { return fTable; }

    int shows = 0;
    int closes = 0;
    int fullRefreshes = 0;
    int controlSetChanges = 0;
    int topRow = 0;
    int rowsVisible = 10;
    std::pair<int, int> currentCell{-1, -1};
    std::vector<std::pair<int, int>> refreshedCells;
    std::vector<std::string> titles;
    std::vector<std::pair<int, int>> changedControls; // column, control

private:
    TGridTable* fTable;
    bool fModal;
};

// Installs a factory of fake editors in a family for the lifetime of the guard.
class FakeEditorFactory {
public:
    explicit FakeEditorFactory(TTableFamily& family) : fFamily(&family) {
        family.EditorFactory = [this](TGridTable& table, bool modal) {
            ++created;
            return std::make_unique<FakeEditor>(table, modal);
        };
    }
    ~FakeEditorFactory() { fFamily->EditorFactory = nullptr; }
    FakeEditorFactory(const FakeEditorFactory&) = delete;
    FakeEditorFactory& operator=(const FakeEditorFactory&) = delete;

    static FakeEditor* Of(const TGridTable& table) {
        return static_cast<FakeEditor*>(table.Editor());
    }

    int created = 0;

private:
    TTableFamily* fFamily;
};

} // namespace dorvek::test
