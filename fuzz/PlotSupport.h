#pragma once
// The two project forms the plot targets load plot data for: an English project without
// down-drag or pile-head loads, and an S.I. project with both, user t-z curves and the
// soil-layer and settlement rows the overlays are built from.

#include "fuzz/FuzzSupport.h"
#include "model/plots/PltData.h"

#include <cmath>
#include <string>

namespace dorvek::fuzz {

inline PlotProjectInfo PlainEnglishProject() {
    PlotProjectInfo p;
    p.units = 1;
    p.layers = {{1, 240}, {4, 480}};
    return p;
}

inline PlotProjectInfo SiProjectWithEverything() {
    PlotProjectInfo p;
    p.units = 2;
    p.downdrag = 1;
    p.nloadmethod = 2;
    p.userTz = true;
    p.layers = {{2, 5}, {3, 12.5}};
    p.settlement = {{0, 0.03}, {15, 0}};
    p.decimalSeparator = ',';
    return p;
}

// Loads a plot file; at most one message, and only for a refused file.
inline bool LoadPlotData(TResultGraphs& graphs, const std::string& file,
                         const PlotProjectInfo& project) {
    int messages = 0;
    const bool read =
        ReadPlotData(graphs, file, true, project, [&](const std::string&) { ++messages; });
    Check(messages == (read ? 0 : 1), "messages of a plot file load: " + std::to_string(messages));
    return read;
}

// Every point of every graph is a finite number: the graph extents are computed from them.
inline void CheckFinitePoints(TResultGraphs& graphs) {
    for (TGraphPlot* plot : graphs.All()) {
        const TLineList& lines = plot->List(TLineKind::Main);
        for (int i = 0; i < lines.LineCount(); ++i)
            for (const TFloatPoint& p : lines.Line(i).Points())
                Check(std::isfinite(p.x) && std::isfinite(p.y), "a point that is not finite");
    }
}

} // namespace dorvek::fuzz
