#pragma once
// A headless stand-in for an editor window: records what the table asks of it.

#include "model/tables/Column.h"
#include "model/tables/Table.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableFamily.h"

#include <memory>
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
    // The window forgets its table, as a closing one does.
    void Unbind() { fTable = nullptr; }
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

// The table's handle on a fake window, which stands in for the toolkit's: open while it
// knows its table. Freeing the handle unbinds and frees an open window (counted, also after
// the factory went).
class FakeHandle : public TEditorHandle {
public:
    FakeHandle(std::unique_ptr<FakeEditor> editor, std::shared_ptr<int> freed)
        : fEditor(std::move(editor)), fFreed(std::move(freed)) {}
    ~FakeHandle() override {
        if (!fEditor->Table()) return;
        fEditor->Unbind();
        ++*fFreed;
    }
    TTableEditor* Editor() const override { return fEditor->Table() ? fEditor.get() : nullptr; }

private:
    std::unique_ptr<FakeEditor> fEditor;
    std::shared_ptr<int> fFreed;
};

// Installs a factory of fake editors in a family for the lifetime of the guard.
class FakeEditorFactory {
public:
    explicit FakeEditorFactory(TTableFamily& family) : fFamily(&family) {
        family.EditorFactory = [this](TGridTable& table, bool modal) {
            ++created;
            return std::make_unique<FakeHandle>(std::make_unique<FakeEditor>(table, modal), fFreed);
        };
    }
    ~FakeEditorFactory() { fFamily->EditorFactory = nullptr; }
    FakeEditorFactory(const FakeEditorFactory&) = delete;
    FakeEditorFactory& operator=(const FakeEditorFactory&) = delete;

    static FakeEditor* Of(const TGridTable& table) {
        return static_cast<FakeEditor*>(table.Editor());
    }

    // Open windows freed through their handle.
    int Freed() const { return *fFreed; }

    int created = 0;

private:
    TTableFamily* fFamily;
    std::shared_ptr<int> fFreed = std::make_shared<int>(0);
};

} // namespace dorvek::test
