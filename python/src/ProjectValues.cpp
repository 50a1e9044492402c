#include "python/src/ProjectValues.h"

#include "model/io/AtomicFile.h"
#include "model/project/DataUnit.h"
#include "model/project/PileFields.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/Table.h"
#include "model/workspace/CheckData.h"
#include "model/workspace/PreRunChecks.h"

#include <cmath>
#include <map>

namespace dorvek::python {

namespace {

constexpr int kLayerTypeColumn = 0, kLayerBottomColumn = 1, kLayerDataColumn = 2;
constexpr int kCurveDepthColumn = 0, kCurvePointsColumn = 1;

const std::map<std::string, const TPileField*>& PileFieldsByName() {
    static const std::map<std::string, const TPileField*> fields = {
        {"length", &PileFields::Length},         {"head", &PileFields::Head},
        {"increments", &PileFields::Increments}, {"diameter", &PileFields::Diameter},
        {"tip_area", &PileFields::TipArea},      {"tolerance", &PileFields::Tolerance},
    };
    return fields;
}

std::string NumberText(long double value) {
    if (std::isnan(value)) return "nan";
    return value > 0 ? "inf" : "-inf";
}

// A cell's value as the table takes it: finite, or the entry's message.
void CheckNumber(const std::string& where, long double value) {
    if (!std::isfinite(value))
        throw ValueFault(where + ": " + NumberText(value) + " is not a valid number.");
}

std::string RowsMessage(const std::string& name, const std::string& caption, int least, int most,
                        int rows) {
    const std::string limits =
        std::to_string(least) + (most > 0 ? " to " + std::to_string(most) : " or more");
    return name + ": the table \"" + caption + "\" takes " + limits + " rows, not " +
           std::to_string(rows);
}

std::string RowsMessage(const std::string& name, const TGridTable& table, int rows) {
    return RowsMessage(name, table.Caption(), table.MinRows(), table.MaxRows(), rows);
}

// A table in use needs its minimum rows (a file read always has them: the reader fills up).
void CheckRows(const std::string& name, const Rows& rows, const TGridTable& table, bool inUse) {
    for (int r = 0; r < rows.Count(); ++r)
        for (int c = 0; c < rows.columns; ++c)
            if (!std::isfinite(rows.At(r, c)))
                CheckNumber(name + "[" + std::to_string(r) + "]", rows.At(r, c));
    if (inUse && rows.Count() < table.MinRows())
        throw ValueFault(RowsMessage(name, table, rows.Count()));
}

Rows RowsOf(const TGridTable& table, int columns) {
    Rows rows{columns, {}};
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < columns; ++c) rows.cells.push_back(table.GetFloatValue(c, r));
    return rows;
}

// The rows into the table; a table left with fewer than its minimum gets default rows, as
// after reading a file.
void PutRows(TGridTable& table, const Rows& rows) {
    table.SetRowCount(0);
    table.SetRowCount(rows.Count());
    for (int r = 0; r < rows.Count(); ++r)
        for (int c = 0; c < rows.columns; ++c) table.SetFloatValue(c, r, rows.At(r, c));
    if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
}

ProjectValues FromModel(const TProgramData& d, const TInputTables& t) {
    ProjectValues v;
    v.title = d.Title;
    v.units = d.fUnits;
    v.length = d.PLength;
    v.head = d.HeadCoord;
    v.diameter = d.OD;
    v.tipArea = d.Tiparea;
    v.tolerance = d.Tolerance;
    v.increments = d.NINC;
    v.printOption = d.LSO;
    v.userTz = d.UserTz;
    v.userQw = d.UserQw;
    v.loading = d.Nloadmethod;
    v.downdrag = d.downdrag == 1;
    v.modifyTz = d.ModTZ == 1;
    v.modifyQw = d.ModQw == 1;
    v.qFactor = d.QFactor;
    v.wFactor = d.wFactor;

    v.ae = RowsOf(t.TblAE2(), 2);
    v.qwCurve = RowsOf(t.TblQwcurve2(), 2);
    v.settlement = RowsOf(t.TblSettlement2(), 2);
    v.tzFactors = RowsOf(t.TblTZFactors2(), 3);
    v.tipMovements = RowsOf(t.TblTipMove(), 1);
    v.headLoads = RowsOf(t.TblTopload(), 1);

    const TGridTable& layers = t.D2();
    for (int k = 0; k < layers.RowCount(); ++k) {
        LayerValues layer;
        layer.soilType = layers.GetIntValue(kLayerTypeColumn, k);
        layer.bottom = layers.GetFloatValue(kLayerBottomColumn, k);
        if (const TGridTable* data = layers.GetDataValue(kLayerDataColumn, k))
            for (int row = 0; row < 2 && row < data->RowCount(); ++row)
                for (int c = 0; c < 9; ++c)
                    layer.properties[static_cast<std::size_t>(row)][static_cast<std::size_t>(c)] =
                        data->GetFloatValue(c, row);
        v.layers.push_back(layer);
    }
    const TGridTable& depths = t.TblTZDepth2();
    for (int r = 0; r < depths.RowCount(); ++r) {
        CurveValues curve;
        curve.depth = depths.GetFloatValue(kCurveDepthColumn, r);
        if (const TGridTable* points = depths.GetDataValue(kCurvePointsColumn, r))
            curve.points = RowsOf(*points, 2);
        v.tzCurves.push_back(std::move(curve));
    }
    return v;
}

void CheckValues(const ProjectValues& v, const TProgramData& d, const TInputTables& t) {
    if (v.units != 1 && v.units != 2)
        throw ValueFault("units: 1 (English) or 2 (S.I.), not " + std::to_string(v.units));
    if (v.loading < 0 || v.loading > 2)
        throw ValueFault(
            "loading: 0 (generated tip movements), 1 (tip movements) or 2 (pile-head loads), not " +
            std::to_string(v.loading));
    // The dialog's limits apply to values set (see PileValueFault), not to those of a file.
    CheckNumber("length", v.length);
    CheckNumber("head", v.head);
    CheckNumber("diameter", v.diameter);
    CheckNumber("tip_area", v.tipArea);
    CheckNumber("tolerance", v.tolerance);
    CheckNumber("q_factor", v.qFactor);
    CheckNumber("w_factor", v.wFactor);

    CheckRows("ae", v.ae, t.TblAE2(), true);
    CheckRows("qw_curve", v.qwCurve, t.TblQwcurve2(), d.UserQw);
    CheckRows("settlement", v.settlement, t.TblSettlement2(), d.SettlementInUse());
    CheckRows("tz_factors", v.tzFactors, t.TblTZFactors2(), d.TZFactorsInUse());
    CheckRows("tip_movements", v.tipMovements, t.TblTipMove(), d.TipMovesInUse());
    CheckRows("head_loads", v.headLoads, t.TblTopload(), d.TopLoadsInUse());

    for (std::size_t k = 0; k < v.layers.size(); ++k) {
        const LayerValues& layer = v.layers[k];
        const std::string where = "layers[" + std::to_string(k) + "]";
        CheckNumber(where + ".bottom", layer.bottom);
        for (std::size_t c = 0; c < 9; ++c)
            for (std::size_t row = 0; row < 2; ++row)
                if (!std::isfinite(layer.properties[row][c]))
                    CheckNumber(where + "." + LayerPropertyNames()[c], layer.properties[row][c]);
    }
    const int layerCount = static_cast<int>(v.layers.size());
    if (d.SoilLayersInUse() && layerCount < t.D2().MinRows())
        throw ValueFault(RowsMessage("layers", t.D2(), layerCount));

    for (std::size_t r = 0; r < v.tzCurves.size(); ++r) {
        const CurveValues& curve = v.tzCurves[r];
        const std::string where = "tz_curves[" + std::to_string(r) + "]";
        CheckNumber(where + ".depth", curve.depth);
        CheckRows(where + ".points", curve.points, t.TblTZCurves2(), d.UserTz);
    }
    const int curveCount = static_cast<int>(v.tzCurves.size());
    if (d.UserTz && curveCount < t.TblTZDepth2().MinRows())
        throw ValueFault(RowsMessage("tz_curves", t.TblTZDepth2(), curveCount));
}

// The values into a fresh project model, checked first.
void ToModel(const ProjectValues& v, TProjectTables& owner, TProgramData& d) {
    TInputTables& t = owner.Tables();
    d.Create(owner);
    d.UserTz = v.userTz;
    d.UserQw = v.userQw;
    d.Nloadmethod = v.loading;
    d.downdrag = v.downdrag ? 1 : 0;
    d.ModTZ = v.modifyTz ? 1 : 0;
    d.ModQw = v.modifyQw ? 1 : 0;
    CheckValues(v, d, t);

    d.SetUnits(v.units, t);
    d.Title = v.title;
    d.PLength = v.length;
    d.HeadCoord = v.head;
    d.OD = v.diameter;
    d.Tiparea = v.tipArea;
    d.Tolerance = v.tolerance;
    d.NINC = v.increments;
    d.LSO = v.printOption;
    d.METHOD = v.userTz && v.userQw ? 1 : 2;
    d.CircPile = d.METHOD == 2;
    d.QFactor = v.qFactor;
    d.wFactor = v.wFactor;

    PutRows(t.TblAE2(), v.ae);
    PutRows(t.TblQwcurve2(), v.qwCurve);
    PutRows(t.TblSettlement2(), v.settlement);
    PutRows(t.TblTZFactors2(), v.tzFactors);
    PutRows(t.TblTipMove(), v.tipMovements);
    PutRows(t.TblTopload(), v.headLoads);

    // As the reader fills them: the soil type first, so that the layer gets the data table
    // of its type.
    TGridTable& layers = t.D2();
    layers.SetRowCount(0);
    layers.SetRowCount(static_cast<int>(v.layers.size()));
    for (int k = 0; k < layers.RowCount(); ++k) {
        const LayerValues& layer = v.layers[static_cast<std::size_t>(k)];
        layers.SetIntValue(kLayerTypeColumn, k, layer.soilType);
        layers.SetFloatValue(kLayerBottomColumn, k, layer.bottom);
        if (TGridTable* data = layers.GetDataValue(kLayerDataColumn, k)) {
            data->SetRowCount(data->MinRows());
            for (int row = 0; row < 2 && row < data->RowCount(); ++row)
                for (int c = 0; c < 9; ++c)
                    data->SetFloatValue(c, row,
                                        layer.properties[static_cast<std::size_t>(row)]
                                                        [static_cast<std::size_t>(c)]);
        }
    }
    if (layers.RowCount() < layers.MinRows()) layers.SetRowCount(layers.MinRows());

    TGridTable& depths = t.TblTZDepth2();
    depths.SetRowCount(0);
    depths.SetRowCount(static_cast<int>(v.tzCurves.size()));
    for (int r = 0; r < depths.RowCount(); ++r) {
        const CurveValues& curve = v.tzCurves[static_cast<std::size_t>(r)];
        depths.SetFloatValue(kCurveDepthColumn, r, curve.depth);
        if (TGridTable* points = depths.GetDataValue(kCurvePointsColumn, r))
            PutRows(*points, curve.points);
    }
    if (depths.RowCount() < depths.MinRows()) depths.SetRowCount(depths.MinRows());
}

} // namespace

const std::array<const char*, 9>& LayerPropertyNames() {
    static const std::array<const char*, 9> names = {
        "unit_weight", "strength", "e50",           "friction_angle", "blow_count",
        "z_peak",      "residual", "side_friction", "tip_resistance",
    };
    return names;
}

ProjectValues NewProject(int units) {
    if (units != 1 && units != 2)
        throw ValueFault("units: 1 (English) or 2 (S.I.), not " + std::to_string(units));
    TProjectTables owner;
    TProgramData d;
    d.Create(owner);
    d.SetUnits(units, owner.Tables());
    return FromModel(d, owner.Tables());
}

ProjectValues ReadProject(const std::string& path) {
    const int filter = FilterFromExtension(path);
    if (filter == 0) throw ValueFault(path + ": not a .dv4d, .dv3d or .dvd project file");
    TProjectTables owner;
    TProgramData d;
    d.CreateFromFile(std::filesystem::path(path), filter, owner);
    return FromModel(d, owner.Tables());
}

std::string ProjectText(const ProjectValues& values) {
    TProjectTables owner;
    TProgramData d;
    ToModel(values, owner, d);
    return d.FileText(owner.Tables());
}

void WriteProject(const ProjectValues& values, const std::string& path) {
    if (FilterFromExtension(path) != FilterCurrent)
        throw ValueFault(path + ": a project is written as a .dv4d file");
    ReplaceFile(std::filesystem::path(path), ProjectText(values));
}

ProjectValues ConvertUnits(const ProjectValues& values, int units) {
    if (units != 1 && units != 2)
        throw ValueFault("units: 1 (English) or 2 (S.I.), not " + std::to_string(units));
    TProjectTables owner;
    TProgramData d;
    ToModel(values, owner, d);
    d.SetUnits(units, owner.Tables());
    return FromModel(d, owner.Tables());
}

RunChecks CheckBeforeRun(const ProjectValues& v) {
    TCheckDataInput in;
    in.Nloadmethod = v.loading;
    in.UserQw = v.userQw;
    in.UserTz = v.userTz;
    for (int r = 0; r < v.tipMovements.Count(); ++r)
        in.TipMovements.push_back(v.tipMovements.At(r, 0));
    if (v.qwCurve.Count() > 0) in.LastQwMovement = v.qwCurve.At(v.qwCurve.Count() - 1, 1);
    for (const CurveValues& curve : v.tzCurves) {
        if (curve.points.Count() > 0)
            in.LastTzMovements.push_back(curve.points.At(curve.points.Count() - 1, 1));
        else
            in.LastTzMovements.push_back(std::nullopt);
    }
    const auto format = [](long double value) { return FormatShortest(value, '.'); };
    RunChecks checks;
    checks.fault = CheckData(in, format).value_or("");
    TProjectTables owner;
    TProgramData d;
    ToModel(v, owner, d);
    checks.warnings = PreRunWarnings(d, owner.Tables(), format);
    return checks;
}

std::string RowsFault(const std::string& name, int rows) {
    static const std::map<std::string, std::string> components = {
        {"ae", "TblAE2"},
        {"qw_curve", "TblQwcurve2"},
        {"settlement", "TblSettlement2"},
        {"tz_factors", "TblTZFactors2"},
        {"tip_movements", "TblTipMove"},
        {"head_loads", "TblTopload"},
        {"layers", "D2"},
        {"tz_curves", "TblTZDepth2"},
        {"points", "TblTZCurves2"},
    };
    const auto it = components.find(name);
    if (it == components.end()) return "";
    for (const TTableDef& table : InputTableDefinitions())
        if (table.Component == it->second && table.MaxRows > 0 && rows > table.MaxRows)
            return RowsMessage(name, table.Caption, table.MinRows, table.MaxRows, rows);
    return "";
}

std::string PileValueFault(const std::string& name, long double value) {
    const auto& fields = PileFieldsByName();
    const auto it = fields.find(name);
    if (it == fields.end()) return "";
    return it->second->Fault(value).value_or("");
}

} // namespace dorvek::python
