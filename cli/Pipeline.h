#pragma once
// dorvek-run's per-file pipeline.
//
//   1. The main thread prepares one Job per analysis: the checks, the project reading into
//      plain values (ProjectFacts) and the making of study variants (written as files, or
//      kept as texts for an analysis in memory). Each project model read here is its own (no
//      state is shared between models); the later steps need only the plain values. A study's
//      jobs are made while the pool works, a few ahead of the last one finished, so that a
//      study of any size holds only those.
//   2. A pool of threads runs each job: the kernel's analysis (RunAnalysis on the four file
//      paths, or Analyse on the variant's text), then every per-file output in the order they
//      were added.
//   3. The main thread prints each job's result line, the kernel's console text and what the
//      outputs wrote to their streams, and hands the job to the collector, all in job order.
//
// Adding a per-file output (an option that writes something for every analysed file):
//   - append a FileOutput to the list given to RunPipeline (see main.cpp);
//   - set `needsProject` when it needs values of the project: they are read on the main
//     thread into Job::project (add any plain value you need to ProjectFacts and fill it in
//     FactsFrom, ProjectFacts.cpp);
//   - `write` runs on a pool thread with the analysed job: it may read the job's files and
//     the kernel's results, must write only files of its own for this job (see OutputFolder),
//     and reports through the two streams it is given (standard output: the files it wrote,
//     one per line; standard error: why it failed). It returns false on failure, which makes
//     dorvek-run's exit status 1. Exceptions it throws are reported and count as a failure.
//   - `targets` (optional) names the files `write` will write for a job; they are checked
//     and claimed on the main thread before anything runs (see OutputClaims).
//   - `prepare` (optional) runs on the main thread before anything runs, e.g. to check its
//     option; it returns false after printing why, and dorvek-run then stops with status 2.

#include "kernel/Analysis.h"
#include "kernel/Kernel.h"
#include "model/plots/LoadTestOverlay.h"
#include "model/plots/PileSideModel.h"
#include "model/plots/PltData.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace dorvek::cli {

// Plain values of a project read on the main thread for the per-file outputs.
struct ProjectFacts {
    std::string title;
    int units = 1;            // 1 English, 2 S.I.
    PlotProjectInfo plot;     // what loading the plot data into the result graphs takes
    TPileSideInput pile;      // what the soil-profile picture draws
    TCapacityPile capacity;   // what the capacity criteria take from the pile
    TMeasuredCurves measured; // the project's measured curves and those of --measured
};

// One analysis of the run.
struct Job {
    std::string name;           // as printed: the argument given, or the written variant's path
    std::string stem;           // the project's name without folder and extension
    RunFiles files;             // the input and the three outputs beside it
    std::string refusal;        // not empty: not run, and this says why
    std::string origin;         // the project file given (a variant's project)
    std::vector<double> values; // of the study's varied names, for a variant
    std::optional<ProjectFacts> project; // when an output needs it
    // A study's variant analysed in memory from its project text: no file is read or written
    // (`files` only names it).
    bool inMemory = false;
    std::string text;
};

// Result code of a job whose analysis was not asked for (outputs use the existing files).
inline constexpr int kNotAnalysed = -1;

// What a per-file output gets once its job has run.
struct AnalysedFile {
    const Job& job;
    int code;                      // the kernel's result code, or kNotAnalysed
    const AnalysisResult& results; // the analysis' results (empty when not run)
    bool several; // the run has more than one job (the whole study, before sharding)
};

struct FileOutput {
    std::string option; // e.g. "--graphs-csv", used in messages
    bool needsProject = false;
    std::function<bool(const std::vector<Job>& jobs, std::ostream& err)> prepare;
    std::function<bool(const AnalysedFile& file, std::ostream& out, std::ostream& err)> write;
    // The files `write` will write for a job, where they are known before anything runs:
    // they must be regular files (or missing), and no other output of the run may write them.
    std::function<std::vector<std::filesystem::path>(const AnalysedFile& file)> targets;
};

// Where an output option given a folder puts its files for `file`: the folder itself for a
// run of one job, a folder named after the project inside it when there are several.
std::filesystem::path OutputFolder(const std::string& folder, const AnalysedFile& file);

// Where an output option given a file name puts its file for `file`: "{name}" in the pattern
// stands for the project's name; without it, a run of several jobs puts "-" and the name
// before the extension ("profile.png" -> "profile-pile.png").
std::filesystem::path OutputFile(const std::string& pattern, const AnalysedFile& file);

struct PipelineOptions {
    unsigned threads = 1;
    bool analyse = true;            // false: outputs only, on the files an earlier run wrote
    bool summary = false;           // print the load-settlement summary and the output paths
    bool quiet = false;             // drop the kernel's console text
    bool progress = false;          // one line on `err` updated in place (a terminal)
    bool several = false;           // see AnalysedFile::several
    std::ostream* lines = nullptr;  // result lines (and summaries); `out` when null
    std::function<std::tm()> clock; // for the report's date; local time when empty
    // The curves of --measured, whose capacities the summary adds to those of the project's
    // own measured curves.
    const std::vector<TMeasuredCurve>* measured = nullptr;
    // A report or plot file that would pass this many bytes is announced on `err` before
    // it is written, whatever `quiet` says.
    std::uint64_t largeOutputBytes = kLargeOutputBytes;
    // How the pool's threads are started (tests make it fail); std::jthread when empty.
    std::function<std::jthread(std::function<void()> body)> startThread;
};

// Called on the main thread, in job order, after the job's lines were printed.
using ResultCollector = std::function<void(const AnalysedFile& file)>;

// The jobs of a run, made one after the other on the main thread as the run needs them.
struct JobSource {
    std::size_t count = 0;
    std::function<void(std::size_t index, Job& job)> make;
};

// Runs the jobs; `out` receives what outputs list, `err` the console text and messages.
// True when every job ran to "run completed" (or was not to be analysed) and every output
// succeeded. A job in memory prints its result line only when it did not complete.
bool RunPipeline(const JobSource& jobs, const std::vector<FileOutput>& outputs,
                 const PipelineOptions& options, std::ostream& out, std::ostream& err,
                 const ResultCollector& collect = {});
bool RunPipeline(const std::vector<Job>& jobs, const std::vector<FileOutput>& outputs,
                 const PipelineOptions& options, std::ostream& out, std::ostream& err,
                 const ResultCollector& collect = {});

// The job for an input file named `name`: its files beside it, or a refusal when the name
// has one of the output extensions.
Job JobForFile(const std::string& name);

} // namespace dorvek::cli
