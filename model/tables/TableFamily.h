#pragma once
// The table families of one table set. A family has its own kind registry, table list and
// identifier counter, its unit codes, the few rules in which the families differ and the
// factory of its editor windows. Every table of a set is registered in the family of its
// class there, so two sets share no identifiers and can be built on different threads.

#include "model/tables/ColumnTypes.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableList.h"

#include <string>

namespace dorvek {

struct TTableFamily {
    using UnitFactorFunction = long double (*)(int oldSystem, int newSystem,
                                               const std::string& code);
    using UnitLabelFunction = std::string (*)(const std::string& code, int system);

    TTableFamily(UnitFactorFunction unitFactor, UnitLabelFunction unitLabel,
                 bool carriesValuesOnKindChange, bool checksControlCount)
        : UnitFactor(unitFactor), UnitLabel(unitLabel),
          CarriesValuesOnKindChange(carriesValuesOnKindChange),
          ChecksControlCount(checksControlCount) {}
    TTableFamily(const TTableFamily&) = delete;
    TTableFamily& operator=(const TTableFamily&) = delete;

    TRegisteredColumnTypes Kinds;
    TTableRegistry Tables;
    const UnitFactorFunction UnitFactor;
    const UnitLabelFunction UnitLabel;
    // A row whose kind changes keeps the values of its old nested table.
    const bool CarriesValuesOnKindChange;
    // Table-column cell controls refuse a count below 1.
    const bool ChecksControlCount;
    // Set by the program; without it the tables of the family open no editor.
    TEditorFactory EditorFactory;
};

// The grid tables (TGridTable) and the chart-backed tables (TGridTableChart) of one table
// set. It must outlive every table created in it.
class TTableFamilies {
public:
    TTableFamilies();
    TTableFamilies(const TTableFamilies&) = delete;
    TTableFamilies& operator=(const TTableFamilies&) = delete;

    TTableFamily& Grid() { return fGrid; }
    TTableFamily& Chart() { return fChart; }
    const TTableFamily& Grid() const { return fGrid; }
    const TTableFamily& Chart() const { return fChart; }

private:
    TTableFamily fGrid;
    TTableFamily fChart;
};

} // namespace dorvek
