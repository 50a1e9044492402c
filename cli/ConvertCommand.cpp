#include "cli/ConvertCommand.h"

#include "cli/OutputClaims.h"
#include "cli/ProjectLoad.h"
#include "kernel/PathParts.h"

#include <exception>
#include <filesystem>

namespace dorvek::cli {

namespace {

namespace fs = std::filesystem;

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::exists(b, ec)) return fs::equivalent(a, b, ec);
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

} // namespace

int ConvertProject(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    const fs::path input = FilePath(options.input);
    const int filter = FilterFromExtension(options.input);
    if (filter == 0) {
        err << "dorvek-run: " << options.input
            << ": not a project file (expected .dv4d, .dv3d or .dvd)\n";
        return 1;
    }
    if (!ExistingFile(input, err)) return 1;
    fs::path output = FilePath(options.output);
    if (output.empty()) output = fs::path(input).replace_extension(".dv4d");
    // A device, pipe or folder given as the output is refused, never replaced.
    if (!RegularOutput(output, options.output.empty() ? "--convert" : "-o", err)) return 2;
    if (!options.force && SameFile(input, output)) {
        err << "dorvek-run: " << output.string()
            << " is the input file; give another name with -o or use --force to overwrite it\n";
        return 1;
    }

    TProjectTables owner;
    TProgramData data;
    if (!ReadProject(options.input, filter, owner, data, err)) return 1;
    data.FileName = output.string();
    try {
        data.Save(owner);
    } catch (const std::exception& e) {
        err << "dorvek-run: " << Lines(e.what()) << "\n";
        return 1;
    }
    out << options.input << " -> " << output.string() << "\n";
    return 0;
}

} // namespace dorvek::cli
