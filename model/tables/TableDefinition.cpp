#include "model/tables/TableDefinition.h"

#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

namespace dorvek {

TColumn& AddColumn(TGridTable& table, const TColumnDef& definition) {
    ColumnClass cls = table.Family().Kinds.GetClass(definition.Kind);
    if (!cls) throw TableError("Error Column Class not defined");
    TColumn& column = table.AddColumn(cls);
    column.SetHeading(definition.Heading);
    column.SetVisible(definition.Visible);
    column.SetSameGroup(definition.SameGroup);
    if (auto* kinds = dynamic_cast<TEnumColumn*>(&column)) {
        kinds->SetNames(definition.Names);
    } else if (auto* integers = dynamic_cast<TIntColumn*>(&column)) {
        integers->SetDefault(definition.IntDefault);
        integers->SetMinimum(definition.Minimum);
        integers->SetMaximum(definition.Maximum);
    } else if (auto* floats = dynamic_cast<TFloatColumn*>(&column)) {
        floats->SetTopDepth(definition.TopDepth);
        floats->SetUnitsString(definition.Units);
        floats->SetDefault(definition.FloatDefault);
    } else if (auto* tables = dynamic_cast<TTableColumn*>(&column)) {
        tables->Templates().Clear();
        for (int identifier : definition.Templates) tables->Templates().AddByIdent(identifier);
    } else if (auto* texts = dynamic_cast<TStringColumn*>(&column)) {
        texts->SetDefault(definition.StringDefault);
        texts->SetMinWidth(definition.MinWidth);
    }
    return column;
}

std::unique_ptr<TGridTable> CreateTable(TTableFamilies& families, const TTableDef& definition) {
    std::unique_ptr<TGridTable> table;
    if (definition.ChartFamily) {
        auto chart = std::make_unique<TGridTableChart>(families);
        chart->Chart = definition.Chart;
        chart->GetDataFromFile = definition.GetDataFromFile;
        chart->InvertedXAxis = definition.InvertedXAxis;
        chart->InvertedYAxis = definition.InvertedYAxis;
        table = std::move(chart);
    } else {
        table = std::make_unique<TGridTable>(families);
    }
    table->SetIdentifier(definition.Identifier);
    table->SetCaption(definition.Caption);
    table->SetComments(definition.Comments);
    table->SetTopLeft(definition.TopLeft);
    table->SetMinRows(definition.MinRows);
    table->SetMaxRows(definition.MaxRows);
    table->SetRowGroup(definition.RowGroup);
    for (const auto& column : definition.Columns) AddColumn(*table, column);
    return table;
}

} // namespace dorvek
