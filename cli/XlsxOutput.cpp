#include "cli/XlsxOutput.h"

#include "cli/ResultGraphsLoad.h"

#ifdef DORVEK_HAVE_XLSX
#include "model/plots/ExportWorkbook.h"
#endif

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace dorvek::cli {

namespace fs = std::filesystem;

FileOutput XlsxOutput(const std::string& output, bool markers, bool noRun) {
    FileOutput result;
    result.option = "--xlsx";
    result.needsProject = true;
    result.prepare = DistinctNames(result.option);
    result.targets = [output](const AnalysedFile& file) {
        return std::vector<fs::path>{OutputFile(output, file)};
    };
    result.write = [output, markers, noRun](const AnalysedFile& file, std::ostream& out,
                                            std::ostream& err) {
#ifdef DORVEK_HAVE_XLSX
        const std::unique_ptr<TResultGraphs> graphs = LoadResultGraphs(file, noRun, err);
        if (!graphs) return false;
        // The export's graphs that the program offers for the project's options.
        const std::vector<const TGraphPlot*> offered = OfferedGraphs(*graphs, *file.job.project);
        std::vector<const TGraphPlot*> chosen;
        for (const TGraphPlot* plot : graphs->ExportGraphs())
            if (std::find(offered.begin(), offered.end(), plot) != offered.end() &&
                plot->HasSomethingToDraw() && plot->List(TLineKind::Main).Count() > 0)
                chosen.push_back(plot);
        const fs::path target = OutputFile(output, file);
        // The folder is created like that of --graphs.
        std::error_code ec;
        if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
        if (ec) {
            err << "dorvek-run: --xlsx: " << target.parent_path().string() << ": " << ec.message()
                << "\n";
            return false;
        }
        try {
            TExportOptions options;
            options.markers = markers;
            WriteExportWorkbook(chosen, &graphs->Summary, target, options);
        } catch (const std::exception& e) {
            err << "dorvek-run: --xlsx: " << file.job.name << ": " << e.what() << "\n";
            return false;
        }
        out << target.string() << "\n";
        return true;
#else
        (void)file;
        (void)out;
        err << "dorvek-run: --xlsx: this build has no spreadsheet export (libxlsxwriter was "
               "not found)\n";
        return false;
#endif
    };
    return result;
}

} // namespace dorvek::cli
