#pragma once
// Measured pile-head load-settlement curves of a project (static load tests): read from CSV
// files of two columns or typed into a table, kept in a side file beside the project
// (".dv4m") so that the project file's layout stays as it is.
//
// The side file, lines ended by CR LF (LF alone is read too), blanks between words:
//   DORVEK MEASURED CURVES 1          first line: what the file is and its layout version
//   UNITS 1                           unit system of the values: 1 English (lb, in), 2 S.I.
//                                     (kN, m)
//   CURVE Load test 1                 a curve and its name (the rest of the line)
//   0 0                               its points in test order: head load, head settlement
//   50000 0.016
//   CURVE ...                         further curves
// Empty lines and lines starting with "#" are ignored.

#include "model/io/ReadError.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dorvek {

// A fault of a measured curve or of its file; the message names the file and the line (or
// the curve and the point) at fault.
class EMeasuredError : public EInOutError {
public:
    using EInOutError::EInOutError;
};

struct TMeasuredPoint {
    long double load = 0;       // head load (lb or kN), compression positive
    long double settlement = 0; // head settlement (in or m), downward positive
};

struct TMeasuredCurve {
    std::string name;
    std::vector<TMeasuredPoint> points;
};

struct TMeasuredCurves {
    int units = 1; // 1 English, 2 S.I.
    std::vector<TMeasuredCurve> curves;
    bool empty() const { return curves.empty(); }
};

// Why the points are not a measured curve, or "" when they are: at least two points, none
// negative, settlements in test order (never decreasing). `where(k)` names point k in the
// message, e.g. "line 7" or "row 3".
std::string MeasuredPointsFault(const std::vector<TMeasuredPoint>& points,
                                const std::function<std::string(std::size_t)>& where);

// A CSV text of two columns, head load and settlement, separated by a comma, semicolon, tab
// or blanks, "." as decimal point. The first line may be a header of texts; empty lines and
// lines starting with "#" are skipped. Faults raise EMeasuredError naming `source` and the
// line.
TMeasuredCurve ParseMeasuredCsv(const std::string& text, const std::string& name,
                                const std::string& source);
// The file read as above, named after the file (its name without folder and extension).
TMeasuredCurve ReadMeasuredCsv(const std::filesystem::path& file);

// The side file beside a project file: the project's name with ".dv4m".
std::filesystem::path MeasuredFileName(const std::filesystem::path& projectFile);

std::string MeasuredFileText(const TMeasuredCurves& curves);
// Faults raise EMeasuredError naming `source` and the line.
TMeasuredCurves ParseMeasuredFile(const std::string& text, const std::string& source);

// The project's curves: none when the side file does not exist; a file that cannot be read
// or holds a fault raises EMeasuredError.
TMeasuredCurves ReadMeasuredCurves(const std::filesystem::path& projectFile);
// Writes the side file, or removes it when there are no curves (raises EInOutError).
void WriteMeasuredCurves(const std::filesystem::path& projectFile, const TMeasuredCurves& curves);

// The values converted into another unit system (loads lb <-> kN, settlements in <-> m).
void ConvertMeasuredCurves(TMeasuredCurves& curves, int units);

} // namespace dorvek
