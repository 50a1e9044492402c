#include "gui/tables/TableUndo.h"

#include "model/tables/Table.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableSnapshot.h"

#include <QUndoGroup>
#include <QUndoStack>

namespace dorvek {

namespace {

// One edit of a table. It was made when it was recorded, so the first redo does nothing.
class TTableEditCommand : public QUndoCommand {
public:
    TTableEditCommand(TGridTable& table, TTableEdit edit, const QString& name)
        : QUndoCommand(name), fTable(table), fEdit(std::move(edit)) {}

    void undo() override { Apply(fEdit.Before); }
    void redo() override {
        if (fMade) Apply(fEdit.After);
        fMade = true;
    }

private:
    void Apply(const TTableSnapshot& values) {
        try {
            values.Restore(fTable);
        } catch (const std::exception&) {
            // Restoring sets values the table held before; none of them is refused.
        }
        if (TTableEditor* editor = fTable.Editor()) editor->FullRefresh();
    }

    TGridTable& fTable;
    TTableEdit fEdit;
    bool fMade = false;
};

} // namespace

TTableUndo::TTableUndo(QObject* parent) : QObject(parent), fGroup(new QUndoGroup(this)) {}

TTableUndo::~TTableUndo() {
    // Tables that outlive this must not call back.
    for (auto& [table, stack] : fStacks) const_cast<TGridTable*>(table)->Events.OnDestroy = nullptr;
}

QUndoStack* TTableUndo::StackOf(TGridTable& table) {
    if (QUndoStack* stack = Find(table)) return stack;
    auto* stack = new QUndoStack(this);
    stack->setUndoLimit(StepsKept);
    fGroup->addStack(stack);
    fStacks[&table] = stack;
    table.Events.OnDestroy = [this](TGridTable& gone) { Forget(gone); };
    return stack;
}

QUndoStack* TTableUndo::Find(const TGridTable& table) const {
    const auto found = fStacks.find(&table);
    return found == fStacks.end() ? nullptr : found->second;
}

void TTableUndo::Forget(TGridTable& table) {
    const auto found = fStacks.find(&table);
    if (found == fStacks.end()) return;
    // Its steps refer to the table: they go with it.
    delete found->second;
    fStacks.erase(found);
}

void TTableUndo::Activate(TGridTable* table) {
    fGroup->setActiveStack(table ? StackOf(*table) : nullptr);
}

void TTableUndo::Clear() {
    for (auto& [table, stack] : fStacks) stack->clear();
}

void TTableUndo::Record(TGridTable& table, const QString& name, const std::function<void()>& edit) {
    TTableEdit step = RecordTableEdit(table, edit);
    if (!step.Changed()) return;
    StackOf(table)->push(new TTableEditCommand(table, std::move(step), name));
}

} // namespace dorvek
