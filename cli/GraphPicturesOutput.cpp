#include "cli/GraphPicturesOutput.h"

#include "cli/ResultGraphsLoad.h"
#include "gui/plots/PlotPicture.h"

#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace fs = std::filesystem;

FileOutput GraphPicturesOutput(const std::string& folder, const GraphPictureOptions& options,
                               bool noRun) {
    const std::string& formatName = options.format;
    const TPictureSize size = options.size;
    FileOutput output;
    output.option = "--graphs";
    output.needsProject = true;
    output.prepare = DistinctNames(output.option);
    const PictureFormat format = PictureFormatFromName(formatName).value_or(PictureFormat::Png);
    output.write = [folder, format, size, noRun](const AnalysedFile& file, std::ostream& out,
                                                 std::ostream& err) {
        const std::unique_ptr<TResultGraphs> graphs = LoadResultGraphs(file, noRun, err);
        if (!graphs) return false;
        try {
            for (const fs::path& written :
                 WriteGraphPictures(OfferedGraphs(*graphs, *file.job.project),
                                    OutputFolder(folder, file), format, size))
                out << written.string() << "\n";
        } catch (const std::exception& e) {
            err << "dorvek-run: --graphs: " << e.what() << "\n";
            return false;
        }
        return true;
    };
    return output;
}

} // namespace dorvek::cli
