#pragma once
// --graphs: each project's results loaded into the result graphs, then every graph the program
// offers drawn by the plot window's renderer as a picture file into a folder (for several
// projects, into a folder per project inside it). Needs a QGuiApplication (OffscreenGui).

#include "cli/Pipeline.h"

#include <string>

namespace dorvek::cli {

// format: "png", "svg", "pdf" or "bmp". With noRun the saved graph settings are honoured.
FileOutput GraphPicturesOutput(const std::string& folder, const std::string& format, bool noRun);

} // namespace dorvek::cli
