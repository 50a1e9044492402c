#pragma once
// The project the main window works on: its scalar values, its input tables and result
// graphs, the data-changed flag and whether results are shown. New, Open and Save of the
// main window go through here and nowhere else.

#include "model/plots/LoadTestOverlay.h"
#include "model/plots/ResultGraphs.h"
#include "model/project/DataUnit.h"
#include "model/project/ProgramData.h"
#include "model/workspace/CheckData.h"
#include "model/workspace/RunOutcome.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dorvek {

// The line added to the reading error of a project that was read only in part.
inline constexpr const char* PartialReadNote =
    "The file was left untouched: what was read is shown as a new project, and Save asks for a "
    "new name.";

class TProjectWorkspace {
public:
    TProjectWorkspace() = default;
    virtual ~TProjectWorkspace() = default;

    TProgramData& Data() { return fData; }
    const TProgramData& Data() const { return fData; }
    // The input tables the editors work on.
    TInputTables& Tables() { return fTables.Tables(); }
    const TInputTables& Tables() const { return fTables.Tables(); }
    // The tables with the data-changed flag.
    TProjectTables& ProjectTables() { return fTables; }
    // The result graphs the plot windows show.
    TResultGraphs& Graphs() { return fGraphs; }
    const TResultGraphs& Graphs() const { return fGraphs; }
    // Decimal separator of numbers in line names of the graphs.
    void SetDecimalSeparator(char separator) { fDecimalSeparator = separator; }

    // The project counts as changed when the window's flag is set, any table reports a
    // change or its measured curves were changed; clearing clears all.
    bool Changed() const { return fTables.Changed() || fMeasuredChanged; }
    void SetChanged() { fTables.SetChanged(); }
    void ClearChanged() {
        fTables.ResetChanged();
        fMeasuredChanged = false;
    }

    // Measured load-settlement curves (load tests), in the project's units; kept in the side
    // file beside the project and drawn on the axial load-settlement graphs.
    const TMeasuredCurves& Measured() const { return fMeasured; }
    // Replaces them (taken into the project's units), marks the project changed and redraws
    // them over the results.
    void SetMeasured(TMeasuredCurves curves);
    // The measured curves, Davisson's and the 10 % D lines and the capacity points over the
    // results shown (again after the results or the curves changed).
    void ApplyLoadTests();
    // The capacities of the computed curve and of each measured curve; empty without results.
    std::vector<TCurveCapacities> LoadTestCapacities() const;
    // The pile as the capacity criteria take it, in the project's units.
    TCapacityPile CapacityPile() const;
    // The capacities as text in the units of the results shown; a line saying that there are
    // none without results.
    std::string CapacityText() const;

    bool ShowOutput = false;

    // A new project with default values and tables at their minimum rows.
    virtual void CreateNew();
    // Rebuilds the project from a data file of generation filter (1..3). Returns the text of a
    // reading error; what was read stays, the rest keeps its defaults. A project read only in
    // part never keeps the file's name: it becomes unnamed and changed, so that no Save can
    // overwrite the file with the part, and the text ends with PartialReadNote. The measured
    // curves of its side file come with it; a side file that cannot be read leaves none, and
    // its fault is added to the text.
    virtual std::optional<std::string> LoadFromFile(const std::string& fileName, int filter);
    // Writes the project to its file name and its measured curves beside it (or removes their
    // side file when there are none); throws std::exception on failure (the changed flag
    // then stays set).
    virtual void Save();

    // Switches the unit system of the scalars and every table.
    virtual void SetUnits(int system);

    // Result graphs: reads the plot data file into them; false on a reading error, which is
    // passed to report when reportErrors is set.
    virtual bool ReadPlotData(const std::string& plotFile, bool reportErrors,
                              const std::function<void(const std::string&)>& report);
    // The graph settings kept beside the project file: read after results were loaded, written
    // while results are shown. Failures are raised as std::exception with a message for the user.
    virtual void ReadGraphSettings();
    virtual void WriteGraphSettings();

    // What the data check before a run looks at, taken from the tables.
    virtual TCheckDataInput CheckDataInput() const;
    // The findings of the checks made before a run after the data check, each a warning the
    // user may run past. format renders a number for the messages.
    virtual std::vector<std::string>
    PreRunWarnings(const std::function<std::string(long double)>& format) const;
    // What the message after a run looks at besides the report.
    TRunFacts RunFacts(std::function<std::string(long double)> format) const;

protected:
    TProgramData fData;
    TProjectTables fTables;
    TResultGraphs fGraphs;
    char fDecimalSeparator = '.';
    TMeasuredCurves fMeasured;
    bool fMeasuredChanged = false;
    // The side file could not be read: a save leaves it for the user to mend, unless the
    // curves were set since.
    bool fMeasuredUnread = false;
};

} // namespace dorvek
