#pragma once
// dorvek-run --calibrate NAMES: each project's factors (side-factor, tip-factor, ae-factor,
// per soil layer with @N) fitted to its measured curves (its ".dv4m" side file and the files
// of --measured), printed with the misfit before and after; the calibrated project is written
// beside the original as NAME-calibrated.dv4d with the measured curves beside it, and analysed.
// It lives in the plug-in dorvek-run-calibration (OutputPlugin.h).

#include <ctime>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

struct CalibrateOptions {
    std::vector<std::string> files;
    std::string factors;               // the names, comma-separated
    std::vector<std::string> measured; // --measured FILE.csv
    bool summary = false;              // the calibrated run's summary and capacities
    bool quiet = false;                // no kernel messages
    bool progress = false;             // a progress line on `err` (a terminal)
    std::function<std::tm()> clock;    // for the report's date; local time when empty
};

// Exit status: 0 when every project was calibrated and its calibrated run completed, 1 when
// one was not, 2 for bad names, measured files or projects found before anything runs.
int CalibrateProjects(const CalibrateOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
