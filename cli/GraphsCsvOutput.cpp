#include "GraphsCsvOutput.h"

#include "GraphCsv.h"
#include "GraphSettings.h"
#include "ProjectLoad.h"
#include "ResultGraphs.h"

#include <exception>
#include <filesystem>
#include <set>

namespace dorvek::cli {

namespace fs = std::filesystem;

FileOutput GraphsCsvOutput(const std::string& folder, bool noRun) {
    FileOutput output;
    output.option = "--graphs-csv";
    output.needsProject = true;
    // With several projects each gets the folder of its name: the names must differ.
    output.prepare = [](const std::vector<Job>& jobs, std::ostream& err) {
        std::set<std::string> stems;
        for (const Job& job : jobs) {
            if (!stems.insert(job.stem).second) {
                err << "dorvek-run: --graphs-csv: two projects are named " << job.stem << "\n";
                return false;
            }
        }
        return true;
    };
    output.write = [folder, noRun](const AnalysedFile& file, std::ostream& out, std::ostream& err) {
        const ProjectFacts& project = *file.job.project;
        // Like the program: the result code is not looked at, whatever plot file exists is read.
        const fs::path plotFile = file.job.files.plot;
        if (!ExistingFile(plotFile, err)) return false;

        TResultGraphs graphs;
        const bool loaded =
            ReadPlotData(graphs, plotFile, true, project.plot, [&](const std::string& message) {
                err << "dorvek-run: " << plotFile.string() << ": " << message << "\n";
            });
        if (!loaded) return false;
        if (noRun) {
            const fs::path input = file.job.files.input;
            try {
                ReadGraphParams(graphs, input, true, project.plot.downdrag);
            } catch (const std::exception& e) {
                err << "dorvek-run: " << GraphSettingsFileName(input).string() << ": "
                    << Lines(e.what()) << " (graph settings not used)\n";
            }
        }

        const std::vector<TGraphPlot*> shown =
            graphs.Available(project.plot.downdrag, project.plot.nloadmethod);
        try {
            for (const fs::path& written :
                 WriteGraphsCsv({shown.begin(), shown.end()}, OutputFolder(folder, file)))
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
