#include "model/workspace/CheckData.h"

namespace dorvek {

std::optional<std::string> CheckData(const TCheckDataInput& in,
                                     const std::function<std::string(long double)>& format) {
    if (in.Nloadmethod != 1) return std::nullopt;
    auto tail = [](size_t row) {
        return "\nPlease check tip movements defined (" + std::to_string(row + 1) + ") .";
    };
    if (in.UserQw && in.LastQwMovement) {
        for (size_t i = 0; i < in.TipMovements.size(); ++i) {
            const long double tip = in.TipMovements[i];
            if (*in.LastQwMovement < tip)
                return "Tip Movement entered (" + format(tip) +
                       ")\nis higher than largest displacement entered for user defined Q-w "
                       "curve (" +
                       format(*in.LastQwMovement) + ")" + tail(i);
        }
    }
    if (in.UserTz) {
        for (size_t i = 0; i < in.TipMovements.size(); ++i) {
            const long double tip = in.TipMovements[i];
            for (size_t d = 0; d < in.LastTzMovements.size(); ++d) {
                const auto& last = in.LastTzMovements[d];
                if (last && *last < tip)
                    return "Tip Movement entered (" + format(tip) +
                           ")\nis higher than largest displacement entered for user defined t-z "
                           "curve (" +
                           format(*last) + "), row " + std::to_string(d + 1) + tail(i);
            }
        }
    }
    return std::nullopt;
}

} // namespace dorvek
