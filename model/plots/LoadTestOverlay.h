#pragma once
// Load tests over the computed results: the capacity of the computed curve and of each
// measured curve by the usual criteria, and the lines they add to the "Axial Load vs
// Settlement" graphs: each measured curve (markers only), Davisson's offset line and the
// settlement of 10 % of D (dashed), and per curve its Davisson and 10 % D points (markers
// only), named with the capacities.

#include "model/plots/Capacity.h"
#include "model/plots/MeasuredCurves.h"
#include "model/plots/ResultGraphs.h"

#include <string>
#include <vector>

namespace dorvek {

// The computed load-settlement curve of a run, in its units: the tip-movement results and
// the converged applied loads in compression, ordered by settlement, from the origin unless
// down-drag moves the curve's start.
std::vector<TCurvePoint> ComputedCurve(const TLoadSettlementSummary& summary, bool downdrag);

std::vector<TCurvePoint> MeasuredCurvePoints(const TMeasuredCurve& curve);

struct TCurveCapacities {
    std::string name; // "Computed" or the measured curve's name
    bool measured = false;
    TCapacities capacities;
};

// The computed curve's capacities first (when the run has results), then each measured
// curve's; the measured curves are taken into the results' units.
std::vector<TCurveCapacities> LoadTestCapacities(const TLoadSettlementSummary& summary,
                                                 bool downdrag, TMeasuredCurves measured,
                                                 const TCapacityPile& pile);

// The pile in another unit system (diameter and flexibility converted).
TCapacityPile CapacityPileInUnits(TCapacityPile pile, int units);

// A table of the capacities as text, loads and settlements in the units of the graphs
// (kips and in, or kN and m), for the program's summary and the command line.
std::string CapacitySummaryText(const std::vector<TCurveCapacities>& capacities,
                                const TCapacityPile& pile);

// Adds the lines to pltAxial and pltAxialLoads, after removing those of an earlier call. The
// pile is in the results' units. Nothing is added to a graph without computed points.
void AddLoadTestOverlay(TResultGraphs& graphs, bool downdrag, const TMeasuredCurves& measured,
                        const TCapacityPile& pile);
// Removes the added lines (the lines after the computed ones).
void RemoveLoadTestOverlay(TGraphPlot& plot);
// The number of computed lines of a graph, before any added line.
int ComputedLineCount(const TGraphPlot& plot);

} // namespace dorvek
