#pragma once
// Undo and redo of the table editors: one stack of steps per table, each step the table's
// values before and after one edit. The stacks live as long as their tables (a nested table's
// goes with its row) and are emptied when another project is opened or a new one begun. The
// stack of the table whose editor is active is the group's active stack, which the main
// window's Edit menu acts on.

#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QUndoGroup;
class QUndoStack;

namespace dorvek {

class TGridTable;

class TTableUndo : public QObject {
    Q_OBJECT
public:
    // Steps kept per table; older ones are dropped.
    static constexpr int StepsKept = 100;

    explicit TTableUndo(QObject* parent = nullptr);
    ~TTableUndo() override;

    QUndoGroup* Group() const { return fGroup; }
    // The table's stack, made on first use.
    QUndoStack* StackOf(TGridTable& table);
    // The table's stack when it has one.
    QUndoStack* Find(const TGridTable& table) const;
    // The table whose editor is active (null: none): Undo and Redo act on its stack.
    void Activate(TGridTable* table);
    // Empties every stack.
    void Clear();

    // Runs the edit of the table and keeps it as one step named `name` when it changed any
    // value. An edit that fails leaves the table as it was; the error passes on.
    void Record(TGridTable& table, const QString& name, const std::function<void()>& edit);

private:
    void Forget(TGridTable& table);

    QUndoGroup* fGroup;
    std::map<const TGridTable*, QUndoStack*> fStacks;
};

} // namespace dorvek
