// Windows torn down while their parts still emit: the widget base destroys the children after
// the derived destructor has run, so no signal of a child may reach the derived part then.
#include "EditorFixture.h"

#include "CutConnections.h"
#include "InputTables.h"
#include "TableChart.h"
#include "TableChartForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
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

// True when, at the moment the window's grid is destroyed (the derived parts of the window
// are gone by then, the other parts still there), one of the senders is still connected to
// the window.
class TConnectionsAtTeardown {
public:
    TConnectionsAtTeardown(TTableForm& form, std::vector<QObject*> senders)
        : fForm(&form), fSenders(std::move(senders)) {
        QObject::connect(form.Grid(), &QObject::destroyed, &fContext, [this](QObject* grid) {
            fChecked = true;
            // The grid is down to its QObject part: its connections can still be asked for.
            if (QObject::disconnect(grid, nullptr, fForm, nullptr))
                fStillConnected.push_back("grid");
            for (QObject* sender : fSenders)
                if (QObject::disconnect(sender, nullptr, fForm, nullptr))
                    fStillConnected.push_back(sender->objectName().toStdString());
        });
    }
    bool Checked() const { return fChecked; }
    const std::vector<std::string>& StillConnected() const { return fStillConnected; }

private:
    QObject* fForm;
    std::vector<QObject*> fSenders;
    QObject fContext;
    bool fChecked = false;
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
    InstallTableEditors(host);
    TInputTables tables;
    TGridTableChart& layers = tables.D2();
    TTableForm& form = Open(layers);
    auto* sub = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    ASSERT_NE(sub, nullptr);
    ASSERT_NE(form.CellControl(0, 0), nullptr);
    TConnectionsAtTeardown probe(
        form, {Named(qApp, "application"), Named(sub, "frame"), Named(form.AddButton(), "add"),
               Named(form.CellControl(0, 0), "list"), Named(form.CellControl(2, 0), "button")});
    // A half-typed entry in the grid, which has the focus; the user closes the frame.
    Type(form, "1.5");
    sub->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(probe.Checked());
    EXPECT_EQ(probe.StillConnected(), std::vector<std::string>{});
    EXPECT_EQ(layers.Editor(), nullptr);
}

TEST_F(WindowTeardown, AChartEditorWithFileButtonsIsFreedWithNothingConnectedToIt) {
    TInputTables tables;
    TGridTableChart& ae = tables.TblAE2();
    auto* form = dynamic_cast<TTableChartForm*>(&Open(ae));
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->FileNameEdit(), nullptr);
    TConnectionsAtTeardown probe(*form, {Named(form->FileNameEdit(), "file name"),
                                         Named(form->BrowseButton(), "browse"),
                                         Named(form->CopyButton(), "copy")});
    form->FileNameEdit()->setFocus();
    form->FileNameEdit()->setText("values.txt");
    // The table frees its window (as when the project is closed).
    ae.Editor()->Close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(probe.Checked());
    EXPECT_EQ(probe.StillConnected(), std::vector<std::string>{});
    EXPECT_EQ(ae.Editor(), nullptr);
}

#include "WindowTeardownTest.moc"
