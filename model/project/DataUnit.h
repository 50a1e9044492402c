#pragma once
// DataUnit: the project (TProgramData, its file reading and writing) and the owner of the
// input tables and the data-changed flag, which the main window holds.

#include "model/project/ProgramData.h"
#include "model/tables/InputTables.h"

#include <string>

namespace dorvek {

// Generations of the data file, as the open dialog numbers its file types.
constexpr int FilterCurrent = 1; // ".dv4d"
constexpr int Filter2014 = 2;    // ".dv3d"
constexpr int Filter20 = 3;      // ".dvd"

// 1..3 by the file name's extension (any letter case); 0 for another extension.
int FilterFromExtension(const std::string& fileName);

// The input tables of the program and the data-changed flag. The project counts as changed
// when the flag is set or any table reports a change; clearing clears both.
class TProjectTables {
public:
    TInputTables& Tables() { return fTables; }
    const TInputTables& Tables() const { return fTables; }

    bool Changed() const { return FChanged || fTables.Changed(); }
    void SetChanged() { FChanged = true; }
    void ResetChanged();

private:
    TInputTables fTables;
    bool FChanged = false;
};

} // namespace dorvek
