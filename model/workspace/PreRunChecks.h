#pragma once
// Checks made before a run, after the tip-movement check: data the analysis would stop on or
// answer with nothing. Each finding is a warning the user may run past ("Run anyway").

#include "model/project/ProgramData.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dorvek {

class TInputTables;

// Caption of the button that runs past a warning.
inline constexpr const char* RunAnywayCaption = "Run anyway";

// format renders a number for a message (the user's decimal separator).
using TNumberText = std::function<std::string(long double)>;

// The soil layers end above the pile tip (only when curves are generated from them).
std::optional<std::string> CheckLayersReachTip(const TProgramData& data, const TInputTables& tables,
                                               const TNumberText& format);
// A layer's method needs a strength value that is zero at the layer's top and bottom: the
// unit side friction of every layer whose t-z curves are generated; at the pile tip of a
// generated Q-w curve, e50 of a driven pile in clay and, for every clay, the unit tip
// resistance together with the undrained shear strength.
std::optional<std::string> CheckZeroStrengths(const TProgramData& data, const TInputTables& tables,
                                              const TNumberText& format);
// A value the analysis cannot hold in single precision (beyond about 3.4E+38, or so close to
// 0 that it would turn into 0).
std::optional<std::string> CheckSinglePrecision(const TProgramData& data,
                                                const TInputTables& tables,
                                                const TNumberText& format);
// The user's tip movements, or loads at the pile head, are all 0.
std::optional<std::string> CheckLoadingNotZero(const TProgramData& data,
                                               const TInputTables& tables);

// Every finding, in the order above.
std::vector<std::string> PreRunWarnings(const TProgramData& data, const TInputTables& tables,
                                        const TNumberText& format);

} // namespace dorvek
