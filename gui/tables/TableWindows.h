#pragma once
// What the table editor windows need from the program, and the factories through which the
// tables of both families open them.

#include <functional>
#include <string>

class QWidget;

namespace dorvek {

class TMessages;
class TTableFamilies;
class TTableUndo;

struct TTableWindowHost {
    // Every message box of the editors goes through here.
    TMessages* Messages = nullptr;
    // Shows a modeless editor as a child window of the main window; without it, modeless
    // editors are top-level windows.
    std::function<void(QWidget& window)> AddChildWindow;
    // The program that opens a text file for "View/Edit File" (none or empty: none found).
    std::function<std::string()> TextEditor;
    // The undo steps of the editors (none: the editors keep none).
    TTableUndo* Undo = nullptr;
    // The frame of a child-window editor took its size: when it opens (opening) and whenever
    // its rows change its size.
    std::function<void(QWidget& frame, bool opening)> Placed;
};

// Grid tables of the set open TTableForm, chart-backed ones TTableChartForm, both with this
// host.
void InstallTableEditors(TTableFamilies& families, const TTableWindowHost& host);
// Tables of the set shown afterwards open no editor; open ones stay until closed.
void RemoveTableEditors(TTableFamilies& families);

// The user's decimal separator ("," or ".") for number texts in and out of tables.
char UserDecimalSeparator();

} // namespace dorvek
