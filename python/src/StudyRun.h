#pragma once
// A parameter study of a project in memory: the variants of --vary and --sample made through
// the project model, then analysed in parallel threads.

#include "python/src/Analysis.h"
#include "python/src/ProjectValues.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dorvek::python {

struct StudyAsk {
    std::vector<std::string> vary; // "NAME=VALUES", as --vary takes them
    std::optional<std::size_t> sample;
    std::uint64_t seed = 1;
    bool force = false;
};

// The variants' input texts, made while the interpreter's lock is held (the project model
// is not thread-safe). Faults of the study raise ValueFault with the command line's text.
struct PreparedStudy {
    std::vector<std::string> names;          // the varied names, in the order given
    std::vector<std::vector<double>> values; // per variant, one value per name
    std::vector<std::string> texts;          // per variant, its input text
};
PreparedStudy PrepareStudy(const ProjectValues& project, const StudyAsk& ask);

// Analyses every variant on `jobs` threads (0: one per core); needs no lock. Results keep the
// variants' order; curves and distributions are left out. When fewer threads than asked could
// be started, `fewerThreads` says so (the study still runs).
std::vector<AnalysisOutcome> RunStudy(const PreparedStudy& study, unsigned jobs,
                                      std::string& fewerThreads);

} // namespace dorvek::python
