#include "model/calibration/FactorProject.h"

#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"
#include "model/tables/Table.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace dorvek {

namespace {

// Columns of the tables a factor works on.
constexpr int kAeColumn = 1;        // stiffness table: AE
constexpr int kSideColumn = 7;      // layer properties: ultimate unit side friction
constexpr int kTipColumn = 8;       // layer properties: ultimate unit tip resistance
constexpr int kCurveTColumn = 0;    // a user t-z curve: t
constexpr int kCurveQColumn = 0;    // the user Q-w curve: Q
constexpr int kLoadColumn = 0;      // pile-head loads
constexpr int kLayerDataColumn = 2; // soil layers: nested property table
constexpr int kTzCurveColumn = 1;   // t-z depths: nested curve

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

TFactorName ParseFactorName(const std::string& given) {
    const std::string text = Trimmed(given);
    TFactorName name;
    name.text = text;
    const std::size_t at = text.find('@');
    const std::string base = text.substr(0, at);
    if (base == "side-factor")
        name.kind = TFactorKind::Side;
    else if (base == "tip-factor")
        name.kind = TFactorKind::Tip;
    else if (base == "ae-factor")
        name.kind = TFactorKind::Ae;
    else
        throw ECalibrationError(
            "\"" + text +
            "\" is not a factor that can be calibrated: side-factor, tip-factor (each also per "
            "soil layer, as side-factor@2) or ae-factor");
    if (at != std::string::npos) {
        const std::string number = text.substr(at + 1);
        int layer = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), layer);
        if (number.empty() || ec != std::errc() || end != number.data() + number.size() ||
            layer < 1)
            throw ECalibrationError("\"" + text + "\": the layer after @ must be a number from 1");
        if (name.kind == TFactorKind::Ae)
            throw ECalibrationError("\"" + text +
                                    "\": ae-factor acts on the whole pile, not on "
                                    "one soil layer");
        name.layer = layer;
    }
    return name;
}

std::vector<TFactorName> ParseFactorNames(const std::string& list) {
    std::vector<TFactorName> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = list.find(',', start);
        const std::string item = Trimmed(list.substr(start, end - start));
        if (item.empty()) throw ECalibrationError("an empty factor name in \"" + list + "\"");
        names.push_back(ParseFactorName(item));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const TFactorName& a = names[i];
            const TFactorName& b = names[j];
            if (a.kind != b.kind) continue;
            if (a.layer == b.layer) throw ECalibrationError("\"" + a.text + "\" is given twice");
            if (a.layer == 0 || b.layer == 0)
                throw ECalibrationError("\"" + b.text + "\" and \"" + a.text +
                                        "\" act on the same layers; give either the factor of "
                                        "every layer or per-layer factors");
        }
    }
    return names;
}

std::vector<TFactorName> ChosenFactors(bool side, bool tip, bool ae, bool perLayer, int layers) {
    std::vector<TFactorName> names;
    const auto add = [&](bool chosen, const std::string& base) {
        if (!chosen) return;
        if (!perLayer || layers < 1) {
            names.push_back(ParseFactorName(base));
            return;
        }
        for (int layer = 1; layer <= layers; ++layer)
            names.push_back(ParseFactorName(base + "@" + std::to_string(layer)));
    };
    add(side, "side-factor");
    add(tip, "tip-factor");
    if (ae) names.push_back(ParseFactorName("ae-factor"));
    return names;
}

TFactorProject::TFactorProject(const std::filesystem::path& file)
    : ownTables_(std::make_unique<TProjectTables>()), owner_(ownTables_.get()), data_(&ownData_) {
    if (FilterFromExtension(file.string()) != FilterCurrent)
        throw ECalibrationError(file.string() + ": not a .dv4d project file");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw ECalibrationError(file.string() + ": no such file");
    try {
        data_->CreateFromFile(file, FilterCurrent, *owner_);
    } catch (const std::exception& e) {
        std::string text = e.what();
        std::replace(text.begin(), text.end(), '\r', '\n');
        throw ECalibrationError(file.string() + ": " + text);
    }
    original_ = *data_;
    Collect();
}

TFactorProject::TFactorProject(TProgramData& data, TProjectTables& tables)
    : owner_(&tables), data_(&data), original_(data), borrowed_(true),
      wasChanged_(tables.Changed()) {
    Collect();
}

TFactorProject::~TFactorProject() {
    if (!borrowed_) return;
    for (TFactorKind kind : {TFactorKind::Ae, TFactorKind::Side, TFactorKind::Tip})
        Scale(kind, 0, 1.0);
    *data_ = original_;
    if (!wasChanged_) owner_->ResetChanged();
}

void TFactorProject::Collect() {
    TInputTables& tables = owner_->Tables();
    const auto cells = [](TGridTable& table, int column, int layer, std::vector<Cell>& into) {
        for (int r = 0; r < table.RowCount(); ++r)
            into.push_back({&table, column, r, table.GetFloatValue(column, r), layer});
    };
    cells(tables.TblAE2(), kAeColumn, 0, ae_);
    if (data_->SoilLayersInUse()) {
        TGridTable& layers = tables.D2();
        for (int r = 0; r < layers.RowCount(); ++r) {
            if (TGridTable* properties = layers.GetDataValue(kLayerDataColumn, r)) {
                cells(*properties, kSideColumn, r + 1, side_);
                cells(*properties, kTipColumn, r + 1, tip_);
            }
        }
    }
    if (data_->UserTz) {
        TGridTable& depths = tables.TblTZDepth2();
        for (int r = 0; r < depths.RowCount(); ++r)
            if (TGridTable* curve = depths.GetDataValue(kTzCurveColumn, r))
                cells(*curve, kCurveTColumn, 0, side_);
    }
    if (data_->UserQw) cells(tables.TblQwcurve2(), kCurveQColumn, 0, tip_);
}

int TFactorProject::LayerCount() const {
    return data_->SoilLayersInUse() ? owner_->Tables().D2().RowCount() : 0;
}

std::string TFactorProject::Fault(const std::vector<TFactorName>& factors) const {
    for (const TFactorName& f : factors) {
        if (f.layer == 0) continue;
        const bool user = f.kind == TFactorKind::Side ? data_->UserTz : data_->UserQw;
        if (user)
            return f.text + ": the project's " +
                   (f.kind == TFactorKind::Side ? std::string("t-z curves are")
                                                : std::string("Q-w curve is")) +
                   " entered by the user, not generated from soil layers";
        if (f.layer > LayerCount())
            return f.text + ": the project has " + std::to_string(LayerCount()) + " soil layer" +
                   (LayerCount() == 1 ? "" : "s");
    }
    return "";
}

void TFactorProject::Scale(TFactorKind kind, int layer, double factor) {
    std::vector<Cell>& cells = kind == TFactorKind::Ae     ? ae_
                               : kind == TFactorKind::Side ? side_
                                                           : tip_;
    for (const Cell& c : cells)
        if (layer == 0 || c.layer == layer)
            c.table->SetFloatValue(c.column, c.row, c.value * static_cast<long double>(factor));
}

void TFactorProject::Apply(const std::vector<TFactorName>& factors,
                           const std::vector<double>& values) {
    *data_ = original_;
    for (TFactorKind kind : {TFactorKind::Ae, TFactorKind::Side, TFactorKind::Tip})
        Scale(kind, 0, 1.0);
    for (std::size_t k = 0; k < factors.size() && k < values.size(); ++k)
        Scale(factors[k].kind, factors[k].layer, values[k]);
}

std::string TFactorProject::InputTextForLoads(const std::vector<long double>& loads) {
    TInputTables& tables = owner_->Tables();
    TGridTable& table = tables.TblTopload();
    // The project's own loading comes back after the text is made.
    std::vector<long double> own;
    for (int r = 0; r < table.RowCount(); ++r) own.push_back(table.GetFloatValue(kLoadColumn, r));
    const int method = data_->Nloadmethod;
    data_->Nloadmethod = 2;
    table.SetRowCount(static_cast<int>(loads.size()));
    for (std::size_t r = 0; r < loads.size(); ++r)
        table.SetFloatValue(kLoadColumn, static_cast<int>(r), loads[r]);
    std::string text = data_->FileText(tables);
    data_->Nloadmethod = method;
    table.SetRowCount(static_cast<int>(own.size()));
    for (std::size_t r = 0; r < own.size(); ++r)
        table.SetFloatValue(kLoadColumn, static_cast<int>(r), own[r]);
    return text;
}

void TFactorProject::Write(const std::filesystem::path& file) {
    ReplaceFile(file, data_->FileText(owner_->Tables()));
}

} // namespace dorvek
