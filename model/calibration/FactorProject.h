#pragma once
// A project whose side resistance, tip resistance and axial stiffness can be scaled by
// factors, all soil layers at once or one layer ("side-factor@2"), as the parameter study of
// the command line names them. Either read from its file and owned here, or the project a
// window shows, whose values come back as they were when this object goes: the program
// calibrates the project as the user sees it, unsaved edits included.

#include "model/project/DataUnit.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek {

class TGridTable;

// A fault of a calibration's request (a factor name, a project the factor cannot act on, ...);
// the message is meant for the user.
class ECalibrationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TFactorKind { Side, Tip, Ae };

struct TFactorName {
    TFactorKind kind = TFactorKind::Side;
    int layer = 0;    // 1-based soil layer; 0 for every layer
    std::string text; // as given, e.g. "tip-factor@2"
    bool operator==(const TFactorName&) const = default;
};

// "side-factor", "tip-factor", "ae-factor", the first two with "@N" for layer N >= 1.
TFactorName ParseFactorName(const std::string& text);
// A comma-separated list of names, none given twice (an all-layer and a per-layer factor of
// the same kind may not be combined).
std::vector<TFactorName> ParseFactorNames(const std::string& list);

// The names of a choice of factors: side and tip resistance for all layers at once, or one
// factor per soil layer (layers 1..layers), and the axial stiffness.
std::vector<TFactorName> ChosenFactors(bool side, bool tip, bool ae, bool perLayer, int layers);

class TFactorProject {
public:
    // Reads a current (".dv4d") project file; raises ECalibrationError with the reader's
    // message when it cannot.
    explicit TFactorProject(const std::filesystem::path& file);
    // Works on a project that lives elsewhere (the one a window shows); its values and its
    // data-changed state are restored when this object goes.
    TFactorProject(TProgramData& data, TProjectTables& tables);
    ~TFactorProject();
    TFactorProject(const TFactorProject&) = delete;
    TFactorProject& operator=(const TFactorProject&) = delete;

    // Empty when every factor acts on this project, otherwise why one does not.
    std::string Fault(const std::vector<TFactorName>& factors) const;

    // The original project with the factors applied (one value per name, in order).
    void Apply(const std::vector<TFactorName>& factors, const std::vector<double>& values);

    // The input text of the project as it stands, loaded by the given pile-head loads
    // instead of its own loading (the project itself keeps its loading).
    std::string InputTextForLoads(const std::vector<long double>& loads);

    // Writes the project as it stands to `file` (raises EInOutError); the project keeps its
    // own file name.
    void Write(const std::filesystem::path& file);

    const TProgramData& Data() const { return *data_; }
    TInputTables& Tables() { return owner_->Tables(); }
    int LayerCount() const;

private:
    struct Cell {
        TGridTable* table;
        int column, row;
        long double value;
        int layer; // 1-based; 0 when not of a soil layer (user curves, AE)
    };
    void Collect();
    void Scale(TFactorKind kind, int layer, double factor);

    std::unique_ptr<TProjectTables> ownTables_; // when read from a file
    TProgramData ownData_;
    TProjectTables* owner_;
    TProgramData* data_;
    TProgramData original_;
    bool borrowed_ = false;
    bool wasChanged_ = false; // of a borrowed project
    std::vector<Cell> ae_, side_, tip_;
};

} // namespace dorvek
