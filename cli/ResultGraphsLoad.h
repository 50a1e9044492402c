#pragma once
// What the outputs that work on the result graphs share: the analysed file's plot data loaded
// into the graphs as the desktop program loads it, the graphs it offers, and the check that
// several projects do not write into one folder.

#include "cli/Pipeline.h"
#include "model/plots/ResultGraphs.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

// Null, after saying why on `err`, when the plot data file is missing or cannot be read.
// noRun: the plot data of an earlier run, with the saved graph settings (curve names, ...),
// as when the program opens a project; after a run the graphs start afresh.
std::unique_ptr<TResultGraphs> LoadResultGraphs(const AnalysedFile& file, bool noRun,
                                                std::ostream& err);

// The graphs whose commands the program offers for the project's options, in menu order.
std::vector<const TGraphPlot*> OfferedGraphs(TResultGraphs& graphs, const ProjectFacts& project);

// A prepare step for an output with one folder or file per project: the projects' names must
// differ, or two would write the same files.
std::function<bool(const std::vector<Job>&, std::ostream&)> DistinctNames(std::string option);

} // namespace dorvek::cli
