#include "model/tables/TableChart.h"

#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

namespace dorvek {

TGridTableChart::TGridTableChart(TTableFamilies& families)
    : TGridTable(nullptr, families.Chart()) {}

std::unique_ptr<TGridTable> TGridTableChart::NewTable(TGridTable* owner) const {
    return std::unique_ptr<TGridTable>(new TGridTableChart(owner, Family()));
}

void TGridTableChart::CopySettingsFrom(const TGridTable& source) {
    TGridTable::CopySettingsFrom(source);
    if (const auto* chart = dynamic_cast<const TGridTableChart*>(&source)) {
        GetDataFromFile = chart->GetDataFromFile;
        OKCancelButtons = chart->OKCancelButtons;
        InvertedXAxis = chart->InvertedXAxis;
        InvertedYAxis = chart->InvertedYAxis;
        Chart = chart->Chart;
    }
}

void TGridTableChart::WriteSettings(TColWriter& writer) const {
    writer.WriteBoolean(Chart.VisibleChart);
    writer.WriteBoolean(Chart.RowsOption);
    writer.WriteInteger(Chart.XColumn);
    writer.WriteInteger(Chart.YColumn);
    writer.WriteInteger(Chart.X2Column);
    writer.WriteInteger(Chart.Y2Column);
}

void TGridTableChart::ReadSettings(TColReader& reader) {
    try {
        TChartSettings settings;
        settings.VisibleChart = reader.ReadBoolean();
        settings.RowsOption = reader.ReadBoolean();
        settings.XColumn = reader.ReadInteger();
        settings.YColumn = reader.ReadInteger();
        settings.X2Column = reader.ReadInteger();
        settings.Y2Column = reader.ReadInteger();
        Chart = settings;
    } catch (const StreamError&) {
        throw StreamError("Error reading graphic parameters");
    }
}

} // namespace dorvek
