#include "model/workspace/ProjectWorkspace.h"

#include "model/io/ReadError.h"
#include "model/plots/GraphSettings.h"
#include "model/plots/PlotProject.h"
#include "model/plots/PltData.h"

namespace dorvek {

void TProjectWorkspace::CreateNew() {
    fData.Create(fTables);
}

std::optional<std::string> TProjectWorkspace::LoadFromFile(const std::string& fileName,
                                                           int filter) {
    try {
        fData.CreateFromFile(fileName, filter, fTables);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return std::nullopt;
}

void TProjectWorkspace::Save() {
    fData.Save(fTables);
}

void TProjectWorkspace::SetUnits(int system) {
    fData.SetUnits(system, fTables.Tables());
}

bool TProjectWorkspace::ReadPlotData(const std::string& plotFile, bool reportErrors,
                                     const std::function<void(const std::string&)>& report) {
    return dorvek::ReadPlotData(fGraphs, plotFile, reportErrors,
                                PlotProjectInfoFrom(fData, fTables.Tables(), fDecimalSeparator),
                                report);
}

void TProjectWorkspace::ReadGraphSettings() {
    ReadGraphParams(fGraphs, fData.FileName, ShowOutput, fData.downdrag);
}

void TProjectWorkspace::WriteGraphSettings() {
    SaveGraphParams(fGraphs, fData.FileName, ShowOutput, fData.downdrag);
}

TCheckDataInput TProjectWorkspace::CheckDataInput() const {
    const TInputTables& t = fTables.Tables();
    TCheckDataInput in;
    in.Nloadmethod = fData.Nloadmethod;
    in.UserQw = fData.UserQw;
    in.UserTz = fData.UserTz;
    const TGridTable& tips = t.TblTipMove();
    for (int r = 0; r < tips.RowCount(); ++r) in.TipMovements.push_back(tips.GetFloatValue(0, r));
    const TGridTable& qw = t.TblQwcurve2();
    if (qw.RowCount() > 0) in.LastQwMovement = qw.GetFloatValue(1, qw.RowCount() - 1);
    const TGridTable& depths = t.TblTZDepth2();
    for (int r = 0; r < depths.RowCount(); ++r) {
        const TGridTable* curve = depths.GetDataValue(1, r);
        if (curve && curve->RowCount() > 0)
            in.LastTzMovements.push_back(curve->GetFloatValue(1, curve->RowCount() - 1));
        else
            in.LastTzMovements.push_back(std::nullopt);
    }
    return in;
}

} // namespace dorvek
