#pragma once
// Results for spreadsheets and scripts: one CSV file per result graph that has lines, with a
// header row naming each line's x and y columns and a row per point.

#include "model/plots/GraphPlot.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek {

class GraphCsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One CSV cell: the text as it is, or in double quotes (inner quotes doubled) when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text);

// File name made from a caption: letters, digits, "-" and "." kept, every other run of
// characters becomes one "_" ("Displacement/Soil Settlement" ->
// "Displacement_Soil_Settlement.csv").
std::string GraphCsvFileName(const std::string& caption);

// Header "name: X title (unit)","name: Y title (unit)" per line, then one row per point
// index, x and y of every line side by side; a line shorter than the longest leaves its cells
// empty. Numbers in the shortest form that reads back, "." as decimal point; lines end "\n".
std::string GraphCsvText(const TGraphPlot& plot);

// Writes the files of the graphs that have lines into dir (created when missing) and returns
// their paths in graph order. Two graphs of the same caption get "_2", "_3" appended.
std::vector<std::filesystem::path> WriteGraphsCsv(const std::vector<const TGraphPlot*>& graphs,
                                                  const std::filesystem::path& dir);

} // namespace dorvek
