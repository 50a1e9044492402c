#include "AnalyseCommand.h"

#include "Kernel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace dorvek::cli {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The output files sit beside the input, with the input's name.
RunFiles FilesFor(const fs::path& input) {
    auto beside = [&](const char* extension) {
        fs::path path = input;
        return path.replace_extension(extension).string();
    };
    return {input.string(), beside(".dv4o"), beside(".dv4p"), beside(".dv4r")};
}

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%16.4E", static_cast<double>(value));
    return text;
}

void PrintSummary(const Store& s, const RunFiles& files, std::ostream& out) {
    const char* units = s.iunit == 1 ? "lb, in" : "kN, m";
    if (s.tipResults.empty()) {
        out << "  Load-settlement summary: no results\n";
    } else {
        out << "  Load-settlement summary (" << units << "):\n"
            << "         Head load   Head movement    Tip movement        Tip load\n";
        for (const TipMovementResult& r : s.tipResults) {
            out << Number(r.topLoad) << Number(r.topMove) << Number(r.tipMove) << Number(r.tipLoad)
                << "\n";
        }
    }
    out << "  Report:    " << files.report << "\n"
        << "  Plot data: " << files.plot << "\n";
}

void PrintDiagnostic(const std::string& text, std::ostream& out) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out << "    " << text.substr(start, end - start) << "\n";
        start = end + 1;
    }
}

// One file; true when its run completed.
bool AnalyseOne(const std::string& name, const AnalyseOptions& options, std::ostream& out,
                std::ostream& console) {
    std::error_code ec;
    fs::path input = fs::absolute(fs::path(name), ec);
    if (ec) input = name;
    const std::string extension = Lower(input.extension().string());
    if (extension == ".dv4o" || extension == ".dv4p" || extension == ".dv4r") {
        out << name << ": not run, " << extension
            << " is an output extension and the file would be overwritten\n";
        return false;
    }

    const RunFiles files = FilesFor(input);
    Store results;
    RunOptions run;
    run.console = &console;
    run.results = &results;
    const int code = RunAnalysis(files, RunHeader{}, run);

    out << name << ": result " << code << ", " << ResultCodeMeaning(code) << "\n";
    if (!results.diagnostic.empty()) PrintDiagnostic(results.diagnostic, out);
    if (options.summary) PrintSummary(results, files, out);
    return code == kRunCompleted;
}

} // namespace

int AnalyseFiles(const AnalyseOptions& options, std::ostream& out, std::ostream& err) {
    std::ostream silent(nullptr);
    std::ostream& console = options.quiet ? silent : err;
    bool allCompleted = true;
    for (const std::string& name : options.files) {
        allCompleted = AnalyseOne(name, options, out, console) && allCompleted;
    }
    out.flush();
    return allCompleted ? 0 : 1;
}

} // namespace dorvek::cli
