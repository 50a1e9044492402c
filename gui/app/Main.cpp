#include "gui/app/Main.h"

#include "gui/app/About.h"
#include "gui/app/MeasuredDialog.h"
#include "gui/app/Options.h"
#include "gui/app/ProjectPanel.h"
#include "gui/app/Title.h"
#include "gui/app/compmeth.h"
#include "gui/common/QtMessages.h"
#include "gui/tables/TableUndo.h"
#include "gui/tables/TableWindows.h"
#include "model/plots/PlotProject.h"
#include "model/workspace/FileNames.h"
#ifdef DORVEK_HAVE_EXPORT_DIALOG
#include "gui/plots/ExportDlg.h"
#endif
#ifdef DORVEK_HAVE_CALIBRATION
#include "gui/app/CalibrateDialog.h"
#endif
#include "gui/app/pilemat.h"
#include "gui/tables/TableForm.h"
#include "model/workspace/WindowPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <exception>
#include <filesystem>

namespace dorvek {

namespace {

constexpr int MaxWindowListItems = 50;
constexpr const char* UpdatePage = "https://www.ostrel.com/updates/";

// A toolbar picture drawn for this program (resource :/icons/NAME.svg).
QIcon DrawnIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TMainForm::TMainForm(TMainEnvironment environment, TMessages* messages,
                     std::unique_ptr<TProjectWorkspace> project, QWidget* parent)
    : QMainWindow(parent), fProgramFolder(environment.ProgramFolder),
      fOpenDocument(environment.OpenDocument), fSettingsFile(environment.SettingsFile) {
    if (fProgramFolder.empty())
        fProgramFolder = QCoreApplication::applicationDirPath().toStdString();
    if (!fOpenDocument)
#if defined(_WIN32) || defined(__APPLE__)
        fOpenDocument = [](const std::string& path) {
            return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
        };
#else
        // The desktop's opener is watched: when no program takes the file, the user is told
        // where it is (by the controller, so nothing more to say here).
        fOpenDocument = [this](const std::string& path) {
            fController->OpenDocument(path);
            return true;
        };
#endif
    if (!messages) {
        fOwnMessages = std::make_unique<TQtMessages>(this);
        messages = fOwnMessages.get();
    }
    fMessages = messages;
    if (!project) project = std::make_unique<TProjectWorkspace>();
    TMainView& view = *this;
    fController = std::make_unique<TMainController>(*fMessages, view, std::move(project),
                                                    std::move(environment));

    fMdi = new QMdiArea(this);
    fMdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fMdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(fMdi);
    setAcceptDrops(true);
    fPlacer = new TChildPlacer(*fMdi);
    fUndo = new TTableUndo(this);

    BuildMenus();
    BuildToolBar();
    BuildWorkflow();

    // The input tables open their editors as child windows of this frame.
    TTableWindowHost host;
    host.Messages = fMessages;
    host.AddChildWindow = [this](QWidget& window) { AddChildWindow(window); };
    host.TextEditor = [] { return DefaultTextEditor(); };
    host.Undo = fUndo;
    host.Placed = [this](QWidget& frame, bool opening) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(&frame))
            opening ? fPlacer->Open(*sub, sub->size()) : fPlacer->KeepInside(*sub);
    };
    InstallTableEditors(fController->Project().Tables().Families(), host);
    InstallPlotWindows(nullptr);

    // Edits of the soil layers reach an open soil-profile view.
    TGridTable& layers = fController->Project().Tables().D2();
    layers.Events.OnCellChange = [this](TGridTable&, int, int) { RefreshSideView(); };
    layers.Events.OnMajorChange = [this](TGridTable&) { RefreshSideView(); };

    // Wide enough for every toolbar button, and never narrower than 1.25 times its height.
    // The project panel beside the editors; the screen may make it smaller.
    resize(std::max(1200, fToolBar->sizeHint().width() + 16), 900);
    if (width() < height() * 5 / 4) resize(height() * 5 / 4, height());
    RestoreWindowState();
    setWindowTitle(QString::fromStdString(fController->Caption()));
}

TMainForm::~TMainForm() {
    // No table opens another editor; the open ones go with their tables, the dialogs with
    // their frames, all while the project they show still exists.
    TInputTables& tables = fController->Project().Tables();
    RemoveTableEditors(tables.Families());
    tables.D2().Events.OnCellChange = nullptr;
    tables.D2().Events.OnMajorChange = nullptr;
    for (int i = 0; i < tables.Count(); ++i) tables.Table(i).Hide();
    qDeleteAll(fMdi->subWindowList());
    delete fPanel; // it reads the project
    fController.reset();
    delete fPlacer;
}

void TMainForm::InstallPlotWindows(TPlotDialogs* dialogs) {
    TPlotWindowHost plots;
    plots.Messages = fMessages;
    plots.AddChildWindow = [this](QWidget& window) { AddPlotWindow(window); };
    plots.Dialogs = dialogs;
    dorvek::InstallPlotWindows(fController->Project().Graphs(), plots);
}

void TMainForm::SetPlotDialogs(TPlotDialogs* dialogs) {
    InstallPlotWindows(dialogs);
}

TGraphPlot* TMainForm::GraphOf(TCommand command) {
    using C = TCommand;
    TResultGraphs& g = fController->Project().Graphs();
    switch (command) {
    case C::PlotLoad:
        return &g.pltLoad;
    case C::PlotDisp:
        return &g.pltDisp;
    case C::PlotDispDown:
        return &g.pltDispDown;
    case C::PlotAxial:
        return &g.pltAxial;
    case C::PlotTz:
        return &g.pltTZcurves;
    case C::PlotQw:
        return &g.PltQW;
    case C::PlotLoadLoads:
        return &g.pltLoadLoads;
    case C::PlotDispLoads:
        return &g.pltDispLoads;
    case C::PlotAxialLoads:
        return &g.pltAxialLoads;
    default:
        return nullptr;
    }
}

void TMainForm::Startup(const std::vector<std::string>& arguments) {
    fController->Startup(arguments);
}

QAction* TMainForm::MenuAction(TCommand command) const {
    const auto it = fMenuActions.find(command);
    return it == fMenuActions.end() ? nullptr : it->second;
}

QAction* TMainForm::ToolAction(TCommand command) const {
    const auto it = fToolActions.find(command);
    return it == fToolActions.end() ? nullptr : it->second;
}

QMenu* TMainForm::AddTopMenu(const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    fTopMenus.push_back(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { BeforeMenu(menu); });
    return menu;
}

QAction* TMainForm::AddItem(QMenu* menu, TCommand command, const QString& caption,
                            const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
    fMenuActions[command] = action;
    return action;
}

QAction* TMainForm::AddOption(QMenu* menu, QActionGroup* group, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    if (group) group->addAction(action);
    return action;
}

void TMainForm::BuildMenus() {
    using C = TCommand;
    QMenu* file = AddTopMenu(QStringLiteral("&File"));
    AddItem(file, C::FileNew, QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    AddItem(file, C::FileOpen, QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    AddItem(file, C::FileSave, QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    AddItem(file, C::FileSaveAs, QStringLiteral("Save &As..."));
    file->addSeparator();
    for (int k = 1; k <= TRecentFiles::Capacity; ++k) {
        QAction* recent = file->addAction(QString());
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, k] {
            try {
                fController->OpenRecent(k);
            } catch (const std::exception& e) {
                fMessages->Information(e.what());
            }
        });
        fRecentActions.push_back(recent);
    }
    fRecentSeparator = file->addSeparator();
    fRecentSeparator->setVisible(false);
    AddItem(file, C::FileExit, QStringLiteral("E&xit"));

    QMenu* data = AddTopMenu(QStringLiteral("Da&ta"));
    AddItem(data, C::DataTitle, QStringLiteral("&Title"));
    AddItem(data, C::DataPileProperties, QStringLiteral("&Pile Properties"));
    AddItem(data, C::DataSoilLayers, QStringLiteral("Soil &Layers"));
    AddItem(data, C::DataTzCurves, QStringLiteral("Enter t-&z Curves"));
    AddItem(data, C::DataQwCurve, QStringLiteral("Enter Q-&w Curve"));
    AddItem(data, C::DataTipMovements, QStringLiteral("Enter Tip &Movements"));
    AddItem(data, C::DataPileHeadLoads, QStringLiteral("Enter Loads at Pile &Head"));
    AddItem(data, C::DataSettlement, QStringLiteral("Enter Soil-&Settlement Data (for Downdrag)"));
    AddItem(data, C::DataTzFactors, QStringLiteral("Enter Modification Factors on t-z Curves"));
    AddItem(data, C::DataQwFactors, QStringLiteral("Enter Modification Factors on Q-w Curve"));
    data->addSeparator();
    AddItem(data, C::DataMeasuredCurves, QStringLiteral("&Measured Load-Settlement Curves..."));

    QMenu* options = AddTopMenu(QStringLiteral("&Options"));
    QMenu* units = options->addMenu(QStringLiteral("&Units"));
    auto* unitGroup = new QActionGroup(this);
    fEnglish = AddOption(units, unitGroup, QStringLiteral("&English Units (lb, in)"));
    fSI = AddOption(units, unitGroup, QStringLiteral("&S.I. Units (kN, m)"));
    connect(fEnglish, &QAction::triggered, this, [this] { SetUnits(1); });
    connect(fSI, &QAction::triggered, this, [this] { SetUnits(2); });

    QMenu* tz = options->addMenu(QStringLiteral("t-z &Curves"));
    auto* tzGroup = new QActionGroup(this);
    fTzGenerated = AddOption(tz, tzGroup, QStringLiteral("Generated by the program"));
    fTzUser = AddOption(tz, tzGroup, QStringLiteral("Entered by the user"));
    connect(fTzGenerated, &QAction::triggered, this, [this] { fController->SetUserTz(false); });
    connect(fTzUser, &QAction::triggered, this, [this] { fController->SetUserTz(true); });

    QMenu* qw = options->addMenu(QStringLiteral("&Q-w Curve"));
    auto* qwGroup = new QActionGroup(this);
    fQwGenerated = AddOption(qw, qwGroup, QStringLiteral("Generated by the program"));
    fQwUser = AddOption(qw, qwGroup, QStringLiteral("Entered by the user"));
    connect(fQwGenerated, &QAction::triggered, this, [this] { fController->SetUserQw(false); });
    connect(fQwUser, &QAction::triggered, this, [this] { fController->SetUserQw(true); });

    QMenu* load = options->addMenu(QStringLiteral("Load Method"));
    auto* loadGroup = new QActionGroup(this);
    const QString loadCaptions[3] = {QStringLiteral("Internal Generation of Tip Movements"),
                                     QStringLiteral("User-Specified &Tip Movements"),
                                     QStringLiteral("User-Specified &Loads at Pile Head")};
    for (int m = 0; m < 3; ++m) {
        fLoadMethod[m] = AddOption(load, loadGroup, loadCaptions[m]);
        connect(fLoadMethod[m], &QAction::triggered, this,
                [this, m] { fController->SetLoadMethod(m); });
    }

    fDowndrag =
        AddOption(options, nullptr, QStringLiteral("Include &Down-Drag (negative Skin Friction)"));
    fModTZ =
        AddOption(options, nullptr, QStringLiteral("Apply Modification Factors on t-z Curves"));
    fModQw = AddOption(options, nullptr, QStringLiteral("Apply Modification Factors on Q-w Curve"));
    connect(fDowndrag, &QAction::triggered, this, [this] { fController->ToggleDowndrag(); });
    connect(fModTZ, &QAction::triggered, this, [this] { fController->ToggleModTZ(); });
    connect(fModQw, &QAction::triggered, this, [this] { fController->ToggleModQw(); });
    options->addSeparator();
    AddItem(options, C::OptionsTextEditor, QStringLiteral("Selection of Text &Editor ..."));
    fReportAfterRun =
        AddOption(options, nullptr, QStringLiteral("Show the Report after Each &Run"));
    connect(fReportAfterRun, &QAction::triggered, this,
            [this](bool on) { fController->SetShowReportAfterRun(on); });
    for (QMenu* sub : {units, tz, qw, load})
        connect(sub, &QMenu::aboutToShow, this, [this] { UpdateOptionsMenu(); });

    QMenu* comp = AddTopMenu(QStringLiteral("&Computation"));
    AddItem(comp, C::RunAnalysis, QStringLiteral("&Run Analysis"));
    comp->addSeparator();
    AddItem(comp, C::EditInputText, QStringLiteral("Edit &Input Text"));
    AddItem(comp, C::EditRunNotes, QStringLiteral("Edit &Processor-Run Notes"));
    AddItem(comp, C::EditOutputText, QStringLiteral("Edit &Output Text"));
    AddItem(comp, C::ViewReport, QStringLiteral("View R&eport"),
            QKeySequence(Qt::CTRL | Qt::Key_R));
    comp->addSeparator();
    AddItem(comp, C::ViewSoilProfile, QStringLiteral("&View Soil Layer Coordinates"));
    comp->addSeparator();
    AddItem(comp, C::ViewCapacities, QStringLiteral("Load Test &Capacities"));
    AddItem(comp, C::CalibrateMeasured, QStringLiteral("Ca&librate to Measured Curve..."));

    QMenu* graphics = AddTopMenu(QStringLiteral("&Graphics"));
    AddItem(graphics, C::PlotLoad, QStringLiteral("Load &Distribution"));
    AddItem(graphics, C::PlotDisp, QStringLiteral("Displacement Distribution"));
    AddItem(graphics, C::PlotDispDown, QStringLiteral("Displ. Distribution/Soil Settlement"));
    AddItem(graphics, C::PlotAxial, QStringLiteral("&Axial Load vs Settlement"));
    AddItem(graphics, C::PlotTz, QStringLiteral("t-&z Curves (side friction)"));
    AddItem(graphics, C::PlotQw, QStringLiteral("Q-&w Curve (tip resistance)"));
    graphics->addSeparator();
    AddItem(graphics, C::PlotLoadLoads, QStringLiteral("Load Distribution (Applied Loads)"));
    AddItem(graphics, C::PlotDispLoads,
            QStringLiteral("Displacement Distribution (Applied Loads)"));
    AddItem(graphics, C::PlotAxialLoads,
            QStringLiteral("Axial Load vs Settlement (Applied Loads)"));
    graphics->addSeparator();
    AddItem(graphics, C::ExportPlots, QStringLiteral("Export Plots to Excel"));

    fWindowMenu = AddTopMenu(QStringLiteral("&Window"));
    AddItem(fWindowMenu, C::WindowCascade, QStringLiteral("&Cascade"));
    AddItem(fWindowMenu, C::WindowTile, QStringLiteral("&Tile"));
    AddItem(fWindowMenu, C::WindowArrangeIcons, QStringLiteral("&Arrange Icons"));

    QMenu* help = AddTopMenu(QStringLiteral("&Help"));
    AddItem(help, C::HelpUsersManual, QStringLiteral("User's Manual"));
    AddItem(help, C::HelpTechnicalManual, QStringLiteral("Technical Manual"));
    help->addSeparator();
    AddItem(help, C::HelpAbout, QStringLiteral("&About..."));
    AddItem(help, C::HelpCheckUpdates, QStringLiteral("Check for Updates"));
}

void TMainForm::BuildToolBar() {
    using C = TCommand;
    fToolBar = addToolBar(QStringLiteral("Toolbar"));
    fToolBar->setObjectName(QStringLiteral("MainToolBar"));
    fToolBar->setIconSize(QSize(24, 24));
    fToolBar->setMovable(false);
    QStyle* s = style();
    struct Button {
        C command;
        const char* label;
        QIcon icon;
    };
    const std::vector<std::vector<Button>> groups = {
        {{C::FileNew, "New File", s->standardIcon(QStyle::SP_FileIcon)},
         {C::FileOpen, "Open File", s->standardIcon(QStyle::SP_DialogOpenButton)},
         {C::FileSave, "Save File", s->standardIcon(QStyle::SP_DialogSaveButton)}},
        {{C::DataTitle, "Title", DrawnIcon("title")},
         {C::DataPileProperties, "Pile Properties", DrawnIcon("pile")},
         {C::DataSoilLayers, "Soil-Layer Data", DrawnIcon("soil")},
         {C::DataTzCurves, "Enter t-z curves", DrawnIcon("tzdata")},
         {C::DataQwCurve, "Enter Q-w curves", DrawnIcon("qwdata")},
         {C::DataTipMovements, "Enter Tip Movements", DrawnIcon("tipmove")},
         {C::DataPileHeadLoads, "Enter Loads at Pile Head", DrawnIcon("headload")},
         {C::DataSettlement, "Enter Soil-Settlement Data (Downdrag)", DrawnIcon("settlement")},
         {C::DataTzFactors, "Enter factors for t-z curves", DrawnIcon("tzfactors")},
         {C::DataQwFactors, "Enter factors for Q-w curve", DrawnIcon("qwfactors")}},
        {{C::RunAnalysis, "Run Analysis", DrawnIcon("run")},
         {C::EditOutputText, "Edit Output Text", DrawnIcon("report")},
         {C::ViewReport, "View Report", DrawnIcon("viewreport")},
         {C::ViewSoilProfile, "View Soil Profile", DrawnIcon("profile")}},
        {{C::PlotLoad, "View Load Distribution Plot", DrawnIcon("plotload")},
         {C::PlotDisp, "View Displacement Distribution Plot", DrawnIcon("plotdisp")},
         {C::PlotDispDown, "View Displac. Plot/Soil Settlement", DrawnIcon("plotdispsoil")},
         {C::PlotAxial, "View Load vs Settlement", DrawnIcon("plotaxial")},
         {C::PlotTz, "View t-z Curves", DrawnIcon("plottz")},
         {C::PlotQw, "View Q-w Curve", DrawnIcon("plotqw")}},
        {{C::PlotLoadLoads, "View Load Distribution Plot (Applied Loads)",
          DrawnIcon("plotloadapplied")},
         {C::PlotDispLoads, "View Displacement Distribution Plot (Applied Loads)",
          DrawnIcon("plotdispapplied")},
         {C::PlotAxialLoads, "View Load vs Settlement (Applied Loads)",
          DrawnIcon("plotaxialapplied")}},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first) fToolBar->addSeparator();
        first = false;
        for (const auto& b : group) {
            QAction* action = fToolBar->addAction(b.icon, QString::fromLatin1(b.label));
            action->setToolTip(QString::fromLatin1(b.label));
            const C command = b.command;
            connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
            fToolActions[command] = action;
        }
    }
}

void TMainForm::BeforeMenu(QMenu* menu) {
    // Pending edits of a dialog must reach the project before any command reads it.
    CommitActiveChild();
    UpdateMenuStates();
    if (menu == fTopMenus.front()) UpdateFileMenu();
    if (menu == fWindowMenu) UpdateWindowMenu();
    UpdateOptionsMenu();
}

void TMainForm::UpdateMenuStates() {
    const TProgramData& data = fController->Project().Data();
    const TCommandContext ctx = MakeCommandContext(data, fController->Project().ShowOutput);
    for (const auto& [command, action] : fMenuActions) {
        action->setEnabled(MenuItemEnabled(command, data, ctx));
        action->setVisible(MenuItemVisible(command, data));
    }
}

void TMainForm::UpdateFileMenu() {
    const TRecentFiles& recent = fController->RecentFiles();
    const int count = recent.NumberPrevFile();
    const std::string current = QDir::currentPath().toStdString();
    for (int k = 1; k <= TRecentFiles::Capacity; ++k) {
        QAction* action = fRecentActions[static_cast<size_t>(k - 1)];
        action->setVisible(k <= count);
        if (k <= count)
            action->setText(Escaped(QString::fromStdString(recent.MenuText(k, current))));
    }
    fRecentSeparator->setVisible(count > 0);
}

void TMainForm::UpdateOptionsMenu() {
    const TProgramData& d = fController->Project().Data();
    fEnglish->setChecked(d.fUnits == 1);
    fSI->setChecked(d.fUnits == 2);
    fTzGenerated->setChecked(!d.UserTz);
    fTzUser->setChecked(d.UserTz);
    fQwGenerated->setChecked(!d.UserQw);
    fQwUser->setChecked(d.UserQw);
    for (int m = 0; m < 3; ++m) fLoadMethod[m]->setChecked(d.Nloadmethod == m);
    fDowndrag->setChecked(d.downdrag == 1);
    fModTZ->setChecked(d.ModTZ == 1);
    fModQw->setChecked(d.ModQw == 1);
    fReportAfterRun->setChecked(fController->ShowReportAfterRun());
}

void TMainForm::UpdateWindowMenu() {
    for (QAction* a : fWindowListActions) {
        fWindowMenu->removeAction(a);
        a->deleteLater();
    }
    fWindowListActions.clear();
    const auto windows = fMdi->subWindowList();
    if (windows.isEmpty()) return;
    fWindowListActions.push_back(fWindowMenu->addSeparator());
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        if (++n > MaxWindowListItems) break;
        QAction* a = fWindowMenu->addAction(Escaped(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == fMdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] {
            if (fMdi->subWindowList().contains(w)) {
                if (w->isMinimized()) w->showNormal();
                fMdi->setActiveSubWindow(w);
            }
        });
        fWindowListActions.push_back(a);
    }
}

void TMainForm::UpdateToolbar() {
    const TProgramData& data = fController->Project().Data();
    const TCommandContext ctx = MakeCommandContext(data, fController->Project().ShowOutput);
    for (const auto& [command, action] : fToolActions)
        action->setEnabled(ToolButtonEnabled(command, data, ctx));
}

void TMainForm::Execute(TCommand command) {
    using C = TCommand;
    // A toolbar button takes no focus, so the active child's edits are stored here as well.
    CommitActiveChild();
    try {
        switch (command) {
        case C::FileNew:
            fController->New();
            break;
        case C::FileOpen:
            fController->Open();
            break;
        case C::FileSave:
            fController->Save();
            break;
        case C::FileSaveAs:
            fController->SaveAs();
            break;
        case C::FileExit:
            close();
            break;
        case C::RunAnalysis:
            fController->RunAnalysis();
            RefreshCapacities();
            break;
        case C::DataMeasuredCurves:
            ShowMeasuredDialog();
            break;
        case C::CalibrateMeasured:
            ShowCalibrateDialog();
            break;
        case C::ViewCapacities:
            fController->ViewCapacities();
            break;
        case C::EditInputText:
            fController->EditInputText();
            break;
        case C::EditRunNotes:
            fController->EditRunNotes();
            break;
        case C::EditOutputText:
            fController->EditOutputText();
            break;
        case C::ViewReport:
            fController->ViewReport();
            break;
        case C::WindowCascade:
            // Each window keeps the size that shows it, inside the frame.
            fPlacer->Cascade(fMdi->subWindowList(QMdiArea::StackingOrder));
            break;
        case C::WindowTile:
            fMdi->tileSubWindows();
            // A window that cannot shrink to its tile is still seen whole where it can be.
            for (QMdiSubWindow* sub : fMdi->subWindowList()) fPlacer->KeepInside(*sub);
            break;
        case C::WindowArrangeIcons:
            ArrangeIcons();
            break;
        case C::HelpUsersManual:
            OpenHelpFile(QStringLiteral("DORVEK2021UsersManual.pdf"));
            break;
        case C::HelpTechnicalManual:
            // The technical manual is a PDF here, like the user's manual.
            OpenHelpFile(QStringLiteral("DORVEK2021TechnicalManual.pdf"));
            break;
        case C::HelpAbout: {
            TAboutBox about(this);
            about.exec();
            break;
        }
        case C::HelpCheckUpdates:
            QDesktopServices::openUrl(QUrl(QString::fromLatin1(UpdatePage) +
                                           QStringLiteral("?product=DORVEK&version=") +
                                           QString::fromLatin1(ProgramVersion)));
            break;
        default:
            ShowChildWindow(command);
            break;
        }
    } catch (const std::exception& e) {
        fMessages->Information(e.what());
    }
}

// The one place where the windows of the input tables, the data dialogs, the plot windows,
// the soil-profile view and the export dialog are opened. Each is created on first use and
// afterwards only brought to the front.
void TMainForm::ShowChildWindow(TCommand command) {
    using C = TCommand;
    TInputTables& tables = fController->Project().Tables();
    TDialogContext context;
    context.Messages = fMessages;
    context.Project = [this]() -> TProgramData& { return fController->Project().Data(); };
    context.MarkChanged = [this] {
        fController->Project().SetChanged();
        RefreshSideView(); // the pile properties may have changed
    };
    switch (command) {
    case C::DataTitle:
        ShowDialog(fTitleDialog, [&] { return new TdlgTitle(context); });
        break;
    case C::DataPileProperties:
        ShowDialog(fPileDialog, [&] {
            return new TfrmMaterial(context,
                                    [this] { fController->Project().Tables().TblAE2().Show(); });
        });
        break;
    case C::DataQwFactors:
        ShowDialog(fQwDialog, [&] { return new TfrmQwFactors(context); });
        break;
    case C::OptionsTextEditor:
        ShowDialog(fOptionsDialog, [&] {
            return new TDlgOptions(
                context, [this] { return fController->WordProcessor(); },
                [this](const std::string& program) { fController->SetWordProcessor(program); });
        });
        break;
    case C::DataSoilLayers:
        tables.D2().Show();
        break;
    case C::DataTzCurves:
        tables.TblTZDepth2().Show();
        break;
    case C::DataQwCurve:
        tables.TblQwcurve2().Show();
        break;
    case C::DataTipMovements:
        tables.TblTipMove().Show();
        break;
    case C::DataPileHeadLoads:
        tables.TblTopload().Show();
        break;
    case C::DataSettlement:
        tables.TblSettlement2().Show();
        break;
    case C::DataTzFactors:
        tables.TblTZFactors2().Show();
        break;
    case C::ViewSoilProfile:
        if (!fSideView) {
            TSideViewContext side;
            side.Messages = fMessages;
            side.Input = [this] {
                return PileSideInputFrom(fController->Project().Data(),
                                         fController->Project().Tables());
            };
            side.PictureName = [this] {
                return QFileInfo(QString::fromStdString(fController->Project().Data().FileName))
                           .completeBaseName()
                           .toStdString() +
                       "-profile.png";
            };
            fSideView = new TDlgSideView(std::move(side));
            connect(fSideView.data(), &TDlgSideView::Closed, this, [this] { fSideView = nullptr; });
            AddChildWindow(*fSideView);
            // Large enough to read the profile: two thirds of the frame's height.
            if (auto* sub = qobject_cast<QMdiSubWindow*>(fSideView->parentWidget())) {
                const QSize area = fPlacer->Area();
                const TSize view =
                    ElevationViewSize({area.width(), area.height()}, fSideView->ButtonsWidth());
                fPlacer->Open(*sub,
                              QSize(view.Width, view.Height) + sub->size() - fSideView->size());
            }
        }
        BringToFront(*fSideView);
        break;
    case C::PlotLoad:
    case C::PlotDisp:
    case C::PlotDispDown:
    case C::PlotAxial:
    case C::PlotTz:
    case C::PlotQw:
    case C::PlotLoadLoads:
    case C::PlotDispLoads:
    case C::PlotAxialLoads:
        // Created on first use, afterwards brought to the front.
        if (TGraphPlot* plot = GraphOf(command)) plot->Show();
        break;
    case C::ExportPlots: // modal export dialog
        ShowExportDialog();
        break;
    default:
        break;
    }
}

void TMainForm::ShowExportDialog() {
#ifdef DORVEK_HAVE_EXPORT_DIALOG
    using C = TCommand;
    TProjectWorkspace& project = fController->Project();
    const TCommandContext ctx = MakeCommandContext(project.Data(), project.ShowOutput);
    const std::vector<TGraphPlot*> graphs = project.Graphs().ExportGraphs();
    const C commands[] = {C::PlotLoad,  C::PlotDisp, C::PlotDispDown,
                          C::PlotAxial, C::PlotTz,   C::PlotQw};
    std::vector<TExportEntry> entries;
    for (size_t i = 0; i < graphs.size(); ++i)
        entries.push_back({graphs[i], MenuItemEnabled(commands[i], project.Data(), ctx)});
    std::string name = project.Data().FileName;
    if (!name.empty()) name = std::filesystem::path(name).replace_extension(".xlsx").string();
    TDlgExport dialog(
        std::move(entries), &project.Graphs().Summary, *fMessages, name,
        [this](const std::string& file) { fOpenDocument(file); }, this);
    dialog.exec();
#else
    fMessages->Information("This program was built without the spreadsheet export.");
#endif
}

template <class Dialog, typename Make>
void TMainForm::ShowDialog(QPointer<Dialog>& presence, Make make) {
    if (!presence) {
        presence = make();
        // The flag is cleared when the dialog closes, before Qt frees it.
        connect(presence.data(), &TDataDialog::Closed, this, [&presence] { presence = nullptr; });
        AddChildWindow(*presence);
    }
    BringToFront(*presence);
}

void TMainForm::BringToFront(QWidget& window) {
    QWidget* frame = window.parentWidget() ? window.parentWidget() : &window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) {
        if (sub->isMinimized()) sub->showNormal();
        fMdi->setActiveSubWindow(sub);
    }
    frame->raise();
}

void TMainForm::AddChildWindow(QWidget& window) {
    QMdiSubWindow* sub = fMdi->addSubWindow(&window);
    // Child windows have a system menu and a minimise box but no maximise box.
    sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->show();
    // Dialogs open at the size of their content; editors place themselves once laid out.
    if (!qobject_cast<TTableForm*>(&window) && !qobject_cast<TDlgSideView*>(&window))
        fPlacer->Open(*sub, sub->sizeHint());
}

void TMainForm::AddPlotWindow(QWidget& window) {
    QMdiSubWindow* sub = fMdi->addSubWindow(&window);
    sub->setWindowIcon(windowIcon());
    // The size it is restored to from maximised.
    const QSize area = fPlacer->Area();
    const TSize restored = RestoredPlotSize({area.width(), area.height()});
    fPlacer->Open(*sub, QSize(restored.Width, restored.Height),
                  QSize(PlotMinimumSize.Width, PlotMinimumSize.Height));
    sub->showMaximized();
}

void TMainForm::SetUnits(int system) {
    fController->SetUnits(system);
    // An open pile-properties dialog shows the converted values with their new units.
    if (fPileDialog) fPileDialog->FormActivate();
    RefreshSideView();
}

void TMainForm::RefreshSideView() {
    if (fSideView) fSideView->FormActivate();
}

void TMainForm::RefreshCapacities() {
    TProjectWorkspace& project = fController->Project();
    if (fReportWindow)
        fReportWindow->SetCapacities(project.ShowOutput ? project.CapacityText() : std::string());
}

void TMainForm::ShowMeasuredDialog() {
    TProjectWorkspace& project = fController->Project();
    TDlgMeasured dialog(project.Measured(), project.Data().fUnits, *fMessages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // The axial graphs' windows are built afresh over their new lines.
    TResultGraphs& graphs = project.Graphs();
    std::vector<TGraphPlot*> reopen;
    for (TGraphPlot* plot : {&graphs.pltAxial, &graphs.pltAxialLoads}) {
        if (!plot->FormExists()) continue;
        plot->Hide();
        reopen.push_back(plot);
    }
    project.SetMeasured(dialog.Curves());
    for (TGraphPlot* plot : reopen) plot->Show();
    RefreshCapacities();
    ProjectChanged();
}

void TMainForm::ShowCalibrateDialog() {
#ifdef DORVEK_HAVE_CALIBRATION
    TProjectWorkspace& project = fController->Project();
    if (project.Measured().empty()) {
        fMessages->Information("The project has no measured load-settlement curves. Enter them "
                               "first with Data > Measured Load-Settlement Curves.");
        return;
    }
    // The calibrated project is written beside the saved one: it is saved first, as for a run.
    if (project.Changed() || NeedsSaveAs(project.Data().FileName)) {
        fController->Save();
        if (project.Changed() || NeedsSaveAs(project.Data().FileName)) return; // not saved
    }
    TCalibrateContext context;
    context.Messages = fMessages;
    context.Data = &project.Data();
    context.Tables = &project.ProjectTables();
    context.Measured = project.Measured();
    std::string open;
    {
        std::unique_ptr<TDlgCalibrate> dialog;
        try {
            dialog = std::make_unique<TDlgCalibrate>(std::move(context), this);
        } catch (const std::exception& e) {
            fMessages->Information(e.what());
            return;
        }
        dialog->exec();
        open = dialog->ProjectToOpen();
    }
    if (!open.empty() && fController->SavePrompt()) fController->OpenFileName(open, 1);
#else
    fMessages->Information("This program was built without the calibration (NLopt was missing).");
#endif
}

void TMainForm::ArrangeIcons() {
    // Minimised windows are lined up along the bottom of the frame.
    int x = 0;
    for (QMdiSubWindow* w : fMdi->subWindowList()) {
        if (!w->isMinimized()) continue;
        const QSize size = w->size();
        if (x + size.width() > fMdi->viewport()->width() && x > 0) x = 0;
        w->move(x, fMdi->viewport()->height() - size.height());
        x += size.width();
    }
}

void TMainForm::OpenHelpFile(const QString& fileName) {
    const QString path = QDir(QString::fromStdString(fProgramFolder)).filePath(fileName);
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (!QFileInfo(path).isFile())
        fMessages->Information("The file " + shown + " could not be opened.");
    else if (!fOpenDocument(path.toStdString()))
        fMessages->Information(TMainController::DocumentNotOpened(shown));
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (fController->CanClose()) {
        SaveWindowState();
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        try {
            fController->OpenDropped(url.toLocalFile().toStdString());
        } catch (const std::exception& e) {
            fMessages->Information(e.what());
        }
        break;
    }
}

void TMainForm::CommitActiveChild() {
    if (QMdiSubWindow* active = fMdi->activeSubWindow())
        if (auto* child = dynamic_cast<TChildWindow*>(active->widget())) child->CommitEdits();
}

void TMainForm::CloseChildWindows() {
    fMdi->closeAllSubWindows();
}

void TMainForm::ProjectChanged() {
    setWindowTitle(QString::fromStdString(fController->Caption()));
    UpdateToolbar();
    UpdateStatusLine();
    if (fPanel) fPanel->RefreshSoon();
}

void TMainForm::ShowReport(const TReportPlace& place) {
    const bool opening = !fReportWindow;
    ShowReportWindow(*fMdi, fReportWindow, fMessages, place);
    if (opening && fReportWindow)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(fReportWindow->parentWidget()))
            fPlacer->Open(*sub, sub->size());
}

void TMainForm::SetBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace dorvek
