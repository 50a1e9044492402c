#pragma once
// The variants of a study written through the project model: the project is read once, and
// each variant is the original with the study's values set, written as its own ".dv4d".
// A VariantProject owns its whole project model (its table set keeps its own registries), so
// one can be built on any thread; a single one is not for two threads at once.

#include "cli/Pipeline.h"
#include "cli/Study.h"
#include "model/project/DataUnit.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

class VariantProject {
public:
    // Reads the project; Read() tells whether it could.
    explicit VariantProject(const std::string& file);
    VariantProject(const VariantProject&) = delete;
    VariantProject& operator=(const VariantProject&) = delete;

    // False after printing the reader's message on `err`.
    bool Read(std::ostream& err);
    // Empty when the study's names apply to this project, otherwise why not.
    std::string Fault(const StudySpec& study) const;

    // The original with `values` of the study's names set.
    void Apply(const StudySpec& study, const std::vector<double>& values);
    // Writes the project as it stands now (raises EInOutError on failure).
    void Write(const std::filesystem::path& file);
    // The text Write() writes.
    std::string Text();
    ProjectFacts Facts() const;

    TProgramData& Data() { return data_; }
    TInputTables& Tables() { return owner_.Tables(); }

private:
    struct Cell {
        TGridTable* table;
        int column, row;
        long double value;
    };
    // The cells a factor multiplies, with their original values.
    std::vector<Cell> Cells(int column, TGridTable& table);
    void Scale(const std::vector<Cell>& cells, double factor);

    std::string file_;
    TProjectTables owner_;
    TProgramData data_, original_;
    std::vector<Cell> ae_, loads_;
    // Per soil layer (when the layers are written), and of the user curves.
    std::vector<std::vector<Cell>> layerSide_, layerTip_;
    std::vector<Cell> curveT_, curveQ_;
};

} // namespace dorvek::cli
