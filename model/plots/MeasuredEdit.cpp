#include "model/plots/MeasuredEdit.h"

#include "model/tables/Evaluator.h"
#include "model/tables/NumberFormat.h"

#include <cmath>

namespace dorvek {

namespace {

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

long double Cell(const std::string& text, const std::string& where, const char* what) {
    if (Blank(text)) throw EMeasuredError(where + ": the " + what + " is missing");
    long double value = 0;
    try {
        value = EvaluateExpression(text);
    } catch (const std::exception& e) {
        throw EMeasuredError(where + ": the " + what + " \"" + text + "\" is not a number (" +
                             e.what() + ")");
    }
    if (!std::isfinite(value))
        throw EMeasuredError(where + ": the " + what + " \"" + text + "\" is not a number");
    return value;
}

} // namespace

std::vector<TMeasuredEditCurve> MeasuredEditCurves(const TMeasuredCurves& curves) {
    std::vector<TMeasuredEditCurve> edit;
    for (const TMeasuredCurve& curve : curves.curves) {
        TMeasuredEditCurve c{curve.name, {}};
        for (const TMeasuredPoint& p : curve.points)
            c.rows.push_back({FormatShortest(p.load), FormatShortest(p.settlement)});
        edit.push_back(std::move(c));
    }
    return edit;
}

TMeasuredCurves MeasuredCurvesFromEdit(const std::vector<TMeasuredEditCurve>& edit, int units) {
    TMeasuredCurves curves;
    curves.units = units;
    for (std::size_t c = 0; c < edit.size(); ++c) {
        TMeasuredCurve curve;
        curve.name = Blank(edit[c].name) ? "Curve " + std::to_string(c + 1) : edit[c].name;
        const std::string prefix = "Curve \"" + curve.name + "\"";
        std::vector<std::size_t> rows; // 1-based row of each point
        for (std::size_t r = 0; r < edit[c].rows.size(); ++r) {
            const TMeasuredEditRow& row = edit[c].rows[r];
            if (Blank(row.load) && Blank(row.settlement)) continue;
            const std::string where = prefix + ", row " + std::to_string(r + 1);
            curve.points.push_back(
                {Cell(row.load, where, "head load"), Cell(row.settlement, where, "settlement")});
            rows.push_back(r + 1);
        }
        const std::string fault = MeasuredPointsFault(curve.points, [&](std::size_t k) {
            return "row " + std::to_string(k < rows.size() ? rows[k] : 1);
        });
        if (!fault.empty())
            throw EMeasuredError(prefix + (fault.rfind("row ", 0) == 0 ? ", " : ": ") + fault);
        curves.curves.push_back(std::move(curve));
    }
    return curves;
}

} // namespace dorvek
