#pragma once
// A family of tables: its own kind registry, its own process-wide table list and
// identifier counter, its unit codes and the few rules in which the families differ.

#include "model/tables/ColumnTypes.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableList.h"

#include <string>

namespace dorvek {

struct TTableFamily {
    TColumnTypeRegistry& Kinds;
    TTableRegistry& Tables;
    long double (*UnitFactor)(int oldSystem, int newSystem, const std::string& code);
    std::string (*UnitLabel)(const std::string& code, int system);
    // A row whose kind changes keeps the values of its old nested table.
    bool CarriesValuesOnKindChange;
    // Table-column cell controls refuse a count below 1.
    bool ChecksControlCount;
    TEditorFactory EditorFactory;
};

// The grid tables (TGridTable) and the chart-backed tables (TGridTableChart).
TTableFamily& GridFamily();
TTableFamily& ChartFamily();

} // namespace dorvek
