#pragma once
// The fixed-width form of the layer depths in the data file's layer-header lines.

#include <string>

namespace dorvek {

// Exactly 23 characters: a blank or "-", one digit, ".", 14 digits, "E", the exponent's sign
// and four exponent digits. 10 gives " 1.00000000000000E+0001".
std::string FormatDepth(long double value);

} // namespace dorvek
