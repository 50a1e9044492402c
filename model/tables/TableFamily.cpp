#include "model/tables/TableFamily.h"

#include "model/tables/UnitCodes.h"

namespace dorvek {

TTableFamilies::TTableFamilies()
    : fGrid(&ConversionFactor, &ColumnUnitLabel, false, true),
      fChart(&ChartConversionFactor, &ChartColumnUnitLabel, true, false) {}

} // namespace dorvek
