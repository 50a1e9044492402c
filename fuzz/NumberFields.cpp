// The report's number fields for any value, width and number of digits: the E, 1PE and F
// fields agree character for character with the same fields spelled out from std::to_chars,
// which rounds exactly. The writer takes shortcuts (one rounded product, integer arithmetic);
// this is where their edges are looked for.
//
// Input: 8 bytes of a double (or the first 4 of a float), then width, digits and a flag byte.

#include "fuzz/FuzzSupport.h"
#include "kernel/FixedFields.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

std::string Stars(int width) {
    return std::string(static_cast<std::size_t>(width), '*');
}

std::string RightAligned(std::string text, int width) {
    if (static_cast<int>(text.size()) > width) return Stars(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// Ew.d: 0.ddddE+xx, 1PEw.d: d.ddddE+xx; exponents past 99 as +xxx; the 0 of 0.dddd goes
// when the field is too narrow for it.
std::string ExpectedExponent(double value, int width, int digits, bool scaled) {
    if (!std::isfinite(value)) return Stars(width);
    const int count = scaled ? digits + 1 : digits;
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, count - 1)
                          .ptr;
    const std::string text(buffer, static_cast<std::size_t>(end - buffer)); // d[.ddd]e+xx
    const std::size_t e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (c != '.') mantissa += c;
    int exponent = std::stoi(text.substr(e + 1));
    if (value == 0)
        exponent = 0;
    else if (!scaled)
        exponent += 1;
    if (std::abs(exponent) > 999) return Stars(width);
    std::string body = scaled ? mantissa.substr(0, 1) + "." + mantissa.substr(1) : "0." + mantissa;
    const std::string magnitude = std::to_string(std::abs(exponent));
    const std::string sign = exponent < 0 ? "-" : "+";
    body += std::abs(exponent) <= 99
                ? "E" + sign + std::string(2 - std::min<std::size_t>(2, magnitude.size()), '0') +
                      magnitude
                : sign + magnitude;
    const std::string minus = value != 0 && std::signbit(value) ? "-" : "";
    if (!scaled && static_cast<int>(body.size() + minus.size()) > width) body.erase(0, 1);
    return RightAligned(minus + body, width);
}

// Fw.d: fixed notation with its point (also for d = 0); no minus for a value that shows as
// zero; the 0 of 0.ddd goes when the field is too narrow for it.
std::string ExpectedFixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) return Stars(width);
    char buffer[400];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::fixed, decimals)
                          .ptr;
    std::string body(buffer, static_cast<std::size_t>(end - buffer));
    if (decimals == 0) body += '.';
    const bool zero = body.find_first_not_of("0.") == std::string::npos;
    const std::string minus = std::signbit(value) && !zero ? "-" : "";
    if (decimals > 0 && static_cast<int>(body.size() + minus.size()) > width &&
        body.starts_with("0."))
        body.erase(0, 1);
    return RightAligned(minus + body, width);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const int width = 1 + data[8] % 40;
    const int flags = data[10];
    const bool scaled = (flags & 1) != 0;
    const bool single = (flags & 2) != 0; // the kernel's values are floats
    double value = std::bit_cast<double>(bits);
    if (single) value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    const int digits = (scaled ? 0 : 1) + data[9] % 17;

    std::string written;
    fixed::appendExponent(written, value, width, digits, scaled);
    const std::string expected = ExpectedExponent(value, width, digits, scaled);
    Check(written == expected, "E field of " + std::to_string(value) + " width " +
                                   std::to_string(width) + " digits " + std::to_string(digits) +
                                   (scaled ? " (1P)" : "") + ": \"" + written + "\", not \"" +
                                   expected + "\"");

    const int decimals = data[9] % 19;
    written.clear();
    fixed::appendFixed(written, value, width, decimals);
    const std::string fixedExpected = ExpectedFixed(value, width, decimals);
    Check(written == fixedExpected,
          "F field of " + std::to_string(value) + " width " + std::to_string(width) + " decimals " +
              std::to_string(decimals) + ": \"" + written + "\", not \"" + fixedExpected + "\"");
    return 0;
}
