#include "XlsxCommand.h"

#ifdef DORVEK_HAVE_XLSX
#include "ExportWorkbook.h"
#endif

#include <exception>
#include <stdexcept>

namespace dorvek::cli {

namespace fs = std::filesystem;

bool XlsxAvailable() {
#ifdef DORVEK_HAVE_XLSX
    return true;
#else
    return false;
#endif
}

fs::path XlsxFileName(const std::string& output, const std::string& project, size_t count) {
    const std::string name = fs::path(project).stem().string();
    const std::string placeholder = "{name}";
    std::string result = output;
    if (result.find(placeholder) != std::string::npos) {
        for (size_t at = 0; (at = result.find(placeholder, at)) != std::string::npos;
             at += name.size())
            result.replace(at, placeholder.size(), name);
        return result;
    }
    if (count <= 1) return result;
    fs::path path = result;
    const std::string extension = path.extension().string();
    return path.replace_filename(path.stem().string() + "-" + name + extension);
}

std::vector<const TGraphPlot*> XlsxGraphs(LoadedResults& results) {
    std::vector<const TGraphPlot*> graphs;
    for (const TGraphPlot* plot : results.graphs.ExportGraphs()) {
        if (plot == &results.graphs.pltDispDown && results.downdrag != 1) continue;
        if (plot->LineCount() > 0 && plot->Count() > 0) graphs.push_back(plot);
    }
    return graphs;
}

void WriteResultsWorkbook(LoadedResults& results, const fs::path& target, bool markers) {
#ifdef DORVEK_HAVE_XLSX
    TExportOptions options;
    options.markers = markers;
    WriteExportWorkbook(XlsxGraphs(results), &results.graphs.Summary, target, options);
#else
    (void)results;
    (void)target;
    (void)markers;
    throw std::runtime_error("this dorvek-run was built without libxlsxwriter and cannot write "
                             "workbooks");
#endif
}

int ExportWorkbooks(const XlsxOptions& options, std::ostream& out, std::ostream& err) {
    if (!XlsxAvailable()) {
        err << "dorvek-run: --xlsx: this dorvek-run was built without libxlsxwriter and cannot "
               "write workbooks\n";
        return 1;
    }
    int status = 0;
    for (const std::string& project : options.files) {
        LoadedResults results;
        if (!LoadResults(project, options.noRun, options.quiet, results, err)) {
            status = 1;
            continue;
        }
        const fs::path target = XlsxFileName(options.output, project, options.files.size());
        try {
            WriteResultsWorkbook(results, target, options.markers);
            out << target.string() << "\n";
        } catch (const std::exception& e) {
            err << "dorvek-run: " << project << ": " << e.what() << "\n";
            status = 1;
        }
    }
    return status;
}

} // namespace dorvek::cli
