#pragma once
// TGridTableChart: the grid table with a preview chart. It is the same model in the chart
// family of its table set (its own kind registry, table list and identifier counter, the
// reduced unit codes, nested values carried over when a row's kind changes) plus the chart
// settings, which travel in the column stream after the columns and with every copy.

#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableColumn.h"
#include "model/tables/TableList.h"

namespace dorvek {

// The chart-backed family uses the same column kinds, cell accessor and template list.
using TColumnChart = TColumn;
using TEnumColumnChart = TEnumColumn;
using TIntColumnChart = TIntColumn;
using TFloatColumnChart = TFloatColumn;
using TTableColumnChart = TTableColumn;
using TStringColumnChart = TStringColumn;
using TDataChart = TData;
using TGridTableListChart = TGridTableList;
using TColumnChartTypeStorage = TColumnTypeStorage;

// What the preview shows.
struct TChartSettings {
    bool VisibleChart = false; // the editor shows a preview
    bool RowsOption = false;   // one segment per row instead of a curve
    int XColumn = 0;
    int YColumn = 0;
    int X2Column = 0; // second end of each row's segment
    int Y2Column = 0;

    bool operator==(const TChartSettings&) const = default;
};

class TGridTableChart : public TGridTable {
public:
    // A top-level table of the set's chart family.
    explicit TGridTableChart(TTableFamilies& families);

    // The editor offers file reading, clipboard paste and clipboard copy.
    bool GetDataFromFile = false;
    bool OKCancelButtons = false;
    bool InvertedXAxis = false;
    bool InvertedYAxis = false;
    TChartSettings Chart;

protected:
    TGridTableChart(TGridTable* owner, TTableFamily& family) : TGridTable(owner, family) {}
    std::unique_ptr<TGridTable> NewTable(TGridTable* owner) const override;
    void CopySettingsFrom(const TGridTable& source) override;
    // Six values after the columns: the two flags and the four column numbers.
    void WriteSettings(TColWriter& writer) const override;
    void ReadSettings(TColReader& reader) override;
};

} // namespace dorvek
