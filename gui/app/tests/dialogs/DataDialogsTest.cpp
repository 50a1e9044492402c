// The data dialogs: pile properties with its tip coordinate, limits and unit switch, the Q-w
// multipliers, the project title and the text-editor option; storing on deactivation and
// closing, the refusal of a bad numeric entry and the data-changed flag.
#include "gui/app/Options.h"
#include "gui/app/Title.h"
#include "gui/app/compmeth.h"
#include "gui/app/pilemat.h"
#include "gui/common/tests/support/ScriptedMessages.h"
#include "gui/tables/DataEdit.h"
#include "model/project/DataUnit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;

namespace {

class DataDialogs : public ::testing::Test {
protected:
    TDialogContext Context() {
        TDialogContext context;
        context.Messages = &messages;
        context.Project = [this]() -> TProgramData& { return data; };
        context.MarkChanged = [this] { changed = true; };
        return context;
    }
    // Replaces a field's text by keystrokes.
    static void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    template <class Dialog> static Dialog* Shown(Dialog* dialog) {
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }
    void TearDown() override { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TScriptedMessages messages;
    TProgramData data;
    bool changed = false;
};

} // namespace

TEST_F(DataDialogs, PilePropertiesShowTheProject) {
    data.PLength = 480;
    data.HeadCoord = 12;
    data.NINC = 100;
    data.OD = 24;
    data.Tiparea = 452.39;
    auto* dialog = Shown(new TfrmMaterial(Context(), {}));
    EXPECT_EQ(dialog->windowTitle(), "Pile Properties");
    EXPECT_EQ(dialog->DataPL()->text(), "480");
    EXPECT_EQ(dialog->DataTC()->text(), "492");
    EXPECT_FALSE(dialog->DataTC()->isEnabled());
    EXPECT_EQ(dialog->DataTol()->text(), "1E-5");
    EXPECT_EQ(dialog->DataPL()->EditLabel()->text(), "Total Pile Length (in)");
    EXPECT_EQ(dialog->DataHC()->EditLabel()->text(), "Pile Head Coord.* (in)");
    EXPECT_EQ(dialog->DataNI()->EditLabel()->text(), "Number of Increments");
    EXPECT_EQ(dialog->DataArea()->EditLabel()->text(), "Area of Pile Tip (in²)");
    EXPECT_EQ(dialog->DataTol()->EditLabel()->text(), "Tolerance (in)");
    EXPECT_EQ(dialog->EditAEButton()->toolTip(), "Enter pile stiffness versus depth");
    dialog->close();
}

TEST_F(DataDialogs, TheTipFollowsHeadAndLength) {
    auto* dialog = Shown(new TfrmMaterial(Context(), {}));
    Type(dialog->DataHC(), "-");
    EXPECT_EQ(dialog->DataTC()->text(), "0"); // a lone minus sign waits for its digits
    QTest::keyClicks(dialog->DataHC(), "24");
    Type(dialog->DataPL(), "600");
    EXPECT_EQ(dialog->DataTC()->text(), "576");
    // An expression counts by its value; a text that is no number leaves the tip.
    Type(dialog->DataPL(), "2*300+10");
    EXPECT_EQ(dialog->DataTC()->text(), "586");
    dialog->DataPL()->end(false);
    QTest::keyClicks(dialog->DataPL(), "*");
    EXPECT_EQ(dialog->DataPL()->text(), "2*300+10*");
    EXPECT_EQ(dialog->DataTC()->text(), "586");
    Type(dialog->DataPL(), "600");
    dialog->close();
    EXPECT_EQ(data.HeadCoord, -24.0L);
    EXPECT_EQ(data.PLength, 600.0L);
    EXPECT_TRUE(changed);
}

TEST_F(DataDialogs, IncrementsOutsideTenToFiveHundredAreRefused) {
    QPointer<TfrmMaterial> dialog = Shown(new TfrmMaterial(Context(), {}));
    dialog->DataNI()->setFocus();
    // Refused on deactivation: nothing is stored, the field shows the limit.
    Type(dialog->DataNI(), "5");
    EXPECT_FALSE(dialog->FormDeactivate());
    EXPECT_EQ(data.NINC, 50);
    EXPECT_EQ(dialog->DataNI()->text(), "10");
    // Refused on closing: the dialog stays.
    Type(dialog->DataNI(), "501");
    EXPECT_FALSE(dialog->close());
    EXPECT_EQ(dialog->DataNI()->text(), "500");
    Type(dialog->DataNI(), "7.5");
    EXPECT_FALSE(dialog->close());
    Type(dialog->DataNI(), "ten");
    EXPECT_FALSE(dialog->close());
    EXPECT_EQ(
        messages.Texts("information"),
        (std::vector<std::string>{"Entry must be greater than or equal to 10",
                                  "Entry must be less than or equal to 500",
                                  "Entry must be an integer.", "Entry must be a valid integer."}));
    EXPECT_EQ(data.NINC, 50);
    EXPECT_FALSE(changed);
    Type(dialog->DataNI(), "2*100");
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(data.NINC, 200);
    EXPECT_TRUE(changed);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(DataDialogs, AStoredValueOutsideTheLimitsIsShownAndClosingAsksForAValidOne) {
    // A file with 2 increments and no tolerance: the dialog shows 2 and 0, not 10 and 1E-9.
    data.NINC = 2;
    data.Tolerance = 0;
    QPointer<TfrmMaterial> dialog = Shown(new TfrmMaterial(Context(), {}));
    EXPECT_EQ(dialog->DataNI()->text(), "2");
    EXPECT_EQ(dialog->DataTol()->text(), "0");
    // Deactivation stores nothing untouched: screen and project both hold 2.
    EXPECT_TRUE(dialog->FormDeactivate());
    EXPECT_EQ(data.NINC, 2);
    EXPECT_FALSE(changed);
    // Closing asks for a valid value, field by field, and stays open meanwhile.
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->DataNI()->hasFocus());
    EXPECT_EQ(dialog->DataNI()->text(), "10");
    EXPECT_FALSE(dialog->close());
    EXPECT_EQ(dialog->DataTol()->text(), "1E-9");
    EXPECT_EQ(messages.Texts("information"),
              (std::vector<std::string>{"Entry must be greater than or equal to 10",
                                        "Entry must be greater than or equal to 1E-9"}));
    EXPECT_EQ(data.NINC, 2);
    // The values offered are taken on the next close.
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(data.NINC, 10);
    EXPECT_NEAR(static_cast<double>(data.Tolerance), 1E-9, 1E-20);
    EXPECT_TRUE(changed);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(DataDialogs, ToleranceAloneMarksTheProjectChanged) {
    data.PLength = 12.192000000000000001L; // shown to eight digits only
    auto* dialog = Shown(new TfrmMaterial(Context(), {}));
    dialog->FormDeactivate();
    EXPECT_FALSE(changed);
    EXPECT_EQ(data.PLength, 12.192000000000000001L);
    dialog->DataTol()->setFocus();
    Type(dialog->DataTol(), "0.001");
    EXPECT_TRUE(dialog->FormDeactivate());
    EXPECT_TRUE(changed);
    EXPECT_EQ(data.Tolerance, 0.001L);
    EXPECT_EQ(data.PLength, 12.192000000000000001L);
    // The tolerance's limits.
    Type(dialog->DataTol(), "2");
    EXPECT_FALSE(dialog->FormDeactivate());
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"Entry must be less than or equal to 1"});
    EXPECT_EQ(dialog->DataTol()->text(), "1");
    dialog->close();
}

TEST_F(DataDialogs, UnitSwitchWithTheDialogOpen) {
    TProjectTables project;
    data.PLength = 480;
    data.Tiparea = 144;
    auto* dialog = Shown(new TfrmMaterial(Context(), {}));
    data.SetUnits(2, project.Tables());
    const long double length = data.PLength;
    dialog->FormActivate(); // what the unit switch asks of an open dialog
    EXPECT_EQ(dialog->DataPL()->text(), "12.192");
    EXPECT_EQ(dialog->DataArea()->text(), "0.09290304");
    EXPECT_EQ(dialog->DataPL()->EditLabel()->text(), "Total Pile Length (m)");
    EXPECT_EQ(dialog->DataArea()->EditLabel()->text(), "Area of Pile Tip (m²)");
    dialog->close();
    EXPECT_FALSE(changed);
    EXPECT_EQ(data.PLength, length); // kept to its last digit
}

TEST_F(DataDialogs, TheStiffnessButtonOpensItsTable) {
    int opened = 0;
    auto* dialog = Shown(new TfrmMaterial(Context(), [&] { ++opened; }));
    QTest::mouseClick(dialog->EditAEButton(), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    dialog->close();
}

TEST_F(DataDialogs, QwMultipliers) {
    data.QFactor = 0.5;
    auto* pile = Shown(new TfrmMaterial(Context(), {}));
    QPointer<TfrmQwFactors> factors = Shown(new TfrmQwFactors(Context()));
    EXPECT_EQ(factors->windowTitle(), "Enter Modifications Factors for Tip Resistance");
    EXPECT_EQ(factors->DataQfactor()->text(), "0.5");
    EXPECT_EQ(factors->Datawfactor()->text(), "1");
    EXPECT_EQ(factors->DataQfactor()->EditLabel()->text(), "Q-multiplier");
    EXPECT_EQ(factors->Datawfactor()->EditLabel()->text(), "w-multiplier");
    Type(factors->Datawfactor(), "1.5*2");
    factors->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(factors.isNull());
    EXPECT_EQ(data.wFactor, 3.0L);
    EXPECT_EQ(data.QFactor, 0.5L);
    EXPECT_TRUE(changed);
    // The other dialog is still there and usable.
    Type(pile->DataOD(), "36");
    EXPECT_TRUE(pile->close());
    EXPECT_EQ(data.OD, 36.0L);
}

TEST_F(DataDialogs, ProjectTitle) {
    data.Title = "Test pile";
    data.Date1 = "";
    auto* dialog = Shown(new TdlgTitle(Context()));
    EXPECT_EQ(dialog->windowTitle(), "Project Title");
    EXPECT_EQ(dialog->TitleMemo()->text(), "Test pile");
    dialog->DateEdit()->setText("today");
    dialog->FormActivate(); // an empty date does not clear the field
    EXPECT_EQ(dialog->DateEdit()->text(), "today");

    // The same title again is no change.
    Type(dialog->TitleMemo(), "Test pile");
    dialog->FormDeactivate();
    EXPECT_FALSE(changed);
    EXPECT_EQ(data.Date1, "today");

    // A pasted line break becomes a blank; the title holds 80 characters.
    dialog->TitleMemo()->clear();
    dialog->TitleMemo()->insert("Pile A\nload test");
    EXPECT_EQ(dialog->TitleMemo()->text(), "Pile A load test");
    Type(dialog->TitleMemo(), QString(100, 'x'));
    EXPECT_EQ(dialog->TitleMemo()->text().size(), 80);
    dialog->NameEdit()->setText("A. Designer");
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(data.Title, std::string(80, 'x'));
    EXPECT_EQ(data.Name1, "A. Designer");
    EXPECT_TRUE(changed);
}

TEST_F(DataDialogs, TextEditorOption) {
    std::string editor = "/usr/bin/editor";
    auto* dialog = Shown(new TDlgOptions(
        Context(), [&] { return editor; }, [&](const std::string& path) { editor = path; }));
    EXPECT_EQ(dialog->windowTitle(), "Control Options");
    EXPECT_EQ(dialog->EdtWord()->text(), "/usr/bin/editor");
    messages.OpenChoices.push_back(TFileChoice{"/opt/edit/bin/ed", 2});
    dialog->BrowseClick();
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Detail,
              "Programs|*.exe;*.com|All Files (*.*)|*.*\n/usr/bin/editor");
    EXPECT_EQ(dialog->EdtWord()->text(), "/opt/edit/bin/ed");
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(editor, "/opt/edit/bin/ed");
    EXPECT_FALSE(changed);
}
