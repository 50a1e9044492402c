// The analysis through the kernel's run on files, in a folder of the calling thread's own that
// its later runs use again (the kernel overwrites its outputs in place) and that goes with
// the thread.

#include "python/src/Analysis.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace dorvek::python {

namespace fs = std::filesystem;

namespace {

class RunFolder {
public:
    RunFolder() {
        const std::string name = "dorvek-python-" + std::to_string(::getpid()) + "-XXXXXX";
        std::string pattern = (fs::temp_directory_path() / name).string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~RunFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

bool WriteAll(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The "**** WARNING ****" blocks of the report, each up to the next empty line.
std::string WarningBlocks(const std::string& report) {
    std::istringstream lines(report);
    std::string line, warnings;
    bool inBlock = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool blank = line.find_first_not_of(' ') == std::string::npos;
        if (line.find("**** WARNING ****") != std::string::npos) inBlock = true;
        if (inBlock && blank) inBlock = false;
        if (inBlock) warnings += line + "\n";
    }
    return warnings;
}

bool CopyOut(const fs::path& from, const std::string& to, std::string& fault) {
    if (to.empty()) return true;
    std::error_code ec;
    if (!fs::exists(from, ec)) return true;
    fs::copy_file(from, fs::path(to), fs::copy_options::overwrite_existing, ec);
    if (ec) fault = to + ": " + ec.message();
    return !ec;
}

} // namespace

AnalysisOutcome Analyse(const std::string& text, const AnalysisAsk& ask) {
    AnalysisOutcome outcome;
    try {
        thread_local const RunFolder folder;
        if (folder.Path().empty()) {
            outcome.code = kFileError;
            outcome.diagnostic = "no temporary folder for the run";
            return outcome;
        }
        const std::string stem = ask.name.empty() ? "project" : fs::path(ask.name).stem().string();
        RunFiles files{(folder.Path() / (stem + ".dv4d")).string(),
                       (folder.Path() / (stem + ".dv4o")).string(),
                       (folder.Path() / (stem + ".dv4p")).string(), ""};
        std::error_code ec;
        if (!WriteAll(files.input, text)) {
            outcome.code = kFileError;
            outcome.diagnostic = files.input + ": cannot be written";
            return outcome;
        }
        std::ostringstream console;
        Store store;
        RunOptions options;
        options.console = &console;
        options.results = &store;
        outcome.code = RunAnalysis(files, RunHeader{}, options);
        outcome.diagnostic = store.diagnostic;
        outcome.units = store.iunit;
        outcome.tipResults = std::move(store.tipResults);
        outcome.loadResults = std::move(store.loadResults);
        if (ask.curves) {
            outcome.tzCurves = std::move(store.sideCurves);
            outcome.qwQ = std::move(store.qwQ);
            outcome.qwW = std::move(store.qwW);
        }
        // Only a run that could not write its report leaves an earlier run's in the folder.
        if (outcome.code != kFileError) outcome.warnings = WarningBlocks(ReadAll(files.report));
        if (CopyOut(files.report, ask.report, outcome.fileError))
            CopyOut(files.plot, ask.plot, outcome.fileError);
        if (!ask.name.empty()) // named after the report: not used again
            for (const std::string& file : {files.input, files.report, files.plot})
                fs::remove(file, ec);
    } catch (const std::bad_alloc&) {
        outcome = {};
        outcome.code = kInternalError;
        outcome.diagnostic = "out of memory";
    } catch (const std::exception& e) {
        outcome.code = kInternalError;
        outcome.diagnostic = e.what();
    }
    return outcome;
}

} // namespace dorvek::python
