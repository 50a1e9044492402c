// Windows torn down while their parts still emit: the widget base destroys the children after
// the derived destructor has run, so no signal of a child may reach the derived part then.
#include "gui/tables/tests/support/EditorFixture.h"

#include "gui/common/CutConnections.h"
#include "gui/tables/TableChartForm.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

#include <vector>

using namespace dorvek;
using namespace dorvek::test;

namespace {

// A child that emits while it is destroyed, as a grid does with its scroll position.
class TLastWords : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~TLastWords() override { emit Said(); }
signals:
    void Said();
};

// What the probe window's slots saw after its own destructor had finished.
struct TLateCalls {
    bool DerivedGone = false;
    int FromChild = 0;
    int FromOther = 0;
    int ToOutsider = 0;
};

class TProbeWindow : public QWidget {
public:
    TProbeWindow(TLateCalls& log, TLastWords& other, QObject& outsider, bool cut)
        : fLog(log), fOther(other), fCut(cut) {
        auto* child = new TLastWords(this);
        connect(child, &TLastWords::Said, this, [&log] {
            if (log.DerivedGone) ++log.FromChild;
        });
        connect(&other, &TLastWords::Said, this, [&log] {
            if (log.DerivedGone) ++log.FromOther;
        });
        // The child's other listeners keep hearing it.
        connect(child, &TLastWords::Said, &outsider, [&log] { ++log.ToOutsider; });
        // The child speaks for the other sender too while it goes.
        connect(child, &TLastWords::Said, &other, &TLastWords::Said);
    }
    ~TProbeWindow() override {
        if (fCut) CutConnectionsTo(*this, {&fOther, nullptr});
        fLog.DerivedGone = true;
    }

private:
    TLateCalls& fLog;
    TLastWords& fOther;
    bool fCut;
};

TLateCalls TearDownProbe(bool cut) {
    TLateCalls log;
    TLastWords other;
    QObject outsider;
    delete new TProbeWindow(log, other, outsider, cut);
    return log;
}

// Asks, while the window is being freed (its derived parts gone), whether one of its parts
// or of the objects that outlive it is still connected to it. A part is asked when it is
// destroyed itself, the others when the grid is.
class TConnectionsAtTeardown {
public:
    TConnectionsAtTeardown(TTableForm& form, const std::vector<QObject*>& parts,
                           std::vector<QObject*> outliving)
        : fForm(&form), fOutliving(std::move(outliving)) {
        QObject::connect(form.Grid(), &QObject::destroyed, &fContext, [this] {
            for (QObject* sender : fOutliving) Ask(sender);
        });
        for (QObject* part : parts)
            QObject::connect(part, &QObject::destroyed, &fContext, [this, part] { Ask(part); });
    }
    int Asked() const { return fAsked; }
    const std::vector<std::string>& StillConnected() const { return fStillConnected; }

private:
    // The sender is down to its QObject part or whole: its connections can still be asked for.
    void Ask(QObject* sender) {
        ++fAsked;
        if (QObject::disconnect(sender, nullptr, fForm, nullptr))
            fStillConnected.push_back(sender->objectName().toStdString());
    }

    QObject* fForm;
    std::vector<QObject*> fOutliving;
    QObject fContext;
    int fAsked = 0;
    std::vector<std::string> fStillConnected;
};

QObject* Named(QObject* object, const char* name) {
    object->setObjectName(name);
    return object;
}

} // namespace

TEST(CutConnections, SlotsOfTheGoneDerivedPartAreNotReached) {
    // Without the cut Qt still delivers: the hazard is real.
    const TLateCalls uncut = TearDownProbe(false);
    EXPECT_EQ(uncut.FromChild, 1);
    EXPECT_EQ(uncut.FromOther, 1);

    const TLateCalls cut = TearDownProbe(true);
    EXPECT_EQ(cut.FromChild, 0);
    EXPECT_EQ(cut.FromOther, 0);
    // Only the connections to the window go.
    EXPECT_EQ(cut.ToOutsider, 1);
}

using WindowTeardown = EditorTest;

TEST_F(WindowTeardown, AChildWindowWithCellControlsIsFreedWithNothingConnectedToIt) {
    QMdiArea area;
    TTableWindowHost host;
    host.Messages = &messages;
    host.AddChildWindow = [&area](QWidget& window) { area.addSubWindow(&window)->show(); };
    TInputTables tables;
    InstallTableEditors(tables.Families(), host);
    TGridTableChart& layers = tables.D2();
    TTableForm& form = Open(layers);
    auto* sub = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    ASSERT_NE(sub, nullptr);
    // An entry typed into the grid, which keeps the focus; a change rebuilds the cell controls.
    Type(form, "1.5");
    Enter(form);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(form.CellControl(0, 0), nullptr);
    TConnectionsAtTeardown probe(form,
                                 {Named(form.Grid(), "grid"), Named(form.AddButton(), "add"),
                                  Named(form.CellControl(0, 0), "list"),
                                  Named(form.CellControl(2, 0), "button")},
                                 {Named(qApp, "application"), Named(sub, "frame")});
    // The table frees its window, as when the project is closed; the controls over the cells
    // are released just before and go with the window.
    layers.Hide();
    EXPECT_EQ(probe.Asked(), 6);
    EXPECT_EQ(probe.StillConnected(), std::vector<std::string>{});
    EXPECT_EQ(layers.Editor(), nullptr);
}

TEST_F(WindowTeardown, AChartEditorWithFileButtonsIsFreedWithNothingConnectedToIt) {
    TInputTables tables;
    Install(tables.Families());
    TGridTableChart& ae = tables.TblAE2();
    auto* form = dynamic_cast<TTableChartForm*>(&Open(ae));
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->FileNameEdit(), nullptr);
    TConnectionsAtTeardown probe(
        *form,
        {Named(form->Grid(), "grid"), Named(form->FileNameEdit(), "file name"),
         Named(form->BrowseButton(), "browse"), Named(form->CopyButton(), "copy")},
        {Named(qApp, "application")});
    form->FileNameEdit()->setFocus();
    form->FileNameEdit()->setText("values.txt");
    // The table frees its window (as when the project is closed).
    ae.Editor()->Close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(probe.Asked(), 5);
    EXPECT_EQ(probe.StillConnected(), std::vector<std::string>{});
    EXPECT_EQ(ae.Editor(), nullptr);
}

// Qt alone owns an editor window: freed by Qt (deferred, or with its parent) it leaves its
// table without an editor and without cell controls, and the table opens a fresh one.
TEST_F(WindowTeardown, AnEditorFreedByQtLeavesTheTableWithoutOneAndShowOpensAFreshOne) {
    TInputTables tables;
    Install(tables.Families());
    TGridTableChart& layers = tables.D2();
    const TColumn& kinds = layers.GetColumn(0); // soil types: a drop-down list per row
    QPointer<TTableForm> alone(&Open(layers));
    ASSERT_EQ(kinds.ControlParent(), alone.data());
    alone->deleteLater();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(alone.isNull());
    EXPECT_FALSE(layers.FormVisible());
    EXPECT_EQ(layers.Editor(), nullptr);
    EXPECT_EQ(kinds.ControlParent(), nullptr);
    EXPECT_EQ(kinds.GetControlsAllocated(), 0);

    // In a child-window frame of an area that goes.
    auto area = std::make_unique<QMdiArea>();
    TTableWindowHost host;
    host.Messages = &messages;
    host.AddChildWindow = [&area](QWidget& window) { area->addSubWindow(&window)->show(); };
    InstallTableEditors(tables.Families(), host);
    QPointer<TTableForm> framed(&Open(layers));
    ASSERT_NE(framed->parentWidget(), nullptr);
    EXPECT_EQ(kinds.ControlParent(), framed.data());
    area.reset();
    EXPECT_TRUE(framed.isNull());
    EXPECT_EQ(layers.Editor(), nullptr);
    EXPECT_EQ(kinds.ControlParent(), nullptr);

    area = std::make_unique<QMdiArea>();
    QPointer<TTableForm> fresh(&Open(layers));
    EXPECT_EQ(layers.Editor(), fresh.data());
    EXPECT_EQ(kinds.ControlParent(), fresh.data());
    ASSERT_EQ(area->subWindowList().size(), 1);
    // Hidden by its table: the window goes at once, its frame when the events are handled.
    QPointer<QMdiSubWindow> frame(area->subWindowList().front());
    layers.Hide();
    EXPECT_TRUE(fresh.isNull());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

// The tables go first: their windows and frames go with them.
TEST_F(WindowTeardown, TablesDestroyedFirstFreeTheirWindows) {
    QMdiArea area;
    TTableWindowHost host;
    host.Messages = &messages;
    host.AddChildWindow = [&area](QWidget& window) { area.addSubWindow(&window)->show(); };
    auto tables = std::make_unique<TInputTables>();
    InstallTableEditors(tables->Families(), host);
    QPointer<TTableForm> layers(&Open(tables->D2()));
    QPointer<TTableForm> clay(&Open(*tables->D2().GetDataValue(2, 0)));
    ASSERT_EQ(area.subWindowList().size(), 2);
    tables.reset();
    EXPECT_TRUE(layers.isNull());
    EXPECT_TRUE(clay.isNull());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

#include "WindowTeardownTest.moc"
