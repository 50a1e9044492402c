#include "cli/ResultGraphsLoad.h"

#include "cli/ProjectLoad.h"
#include "kernel/PathParts.h"
#include "model/plots/GraphSettings.h"

#include <exception>
#include <filesystem>
#include <set>

namespace dorvek::cli {

namespace fs = std::filesystem;

std::unique_ptr<TResultGraphs> LoadResultGraphs(const AnalysedFile& file, bool noRun,
                                                std::ostream& err) {
    const ProjectFacts& project = *file.job.project;
    // Like the program: the result code is not looked at, whatever plot file exists is read.
    const fs::path plotFile = FilePath(file.job.files.plot);
    if (!ExistingFile(plotFile, err)) return nullptr;

    auto graphs = std::make_unique<TResultGraphs>();
    const bool loaded =
        ReadPlotData(*graphs, plotFile, true, project.plot, [&](const std::string& message) {
            err << "dorvek-run: " << plotFile.string() << ": " << message << "\n";
        });
    if (!loaded) return nullptr;
    if (noRun) {
        const fs::path input = FilePath(file.job.files.input);
        try {
            ReadGraphParams(*graphs, input, true, project.plot.downdrag);
        } catch (const std::exception& e) {
            err << "dorvek-run: " << GraphSettingsFileName(input).string() << ": "
                << Lines(e.what()) << " (graph settings not used)\n";
        }
    }
    AddLoadTestOverlay(*graphs, project.plot.downdrag == 1, project.measured, project.capacity);
    return graphs;
}

std::vector<const TGraphPlot*> OfferedGraphs(TResultGraphs& graphs, const ProjectFacts& project) {
    const std::vector<TGraphPlot*> offered =
        graphs.Available(project.plot.downdrag, project.plot.nloadmethod);
    return {offered.begin(), offered.end()};
}

std::function<bool(const std::vector<Job>&, std::ostream&)> DistinctNames(std::string option) {
    return [option](const std::vector<Job>& jobs, std::ostream& err) {
        std::set<std::string> stems;
        for (const Job& job : jobs) {
            if (!stems.insert(job.stem).second) {
                err << "dorvek-run: " << option << ": two projects are named " << job.stem << "\n";
                return false;
            }
        }
        return true;
    };
}

} // namespace dorvek::cli
