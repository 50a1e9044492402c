#pragma once
// The check of user tip movements against the largest movements of the user curves,
// made before a run.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dorvek {

struct TCheckDataInput {
    int Nloadmethod = 0;
    bool UserQw = false;
    bool UserTz = false;
    std::vector<long double> TipMovements; // in table order
    // Tip movement w of the last row of the user Q-w curve; none when the table is empty.
    std::optional<long double> LastQwMovement;
    // Movement z of the last row of each user t-z curve, in the order of the depth rows.
    std::vector<std::optional<long double>> LastTzMovements;
};

// The warning of the first tip movement that exceeds a curve's last movement, or nothing when
// the data pass (or no check applies). format renders a number for the message.
std::optional<std::string> CheckData(const TCheckDataInput& input,
                                     const std::function<std::string(long double)>& format);

} // namespace dorvek
