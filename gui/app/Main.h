#pragma once
// The main window: a multiple-document frame with the program's menus and toolbar. It shows
// the state of the project and forwards every command to the controller.

#include "Commands.h"
#include "MainController.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;
class QToolBar;

namespace dorvek {

class TQtMessages;

// Child windows that hold edits not yet stored in the project implement this; the main window
// calls it before one of its menus opens and before it closes.
class TChildWindow {
public:
    virtual ~TChildWindow() = default;
    virtual void CommitEdits() = 0;
};

class TMainForm : public QMainWindow, private TMainView {
    Q_OBJECT
public:
    // messages: the seam for every box and file dialog (the window's own when null);
    // project: the project session (a default one when null).
    explicit TMainForm(TMainEnvironment environment, TMessages* messages = nullptr,
                       std::unique_ptr<TProjectSession> project = nullptr,
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

    // Runs a command as its menu item or toolbar button does.
    void Execute(TCommand command);
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
    void OpenHelpFile(const QString& fileName);

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
};

} // namespace dorvek
