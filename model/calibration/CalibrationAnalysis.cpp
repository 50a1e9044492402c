#include "model/calibration/CalibrationAnalysis.h"

#include "kernel/Kernel.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

// A folder of its own for one analysis' files, removed with them.
class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const auto thread = std::hash<std::thread::id>{}(std::this_thread::get_id());
        std::error_code ec;
        path_ = fs::temp_directory_path(ec) /
                ("dorvek-calibration-" + std::to_string(stamp) + "-" + std::to_string(thread) +
                 "-" + std::to_string(counter++));
        if (!ec) fs::create_directories(path_, ec);
        ok_ = !ec;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool ok() const { return ok_; }
    fs::path operator/(const char* name) const { return path_ / name; }

private:
    fs::path path_;
    bool ok_ = false;
};

TPileResult FromTipRow(const TipMovementResult& r) {
    return {r.topLoad, r.topMove, r.tipMove, r.tipLoad, true};
}

TPileResult FromLoad(const HeadLoadResult& r) {
    return {r.load, r.topMove, r.tipMove, r.tipLoad, r.converged};
}

} // namespace

TCalibrationAnalysis AnalyseForCalibration(const std::string& inputText) {
    TCalibrationAnalysis out;
    ScratchFolder folder;
    if (!folder.ok()) {
        out.code = kFileError;
        out.diagnostic = "No temporary folder for the analyses of the calibration.";
        return out;
    }
    const RunFiles files{(folder / "pile.dv4d").string(), (folder / "pile.dv4o").string(),
                         (folder / "pile.dv4p").string(), ""};
    {
        std::ofstream input(files.input, std::ios::binary);
        input << inputText;
        if (!input) {
            out.code = kFileError;
            out.diagnostic = "The input of an analysis could not be written to " + files.input;
            return out;
        }
    }
    std::ostringstream console;
    Store store;
    RunOptions options;
    options.console = &console;
    options.results = &store;
    out.code = RunAnalysis(files, RunHeader{}, options);
    out.diagnostic = store.diagnostic;
    out.results.units = store.iunit;
    for (const TipMovementResult& r : store.tipResults)
        out.results.tipMovements.push_back(FromTipRow(r));
    for (const HeadLoadResult& r : store.loadResults)
        out.results.appliedLoads.push_back(FromLoad(r));
    return out;
}

} // namespace dorvek
