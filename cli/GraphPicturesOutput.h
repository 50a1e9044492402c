#pragma once
// --graphs: each project's results loaded into the result graphs, then every graph the program
// offers drawn by the plot window's renderer as a picture file into a folder (for several
// projects, into a folder per project inside it). Needs a QGuiApplication (OffscreenGui).

#include "cli/PictureOptions.h"
#include "cli/Pipeline.h"
#include "gui/plots/PlotPicture.h"

#include <string>

namespace dorvek::cli {

// What --graphs draws: the format ("png", "svg", "pdf" or "bmp") and the picture's size,
// resolution, palette and legend placement.
struct GraphPictureOptions {
    std::string format = "png";
    TPictureSize size{10, 7.5, 100, 1, -1, false}; // legend off the curves unless told
};

// With noRun the saved graph settings are honoured.
FileOutput GraphPicturesOutput(const std::string& folder, const GraphPictureOptions& options,
                               bool noRun);

} // namespace dorvek::cli
