// dorvek-run: analyses DORVEK input files without the desktop program.

#include "AnalyseCommand.h"
#include "ConvertCommand.h"
#include "GraphsCommand.h"
#ifdef DORVEK_HAVE_PICTURES
#include "OffscreenGui.h"
#include "PileSideRender.h"
#include "ProfileCommand.h"
#endif

#include "Kernel.h"

#include <CLI/CLI.hpp>

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
    CLI::Option* noRun =
        app.add_flag("--no-run", graphs.noRun,
                     "With --graphs-csv or --profile: take the existing plot data file instead of "
                     "analysing (--profile alone: only the pictures)");

#ifdef DORVEK_HAVE_PICTURES
    std::string profile;
    CLI::Option* profileOption =
        app.add_option("--profile", profile,
                       "Also draw the soil profile (the pile in its soil layers, as printed by "
                       "the desktop program) of each project FILE into PICTURE, PNG, SVG or PDF "
                       "by its extension; with several files \"{name}\" in PICTURE stands for "
                       "each project's name, or the name is appended (profile-NAME.png)")
            ->type_name("PICTURE")
            ->excludes(convertFile);
#endif

    CLI11_PARSE(app, argc, argv);
    bool pictures = false;
    int profileStatus = 0;
#ifdef DORVEK_HAVE_PICTURES
    if (!profileOption->empty()) {
        if (!dorvek::PictureKindOf(profile)) {
            std::cerr << "dorvek-run: --profile: " << profile
                      << ": the picture type is not known (use .png, .svg or .pdf)\n";
            return 2;
        }
        if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
        dorvek::cli::OffscreenGui gui;
        profileStatus = dorvek::cli::WriteProfiles(profile, analyse.files, std::cout, std::cerr);
        pictures = true;
    }
#endif
    if (!noRun->empty() && graphsFolder->empty() && !pictures) {
        std::cerr << "dorvek-run: --no-run needs --graphs-csv or --profile\n";
        return 1;
    }
    if (!convertFile->empty()) return dorvek::cli::ConvertProject(convert, std::cout, std::cerr);
    if (!graphsFolder->empty()) {
        if (analyse.files.size() != 1) {
            std::cerr << "dorvek-run: --graphs-csv takes exactly one project file\n";
            return 1;
        }
        graphs.project = analyse.files.front();
        graphs.quiet = analyse.quiet;
        const int status = dorvek::cli::ExportGraphs(graphs, std::cout, std::cerr);
        return pictures && status == 0 ? profileStatus : status;
    }
    if (analyse.files.empty()) return app.exit(CLI::RequiredError(files->get_name()));
    if (pictures && graphs.noRun) return profileStatus;
    const int status = dorvek::cli::AnalyseFiles(analyse, std::cout, std::cerr);
    return pictures && status == 0 ? profileStatus : status;
}
