#include "cli/BatchCommand.h"

#include "cli/GraphsCsvOutput.h"
#include "cli/ProjectLoad.h"
#include "cli/ResultTable.h"
#include "cli/Shard.h"
#include "cli/Study.h"
#include "cli/Variants.h"
#include "kernel/PathParts.h"

#include <exception>
#include <filesystem>
#include <set>

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kBadOptions = 2;

StudySpec SpecFrom(const BatchOptions& options) {
    StudySpec study;
    std::set<std::string> seen;
    for (const std::string& text : options.vary) {
        study.vary.push_back(ParseVary(text));
        if (!seen.insert(study.vary.back().name).second)
            throw StudyError("--vary " + study.vary.back().name + ": given twice");
    }
    study.sample = options.sample;
    study.seed = options.seed;
    study.force = options.force;
    if (study.vary.empty()) {
        if (options.sample) throw StudyError("--sample needs --vary NAME=DISTRIBUTION");
        if (!options.out.empty()) throw StudyError("--out needs --vary");
    } else if (options.out.empty()) {
        throw StudyError("--vary needs --out DIR, the folder of the variants");
    }
    return study;
}

bool MakeFolder(const std::string& option, const fs::path& folder, std::ostream& err) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && fs::is_directory(folder, ec)) return true;
    err << "dorvek-run: " << option << " " << folder.string() << ": the folder cannot be created"
        << (ec ? " (" + ec.message() + ")" : std::string()) << "\n";
    return false;
}

// The jobs of a study's variants in the slice, written into the output folder. Every project
// is read and checked before the first variant is written.
bool StudyJobs(const BatchOptions& options, const StudySpec& study,
               const std::vector<std::vector<double>>& variants, const Slice& slice,
               bool needsProject, std::vector<Job>& jobs, std::ostream& err) {
    std::set<std::string> stems;
    for (const std::string& file : options.files) {
        if (!stems.insert(FilePath(file).stem().string()).second) {
            err << "dorvek-run: " << file << ": another project of this name would write the "
                << "same variants\n";
            return false;
        }
        VariantProject project(file); // one project model at a time
        if (!project.Read(err)) return false;
        const std::string fault = project.Fault(study);
        if (!fault.empty()) {
            err << "dorvek-run: " << file << ": " << fault << "\n";
            return false;
        }
    }
    if (!MakeFolder("--out", FilePath(options.out), err)) return false;
    const std::size_t perFile = variants.size();
    for (std::size_t f = 0; f < options.files.size(); ++f) {
        const std::size_t first = f * perFile, last = first + perFile;
        if (last <= slice.begin || first >= slice.end) continue;
        VariantProject project(options.files[f]);
        if (!project.Read(err)) return false;
        const std::string stem = FilePath(options.files[f]).stem().string();
        for (std::size_t i = std::max(first, slice.begin); i < std::min(last, slice.end); ++i) {
            const std::vector<double>& values = variants[i - first];
            const fs::path file = FilePath(options.out) /
                                  FilePath(VariantStem(stem, study, values, i - first) + ".dv4d");
            Job job = JobForFile(file.string());
            job.values = values;
            project.Apply(study, values);
            try {
                project.Write(file);
            } catch (const std::exception& e) {
                err << "dorvek-run: " << Lines(e.what()) << "\n";
                job.refusal = "the variant could not be written";
            }
            if (needsProject) job.project = project.Facts();
            jobs.push_back(std::move(job));
        }
    }
    return true;
}

} // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    StudySpec study;
    Shard shard;
    std::vector<std::vector<double>> variants;
    try {
        if (options.threads < 1) throw StudyError("-j: at least 1 thread");
        study = SpecFrom(options);
        if (!options.shard.empty()) shard = ParseShard(options.shard);
        if (!study.vary.empty()) variants = StudyVariants(study);
    } catch (const StudyError& e) {
        err << "dorvek-run: " << e.what() << "\n";
        return kBadOptions;
    }
    if (!options.table.empty() && !TableWritable(FilePath(options.table), err)) return kBadOptions;

    std::vector<FileOutput> outputs;
    if (!options.graphsCsv.empty())
        outputs.push_back(GraphsCsvOutput(options.graphsCsv, options.noRun));
    for (const FileOutput& output : options.outputs) outputs.push_back(output);
    bool needsProject = false;
    for (const FileOutput& output : outputs) needsProject = needsProject || output.needsProject;

    const std::size_t total =
        study.vary.empty() ? options.files.size() : options.files.size() * variants.size();
    const Slice slice = ShardSlice(total, shard);
    std::vector<Job> jobs;
    if (study.vary.empty()) {
        for (std::size_t i = slice.begin; i < slice.end; ++i) {
            jobs.push_back(JobForFile(options.files[i]));
            if (needsProject && jobs.back().refusal.empty()) ReadFacts(jobs.back(), err);
        }
    } else if (!StudyJobs(options, study, variants, slice, needsProject, jobs, err)) {
        return kBadOptions;
    }
    // Two jobs on one file would write the same report and plot file at once.
    std::set<std::string> inputs;
    for (const Job& job : jobs) {
        if (!inputs.insert(job.files.input).second) {
            err << "dorvek-run: " << job.name << ": given twice\n";
            return kBadOptions;
        }
    }
    for (const FileOutput& output : outputs)
        if (output.prepare && !output.prepare(jobs, err)) return kBadOptions;

    std::vector<std::string> names;
    for (const Vary& vary : study.vary) names.push_back(vary.name);
    ResultTable table(names);

    PipelineOptions run;
    run.threads = options.threads;
    run.analyse = !options.noRun;
    run.summary = options.summary;
    run.progress = options.progress && !options.quiet;
    // On a terminal the progress line stands for the kernel's progress messages of many files.
    run.quiet = options.quiet || (run.progress && jobs.size() > 1);
    run.several = total > 1;
    run.clock = options.clock;
    // Output options that list the files they wrote keep standard output for that list.
    if (!outputs.empty()) run.lines = &err;
    ResultCollector collect;
    if (!options.table.empty()) collect = [&](const AnalysedFile& file) { table.Add(file); };
    bool ok = RunPipeline(jobs, outputs, run, out, err, collect);

    if (!options.table.empty()) {
        try {
            table.Write(FilePath(options.table));
        } catch (const std::exception& e) {
            err << "dorvek-run: --table: " << Lines(e.what()) << "\n";
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace dorvek::cli
