#pragma once
// --profile: the soil profile of each project (the pile in its soil layers, as the desktop
// program prints it) as a picture, PNG, SVG or PDF by the file's extension. Needs a
// QGuiApplication (OffscreenGui).

#include "cli/Pipeline.h"

#include <string>

namespace dorvek::cli {

// pattern: the picture's file name; see OutputFile for several projects.
FileOutput ProfileOutput(const std::string& pattern);

} // namespace dorvek::cli
