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
    TTableEditor* editor = Editor();
    if (!editor) {
        if (!fFamily->EditorFactory) return;
        fEditor = fFamily->EditorFactory(*this, modal);
        editor = Editor();
        if (!editor) return;
    }
    // A modal editor runs its own event loop: the table may lose the handle meanwhile.
    if (modal)
        editor->ShowModal();
    else
        editor->Show();
}

bool TGridTable::IsModal() const {
    const TTableEditor* editor = Editor();
    return editor && editor->IsModal();
}

void TGridTable::FreeEditor() {
    if (!fEditor) return;
    ReleaseCellControls();
    // The table has no editor while the handle frees the window (which forgets it first).
    fEditor.reset();
}

void TGridTable::Hide() {
    FreeEditor();
    for (auto& column : fColumns) column->HideData();
}

void TGridTable::Update() {
    if (!Editor()) return;
    Hide();
    Show();
}

void TGridTable::Updater() {
    if (TTableEditor* editor = Editor()) editor->Close();
}

int TGridTable::FormHeight() const {
    const TTableEditor* editor = Editor();
    return editor ? editor->Height() : 0;
}

int TGridTable::FormWidth() const {
    const TTableEditor* editor = Editor();
    return editor ? editor->Width() : 0;
}

void TGridTable::EditorClosed() {
    ReleaseCellControls();
    fEditor.reset();
}

void TGridTable::AllocateCellControls(int topRow, int count) {
    TTableEditor* editor = Editor();
    if (!editor) return;
    for (auto& column : fColumns)
        if (column->HasControl() && column->Visible())
            column->AllocateControls(editor, topRow, count);
}

void TGridTable::ReleaseCellControls() {
    for (auto& column : fColumns) column->ReleaseControls();
}

void TGridTable::NotifyResize() {
    if (Events.OnResize) Events.OnResize(*this);
}

} // namespace dorvek
