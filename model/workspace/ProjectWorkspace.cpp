#include "model/workspace/ProjectWorkspace.h"

#include "model/plots/GraphSettings.h"
#include "model/plots/PlotProject.h"
#include "model/plots/PltData.h"
#include "model/workspace/PreRunChecks.h"

#include <exception>

namespace dorvek {

void TProjectWorkspace::CreateNew() {
    fData.Create(fTables);
    fMeasured = {};
    fMeasured.units = fData.fUnits;
    fMeasuredChanged = false;
    fMeasuredUnread = false;
}

std::optional<std::string> TProjectWorkspace::LoadFromFile(const std::string& fileName,
                                                           int filter) {
    std::optional<std::string> readError, measuredError;
    try {
        fData.CreateFromFile(fileName, filter, fTables);
    } catch (const std::exception& e) {
        // A reading error, or any other failure part way: the file holds more than was read.
        fData.FileName = TProgramData::NewFileName;
        SetChanged();
        readError = e.what();
    }
    fMeasured = {};
    fMeasured.units = fData.fUnits;
    fMeasuredChanged = false;
    fMeasuredUnread = false;
    try {
        TMeasuredCurves curves = ReadMeasuredCurves(fileName);
        ConvertMeasuredCurves(curves, fData.fUnits);
        fMeasured = std::move(curves);
    } catch (const EInOutError& e) {
        measuredError =
            std::string(e.what()) + "\nThe measured load-settlement curves were not read.";
        fMeasuredUnread = true;
    }
    if (!readError && !measuredError) return std::nullopt;
    std::string text = readError.value_or("");
    if (measuredError) text += (text.empty() ? "" : "\n") + *measuredError;
    if (readError) text += "\n" + std::string(PartialReadNote);
    return text;
}

void TProjectWorkspace::Save() {
    fData.Save(fTables);
    if (!fMeasuredUnread || fMeasuredChanged) {
        WriteMeasuredCurves(fData.FileName, fMeasured);
        fMeasuredUnread = false;
    }
    fMeasuredChanged = false;
}

void TProjectWorkspace::SetUnits(int system) {
    fData.SetUnits(system, fTables.Tables());
    ConvertMeasuredCurves(fMeasured, fData.fUnits);
}

bool TProjectWorkspace::ReadPlotData(const std::string& plotFile, bool reportErrors,
                                     const std::function<void(const std::string&)>& report) {
    const bool read = dorvek::ReadPlotData(
        fGraphs, plotFile, reportErrors,
        PlotProjectInfoFrom(fData, fTables.Tables(), fDecimalSeparator), report);
    if (read) ApplyLoadTests();
    return read;
}

void TProjectWorkspace::SetMeasured(TMeasuredCurves curves) {
    ConvertMeasuredCurves(curves, fData.fUnits);
    fMeasured = std::move(curves);
    fMeasuredChanged = true;
    ApplyLoadTests();
}

TCapacityPile TProjectWorkspace::CapacityPile() const {
    return CapacityPileFrom(fData, fTables.Tables());
}

void TProjectWorkspace::ApplyLoadTests() {
    if (fGraphs.Summary.units == 0) return; // no results
    AddLoadTestOverlay(fGraphs, fData.downdrag == 1, fMeasured, CapacityPile());
}

std::string TProjectWorkspace::CapacityText() const {
    const std::vector<TCurveCapacities> capacities = LoadTestCapacities();
    if (capacities.empty()) return "No results: run the analysis first.";
    return CapacitySummaryText(capacities,
                               CapacityPileInUnits(CapacityPile(), fGraphs.Summary.units));
}

std::vector<TCurveCapacities> TProjectWorkspace::LoadTestCapacities() const {
    if (!ShowOutput || fGraphs.Summary.units == 0) return {};
    return dorvek::LoadTestCapacities(fGraphs.Summary, fData.downdrag == 1, fMeasured,
                                      CapacityPile());
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
