#include "model/project/DepthForm.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace dorvek {

std::string FormatDepth(long double value) {
    std::string out = std::signbit(value) && value != 0 ? "-" : " ";
    if (!std::isfinite(value)) {
        // Never produced by the tables; kept to the width so the line layout holds.
        out += std::isnan(value) ? "NAN" : "INF";
        return std::string(23 - out.size(), ' ') + out;
    }
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                             std::chars_format::scientific, 14);
    const std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const auto ePos = text.find('e');
    const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    out += text.substr(0, ePos);
    out += exponent < 0 ? "E-" : "E+";
    std::string digits = std::to_string(std::abs(exponent));
    out += std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
    return out;
}

} // namespace dorvek
