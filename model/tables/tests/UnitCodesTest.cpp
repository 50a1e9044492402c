#include "model/tables/UnitCodes.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

void ExpectFactor(long double actual, long double expected) {
    EXPECT_NEAR(static_cast<double>(actual / expected), 1.0, 1e-15)
        << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

} // namespace

TEST(ConversionFactor, CodesOfThePrograms) {
    EXPECT_EQ(ConversionFactor(1, 2, ""), 1);
    EXPECT_EQ(ConversionFactor(2, 1, ""), 1);
    // 1 / 39.37007874 = 0.0254000000001016
    ExpectFactor(ConversionFactor(English, SI, "L"), 0.0254000000001016L);
    ExpectFactor(ConversionFactor(SI, English, "F"), 224.8089237L);
    // 224.8089237 / 39.37007874^3 = 224.8089237 / 61023.744... = 0.003683958220487225
    ExpectFactor(ConversionFactor(SI, English, "F/L^3"), 0.003683958220487225L);
    // 224.8089237 / 39.37007874^2: 1 kN/m^2 is 0.14503772521545233 lbs/in^2
    ExpectFactor(ConversionFactor(SI, English, "F/L^2"), 0.14503772521545233L);
    ExpectFactor(ConversionFactor(English, SI, "F/L^2"), 1.0L / 0.14503772521545233L);
    // 0.2248089237 / 3.280839895^2 = 0.020885432431025128
    ExpectFactor(ConversionFactor(SI, English, "F1/L2^2"), 0.020885432431025128L);
    ExpectFactor(ConversionFactor(SI, English, "F^2"), 224.8089237L * 224.8089237L);
    ExpectFactor(ConversionFactor(SI, English, "1/L"), 1.0L / 39.37007874L);
    ExpectFactor(ConversionFactor(SI, English, "F4"), 5.7101483L);
    ExpectFactor(ConversionFactor(SI, English, "F5"), 1.0L);
    ExpectFactor(ConversionFactor(SI, English, "F6"), 68.364249L);
    ExpectFactor(ConversionFactor(SI, English, "L1"), 0.03937007874L);
    ExpectFactor(ConversionFactor(SI, English, "L3"), 1.0L);
}

TEST(ConversionFactor, SystemsAndUnlistedDigits) {
    for (const char* code : {"F", "L", "F/L^2", "F1/L2^2"}) {
        EXPECT_EQ(ConversionFactor(Generic, English, code), 1) << code;
        EXPECT_EQ(ConversionFactor(SI, Generic, code), 1) << code;
        EXPECT_EQ(ConversionFactor(English, Generic, code), 1) << code;
        EXPECT_EQ(ConversionFactor(English, English, code), 1) << code;
        ExpectFactor(ConversionFactor(English, SI, code) * ConversionFactor(SI, English, code),
                     1.0L);
    }
    // Digits the table does not list fall back to the plain slot of the letter.
    ExpectFactor(ConversionFactor(SI, English, "F3"), 224.8089237L);
    ExpectFactor(ConversionFactor(SI, English, "L4"), 39.37007874L);
    ExpectFactor(ConversionFactor(SI, English, "F3/L4"), 224.8089237L / 39.37007874L);
}

TEST(ConversionFactor, ChartFamilyKnowsSixCodes) {
    ExpectFactor(ChartConversionFactor(SI, English, "F1"), 0.2248089237L);
    ExpectFactor(ChartConversionFactor(SI, English, "F2"), 0.1124044745L);
    ExpectFactor(ChartConversionFactor(SI, English, "L2"), 3.280839895L);
    ExpectFactor(ChartConversionFactor(SI, English, "F/L^2"), 0.14503772521545233L);
    // F4 and L3 are not chart codes: plain force and length.
    ExpectFactor(ChartConversionFactor(SI, English, "F4"), 224.8089237L);
    ExpectFactor(ChartConversionFactor(SI, English, "L3"), 39.37007874L);
    EXPECT_EQ(ChartConversionFactor(Generic, SI, "F1"), 1);
}

TEST(UnitLabels, PlotCodeInAllThreeRules) {
    for (auto rule : {ColumnUnitLabel, FieldUnitLabel, PlotUnitLabel, ChartColumnUnitLabel}) {
        EXPECT_EQ(rule("F1/L2^2", SI), "kN/m^2");
        EXPECT_EQ(rule("F1/L2^2", English), "kips/ft^2");
        EXPECT_EQ(rule("F/L^2", English), "lbs/in^2");
        EXPECT_EQ(rule("F/L^3", SI), "kN/m^3");
        EXPECT_EQ(rule("L1", SI), "mm");
        EXPECT_EQ(rule("F2", English), "tons");
        EXPECT_EQ(rule("", English), "");
    }
    // Generic letters: the column rules use the letter names, field and plot keep the code.
    EXPECT_EQ(ColumnUnitLabel("F1/L2^2", Generic), "F/L^2");
    EXPECT_EQ(ChartColumnUnitLabel("F1/L2^2", Generic), "F/L^2");
    EXPECT_EQ(FieldUnitLabel("F1/L2^2", Generic), "F1/L2^2");
    EXPECT_EQ(PlotUnitLabel("F1/L2^2", Generic), "F1/L2^2");
}

TEST(UnitLabels, WhereTheRulesDiffer) {
    // Column rule: every token, two-character ones first.
    EXPECT_EQ(ColumnUnitLabel("F4", English), "lb-sec2/in");
    EXPECT_EQ(ColumnUnitLabel("F4", Generic), "M");
    EXPECT_EQ(ColumnUnitLabel("F5", Generic), "T");
    EXPECT_EQ(ColumnUnitLabel("F6", SI), "Mg");
    EXPECT_EQ(ColumnUnitLabel("L3", English), "rad");
    EXPECT_EQ(ColumnUnitLabel("F1/F", English), "kips/lbs");
    EXPECT_EQ(ColumnUnitLabel("L3/L", SI), "rad/m");
    // Field rule: only the first present variant of each letter, F6 F5 F4 F2 F1 / L2 L1 L3.
    EXPECT_EQ(FieldUnitLabel("F1/F", English), "kips/F");
    EXPECT_EQ(FieldUnitLabel("F4/L", English), "lb-sec2/in/in");
    EXPECT_EQ(FieldUnitLabel("F2/F6", English), "F2/slug");
    EXPECT_EQ(FieldUnitLabel("L3/L", SI), "rad/L");
    EXPECT_EQ(FieldUnitLabel("L2", English), "ft");
    // Plot rule: only F2, F1 and L2, L1 are known; anything else is the plain letter.
    EXPECT_EQ(PlotUnitLabel("F1/F", English), "kips/F");
    EXPECT_EQ(PlotUnitLabel("F4/L", English), "lbs4/in");
    EXPECT_EQ(PlotUnitLabel("F2/F6", English), "tons/F6");
    EXPECT_EQ(PlotUnitLabel("L3/L", SI), "m3/m");
    // Chart columns: F2 F1 F L2 L1 L.
    EXPECT_EQ(ChartColumnUnitLabel("F4", English), "lbs4");
    EXPECT_EQ(ChartColumnUnitLabel("F1/F", SI), "kN/kN");
}

TEST(UnitLabels, SystemOutsideTheRangeIsClamped) {
    EXPECT_EQ(ColumnUnitLabel("F", 0), "lbs");
    EXPECT_EQ(ColumnUnitLabel("F", 7), "F");
    EXPECT_EQ(FieldUnitLabel("F", -1), "lbs");
    EXPECT_EQ(PlotUnitLabel("L", 9), "L");
}
