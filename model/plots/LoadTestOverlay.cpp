#include "model/plots/LoadTestOverlay.h"

#include "model/tables/NumberFormat.h"
#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

// Graph loads are kips in English units (the plot data loading divides by 1000).
long double GraphLoad(long double load, int units) {
    return units == English ? load / 1000 : load;
}

const char* GraphLoadUnit(int units) {
    return units == English ? "kips" : "kN";
}

const char* LengthUnit(int units) {
    return units == English ? "in" : "m";
}

std::string Value(long double value) {
    return FormatGeneral(value, 4);
}

// "Davisson 498.2, 10 % D 530, Chin-Kondner 560 kips", a criterion not reached saying so.
std::string CapacityNames(const TCapacities& c, int units) {
    const auto one = [&](const char* label, const TCriterion& k) {
        return std::string(label) + " " +
               (k.reached ? Value(GraphLoad(k.load, units)) : std::string("not reached"));
    };
    return one("Davisson", c.davisson) + ", " + one("10 % D", c.tenPercent) + ", " +
           one("Chin-Kondner", c.chin) + " " + GraphLoadUnit(units);
}

struct OverlayLine {
    std::string name;
    TLineRole role;
    std::vector<TFloatPoint> points;
};

void Append(TGraphPlot& plot, const OverlayLine& overlay) {
    TLineList& curves = plot.List(TLineKind::Main);
    curves.SetLineCount(curves.LineCount() + 1);
    TLine& line = curves.Line(curves.LineCount() - 1);
    line.SetLineName(overlay.name);
    line.Role = overlay.role;
    line.SetCount(static_cast<int>(overlay.points.size()));
    for (int j = 0; j < line.Count(); ++j) line.Point(j) = overlay.points[static_cast<size_t>(j)];
}

} // namespace

TCapacityPile CapacityPileInUnits(TCapacityPile pile, int units) {
    if (pile.units == units || (units != English && units != SI)) return pile;
    pile.diameter *= ConversionFactor(pile.units, units, "L");
    pile.flexibility *=
        ConversionFactor(pile.units, units, "L") / ConversionFactor(pile.units, units, "F");
    pile.units = units;
    return pile;
}

int ComputedLineCount(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    int n = 0;
    while (n < curves.LineCount() && curves.Line(n).Role == TLineRole::Curve) ++n;
    return n;
}

void RemoveLoadTestOverlay(TGraphPlot& plot) {
    plot.List(TLineKind::Main).SetLineCount(ComputedLineCount(plot));
}

std::vector<TCurvePoint> ComputedCurve(const TLoadSettlementSummary& summary, bool downdrag) {
    std::vector<TCurvePoint> curve;
    for (const TPileResult& r : summary.tipMovements)
        if (r.headLoad > 0 && r.headMove > 0) curve.push_back({r.headLoad, r.headMove});
    for (const TPileResult& r : summary.appliedLoads)
        if (r.converged && r.headLoad > 0 && r.headMove > 0)
            curve.push_back({r.headLoad, r.headMove});
    std::stable_sort(curve.begin(), curve.end(), [](const TCurvePoint& a, const TCurvePoint& b) {
        return a.settlement < b.settlement;
    });
    if (!downdrag && !curve.empty()) curve.insert(curve.begin(), TCurvePoint{0, 0});
    return curve;
}

std::vector<TCurvePoint> MeasuredCurvePoints(const TMeasuredCurve& curve) {
    std::vector<TCurvePoint> points;
    for (const TMeasuredPoint& p : curve.points) points.push_back({p.load, p.settlement});
    return points;
}

std::vector<TCurveCapacities> LoadTestCapacities(const TLoadSettlementSummary& summary,
                                                 bool downdrag, TMeasuredCurves measured,
                                                 const TCapacityPile& projectPile) {
    const int units = summary.units == SI ? SI : English;
    const TCapacityPile pile = CapacityPileInUnits(projectPile, units);
    ConvertMeasuredCurves(measured, units);
    std::vector<TCurveCapacities> result;
    const std::vector<TCurvePoint> computed = ComputedCurve(summary, downdrag);
    if (computed.size() >= 2) result.push_back({"Computed", false, Capacities(computed, pile)});
    for (const TMeasuredCurve& curve : measured.curves)
        result.push_back({curve.name, true, Capacities(MeasuredCurvePoints(curve), pile)});
    return result;
}

std::string CapacitySummaryText(const std::vector<TCurveCapacities>& capacities,
                                const TCapacityPile& pile) {
    const int units = pile.units == SI ? SI : English;
    const std::string force = GraphLoadUnit(units), length = LengthUnit(units);
    std::string text = "Capacity by the usual criteria (loads in " + force + ", settlements in " +
                       length + "; D = " + Value(pile.diameter) + " " + length +
                       ", Davisson offset " + Value(DavissonOffset(units, pile.diameter)) + " " +
                       length + "):\n";
    for (const TCurveCapacities& c : capacities) {
        text += "  " + c.name + (c.measured ? " (measured)" : "") + ":\n";
        const auto line = [&](const char* label, const TCriterion& k, bool withSettlement) {
            text += std::string("    ") + label;
            if (!k.reached) {
                text += "not reached: " + k.why + "\n";
                return;
            }
            text += Value(GraphLoad(k.load, units)) + " " + force;
            if (withSettlement) text += " at " + Value(k.settlement) + " " + length;
            text += "\n";
        };
        line("Davisson offset limit:   ", c.capacities.davisson, true);
        line("Settlement of 10 % of D: ", c.capacities.tenPercent, true);
        line("Chin-Kondner hyperbola:  ", c.capacities.chin, false);
    }
    return text;
}

void AddLoadTestOverlay(TResultGraphs& graphs, bool downdrag, const TMeasuredCurves& measured,
                        const TCapacityPile& projectPile) {
    const int units = graphs.Summary.units == SI ? SI : English;
    const TCapacityPile pile = CapacityPileInUnits(projectPile, units);
    TMeasuredCurves inUnits = measured;
    ConvertMeasuredCurves(inUnits, units);
    const std::vector<TCurveCapacities> capacities =
        LoadTestCapacities(graphs.Summary, downdrag, inUnits, pile);

    std::vector<OverlayLine> lines;
    long double largest = 0; // the largest load of any curve, in graph units
    for (const TCurvePoint& p : ComputedCurve(graphs.Summary, downdrag))
        largest = std::max(largest, GraphLoad(p.load, units));
    for (const TMeasuredCurve& curve : inUnits.curves) {
        OverlayLine line{"Measured: " + curve.name, TLineRole::Markers, {}};
        for (const TMeasuredPoint& p : curve.points) {
            line.points.push_back({GraphLoad(p.load, units), p.settlement});
            largest = std::max(largest, GraphLoad(p.load, units));
        }
        lines.push_back(std::move(line));
    }
    if (largest > 0) {
        const long double offset = DavissonOffset(units, pile.diameter);
        if (std::isfinite(pile.flexibility) && pile.flexibility >= 0) {
            // The flexibility is per project load unit; the graph's loads may be kips.
            const long double perGraphLoad = pile.flexibility * (units == English ? 1000.0L : 1.0L);
            lines.push_back({"Davisson offset line",
                             TLineRole::Reference,
                             {{0, offset}, {largest, offset + perGraphLoad * largest}}});
        }
        if (pile.diameter > 0)
            lines.push_back({"Settlement of 10 % of D",
                             TLineRole::Reference,
                             {{0, 0.1L * pile.diameter}, {largest, 0.1L * pile.diameter}}});
    }
    for (const TCurveCapacities& c : capacities) {
        OverlayLine line{c.name + (c.measured ? " (measured)" : "") + ": " +
                             CapacityNames(c.capacities, units),
                         TLineRole::Markers,
                         {}};
        for (const TCriterion* k : {&c.capacities.davisson, &c.capacities.tenPercent})
            if (k->reached) line.points.push_back({GraphLoad(k->load, units), k->settlement});
        if (!line.points.empty()) lines.push_back(std::move(line));
    }

    for (TGraphPlot* plot : {&graphs.pltAxial, &graphs.pltAxialLoads}) {
        // Visibility and activity chosen in the window survive a rebuild of the same lines.
        struct Kept {
            TLineRole role;
            bool active, visible;
        };
        TLineList& curves = plot->List(TLineKind::Main);
        std::vector<Kept> kept;
        for (int i = ComputedLineCount(*plot); i < curves.LineCount(); ++i)
            kept.push_back({curves.Line(i).Role, curves.Line(i).Active, curves.Line(i).Visible});
        RemoveLoadTestOverlay(*plot);
        if (curves.LineCount() == 0 || curves.Line(0).Count() < 2) continue;
        const bool same = kept.size() == lines.size();
        for (std::size_t k = 0; k < lines.size(); ++k) {
            Append(*plot, lines[k]);
            if (same && kept[k].role == lines[k].role) {
                curves.Line(curves.LineCount() - 1).Active = kept[k].active;
                curves.Line(curves.LineCount() - 1).Visible = kept[k].visible;
            }
        }
    }
}

} // namespace dorvek
