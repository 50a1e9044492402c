#pragma once
// Unit systems (1 English, 2 S.I., 3 generic letters) and unit codes built from F and L,
// such as "F/L^2": conversion factors and the three label rules (table columns, numeric
// fields, graphs), all from one token table.

#include <string>

namespace dorvek {

enum UnitSystem { English = 1, SI = 2, Generic = 3 };

// Factor by which a value stored in oldSystem is multiplied to give it in newSystem.
long double ConversionFactor(int oldSystem, int newSystem, const std::string& code);

// Unit label of a table column (tokens F2 F1 F4 F5 F6 F L3 L2 L1 L replaced in that order).
std::string ColumnUnitLabel(const std::string& code, int system);
// Unit label of a numeric edit field.
std::string FieldUnitLabel(const std::string& code, int system);
// Unit label of a graph axis.
std::string PlotUnitLabel(const std::string& code, int system);

// The reduced code set of the chart-backed tables (F, F1, F2, L, L1, L2 only).
long double ChartConversionFactor(int oldSystem, int newSystem, const std::string& code);
std::string ChartColumnUnitLabel(const std::string& code, int system);

} // namespace dorvek
