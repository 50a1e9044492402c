#include "model/workspace/PreRunChecks.h"

#include "model/tables/FloatColumn.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableColumn.h"
#include "model/tables/UnitCodes.h"

#include <cfloat>
#include <cmath>

namespace dorvek {

namespace {

// Columns of a layer's property table.
enum Property { Strength = 1, E50 = 2, Side = 7, Tip = 8 };

bool IsClay(int code) {
    return code == 1 || code == 3 || code == 5;
}

long double TipDepth(const TProgramData& data) {
    return data.HeadCoord + data.PLength;
}

std::string Length(long double value, const TProgramData& data, const TNumberText& format) {
    return format(value) + " " + FieldUnitLabel("L", data.fUnits);
}

// "Layer 2 (Driven Pile in Sand (Mosher))".
std::string LayerName(const TGridTable& layers, int k) {
    const int code = layers.GetIntValue(0, k);
    const TColumn& types = layers.GetColumn(0);
    std::string name = "Layer " + std::to_string(k + 1);
    if (code >= 1 && code <= types.GetEnumCount()) name += " (" + types.GetEnumStr(code - 1) + ")";
    return name;
}

// The value is 0 at the top and at the bottom of the layer, so everywhere in it.
bool ZeroThroughout(const TGridTable* properties, int column) {
    if (!properties || properties->RowCount() < 2) return false;
    return properties->GetFloatValue(column, 0) == 0 && properties->GetFloatValue(column, 1) == 0;
}

// The layer that holds the tip, as the analysis finds it: the first whose bottom reaches the
// tip, or the one below on a boundary. -1 when the layers end above the tip.
int TipLayer(const TGridTable& layers, long double tip) {
    const int n = layers.RowCount();
    for (int k = 0; k < n; ++k) {
        if (layers.GetFloatValue(1, k) < tip) continue;
        while (k + 1 < n && layers.GetFloatValue(1, k) == tip) ++k;
        return k;
    }
    return -1;
}

// A column heading on one line, without its trailing comma.
std::string Heading(const TColumn& column) {
    std::string text;
    for (const std::string& line : column.GetHeading()) {
        if (!text.empty() && text.back() != ' ') text += ' ';
        text += line;
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == ',')) text.pop_back();
    return text;
}

bool OutsideSingle(long double v) {
    if (!std::isfinite(v)) return true;
    const long double size = std::fabs(v);
    return size > FLT_MAX || (size != 0 && size < FLT_MIN);
}

// Collects the places of values outside single precision, the nested tables included.
class TRangeWalk {
public:
    explicit TRangeWalk(const TNumberText& format) : fFormat(format) {}

    void Value(const std::string& place, long double v) {
        if (!OutsideSingle(v)) return;
        ++fCount;
        if (fCount <= MaxListed) fLines += "\n  " + place + ": " + fFormat(v);
    }

    void Table(const TGridTable& table, const std::string& prefix) {
        for (int r = 0; r < table.RowCount(); ++r) {
            const std::string row = prefix + table.Caption() + ", row " + std::to_string(r + 1);
            for (int c = 0; c < table.ColCount(); ++c) {
                const TColumn& column = table.GetColumn(c);
                if (column.ClassType() == &TTableColumn::Class) {
                    if (const TGridTable* nested = table.GetDataValue(c, r))
                        Table(*nested, row + ": ");
                } else if (column.Visible() && column.ClassType() == &TFloatColumn::Class) {
                    Value(row + ", " + Heading(column), table.GetFloatValue(c, r));
                }
            }
        }
    }

    std::optional<std::string> Message() const {
        if (fCount == 0) return std::nullopt;
        std::string text = "These values lie beyond the single precision the analysis computes "
                           "in (sizes from about 1.2E-38 to 3.4E+38):" +
                           fLines;
        if (fCount > MaxListed) text += "\n  and " + std::to_string(fCount - MaxListed) + " more";
        return text + "\nEnter values within that range.";
    }

private:
    static constexpr int MaxListed = 5;
    const TNumberText& fFormat;
    std::string fLines;
    int fCount = 0;
};

} // namespace

std::optional<std::string> CheckLayersReachTip(const TProgramData& data, const TInputTables& tables,
                                               const TNumberText& format) {
    if (!data.SoilLayersInUse()) return std::nullopt;
    const TGridTable& layers = tables.D2();
    if (layers.RowCount() == 0) return std::nullopt;
    const long double bottom = layers.GetFloatValue(1, layers.RowCount() - 1);
    const long double tip = TipDepth(data);
    if (bottom >= tip) return std::nullopt;
    return "The soil layers end at " + Length(bottom, data, format) +
           ", above the pile tip: the analysis will stop there.\nExtend the last soil layer "
           "below the pile tip (" +
           Length(tip, data, format) + ").";
}

std::optional<std::string> CheckZeroStrengths(const TProgramData& data, const TInputTables& tables,
                                              const TNumberText&) {
    if (!data.SoilLayersInUse()) return std::nullopt;
    const TGridTable& layers = tables.D2();
    const long double tip = TipDepth(data);
    std::string found;
    auto add = [&found, &layers](int k, const char* what) {
        found += '\n';
        found += LayerName(layers, k);
        found += what;
    };
    if (!data.UserTz) {
        for (int k = 0; k < layers.RowCount(); ++k) {
            const long double top = k == 0 ? 0 : layers.GetFloatValue(1, k - 1);
            if (top >= tip) break; // the pile does not reach this layer
            if (ZeroThroughout(layers.GetDataValue(2, k), Side))
                add(k, ": the unit side friction is 0, so this layer carries no load on the "
                       "shaft.");
        }
    }
    const int k = data.UserQw ? -1 : TipLayer(layers, tip);
    if (k >= 0) {
        const int code = layers.GetIntValue(0, k);
        const TGridTable* properties = layers.GetDataValue(2, k);
        if (code == 1 && ZeroThroughout(properties, E50))
            add(k, " holds the pile tip, but its e50 is 0: no Q-w curve can be built there.");
        if (IsClay(code) && ZeroThroughout(properties, Tip) && ZeroThroughout(properties, Strength))
            add(k, " holds the pile tip, but its unit tip resistance and undrained shear "
                   "strength are 0: the tip carries no load.");
    }
    if (found.empty()) return std::nullopt;
    return "Values are 0 at the top and the bottom of a layer:" + found +
           "\nEnter them in the layer's data (Data > Soil Layers).";
}

std::optional<std::string> CheckSinglePrecision(const TProgramData& data,
                                                const TInputTables& tables,
                                                const TNumberText& format) {
    TRangeWalk walk(format);
    const std::string pile = "Pile Properties, ";
    walk.Value(pile + "Total Pile Length", data.PLength);
    walk.Value(pile + "Pile Head Coord.", data.HeadCoord);
    walk.Value(pile + "Outer Diameter", data.OD);
    walk.Value(pile + "Area of Pile Tip", data.Tiparea);
    walk.Value(pile + "Tolerance", data.Tolerance);
    if (data.QwFactorsInUse()) {
        walk.Value("Q-multiplier", data.QFactor);
        walk.Value("w-multiplier", data.wFactor);
    }
    for (const TGridTable* table : data.TablesInUse(tables)) walk.Table(*table, {});
    return walk.Message();
}

std::optional<std::string> CheckLoadingNotZero(const TProgramData& data,
                                               const TInputTables& tables) {
    auto allZero = [](const TGridTable& table) {
        for (int r = 0; r < table.RowCount(); ++r)
            if (table.GetFloatValue(0, r) != 0) return false;
        return true;
    };
    if (data.TipMovesInUse() && allZero(tables.TblTipMove()))
        return std::string("Every tip movement is 0: the analysis would find no settlement.\n"
                           "Enter the tip movements (Data > Enter Tip Movements).");
    if (data.TopLoadsInUse() && allZero(tables.TblTopload()))
        return std::string("Every load at the pile head is 0: the applied loads would give no "
                           "settlement.\nEnter the loads (Data > Enter Loads at Pile Head).");
    return std::nullopt;
}

std::vector<std::string> PreRunWarnings(const TProgramData& data, const TInputTables& tables,
                                        const TNumberText& format) {
    std::vector<std::string> warnings;
    for (auto found :
         {CheckLayersReachTip(data, tables, format), CheckZeroStrengths(data, tables, format),
          CheckSinglePrecision(data, tables, format), CheckLoadingNotZero(data, tables)})
        if (found) warnings.push_back(std::move(*found));
    return warnings;
}

} // namespace dorvek
