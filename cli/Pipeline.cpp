#include "cli/Pipeline.h"

#include "cli/LoadTests.h"
#include "cli/OrderedPool.h"
#include "cli/Progress.h"
#include "cli/ResultLines.h"

#include "kernel/PathParts.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <mutex>
#include <sstream>
#include <system_error>

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Jobs made ahead of the last one finished, per thread of the pool: enough to keep every
// thread busy while the main thread makes the next ones.
constexpr std::size_t kJobsAheadPerThread = 16;

// What a pool thread leaves for the main thread.
struct Outcome {
    int code = kNotAnalysed;
    AnalysisResult results;
    std::string console; // the kernel's console text
    std::string listed;  // what the outputs wrote to standard output
    std::string errors;  // and to standard error
    bool outputsOk = true;
};

// A job and what became of it.
struct Slot {
    Job job;
    Outcome outcome;
};

// Prints a line on standard error at once, from any thread.
using Tell = std::function<void(const std::string& line)>;

void AnalyseJob(Job& job, const PipelineOptions& options, const Tell& tell, Outcome& outcome) {
    if (job.inMemory) {
        AnalysisRequest request;
        request.text = std::move(job.text);
        request.files.input = job.name;
        request.curves = false;
        request.distributions = false;
        outcome.results = Analyse(request);
        outcome.code = outcome.results.code;
        return;
    }
    std::ostringstream console;
    RunOptions run;
    run.console = &console;
    run.result = &outcome.results;
    run.clock = options.clock;
    // The console text waits for the job's turn; this cannot wait.
    run.largeOutputBytes = options.largeOutputBytes;
    run.largeOutputs = [&](const OutputEstimate& estimate) {
        tell(LargeOutputWarning(job.name, estimate));
    };
    outcome.code = RunAnalysis(job.files, RunHeader{}, run);
    if (!options.quiet) outcome.console = console.str();
}

void RunJob(Job& job, const std::vector<FileOutput>& outputs, const PipelineOptions& options,
            const Tell& tell, Outcome& outcome) {
    if (!job.refusal.empty()) return;
    if (options.analyse) AnalyseJob(job, options, tell, outcome);
    const AnalysedFile file{job, outcome.code, outcome.results, options.several};
    std::ostringstream listed, errors;
    for (const FileOutput& output : outputs) {
        try {
            if (!output.write(file, listed, errors)) outcome.outputsOk = false;
        } catch (const std::exception& e) {
            errors << "dorvek-run: " << output.option << ": " << job.name << ": " << e.what()
                   << "\n";
            outcome.outputsOk = false;
        }
    }
    outcome.listed = listed.str();
    outcome.errors = errors.str();
}

} // namespace

fs::path OutputFolder(const std::string& folder, const AnalysedFile& file) {
    return file.several ? FilePath(folder) / FilePath(file.job.stem) : FilePath(folder);
}

std::filesystem::path OutputFile(const std::string& pattern, const AnalysedFile& file) {
    static const std::string placeholder = "{name}";
    const std::string& stem = file.job.stem;
    std::string name = pattern;
    bool replaced = false;
    for (std::size_t at = name.find(placeholder); at != std::string::npos;
         at = name.find(placeholder, at + stem.size())) {
        name.replace(at, placeholder.size(), stem);
        replaced = true;
    }
    std::filesystem::path target = FilePath(name);
    if (!replaced && file.several)
        target.replace_filename(
            FilePath(target.stem().string() + "-" + stem + target.extension().string()));
    return target;
}

Job JobForFile(const std::string& name) {
    Job job;
    job.name = name;
    std::error_code ec;
    // Names are UTF-8 text; the C++ library's path::string() gives UTF-8 back on Windows too.
    fs::path input = fs::absolute(FilePath(name), ec);
    if (ec) input = FilePath(name);
    job.stem = input.stem().string();
    const std::string extension = Lower(input.extension().string());
    if (extension == ".dv4o" || extension == ".dv4p" || extension == ".dv4r")
        job.refusal = extension + " is an output extension and the file would be overwritten";
    auto beside = [&](const char* ext) {
        fs::path path = input;
        return path.replace_extension(ext).string();
    };
    job.files = {input.string(), beside(".dv4o"), beside(".dv4p"), beside(".dv4r")};
    return job;
}

bool RunPipeline(const JobSource& jobs, const std::vector<FileOutput>& outputs,
                 const PipelineOptions& options, std::ostream& out, std::ostream& err,
                 const ResultCollector& collect) {
    std::ostream& lines = options.lines ? *options.lines : out;
    const std::size_t window =
        std::min(jobs.count, kJobsAheadPerThread * std::max(options.threads, 1u));
    std::vector<std::unique_ptr<Slot>> slots(window);

    ProgressLine progress(err, jobs.count, options.progress);
    std::size_t done = 0, failed = 0;
    bool allOk = true;
    // Guards `err`, `out` and the progress line: the calling thread prints the jobs' text in
    // their order, and a warning that cannot wait comes from the thread that finds it.
    std::mutex console;
    const Tell tell = [&](const std::string& line) {
        const std::lock_guard lock(console);
        progress.Clear();
        err << line;
        err.flush();
    };

    OrderedPoolHooks hooks;
    hooks.window = window;
    hooks.prepare = [&](std::size_t i) {
        auto slot = std::make_unique<Slot>();
        jobs.make(i, slot->job);
        slots[i % window] = std::move(slot);
    };
    hooks.work = [&](std::size_t i) {
        Slot& slot = *slots[i % window];
        RunJob(slot.job, outputs, options, tell, slot.outcome);
    };
    hooks.finish = [&](std::size_t i) {
        const std::lock_guard lock(console);
        const Job& job = slots[i % window]->job;
        Outcome& outcome = slots[i % window]->outcome;
        progress.Clear();
        err << outcome.console;
        bool ok = outcome.outputsOk;
        if (!job.refusal.empty()) {
            lines << job.name << ": not run, " << job.refusal << "\n";
            ok = false;
        } else if (outcome.code != kNotAnalysed) {
            const bool summary = options.summary && !job.inMemory;
            // The project's measured curves are those beside the project given.
            const std::string capacities =
                summary ? CapacityText(
                              outcome.results, job.origin.empty() ? job.files.input : job.origin,
                              options.measured ? *options.measured : std::vector<TMeasuredCurve>{},
                              &err)
                        : std::string();
            if (!job.inMemory || outcome.code != kRunCompleted)
                PrintResult(job.name, outcome.code, outcome.results, job.files, summary, capacities,
                            lines);
            ok = ok && outcome.code == kRunCompleted;
        }
        lines.flush();
        out << outcome.listed;
        out.flush();
        err << outcome.errors;
        err.flush();
        if (collect) collect(AnalysedFile{job, outcome.code, outcome.results, options.several});
        slots[i % window].reset(); // nothing of a finished job is kept
        ++done;
        if (!ok) ++failed;
        allOk = allOk && ok;
    };
    hooks.tick = [&] {
        const std::lock_guard lock(console);
        progress.Update(done, failed);
    };
    hooks.startThread = options.startThread;
    hooks.fewerThreads = [&](unsigned started, unsigned asked, const std::system_error& why) {
        tell("dorvek-run: only " + std::to_string(started) + " of " + std::to_string(asked) +
             " threads could be started (" + why.code().message() + "); the run goes on with " +
             std::to_string(started) + "\n");
    };
    RunOrdered(jobs.count, options.threads, hooks);
    const std::lock_guard lock(console);
    progress.Clear();
    return allOk;
}

bool RunPipeline(const std::vector<Job>& jobs, const std::vector<FileOutput>& outputs,
                 const PipelineOptions& options, std::ostream& out, std::ostream& err,
                 const ResultCollector& collect) {
    const JobSource source{jobs.size(), [&](std::size_t i, Job& job) { job = jobs[i]; }};
    return RunPipeline(source, outputs, options, out, err, collect);
}

} // namespace dorvek::cli
