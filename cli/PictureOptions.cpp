#include "cli/PictureOptions.h"

#include <cstdlib>

namespace dorvek::cli {

std::optional<std::pair<double, double>> ParsePictureInches(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    auto number = [](const std::string& s) -> std::optional<double> {
        if (s.empty()) return std::nullopt;
        char* end = nullptr;
        const double v = std::strtod(s.c_str(), &end);
        if (end != s.c_str() + s.size() || !(v >= 1 && v <= 100)) return std::nullopt;
        return v;
    };
    const auto w = number(text.substr(0, x));
    const auto h = number(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return std::pair{*w, *h};
}

} // namespace dorvek::cli
