// dorvek-run: analyses DORVEK input files without the desktop program.

#include "AnalyseCommand.h"
#include "ConvertCommand.h"
#include "GraphsCommand.h"

#include "Kernel.h"

#ifdef DORVEK_HAVE_PICTURES
#include "OffscreenGui.h"
#endif

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
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
                       "Load the results of each project FILE into the result graphs after "
                       "analysing it and write one CSV file per graph into DIR (with several "
                       "files into DIR/<project name>/)")
            ->type_name("DIR")
            ->excludes(convertFile);
    CLI::Option* picturesFolder =
        app.add_option("--graphs", graphs.pictureFolder,
                       "Load the results of each project FILE into the result graphs after "
                       "analysing it and draw every graph the program offers for it as a "
                       "picture into DIR (with several files into DIR/<project name>/), with the "
                       "project's saved graph settings under "
                       "--no-run; 10 x 7.5 in at 100 pixels per inch (1000 x 750 pixels) for "
                       "bitmaps, the same page for SVG and PDF")
            ->type_name("DIR")
            ->excludes(convertFile);
    app.add_option("--format", graphs.format, "With --graphs: png (default), svg, pdf or bmp")
        ->type_name("png|svg|pdf|bmp")
        ->check(CLI::IsMember({"png", "svg", "pdf", "bmp"}))
        ->needs(picturesFolder);
    app.add_flag("--no-run", graphs.noRun,
                 "With --graphs-csv or --graphs: take the existing plot data file and the "
                 "saved graph settings instead of analysing");

    CLI11_PARSE(app, argc, argv);
    if (!convertFile->empty()) return dorvek::cli::ConvertProject(convert, std::cout, std::cerr);
    if (graphs.noRun && graphsFolder->empty() && picturesFolder->empty()) {
        std::cerr << "dorvek-run: --no-run needs --graphs-csv or --graphs\n";
        return 1;
    }
    if (!graphsFolder->empty() || !picturesFolder->empty()) {
        if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
        if (!picturesFolder->empty() && !dorvek::cli::PicturesAvailable()) {
            std::cerr << "dorvek-run: this build has no picture output (built without Qt)\n";
            return 1;
        }
#ifdef DORVEK_HAVE_PICTURES
        std::unique_ptr<dorvek::cli::OffscreenGui> gui;
        if (!picturesFolder->empty()) gui = std::make_unique<dorvek::cli::OffscreenGui>();
#endif
        // With several projects each gets a folder of its own, named after it.
        const bool several = analyse.files.size() > 1;
        std::set<std::string> names;
        for (const std::string& file : analyse.files)
            if (several && !names.insert(std::filesystem::path(file).stem().string()).second) {
                std::cerr << "dorvek-run: " << file
                          << ": two projects of the same name would write into one folder\n";
                return 1;
            }
        int status = 0;
        for (const std::string& file : analyse.files) {
            dorvek::cli::GraphsOptions one = graphs;
            one.project = file;
            one.quiet = analyse.quiet;
            if (several) {
                const std::string name = std::filesystem::path(file).stem().string();
                if (!one.folder.empty())
                    one.folder = (std::filesystem::path(one.folder) / name).string();
                if (!one.pictureFolder.empty())
                    one.pictureFolder = (std::filesystem::path(one.pictureFolder) / name).string();
            }
            if (dorvek::cli::ExportGraphs(one, std::cout, std::cerr) != 0) status = 1;
        }
        return status;
    }
    if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
    return dorvek::cli::AnalyseFiles(analyse, std::cout, std::cerr);
}
