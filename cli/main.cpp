// dorvek-run: analyses DORVEK input files without the desktop program.

#include "cli/Arguments.h"
#include "cli/BatchCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/OptionRanges.h"
#include "cli/OutputPlugins.h"
#include "cli/Progress.h"
#include "cli/Study.h"
#include "cli/TableJoin.h"

#include "kernel/Kernel.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Exit status of options that cannot be used, found before anything runs.
constexpr int kUsageError = 2;

// A whole number from `low` to `high`, handed to the option as plain decimal digits (the
// parser would read "010" as octal 8).
CLI::Validator WholeNumber(std::uint64_t low, std::uint64_t high) {
    return CLI::Validator(
        [low, high](std::string& text) {
            std::string fault = dorvek::cli::WholeNumberFault(text, low, high);
            if (fault.empty()) text = std::to_string(*dorvek::cli::WholeNumber(text));
            return fault;
        },
        "");
}

#ifdef DORVEK_HAVE_PICTURES
const std::string kNoPictures;
#else
const std::string kNoPictures = " (not in this build: built without Qt)";
#endif
#ifdef DORVEK_HAVE_WORKBOOK
const std::string kNoWorkbook;
#else
const std::string kNoWorkbook = " (not in this build: libxlsxwriter was missing)";
#endif
#ifdef DORVEK_HAVE_CALIBRATION_PLUGIN
const std::string kNoCalibration;
#else
const std::string kNoCalibration = " (not in this build: NLopt was missing)";
#endif

std::string HelpFooter() {
    std::string text =
        "Files (beside each input, with its name):\n"
        "  .dv4d  input data file (read only)\n"
        "  .dv4o  report: input echo, curves and results (rewritten)\n"
        "  .dv4p  plot data for the graphs of the desktop program (rewritten)\n"
        "  .dv4r  run notes (created empty when missing, otherwise left unchanged)\n"
        "  .dv4m  measured load-settlement curves, when the project has them (read)\n"
        "Pile increments (NINC) of a project: 1 to 10000. A report or plot data file that\n"
        "would pass 100 MB is announced on standard error before it is written.\n"
        "\nNames for --vary (values in the project's units):\n";
    for (const dorvek::cli::ParameterName& p : dorvek::cli::ParameterNames())
        text += "  " + std::string(p.name) + std::string(13 - std::string(p.name).size(), ' ') +
                p.meaning + "\n";
    text += "Values: V1,V2,... or FROM:TO:STEP (all combinations of the names); with --sample N:\n"
            "normal:MEAN:SD or lognormal:MEAN:COV. Variants are written into --out DIR as\n"
            "PROJECT_NAME=VALUE....dv4d (PROJECT_sample=NNN.dv4d) and analysed there; without\n"
            "--out (and beyond --keep N) they are analysed in memory and only --table and\n"
            "--stats are written. For example, the share of 100000 drawn variants that settle\n"
            "more than 1 in under the largest load:\n"
            "  dorvek-run --sample 100000 --vary side-factor=lognormal:1:0.2 \\\n"
            "      --vary tip-factor=lognormal:1:0.3 --stats stats.csv --limit 1 pile.dv4d\n"
            "\nResult codes:\n";
    for (int code = 0; code <= dorvek::kInternalError; ++code) {
        if (code == dorvek::kNotCalledForRun) continue; // only the library entry returns it
        text += "  " + std::to_string(code) + "  " + dorvek::ResultCodeMeaning(code) + "\n";
    }
    text += "\nThe exit status is 0 when every run completed, 1 otherwise, and 2 for options "
            "that\ncannot be used: an unknown option, a missing or bad value, options that "
            "exclude or\nneed each other, bad options of a study or a shard, an output that "
            "cannot be written,\nis not a regular file or that two analyses or options would "
            "both write (compared\nwith links, \".\" and \"..\" resolved); all found before "
            "anything runs. Ranges: -j 1 to\n1024, --sample 1 to 100000000, --seed 0 to "
            "9223372036854775807, --keep from 0.\nA study in memory "
            "prints a line only for a variant that did not complete, then a count\nof its "
            "variants and, with --stats, the statistics of the largest load.";
    return text;
}

int Main(int argc, char** argv) {
    const dorvek::cli::Utf8Console console;
    const std::vector<std::string> arguments = dorvek::cli::Utf8Arguments(argc, argv);
    std::vector<const char*> argumentPointers;
    for (const std::string& argument : arguments) argumentPointers.push_back(argument.c_str());

    CLI::App app{"dorvek-run: load-settlement analysis of an axially loaded pile.\n"
                 "Runs each FILE.dv4d and writes FILE.dv4o, FILE.dv4p and FILE.dv4r beside it."};
    app.footer(HelpFooter());

    // The analysis is the default mode. Other modes (file conversion) add a flag of their own
    // here and are chosen below, before the analysis.
    dorvek::cli::BatchOptions batch;
    batch.threads = std::clamp(std::thread::hardware_concurrency(), 1u,
                               static_cast<unsigned>(dorvek::cli::kMaxThreads));
    int threads = static_cast<int>(batch.threads);
    app.add_flag("--summary", batch.summary,
                 "Also print the load-settlement summary and the report and plot file paths");
    app.add_flag("-q,--quiet", batch.quiet,
                 "Hide the kernel's progress messages and the progress line (warnings stay)");
    app.add_option("-j,--jobs", threads, "Analyses run in parallel, 1 to 1024 (default: the cores)")
        ->type_name("N")
        ->transform(WholeNumber(1, dorvek::cli::kMaxThreads));
    CLI::Option* files = app.add_option(
        "files", batch.files, "Input data files (.dv4d); with --join, the tables to join");

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
    bool force = false;
    app.add_flag("--force", force,
                 "Let the conversion overwrite its input file; let a study have more than "
                 "100000 variants (up to 100000000)");

    app.add_option("--graphs-csv", batch.graphsCsv,
                   "Load each project's results into the result graphs after analysing it "
                   "and write one CSV file per graph into DIR (with several projects, into "
                   "DIR/PROJECT); standard output then lists the written files and the "
                   "result lines go to standard error")
        ->type_name("DIR")
        ->excludes(convertFile);
    std::string picturesFolder, pictureFormat = "png";
    CLI::Option* picturesOption =
        app.add_option("--graphs", picturesFolder,
                       "Load each project's results into the result graphs after analysing it "
                       "and draw every graph the program offers as a picture into DIR (with "
                       "several projects, into DIR/PROJECT), 10 x 7.5 in at 100 pixels per inch "
                       "(1000 x 750 pixels) for bitmaps, the same page for SVG and PDF; with "
                       "--no-run the project's saved graph settings are honoured" +
                           kNoPictures)
            ->type_name("DIR")
            ->excludes(convertFile);
    app.add_option("--format", pictureFormat,
                   "With --graphs: png (default), svg, pdf or bmp" + kNoPictures)
        ->type_name("png|svg|pdf|bmp")
        ->check(CLI::IsMember({"png", "svg", "pdf", "bmp"}))
        ->needs(picturesOption);
    std::string pictureSize, picturePalette = "classic", pictureLegend = "off-curves";
    int picturePpi = 100;
    CLI::Option* sizeOption =
        app.add_option("--size", pictureSize,
                       "With --graphs: picture size in inches, WIDTHxHEIGHT (default 10x7.5; a "
                       "report page: 6.5x4.5)" +
                           kNoPictures)
            ->type_name("WxH")
            ->needs(picturesOption);
#ifdef DORVEK_HAVE_PICTURES
    sizeOption->check([](const std::string& text) {
        return dorvek::cli::ParsePictureInches(text)
                   ? std::string()
                   : "expected WIDTHxHEIGHT in inches, each 1 to 100, such as 6.5x4.5";
    });
#else
    (void)sizeOption;
#endif
    app.add_option("--dpi", picturePpi,
                   "With --graphs: pixels per inch of bitmaps, and the scale of SVG and PDF "
                   "(default 100; 300 for a report)" +
                       kNoPictures)
        ->type_name("N")
        ->transform(WholeNumber(10, 1200))
        ->needs(picturesOption);
    app.add_option("--palette", picturePalette,
                   "With --graphs: classic (default, the window's colours) or safe (colours "
                   "told apart with colour-blindness, and line styles)" +
                       kNoPictures)
        ->type_name("classic|safe")
        ->check(CLI::IsMember({"classic", "safe"}))
        ->needs(picturesOption);
    app.add_option("--legend", pictureLegend,
                   "With --graphs: off-curves (default: the legend box in the corner with the "
                   "fewest points, or beside the graph) or part (at the lower-right corner of "
                   "the graph, as the window prints it)" +
                       kNoPictures)
        ->type_name("off-curves|part")
        ->check(CLI::IsMember({"off-curves", "part"}))
        ->needs(picturesOption);
    std::string profile;
    CLI::Option* profileOption =
        app.add_option("--profile", profile,
                       "Also draw the soil profile (the pile in its soil layers, as printed by "
                       "the desktop program) of each project into PICTURE, PNG, SVG or PDF by "
                       "its extension; with several projects \"{name}\" in PICTURE stands for "
                       "each project's name, or the name is appended (profile-NAME.png)" +
                           kNoPictures)
            ->type_name("PICTURE")
            ->excludes(convertFile);
    app.add_flag("--no-run", batch.noRun,
                 "With an output option (--graphs-csv, --graphs, ...): take the existing plot "
                 "data files and the saved graph settings instead of analysing");

    std::string xlsxFile;
    CLI::Option* xlsxOption =
        app.add_option("--xlsx", xlsxFile,
                       "Load each project's results into the result graphs after analysing it "
                       "and write a workbook of them: an index sheet, a data sheet and a scatter "
                       "chart per graph the program offers, and the load-settlement summary "
                       "sheet last. With several projects, \"{name}\" in OUT is replaced by each "
                       "project's name; without it \"-<name>\" is added to OUT's name" +
                           kNoWorkbook)
            ->type_name("OUT.xlsx")
            ->excludes(convertFile);
    bool noMarkers = false;
    app.add_flag("--no-markers", noMarkers, "With --xlsx: chart lines without point markers")
        ->needs(xlsxOption);

    CLI::Option* tableOption =
        app.add_option("--table", batch.table,
                       "Write one CSV row per result of every analysis (tip-movement summary "
                       "and applied-load results) into FILE.csv (\"-\": standard output, the "
                       "result lines then go to standard error); each row ends with its units, "
                       "the study's fingerprint and the shard K/N, so that the tables of a "
                       "study's shards join with --join")
            ->type_name("FILE.csv")
            ->excludes(convertFile);
    std::string joinFile;
    CLI::Option* joinOption =
        app.add_option("--join", joinFile,
                       "Join the --table (or --stats) files given as FILES, one per shard of one "
                       "study, into OUT.csv (\"-\": standard output) in the order of the shards; "
                       "refused, with status 2, when a shard is missing or given twice, is of "
                       "another study, or the headers differ")
            ->type_name("OUT.csv")
            ->excludes(convertFile)
            ->excludes(tableOption);
    app.add_option("--vary", batch.vary,
                   "Parameter study: NAME=V1,V2,... or NAME=FROM:TO:STEP (repeatable; every "
                   "combination), or NAME=normal:MEAN:SD / lognormal:MEAN:COV with --sample; "
                   "side-factor@N and tip-factor@N vary soil layer N alone")
        ->type_name("NAME=VALUES")
        ->expected(1) // one value per --vary: the files that follow are not taken for values
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->excludes(convertFile);
    app.add_option("--out", batch.out,
                   "Folder of a study's variants (created when missing): each variant is "
                   "written there as a project file and analysed with its report and plot "
                   "file. Without it a study with --table or --stats analyses its variants in "
                   "memory and writes no other file")
        ->type_name("DIR");
    long long keep = 0;
    CLI::Option* keepOption =
        app.add_option("--keep", keep,
                       "With --out: write the files of the first N variants of each project "
                       "only, for inspection; the others are analysed in memory")
            ->type_name("N")
            ->transform(WholeNumber(0, std::numeric_limits<long long>::max()));
    app.add_option("--stats", batch.stats,
                   "Statistics of a study into FILE.csv: per project, applied load and tip "
                   "movement the number of variants, how many converged, and the mean, "
                   "standard deviation and 5th, 50th and 95th percentiles of the head "
                   "movement (\"-\": standard output); the terminal shows those of the "
                   "largest load. Each row ends with its units, study and shard like --table")
        ->type_name("FILE.csv")
        ->excludes(convertFile);
    double limit = 0;
    CLI::Option* limitOption =
        app.add_option("--limit", limit,
                       "With --stats: a settlement S in the project's length unit; adds the "
                       "share of variants whose head movement exceeds S (or whose load did not "
                       "converge) with its 95% confidence interval (Clopper-Pearson)")
            ->type_name("S");
    std::size_t sample = 0;
    CLI::Option* sampleOption =
        app.add_option("--sample", sample,
                       "Draw N variants from the distributions of --vary, 1 to 100000000")
            ->type_name("N")
            ->transform(WholeNumber(1, dorvek::cli::kStudyLimit));
    app.add_option("--seed", batch.seed,
                   "Seed of --sample, 0 to 2^63-1 (default 1): same seed, same sample")
        ->type_name("S")
        ->transform(WholeNumber(0, dorvek::cli::kSeedLimit))
        ->needs(sampleOption);
    app.add_option("--shard", batch.shard,
                   "Run only the K-th of N equal, fixed slices of the files or variants")
        ->type_name("K/N");

    app.add_option("--measured", batch.measured,
                   "A measured head load-settlement curve (a load test): a CSV file of two "
                   "columns, head load and settlement in each project's units, an optional "
                   "header line first (repeatable). Added to the project's own measured curves "
                   "(FILE.dv4m): drawn on the axial load-settlement graphs, with their "
                   "capacities in --summary and --table")
        ->type_name("FILE.csv")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->excludes(convertFile);
    std::string calibrate;
    CLI::Option* calibrateOption =
        app.add_option("--calibrate", calibrate,
                       "Calibrate each project to its measured curves instead of analysing it: "
                       "the factors NAMES (comma-separated: side-factor, tip-factor, ae-factor; "
                       "side and tip per soil layer as side-factor@2) between 0.2 and 5 that "
                       "minimise the misfit of settlement at the measured loads; prints them "
                       "with the misfit before and after, writes PROJECT-calibrated.dv4d (with "
                       "its measured curves) and analyses it" +
                           kNoCalibration)
            ->type_name("NAMES")
            ->excludes(convertFile);

    app.set_version_flag("--version", std::string("dorvek-run ") + dorvek::kKernelVersion);

    // CLI11 gives each kind of parse error a status of its own; every one is a usage error
    // here, while --help and --version end the parse with 0.
    try {
        app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
        if (convertFile->empty() && batch.files.empty())
            throw CLI::RequiredError(files->get_name());
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kUsageError;
    }
    convert.force = force;
    batch.force = force;
    if (!convertFile->empty()) return dorvek::cli::ConvertProject(convert, std::cout, std::cerr);
    if (!joinOption->empty())
        return dorvek::cli::JoinTables(joinFile, batch.files, std::cout, std::cerr);
    if (!calibrateOption->empty()) {
        for (const CLI::Option* other :
             {picturesOption, profileOption, xlsxOption, app.get_option("--table"),
              app.get_option("--vary"), app.get_option("--graphs-csv"), app.get_option("--shard"),
              app.get_option("--no-run"), app.get_option("--stats")}) {
            if (!other->empty()) {
                std::cerr << "dorvek-run: --calibrate cannot be combined with " << other->get_name()
                          << "\n";
                return 2;
            }
        }
#ifdef DORVEK_HAVE_CALIBRATION_PLUGIN
        const dorvek::cli::CalibrationPlugin* calibration =
            dorvek::cli::LoadCalibrationPlugin("--calibrate", std::cerr);
        if (!calibration) return 2;
        dorvek::cli::CalibrateOptions options;
        options.files = batch.files;
        options.factors = calibrate;
        options.measured = batch.measured;
        options.summary = batch.summary;
        options.quiet = batch.quiet;
        options.progress = dorvek::cli::StandardErrorIsTerminal() && !batch.quiet;
        return calibration->calibrate(options, std::cout, std::cerr);
#else
        std::cerr << "dorvek-run: --calibrate: this build has no calibration (NLopt was not "
                     "found)\n";
        return 2;
#endif
    }
    // Pictures and workbooks come from plug-ins, loaded only when asked for. Pictures are
    // drawn by Qt Gui without a display; it lives until the last one is written.
    std::shared_ptr<void> gui;
    if (!picturesOption->empty() || !profileOption->empty()) {
#ifdef DORVEK_HAVE_PICTURES
        const char* option = picturesOption->empty() ? "--profile" : "--graphs";
        const dorvek::cli::PicturesPlugin* pictures =
            dorvek::cli::LoadPicturesPlugin(option, std::cerr);
        if (!pictures) return 2;
        gui = pictures->startGui();
        if (!picturesOption->empty()) {
            dorvek::cli::PictureRequest request;
            request.format = pictureFormat;
            if (const auto inches = dorvek::cli::ParsePictureInches(pictureSize)) {
                request.widthIn = inches->first;
                request.heightIn = inches->second;
            }
            request.ppi = picturePpi;
            request.safePalette = picturePalette == "safe";
            request.legendOffCurves = pictureLegend != "part";
            batch.outputs.push_back(pictures->graphPictures(picturesFolder, request, batch.noRun));
        }
        if (!profileOption->empty()) batch.outputs.push_back(pictures->profile(profile));
#else
        for (const CLI::Option* option : {picturesOption, profileOption}) {
            if (!option->empty()) {
                std::cerr << "dorvek-run: " << option->get_name()
                          << ": this build has no picture output (built without Qt)\n";
                return 2;
            }
        }
#endif
    }
    if (!xlsxOption->empty()) {
#ifdef DORVEK_HAVE_WORKBOOK
        const dorvek::cli::WorkbookPlugin* workbook =
            dorvek::cli::LoadWorkbookPlugin("--xlsx", std::cerr);
        if (!workbook) return 2;
        batch.outputs.push_back(workbook->workbook(xlsxFile, !noMarkers, batch.noRun));
#else
        std::cerr << "dorvek-run: --xlsx: this build has no spreadsheet export "
                     "(libxlsxwriter was not found)\n";
        return 2;
#endif
    }
    if (batch.noRun && batch.graphsCsv.empty() && batch.outputs.empty()) {
        std::cerr << "dorvek-run: --no-run needs an output option such as --graphs-csv, "
                     "--graphs or --profile\n";
        return 2;
    }
    batch.threads = static_cast<unsigned>(threads);
    if (!sampleOption->empty()) batch.sample = sample;
    if (!keepOption->empty()) batch.keep = keep;
    if (!limitOption->empty()) batch.limit = limit;
    batch.progress = dorvek::cli::StandardErrorIsTerminal();
    return dorvek::cli::RunBatch(batch, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    // Whatever escapes is reported with status 1, never an abort.
    try {
        return Main(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "dorvek-run: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "dorvek-run: an unexpected failure\n";
    }
    return 1;
}
