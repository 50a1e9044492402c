#include "kernel/Analysis.h"

#include "kernel/AnalysisCore.h"
#include "kernel/FreeFormat.h"
#include "kernel/InputReader.h"
#include "kernel/ReportInput.h"
#include "kernel/RunMessages.h"

#include <new>
#include <optional>
#include <sstream>

namespace dorvek {

namespace {

// Report and plot texts are gathered in pieces of about this size.
constexpr std::size_t kHeldBytes = 64 * 1024;

std::string WithLineFeeds(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
    return lines;
}

} // namespace

AnalysisResult ResultsOf(int code, Store& s) {
    AnalysisResult r;
    r.code = code;
    r.diagnostic = std::move(s.diagnostic);
    r.warnings = WithLineFeeds(s.warnings);
    r.units = s.iunit;
    r.tipResults = std::move(s.tipResults);
    r.loadResults = std::move(s.loadResults);
    r.tzCurves = std::move(s.plottedTz);
    r.qwQ = std::move(s.plottedQ);
    r.qwW = std::move(s.plottedW);
    r.tipDistributions = std::move(s.tipDistributions);
    r.loadDistributions = std::move(s.loadDistributions);
    r.pile.length = s.length;
    r.pile.diameter = s.diameter;
    r.pile.aeDepth = s.aeDepth;
    r.pile.ae = s.ae;
    r.pile.settlementProfile = !s.settleDepth.empty();
    return r;
}

AnalysisResult Analyse(const AnalysisRequest& request) {
    try {
        Store s;
        s.keepCurves = request.curves;
        s.keepDistributions = request.distributions;
        std::ostringstream reportText, plotText;
        std::optional<FixedWriter> report, plot;
        if (request.report)
            report.emplace(reportText, kHeldBytes);
        else
            report.emplace();
        if (request.plot)
            plot.emplace(plotText, kHeldBytes);
        else
            plot.emplace();
        std::ostream console(nullptr); // the console messages are not kept
        if (request.report) ReportHeader(*report, request.header, request.files, request.clock);

        const AnalysisWriters writers{*report, *plot, console, {}};
        const int code = request.input ? AnalyseData(*request.input, s, writers)
                                       : AnalyseText(request.text, request.files.input, s, writers);
        report->flush();
        plot->flush();
        AnalysisResult result = ResultsOf(code, s);
        if (request.report) result.report = std::move(reportText).str();
        if (request.plot) result.plot = std::move(plotText).str();
        return result;
    } catch (const std::bad_alloc&) {
        AnalysisResult result;
        result.diagnostic = "The analysis ran out of memory.";
        return result;
    } catch (const std::exception& e) {
        AnalysisResult result;
        result.diagnostic = std::string("The analysis failed unexpectedly: ") + e.what();
        return result;
    }
}

InputReading ReadInputData(const std::string& text, const std::string& name) {
    InputReading reading;
    try {
        Store s;
        FreeFormatReader in(text);
        FixedWriter none;
        ReadModelInput(in, s, none);
        ReadLoadingRecords(in, s);
        reading.input = std::move(static_cast<InputData&>(s));
        reading.code = kRunCompleted;
    } catch (const InputError& e) {
        reading.code = kInputError;
        reading.diagnostic = name.empty() ? e.what() : FileFaultText(name, e.what());
    } catch (const std::bad_alloc&) {
        reading.diagnostic = "The input ran out of memory.";
    } catch (const std::exception& e) {
        reading.diagnostic = std::string("The input could not be read: ") + e.what();
    }
    return reading;
}

} // namespace dorvek
