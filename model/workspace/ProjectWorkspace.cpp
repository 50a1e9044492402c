#include "model/workspace/ProjectWorkspace.h"

#include "model/plots/GraphSettings.h"
#include "model/plots/PlotProject.h"
#include "model/plots/PltData.h"
#include "model/workspace/PreRunChecks.h"

#include <exception>

namespace dorvek {

void TProjectWorkspace::CreateNew() {
    fData.Create(fTables);
}

std::optional<std::string> TProjectWorkspace::LoadFromFile(const std::string& fileName,
                                                           int filter) {
    try {
        fData.CreateFromFile(fileName, filter, fTables);
    } catch (const std::exception& e) {
        // A reading error, or any other failure part way: the file holds more than was read.
        fData.FileName = TProgramData::NewFileName;
        SetChanged();
        return std::string(e.what()) + "\n" + PartialReadNote;
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

std::vector<std::string>
TProjectWorkspace::PreRunWarnings(const std::function<std::string(long double)>& format) const {
    return dorvek::PreRunWarnings(fData, fTables.Tables(), format);
}

TRunFacts TProjectWorkspace::RunFacts(std::function<std::string(long double)> format) const {
    TRunFacts facts;
    facts.Units = fData.fUnits;
    facts.TipDepth = fData.HeadCoord + fData.PLength;
    const TGridTable& layers = fTables.Tables().D2();
    facts.SoilLayers = fData.SoilLayersInUse() && layers.RowCount() > 0;
    if (facts.SoilLayers) facts.LastBottom = layers.GetFloatValue(1, layers.RowCount() - 1);
    facts.Format = std::move(format);
    return facts;
}

} // namespace dorvek
