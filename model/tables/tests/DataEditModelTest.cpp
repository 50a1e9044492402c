// The numeric edit field's rules without a widget: validation and its messages, limits,
// display forms, the caption with its unit label and the operator-append rule.
#include "model/tables/DataEditModel.h"

#include <gtest/gtest.h>

#include <climits>

using namespace dorvek;

namespace {

std::string Validated(TDataEditModel& field, const std::string& text) {
    field.SetText(text);
    auto message = field.Validate();
    return message ? *message : std::string("OK ") + field.Text();
}

} // namespace

TEST(DataEditModel, ExpressionsAreShownAsTheirValue) {
    TDataEditModel field;
    EXPECT_EQ(field.Text(), "0");
    EXPECT_EQ(Validated(field, "2*3"), "OK 6");
    EXPECT_TRUE(field.OK());
    // 1/3 in eight significant digits.
    EXPECT_EQ(Validated(field, "1/3"), "OK 0.33333333");
    EXPECT_EQ(Validated(field, " 12.50 "), "OK 12.5");
    EXPECT_EQ(field.Number(), 12.5L);
}

TEST(DataEditModel, FailuresKeepTheTextAndSayWhy) {
    TDataEditModel field;
    EXPECT_EQ(Validated(field, "abc"),
              "Entry could not be evaluated:\rinvalid character(s) in expression");
    EXPECT_FALSE(field.OK());
    EXPECT_EQ(field.Text(), "abc");
    EXPECT_EQ(Validated(field, ""), "Entry could not be evaluated:\rentry cannot be blank");
    // An arithmetic fault stores no value either.
    EXPECT_NE(Validated(field, "1/0").rfind("OK", 0), 0u);
    EXPECT_FALSE(field.OK());
    EXPECT_EQ(field.Text(), "1/0");
}

TEST(DataEditModel, IntegerOnlyMessages) {
    TDataEditModel field;
    field.SetIntegerOnly(true);
    EXPECT_EQ(Validated(field, "2.5"), "Entry must be an integer.");
    EXPECT_EQ(Validated(field, "abc"), "Entry must be a valid integer.");
    EXPECT_EQ(Validated(field, "5*2"), "OK 10");
    // The limits are taken into the 32-bit range.
    EXPECT_EQ(field.MinVal(), static_cast<long double>(INT_MIN));
    EXPECT_EQ(field.MaxVal(), static_cast<long double>(INT_MAX));
}

TEST(DataEditModel, ValuesOutsideTheLimitsAreReplacedByTheLimit) {
    TDataEditModel field;
    field.SetMinVal(2);
    EXPECT_EQ(Validated(field, "1"), "Entry must be greater than or equal to 2");
    EXPECT_EQ(field.Text(), "2");
    EXPECT_FALSE(field.OK());
    field.SetMaxVal(10);
    EXPECT_EQ(Validated(field, "10.5"), "Entry must be less than or equal to 10");
    EXPECT_EQ(field.Text(), "10");
    EXPECT_EQ(Validated(field, "10"), "OK 10");

    // The unset lower limit in display form.
    TDataEditModel open;
    EXPECT_EQ(Validated(open, "-1e101"), "Entry must be greater than or equal to -1.1897315E100");
}

TEST(DataEditModel, SettingALimitMovesTheValueInside) {
    TDataEditModel field;
    field.SetText("50");
    field.SetMaxVal(20);
    EXPECT_EQ(field.Text(), "20");
    field.SetMinVal(30); // lowered to MaxVal first
    EXPECT_EQ(field.MinVal(), 20);
    field.SetMaxVal(100);
    field.SetMinVal(40);
    EXPECT_EQ(field.Text(), "40");
    // SetNumber clamps too.
    field.SetNumber(1000);
    EXPECT_EQ(field.Text(), "100");
}

TEST(DataEditModel, LimitsAreStoredAsTheyComeWhileLoading) {
    TDataEditModel field;
    field.SetLoading(true);
    field.SetMaxVal(1);
    field.SetMinVal(5);
    field.SetNumber(7);
    EXPECT_EQ(field.MinVal(), 5);
    EXPECT_EQ(field.MaxVal(), 1);
    EXPECT_EQ(field.Text(), "7");
}

TEST(DataEditModel, HexadecimalDisplay) {
    TDataEditModel field;
    field.SetHex(true);
    EXPECT_EQ(Validated(field, "255"), "OK $00FF");
    EXPECT_EQ(Validated(field, "$1F"), "OK $001F");
    EXPECT_EQ(Validated(field, "70000"), "OK $11170");
    // 2.6 rounds to 3.
    EXPECT_EQ(Validated(field, "2.6"), "OK $0003");
    // A negative value has no hexadecimal text that reads back: it stays decimal.
    EXPECT_EQ(Validated(field, "-5"), "OK -5");
}

TEST(DataEditModel, CaptionWithUnitLabel) {
    TDataEditModel field;
    field.SetCaption("Pile Length");
    EXPECT_EQ(field.LabelText(), "Pile Length");
    field.SetUnitsString("L2");
    EXPECT_EQ(field.LabelText(), "Pile Length (ft)");
    field.SetUnits(2);
    EXPECT_EQ(field.LabelText(), "Pile Length (m)");
    field.SetUnitsString("L");
    EXPECT_EQ(field.LabelText(), "Pile Length (m)");
    field.SetUnits(1);
    EXPECT_EQ(field.LabelText(), "Pile Length (in)");
    field.SetCaption("Area of Pile Tip");
    field.SetUnitsString("L²");
    EXPECT_EQ(field.LabelText(), "Area of Pile Tip (in²)");
    field.SetUnits(9); // clamped to 3: letters
    EXPECT_EQ(field.Units(), 3);
    EXPECT_EQ(field.LabelText(), "Area of Pile Tip (L²)");
    field.SetUnits(0);
    EXPECT_EQ(field.Units(), 1);
    // The value is never converted by the unit system.
    field.SetText("480");
    field.SetUnits(2);
    EXPECT_EQ(field.Text(), "480");
}

TEST(DataEditModel, OperatorsAppendToAFullySelectedValue) {
    for (char c : std::string("+/*^=%!")) EXPECT_TRUE(TDataEditModel::AppendsToValue(c, true));
    // A minus sign over the selected value starts a negative number: -2 over 0.5 is -2.
    EXPECT_FALSE(TDataEditModel::AppendsToValue('-', true));
    EXPECT_FALSE(TDataEditModel::AppendsToValue('*', false));
    EXPECT_FALSE(TDataEditModel::AppendsToValue('5', true));
    EXPECT_FALSE(TDataEditModel::AppendsToValue('.', true));
    EXPECT_FALSE(TDataEditModel::AppendsToValue('\0', true));
}

TEST(DataEditModel, StoredValueOutsideTheLimitsIsShownAsItIs) {
    TDataEditModel field;
    field.SetIntegerOnly(true);
    field.SetMaxVal(500);
    field.SetMinVal(10);
    // A project with 2 increments shows 2, not the limit 10.
    field.ShowNumber(2);
    EXPECT_EQ(field.Text(), "2");
    EXPECT_TRUE(field.OutsideLimits());
    // Leaving the field asks for a valid value and offers the limit.
    EXPECT_EQ(field.Validate(), "Entry must be greater than or equal to 10");
    EXPECT_EQ(field.Text(), "10");
    EXPECT_FALSE(field.OutsideLimits());
    field.ShowNumber(501);
    EXPECT_TRUE(field.OutsideLimits());
    field.ShowNumber(500);
    EXPECT_FALSE(field.OutsideLimits());
    field.SetText("2*");
    EXPECT_FALSE(field.OutsideLimits()); // no number: the validation says why
    // SetNumber still clamps.
    field.SetNumber(2);
    EXPECT_EQ(field.Text(), "10");
}
