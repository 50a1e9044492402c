#include "model/workspace/Commands.h"

#include "model/workspace/FileNames.h"

namespace dorvek {

TCommandContext MakeCommandContext(const TProgramData& data, bool showOutput) {
    TCommandContext ctx;
    ctx.ShowOutput = showOutput;
    ctx.ProjectFileExists = FileExists(data.FileName);
    ctx.RunNotesExists = FileExists(RunNotesFileOf(data.FileName));
    ctx.OutputExists = FileExists(OutputFileOf(data.FileName));
    ctx.PlotFileExists = FileExists(PlotFileOf(data.FileName));
    return ctx;
}

namespace {

bool SoilLayersInUse(const TProgramData& d) {
    return !(d.UserTz && d.UserQw);
}

// Rules shared by the menu and the toolbar.
bool DataRule(TCommand c, const TProgramData& d, bool& known) {
    known = true;
    switch (c) {
    case TCommand::DataSoilLayers:
        return SoilLayersInUse(d);
    case TCommand::DataTzCurves:
        return d.UserTz;
    case TCommand::DataQwCurve:
        return d.UserQw;
    case TCommand::DataTipMovements:
        return d.Nloadmethod == 1;
    case TCommand::DataPileHeadLoads:
        return d.Nloadmethod == 2;
    case TCommand::DataSettlement:
        return d.downdrag == 1;
    case TCommand::DataTzFactors:
        return d.ModTZ == 1;
    case TCommand::DataQwFactors:
        return d.ModQw == 1;
    default:
        known = false;
        return true;
    }
}

bool PlotRule(TCommand c, const TProgramData& d, const TCommandContext& ctx, bool& known) {
    known = true;
    const bool results = ctx.ShowOutput && ctx.PlotFileExists;
    switch (c) {
    case TCommand::PlotLoad:
    case TCommand::PlotDisp:
    case TCommand::PlotAxial:
    case TCommand::PlotTz:
    case TCommand::PlotQw:
    case TCommand::ExportPlots:
    case TCommand::ViewCapacities:
        return results;
    case TCommand::PlotDispDown:
        return results && d.downdrag == 1;
    case TCommand::PlotLoadLoads:
    case TCommand::PlotDispLoads:
    case TCommand::PlotAxialLoads:
        return results && d.Nloadmethod == 2;
    default:
        known = false;
        return true;
    }
}

} // namespace

bool MenuItemEnabled(TCommand c, const TProgramData& d, const TCommandContext& ctx) {
    bool known = false;
    if (const bool on = DataRule(c, d, known); known) return on;
    if (const bool on = PlotRule(c, d, ctx, known); known) return on;
    switch (c) {
    case TCommand::EditInputText:
        return ctx.ProjectFileExists;
    case TCommand::EditRunNotes:
        return ctx.RunNotesExists;
    case TCommand::EditOutputText:
    case TCommand::ViewReport:
        return ctx.OutputExists;
    default:
        return true;
    }
}

bool MenuItemVisible(TCommand c, const TProgramData& d) {
    // The soil-profile view draws the soil layers, so it is offered while they are in use.
    if (c == TCommand::ViewSoilProfile) return SoilLayersInUse(d);
    return true;
}

bool ToolButtonEnabled(TCommand c, const TProgramData& d, const TCommandContext& ctx) {
    bool known = false;
    if (const bool on = DataRule(c, d, known); known) return on;
    if (const bool on = PlotRule(c, d, ctx, known); known) return on;
    if (c == TCommand::EditOutputText) return ctx.ShowOutput && ctx.OutputExists;
    // The report explains a run that stopped as well, which shows no results.
    if (c == TCommand::ViewReport) return ctx.OutputExists;
    return true;
}

} // namespace dorvek
