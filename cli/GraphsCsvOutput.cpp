#include "cli/GraphsCsvOutput.h"

#include "cli/ResultGraphsLoad.h"
#include "model/plots/GraphCsv.h"

#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace fs = std::filesystem;

FileOutput GraphsCsvOutput(const std::string& folder, bool noRun) {
    FileOutput output;
    output.option = "--graphs-csv";
    output.needsProject = true;
    output.prepare = DistinctNames(output.option);
    output.write = [folder, noRun](const AnalysedFile& file, std::ostream& out, std::ostream& err) {
        const std::unique_ptr<TResultGraphs> graphs = LoadResultGraphs(file, noRun, err);
        if (!graphs) return false;
        try {
            for (const fs::path& written : WriteGraphsCsv(OfferedGraphs(*graphs, *file.job.project),
                                                          OutputFolder(folder, file)))
                out << written.string() << "\n";
        } catch (const std::exception& e) {
            err << "dorvek-run: " << e.what() << "\n";
            return false;
        }
        return true;
    };
    return output;
}

} // namespace dorvek::cli
