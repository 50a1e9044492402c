#pragma once
// A table described as data: its settings and columns. The program's input tables are
// built from such definitions.

#include "model/tables/TableChart.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace dorvek {

struct TColumnDef {
    int Kind = 2; // stream code: 0 enumeration, 1 integer, 2 float, 3 table, 4 string
    std::vector<std::string> Heading;
    bool Visible = true;
    bool SameGroup = false;
    std::vector<std::string> Names; // enumeration
    int IntDefault = 0;             // integer
    int Minimum = INT_MIN;
    int Maximum = INT_MAX;
    bool TopDepth = false; // float
    std::string Units;
    long double FloatDefault = 0;
    std::vector<int> Templates; // table: template identifiers per kind
    std::string StringDefault;  // string
    double MinWidth = 1.0;
};

struct TTableDef {
    std::string Component;
    bool ChartFamily = true; // TGridTableChart, else TGridTable
    int Identifier = 0;
    std::string Caption;
    std::string Comments;
    std::string TopLeft;
    int MinRows = 1;
    int MaxRows = 0;
    int RowGroup = 1;
    std::vector<TColumnDef> Columns;
    // Chart-backed tables only.
    TChartSettings Chart;
    bool GetDataFromFile = false;
    bool InvertedXAxis = false;
    bool InvertedYAxis = false;
};

// A table of the definition's family in the set with its settings, identifier and columns,
// no rows.
std::unique_ptr<TGridTable> CreateTable(TTableFamilies& families, const TTableDef& definition);
// Appends the column described by the definition.
TColumn& AddColumn(TGridTable& table, const TColumnDef& definition);

} // namespace dorvek
