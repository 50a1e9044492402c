#pragma once
// Loading the output plug-ins (OutputPlugin.h) from the program's own folder.

#include "cli/OutputPlugin.h"

#include <ostream>

namespace dorvek::cli {

// The plug-in's table, or null after saying on `err` why it could not be loaded (named after
// `option`). A loaded plug-in stays loaded until the program ends.
const PicturesPlugin* LoadPicturesPlugin(const char* option, std::ostream& err);
const WorkbookPlugin* LoadWorkbookPlugin(const char* option, std::ostream& err);
const CalibrationPlugin* LoadCalibrationPlugin(const char* option, std::ostream& err);

} // namespace dorvek::cli
