// The graph settings reader over any ".dv4g" text, applied to the graphs of a real plot file
// without and with down-drag: the text is taken over or refused with a settings error, and the
// settings then written out, applied to freshly loaded graphs, give the same text again.

#include "fuzz/PlotSupport.h"
#include "model/plots/GraphSettings.h"

#include <cstdint>
#include <vector>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

std::vector<const TGraphPlot*> Const(const std::vector<TGraphPlot*>& graphs) {
    return {graphs.begin(), graphs.end()};
}

// The plot file of the example run with user curves and down-drag (tip movements), checked in
// beside the targets.
const std::string& PlotFile() {
    static const std::string file = DORVEK_FUZZ_DATA_DIR "/settings-plot.dv4p";
    return file;
}

void LoadGraphs(TResultGraphs& graphs, const PlotProjectInfo& project) {
    graphs.SetUnits(project.units);
    Check(LoadPlotData(graphs, PlotFile(), project), "the checked-in plot file is refused");
}

void ApplyAndRewrite(const std::string& text, const PlotProjectInfo& project) {
    TResultGraphs graphs;
    LoadGraphs(graphs, project);
    const auto kept = graphs.SettingsGraphs(project.downdrag);
    try {
        ApplyGraphParamsText(text, kept);
    } catch (const GraphSettingsError&) {
        // The complete blocks before the fault were taken over: they must write out too.
    }
    const std::string written = GraphParamsText(Const(kept));

    TResultGraphs fresh;
    LoadGraphs(fresh, project);
    const auto again = fresh.SettingsGraphs(project.downdrag);
    try {
        Check(ApplyGraphParamsText(written, again) == GraphParamsResult::Read,
              "written settings are not taken over");
    } catch (const GraphSettingsError& e) {
        Fail(std::string("written settings are refused: ") + e.what());
    }
    Check(GraphParamsText(Const(again)) == written, "written settings read back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(AsText(data, size));
    PlotProjectInfo project = SiProjectWithEverything();
    project.nloadmethod = 0;
    project.userQw = true;
    ApplyAndRewrite(text, project);
    project.downdrag = 0;
    ApplyAndRewrite(text, project);
    return 0;
}
