#include "model/workspace/ProjectSteps.h"

#include "model/tables/FloatColumn.h"
#include "model/tables/InputTables.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/Table.h"
#include "model/workspace/CheckData.h"
#include "model/workspace/FileNames.h"
#include "model/workspace/PreRunChecks.h"
#include "model/workspace/ProjectWorkspace.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

using TKind = TStepTarget::TKind;

// What the analysis can hold (more is refused or overrun by the kernel's store).
constexpr int MaxIncrements = 200;
constexpr int MaxLayers = 30;
constexpr int MaxAERows = 50;
constexpr int MaxTipMovements = 50;
constexpr int MaxHeadLoads = 50;

TStepTarget Command(TCommand command) {
    TStepTarget t;
    t.Kind = TKind::Command;
    t.Command = command;
    return t;
}

TStepTarget Choice(TOptionChoice choice) {
    TStepTarget t;
    t.Kind = TKind::Choice;
    t.Choice = choice;
    return t;
}

TStepItem Item(std::string key, std::string caption, std::string summary, TStepTarget target) {
    TStepItem item;
    item.Key = std::move(key);
    item.Caption = std::move(caption);
    item.Summary = std::move(summary);
    item.Target = target;
    return item;
}

void Warn(TStepItem& item, std::string reason) {
    if (item.Status == TStepStatus::Warning) return; // the first finding stays
    item.Status = TStepStatus::Warning;
    item.Reason = std::move(reason);
}

void Grey(TStepItem& item, std::string reason) {
    item.Status = TStepStatus::Unavailable;
    item.Reason = std::move(reason);
}

// Numbers and quantities of the summaries: four significant digits; in English units depths
// and lengths in feet, sections in inches, forces in kips.
class TUnitsText {
public:
    TUnitsText(int units, char separator) : fEnglish(units != 2), fSeparator(separator) {}

    std::string Number(long double v) const { return FormatGeneral(v, 4, fSeparator); }
    // Numbers of the run's own messages: in full.
    TNumberText Format() const {
        return [separator = fSeparator](long double v) { return FormatShortest(v, separator); };
    }
    std::string Depth(long double v) const {
        return fEnglish ? Number(v / 12) + " ft" : Number(v) + " m";
    }
    std::string DepthRange(long double from, long double to) const {
        return fEnglish ? Number(from / 12) + "-" + Number(to / 12) + " ft"
                        : Number(from) + "-" + Number(to) + " m";
    }
    std::string Section(long double v) const { return Number(v) + (fEnglish ? " in" : " m"); }
    std::string Area(long double v) const { return Number(v) + (fEnglish ? " in²" : " m²"); }
    std::string Movement(long double v) const { return Section(v); }
    std::string MovementRange(long double from, long double to) const {
        return Number(from) + "-" + Section(to);
    }
    std::string Force(long double v) const {
        return fEnglish ? Number(v / 1000) + " kips" : Number(v) + " kN";
    }
    std::string ForceRange(long double from, long double to) const {
        return fEnglish ? Number(from / 1000) + "-" + Number(to / 1000) + " kips"
                        : Number(from) + "-" + Number(to) + " kN";
    }
    std::string Stiffness(long double v) const { return Number(v) + (fEnglish ? " lb" : " kN"); }

private:
    bool fEnglish;
    char fSeparator;
};

std::vector<long double> Column(const TGridTable& table, int col) {
    std::vector<long double> values;
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.GetFloatValue(col, r));
    return values;
}

bool AllZero(const std::vector<long double>& values) {
    return std::all_of(values.begin(), values.end(), [](long double v) { return v == 0; });
}

// Every value shown in the table is zero: nothing was entered.
bool NothingEntered(const TGridTable& table) {
    for (int p = 0; p < table.VisibleColumnCount(); ++p) {
        const TColumn& column = table.VisibleColumn(p);
        if (!dynamic_cast<const TFloatColumn*>(&column)) continue;
        for (int r = 0; r < table.RowCount(); ++r)
            if (column.GetFloatValue(r) != 0) return false;
    }
    return true;
}

std::string Plural(int n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

bool IsClay(int soilType) {
    return soilType == 1 || soilType == 3 || soilType == 5;
}

std::string SoilTypeName(int soilType) {
    const auto& names = SoilTypeNames();
    if (soilType < 1 || soilType > static_cast<int>(names.size())) return "Soil type ?";
    return names[static_cast<size_t>(soilType - 1)];
}

// The worst state of the entries becomes the step's, when the step has none of its own.
void Aggregate(TStepItem& step) {
    if (step.Status != TStepStatus::Done) return;
    bool pending = false;
    bool usable = step.Entries.empty();
    for (const TStepItem& e : step.Entries) {
        if (e.Status == TStepStatus::Warning) {
            step.Status = TStepStatus::Warning;
            step.Reason = e.Caption + ": " + e.Reason;
            return;
        }
        if (e.Status == TStepStatus::Pending) pending = true;
        if (e.Status != TStepStatus::Unavailable) usable = true;
    }
    if (pending) step.Status = TStepStatus::Pending;
    if (!usable) Grey(step, step.Entries.front().Reason);
}

TStepItem TitleStep(const TProgramData& d) {
    const bool blank = d.Title.find_first_not_of(" \t") == std::string::npos;
    TStepItem step =
        Item("title", "Title", blank ? "(none)" : d.Title, Command(TCommand::DataTitle));
    if (blank) Warn(step, "Type a line that describes the project; it heads the report.");
    return step;
}

TStepItem PileStep(const TProgramData& d, const TInputTables& tables, const TUnitsText& u) {
    TStepItem props = Item("pile.properties", "Pile properties",
                           u.Depth(d.PLength) + " long, head at " + u.Depth(d.HeadCoord) + ", OD " +
                               u.Section(d.OD) + ", tip area " + u.Area(d.Tiparea),
                           Command(TCommand::DataPileProperties));
    if (!(d.PLength > 0)) Warn(props, "Enter the total pile length.");
    if (!(d.OD > 0)) Warn(props, "Enter the outer diameter.");
    if (!(d.Tiparea > 0)) Warn(props, "Enter the area of the pile tip.");
    if (d.NINC > MaxIncrements)
        Warn(props, "At most " + std::to_string(MaxIncrements) +
                        " increments can be analysed: lower the number of increments.");

    const TGridTable& aeTable = tables.TblAE2();
    const std::vector<long double> depths = Column(aeTable, 0), ae = Column(aeTable, 1);
    TStepTarget aeTarget;
    aeTarget.Kind = TKind::AETable;
    std::string aeSummary = Plural(aeTable.RowCount(), "row", "rows");
    if (!ae.empty()) {
        const auto [low, high] = std::minmax_element(ae.begin(), ae.end());
        aeSummary +=
            ", " + (*low == *high ? u.Stiffness(*low) : u.Number(*low) + "-" + u.Stiffness(*high));
    }
    TStepItem stiffness = Item("pile.ae", "AE vs. depth", aeSummary, aeTarget);
    for (size_t r = 0; r < ae.size(); ++r)
        if (!(ae[r] > 0))
            Warn(stiffness, "AE must be greater than 0 (row " + std::to_string(r + 1) + ").");
    for (size_t r = 1; r < depths.size(); ++r)
        if (!(depths[r] > depths[r - 1]))
            Warn(stiffness,
                 "The depths must increase from row to row (row " + std::to_string(r + 1) + ").");
    if (aeTable.RowCount() > MaxAERows)
        Warn(stiffness, "At most " + std::to_string(MaxAERows) + " rows can be analysed.");

    TStepItem step = Item("pile", "Pile",
                          u.Depth(d.PLength) + " long, OD " + u.Section(d.OD) + "; AE in " +
                              Plural(aeTable.RowCount(), "row", "rows"),
                          Command(TCommand::DataPileProperties));
    step.Entries = {props, stiffness};
    Aggregate(step);
    return step;
}

TStepItem LayersEntry(const TProgramData& d, const TInputTables& tables, const TUnitsText& u,
                      std::vector<TStepItem>& layerEntries) {
    const TGridTable& d2 = tables.D2();
    const int count = d2.RowCount();
    const long double tip = d.HeadCoord + d.PLength;
    std::string summary = Plural(count, "layer", "layers");
    TStepItem layers = Item("soil.layers", "Soil layers", "", Command(TCommand::DataSoilLayers));
    long double top = 0;
    int tipLayer = 0;
    for (int r = 0; r < count; ++r) {
        const int type = d2.GetIntValue(0, r);
        const long double bottom = d2.GetFloatValue(1, r);
        if (!(bottom > top))
            Warn(layers, r == 0 ? "The bottom of layer 1 must lie below the ground."
                                : "The bottom of layer " + std::to_string(r + 1) +
                                      " must lie below that of layer " + std::to_string(r) + ".");
        if (tipLayer == 0 && d.PLength > 0 && tip > top && tip <= bottom) tipLayer = r + 1;
        TStepTarget target;
        target.Kind = TKind::LayerData;
        target.Index = r;
        TStepItem layer =
            Item("soil.layer." + std::to_string(r + 1), "Layer " + std::to_string(r + 1),
                 SoilTypeName(type) + ", " + u.DepthRange(top, bottom), target);
        if (const TGridTable* data = d2.GetDataValue(2, r); data && NothingEntered(*data))
            Warn(layer, "Enter the layer's data: press its button in the soil-layer table, or "
                        "double-click here.");
        layerEntries.push_back(layer);
        top = std::max(top, bottom);
    }
    if (count > 0) summary += ", " + u.DepthRange(0, top);
    if (tipLayer > 0)
        summary += "; tip in layer " + std::to_string(tipLayer) + " (" +
                   (IsClay(d2.GetIntValue(0, tipLayer - 1)) ? "clay" : "sand") + ")";
    if (const auto below = CheckLayersReachTip(d, tables, u.Format())) Warn(layers, *below);
    if (const auto zero = CheckZeroStrengths(d, tables, u.Format())) Warn(layers, *zero);
    if (count > MaxLayers)
        Warn(layers, "At most " + std::to_string(MaxLayers) + " layers can be analysed.");
    layers.Summary = summary;
    return layers;
}

TStepItem SoilStep(const TProgramData& d, const TInputTables& tables, const TUnitsText& u) {
    TStepItem step = Item("soil", "Soil", "", Command(TCommand::DataSoilLayers));
    std::vector<TStepItem> layerEntries;
    if (d.SoilLayersInUse()) {
        TStepItem layers = LayersEntry(d, tables, u, layerEntries);
        step.Summary = layers.Summary;
        step.Entries.push_back(layers);
        for (TStepItem& layer : layerEntries) step.Entries.push_back(layer);
    } else {
        TStepItem layers =
            Item("soil.layers", "Soil layers", "not needed", Command(TCommand::DataSoilLayers));
        Grey(layers, "Not needed: both the t-z curves and the Q-w curve are entered by the "
                     "user (Options).");
        step.Entries.push_back(layers);
        step.Summary = "t-z and Q-w curves entered by the user";
        step.Target = Command(TCommand::DataTzCurves);
    }

    const TGridTable& depths = tables.TblTZDepth2();
    std::string tzSummary = Plural(depths.RowCount(), "curve", "curves");
    if (depths.RowCount() > 0)
        tzSummary += ", " + u.DepthRange(depths.GetFloatValue(0, 0),
                                         depths.GetFloatValue(0, depths.RowCount() - 1));
    TStepItem tz = Item("soil.tz", "User t-z curves", tzSummary, Command(TCommand::DataTzCurves));
    if (!d.UserTz) {
        tz.Summary = "generated from the layers";
        Grey(tz, "Choose \"t-z Curves: Entered by the user\" in Options first.");
    } else {
        for (int r = 0; r < depths.RowCount(); ++r)
            if (const TGridTable* curve = depths.GetDataValue(1, r);
                curve && NothingEntered(*curve)) {
                Warn(tz, "Enter the points of curve " + std::to_string(r + 1) + ".");
                break;
            }
    }
    step.Entries.push_back(tz);

    const TGridTable& qwTable = tables.TblQwcurve2();
    const std::vector<long double> q = Column(qwTable, 0), w = Column(qwTable, 1);
    std::string qwSummary = Plural(qwTable.RowCount(), "point", "points");
    if (!w.empty())
        qwSummary += ", w to " + u.Movement(*std::max_element(w.begin(), w.end())) + ", Q to " +
                     u.Force(*std::max_element(q.begin(), q.end()));
    TStepItem qw = Item("soil.qw", "User Q-w curve", qwSummary, Command(TCommand::DataQwCurve));
    if (!d.UserQw) {
        qw.Summary = "generated from the layers";
        Grey(qw, "Choose \"Q-w Curve: Entered by the user\" in Options first.");
    } else if (NothingEntered(qwTable)) {
        Warn(qw, "Enter the points of the tip curve.");
    }
    step.Entries.push_back(qw);
    Aggregate(step);
    return step;
}

const char* LoadMethodName(int method) {
    switch (method) {
    case 1:
        return "User-Specified Tip Movements";
    case 2:
        return "User-Specified Loads at Pile Head";
    default:
        return "Internal Generation of Tip Movements";
    }
}

TStepItem LoadingStep(const TProgramData& d, const TInputTables& tables, const TUnitsText& u) {
    TStepItem method = Item("loading.method", "Load method", LoadMethodName(d.Nloadmethod),
                            Choice(TOptionChoice::LoadMethod));

    const std::vector<long double> tips = Column(tables.TblTipMove(), 0);
    std::string tipSummary = Plural(static_cast<int>(tips.size()), "tip movement", "tip movements");
    if (!tips.empty()) {
        const auto [low, high] = std::minmax_element(tips.begin(), tips.end());
        tipSummary += ", " + u.MovementRange(*low, *high);
    }
    TStepItem tip =
        Item("loading.tips", "Tip movements", tipSummary, Command(TCommand::DataTipMovements));
    if (d.Nloadmethod != 1) {
        tip.Summary = "not used";
        Grey(tip, "Choose a load method in Options first: \"User-Specified Tip Movements\".");
    } else {
        if (const auto zero = CheckLoadingNotZero(d, tables)) Warn(tip, *zero);
        if (static_cast<int>(tips.size()) > MaxTipMovements)
            Warn(tip,
                 "At most " + std::to_string(MaxTipMovements) + " tip movements can be analysed.");
    }

    const std::vector<long double> loads = Column(tables.TblTopload(), 0);
    std::string loadSummary = Plural(static_cast<int>(loads.size()), "head load", "head loads");
    if (!loads.empty()) {
        const auto [low, high] = std::minmax_element(loads.begin(), loads.end());
        loadSummary += ", " + (*low == *high ? u.Force(*low) : u.ForceRange(*low, *high));
    }
    TStepItem head = Item("loading.loads", "Loads at pile head", loadSummary,
                          Command(TCommand::DataPileHeadLoads));
    if (d.Nloadmethod != 2) {
        head.Summary = "not used";
        Grey(head, "Choose a load method in Options first: \"User-Specified Loads at Pile Head\".");
    } else {
        if (const auto zero = CheckLoadingNotZero(d, tables)) Warn(head, *zero);
        if (static_cast<int>(loads.size()) > MaxHeadLoads)
            Warn(head, "At most " + std::to_string(MaxHeadLoads) + " loads can be analysed.");
    }

    const TGridTable& settlementTable = tables.TblSettlement2();
    const std::vector<long double> sDepth = Column(settlementTable, 0),
                                   settlement = Column(settlementTable, 1);
    std::string sSummary = Plural(settlementTable.RowCount(), "point", "points");
    if (!sDepth.empty())
        sSummary += ", " + u.DepthRange(sDepth.front(), sDepth.back()) + ", up to " +
                    u.Movement(*std::max_element(settlement.begin(), settlement.end()));
    TStepItem soil = Item("loading.settlement", "Soil settlement (down-drag)", sSummary,
                          Command(TCommand::DataSettlement));
    if (d.downdrag != 1) {
        soil.Summary = "not used";
        Grey(soil, "Turn on \"Include Down-Drag (negative Skin Friction)\" in Options first.");
    } else if (AllZero(settlement)) {
        Warn(soil, "Enter the settlement of the soil against depth.");
    }

    std::string summary = d.Nloadmethod == 1   ? tip.Summary
                          : d.Nloadmethod == 2 ? head.Summary
                                               : "tip movements generated by the program";
    if (d.downdrag == 1) summary += "; down-drag";
    TStepItem step = Item("loading", "Loading", summary,
                          d.Nloadmethod == 1   ? Command(TCommand::DataTipMovements)
                          : d.Nloadmethod == 2 ? Command(TCommand::DataPileHeadLoads)
                                               : Choice(TOptionChoice::LoadMethod));
    step.Entries = {method, tip, head, soil};
    Aggregate(step);
    return step;
}

TStepItem OptionsStep(const TProgramData& d) {
    TStepItem step = Item("options", "Options", "", Choice(TOptionChoice::Units));
    for (const TOptionState& o : OptionStates(d))
        step.Entries.push_back(Item("options." + o.Key, o.Label, o.Value, Choice(o.Choice)));
    const char* const curves[2][2] = {{"generated curves", "user Q-w curve"},
                                      {"user t-z curves", "user curves"}};
    const char* const loads[] = {"generated tip movements", "user tip movements",
                                 "pile-head loads"};
    std::string modifiers;
    auto add = [&](bool on, const char* name) {
        if (on) modifiers += (modifiers.empty() ? "" : ", ") + std::string(name) + " ON";
    };
    add(d.downdrag == 1, "down-drag");
    add(d.ModTZ == 1, "t-z factors");
    add(d.ModQw == 1, "Q-w factors");
    step.Summary = std::string(d.fUnits == 2 ? "S.I." : "English") + ", " +
                   curves[d.UserTz][d.UserQw] + ", " + loads[std::clamp(d.Nloadmethod, 0, 2)] +
                   "; " + (modifiers.empty() ? "no down-drag, no factors" : modifiers);
    return step;
}

TStepItem RunStep(const TProjectWorkspace& project, const TStepsContext& context,
                  const std::vector<TStepItem>& before) {
    TStepItem step = Item("run", "Run", "", Command(TCommand::RunAnalysis));
    const auto format = [&](long double v) { return FormatShortest(v, context.DecimalSeparator); };
    // The checks the run makes before it starts: the tip movements against the user curves,
    // then the values single precision cannot hold (the others belong to their steps).
    auto warning = CheckData(project.CheckDataInput(), format);
    if (!warning) warning = CheckSinglePrecision(project.Data(), project.Tables(), format);
    const bool results = project.ShowOutput && context.Files.PlotFileExists;
    int attention = 0;
    for (const TStepItem& s : before) attention += s.Status == TStepStatus::Warning;
    if (warning) {
        step.Summary = warning->substr(0, warning->find('\n'));
        Warn(step, *warning);
    } else if (results && !project.Changed()) {
        step.Summary = "results of the last run are shown";
    } else {
        step.Status = TStepStatus::Pending;
        step.Summary = results ? "the data changed since the last run" : "not run yet";
        if (IsUnnamed(project.Data().FileName)) step.Summary += "; asks for a file name first";
    }
    if (attention > 0 && !warning)
        step.Summary += "; " + Plural(attention, "step needs", "steps need") + " attention";
    return step;
}

std::string MenuText(const char* caption) {
    std::string text;
    for (const char* c = caption; *c; ++c)
        if (*c != '&') text += *c;
    return text;
}

TStepItem ResultsStep(const TProjectWorkspace& project, const TStepsContext& context) {
    const TProgramData& d = project.Data();
    const TCommandContext& ctx = context.Files;
    TStepItem step = Item("results", "Results", "", Command(TCommand::PlotAxial));
    const char* const runFirst = "Run the analysis first.";

    TStepItem report = Item("results.report", "Report", "", Command(TCommand::ViewReport));
    if (!MenuItemEnabled(TCommand::ViewReport, d, ctx)) Grey(report, runFirst);
    step.Entries.push_back(report);

    struct TGraph {
        TCommand Command;
        const char* Key;
        const char* Caption;
    };
    const TGraph graphs[] = {
        {TCommand::PlotAxial, "axial", "&Axial Load vs Settlement"},
        {TCommand::PlotLoad, "load", "Load &Distribution"},
        {TCommand::PlotDisp, "disp", "Displacement Distribution"},
        {TCommand::PlotDispDown, "dispsoil", "Displ. Distribution/Soil Settlement"},
        {TCommand::PlotTz, "tz", "t-&z Curves (side friction)"},
        {TCommand::PlotQw, "qw", "Q-&w Curve (tip resistance)"},
        {TCommand::PlotAxialLoads, "axialapplied", "Axial Load vs Settlement (Applied Loads)"},
        {TCommand::PlotLoadLoads, "loadapplied", "Load Distribution (Applied Loads)"},
        {TCommand::PlotDispLoads, "dispapplied", "Displacement Distribution (Applied Loads)"},
    };
    for (const TGraph& g : graphs) {
        // Only the graphs the options offer.
        if (g.Command == TCommand::PlotDispDown && d.downdrag != 1) continue;
        const bool applied = g.Command == TCommand::PlotAxialLoads ||
                             g.Command == TCommand::PlotLoadLoads ||
                             g.Command == TCommand::PlotDispLoads;
        if (applied && d.Nloadmethod != 2) continue;
        TStepItem graph =
            Item(std::string("results.") + g.Key, MenuText(g.Caption), "", Command(g.Command));
        if (!MenuItemEnabled(g.Command, d, ctx)) Grey(graph, runFirst);
        step.Entries.push_back(graph);
    }
    if (MenuItemVisible(TCommand::ViewSoilProfile, d))
        step.Entries.push_back(Item("results.profile", "Soil profile", "the pile in its layers",
                                    Command(TCommand::ViewSoilProfile)));

    const bool results = MenuItemEnabled(TCommand::PlotAxial, d, ctx);
    // A project with load tests: their capacities after a run, their curves before.
    if (const TMeasuredCurves& measured = project.Measured(); !measured.empty()) {
        std::string names;
        for (const TMeasuredCurve& c : measured.curves)
            names += (names.empty() ? "" : ", ") + c.name;
        const int n = static_cast<int>(measured.curves.size());
        step.Entries.push_back(
            Item("results.loadtests", "Load tests",
                 Plural(n, "measured curve", "measured curves") + ": " + names,
                 Command(results ? TCommand::ViewCapacities : TCommand::DataMeasuredCurves)));
    }
    step.Summary = results ? "report and graphs of the last run" : "after a run";
    if (!results) Grey(step, runFirst);
    return step;
}

} // namespace

std::vector<TStepItem> ProjectSteps(const TProjectWorkspace& project,
                                    const TStepsContext& context) {
    const TProgramData& d = project.Data();
    const TInputTables& tables = project.Tables();
    const TUnitsText units(d.fUnits, context.DecimalSeparator);
    std::vector<TStepItem> steps;
    steps.push_back(TitleStep(d));
    steps.push_back(PileStep(d, tables, units));
    steps.push_back(SoilStep(d, tables, units));
    steps.push_back(LoadingStep(d, tables, units));
    steps.push_back(OptionsStep(d));
    steps.push_back(RunStep(project, context, steps));
    steps.push_back(ResultsStep(project, context));
    return steps;
}

std::vector<TOptionState> OptionStates(const TProgramData& d) {
    auto source = [](bool user) {
        return std::string(user ? "entered by the user" : "generated by the program");
    };
    auto onOff = [](int flag) { return std::string(flag == 1 ? "on" : "off"); };
    const char* const loads[] = {"generated tip movements", "user tip movements",
                                 "pile-head loads"};
    return {
        {TOptionChoice::Units, "units", "Units",
         d.fUnits == 2 ? "S.I. (kN, m)" : "English (lb, in)", d.fUnits == 2,
         d.fUnits == 2 ? "S.I. units" : "English units"},
        {TOptionChoice::TzSource, "tz", "t-z curves", source(d.UserTz), d.UserTz,
         d.UserTz ? "t-z: user" : "t-z: generated"},
        {TOptionChoice::QwSource, "qw", "Q-w curve", source(d.UserQw), d.UserQw,
         d.UserQw ? "Q-w: user" : "Q-w: generated"},
        {TOptionChoice::LoadMethod, "load", "Load method", LoadMethodName(d.Nloadmethod),
         d.Nloadmethod != 0, loads[std::clamp(d.Nloadmethod, 0, 2)]},
        {TOptionChoice::Downdrag, "downdrag", "Down-drag", onOff(d.downdrag), d.downdrag == 1,
         "down-drag: " + onOff(d.downdrag)},
        {TOptionChoice::TzFactors, "tzfactors", "t-z factors", onOff(d.ModTZ), d.ModTZ == 1,
         "t-z factors: " + onOff(d.ModTZ)},
        {TOptionChoice::QwFactors, "qwfactors", "Q-w factors", onOff(d.ModQw), d.ModQw == 1,
         "Q-w factors: " + onOff(d.ModQw)},
    };
}

std::string StatusPart(const TOptionState& option) {
    return option.Value == "on" ? option.Label + ": ON" : option.Short;
}

std::string OptionsStatusText(const TProgramData& data) {
    std::string text;
    for (const TOptionState& o : OptionStates(data)) {
        if (!text.empty()) text += "  |  ";
        text += StatusPart(o);
    }
    return text;
}

} // namespace dorvek
