#pragma once
// Report sections written while the input is read: the header (program, user, files, date)
// and the echo of the input records. Headings that exist in an English and an S.I. version
// are left out for any other unit system; their value lines are still written.

#include "kernel/FixedFormat.h"
#include "kernel/Kernel.h"
#include "kernel/Store.h"

#include <ctime>
#include <functional>
#include <string>

namespace dorvek {

// Soil-type name of the layer table: exactly 24 characters, for any code.
std::string SoilTypeName(int code);

// Header, written before the input file is opened.
void ReportProgramHeader(FixedWriter& report, const RunHeader& header);
void ReportUserBlock(FixedWriter& report, const RunHeader& header);
void ReportFileBlock(FixedWriter& report, const RunFiles& files);
void ReportDateBlock(FixedWriter& report, const std::tm& now);
// The four blocks above, dated by `clock` (the local time when it is empty).
void ReportHeader(FixedWriter& report, const RunHeader& header, const RunFiles& files,
                  const std::function<std::tm()>& clock);
std::tm LocalNow();

// Echo of the model records.
void ReportTitle(FixedWriter& report, const Store& s);
void ReportLayerHeading(FixedWriter& report, const Store& s);
void ReportLayerRow(FixedWriter& report, const Layer& layer);
void ReportUnitWeightHeading(FixedWriter& report, const Store& s);
// Unit-weight rows, strength table, z-peak table (when a layer has type 5 or 6) and the
// end of the layer block.
void ReportStrengthTables(FixedWriter& report, const Store& s);
void ReportStiffness(FixedWriter& report, const Store& s);
void ReportPile(FixedWriter& report, const Store& s);

// Echo of the loading records.
void ReportTipMovements(FixedWriter& report, const Store& s);
void ReportLoads(FixedWriter& report, const Store& s);
void ReportSettlement(FixedWriter& report, const Store& s);
void ReportTzFactorHeading(FixedWriter& report, const Store& s);
void ReportTzFactorRow(FixedWriter& report, float depth, float tMultiplier, float zMultiplier);
void ReportQwFactors(FixedWriter& report, const Store& s);

} // namespace dorvek
