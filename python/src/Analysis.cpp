#include "python/src/Analysis.h"

#include "model/io/AtomicFile.h"

#include <filesystem>

namespace dorvek::python {

AnalysisOutcome Analyse(const std::string& text, const AnalysisAsk& ask) {
    AnalysisRequest request;
    request.text = text;
    request.curves = ask.curves;
    request.distributions = ask.distributions;
    request.report = !ask.report.empty();
    request.plot = !ask.plot.empty();
    request.files = RunFiles{ask.input, ask.report, ask.plot, ""};
    AnalysisOutcome outcome;
    static_cast<AnalysisResult&>(outcome) = dorvek::Analyse(request);
    // Each file whole or not at all, as the program writes its projects.
    try {
        if (request.report) ReplaceFile(std::filesystem::path(ask.report), outcome.report);
        if (request.plot) ReplaceFile(std::filesystem::path(ask.plot), outcome.plot);
    } catch (const std::exception& e) {
        outcome.fileError = e.what();
    }
    outcome.report.clear();
    outcome.plot.clear();
    return outcome;
}

} // namespace dorvek::python
