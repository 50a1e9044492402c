#include "model/tables/InputTables.h"

#include <algorithm>

namespace dorvek {

namespace {

TColumnDef FloatColumn(std::vector<std::string> heading, std::string units,
                       long double defaultValue = 0, bool visible = true) {
    TColumnDef column;
    column.Kind = 2;
    column.Heading = std::move(heading);
    column.Units = std::move(units);
    column.FloatDefault = defaultValue;
    column.Visible = visible;
    return column;
}

TColumnDef TableColumn(std::string heading, std::vector<int> templates) {
    TColumnDef column;
    column.Kind = 3;
    column.Heading = {std::move(heading)};
    column.Templates = std::move(templates);
    return column;
}

// The soil-type heading is as wide as the longest soil type, for the drop-down list.
TColumnDef SoilTypeColumn() {
    TColumnDef column;
    column.Kind = 0;
    column.Names = SoilTypeNames();
    std::size_t width = 0;
    for (const auto& name : column.Names) width = std::max(width, name.size());
    std::string heading = "Soil Type";
    heading.resize(std::max(width, heading.size()), ' ');
    column.Heading = {heading};
    return column;
}

const char* const kLayerComment = "Enter data for the top and the bottom of each layer. \r"
                                  "Linear interpretation will be used for any depth between "
                                  "the top and the bottom.";
const char* const kZpeakComment = "\r(*) Enter zero to use Default (Z peak = 0.01 D)";
const char* const kTresComment = "\r(**) Enter zero to use Default (tres/tmax = 0.9)";

enum class Layer { Clay, Sand, ApiClay, ApiSand };

// The four layer-property templates share one ten-column layout; they differ in a few
// headings, one default and which columns are shown.
TTableDef LayerTemplate(Layer layer, int identifier) {
    bool clay = layer == Layer::Clay || layer == Layer::ApiClay;
    bool api = layer == Layer::ApiClay || layer == Layer::ApiSand;
    TTableDef table;
    table.Identifier = identifier;
    table.Caption = clay ? "Clay Layer Data" : "Sand Layer Data";
    table.TopLeft = "Location, 1=Top, 2=Bottom";
    table.MinRows = 2;
    table.MaxRows = 2;
    table.Comments = kLayerComment;
    if (api) table.Comments += kZpeakComment;
    if (layer == Layer::ApiClay) table.Comments += kTresComment;

    std::vector<std::string> column4 = {"Blow Counts ", "(optional)"};
    if (layer == Layer::Clay) column4 = {"Friction ", "Angle (Deg.)"};
    std::string column6 = "t residual";
    if (layer == Layer::Clay) column6 = "t res";
    if (layer == Layer::ApiClay) column6 = "tres/tmax (**)";

    table.Columns = {
        FloatColumn({"Effective Unit ", "Weight,"}, "F/L^3"),
        FloatColumn({"Undrained Shear", "Strength,"}, "F/L^2", 0, clay),
        FloatColumn({"e50"}, "", 0, clay),
        FloatColumn({"Friction ", "Angle (Deg.)"}, "", 0, !clay),
        FloatColumn(column4, "", 0, !clay),
        FloatColumn({api ? "Z peak (*)" : "Z peak"}, "L", 0, api),
        FloatColumn({column6}, "", layer == Layer::ApiClay ? 0 : 0.9L, layer == Layer::ApiClay),
        FloatColumn({"Ultimate Unit", "Side Friction,"}, "F/L^2"),
        FloatColumn({"Ultimate Unit", "Tip Resistance,"}, "F/L^2"),
        FloatColumn({"Dummy"}, "", 0, false),
    };
    return table;
}

// A two-column curve of the chart-backed family, previewed with column 1 across and
// column 0 up, that can take its values from a file.
TTableDef CurveTable(int identifier, std::string caption, int maxRows, TColumnDef y, TColumnDef x,
                     bool invertedY) {
    TTableDef table;
    table.Identifier = identifier;
    table.Caption = std::move(caption);
    table.MinRows = 2;
    table.MaxRows = maxRows;
    table.Columns = {std::move(y), std::move(x)};
    table.Chart = {true, false, 1, 0, 0, 0};
    table.GetDataFromFile = true;
    table.InvertedYAxis = invertedY;
    return table;
}

// A one-column grid table of the loading.
TTableDef LoadTable(int identifier, std::string caption, int minRows, int maxRows,
                    std::string comments, TColumnDef column) {
    TTableDef table;
    table.ChartFamily = false;
    table.Identifier = identifier;
    table.Caption = std::move(caption);
    table.MinRows = minRows;
    table.MaxRows = maxRows;
    table.Comments = std::move(comments);
    table.Columns = {std::move(column)};
    return table;
}

std::vector<TTableDef> BuildDefinitions() {
    std::vector<TTableDef> tables;

    TTableDef layers;
    layers.Identifier = 0;
    layers.Caption = "Soil Layers";
    layers.MinRows = 1;
    layers.MaxRows = 30;
    layers.Columns = {SoilTypeColumn(), FloatColumn({"Bottom of Layer"}, "L"),
                      TableColumn("Layer Data", {1, 2, 1, 2, 9, 10})};
    tables.push_back(layers);
    tables.push_back(LayerTemplate(Layer::Clay, 1));
    tables.push_back(LayerTemplate(Layer::Sand, 2));

    TTableDef depths;
    depths.Identifier = 3;
    depths.Caption = "Depths for User-Defined t-z Curves";
    depths.MinRows = 2;
    depths.MaxRows = 100;
    depths.Columns = {FloatColumn({"Depth below ground surface, "}, "L"),
                      TableColumn("t-z Data  (click each button for data entry)  ", {4})};
    tables.push_back(depths);

    tables.push_back(CurveTable(4, "t-z curve", 100, FloatColumn({"Load Transfer (t),"}, "F/L^2"),
                                FloatColumn({"Pile Movement (z),"}, "L"), false));
    tables.push_back(CurveTable(5, "Tip Load vs. Tip Movement", 50,
                                FloatColumn({"Total Tip Load (Q),"}, "F"),
                                FloatColumn({"Tip Movement (w),"}, "L"), false));
    tables.push_back(CurveTable(6, "Soil Settlement Profile", 100, FloatColumn({"Depth,"}, "L"),
                                FloatColumn({"Settlement,"}, "L"), true));
    TTableDef factors =
        CurveTable(7, "Modification Factors on t-z Curves", 50, FloatColumn({"Depth"}, "L"),
                   FloatColumn({"t-Multiplier"}, "", 1.0L), true);
    factors.Columns.push_back(FloatColumn({"z-Multiplier"}, "", 1.0L));
    tables.push_back(factors);
    tables.push_back(CurveTable(8, "Axial Stiffness (AE) of Pile Sections", 50,
                                FloatColumn({"Depth (from pile top)"}, "L"),
                                FloatColumn({"Axial Stiffness  AE,"}, "F"), true));
    tables.push_back(LayerTemplate(Layer::ApiClay, 9));
    tables.push_back(LayerTemplate(Layer::ApiSand, 10));

    tables.push_back(LoadTable(179, "Tip Movements", 2, 100,
                               "Values should be entered in increasing\rorder of magnitude\r",
                               FloatColumn({"Tip Movement, "}, "L")));
    tables.push_back(LoadTable(10, "Pile-Head Loads", 1, 50,
                               "Enter a positive number for Compression Load \r"
                               "Enter a negative number for Uplift Load \r",
                               FloatColumn({"Axial Load at Pile Head"}, "F")));

    const char* names[] = {"D2",           "tblDataClay2",   "tblDataSand2",   "TblTZDepth2",
                           "TblTZCurves2", "TblQwcurve2",    "TblSettlement2", "TblTZFactors2",
                           "TblAE2",       "tblDataClayAPI", "tblDataSandAPI", "TblTipMove",
                           "TblTopload"};
    for (size_t i = 0; i < tables.size(); ++i) tables[i].Component = names[i];
    return tables;
}

} // namespace

const std::vector<std::string>& SoilTypeNames() {
    static const std::vector<std::string> names = {"Driven Pile in Clay (Coyle & Reese)",
                                                   "Driven Pile in Sand (Mosher)",
                                                   "Drilled Shaft in Clay (Reese & O'Neill)",
                                                   "Drilled Shaft in Sand (Reese & O'Neill)",
                                                   "Driven Pile in Clay (API)",
                                                   "Driven Pile in Sand (API)"};
    return names;
}

const std::vector<TTableDef>& InputTableDefinitions() {
    static const std::vector<TTableDef> definitions = BuildDefinitions();
    return definitions;
}

TInputTables::TInputTables() {
    for (const auto& definition : InputTableDefinitions())
        fTables.push_back(CreateTable(fFamilies, definition));
    ResetRows();
    ResetChanged();
}

TInputTables::~TInputTables() = default;

TGridTableChart& TInputTables::Chart(int index) const {
    return static_cast<TGridTableChart&>(*fTables[static_cast<size_t>(index)]);
}

TGridTable* TInputTables::Find(const std::string& component) const {
    const auto& definitions = InputTableDefinitions();
    for (size_t i = 0; i < definitions.size() && i < fTables.size(); ++i)
        if (definitions[i].Component == component) return fTables[i].get();
    return nullptr;
}

void TInputTables::ResetRows() {
    for (auto& table : fTables) {
        table->SetRowCount(0);
        table->SetRowCount(table->MinRows());
    }
}

void TInputTables::SetUnits(int system) {
    for (auto& table : fTables) table->SetUnits(system);
}

bool TInputTables::Changed() const {
    return std::any_of(fTables.begin(), fTables.end(),
                       [](const auto& table) { return table->Changed(); });
}

void TInputTables::ResetChanged() {
    for (auto& table : fTables) table->ResetChanged();
}

} // namespace dorvek
