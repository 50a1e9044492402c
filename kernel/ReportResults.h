#pragma once
// Report sections of the solution: the tip-movement results with their distributions and
// summary, and the results due to applied loads.

#include "kernel/FixedFormat.h"
#include "kernel/Solver.h"
#include "kernel/Store.h"

#include <vector>

namespace dorvek {

// Opening of the tip-movement results: two empty lines, the title and the caption.
void ReportTipMovementOpening(const Store& s, FixedWriter& report);

// Load and movement distribution of one tip movement (only printed when IPRINT < 1).
void ReportDistribution(const Store& s, const SolverSetup& setup, const PileSolution& sol,
                        FixedWriter& report);

// Load-settlement summary of the tip-movement run; rows as stored (signed).
void ReportSummary(const Store& s, FixedWriter& report);

// Opening and column heading of the results due to applied loads.
void ReportLoadOpening(const Store& s, FixedWriter& report);
// One applied load's row, or its "NOT ABLE TO GET CONVERGENCE" line.
void ReportLoadRow(const HeadLoadResult& r, FixedWriter& report);
// After the rows: which loads were solved again as the first equilibrium of a rising load
// (numbers in input order); nothing when none was.
void ReportSolvedAgainNote(const std::vector<int>& loadNumbers, FixedWriter& report);

// The printed distribution values of one increment: signs reversed for a mirrored
// solution and, with down-drag in the downward sense, the soil settlement at the tip added
// back to the movements. The plot data file shows the same values.
struct PrintedIncrement {
    float depth, transfer, loadIncr, avgLoad, deform, avgMove;
};
struct PrintedNode {
    float depth, load, move;
};
PrintedIncrement PrintedIncrementAt(const SolverSetup& setup, const PileSolution& sol, int i);
PrintedNode PrintedNodeAt(const SolverSetup& setup, const PileSolution& sol, int i);

} // namespace dorvek
