#pragma once
// What the main window does, apart from its widgets: file commands with the save prompt,
// options, the recent-file list and settings, the text editor, and the run of the kernel
// library. The window is a thin view that forwards its commands here.

#include "gui/app/Settings.h"
#include "gui/common/Messages.h"
#include "model/workspace/ProjectWorkspace.h"
#include "model/workspace/RecentFiles.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvek {

class TDynamicLibrary;
class TProgramLauncher;

// Where the report window opens.
struct TReportPlace {
    std::string ReportFile; // ".dv4o"
    std::string NotesFile;  // ".dv4r"
    int Line = 0;           // 0-based line of the report shown first
    bool Notes = false;     // the run-notes tab in front
    // The capacities of the load-settlement curves by the usual criteria (a "Load Tests" tab
    // when not empty) and whether that tab is in front.
    std::string Capacities;
    bool CapacitiesInFront = false;
};

// The widgets' side of the controller.
class TMainView {
public:
    virtual ~TMainView() = default;
    // Stores the pending edits of the active child window into the project.
    virtual void CommitActiveChild() = 0;
    virtual void CloseChildWindows() = 0;
    // The caption and the enabled states must be recomputed.
    virtual void ProjectChanged() = 0;
    // Busy cursor on or off.
    virtual void SetBusy(bool busy) = 0;
    // Opens the report window (or brings it to the front) at a place.
    virtual void ShowReport(const TReportPlace& place) = 0;
    // Another project took the place of the one shown (New, Open): its undo steps go.
    virtual void ProjectReplaced() {}
};

struct TMainEnvironment {
    std::string KernelFolder;  // where the kernel library is loaded from
    std::string SettingsFile;  // empty: the user's native settings store
    std::string ProgramFolder; // where the manuals are; empty: the program's own folder
    // Hands a document to the system's default viewer; false when it could not.
    // Empty: the desktop's handler.
    std::function<bool(const std::string& path)> OpenDocument;
};

inline constexpr const char* OpenFilter =
    "DORVEK 2021 (*.dv4d)|*.dv4d|DORVEK 2014 (*.dv3d)|*.dv3d|DORVEK 2.0 (*.dvd)|*.dvd";
inline constexpr const char* SaveFilter = "DORVEK 2021(*.dv4d)|*.dv4d|All Files(*.*)|*.*";

// When a file was last written, and its size: tells whether a run rewrote it.
struct TFileStamp {
    std::filesystem::file_time_type Time;
    std::uintmax_t Size = 0;
    bool operator==(const TFileStamp&) const = default;
};

class TMainController {
public:
    TMainController(TMessages& messages, TMainView& view,
                    std::unique_ptr<TProjectWorkspace> project, TMainEnvironment environment);
    ~TMainController();

    // Reads the settings and opens the file named by the first argument, if any.
    void Startup(const std::vector<std::string>& arguments);

    TProjectWorkspace& Project() { return *fProject; }
    const TProjectWorkspace& Project() const { return *fProject; }
    std::string Caption() const;
    const TRecentFiles& RecentFiles() const { return fRecent; }
    const std::string& WordProcessor() const { return fSettings.WordProcessor; }
    // Takes a new editor path and writes the settings.
    void SetWordProcessor(const std::string& program);
    const TUserSettings& UserSettings() const { return fSettings; }

    // File commands. The save prompt runs before New, Open, recent and dropped files.
    void New();
    void Open();
    // Saves under the current name, through Save As when the project has no current-format
    // name of its own. Write failures are raised.
    void Save();
    void SaveAs();
    void OpenRecent(int k); // 1-based menu item
    void OpenDropped(const std::string& fileName);
    void OpenFileName(const std::string& fileName, int filter);
    // The save prompt: false when the command must stop.
    bool SavePrompt();
    // Closing the main window: false keeps it open. Writes the settings otherwise.
    bool CanClose();

    // Options; they change no data-changed flag.
    void SetUnits(int system);
    void SetUserTz(bool user);
    void SetUserQw(bool user);
    void SetLoadMethod(int method);
    void ToggleDowndrag();
    void ToggleModTZ();
    void ToggleModQw();

    // The analysis through the kernel library.
    void RunAnalysis();
    bool RunInProgress() const { return fKernel != nullptr; }

    // The project's files in the text editor. When the editor cannot start or ends at once
    // with an error, the user is told which setting to change, and the report and the run
    // notes are shown in the report window instead.
    void EditInputText();
    void EditRunNotes();
    void EditOutputText();
    void EditFile(const std::string& fileName);
    // The report window at the top of the project's report.
    void ViewReport();
    // The report window opens by itself after each run (kept in the settings).
    bool ShowReportAfterRun() const { return fSettings.ShowReportAfterRun; }
    void SetShowReportAfterRun(bool show);
    // Hands a document to the desktop's opener; a failure, also one found a moment later,
    // is reported with the file's place. False when the opener could not be started.
    bool OpenDocument(const std::string& path);
    // What the user is told when no program shows a document: where the file is.
    static std::string DocumentNotOpened(const std::string& path);

private:
    void WriteSettings();
    void EnterRecent(const std::string& fileName);
    std::string FormatNumber(long double value) const;
    // Numbers of the messages before and after a run, to eight digits like the fields.
    std::string FormatValue(long double value) const;
    std::function<void(const std::string&)> Report();
    // The checks after the data check: false when the user cancels at one of their warnings.
    bool RunPastWarnings();
    // Reads the kernel's report and tells the user how the run ended. `reportBefore` is the
    // report's time stamp before the run: a report the run did not rewrite belongs to an
    // earlier run and explains nothing about this one.
    void AfterRun(int code, std::optional<TFileStamp> reportBefore);
    TReportPlace ReportPlace(int line = 0, bool notes = false) const;

public:
    // The report window with the capacities of the computed and measured curves in front.
    void ViewCapacities();

private:
    // Starts the editor; the fallback tab (none for the input file) is shown when it fails.
    void StartEditor(const std::string& fileName, bool showReport, bool notes);

    TMessages& fMessages;
    TMainView& fView;
    std::unique_ptr<TProjectWorkspace> fProject;
    TMainEnvironment fEnvironment;
    TSettings fStore;
    TUserSettings fSettings;
    TRecentFiles fRecent;
    bool filesaved = false;
    // Non-empty only while a run is in progress.
    std::unique_ptr<TDynamicLibrary> fKernel;
    std::unique_ptr<TProgramLauncher> fLauncher;
};

} // namespace dorvek
