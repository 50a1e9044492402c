#pragma once
// The user settings of the program: text editor, recent files and the user organisation
// written into each run's control file. Kept under the current user in group "2021.4.4" of
// ("Ostrel", "DORVEK"); tests point it at a file of their own.

#include "model/workspace/RecentFiles.h"

#include <string>

namespace dorvek {

struct TUserSettings {
    std::string WordProcessor;
    TRecentFiles::Entries Files{};
    std::string UserCompany;
    std::string UserCity;
    std::string UserState;
    int InstallationNumber = 0;
    // The report window opens by itself after each run.
    bool ShowReportAfterRun = true;
};

class TSettings {
public:
    // Empty: the user's native store. Otherwise an INI file of that name.
    explicit TSettings(std::string iniFile = {});

    // Reads every setting; when the store cannot be read, the editor and the recent files
    // come back empty. Missing values keep their defaults.
    TUserSettings Read() const;
    // Writes every setting; failures are ignored (the program carries on).
    void Write(const TUserSettings& settings) const;

private:
    std::string fIniFile;
};

// The editor used when none is set: notepad on Windows, elsewhere the first of a few common
// editors found on the PATH (xdg-open last, which hands the file to the desktop's choice).
std::string DefaultTextEditor();

} // namespace dorvek
