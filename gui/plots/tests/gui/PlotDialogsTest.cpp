// The plot window's dialogs, driven offscreen.

#include "gui/plots/PlotDialogs.h"
#include "gui/common/tests/support/ScriptedMessages.h"
#include "gui/tables/DataEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <QTest>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;

namespace {

QColor Colour(int i) {
    return i == 0 ? QColor(Qt::black) : QColor(0, 0, 255);
}

struct TThreeCurves {
    TGraphPlot Plot;
    TThreeCurves() {
        Plot.List(TLineKind::Main).SetLineCount(3);
        Plot.List(TLineKind::Main).SetCount(2);
        Plot.List(TLineKind::Main).Line(1).SetLineName("Middle");
    }
};

} // namespace

TEST(GraphCaptionDialog, TextsAndValues) {
    TdlgGraphCaption dialog("Pile 7", false);
    EXPECT_EQ(dialog.windowTitle(), "Graph Caption");
    EXPECT_EQ(dialog.CaptionEdit()->text(), "Pile 7");
    EXPECT_TRUE(dialog.BottomButton()->isChecked());
    EXPECT_EQ(dialog.TopButton()->text(), "Top");
    EXPECT_EQ(dialog.BottomButton()->text(), "Bottom");
    dialog.CaptionEdit()->setText("Load test B");
    dialog.TopButton()->setChecked(true);
    EXPECT_EQ(dialog.Caption(), "Load test B");
    EXPECT_TRUE(dialog.OnTop());
    const auto labels = dialog.findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.front()->text(), "Enter Graph Caption");
}

TEST(LegendDialog, EmptyNameIsRefusedAndTheOldNameRestored) {
    TThreeCurves c;
    TLegendNamesModel model(c.Plot);
    TScriptedMessages messages;
    TdlgLegend dialog(model, &messages, Colour);
    EXPECT_EQ(dialog.windowTitle(), "Legend");
    EXPECT_GE(dialog.minimumWidth(), 195);
    EXPECT_GE(dialog.minimumHeight(), 167);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    EXPECT_EQ(dialog.NameEdit()->text(), "Curve #1");

    dialog.NameEdit()->setText("");
    EXPECT_FALSE(dialog.StoreEdit());
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"The line must have a name!"});
    EXPECT_EQ(dialog.NameEdit()->text(), "Curve #1");
    EXPECT_EQ(model.Name(0), "Curve #1");

    // OK with an empty edit is refused the same way and keeps the dialog open.
    dialog.NameEdit()->setText("");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts("information").size(), 2u);
}

TEST(LegendDialog, EditShowsTheSelectedNameInItsColourAndStoresOnEnter) {
    TThreeCurves c;
    TLegendNamesModel model(c.Plot);
    TScriptedMessages messages;
    TdlgLegend dialog(model, &messages, Colour);
    dialog.List()->setCurrentRow(1);
    EXPECT_EQ(dialog.NameEdit()->text(), "Middle");
    EXPECT_EQ(dialog.NameEdit()->palette().color(QPalette::Text), QColor(0, 0, 255));
    dialog.NameEdit()->setText("Shaft");
    emit dialog.NameEdit()->editingFinished(); // Enter or leaving the edit
    EXPECT_EQ(model.Name(1), "Shaft");
    EXPECT_EQ(dialog.List()->item(1)->text(), "Shaft");

    dialog.List()->setCurrentRow(2);
    dialog.NameEdit()->setText("Toe");
    dialog.accept(); // OK stores the edit too
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Name(2), "Toe");
    EXPECT_TRUE(messages.Shown.empty());
    model.Apply(c.Plot);
    EXPECT_EQ(c.Plot.List(TLineKind::Main).Line(1).LineName(), "Shaft");
    EXPECT_EQ(c.Plot.List(TLineKind::Main).Line(2).LineName(), "Toe");
}

TEST(LegendDialog, EnterKeyStoresTheNameAndKeepsTheDialogOpen) {
    TThreeCurves c;
    TLegendNamesModel model(c.Plot);
    TScriptedMessages messages;
    TdlgLegend dialog(model, &messages, Colour);
    dialog.show();
    dialog.List()->setCurrentRow(0);
    dialog.NameEdit()->setFocus();
    dialog.NameEdit()->setText("Head");
    QTest::keyClick(dialog.NameEdit(), Qt::Key_Return);
    EXPECT_EQ(model.Name(0), "Head");
    EXPECT_TRUE(dialog.isVisible()); // the OK button did not take the key
    EXPECT_EQ(dialog.result(), 0);
    dialog.NameEdit()->setText("Top");
    QTest::keyClick(dialog.NameEdit(), Qt::Key_Enter);
    EXPECT_EQ(model.Name(0), "Top");
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ActiveCurvesDialog, TogglesBySelectionDoubleClickAndButtons) {
    TThreeCurves c;
    c.Plot.List(TLineKind::Main).Line(2).Active = false;
    TActiveCurvesModel model(c.Plot);
    TdlgActiveCurves dialog(model);
    EXPECT_EQ(dialog.windowTitle(), "Active Curves");
    ASSERT_EQ(dialog.List()->count(), 3);
    EXPECT_EQ(dialog.List()->item(0)->text(), " yes :    Curve #1");
    EXPECT_EQ(dialog.List()->item(2)->text(), " no  :    Curve #3");

    dialog.List()->clearSelection();
    dialog.List()->item(0)->setSelected(true);
    dialog.List()->item(2)->setSelected(true);
    dialog.ToggleSelected();
    EXPECT_EQ(dialog.List()->item(0)->text(), " no  :    Curve #1");
    EXPECT_EQ(dialog.List()->item(1)->text(), " yes :    Middle");
    EXPECT_EQ(dialog.List()->item(2)->text(), " yes :    Curve #3");

    dialog.List()->clearSelection();
    dialog.List()->item(1)->setSelected(true);
    emit dialog.List()->itemDoubleClicked(dialog.List()->item(1));
    EXPECT_FALSE(model.Active(1));

    dialog.SetAll(false);
    EXPECT_EQ(dialog.List()->item(0)->text(), " no  :    Curve #1");
    dialog.SetAll(true);
    EXPECT_EQ(dialog.List()->item(1)->text(), " yes :    Middle");

    QStringList buttons;
    for (auto* b : dialog.findChildren<QPushButton*>()) buttons << b->text();
    EXPECT_TRUE(buttons.contains("Activate/Deactivate Selected"));
    EXPECT_TRUE(buttons.contains("Activate All"));
    EXPECT_TRUE(buttons.contains("Deactivate All"));
    bool label = false;
    for (auto* l : dialog.findChildren<QLabel*>())
        label = label || l->text() == "Select Curve to Active/Desactive";
    EXPECT_TRUE(label);
}

TEST(SaveAttributesDialog, LimitsAreEnforced) {
    TScriptedMessages messages;
    TSaveAttributes start;
    start.HeightIn = 5;
    start.WidthIn = 7;
    start.PixelsPerInch = 150;
    TdlgSaveAttributes dialog(start, &messages);
    EXPECT_EQ(dialog.windowTitle(), "Save Attributes");
    EXPECT_EQ(dialog.HeightEdit()->EditLabel()->text(), "&Height (in)");
    EXPECT_EQ(dialog.WidthEdit()->EditLabel()->text(), "&Width (in)");
    EXPECT_EQ(dialog.PpiEdit()->EditLabel()->text(), "&Pixels Per Inch");
    EXPECT_EQ(dialog.ColorsBox()->count(), 4);
    auto values = dialog.Values();
    ASSERT_TRUE(values);
    EXPECT_DOUBLE_EQ(values->HeightIn, 5);
    EXPECT_DOUBLE_EQ(values->PixelsPerInch, 150);

    dialog.HeightEdit()->setText("1.5");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"Entry must be greater than or equal to 2"});
    EXPECT_EQ(dialog.HeightEdit()->text(), "2"); // set to the limit

    dialog.HeightEdit()->setText("2");
    dialog.PpiEdit()->setText("9");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts("information").size(), 2u);

    dialog.PpiEdit()->setText("2*50"); // an expression, as in every numeric field
    dialog.ColorsBox()->setCurrentIndex(0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    values = dialog.Values();
    ASSERT_TRUE(values);
    EXPECT_DOUBLE_EQ(values->HeightIn, 2);
    EXPECT_DOUBLE_EQ(values->PixelsPerInch, 100);
    EXPECT_EQ(values->Colors, TPictureColors::Monochrome);
}

TEST(SaveAttributesDialog, TheReportPresetFillsTheSize) {
    TScriptedMessages messages;
    TSaveAttributes start; // 8 x 6 in at 96 ppi: a free size
    TdlgSaveAttributes dialog(start, &messages);
    ASSERT_EQ(dialog.SizeBox()->count(), 2);
    EXPECT_EQ(dialog.SizeBox()->currentIndex(), 0);
    EXPECT_EQ(dialog.SizeBox()->itemText(1), "Report (6.5 x 4.5 in, 300 dpi)");
    dialog.SizeBox()->setCurrentIndex(1);
    const auto values = dialog.Values();
    ASSERT_TRUE(values);
    EXPECT_DOUBLE_EQ(values->WidthIn, 6.5);
    EXPECT_DOUBLE_EQ(values->HeightIn, 4.5);
    EXPECT_DOUBLE_EQ(values->PixelsPerInch, 300);
    EXPECT_EQ(values->Colors, TPictureColors::TrueColor);
    EXPECT_EQ(PicturePixels(values->WidthIn, values->PixelsPerInch), 1950);
    // Opened again with those values, the dialog shows the preset.
    TdlgSaveAttributes again(*values, &messages);
    EXPECT_EQ(again.SizeBox()->currentIndex(), 1);
}

TEST(AxisRangesDialog, TypedRangesFullExtentAndRefusals) {
    TScriptedMessages messages;
    TAxisRangesChoice start;
    start.X = {true, 0, 10, 0};
    start.Y = {true, 50, 0, 10};
    TdlgAxisRanges dialog(start, &messages);
    EXPECT_EQ(dialog.windowTitle(), "Axis Ranges");
    EXPECT_EQ(dialog.Field(1)->text(), "10");
    EXPECT_EQ(dialog.Field(5)->text(), "10");
    dialog.Field(1)->setText("0.5");
    dialog.Field(2)->setText("0.1");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    auto values = dialog.Values();
    ASSERT_TRUE(values);
    EXPECT_FALSE(values->FullExtent);
    EXPECT_EQ(values->X.To, 0.5L);
    EXPECT_EQ(values->X.Step, 0.1L);
    EXPECT_EQ(values->Y.From, 50);

    // From equal to To is refused with a message, and the dialog stays.
    TdlgAxisRanges bad(start, &messages);
    bad.Field(3)->setText("0");
    bad.accept();
    EXPECT_EQ(bad.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts("information").back(),
              "The y range needs two different values for From and To.");

    TdlgAxisRanges reset(start, &messages);
    reset.FullExtentButton()->click();
    EXPECT_EQ(reset.result(), QDialog::Accepted);
    ASSERT_TRUE(reset.Values());
    EXPECT_TRUE(reset.Values()->FullExtent);
}
