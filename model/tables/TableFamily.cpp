#include "model/tables/TableFamily.h"

#include "model/tables/UnitCodes.h"

namespace dorvek {

// The table lists are never destroyed, so a table that outlives the end of main can still
// unregister itself; the kind registries are emptied and checked at the end.

TTableFamily& GridFamily() {
    static TRegisteredColumnTypes kinds;
    static TTableRegistry& tables = *new TTableRegistry;
    static TTableFamily family{kinds.Registry, tables, &ConversionFactor, &ColumnUnitLabel, false,
                               true,           {}};
    return family;
}

TTableFamily& ChartFamily() {
    static TRegisteredColumnTypes kinds;
    static TTableRegistry& tables = *new TTableRegistry;
    static TTableFamily family{
        kinds.Registry, tables, &ChartConversionFactor, &ChartColumnUnitLabel, true, false, {}};
    return family;
}

} // namespace dorvek
