#pragma once
// What plot-data loading takes from a project, read from the project object and its tables.

#include "model/plots/Capacity.h"
#include "model/plots/PileSideModel.h"
#include "model/plots/PltData.h"

namespace dorvek {

struct TProgramData;
class TInputTables;

// Units and options from the project; the soil-layer table (soil type, bottom depth) and the
// soil-settlement table (depth, settlement) in the project's units.
PlotProjectInfo PlotProjectInfoFrom(const TProgramData& data, const TInputTables& tables,
                                    char decimalSeparator = '.');

// What the capacity criteria take from the pile, in the project's units: diameter, and the
// flexibility from the pile length and the AE table.
TCapacityPile CapacityPileFrom(const TProgramData& data, const TInputTables& tables);

// What the soil-profile view takes: units, pile values, section and the soil-layer table.
TPileSideInput PileSideInputFrom(const TProgramData& data, const TInputTables& tables);

} // namespace dorvek
