// dorvek-run: analyses DORVEK input files without the desktop program.

#include "AnalyseCommand.h"

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
    app.add_option("files", analyse.files, "Input data files (.dv4d)")->required();

    CLI11_PARSE(app, argc, argv);
    return dorvek::cli::AnalyseFiles(analyse, std::cout, std::cerr);
}
