// Report echo and plot-file blocks of the t-z and Q-w curves.

#include "kernel/Phases.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace dorvek {
namespace {

// The plot file carries at most this many generated curves (the report lists them all).
constexpr std::size_t kPlotGeneratedCurves = 30;

void writeCurves(const std::vector<TzCurve>& curves, std::size_t count, bool userDefined,
                 FixedWriter& out) {
    if (!out.active()) return; // an analysis without report or plot file
    for (std::size_t j = 0; j < count; ++j) {
        const TzCurve& c = curves[j];
        const std::size_t points = std::min(c.t.size(), c.z.size());
        const int number = userDefined ? c.number : static_cast<int>(j + 1);
        out.write("2X,I5,I11,E16.4", {number, static_cast<int>(points), c.depth});
        for (std::size_t k = 0; k < points; ++k) out.write("31X,1PE15.4,1PE15.4", {c.t[k], c.z[k]});
    }
}

void writeQwPoints(const Store& s, FixedWriter& out) {
    if (!out.active()) return;
    const std::size_t points = std::min(s.qwQ.size(), s.qwW.size());
    for (std::size_t k = 0; k < points; ++k) out.write("1PE18.4,1PE19.4", {s.qwQ[k], s.qwW[k]});
}

} // namespace

void ReportTzCurves(const std::vector<TzCurve>& curves, bool userDefined, const Store& s,
                    FixedWriter& report) {
    report.list();
    report.list();
    report.list(userDefined ? "    USER-DEFINED T-Z CURVES"
                            : "    INTERNALLY GENERATED T-Z CURVES");
    report.write(R"(/,/,4X,"T-Z       NO. OF    DEPTH TO    LOAD ","TRANSFER  PILE")");
    report.write(
        R"(3X,"CURVE NO.",2X,"POINTS",4X,"CURVE,",A3,3X,"TRANSFER,",A3,3X,"MOVEMENT,",A3,/)",
        {s.labelL, s.labelP, s.labelL});
    writeCurves(curves, curves.size(), userDefined, report);
}

void ReportQwCurve(const Store& s, bool userDefined, FixedWriter& report) {
    // No generated curve (tip below the last layer): its warning stands in the report.
    if (!userDefined && s.qwQ.empty()) return;
    report.list();
    report.list();
    report.list(userDefined ? "    USER-DEFINED Q-W CURVE" : "    INTERNALLY GENERATED Q-W CURVE");
    report.write(R"(/,/,8X,"TIP   LOAD",8X,"TIP MOVEMENT",/,12X,A3,15X,A3)", {s.labelF, s.labelL});
    writeQwPoints(s, report);
}

void WritePlotTzBlock(const std::vector<TzCurve>& curves, bool userDefined, FixedWriter& plot) {
    const std::size_t count =
        userDefined ? curves.size() : std::min(curves.size(), kPlotGeneratedCurves);
    plot.listValues({static_cast<int>(count)});
    writeCurves(curves, count, userDefined, plot);
}

void WritePlotQwBlock(const Store& s, FixedWriter& plot) {
    plot.listValues({static_cast<int>(std::min(s.qwQ.size(), s.qwW.size()))});
    writeQwPoints(s, plot);
}

} // namespace dorvek
