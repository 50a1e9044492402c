// The plot-data loader over any file, for a plain and a full project form: the file is read
// or refused with one message, and the graphs hold finite points either way.

#include "fuzz/PlotSupport.h"

#include <cstdint>

using namespace dorvek;
using namespace dorvek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string file = Folder().File("in.dv4p");
    WriteFile(file, AsText(data, size));
    for (const PlotProjectInfo& project : {PlainEnglishProject(), SiProjectWithEverything()}) {
        TResultGraphs graphs;
        graphs.SetUnits(project.units);
        LoadPlotData(graphs, file, project);
        CheckFinitePoints(graphs);
    }
    return 0;
}
