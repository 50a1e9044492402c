#include "kernel/NamesFile.h"

namespace dorvek {

namespace {

// A fixed-length text field: the first `width` characters, trailing blanks trimmed.
std::string Field(std::string_view line, std::size_t width) {
    line = line.substr(0, width);
    std::size_t end = line.find_last_not_of(" \t");
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : line.substr(0, end + 1));
}

constexpr std::size_t kVersionWidth = 12;
constexpr std::size_t kUserWidth = 256;
constexpr std::size_t kPathWidth = 255;

} // namespace

NamesData ReadNamesFile(FreeFormatReader& in) {
    NamesData names;
    names.header.version = Field(in.line("line 1, the program version"), kVersionWidth);
    names.header.organisation = Field(in.line("line 2, the user organisation"), kUserWidth);
    names.header.location = Field(in.line("line 3, the user location"), kUserWidth);
    names.header.installation = in.readInteger("installation number");

    std::string* paths[] = {&names.files.input, &names.files.report, &names.files.plot,
                            &names.files.notes};
    for (std::string* path : paths) {
        auto line = in.nextLine();
        if (!line) {
            names.fileErrors = true;
            break;
        }
        *path = Field(*line, kPathWidth);
    }
    return names;
}

} // namespace dorvek
