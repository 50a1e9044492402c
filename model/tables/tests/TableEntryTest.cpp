// Typed entries: the text path of each kind with every message, and the range checks that
// apply only while an editor is open.
#include "model/tables/tests/FakeEditor.h"

#include "model/tables/EnumColumn.h"
#include "model/tables/Evaluator.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/TableErrors.h"

#include <gtest/gtest.h>

using namespace dorvek;
using dorvek::test::FakeEditorFactory;

namespace {

std::string EntryError(TGridTable& table, int col, const std::string& text) {
    try {
        table.SetStringValue(col, 0, text);
    } catch (const AssignmentError& e) {
        return e.what();
    }
    return "accepted";
}

class TableEntry : public ::testing::Test {
protected:
    TableEntry() {
        table.AddColumn<TEnumColumn>().SetNames({"a", "b", "c"});
        auto& ints = table.AddColumn<TIntColumn>();
        ints.SetMinimum(0);
        ints.SetMaximum(5);
        table.AddColumn<TFloatColumn>();
        table.AddColumn<TStringColumn>();
        table.SetRowCount(1);
    }
    TTableFamilies families;
    TGridTable table{families};
};

} // namespace

TEST_F(TableEntry, EnumerationTakesWholeNumbersOnly) {
    EXPECT_EQ(EntryError(table, 0, "2.0"), "accepted");
    EXPECT_EQ(table.GetIntValue(0, 0), 2);
    EXPECT_EQ(EntryError(table, 0, "2.5"), "Value must be an integer.");
    EXPECT_EQ(EntryError(table, 0, "4294967296"), "Value must be an integer.");
    EXPECT_EQ(table.GetIntValue(0, 0), 2);
    // The name list does not limit the value.
    EXPECT_EQ(EntryError(table, 0, "7"), "accepted");
    EXPECT_EQ(table.GetIntValue(0, 0), 7);
}

TEST_F(TableEntry, IntegerRangeIsCheckedOnlyWhileAnEditorIsOpen) {
    EXPECT_EQ(EntryError(table, 1, "7"), "accepted");
    EXPECT_EQ(table.GetIntValue(1, 0), 7);
    // Without an editor fractions are rounded, ties to the even neighbour.
    EXPECT_EQ(EntryError(table, 1, "2.5"), "accepted");
    EXPECT_EQ(table.GetIntValue(1, 0), 2);
    EXPECT_EQ(EntryError(table, 1, "3.5"), "accepted");
    EXPECT_EQ(table.GetIntValue(1, 0), 4);

    FakeEditorFactory factory(families.Grid());
    table.Show();
    ASSERT_TRUE(table.FormVisible());
    EXPECT_EQ(EntryError(table, 1, "7"), "Entry must be between 0 and 5.");
    EXPECT_EQ(EntryError(table, 1, "-1"), "Entry must be between 0 and 5.");
    EXPECT_EQ(EntryError(table, 1, "2.5"), "Entry must be an integer.");
    EXPECT_EQ(table.GetIntValue(1, 0), 4);
    // A fraction within 1e-10 counts as whole and is rounded away.
    EXPECT_EQ(EntryError(table, 1, "3.00000000001"), "accepted");
    EXPECT_EQ(table.GetIntValue(1, 0), 3);
    EXPECT_EQ(EntryError(table, 1, "5"), "accepted");
    table.Hide();
    EXPECT_EQ(EntryError(table, 1, "7"), "accepted");
}

TEST_F(TableEntry, IntegerBeyondThirtyTwoBitsIsRefusedEvenWithoutEditor) {
    EXPECT_EQ(EntryError(table, 1, "1e20"), "Entry must be between 0 and 5.");
    EXPECT_EQ(table.GetIntValue(1, 0), 0);
}

TEST_F(TableEntry, FloatEvaluatesTheExpression) {
    EXPECT_EQ(EntryError(table, 2, "2*(3+4)"), "accepted");
    EXPECT_EQ(table.GetFloatValue(2, 0), 14.0L);
    EXPECT_EQ(EntryError(table, 2, "-1.5e-3"), "accepted");
    EXPECT_EQ(table.GetStringValue(2, 0), "-0.0015");
}

TEST_F(TableEntry, EvaluatorMessagesReachTheEditorAndKeepTheOldValue) {
    table.SetFloatValue(2, 0, 9);
    EXPECT_EQ(EntryError(table, 2, "abc"),
              "Entry could not be evaluated:\rinvalid character(s) in expression");
    EXPECT_EQ(EntryError(table, 2, ""), "Entry could not be evaluated:\rentry cannot be blank");
    EXPECT_EQ(EntryError(table, 1, "2)"),
              "Entry could not be evaluated:\r() (parentheses) do not match");
    EXPECT_EQ(table.GetFloatValue(2, 0), 9.0L);
}

TEST_F(TableEntry, ArithmeticFaultsAreNoEntryErrors) {
    EXPECT_THROW(table.SetStringValue(2, 0, "1/0"), ArithmeticError);
    EXPECT_EQ(table.GetFloatValue(2, 0), 0.0L);
}

TEST_F(TableEntry, StringIsStoredAsTyped) {
    EXPECT_EQ(EntryError(table, 3, "  1+1 "), "accepted");
    EXPECT_EQ(table.GetStringValue(3, 0), "  1+1 ");
}

TEST_F(TableEntry, AcceptedEntryReportsItsCell) {
    std::vector<std::pair<int, int>> changes;
    table.Events.OnCellChange = [&](TGridTable&, int c, int r) { changes.emplace_back(c, r); };
    table.SetStringValue(2, 0, "1");
    EXPECT_THROW(table.SetStringValue(2, 0, "x"), AssignmentError);
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{2, 0}}));
}
