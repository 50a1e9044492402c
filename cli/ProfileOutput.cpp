#include "cli/ProfileOutput.h"

#include "cli/ProjectLoad.h"
#include "cli/ResultGraphsLoad.h"
#include "gui/plots/PileSideRender.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace dorvek::cli {

namespace fs = std::filesystem;

FileOutput ProfileOutput(const std::string& pattern) {
    FileOutput output;
    output.option = "--profile";
    output.needsProject = true;
    const auto distinct = DistinctNames(output.option);
    output.prepare = [pattern, distinct](const std::vector<Job>& jobs, std::ostream& err) {
        if (!PictureKindOf(pattern)) {
            err << "dorvek-run: --profile: " << pattern
                << ": the picture type is not known (use .png, .svg or .pdf)\n";
            return false;
        }
        return distinct(jobs, err);
    };
    output.targets = [pattern](const AnalysedFile& file) {
        return std::vector<fs::path>{OutputFile(pattern, file)};
    };
    output.write = [pattern](const AnalysedFile& file, std::ostream& out, std::ostream& err) {
        const fs::path target = OutputFile(pattern, file);
        // The folder is created like that of --graphs.
        std::error_code ec;
        if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
        if (ec) {
            err << "dorvek-run: --profile: " << target.parent_path().string() << ": "
                << ec.message() << "\n";
            return false;
        }
        try {
            WriteProfilePicture(file.job.project->pile, target);
        } catch (const std::exception& e) {
            err << "dorvek-run: --profile: " << Lines(e.what()) << "\n";
            return false;
        }
        out << target.string() << "\n";
        return true;
    };
    return output;
}

} // namespace dorvek::cli
