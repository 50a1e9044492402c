#pragma once
// The capacity of a pile read from a head load-settlement curve by the usual criteria:
//   Davisson's offset limit: the load where the curve meets the line
//     s = P * F + 0.15 in + D / 120 (S.I.: 0.0038 m + D / 120), F = integral of dz / AE over
//     the pile (PL/AE for a uniform pile): the elastic shortening of a free column;
//   the load at a settlement of 10 % of the diameter;
//   Chin-Kondner: the asymptote 1 / b of the hyperbola s / P = a + b s fitted by least squares
//     to the points at or above half the largest load.
// Curves are (load, settlement) points in the order of the test, settlements never decreasing,
// in one unit system (lb and in, or kN and m).

#include <string>
#include <vector>

namespace dorvek {

struct TCurvePoint {
    long double load = 0;
    long double settlement = 0;
};

// What the criteria take from the pile.
struct TCapacityPile {
    int units = 1;               // 1 English (lb, in), 2 S.I. (kN, m)
    long double diameter = 0;    // D
    long double flexibility = 0; // integral of dz / AE over the pile length
};

struct TCriterion {
    bool reached = false;
    long double load = 0;       // the capacity
    long double settlement = 0; // where the curve gives it (Davisson, 10 % D); 0 for Chin
    std::string why;            // when not reached: why not
};

struct TCapacities {
    TCriterion davisson;
    TCriterion tenPercent;
    TCriterion chin;
    long double chinA = 0, chinB = 0; // the fitted hyperbola, when reached
};

// 0.15 in + D / 120 in English units, 0.0038 m + D / 120 in S.I.
long double DavissonOffset(int units, long double diameter);

struct TAeRow {
    long double depth = 0; // below the pile head
    long double ae = 0;
};
// The integral of dz / AE over 0..length for an AE table in ascending depth, linear between
// rows and constant beyond its ends. NaN when an AE over the pile is not positive or the
// table is empty.
long double PileFlexibility(const std::vector<TAeRow>& table, long double length);

TCriterion DavissonCapacity(const std::vector<TCurvePoint>& curve, const TCapacityPile& pile);
TCriterion TenPercentCapacity(const std::vector<TCurvePoint>& curve, long double diameter);
TCriterion ChinKondnerCapacity(const std::vector<TCurvePoint>& curve, long double* a = nullptr,
                               long double* b = nullptr);
TCapacities Capacities(const std::vector<TCurvePoint>& curve, const TCapacityPile& pile);

} // namespace dorvek
