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
            if (TGridTable* properties = layers.GetDataValue(kLayerDataColumn, r)) {
                for (const Cell& c : Cells(kSideColumn, *properties)) side_.push_back(c);
                for (const Cell& c : Cells(kTipColumn, *properties)) tip_.push_back(c);
            }
        }
    }
    if (data_.UserTz) {
        TGridTable& depths = tables.TblTZDepth2();
        for (int r = 0; r < depths.RowCount(); ++r)
            if (TGridTable* curve = depths.GetDataValue(kTzCurveColumn, r))
                for (const Cell& c : Cells(kCurveTColumn, *curve)) side_.push_back(c);
    }
    if (data_.UserQw)
        for (const Cell& c : Cells(kCurveQColumn, tables.TblQwcurve2())) tip_.push_back(c);
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
        if (vary.parameter == Parameter::LoadFactor && !data_.TopLoadsInUse())
            return "--vary " + vary.name + ": the project applies no pile-head loads";
    }
    return "";
}

void VariantProject::Scale(const std::vector<Cell>& cells, double factor) {
    for (const Cell& c : cells) c.table->SetFloatValue(c.column, c.row, c.value * factor);
}

void VariantProject::Apply(const StudySpec& study, const std::vector<double>& values) {
    data_ = original_;
    for (const auto* cells : {&ae_, &side_, &tip_, &loads_}) Scale(*cells, 1.0);
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
            Scale(side_, values[k]);
            break;
        case Parameter::TipFactor:
            Scale(tip_, values[k]);
            break;
        case Parameter::LoadFactor:
            Scale(loads_, values[k]);
            break;
        }
    }
}

void VariantProject::Write(const std::filesystem::path& file) {
    data_.FileName = file.string();
    ReplaceFile(file, data_.FileText(owner_.Tables()));
}

ProjectFacts VariantProject::Facts() const {
    return FactsFrom(data_, owner_.Tables());
}

} // namespace dorvek::cli
