#include "model/plots/PlotProject.h"

#include "model/project/ProgramData.h"
#include "model/tables/InputTables.h"
#include "model/tables/Table.h"

#include <algorithm>

namespace dorvek {

PlotProjectInfo PlotProjectInfoFrom(const TProgramData& data, const TInputTables& tables,
                                    char decimalSeparator) {
    PlotProjectInfo info;
    info.units = data.fUnits;
    info.downdrag = data.downdrag;
    info.nloadmethod = data.Nloadmethod;
    info.userTz = data.UserTz;
    info.userQw = data.UserQw;
    info.decimalSeparator = decimalSeparator;
    const TGridTable& layers = tables.D2();
    for (int r = 0; r < layers.RowCount(); ++r)
        info.layers.push_back({layers.GetIntValue(0, r), layers.GetFloatValue(1, r)});
    const TGridTable& settlement = tables.TblSettlement2();
    for (int r = 0; r < settlement.RowCount(); ++r)
        info.settlement.push_back({settlement.GetFloatValue(0, r), settlement.GetFloatValue(1, r)});
    return info;
}

TPileSideInput PileSideInputFrom(const TProgramData& data, const TInputTables& tables) {
    TPileSideInput input;
    input.Units = data.fUnits;
    input.OD = data.OD;
    input.PLength = data.PLength;
    input.HeadCoord = data.HeadCoord;
    input.CircPile = data.CircPile;
    // With user t-z and Q-w curves the layer table is not used: pile and ground only.
    if (data.SoilLayersInUse()) input.Layers = PlotProjectInfoFrom(data, tables).layers;
    return input;
}

} // namespace dorvek

namespace dorvek {

TCapacityPile CapacityPileFrom(const TProgramData& data, const TInputTables& tables) {
    TCapacityPile pile;
    pile.units = data.fUnits;
    pile.diameter = data.OD;
    std::vector<TAeRow> ae;
    const TGridTable& table = tables.TblAE2();
    for (int r = 0; r < table.RowCount(); ++r)
        ae.push_back({table.GetFloatValue(0, r), table.GetFloatValue(1, r)});
    std::stable_sort(ae.begin(), ae.end(),
                     [](const TAeRow& a, const TAeRow& b) { return a.depth < b.depth; });
    pile.flexibility = PileFlexibility(ae, data.PLength);
    return pile;
}

} // namespace dorvek
