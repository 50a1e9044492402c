#pragma once
// The graph settings file (".dv4g") beside a project: for each of five or six result graphs
// (the displacement/soil-settlement graph only with down-drag) the legend, layer and wall
// switches, marker, font and line-width indexes, the user's title, and each curve's name,
// activity and visibility. Settings are taken over only by a graph whose line and point
// counts still match the file.

#include "model/io/ReadError.h"
#include "model/plots/ResultGraphs.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvek {

// An input or output failure of the settings file (unwritable file, block cut short,
// unreadable number): an input/output error like those of the word reader; the message is
// meant for the user.
class GraphSettingsError : public EInOutError {
public:
    using EInOutError::EInOutError;
};

// The project file name with its extension replaced.
std::filesystem::path GraphSettingsFileName(const std::filesystem::path& projectFile);
std::filesystem::path PlotDataFileName(const std::filesystem::path& projectFile);

// The file's text for these graphs in order, lines ended by "\n".
std::string GraphParamsText(const std::vector<const TGraphPlot*>& graphs);

// Writes the file through a temporary file in the same folder and a rename, so that a failed
// write leaves the previous file intact. Throws GraphSettingsError.
void WriteGraphParamsFile(const std::filesystem::path& file,
                          const std::vector<const TGraphPlot*>& graphs);

// Writes the project's settings file when results are shown, the plot data file exists and one
// of the kept graphs has AnyChange set; then clears those flags. Returns whether it wrote.
bool SaveGraphParams(TResultGraphs& graphs, const std::filesystem::path& projectFile,
                     bool showOutput, int downdrag);

enum class GraphParamsResult {
    NotRead, // results not shown, or the plot data or settings file is missing
    Read,    // the file was read (graphs whose counts changed kept their settings)
    Ignored, // the file does not belong to these graphs (written under the other down-drag
             // setting, or not a settings file): nothing was taken over
};

// Takes settings over from a file's text into the graphs in order. A block cut short throws
// GraphSettingsError after the complete blocks before it have been taken over.
GraphParamsResult ApplyGraphParamsText(const std::string& text,
                                       const std::vector<TGraphPlot*>& graphs);

// Reads the project's settings file when results are shown and both the plot data file and the
// settings file exist. Throws GraphSettingsError on a read failure.
GraphParamsResult ReadGraphParams(TResultGraphs& graphs, const std::filesystem::path& projectFile,
                                  bool showOutput, int downdrag);

} // namespace dorvek
