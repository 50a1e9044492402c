#pragma once
// The program's input tables: thirteen tables (four of them the layer-property templates
// of the soil-layer rows, one the template of a user t-z curve) built from definitions.

#include "model/tables/TableDefinition.h"
#include "model/tables/TableFamily.h"

#include <memory>
#include <string>
#include <vector>

namespace dorvek {

// Soil types in code order (1 to 6).
const std::vector<std::string>& SoilTypeNames();

// The definitions, chart-backed tables in identifier order, then the two grid tables.
const std::vector<TTableDef>& InputTableDefinitions();

// Owns the input tables and the table families they and their nested tables are registered
// in: identifiers are those of the definitions within each set, and sets are independent of
// one another (any number, on any thread, one thread per set).
class TInputTables {
public:
    // Every table starts with its minimum number of default rows.
    TInputTables();
    ~TInputTables();
    TInputTables(const TInputTables&) = delete;
    TInputTables& operator=(const TInputTables&) = delete;

    TGridTableChart& D2() const { return Chart(0); }
    TGridTableChart& tblDataClay2() const { return Chart(1); }
    TGridTableChart& tblDataSand2() const { return Chart(2); }
    TGridTableChart& TblTZDepth2() const { return Chart(3); }
    TGridTableChart& TblTZCurves2() const { return Chart(4); }
    TGridTableChart& TblQwcurve2() const { return Chart(5); }
    TGridTableChart& TblSettlement2() const { return Chart(6); }
    TGridTableChart& TblTZFactors2() const { return Chart(7); }
    TGridTableChart& TblAE2() const { return Chart(8); }
    TGridTableChart& tblDataClayAPI() const { return Chart(9); }
    TGridTableChart& tblDataSandAPI() const { return Chart(10); }
    TGridTable& TblTipMove() const { return *fTables[11]; }
    TGridTable& TblTopload() const { return *fTables[12]; }

    // In the order of the definitions.
    int Count() const { return static_cast<int>(fTables.size()); }
    TGridTable& Table(int index) const { return *fTables.at(static_cast<size_t>(index)); }
    // Null for an unknown component name.
    TGridTable* Find(const std::string& component) const;

    // Every table to 0 rows, then to its minimum (fresh default rows).
    void ResetRows();
    void SetUnits(int system);
    bool Changed() const;
    void ResetChanged();

    // The families of this set, where the program installs its editor windows.
    TTableFamilies& Families() { return fFamilies; }
    const TTableFamilies& Families() const { return fFamilies; }

private:
    TGridTableChart& Chart(int index) const;

    TTableFamilies fFamilies; // outlives the tables
    std::vector<std::unique_ptr<TGridTable>> fTables;
};

} // namespace dorvek
