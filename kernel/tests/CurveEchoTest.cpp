#include "kernel/Phases.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvek {
namespace {

using namespace dorvek::testing;

TzCurve Curve(int number, float depth, std::vector<float> t, std::vector<float> z) {
    TzCurve c;
    c.number = number;
    c.depth = depth;
    c.t = std::move(t);
    c.z = std::move(z);
    return c;
}

const std::string kB31(31, ' ');

TEST(ReportTzCurves, UserCurvesKeepTheirNumbers) {
    Store s;
    SetEnglish(s);
    const std::vector<TzCurve> curves{Curve(7, 120, {0, 5}, {0, 0.1f}),
                                      Curve(3, 240.5f, {-2.5f}, {1})};
    Capture report;
    ReportTzCurves(curves, true, s, report.writer);
    EXPECT_EQ(report.text(),
              Lines({"", "", "     USER-DEFINED T-Z CURVES", "", "",
                     "    T-Z       NO. OF    DEPTH TO    LOAD TRANSFER  PILE",
                     "   CURVE NO.  POINTS    CURVE,IN.   TRANSFER,PSI   MOVEMENT,IN.", "",
                     "      7          2      0.1200E+03", kB31 + "     0.0000E+00     0.0000E+00",
                     kB31 + "     5.0000E+00     1.0000E-01", "      3          1      0.2405E+03",
                     kB31 + "    -2.5000E+00     1.0000E+00"}));
}

TEST(ReportTzCurves, GeneratedCurvesAreNumberedInOrderWithSiLabels) {
    Store s;
    SetSi(s);
    const std::vector<TzCurve> curves{Curve(0, 1.5f, {0}, {0}), Curve(0, 2.5f, {0}, {0})};
    Capture report;
    ReportTzCurves(curves, false, s, report.writer);
    EXPECT_EQ(
        report.text(),
        Lines({"", "", "     INTERNALLY GENERATED T-Z CURVES", "", "",
               "    T-Z       NO. OF    DEPTH TO    LOAD TRANSFER  PILE",
               "   CURVE NO.  POINTS    CURVE, M.   TRANSFER,KPA   MOVEMENT, M.", "",
               "      1          1      0.1500E+01", kB31 + "     0.0000E+00     0.0000E+00",
               "      2          1      0.2500E+01", kB31 + "     0.0000E+00     0.0000E+00"}));
}

TEST(ReportQwCurve, UserAndGeneratedSections) {
    Store s;
    SetEnglish(s);
    s.qwQ = {0, 1000};
    s.qwW = {0, 0.24f};
    const std::string points =
        Lines({"        0.0000E+00         0.0000E+00", "        1.0000E+03         2.4000E-01"});
    const std::string heading = Lines(
        {"", "", "        TIP   LOAD        TIP MOVEMENT", "            LBS               IN."});
    Capture user;
    ReportQwCurve(s, true, user.writer);
    EXPECT_EQ(user.text(), Lines({"", "", "     USER-DEFINED Q-W CURVE"}) + heading + points);
    Capture generated;
    ReportQwCurve(s, false, generated.writer);
    EXPECT_EQ(generated.text(),
              Lines({"", "", "     INTERNALLY GENERATED Q-W CURVE"}) + heading + points);
}

TEST(ReportQwCurve, NoGeneratedCurveNoSection) {
    Store s;
    SetSi(s);
    Capture generated;
    ReportQwCurve(s, false, generated.writer);
    EXPECT_EQ(generated.text(), "");
    // A user curve is echoed as read, even when empty.
    Capture user;
    ReportQwCurve(s, true, user.writer);
    EXPECT_EQ(user.text(), Lines({"", "", "     USER-DEFINED Q-W CURVE", "", "",
                                  "        TIP   LOAD        TIP MOVEMENT",
                                  "            KN.                M."}));
}

std::vector<TzCurve> Generated(int count) {
    std::vector<TzCurve> curves;
    for (int j = 1; j <= count; ++j)
        curves.push_back(Curve(j, static_cast<float>(j), {0, 1}, {0, 0.5f}));
    return curves;
}

int CountLines(const std::string& text) {
    int n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

TEST(PlotTzBlock, CountLineThenCurves) {
    Capture plot;
    WritePlotTzBlock({Curve(9, 12, {0, 3}, {0, 0.02f})}, true, plot.writer);
    EXPECT_EQ(plot.text(), Lines({"           1", "      9          2      0.1200E+02",
                                  kB31 + "     0.0000E+00     0.0000E+00",
                                  kB31 + "     3.0000E+00     2.0000E-02"}));
}

TEST(PlotTzBlock, GeneratedCurvesCappedAtThirtyUserCurvesAll) {
    // Seven layers: 35 report curves, 30 in the plot file, each 1 + 2 lines.
    Capture generated;
    WritePlotTzBlock(Generated(35), false, generated.writer);
    EXPECT_EQ(generated.text().substr(0, 14), "          30\r\n");
    EXPECT_EQ(CountLines(generated.text()), 1 + 30 * 3);
    EXPECT_NE(generated.text().find("     30          2"), std::string::npos);
    EXPECT_EQ(generated.text().find("     31          2"), std::string::npos);
    Capture user;
    WritePlotTzBlock(Generated(40), true, user.writer);
    EXPECT_EQ(user.text().substr(0, 14), "          40\r\n");
    EXPECT_EQ(CountLines(user.text()), 1 + 40 * 3);
}

TEST(PlotQwBlock, CountLineThenPoints) {
    Store s;
    s.qwQ = {0, 262.71f};
    s.qwW = {0, 0.048768f};
    Capture plot;
    WritePlotQwBlock(s, plot.writer);
    EXPECT_EQ(plot.text(), Lines({"           2", "        0.0000E+00         0.0000E+00",
                                  "        2.6271E+02         4.8768E-02"}));
    Capture empty;
    WritePlotQwBlock(Store{}, empty.writer);
    EXPECT_EQ(empty.text(), Lines({"           0"}));
}

} // namespace
} // namespace dorvek
