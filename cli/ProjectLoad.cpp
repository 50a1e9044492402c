#include "ProjectLoad.h"

#include <algorithm>
#include <exception>

namespace dorvek::cli {

std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

bool ExistingFile(const std::filesystem::path& file, std::ostream& err) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec)) return true;
    err << "dorvek-run: " << file.string() << ": no such file\n";
    return false;
}

bool ReadProject(const std::string& name, int filter, TProjectTables& owner, TProgramData& data,
                 std::ostream& err) {
    try {
        data.CreateFromFile(name, filter, owner);
        return true;
    } catch (const std::exception& e) { // the reader's message, or another failure
        err << "dorvek-run: " << name << ": " << Lines(e.what()) << "\n";
        return false;
    }
}

} // namespace dorvek::cli
