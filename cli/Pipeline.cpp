#include "cli/Pipeline.h"

#include "cli/OrderedPool.h"
#include "cli/Progress.h"
#include "cli/ResultLines.h"

#include "kernel/PathParts.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <sstream>

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What a pool thread leaves for the main thread.
struct Outcome {
    int code = kNotAnalysed;
    Store results;
    std::string console; // the kernel's console text
    std::string listed;  // what the outputs wrote to standard output
    std::string errors;  // and to standard error
    bool outputsOk = true;
};

void RunJob(const Job& job, const std::vector<FileOutput>& outputs, const PipelineOptions& options,
            Outcome& outcome) {
    if (!job.refusal.empty()) return;
    if (options.analyse) {
        std::ostringstream console;
        RunOptions run;
        run.console = &console;
        run.results = &outcome.results;
        run.clock = options.clock;
        outcome.code = RunAnalysis(job.files, RunHeader{}, run);
        if (!options.quiet) outcome.console = console.str();
    }
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

bool RunPipeline(const std::vector<Job>& jobs, const std::vector<FileOutput>& outputs,
                 const PipelineOptions& options, std::ostream& out, std::ostream& err,
                 const ResultCollector& collect) {
    std::ostream& lines = options.lines ? *options.lines : out;
    std::vector<std::unique_ptr<Outcome>> outcomes(jobs.size());
    for (auto& outcome : outcomes) outcome = std::make_unique<Outcome>();

    ProgressLine progress(err, jobs.size(), options.progress);
    std::size_t done = 0, failed = 0;
    bool allOk = true;

    OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) { RunJob(jobs[i], outputs, options, *outcomes[i]); };
    hooks.finish = [&](std::size_t i) {
        const Job& job = jobs[i];
        Outcome& outcome = *outcomes[i];
        progress.Clear();
        err << outcome.console;
        bool ok = outcome.outputsOk;
        if (!job.refusal.empty()) {
            lines << job.name << ": not run, " << job.refusal << "\n";
            ok = false;
        } else if (outcome.code != kNotAnalysed) {
            PrintResult(job.name, outcome.code, outcome.results, job.files, options.summary, lines);
            ok = ok && outcome.code == kRunCompleted;
        }
        lines.flush();
        out << outcome.listed;
        out.flush();
        err << outcome.errors;
        err.flush();
        if (collect) collect(AnalysedFile{job, outcome.code, outcome.results, options.several});
        outcomes[i].reset(); // the store of a finished job is not kept
        ++done;
        if (!ok) ++failed;
        allOk = allOk && ok;
    };
    hooks.tick = [&] { progress.Update(done, failed); };
    RunOrdered(jobs.size(), options.threads, hooks);
    progress.Clear();
    return allOk;
}

} // namespace dorvek::cli
