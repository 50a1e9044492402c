#pragma once
// The run control file the kernel reads from the project's folder: version, user
// organisation, its location, installation number and the four file names of one run.

#include <string>

namespace dorvek {

inline constexpr const char* NamesFileName = "names.dat";

struct TNamesFileContent {
    std::string Version;
    std::string UserCompany;
    std::string UserCity;
    std::string UserState;
    int InstallationNumber = 0;
    std::string ProjectFile; // full name of the input data file
};

// The eight lines: version, company, city and state (each trimmed, joined by ", "), the
// installation number, the project file and its ".dv4o", ".dv4p" and ".dv4r" names.
std::string NamesFileText(const TNamesFileContent& content);

// Writes the file into folder; false when it could not be written completely.
bool WriteNamesFile(const std::string& folder, const TNamesFileContent& content);

} // namespace dorvek
