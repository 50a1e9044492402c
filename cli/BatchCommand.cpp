#include "cli/BatchCommand.h"

#include "cli/GraphsCsvOutput.h"
#include "cli/LoadTests.h"
#include "cli/OutputClaims.h"
#include "cli/ProjectLoad.h"
#include "cli/ResultTable.h"
#include "cli/Shard.h"
#include "cli/Study.h"
#include "cli/StudyStatistics.h"
#include "cli/TableTag.h"
#include "cli/Variants.h"
#include "kernel/PathParts.h"
#include "model/io/StaleTemporaries.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <utility>

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
    if (options.keep && options.out.empty())
        throw StudyError("--keep needs --out DIR, the folder of the variants it writes");
    if (options.keep && *options.keep < 0)
        throw StudyError("--keep " + std::to_string(*options.keep) + ": not a number of variants");
    if (options.limit && !std::isfinite(*options.limit))
        throw StudyError("--limit: not a settlement");
    if (options.limit && *options.limit < 0)
        throw StudyError("--limit: the settlement limit must not be negative");
    if (options.limit && options.stats.empty())
        throw StudyError("--limit needs --stats FILE.csv, where the share exceeding it goes");
    if (study.vary.empty()) {
        if (options.sample) throw StudyError("--sample needs --vary NAME=DISTRIBUTION");
        if (!options.out.empty()) throw StudyError("--out needs --vary");
        if (!options.stats.empty())
            throw StudyError("--stats needs a study: --vary NAME=VALUES (and --sample N)");
    } else if (options.out.empty() && options.table.empty() && options.stats.empty()) {
        throw StudyError("--vary needs --out DIR, the folder of the variants, or --table "
                         "FILE.csv or --stats FILE.csv (the variants analysed in memory)");
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

// The variants of a study, made one after the other as the pipeline asks for them: each
// project is read once, each variant is the project with the variant's values set, written
// into the output folder or kept as text for the analysis in memory.
class StudyJobs {
public:
    StudyJobs(const BatchOptions& options, const StudySpec& study, const Slice& slice,
              bool needsProject)
        : options_(options), study_(study), slice_(slice), needsProject_(needsProject),
          values_(study) {}

    // Every project read and checked, and the output folder made, before the first variant.
    bool Check(std::ostream& err) {
        std::set<std::string> stems;
        for (const std::string& file : options_.files) {
            if (!stems.insert(FilePath(file).stem().string()).second) {
                err << "dorvek-run: " << file << ": another project of this name would write "
                    << "the same variants\n";
                return false;
            }
            VariantProject project(file); // one project model at a time
            if (!project.Read(err)) return false;
            const std::string fault = project.Fault(study_);
            if (!fault.empty()) {
                err << "dorvek-run: " << file << ": " << fault << "\n";
                return false;
            }
        }
        return !WritesFiles() || MakeFolder("--out", FilePath(options_.out), err);
    }

    // False after saying why when `file`, claimed by `by`, is one of the files of a variant
    // written into the output folder (its project file, report, plot file or run notes).
    bool Distinct(const fs::path& file, const std::string& by, std::ostream& err) {
        if (!WritesFiles() || !file.has_filename() ||
            ResolvedName(file.parent_path().empty() ? fs::path(".") : file.parent_path()) !=
                ResolvedName(FilePath(options_.out)))
            return true;
        const fs::path name = file.filename();
        const std::string extension = name.extension().string();
        if (extension != ".dv4d" && extension != ".dv4o" && extension != ".dv4p" &&
            extension != ".dv4r")
            return true;
        const std::string stem = name.stem().string();
        const std::size_t perFile = values_.Count();
        const std::size_t onFiles =
            options_.keep ? std::min(perFile, static_cast<std::size_t>(*options_.keep)) : perFile;
        for (std::size_t index = slice_.begin; index < slice_.end; ++index) {
            const std::size_t v = index % perFile;
            if (v >= onFiles) continue;
            if (v == 0 || index == slice_.begin) {
                values_.Rewind();
                values_.Skip(v);
            }
            const std::vector<double>& values = values_.Next();
            const std::string& origin = options_.files[index / perFile];
            if (VariantStem(FilePath(origin).stem().string(), study_, values, v) != stem) continue;
            values_.Rewind();
            err << "dorvek-run: " << by << " " << file.string() << ": a file of the variant "
                << (FilePath(options_.out) / FilePath(stem + ".dv4d")).string() << "\n";
            return false;
        }
        values_.Rewind();
        return true;
    }

    std::size_t Count() const { return slice_.end - slice_.begin; }
    // Whether variants of the slice are analysed in memory.
    bool InMemory() const {
        return options_.out.empty() ||
               (options_.keep && values_.Count() > static_cast<std::size_t>(*options_.keep));
    }

    void Make(std::size_t i, Job& job) {
        const std::size_t perFile = values_.Count();
        const std::size_t index = slice_.begin + i, f = index / perFile, v = index % perFile;
        if (!project_ || f != file_) {
            file_ = f;
            project_ = std::make_unique<VariantProject>(options_.files[f]);
            projectRead_ = project_->Read(readErrors_);
            values_.Rewind();
        }
        values_.Skip(v);
        job.values = values_.Next();
        const std::string& origin = options_.files[f];
        const std::string stem =
            VariantStem(FilePath(origin).stem().string(), study_, job.values, v);
        const fs::path name = options_.out.empty()
                                  ? FilePath(stem + ".dv4d")
                                  : FilePath(options_.out) / FilePath(stem + ".dv4d");
        if (!projectRead_) { // it was read before the run
            job.name = name.string();
            job.refusal = "its project could not be read again";
            return;
        }
        project_->Apply(study_, job.values);
        if (!OnFiles(v)) {
            job.name = name.string();
            job.stem = stem;
            job.inMemory = true;
            job.text = project_->Text();
        } else {
            const std::vector<double> values = std::move(job.values);
            job = JobForFile(name.string());
            job.values = values;
            try {
                project_->Write(name);
            } catch (const std::exception& e) {
                writeErrors_ += "dorvek-run: " + Lines(e.what()) + "\n";
                job.refusal = "the variant could not be written";
            }
        }
        job.origin = origin;
        if (needsProject_) {
            job.project = project_->Facts();
            // The graphs of a variant show the measured curves of its project.
            if (given_)
                job.project->measured =
                    MeasuredCurvesFor(origin, job.project->units, *given_, nullptr);
        }
    }

    // Messages of projects that could not be read again and of variants that could not be
    // written, gathered while the run went on.
    std::string TakeErrors() {
        std::string errors = readErrors_.str() + std::exchange(writeErrors_, {});
        readErrors_.str({});
        return errors;
    }

private:
    bool WritesFiles() const {
        return !options_.out.empty() && (!options_.keep || *options_.keep > 0);
    }
    bool OnFiles(std::size_t variant) const {
        return !options_.out.empty() &&
               (!options_.keep || variant < static_cast<std::size_t>(*options_.keep));
    }

public:
    // The curves of --measured.
    void SetGiven(const std::vector<TMeasuredCurve>& given) { given_ = &given; }

private:
    const BatchOptions& options_;
    const StudySpec& study_;
    Slice slice_;
    bool needsProject_;
    const std::vector<TMeasuredCurve>* given_ = nullptr;
    VariantValues values_;
    std::unique_ptr<VariantProject> project_;
    std::size_t file_ = 0;
    bool projectRead_ = false;
    std::ostringstream readErrors_;
    std::string writeErrors_;
};

} // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    StudySpec study;
    Shard shard;
    std::size_t variants = 0;
    try {
        if (options.threads < 1) throw StudyError("-j: at least 1 thread");
        study = SpecFrom(options);
        if (!options.shard.empty()) shard = ParseShard(options.shard);
        // Every value of the study is checked before anything runs.
        if (!study.vary.empty()) variants = VariantValues(study).Count();
    } catch (const StudyError& e) {
        err << "dorvek-run: " << e.what() << "\n";
        return kBadOptions;
    }
    // "-" is standard output: the table or the statistics, not both.
    const bool tableOut = options.table == "-", statsOut = options.stats == "-";
    if (tableOut && statsOut) {
        err << "dorvek-run: --table - and --stats -: only one of them can go to standard "
               "output\n";
        return kBadOptions;
    }
    if (!options.table.empty() && !tableOut && !TableWritable(FilePath(options.table), err))
        return kBadOptions;
    if (!options.stats.empty() && !statsOut &&
        !TableWritable(FilePath(options.stats), err, "--stats"))
        return kBadOptions;
    OutputClaims claims;
    if (!options.table.empty() && !tableOut &&
        !claims.Write(FilePath(options.table), "--table", err))
        return kBadOptions;
    if (!options.stats.empty() && !statsOut &&
        !claims.Write(FilePath(options.stats), "--stats", err))
        return kBadOptions;
    std::vector<TMeasuredCurve> given;
    if (!ReadGivenCurves(options.measured, given, err)) return kBadOptions;

    std::vector<FileOutput> outputs;
    if (!options.graphsCsv.empty())
        outputs.push_back(GraphsCsvOutput(options.graphsCsv, options.noRun));
    for (const FileOutput& output : options.outputs) outputs.push_back(output);
    bool needsProject = false;
    for (const FileOutput& output : outputs) needsProject = needsProject || output.needsProject;

    const std::size_t total =
        study.vary.empty() ? options.files.size() : options.files.size() * variants;
    const Slice slice = ShardSlice(total, shard);
    std::vector<Job> jobs;
    std::unique_ptr<StudyJobs> studyJobs;
    JobSource source;
    if (study.vary.empty()) {
        for (std::size_t i = slice.begin; i < slice.end; ++i) {
            jobs.push_back(JobForFile(options.files[i]));
            jobs.back().origin = options.files[i];
            if (needsProject && jobs.back().refusal.empty()) ReadFacts(jobs.back(), err);
            // The graphs show the project's measured curves and those of --measured.
            if (jobs.back().project)
                jobs.back().project->measured = MeasuredCurvesFor(
                    jobs.back().files.input, jobs.back().project->units, given, &err);
        }
        // Two jobs on one file would write the same report and plot file at once, and no
        // option may write over a job's input or outputs.
        for (const Job& job : jobs) {
            if (!job.refusal.empty()) continue;
            if (!claims.Read(job.files.input, job.name, err) ||
                !claims.Write(job.files.report, "the report of " + job.name, err) ||
                !claims.Write(job.files.plot, "the plot file of " + job.name, err) ||
                !claims.Write(job.files.notes, "the run notes of " + job.name, err))
                return kBadOptions;
        }
        static const AnalysisResult kNoResults;
        for (const FileOutput& output : outputs) {
            if (!output.targets) continue;
            for (const Job& job : jobs) {
                if (!job.refusal.empty()) continue;
                for (const fs::path& target :
                     output.targets(AnalysedFile{job, kNotAnalysed, kNoResults, total > 1})) {
                    if (!RegularOutput(target, output.option, err) ||
                        !claims.Write(target, output.option + " of " + job.name, err))
                        return kBadOptions;
                }
            }
        }
        source = {jobs.size(), [&](std::size_t i, Job& job) { job = jobs[i]; }};
    } else {
        studyJobs = std::make_unique<StudyJobs>(options, study, slice, needsProject);
        studyJobs->SetGiven(given);
        if (!outputs.empty() && studyJobs->InMemory()) {
            err << "dorvek-run: " << outputs.front().option
                << ": needs every variant's files: give --out DIR (without --keep)\n";
            return kBadOptions;
        }
        if (!studyJobs->Check(err)) return kBadOptions;
        if ((!options.table.empty() && !tableOut &&
             !studyJobs->Distinct(FilePath(options.table), "--table", err)) ||
            (!options.stats.empty() && !statsOut &&
             !studyJobs->Distinct(FilePath(options.stats), "--stats", err)))
            return kBadOptions;
        source = {studyJobs->Count(), [&](std::size_t i, Job& job) { studyJobs->Make(i, job); }};
    }
    // The per-file outputs check their options against the files given (a study's variants
    // have names of their own).
    for (const FileOutput& output : outputs)
        if (output.prepare && !output.prepare(jobs, err)) return kBadOptions;

    std::vector<std::string> names;
    for (const Vary& vary : study.vary) names.push_back(vary.name);
    TableTag tag;
    if (!options.table.empty() || !options.stats.empty()) {
        tag.study = StudyFingerprint(options);
        tag.shard = std::to_string(shard.k) + "/" + std::to_string(shard.n);
    }
    std::unique_ptr<ResultTable> table;
    try {
        if (tableOut)
            table = std::make_unique<ResultTable>(out, names, tag, &given);
        else if (!options.table.empty())
            table = std::make_unique<ResultTable>(FilePath(options.table), names, tag, &given);
    } catch (const std::exception& e) {
        err << "dorvek-run: --table: " << Lines(e.what()) << "\n";
        return kBadOptions;
    }
    std::unique_ptr<StudyStatistics> statistics;
    if (!options.stats.empty()) statistics = std::make_unique<StudyStatistics>(options.limit);

    // Temporaries a killed run left under names of its process (the locked ".NAME.tmp" is
    // taken over by the writer of NAME anyway).
    for (const std::string& file : {options.table, options.stats}) {
        if (file.empty() || file == "-") continue;
        const fs::path path = FilePath(file);
        const std::string name = path.filename().string();
        RemoveStaleTemporaries(path.has_parent_path() ? path.parent_path() : fs::path("."),
                               [&](const std::string& target) { return target == name; });
    }
    if (studyJobs && !options.out.empty()) {
        RemoveStaleTemporaries(FilePath(options.out), [](const std::string& target) {
            const std::string extension = FilePath(target).extension().string();
            return extension == ".dv4d" || extension == ".dv4o" || extension == ".dv4p" ||
                   extension == ".dv4r";
        });
    }

    PipelineOptions run;
    run.threads = options.threads;
    run.analyse = !options.noRun;
    run.summary = options.summary;
    run.progress = options.progress && !options.quiet;
    // On a terminal the progress line stands for the kernel's progress messages of many files.
    run.quiet = options.quiet || (run.progress && source.count > 1);
    run.several = total > 1;
    run.clock = options.clock;
    run.measured = &given;
    // Output options that list the files they wrote keep standard output for that list; a
    // table or statistics on standard output keep it for themselves (the list goes to
    // standard error then).
    if (!outputs.empty() || tableOut || statsOut) run.lines = &err;
    std::ostream& listed = tableOut || statsOut ? err : out;
    std::ostream& lines = run.lines ? *run.lines : out;
    bool tableOk = true;
    std::size_t inMemory = 0, inMemoryFailed = 0;
    const ResultCollector collect = [&](const AnalysedFile& file) {
        if (studyJobs) err << studyJobs->TakeErrors();
        if (file.job.inMemory) {
            ++inMemory;
            if (file.code != kRunCompleted) ++inMemoryFailed;
        }
        if (statistics) statistics->Add(file);
        if (table && tableOk) {
            try {
                table->Add(file);
            } catch (const std::exception& e) {
                err << "dorvek-run: --table: " << Lines(e.what()) << "\n";
                tableOk = false;
            }
        }
    };
    bool ok = RunPipeline(source, outputs, run, listed, err, collect);

    if (table && tableOk) {
        try {
            table->Finish();
        } catch (const std::exception& e) {
            err << "dorvek-run: --table: " << Lines(e.what()) << "\n";
            tableOk = false;
        }
    }
    ok = ok && (!table || tableOk);
    if (inMemory > 0)
        lines << inMemory << " variant" << (inMemory == 1 ? "" : "s")
              << " analysed in memory: " << inMemory - inMemoryFailed << " completed, "
              << inMemoryFailed << " did not\n";
    if (statistics) {
        try {
            if (statsOut) {
                out << statistics->Text(tag) << std::flush;
                if (!out)
                    throw std::runtime_error("Cannot write the statistics to standard output");
            } else {
                statistics->Write(FilePath(options.stats), tag);
            }
            statistics->PrintSummary(statsOut ? "standard output" : options.stats, lines);
        } catch (const std::exception& e) {
            err << "dorvek-run: --stats: " << Lines(e.what()) << "\n";
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace dorvek::cli
