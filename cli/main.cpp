// dorvek-run: analyses DORVEK input files without the desktop program.

#include "AnalyseCommand.h"
#include "ConvertCommand.h"
#include "GraphsCommand.h"
#include "XlsxCommand.h"

#include "Kernel.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <string>

namespace {

std::string HelpFooter() {
    std::string text = "Files (beside each input, with its name):\n"
                       "  .dv4d  input data file (read only)\n"
                       "  .dv4o  report: input echo, curves and results (rewritten)\n"
                       "  .dv4p  plot data for the graphs of the desktop program (rewritten)\n"
                       "  .dv4r  run notes (created empty when missing, otherwise left unchanged)\n"
                       "\nResult codes:\n";
    for (int code = 0; code <= dorvek::kInternalError; ++code) {
        if (code == dorvek::kNotCalledForRun) continue; // only the library entry returns it
        text += "  " + std::to_string(code) + "  " + dorvek::ResultCodeMeaning(code) + "\n";
    }
    text += "\nThe exit status is 0 when every run completed, 1 otherwise.";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"dorvek-run: load-settlement analysis of an axially loaded pile.\n"
                 "Runs each FILE.dv4d and writes FILE.dv4o, FILE.dv4p and FILE.dv4r beside it."};
    app.footer(HelpFooter());

    // The analysis is the default mode. Other modes (file conversion, graph export) add a
    // flag of their own here and are chosen below, before the analysis.
    dorvek::cli::AnalyseOptions analyse;
    app.add_flag("--summary", analyse.summary,
                 "Also print the load-settlement summary and the report and plot file paths");
    app.add_flag("-q,--quiet", analyse.quiet, "Hide the kernel's progress messages");
    CLI::Option* files = app.add_option("files", analyse.files, "Input data files (.dv4d)");

    dorvek::cli::ConvertOptions convert;
    CLI::Option* convertFile =
        app.add_option("--convert", convert.input,
                       "Read the project FILE (.dv4d, .dv3d or .dvd, by its extension) and "
                       "write it as a current .dv4d file instead of analysing")
            ->type_name("FILE")
            ->excludes(files);
    app.add_option("-o,--output", convert.output,
                   "Name of the converted file (default: FILE with the extension .dv4d)")
        ->type_name("OUT.dv4d")
        ->needs(convertFile);
    app.add_flag("--force", convert.force, "Let the conversion overwrite its input file")
        ->needs(convertFile);

    dorvek::cli::GraphsOptions graphs;
    CLI::Option* graphsFolder =
        app.add_option("--graphs-csv", graphs.folder,
                       "Load the results of the project FILE into the result graphs after "
                       "analysing it and write one CSV file per graph into DIR")
            ->type_name("DIR")
            ->excludes(convertFile);
    dorvek::cli::XlsxOptions xlsx;
    CLI::Option* xlsxFile =
        app.add_option("--xlsx", xlsx.output,
                       "Load the results of each project FILE into the result graphs after "
                       "analysing it and write a workbook of them: an index sheet, a data sheet "
                       "and a scatter chart per graph with results, and the load-settlement "
                       "summary sheet. With several files, \"{name}\" in OUT is replaced by each "
                       "project's name; without it \"-<name>\" is added to OUT's name" +
                           std::string(dorvek::cli::XlsxAvailable()
                                           ? ""
                                           : " (not in this build: libxlsxwriter was missing)"))
            ->type_name("OUT.xlsx")
            ->excludes(convertFile);
    bool noMarkers = false;
    app.add_flag("--no-markers", noMarkers, "With --xlsx: chart lines without point markers")
        ->needs(xlsxFile);
    CLI::Option* noRun = app.add_flag(
        "--no-run", graphs.noRun,
        "With --graphs-csv or --xlsx: take the existing plot data file instead of analysing");

    CLI11_PARSE(app, argc, argv);
    if (!convertFile->empty()) return dorvek::cli::ConvertProject(convert, std::cout, std::cerr);
    if (!noRun->empty() && graphsFolder->empty() && xlsxFile->empty()) {
        std::cerr << "dorvek-run: --no-run needs --graphs-csv or --xlsx\n";
        return 1;
    }
    // The CSV files of one project; after a workbook the project is analysed already.
    auto graphsCsv = [&](bool analysed) {
        if (analyse.files.size() != 1) {
            std::cerr << "dorvek-run: --graphs-csv takes exactly one project file\n";
            return 1;
        }
        graphs.project = analyse.files.front();
        graphs.quiet = analyse.quiet;
        graphs.noRun = graphs.noRun || analysed;
        return dorvek::cli::ExportGraphs(graphs, std::cout, std::cerr);
    };
    if (!xlsxFile->empty()) {
        if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
        xlsx.files = analyse.files;
        xlsx.noRun = graphs.noRun;
        xlsx.markers = !noMarkers;
        xlsx.quiet = analyse.quiet;
        int status = dorvek::cli::ExportWorkbooks(xlsx, std::cout, std::cerr);
        if (!graphsFolder->empty()) status = std::max(status, graphsCsv(true));
        return status;
    }
    if (!graphsFolder->empty()) return graphsCsv(false);
    if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
    return dorvek::cli::AnalyseFiles(analyse, std::cout, std::cerr);
}
