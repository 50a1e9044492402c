#pragma once
// Scanning of numbers from lines of text (file reading and clipboard paste of tables).

#include <string>
#include <vector>

namespace dorvek {

// "," normally, ";" when the decimal separator is a comma.
char ListSeparator(char decimalSeparator);

// Up to 15 numbers from one line. Numbers end at a blank, tab, carriage return or the
// list separator and are read with the given decimal separator; a token that is not a
// number ends the scan (the numbers found so far are kept).
std::vector<long double> ScanNumbers(const std::string& line, char decimalSeparator);

// Lines ended by CR LF, LF or CR; a last line without an end is a line too.
std::vector<std::string> SplitLines(const std::string& text);

} // namespace dorvek
