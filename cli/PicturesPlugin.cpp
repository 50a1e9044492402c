// The plug-in of the picture outputs (dorvek-run-pictures).

#include "cli/GraphPicturesOutput.h"
#include "cli/OffscreenGui.h"
#include "cli/OutputPlugin.h"
#include "cli/ProfileOutput.h"

namespace {

using namespace dorvek::cli;

std::shared_ptr<void> StartGui() {
    return std::make_shared<OffscreenGui>();
}

FileOutput GraphPictures(const std::string& folder, const PictureRequest& request, bool noRun) {
    GraphPictureOptions options;
    options.format = request.format;
    options.size.WidthIn = request.widthIn;
    options.size.HeightIn = request.heightIn;
    options.size.Ppi = request.ppi;
    options.size.PaletteKind = request.safePalette ? 1 : 0;
    options.size.LegendOffCurves = request.legendOffCurves ? 1 : 0;
    return GraphPicturesOutput(folder, options, noRun);
}

} // namespace

DORVEK_PLUGIN_EXPORT const dorvek::cli::PicturesPlugin* DorvekRunPictures() {
    static const PicturesPlugin plugin{kOutputPluginVersion, &StartGui, &GraphPictures,
                                       &ProfileOutput};
    return &plugin;
}
