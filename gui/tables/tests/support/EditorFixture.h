#pragma once
// Table editors under test: the factories of both families of a table set installed with
// scripted message boxes, and helpers to type into the grid as a user does.

#include "gui/common/tests/support/ScriptedMessages.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableGrid.h"
#include "gui/tables/TableUndo.h"
#include "gui/tables/TableWindows.h"
#include "model/tables/Table.h"
#include "model/tables/TableFamily.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvek::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { Install(families); }
    void TearDown() override {
        RemoveTableEditors(families);
        QApplication::processEvents();
    }
    // The editors with the scripted message boxes for the tables of a set (a project's).
    void Install(TTableFamilies& set) {
        TTableWindowHost host;
        host.Messages = &messages;
        host.Undo = &undo;
        InstallTableEditors(set, host);
    }

    static TTableForm* Form(const TGridTable& table) {
        return dynamic_cast<TTableForm*>(table.Editor());
    }
    // Opens the table's editor and returns it.
    static TTableForm& Open(TGridTable& table) {
        table.Show();
        QApplication::processEvents();
        TTableForm* form = Form(table);
        if (!form) throw std::logic_error("no editor opened");
        return *form;
    }
    // Replaces the text of the current cell by keystrokes.
    static void Type(TTableForm& form, const QString& text) {
        QLineEdit* editor = form.Grid()->Editor();
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
    }
    static void Enter(TTableForm& form) { QTest::keyClick(form.Grid()->Editor(), Qt::Key_Return); }
    static QString CellText(TTableForm& form, int gridCol, int row) {
        QTableWidgetItem* item = form.Grid()->item(row, gridCol);
        return item ? item->text() : QString();
    }
    static QString RowLabel(TTableForm& form, int row) {
        return form.Grid()->verticalHeaderItem(row)->text();
    }

    TScriptedMessages messages;
    TTableUndo undo;
    // The set of the tables a test makes by hand; they go before it.
    TTableFamilies families;
};

} // namespace dorvek::test
