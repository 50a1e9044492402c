// The link between a TGridTable and its editor window.
#include "model/tables/Table.h"

#include "model/tables/TableEditor.h"
#include "model/tables/TableFamily.h"

#include <algorithm>

namespace dorvek {

void TGridTable::Show() {
    ShowEditor(false);
}

void TGridTable::ShowModal() {
    ShowEditor(true);
}

void TGridTable::ShowEditor(bool modal) {
    if (VisibleColumnCount() == 0) return;
    if (!fEditor) {
        if (!fFamily->EditorFactory) return;
        fEditor = fFamily->EditorFactory(*this, modal);
        if (!fEditor) return;
    }
    if (modal)
        fEditor->ShowModal();
    else
        fEditor->Show();
}

bool TGridTable::IsModal() const {
    return fEditor && fEditor->IsModal();
}

void TGridTable::FreeEditor() {
    if (!fEditor) return;
    ReleaseCellControls();
    std::unique_ptr<TTableEditor> editor = std::move(fEditor);
    editor->Unbind();
}

void TGridTable::Hide() {
    FreeEditor();
    for (auto& column : fColumns) column->HideData();
}

void TGridTable::Update() {
    if (!fEditor) return;
    Hide();
    Show();
}

void TGridTable::Updater() {
    if (fEditor) fEditor->Close();
}

int TGridTable::FormHeight() const {
    return fEditor ? fEditor->Height() : 0;
}

int TGridTable::FormWidth() const {
    return fEditor ? fEditor->Width() : 0;
}

std::unique_ptr<TTableEditor> TGridTable::DetachEditor() {
    ReleaseCellControls();
    return std::move(fEditor);
}

void TGridTable::AllocateCellControls(int topRow, int count) {
    if (!fEditor) return;
    for (auto& column : fColumns)
        if (column->HasControl() && column->Visible())
            column->AllocateControls(fEditor.get(), topRow, count);
}

void TGridTable::ReleaseCellControls() {
    for (auto& column : fColumns) column->ReleaseControls();
}

void TGridTable::NotifyResize() {
    if (Events.OnResize) Events.OnResize(*this);
}

} // namespace dorvek
