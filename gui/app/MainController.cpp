#include "gui/app/MainController.h"

#include "gui/app/ProgramLauncher.h"
#include "gui/app/dynlib.h"
#include "model/tables/NumberFormat.h"
#include "model/workspace/CheckData.h"
#include "model/workspace/FileNames.h"
#include "model/workspace/NamesFile.h"
#include "model/workspace/PreRunChecks.h"
#include "model/workspace/RunOutcome.h"

#include <QLocale>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

std::string Absolute(const std::string& fileName) {
    std::error_code ec;
    const fs::path p = fs::absolute(fs::path(fileName), ec);
    return ec ? fileName : p.lexically_normal().string();
}

void SetCurrentFolder(const std::string& fileName) {
    std::error_code ec;
    fs::current_path(fs::path(FolderOf(fileName)), ec);
}

// Busy cursor for the duration of a scope.
class TBusy {
public:
    explicit TBusy(TMainView& view) : fView(view) { fView.SetBusy(true); }
    ~TBusy() { fView.SetBusy(false); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TMainView& fView;
};

using TEntry = int (*)(int, int);

// The whole of a text file; empty when it cannot be read.
std::string ReadText(const std::string& fileName) {
    std::ifstream in(fs::path(fileName), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// When a file was last written and its size; none when it does not exist.
std::optional<TFileStamp> StampOf(const std::string& fileName) {
    std::error_code error;
    TFileStamp stamp;
    stamp.Time = fs::last_write_time(fs::path(fileName), error);
    if (error) return std::nullopt;
    stamp.Size = fs::file_size(fs::path(fileName), error);
    if (error) return std::nullopt;
    return stamp;
}

// Where a failed editor sends the user.
constexpr const char* EditorSetting = "Options > Selection of Text Editor ...";

// Messages and graph line names show numbers with the user's decimal separator.
char UserDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128
               ? static_cast<char>(point.at(0).unicode())
               : '.';
}

} // namespace

TMainController::TMainController(TMessages& messages, TMainView& view,
                                 std::unique_ptr<TProjectWorkspace> project,
                                 TMainEnvironment environment)
    : fMessages(messages), fView(view), fProject(std::move(project)),
      fEnvironment(std::move(environment)), fStore(fEnvironment.SettingsFile),
      fLauncher(std::make_unique<TProgramLauncher>()) {
    fProject->SetDecimalSeparator(UserDecimalSeparator());
}

TMainController::~TMainController() = default;

void TMainController::Startup(const std::vector<std::string>& arguments) {
    fSettings = fStore.Read();
    if (fSettings.WordProcessor.empty()) fSettings.WordProcessor = DefaultTextEditor();
    fRecent.Assign(fSettings.Files);

    std::string file;
    if (!arguments.empty() && !arguments.front().empty())
        file = Absolute(CommandLineFileName(arguments.front()));
    if (!file.empty() && FileExists(file) && FormatOfFile(file) != 0)
        OpenFileName(file, FormatOfFile(file));
    else
        fProject->CreateNew();
    fView.ProjectChanged();
}

std::string TMainController::Caption() const {
    return MainCaption(fProject->Data().FileName);
}

void TMainController::SetWordProcessor(const std::string& program) {
    fSettings.WordProcessor = program;
    WriteSettings();
}

void TMainController::WriteSettings() {
    fSettings.Files = fRecent.PrevFile();
    fStore.Write(fSettings);
}

void TMainController::EnterRecent(const std::string& fileName) {
    // The unnamed project has no file to come back to.
    if (IsUnnamed(fileName)) return;
    fRecent.UpdatePrevFile(fileName);
    WriteSettings();
}

bool TMainController::SavePrompt() {
    try {
        fProject->WriteGraphSettings();
    } catch (const std::exception& e) {
        fMessages.Information(e.what());
    }
    if (!fProject->Changed()) return true;
    switch (fMessages.Question("Do you want to save any changes?")) {
    case TAnswer::Cancel:
        return false;
    case TAnswer::No:
        return true;
    case TAnswer::Yes:
        break;
    }
    try {
        Save();
    } catch (const std::exception& e) {
        fMessages.Information(e.what());
        return false;
    }
    // A cancelled Save As leaves the changes unsaved: the command must not discard them.
    return !fProject->Changed() && !IsUnnamed(fProject->Data().FileName);
}

void TMainController::New() {
    if (!SavePrompt()) return;
    fView.CloseChildWindows();
    fProject->CreateNew();
    fView.ProjectReplaced();
    fProject->ShowOutput = false;
    fView.ProjectChanged();
}

void TMainController::Open() {
    if (!SavePrompt()) return;
    const auto choice = fMessages.OpenFile("Open", OpenFilter, {});
    if (!choice) return;
    const int filter = choice->FilterIndex >= 1 && choice->FilterIndex <= 3
                           ? choice->FilterIndex
                           : std::max(FormatOfFile(choice->FileName), 1);
    OpenFileName(Absolute(choice->FileName), filter);
}

void TMainController::OpenFileName(const std::string& fileName, int filter) {
    fView.CloseChildWindows();
    SetCurrentFolder(fileName);
    if (const auto error = fProject->LoadFromFile(fileName, filter)) fMessages.Information(*error);
    fView.ProjectReplaced();
    fView.ProjectChanged();
    if (fProject->Data().FileName != fileName) {
        // Read only in part: the project is unnamed now, and neither the results nor the
        // graph settings beside the file belong to what is shown.
        fProject->ShowOutput = false;
        EnterRecent(fileName);
        fView.ProjectChanged();
        return;
    }
    const std::string plotFile = PlotFileOf(fileName);
    // Results shown always belong to the project now open.
    fProject->ShowOutput =
        FileExists(plotFile) && fProject->ReadPlotData(plotFile, false, Report());
    try {
        fProject->ReadGraphSettings();
    } catch (const std::exception& e) {
        fMessages.Information(e.what());
    }
    EnterRecent(fileName);
    fView.ProjectChanged();
}

void TMainController::OpenRecent(int k) {
    if (k < 1 || k > fRecent.NumberPrevFile()) return;
    const std::string file = fRecent.PrevFile()[static_cast<size_t>(k - 1)];
    if (FormatOfFile(file) == 0) return;
    if (!SavePrompt()) return;
    OpenFileName(file, FormatOfFile(file));
}

void TMainController::OpenDropped(const std::string& fileName) {
    if (!SavePrompt()) return;
    const std::string file = Absolute(fileName);
    if (FormatOfFile(file) == 0) return;
    OpenFileName(file, FormatOfFile(file));
}

void TMainController::Save() {
    if (NeedsSaveAs(fProject->Data().FileName)) {
        SaveAs();
        return;
    }
    fProject->Save();
    fProject->WriteGraphSettings();
}

void TMainController::SaveAs() {
    TProgramData& data = fProject->Data();
    const auto choice =
        fMessages.SaveFile(SaveAsTitle(data.FileName), SaveFilter, SaveAsPreset(data.FileName));
    auto finish = [this] {
        EnterRecent(fProject->Data().FileName);
        fView.ProjectChanged();
        fView.CloseChildWindows();
    };
    if (!choice) {
        filesaved = false;
        finish();
        return;
    }
    std::string name = Absolute(choice->FileName);
    if (fs::path(name).extension().empty()) name += ".dv4d";
    const std::string earlier = data.FileName;
    data.FileName = name;
    try {
        fProject->Save();
    } catch (...) {
        // Nothing was written under the new name: the project keeps its earlier one, and the
        // caption and the recent files keep showing it.
        data.FileName = earlier;
        fView.ProjectChanged();
        throw;
    }
    finish();
}

bool TMainController::CanClose() {
    fView.CommitActiveChild();
    if (!SavePrompt()) return false;
    WriteSettings();
    fView.CloseChildWindows();
    return true;
}

void TMainController::SetUnits(int system) {
    fProject->SetUnits(system);
    fView.ProjectChanged();
}

void TMainController::SetUserTz(bool user) {
    fProject->Data().UserTz = user;
    fView.ProjectChanged();
}

void TMainController::SetUserQw(bool user) {
    fProject->Data().UserQw = user;
    fView.ProjectChanged();
}

void TMainController::SetLoadMethod(int method) {
    if (method < 0 || method > 2) return;
    fProject->Data().Nloadmethod = method;
    fView.ProjectChanged();
}

void TMainController::ToggleDowndrag() {
    fProject->Data().downdrag = fProject->Data().downdrag == 1 ? 0 : 1;
    fView.ProjectChanged();
}

void TMainController::ToggleModTZ() {
    fProject->Data().ModTZ = fProject->Data().ModTZ == 1 ? 0 : 1;
    fView.ProjectChanged();
}

void TMainController::ToggleModQw() {
    fProject->Data().ModQw = fProject->Data().ModQw == 1 ? 0 : 1;
    fView.ProjectChanged();
}

std::function<void(const std::string&)> TMainController::Report() {
    return [this](const std::string& text) { fMessages.Information(text); };
}

std::string TMainController::FormatNumber(long double value) const {
    return FormatShortest(value, UserDecimalSeparator());
}

std::string TMainController::FormatValue(long double value) const {
    return FormatGeneral(value, 8, UserDecimalSeparator());
}

void TMainController::RunAnalysis() {
    // One run at a time: checked before anything of the running one could be overwritten.
    if (fKernel) {
        fMessages.Information("Attempt to reinitialize DLL");
        return;
    }
    filesaved = true;
    try {
        Save();
    } catch (const std::exception& e) {
        // Running on the file left from an earlier save would give results of other data.
        fMessages.Information(std::string("An error occured during saving") + "\n" + e.what());
        return;
    }
    const TProgramData& data = fProject->Data();
    if (!filesaved || IsUnnamed(data.FileName)) return;
    if (const auto warning = CheckData(fProject->CheckDataInput(),
                                       [this](long double v) { return FormatNumber(v); })) {
        fMessages.Warning(*warning);
        return;
    }
    if (!RunPastWarnings()) return;

    const std::string folder = FolderOf(data.FileName);
    SetCurrentFolder(data.FileName);
    const fs::path namesFile = fs::path(folder) / NamesFileName;
    // The control file goes whatever happens below.
    struct TRemoveNames {
        fs::path file;
        ~TRemoveNames() {
            std::error_code ec;
            if (fs::is_regular_file(file, ec)) fs::remove(file, ec);
        }
    } removeNames{namesFile};

    TNamesFileContent names;
    names.Version = ProgramVersion;
    names.UserCompany = fSettings.UserCompany;
    names.UserCity = fSettings.UserCity;
    names.UserState = fSettings.UserState;
    names.InstallationNumber = fSettings.InstallationNumber;
    names.ProjectFile = data.FileName;
    if (!WriteNamesFile(folder, names)) {
        // Without it the kernel would read a stale control file of another run.
        fMessages.Information("An error occured while writing file names");
        return;
    }

    TEntry entry = nullptr;
    try {
        fKernel = std::make_unique<TDynamicLibrary>(KernelLibraryPath(fEnvironment.KernelFolder),
                                                    fMessages);
        fKernel->Open();
        if (fKernel->GetIsOpen())
            entry = reinterpret_cast<TEntry>(fKernel->FindProcedure("IDORVEK"));
    } catch (const EDLLError&) {
        entry = nullptr;
    }
    if (!entry) {
        fKernel.reset();
        fMessages.Information("Attempt to initialize DLL failed");
        return;
    }

    // The library stays loaded until the run's messages are done, whichever way they end.
    struct TUnload {
        std::unique_ptr<TDynamicLibrary>& kernel;
        ~TUnload() { kernel.reset(); }
    } unload{fKernel};
    const auto reportBefore = StampOf(OutputFileOf(data.FileName));
    int code = 0;
    {
        TBusy busy(fView);
        code = entry(4, 4);
    }
    AfterRun(code, reportBefore);
}

bool TMainController::RunPastWarnings() {
    for (const std::string& warning :
         fProject->PreRunWarnings([this](long double v) { return FormatValue(v); }))
        if (!fMessages.WarningProceed(warning, RunAnywayCaption)) return false;
    return true;
}

void TMainController::AfterRun(int code, std::optional<TFileStamp> reportBefore) {
    const std::string& fileName = fProject->Data().FileName;
    // A run that could not write its report (another run holds it, the disk is full) leaves
    // the earlier report in place; a completed run always wrote its own.
    const auto reportAfter = StampOf(OutputFileOf(fileName));
    const bool reportOfThisRun = reportAfter && (code == 0 || reportAfter != reportBefore);
    const TRunOutcome outcome =
        RunOutcomeOf(code, reportOfThisRun ? ReadText(OutputFileOf(fileName)) : std::string(),
                     fProject->RunFacts([this](long double v) { return FormatValue(v); }));
    if (outcome.Completed) {
        fMessages.Information(outcome.Message);
        const std::string plotFile = PlotFileOf(fileName);
        if (FileExists(plotFile))
            fProject->ShowOutput = fProject->ReadPlotData(plotFile, true, Report());
    } else {
        // One message says why; the plot file of a stopped run holds only the part written
        // before the stop, so no results are offered.
        fMessages.Warning(outcome.Message);
        fProject->ShowOutput = false;
    }
    fView.ProjectChanged();
    fView.CloseChildWindows();
    if (reportOfThisRun && (!outcome.Completed || fSettings.ShowReportAfterRun))
        fView.ShowReport(ReportPlace(outcome.ReportLine.value_or(0)));
}

TReportPlace TMainController::ReportPlace(int line, bool notes) const {
    TReportPlace place;
    place.ReportFile = OutputFileOf(fProject->Data().FileName);
    place.NotesFile = RunNotesFileOf(fProject->Data().FileName);
    place.Line = line;
    place.Notes = notes;
    if (fProject->ShowOutput) place.Capacities = fProject->CapacityText();
    return place;
}

void TMainController::ViewCapacities() {
    TReportPlace place = ReportPlace();
    place.CapacitiesInFront = true;
    fView.ShowReport(place);
}

void TMainController::ViewReport() {
    fView.ShowReport(ReportPlace());
}

void TMainController::SetShowReportAfterRun(bool show) {
    fSettings.ShowReportAfterRun = show;
    WriteSettings();
}

bool TMainController::OpenDocument(const std::string& path) {
    return fLauncher->Start("xdg-open", path, [this, path](const std::string&) {
        fMessages.Information(DocumentNotOpened(path));
    });
}

std::string TMainController::DocumentNotOpened(const std::string& path) {
    return "The file " + path +
           " could not be opened.\nNo program to show it is set up on this computer: open the "
           "file with a program of your choice.";
}

void TMainController::EditInputText() {
    StartEditor(fProject->Data().FileName, false, false);
}
void TMainController::EditRunNotes() {
    StartEditor(RunNotesFileOf(fProject->Data().FileName), true, true);
}
void TMainController::EditOutputText() {
    StartEditor(OutputFileOf(fProject->Data().FileName), true, false);
}

void TMainController::EditFile(const std::string& fileName) {
    StartEditor(fileName, false, false);
}

void TMainController::StartEditor(const std::string& fileName, bool showReport, bool notes) {
    const std::string editor = fSettings.WordProcessor;
    TReportPlace place = ReportPlace(0, notes);
    // Started directly with the file as its one argument: no shell sees the name.
    fLauncher->Start(editor, fileName, [this, editor, showReport, place](const std::string& why) {
        std::string text = "An error occurred in running the Word Processor";
        // The setting ends its line: its caption ends with dots of its own.
        if (editor.empty())
            text += "\nNo text editor is set. Choose one with " + std::string(EditorSetting);
        else
            text += "\nThe text editor \"" + editor + "\" " + why + ".\nChoose another one with " +
                    EditorSetting;
        const bool show = showReport && FileExists(place.ReportFile);
        if (show) text += "\nThe report is shown in the program meanwhile.";
        fMessages.Information(text);
        if (show) fView.ShowReport(place);
    });
}

} // namespace dorvek
