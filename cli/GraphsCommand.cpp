#include "GraphsCommand.h"

#include "AnalyseCommand.h"
#include "GraphCsv.h"
#include "GraphSettings.h"
#include "PlotProject.h"
#include "ProjectLoad.h"

#ifdef DORVEK_HAVE_PICTURES
#include "PlotPicture.h"
#endif

#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace fs = std::filesystem;

#ifdef DORVEK_HAVE_PICTURES
bool PicturesAvailable() {
    return true;
}
#else
bool PicturesAvailable() {
    return false;
}
#endif

int ExportGraphs(const GraphsOptions& options, std::ostream& out, std::ostream& err) {
    const fs::path project = options.project;
    if (FilterFromExtension(options.project) != FilterCurrent) {
        err << "dorvek-run: " << options.project << ": not a .dv4d project file\n";
        return 1;
    }
    if (!ExistingFile(project, err)) return 1;

    TProjectTables owner;
    TProgramData data;
    if (!ReadProject(options.project, FilterCurrent, owner, data, err)) return 1;

    // Like the program: the result code is not looked at, whatever plot file exists is read.
    if (!options.noRun) {
        AnalyseOptions analyse;
        analyse.files = {options.project};
        analyse.quiet = options.quiet;
        AnalyseFiles(analyse, err, err); // standard output lists the written files only
    }
    const fs::path plotFile = PlotDataFileName(project);
    if (!ExistingFile(plotFile, err)) return 1;

    TResultGraphs graphs;
    const PlotProjectInfo info = PlotProjectInfoFrom(data, owner.Tables());
    bool loaded = ReadPlotData(graphs, plotFile, true, info, [&](const std::string& message) {
        err << "dorvek-run: " << plotFile.string() << ": " << message << "\n";
    });
    if (!loaded) return 1;
    // Opening a project also takes the saved graph settings (curve names) over; a run
    // starts the graphs afresh.
    if (options.noRun) {
        try {
            ReadGraphParams(graphs, project, true, data.downdrag);
        } catch (const std::exception& e) {
            err << "dorvek-run: " << GraphSettingsFileName(project).string() << ": "
                << Lines(e.what()) << " (graph settings not used)\n";
        }
    }

    const std::vector<TGraphPlot*> available = graphs.Available(data.downdrag, data.Nloadmethod);
    const std::vector<const TGraphPlot*> shown(available.begin(), available.end());
    try {
        if (!options.folder.empty())
            for (const fs::path& file : WriteGraphsCsv(shown, fs::path(options.folder)))
                out << file.string() << "\n";
        if (!options.pictureFolder.empty()) {
#ifdef DORVEK_HAVE_PICTURES
            const auto format = PictureFormatFromName(options.format);
            if (!format) {
                err << "dorvek-run: unknown picture format " << options.format << "\n";
                return 1;
            }
            // As when the program opens a graph's window: at most 20 curves at first.
            for (TGraphPlot* plot : available) plot->ApplyActiveLimit();
            for (const fs::path& file :
                 WriteGraphPictures(shown, fs::path(options.pictureFolder), *format, {}))
                out << file.string() << "\n";
#else
            err << "dorvek-run: this build has no picture output (built without Qt)\n";
            return 1;
#endif
        }
    } catch (const std::exception& e) {
        err << "dorvek-run: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace dorvek::cli
