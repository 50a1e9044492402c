#include "GraphsCommand.h"

#include "AnalyseCommand.h"
#include "GraphCsv.h"
#include "GraphSettings.h"
#include "PlotProject.h"
#include "ProjectLoad.h"

#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace fs = std::filesystem;

bool LoadResults(const std::string& name, bool noRun, bool quiet, LoadedResults& results,
                 std::ostream& err) {
    const fs::path project = name;
    if (FilterFromExtension(name) != FilterCurrent) {
        err << "dorvek-run: " << name << ": not a .dv4d project file\n";
        return false;
    }
    if (!ExistingFile(project, err)) return false;

    TProjectTables owner;
    TProgramData data;
    if (!ReadProject(name, FilterCurrent, owner, data, err)) return false;

    // Like the program: the result code is not looked at, whatever plot file exists is read.
    if (!noRun) {
        AnalyseOptions analyse;
        analyse.files = {name};
        analyse.quiet = quiet;
        AnalyseFiles(analyse, err, err); // standard output lists the written files only
    }
    const fs::path plotFile = PlotDataFileName(project);
    if (!ExistingFile(plotFile, err)) return false;

    TResultGraphs& graphs = results.graphs;
    const PlotProjectInfo info = PlotProjectInfoFrom(data, owner.Tables());
    bool loaded = ReadPlotData(graphs, plotFile, true, info, [&](const std::string& message) {
        err << "dorvek-run: " << plotFile.string() << ": " << message << "\n";
    });
    if (!loaded) return false;
    // Opening a project also takes the saved graph settings (curve names) over; a run
    // starts the graphs afresh.
    if (noRun) {
        try {
            ReadGraphParams(graphs, project, true, data.downdrag);
        } catch (const std::exception& e) {
            err << "dorvek-run: " << GraphSettingsFileName(project).string() << ": "
                << Lines(e.what()) << " (graph settings not used)\n";
        }
    }
    results.downdrag = data.downdrag;
    results.nloadmethod = data.Nloadmethod;
    return true;
}

int ExportGraphs(const GraphsOptions& options, std::ostream& out, std::ostream& err) {
    LoadedResults results;
    if (!LoadResults(options.project, options.noRun, options.quiet, results, err)) return 1;
    const std::vector<TGraphPlot*> shown =
        results.graphs.Available(results.downdrag, results.nloadmethod);
    try {
        for (const fs::path& file :
             WriteGraphsCsv({shown.begin(), shown.end()}, fs::path(options.folder)))
            out << file.string() << "\n";
    } catch (const std::exception& e) {
        err << "dorvek-run: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace dorvek::cli
