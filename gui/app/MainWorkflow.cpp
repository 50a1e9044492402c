// The main window's guidance through a project: the project panel and what its steps open,
// the Edit menu with the undo steps of the tables, the View menu, the options in the status
// bar, and the window's size and place kept between sessions.

#include "gui/app/Main.h"

#include "gui/app/ProjectPanel.h"
#include "gui/app/WindowSettings.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableUndo.h"
#include "gui/tables/TableWindows.h"
#include "model/tables/Table.h"
#include "model/workspace/ProjectSteps.h"
#include "model/workspace/WindowPlacement.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QUndoGroup>

namespace dorvek {

namespace {

// What the window's frame adds around its client area, before it is known: borders and a
// title bar.
constexpr TSize FrameEstimate{16, 40};

TTableForm* TableFormOf(QMdiSubWindow* sub) {
    auto* form = sub ? qobject_cast<TTableForm*>(sub->widget()) : nullptr;
    return form && form->Table() ? form : nullptr;
}

} // namespace

void TMainForm::BuildWorkflow() {
    // A window opened over a maximised graph keeps the size that shows it.
    fMdi->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    // Edit and View stand between File and Data; they are not among the program's own menus.
    QAction* data = fTopMenus.at(1)->menuAction();
    fEditMenu = new QMenu(tr("&Edit"), this);
    menuBar()->insertMenu(data, fEditMenu);
    QAction* undo = fUndo->Group()->createUndoAction(fEditMenu, tr("&Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = fUndo->Group()->createRedoAction(fEditMenu, tr("&Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    fEditMenu->addAction(undo);
    fEditMenu->addAction(redo);
    fEditMenu->addSeparator();
    auto moveRow = [this](int delta) {
        if (TTableForm* form = TableFormOf(fMdi->activeSubWindow())) form->MoveRowClick(delta);
    };
    fMoveUp = fEditMenu->addAction(tr("Move Row &Up"), this, [moveRow] { moveRow(-1); });
    fMoveUp->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up));
    fMoveDown = fEditMenu->addAction(tr("Move Row &Down"), this, [moveRow] { moveRow(+1); });
    fMoveDown->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down));
    connect(fEditMenu, &QMenu::aboutToShow, this, [this] {
        CommitActiveChild();
        UpdateEditMenu();
    });
    // The Edit menu acts on the table whose editor is in front.
    connect(fMdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        TTableForm* form = TableFormOf(sub);
        fUndo->Activate(form ? form->Table() : nullptr);
        UpdateEditMenu();
    });

    fPanel = new TProjectPanel(
        [this] {
            TStepsContext context;
            const TProjectWorkspace& project = fController->Project();
            context.Files = MakeCommandContext(project.Data(), project.ShowOutput);
            context.DecimalSeparator = UserDecimalSeparator();
            return ProjectSteps(project, context);
        },
        this);
    addDockWidget(Qt::LeftDockWidgetArea, fPanel);
    fPanel->OnActivate = [this](const TStepItem& step, const QRect& rect) { OpenStep(step, rect); };
    // Like a menu of the frame: what a dialog or an editor holds reaches the project first.
    fPanel->OnFocused = [this] { CommitActiveChild(); };

    fViewMenu = new QMenu(tr("&View"), this);
    menuBar()->insertMenu(data, fViewMenu);
    QAction* shown = fPanel->toggleViewAction();
    shown->setText(tr("&Project Panel"));
    fViewMenu->addAction(shown);
    QAction* go = fViewMenu->addAction(tr("&Go to the Project Panel"), this, [this] {
        fPanel->show();
        fPanel->raise();
        fPanel->Tree()->setFocus();
    });
    go->setShortcut(QKeySequence(Qt::Key_F6));

    // Ctrl+F4 closes the child window in front, as it does on Windows, where the platform
    // binds Close to another key.
    const QKeySequence ctrlF4(Qt::CTRL | Qt::Key_F4);
    if (!QKeySequence::keyBindings(QKeySequence::Close).contains(ctrlF4)) {
        auto* close = new QAction(tr("Close the Window in Front"), this);
        close->setShortcut(ctrlF4);
        connect(close, &QAction::triggered, this, [this] {
            if (QMdiSubWindow* sub = fMdi->activeSubWindow()) sub->close();
        });
        addAction(close);
    }

    fOptionsLabel = new QLabel(this);
    fOptionsLabel->setTextFormat(Qt::RichText);
    fOptionsLabel->setToolTip(tr("Options that change the analysis (Options menu)"));
    statusBar()->addPermanentWidget(fOptionsLabel);
    UpdateStatusLine();
    UpdateEditMenu();
}

void TMainForm::UpdateEditMenu() {
    TTableForm* form = TableFormOf(fMdi->activeSubWindow());
    const TGridTable* table = form ? form->Table() : nullptr;
    const bool rows = table && table->MinRows() != table->MaxRows() && table->RowCount() > 1;
    fMoveUp->setEnabled(rows);
    fMoveDown->setEnabled(rows);
}

void TMainForm::UpdateStatusLine() {
    if (!fOptionsLabel) return;
    QStringList parts;
    for (const TOptionState& o : OptionStates(fController->Project().Data())) {
        QString part = QString::fromStdString(StatusPart(o)).toHtmlEscaped();
        // Options that change the curves or the loads stand out while they are on.
        if (o.Modified) part = QStringLiteral("<b>") + part + QStringLiteral("</b>");
        parts << part;
    }
    fOptionsLabel->setText(parts.join(QStringLiteral(" &nbsp;|&nbsp; ")));
}

void TMainForm::ProjectReplaced() {
    fUndo->Clear();
}

void TMainForm::OpenStep(const TStepItem& step, const QRect& rect) {
    if (step.Status == TStepStatus::Unavailable) {
        const QString reason = QString::fromStdString(step.Reason);
        statusBar()->showMessage(reason, 10000);
        QToolTip::showText(rect.bottomLeft(), reason, this);
        return;
    }
    using K = TStepTarget::TKind;
    TInputTables& tables = fController->Project().Tables();
    switch (step.Target.Kind) {
    case K::Command:
        Execute(step.Target.Command);
        break;
    case K::AETable:
        CommitActiveChild();
        tables.TblAE2().Show();
        break;
    case K::LayerData: {
        CommitActiveChild();
        TGridTable& layers = tables.D2();
        const int row = step.Target.Index;
        if (row >= 0 && row < layers.RowCount())
            if (TGridTable* layer = layers.GetDataValue(2, row)) layer->Show();
        break;
    }
    case K::Choice:
        ShowOptionChoice(static_cast<int>(step.Target.Choice), rect.bottomLeft());
        break;
    case K::None:
        break;
    }
}

// The Options menu's own items for the choice, and the editor the choice makes available.
void TMainForm::ShowOptionChoice(int choice, const QPoint& at) {
    using C = TCommand;
    CommitActiveChild();
    UpdateOptionsMenu();
    UpdateMenuStates();
    if (fChoiceMenu) fChoiceMenu->close();
    fChoiceMenu = new QMenu(this);
    fChoiceMenu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [this](std::initializer_list<QAction*> options, std::initializer_list<C> editors) {
        for (QAction* a : options) fChoiceMenu->addAction(a);
        if (editors.size() > 0) fChoiceMenu->addSeparator();
        for (C c : editors) fChoiceMenu->addAction(MenuAction(c));
    };
    switch (static_cast<TOptionChoice>(choice)) {
    case TOptionChoice::Units:
        add({fEnglish, fSI}, {});
        break;
    case TOptionChoice::TzSource:
        add({fTzGenerated, fTzUser}, {C::DataTzCurves});
        break;
    case TOptionChoice::QwSource:
        add({fQwGenerated, fQwUser}, {C::DataQwCurve});
        break;
    case TOptionChoice::LoadMethod:
        add({fLoadMethod[0], fLoadMethod[1], fLoadMethod[2]},
            {C::DataTipMovements, C::DataPileHeadLoads});
        break;
    case TOptionChoice::Downdrag:
        add({fDowndrag}, {C::DataSettlement});
        break;
    case TOptionChoice::TzFactors:
        add({fModTZ}, {C::DataTzFactors});
        break;
    case TOptionChoice::QwFactors:
        add({fModQw}, {C::DataQwFactors});
        break;
    }
    // The current choice is where the keyboard starts.
    for (QAction* a : fChoiceMenu->actions())
        if (a->isChecked()) fChoiceMenu->setActiveAction(a);
    fChoiceMenu->popup(at);
}

void TMainForm::RestoreWindowState() {
    const TWindowSettings saved = ReadWindowSettings(fSettingsFile);
    QScreen* screen = nullptr;
    if (saved.Normal)
        screen = QGuiApplication::screenAt(QPoint(saved.Normal->X + saved.Normal->Width / 2,
                                                  saved.Normal->Y + saved.Normal->Height / 2));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect a = screen->availableGeometry();
        const TRect r = MainWindowRect(saved.Normal, {a.x(), a.y(), a.width(), a.height()},
                                       {width(), height()}, FrameEstimate);
        setGeometry(r.X, r.Y, r.Width, r.Height);
    }
    if (saved.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
    if (!saved.PanelShown) fPanel->hide();
}

void TMainForm::SaveWindowState() {
    TWindowSettings state;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    state.Normal = TRect{normal.x(), normal.y(), normal.width(), normal.height()};
    state.Maximized = isMaximized();
    state.PanelShown = !fPanel->isHidden();
    WriteWindowSettings(fSettingsFile, state);
}

} // namespace dorvek
