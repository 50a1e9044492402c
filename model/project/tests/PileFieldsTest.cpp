// The pile-property rules as every caller sees them: the numeric field's messages for
// values beyond the limits, and a fault check that changes nothing.
#include "model/project/PileFields.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dorvek;

namespace {

std::string FaultOf(const TPileField& field, long double value) {
    return field.Fault(value).value_or("passes");
}

} // namespace

TEST(PileFields, LimitsGiveTheFieldMessages) {
    EXPECT_EQ(FaultOf(PileFields::Length, 1000000), "passes");
    EXPECT_EQ(FaultOf(PileFields::Length, 1000000.5L),
              "Entry must be less than or equal to 1000000");
    // Length has no lower limit in the dialog: a negative length is the kernel's to refuse.
    EXPECT_EQ(FaultOf(PileFields::Length, -5), "passes");
    EXPECT_EQ(FaultOf(PileFields::TipArea, 2e9L), "Entry must be less than or equal to 1E9");
    EXPECT_EQ(FaultOf(PileFields::Tolerance, 0), "Entry must be greater than or equal to 1E-9");
    EXPECT_EQ(FaultOf(PileFields::Tolerance, 1.5L), "Entry must be less than or equal to 1");
    EXPECT_EQ(FaultOf(PileFields::Tolerance, 0.001L), "passes");
}

TEST(PileFields, IncrementsAreWholeNumbersFrom10To500) {
    EXPECT_EQ(FaultOf(PileFields::Increments, 10), "passes");
    EXPECT_EQ(FaultOf(PileFields::Increments, 500), "passes");
    EXPECT_EQ(FaultOf(PileFields::Increments, 9), "Entry must be greater than or equal to 10");
    EXPECT_EQ(FaultOf(PileFields::Increments, 501), "Entry must be less than or equal to 500");
    // Not whole comes before the range, as in the field.
    EXPECT_EQ(FaultOf(PileFields::Increments, 600.5L), "Entry must be an integer.");
}

TEST(PileFields, NoNumberIsRefused) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FaultOf(PileFields::Head, inf), "Entry could not be evaluated");
    EXPECT_EQ(FaultOf(PileFields::Head, std::numeric_limits<long double>::quiet_NaN()),
              "Entry could not be evaluated");
    EXPECT_EQ(FaultOf(PileFields::Head, -inf), "Entry could not be evaluated");
}

TEST(PileFields, FaultLeavesTheFieldAsItIs) {
    TDataEditModel field;
    field.SetMaxVal(10);
    field.SetText("7");
    EXPECT_EQ(field.Fault(12).value_or(""), "Entry must be less than or equal to 10");
    EXPECT_EQ(field.Text(), "7");
    EXPECT_FALSE(field.Fault(3));
}
