#include "cli/Variants.h"

#include "cli/ProjectLoad.h"
#include "kernel/PathParts.h"
#include "model/io/AtomicFile.h"
#include "model/tables/Table.h"

#include <numbers>

namespace dorvek::cli {

// Columns of the tables a factor works on.
namespace {
constexpr int kAeColumn = 1;        // TblAE2: AE
constexpr int kSideColumn = 7;      // layer properties: ultimate unit side friction
constexpr int kTipColumn = 8;       // layer properties: ultimate unit tip resistance
constexpr int kCurveTColumn = 0;    // a user t-z curve: t
constexpr int kCurveQColumn = 0;    // the user Q-w curve: Q
constexpr int kLoadColumn = 0;      // TblTopload
constexpr int kLayerDataColumn = 2; // D2: nested property table
constexpr int kTzCurveColumn = 1;   // TblTZDepth2: nested curve
} // namespace

VariantProject::VariantProject(const std::string& file) : file_(file) {}

bool VariantProject::Read(std::ostream& err) {
    if (FilterFromExtension(file_) != FilterCurrent) {
        err << "dorvek-run: " << file_ << ": not a .dv4d project file\n";
        return false;
    }
    if (!ExistingFile(FilePath(file_), err)) return false;
    if (!ReadProject(file_, FilterCurrent, owner_, data_, err)) return false;
    original_ = data_;

    TInputTables& tables = owner_.Tables();
    ae_ = Cells(kAeColumn, tables.TblAE2());
    loads_ = Cells(kLoadColumn, tables.TblTopload());
    if (data_.SoilLayersInUse()) {
        TGridTable& layers = tables.D2();
        for (int r = 0; r < layers.RowCount(); ++r) {
            TGridTable* properties = layers.GetDataValue(kLayerDataColumn, r);
            layerSide_.push_back(properties ? Cells(kSideColumn, *properties)
                                            : std::vector<Cell>{});
            layerTip_.push_back(properties ? Cells(kTipColumn, *properties) : std::vector<Cell>{});
        }
    }
    if (data_.UserTz) {
        TGridTable& depths = tables.TblTZDepth2();
        for (int r = 0; r < depths.RowCount(); ++r)
            if (TGridTable* curve = depths.GetDataValue(kTzCurveColumn, r))
                for (const Cell& c : Cells(kCurveTColumn, *curve)) curveT_.push_back(c);
    }
    if (data_.UserQw) curveQ_ = Cells(kCurveQColumn, tables.TblQwcurve2());
    return true;
}

std::vector<VariantProject::Cell> VariantProject::Cells(int column, TGridTable& table) {
    std::vector<Cell> cells;
    for (int r = 0; r < table.RowCount(); ++r)
        cells.push_back({&table, column, r, table.GetFloatValue(column, r)});
    return cells;
}

std::string VariantProject::Fault(const StudySpec& study) const {
    for (const Vary& vary : study.vary) {
        const std::string where = "--vary " + vary.name + ": ";
        if (vary.parameter == Parameter::LoadFactor && !data_.TopLoadsInUse())
            return where + "the project applies no pile-head loads";
        if (vary.layer == 0) continue;
        if (vary.parameter == Parameter::SideFactor && data_.UserTz)
            return where + "the project's t-z curves are entered by the user, not built from " +
                   "its soil layers";
        if (vary.parameter == Parameter::TipFactor && data_.UserQw)
            return where + "the project's Q-w curve is entered by the user, not built from its " +
                   "soil layers";
        const std::size_t layers = layerSide_.size();
        if (static_cast<std::size_t>(vary.layer) > layers)
            return where + "the project has " + std::to_string(layers) + " soil layer" +
                   (layers == 1 ? "" : "s");
    }
    return "";
}

void VariantProject::Scale(const std::vector<Cell>& cells, double factor) {
    for (const Cell& c : cells) c.table->SetFloatValue(c.column, c.row, c.value * factor);
}

void VariantProject::Apply(const StudySpec& study, const std::vector<double>& values) {
    data_ = original_;
    // A layer's factor is that of every layer times its own.
    double sideAll = 1, tipAll = 1;
    std::vector<double> side(layerSide_.size(), 1.0), tip(layerTip_.size(), 1.0);
    for (std::size_t k = 0; k < study.vary.size() && k < values.size(); ++k) {
        const Vary& vary = study.vary[k];
        const bool one = vary.layer > 0 && static_cast<std::size_t>(vary.layer) <= side.size();
        const auto layer = static_cast<std::size_t>(vary.layer - 1);
        if (vary.parameter == Parameter::SideFactor) (one ? side[layer] : sideAll) *= values[k];
        if (vary.parameter == Parameter::TipFactor) (one ? tip[layer] : tipAll) *= values[k];
    }
    for (std::size_t j = 0; j < side.size(); ++j) {
        Scale(layerSide_[j], sideAll * side[j]);
        Scale(layerTip_[j], tipAll * tip[j]);
    }
    Scale(curveT_, sideAll);
    Scale(curveQ_, tipAll);
    Scale(ae_, 1.0);
    Scale(loads_, 1.0);
    for (std::size_t k = 0; k < study.vary.size() && k < values.size(); ++k) {
        const long double value = values[k];
        switch (study.vary[k].parameter) {
        case Parameter::Length:
            data_.PLength = value;
            break;
        case Parameter::Diameter:
            data_.OD = value;
            data_.Tiparea = std::numbers::pi_v<long double> * value * value / 4;
            break;
        case Parameter::Head:
            data_.HeadCoord = value;
            break;
        case Parameter::AeFactor:
            Scale(ae_, values[k]);
            break;
        case Parameter::SideFactor:
        case Parameter::TipFactor:
            break; // above
        case Parameter::LoadFactor:
            Scale(loads_, values[k]);
            break;
        }
    }
}

void VariantProject::Write(const std::filesystem::path& file) {
    data_.FileName = file.string();
    ReplaceFile(file, data_.FileText(owner_.Tables()), FileSync::None);
}

std::string VariantProject::Text() {
    return data_.FileText(owner_.Tables());
}

ProjectFacts VariantProject::Facts() const {
    return FactsFrom(data_, owner_.Tables());
}

} // namespace dorvek::cli
