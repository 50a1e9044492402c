#include "ProfileCommand.h"

#include "PileSideRender.h"
#include "PlotProject.h"
#include "ProjectLoad.h"

#include <exception>

namespace dorvek::cli {

namespace fs = std::filesystem;

fs::path ProfileTarget(const std::string& pattern, const std::string& stem, bool several) {
    static const std::string placeholder = "{name}";
    std::string name = pattern;
    bool replaced = false;
    for (std::size_t at = name.find(placeholder); at != std::string::npos;
         at = name.find(placeholder, at + stem.size())) {
        name.replace(at, placeholder.size(), stem);
        replaced = true;
    }
    fs::path target = name;
    if (!replaced && several)
        target.replace_filename(target.stem().string() + "-" + stem + target.extension().string());
    return target;
}

bool WriteProfile(const TPileSideInput& input, const fs::path& target, std::ostream& out,
                  std::ostream& err) {
    try {
        WriteProfilePicture(input, target);
    } catch (const std::exception& e) {
        err << "dorvek-run: --profile: " << Lines(e.what()) << "\n";
        return false;
    }
    out << target.string() << "\n";
    return true;
}

int WriteProfiles(const std::string& pattern, const std::vector<std::string>& files,
                  std::ostream& out, std::ostream& err) {
    bool all = true;
    for (const std::string& name : files) {
        const int filter = FilterFromExtension(name);
        if (filter == 0) {
            err << "dorvek-run: " << name << ": not a project file (.dv4d, .dv3d or .dvd)\n";
            all = false;
            continue;
        }
        if (!ExistingFile(name, err)) {
            all = false;
            continue;
        }
        TProjectTables owner;
        TProgramData data;
        if (!ReadProject(name, filter, owner, data, err)) {
            all = false;
            continue;
        }
        const TPileSideInput input = PileSideInputFrom(data, owner.Tables());
        const fs::path target =
            ProfileTarget(pattern, fs::path(name).stem().string(), files.size() > 1);
        all = WriteProfile(input, target, out, err) && all;
    }
    return all ? 0 : 1;
}

} // namespace dorvek::cli
