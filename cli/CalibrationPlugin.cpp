// The plug-in of the calibration (dorvek-run-calibration).

#include "cli/CalibrateCommand.h"
#include "cli/OutputPlugin.h"

DORVEK_PLUGIN_EXPORT const dorvek::cli::CalibrationPlugin* DorvekRunCalibration() {
    static const dorvek::cli::CalibrationPlugin plugin{dorvek::cli::kOutputPluginVersion,
                                                       &dorvek::cli::CalibrateProjects};
    return &plugin;
}
