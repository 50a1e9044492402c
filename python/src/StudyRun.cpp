#include "python/src/StudyRun.h"

#include "cli/OrderedPool.h"
#include "cli/Study.h"
#include "cli/Variants.h"
#include "model/io/AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

namespace dorvek::python {

namespace fs = std::filesystem;

namespace {

// The variant project reads its original from a file; this one lives only for the call.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& bytes) {
        std::string pattern = (fs::temp_directory_path() / "dorvek-study-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw ValueFault("study: no temporary folder");
        folder_ = pattern;
        ReplaceFile(Path(), bytes);
    }
    ~ScratchFile() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path Path() const { return folder_ / "study.dv4d"; }

private:
    fs::path folder_;
};

} // namespace

PreparedStudy PrepareStudy(const ProjectValues& project, const StudyAsk& ask) {
    cli::StudySpec spec;
    spec.sample = ask.sample;
    spec.seed = ask.seed;
    spec.force = ask.force;
    PreparedStudy study;
    std::vector<std::vector<double>> variants;
    try {
        if (ask.vary.empty()) throw cli::StudyError("a study needs at least one NAME=VALUES");
        for (const std::string& text : ask.vary) spec.vary.push_back(cli::ParseVary(text));
        variants = cli::StudyVariants(spec);
    } catch (const cli::StudyError& e) {
        throw ValueFault(e.what());
    }
    for (const cli::Vary& vary : spec.vary) study.names.push_back(vary.name);

    const ScratchFile original(ProjectText(project));
    cli::VariantProject variant(original.Path().string());
    std::ostringstream why;
    if (!variant.Read(why)) throw ValueFault(why.str());
    if (const std::string fault = variant.Fault(spec); !fault.empty()) throw ValueFault(fault);
    study.texts.reserve(variants.size());
    for (const std::vector<double>& values : variants) {
        variant.Apply(spec, values);
        study.texts.push_back(variant.Text());
    }
    study.values = std::move(variants);
    return study;
}

std::vector<AnalysisOutcome> RunStudy(const PreparedStudy& study, unsigned jobs,
                                      std::string& fewerThreads) {
    std::vector<AnalysisOutcome> outcomes(study.texts.size());
    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
    AnalysisAsk ask;
    ask.curves = false;
    ask.distributions = false;
    cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) { outcomes[i] = Analyse(study.texts[i], ask); };
    hooks.fewerThreads = [&](unsigned started, unsigned asked, const std::system_error& why) {
        fewerThreads = "only " + std::to_string(started) + " of " + std::to_string(asked) +
                       " threads could be started (" + why.code().message() +
                       "); the study went on with " + std::to_string(started);
    };
    cli::RunOrdered(study.texts.size(), jobs, hooks);
    return outcomes;
}

} // namespace dorvek::python
