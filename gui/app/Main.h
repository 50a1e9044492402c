#pragma once
// The main window: a multiple-document frame with the program's menus and toolbar. It shows
// the state of the project and forwards every command to the controller.

#include "gui/app/ChildPlacer.h"
#include "gui/app/MainController.h"
#include "gui/app/Options.h"
#include "gui/app/ReportWindow.h"
#include "gui/app/Title.h"
#include "gui/app/compmeth.h"
#include "gui/app/pilemat.h"
#include "gui/common/ChildWindow.h"
#include "gui/plots/PileSide.h"
#include "gui/plots/PlotWindows.h"
#include "model/workspace/Commands.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMdiArea;
class QLabel;
class QMenu;
class QToolBar;

namespace dorvek {

class TProjectPanel;
class TQtMessages;
class TTableUndo;
struct TStepItem;

class TMainForm : public QMainWindow, private TMainView {
    Q_OBJECT
public:
    // messages: the seam for every box and file dialog (the window's own when null);
    // project: the project workspace (a default one when null).
    explicit TMainForm(TMainEnvironment environment, TMessages* messages = nullptr,
                       std::unique_ptr<TProjectWorkspace> project = nullptr,
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // Reads the settings and opens the file of the first argument, if any.
    void Startup(const std::vector<std::string>& arguments);

    TMainController& Controller() { return *fController; }
    QMdiArea* MdiArea() const { return fMdi; }
    QToolBar* ToolBar() const { return fToolBar; }
    QAction* MenuAction(TCommand command) const;
    QAction* ToolAction(TCommand command) const;
    const std::vector<QMenu*>& TopMenus() const { return fTopMenus; }
    const std::vector<QAction*>& RecentActions() const { return fRecentActions; }
    QMenu* WindowMenu() const { return fWindowMenu; }
    // The single-instance dialogs while they are open (their presence flags).
    TdlgTitle* TitleDialog() const { return fTitleDialog; }
    // How documents are opened (the environment's opener, else the system's default handler).
    void SetOpenDocument(std::function<void(const std::string&)> open) {
        fOpenDocument = [open = std::move(open)](const std::string& file) {
            open(file);
            return true;
        };
    }
    TfrmMaterial* PileDialog() const { return fPileDialog; }
    TfrmQwFactors* QwFactorsDialog() const { return fQwDialog; }
    TDlgOptions* OptionsDialog() const { return fOptionsDialog; }
    TDlgSideView* SideView() const { return fSideView; }
    TReportWindow* ReportWindow() const { return fReportWindow; }
    QAction* ReportAfterRunOption() const { return fReportAfterRun; }

    // The dialogs of the plot windows (the real ones when null); for tests.
    void SetPlotDialogs(TPlotDialogs* dialogs);
    // The result graph a Graphics command shows, null for other commands.
    TGraphPlot* GraphOf(TCommand command);

    // Runs a command as its menu item or toolbar button does.
    void Execute(TCommand command);
    // The project panel, the undo steps of the tables, the Edit and View menus and the options
    // line of the status bar.
    TProjectPanel* ProjectPanel() const { return fPanel; }
    TTableUndo* TableUndo() const { return fUndo; }
    QMenu* EditMenu() const { return fEditMenu; }
    QMenu* ViewMenu() const { return fViewMenu; }
    QLabel* OptionsLabel() const { return fOptionsLabel; }
    // Opens what a step of the panel names (a greyed one says why it cannot be used); rect:
    // where the step is shown, for a menu of choices.
    void OpenStep(const TStepItem& step, const QRect& rect);
    // The popup of Options choices a step offers, while it is shown.
    QMenu* ChoiceMenu() const { return fChoiceMenu; }
    // Enabled states of the toolbar; the menus evaluate theirs when they open.
    void UpdateToolbar();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // TMainView
    void CommitActiveChild() override;
    void CloseChildWindows() override;
    void ProjectChanged() override;
    void SetBusy(bool busy) override;
    void ShowReport(const TReportPlace& place) override;
    void ProjectReplaced() override;

    // The panel, the Edit and View menus, the status line and the window's saved place.
    void BuildWorkflow();
    void ShowOptionChoice(int choice, const QPoint& at);
    void UpdateEditMenu();
    void UpdateStatusLine();
    void RestoreWindowState();
    void SaveWindowState();

    void BuildMenus();
    void BuildToolBar();
    QMenu* AddTopMenu(const QString& caption);
    QAction* AddItem(QMenu* menu, TCommand command, const QString& caption,
                     const QKeySequence& shortcut = {});
    QAction* AddOption(QMenu* menu, QActionGroup* group, const QString& caption);
    void BeforeMenu(QMenu* menu);
    void UpdateFileMenu();
    void UpdateOptionsMenu();
    void UpdateMenuStates();
    void UpdateWindowMenu();
    void ArrangeIcons();
    void ShowChildWindow(TCommand command);
    // The modal export dialog over the result graphs.
    void ShowExportDialog();
    // Opens one of the data dialogs, or brings the open one to the front.
    template <class Dialog, typename Make> void ShowDialog(QPointer<Dialog>& presence, Make make);
    // Shows the child window's frame in front (restored when minimised).
    void BringToFront(QWidget& window);
    // A window shown as a child window of the frame.
    void AddChildWindow(QWidget& window);
    // A plot window: a maximised child window with the usual frame buttons.
    void AddPlotWindow(QWidget& window);
    void InstallPlotWindows(TPlotDialogs* dialogs);
    void SetUnits(int system);
    // The soil-profile view, when open, follows the soil layers, the pile and the units.
    void RefreshSideView();
    // The measured curves' dialog; the axial graphs and the capacities follow its OK.
    void ShowMeasuredDialog();
    // The calibration dialog over the saved project and its measured curves.
    void ShowCalibrateDialog();
    // The report window, when open, shows the capacities of the project as it stands.
    void RefreshCapacities();
    void OpenHelpFile(const QString& fileName);

    std::string fProgramFolder;
    // Hands a document (a manual, a written workbook) to the system's viewer.
    std::function<bool(const std::string&)> fOpenDocument;
    std::unique_ptr<TQtMessages> fOwnMessages;
    TMessages* fMessages;
    std::unique_ptr<TMainController> fController;
    QMdiArea* fMdi = nullptr;
    QToolBar* fToolBar = nullptr;
    std::vector<QMenu*> fTopMenus;
    std::map<TCommand, QAction*> fMenuActions;
    std::map<TCommand, QAction*> fToolActions;
    std::vector<QAction*> fRecentActions;
    QAction* fRecentSeparator = nullptr;
    QMenu* fWindowMenu = nullptr;
    std::vector<QAction*> fWindowListActions;
    // Options menu items.
    QAction* fEnglish = nullptr;
    QAction* fSI = nullptr;
    QAction* fTzGenerated = nullptr;
    QAction* fTzUser = nullptr;
    QAction* fQwGenerated = nullptr;
    QAction* fQwUser = nullptr;
    QAction* fLoadMethod[3] = {};
    QAction* fDowndrag = nullptr;
    QAction* fModTZ = nullptr;
    QAction* fModQw = nullptr;
    QAction* fReportAfterRun = nullptr;
    // Presence flags of the data dialogs.
    QPointer<TdlgTitle> fTitleDialog;
    QPointer<TfrmMaterial> fPileDialog;
    QPointer<TfrmQwFactors> fQwDialog;
    QPointer<TDlgOptions> fOptionsDialog;
    QPointer<TDlgSideView> fSideView;
    QPointer<TReportWindow> fReportWindow;
    std::string fSettingsFile;
    TTableUndo* fUndo = nullptr;
    TChildPlacer* fPlacer = nullptr;
    TProjectPanel* fPanel = nullptr;
    QMenu* fEditMenu = nullptr;
    QMenu* fViewMenu = nullptr;
    QPointer<QMenu> fChoiceMenu;
    QAction* fMoveUp = nullptr;
    QAction* fMoveDown = nullptr;
    QLabel* fOptionsLabel = nullptr;
};

} // namespace dorvek
