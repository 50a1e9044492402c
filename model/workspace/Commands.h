#pragma once
// The commands of the main window and the rules that enable them. Menus and toolbar share
// the command identifiers; the rules are evaluated from the project and its result files.

#include "model/project/ProgramData.h"

namespace dorvek {

enum class TCommand {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExit,
    DataTitle,
    DataPileProperties,
    DataSoilLayers,
    DataTzCurves,
    DataQwCurve,
    DataTipMovements,
    DataPileHeadLoads,
    DataSettlement,
    DataTzFactors,
    DataQwFactors,
    OptionsTextEditor,
    RunAnalysis,
    EditInputText,
    EditRunNotes,
    EditOutputText,
    ViewReport, // the report window
    ViewSoilProfile,
    PlotLoad,
    PlotDisp,
    PlotDispDown,
    PlotAxial,
    PlotTz,
    PlotQw,
    ExportPlots,
    PlotLoadLoads,
    PlotDispLoads,
    PlotAxialLoads,
    WindowCascade,
    WindowArrangeIcons,
    HelpUsersManual,
    HelpTechnicalManual,
    HelpAbout,
    HelpCheckUpdates,
    WindowTile,
    DataMeasuredCurves,
    ViewCapacities,
    CalibrateMeasured,
};

// What the rules look at besides the project's options.
struct TCommandContext {
    bool ShowOutput = false;
    bool ProjectFileExists = false;
    bool RunNotesExists = false; // ".dv4r"
    bool OutputExists = false;   // ".dv4o"
    bool PlotFileExists = false; // ".dv4p"
};

// Looks at the companion files of the project's file name.
TCommandContext MakeCommandContext(const TProgramData& data, bool showOutput);

// Enabled state of a menu item.
bool MenuItemEnabled(TCommand command, const TProgramData& data, const TCommandContext& ctx);
// Whether a menu item is shown at all (only the soil-profile view is ever hidden).
bool MenuItemVisible(TCommand command, const TProgramData& data);
// Enabled state of a toolbar button.
bool ToolButtonEnabled(TCommand command, const TProgramData& data, const TCommandContext& ctx);

} // namespace dorvek
