#include "cli/GraphPicturesOutput.h"

#include "cli/ResultGraphsLoad.h"
#include "gui/plots/PlotPicture.h"

#include <cstdlib>
#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace fs = std::filesystem;

std::optional<std::pair<double, double>> ParsePictureInches(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    auto number = [](const std::string& s) -> std::optional<double> {
        if (s.empty()) return std::nullopt;
        char* end = nullptr;
        const double v = std::strtod(s.c_str(), &end);
        if (end != s.c_str() + s.size() || !(v >= 1 && v <= 100)) return std::nullopt;
        return v;
    };
    const auto w = number(text.substr(0, x));
    const auto h = number(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return std::pair{*w, *h};
}

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
