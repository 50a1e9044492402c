#include "cli/ProfileOutput.h"

#include "cli/ProjectLoad.h"
#include "cli/ResultGraphsLoad.h"
#include "gui/plots/PileSideRender.h"

#include <exception>
#include <filesystem>

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
    output.write = [pattern](const AnalysedFile& file, std::ostream& out, std::ostream& err) {
        const fs::path target = OutputFile(pattern, file);
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
