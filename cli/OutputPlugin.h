#pragma once
// The picture and workbook outputs of dorvek-run, and its calibration, live in plug-in
// libraries beside the program, loaded only when one of their options is given: an analysis
// then starts without loading Qt, libxlsxwriter or NLopt. Each plug-in exports one C function that
// returns its table of functions; the program and the plug-ins are built together, so the table
// holds C++ types.

#include "cli/CalibrateCommand.h"
#include "cli/PictureOptions.h"
#include "cli/Pipeline.h"

#include <memory>
#include <string>

namespace dorvek::cli {

// Changes whenever a table below changes; a plug-in of another version is not used.
inline constexpr int kOutputPluginVersion = 3;

// dorvek-run-pictures: --graphs and --profile, drawn with Qt Gui without a display.
struct PicturesPlugin {
    int version;
    // Qt Gui on its offscreen platform: made on the main thread before the first picture and
    // kept until the last one is written.
    std::shared_ptr<void> (*startGui)();
    FileOutput (*graphPictures)(const std::string& folder, const PictureRequest& request,
                                bool noRun);
    FileOutput (*profile)(const std::string& pattern);
};
inline constexpr const char* kPicturesPlugin = "dorvek-run-pictures";
inline constexpr const char* kPicturesEntry = "DorvekRunPictures";

// dorvek-run-workbook: --xlsx, written with libxlsxwriter.
struct WorkbookPlugin {
    int version;
    FileOutput (*workbook)(const std::string& output, bool markers, bool noRun);
};
inline constexpr const char* kWorkbookPlugin = "dorvek-run-workbook";
inline constexpr const char* kWorkbookEntry = "DorvekRunWorkbook";

// dorvek-run-calibration: --calibrate, searched with NLopt.
struct CalibrationPlugin {
    int version;
    int (*calibrate)(const CalibrateOptions& options, std::ostream& out, std::ostream& err);
};
inline constexpr const char* kCalibrationPlugin = "dorvek-run-calibration";
inline constexpr const char* kCalibrationEntry = "DorvekRunCalibration";

} // namespace dorvek::cli

#if defined(_WIN32)
#define DORVEK_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define DORVEK_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif
