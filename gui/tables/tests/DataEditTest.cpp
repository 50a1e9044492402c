// The numeric edit field as a widget: validation on leaving and on Enter, the focus kept on
// a refused entry, the operator-append rule and the attached label.
#include "gui/tables/DataEdit.h"
#include "gui/common/tests/support/ScriptedMessages.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;

namespace {

// A window with two numeric fields, shown and active.
class DataEditWidget : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        label = new QLabel(&window);
        first = new TDataEdit(&window, &messages);
        second = new TDataEdit(&window, &messages);
        layout->addWidget(label);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QApplication::processEvents();
    }
    static void Type(TDataEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    TScriptedMessages messages;
    QWidget window;
    QLabel* label = nullptr;
    TDataEdit* first = nullptr;
    TDataEdit* second = nullptr;
};

} // namespace

TEST_F(DataEditWidget, LeavingTheFieldShowsTheValue) {
    Type(first, "2*3");
    second->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(first->text(), "6");
    EXPECT_TRUE(first->OK());
    EXPECT_TRUE(second->hasFocus());
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(DataEditWidget, ARefusedEntryKeepsTheFocus) {
    first->SetMinVal(2);
    Type(first, "1");
    second->setFocus();
    QTest::qWait(10);
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"Entry must be greater than or equal to 2"});
    EXPECT_EQ(first->text(), "2");
    EXPECT_TRUE(first->hasFocus());

    Type(first, "abc");
    second->setFocus();
    QTest::qWait(10);
    EXPECT_EQ(messages.Texts("information").back(),
              "Entry could not be evaluated:\rinvalid character(s) in expression");
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(first->text(), "abc");
    EXPECT_FALSE(first->CloseQuery());
}

TEST_F(DataEditWidget, EnterValidatesAndSelectsTheText) {
    first->SetIntegerOnly(true);
    Type(first, "2.5");
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(messages.Texts("information"), std::vector<std::string>{"Entry must be an integer."});
    Type(first, "5");
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(first->selectedText(), "5");
    // An operator typed over the selected value is appended to it.
    QTest::keyClicks(first, "*2");
    EXPECT_EQ(first->text(), "5*2");
    QTest::keyClick(first, Qt::Key_Enter);
    EXPECT_EQ(first->text(), "10");
    // A digit replaces the selection as usual.
    QTest::keyClicks(first, "7");
    EXPECT_EQ(first->text(), "7");
}

TEST_F(DataEditWidget, AMinusSignOverTheSelectedValueStartsANegativeNumber) {
    Type(first, "0.5");
    QTest::keyClick(first, Qt::Key_Return);
    ASSERT_EQ(first->selectedText(), "0.5");
    QTest::keyClicks(first, "-2");
    EXPECT_EQ(first->text(), "-2");
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(first->Number(), -2);
    // Over a selected 1, -0.5 is -0.5 (it was 1-0.5 = +0.5).
    Type(first, "1");
    first->selectAll();
    QTest::keyClicks(first, "-0.5");
    EXPECT_EQ(first->Number(), -0.5L);
    // Without a selection the minus sign subtracts as typed.
    Type(first, "3");
    first->end(false);
    QTest::keyClicks(first, "-1");
    EXPECT_EQ(first->text(), "3-1");
    // Tabbing into a field selects its text: the minus sign starts a new number there too.
    second->SetNumber(0.5);
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(second->hasFocus());
    QTest::keyClicks(second, "-2");
    EXPECT_EQ(second->text(), "-2");
}

TEST_F(DataEditWidget, HexadecimalFields) {
    first->SetHex(true);
    first->SetNumber(255);
    EXPECT_EQ(first->text(), "$00FF");
    EXPECT_EQ(first->Number(), 255.0L);
}

TEST_F(DataEditWidget, TheLabelShowsCaptionAndUnit) {
    first->SetEditLabel(label);
    first->SetCaption("Pile Length");
    EXPECT_EQ(label->text(), "Pile Length");
    first->SetUnitsString("L2");
    EXPECT_EQ(label->text(), "Pile Length (ft)");
    first->SetUnits(2);
    EXPECT_EQ(label->text(), "Pile Length (m)");
    EXPECT_EQ(label->buddy(), first);
    first->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    first->setEnabled(true);
    EXPECT_TRUE(label->isEnabled());
}

TEST_F(DataEditWidget, LimitsMoveTheValue) {
    first->SetNumber(50);
    first->SetMaxVal(20);
    EXPECT_EQ(first->text(), "20");
    first->SetMinVal(30);
    EXPECT_EQ(first->MinVal(), 20.0L);
}

TEST(DataEditChildWindows, FocusToAnotherChildWindowLeavesTheCheckToTheDialog) {
    TScriptedMessages messages;
    QMdiArea area;
    auto* one = new QWidget;
    auto* field = new TDataEdit(one, &messages);
    auto* two = new QWidget;
    auto* other = new QLineEdit(two);
    area.addSubWindow(one)->show();
    area.addSubWindow(two)->show();
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    field->setFocus();
    field->SetMinVal(5);
    field->setText("1");
    other->setFocus();
    QTest::qWait(10);
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(field->text(), "1");
    EXPECT_FALSE(field->CloseQuery());
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"Entry must be greater than or equal to 5"});
}
