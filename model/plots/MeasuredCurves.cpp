#include "model/plots/MeasuredCurves.h"

#include "model/io/AtomicFile.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/UnitCodes.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirstLine = "DORVEK MEASURED CURVES 1";

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Lines without their ends; a text that ends with a line end has no empty last line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The cells of a CSV line: split at commas, semicolons or tabs when it has any, else at
// blanks; trimmed, surrounding quotes removed, empty trailing cells dropped.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    const bool separated = line.find_first_of(",;\t") != std::string::npos;
    if (separated) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = line.find_first_of(",;\t", start);
            cells.push_back(Trimmed(line.substr(start, end - start)));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    } else {
        std::istringstream words(line);
        std::string word;
        while (words >> word) cells.push_back(word);
    }
    for (std::string& cell : cells)
        if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
            cell = Trimmed(cell.substr(1, cell.size() - 2));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

bool Number(std::string text, long double& value) {
    if (!text.empty() && text.front() == '+') text.erase(text.begin());
    return ParseNumberChecked(text, value) == NumberParse::Ok && std::isfinite(value);
}

std::string LineName(std::size_t line) {
    return "line " + std::to_string(line);
}

// Two cells of numbers on `line`, or an EMeasuredError naming it.
TMeasuredPoint PointOf(const std::vector<std::string>& cells, const std::string& where) {
    if (cells.size() != 2)
        throw EMeasuredError(where + ": expected two numbers, the head load and the settlement (" +
                             std::to_string(cells.size()) +
                             (cells.size() == 1 ? " value" : " values") + " found)");
    TMeasuredPoint point;
    if (!Number(cells[0], point.load))
        throw EMeasuredError(where + ": the head load \"" + cells[0] + "\" is not a number");
    if (!Number(cells[1], point.settlement))
        throw EMeasuredError(where + ": the settlement \"" + cells[1] + "\" is not a number");
    return point;
}

// A curve's points with the line each came from, checked together.
struct PendingCurve {
    TMeasuredCurve curve;
    std::vector<std::size_t> lines;
    std::size_t header = 0; // line of the CURVE keyword (side file)
};

void Check(const PendingCurve& pending, const std::string& source) {
    const std::string fault = MeasuredPointsFault(pending.curve.points, [&](std::size_t k) {
        return k < pending.lines.size() ? LineName(pending.lines[k]) : LineName(pending.header);
    });
    if (fault.empty()) return;
    const std::string curve =
        pending.header ? " (curve \"" + pending.curve.name + "\")" : std::string();
    throw EMeasuredError(source + curve + (fault.rfind("line ", 0) == 0 ? ", " : ": ") + fault);
}

std::string ReadText(const fs::path& file) {
    std::error_code ec;
    if (fs::is_directory(file, ec))
        throw EMeasuredError(file.string() + ": is a folder, not a file of measured points");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw EMeasuredError(file.string() + ": the file cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw EMeasuredError(file.string() + ": the file cannot be read");
    return text.str();
}

bool Keyword(const std::string& line, const std::string& word, std::string& rest) {
    if (line.compare(0, word.size(), word) != 0) return false;
    if (line.size() > word.size() && line[word.size()] != ' ' && line[word.size()] != '\t')
        return false;
    rest = Trimmed(line.substr(word.size()));
    return true;
}

} // namespace

std::string MeasuredPointsFault(const std::vector<TMeasuredPoint>& points,
                                const std::function<std::string(std::size_t)>& where) {
    if (points.empty()) return "no points: a measured curve needs at least two";
    if (points.size() == 1)
        return where(0) + ": only one point; a measured curve needs at least two";
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (points[k].load < 0)
            return where(k) + ": the head load is negative (a measured curve is a compression "
                              "test: loads and settlements from 0 upward)";
        if (points[k].settlement < 0)
            return where(k) + ": the settlement is negative (a measured curve is a compression "
                              "test: loads and settlements from 0 upward)";
        if (k > 0 && points[k].settlement < points[k - 1].settlement)
            return where(k) + ": the settlement is smaller than at the point before (" +
                   where(k - 1) +
                   "); the points must follow the test, settlements never "
                   "decreasing";
    }
    return "";
}

TMeasuredCurve ParseMeasuredCsv(const std::string& text, const std::string& name,
                                const std::string& source) {
    PendingCurve pending;
    pending.curve.name = name;
    const std::vector<std::string> lines = SplitLines(text);
    bool seenContent = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (i == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3); // UTF-8 mark
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        const std::vector<std::string> cells = Cells(trimmed);
        long double ignored = 0;
        // The first line of content may be a header: texts, no number first.
        if (!seenContent && !cells.empty() && !Number(cells[0], ignored)) {
            seenContent = true;
            continue;
        }
        seenContent = true;
        pending.curve.points.push_back(PointOf(cells, source + ", " + LineName(i + 1)));
        pending.lines.push_back(i + 1);
    }
    Check(pending, source);
    return pending.curve;
}

TMeasuredCurve ReadMeasuredCsv(const fs::path& file) {
    return ParseMeasuredCsv(ReadText(file), file.stem().string(), file.string());
}

fs::path MeasuredFileName(const fs::path& projectFile) {
    fs::path name = projectFile;
    return name.replace_extension(".dv4m");
}

std::string MeasuredFileText(const TMeasuredCurves& curves) {
    std::string text = std::string(kFirstLine) + "\r\n";
    text += "UNITS " + std::to_string(curves.units) + "\r\n";
    for (const TMeasuredCurve& curve : curves.curves) {
        std::string name = curve.name;
        for (char& c : name)
            if (c == '\r' || c == '\n') c = ' ';
        text += "CURVE " + name + "\r\n";
        for (const TMeasuredPoint& p : curve.points)
            text += FormatShortest(p.load) + ' ' + FormatShortest(p.settlement) + "\r\n";
    }
    return text;
}

TMeasuredCurves ParseMeasuredFile(const std::string& text, const std::string& source) {
    const std::vector<std::string> lines = SplitLines(text);
    TMeasuredCurves result;
    std::vector<PendingCurve> pending;
    bool headed = false, united = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = source + ", " + LineName(i + 1);
        std::string line = Trimmed(lines[i]);
        if (i == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0) line = Trimmed(line.substr(3));
        if (!headed) {
            if (line != kFirstLine)
                throw EMeasuredError(where + ": expected \"" + std::string(kFirstLine) +
                                     "\": not a file of measured curves of this version");
            headed = true;
            continue;
        }
        if (line.empty() || line.front() == '#') continue;
        std::string rest;
        if (Keyword(line, "UNITS", rest)) {
            long double units = 0;
            if (united || !pending.empty())
                throw EMeasuredError(where + ": UNITS must come once, before the first curve");
            if (!Number(rest, units) || (units != 1 && units != 2))
                throw EMeasuredError(where + ": the unit system \"" + rest +
                                     "\" is neither 1 (English) nor 2 (S.I.)");
            result.units = static_cast<int>(units);
            united = true;
        } else if (Keyword(line, "CURVE", rest)) {
            if (!united) throw EMeasuredError(where + ": UNITS must come before the first curve");
            PendingCurve curve;
            curve.curve.name = rest;
            curve.header = i + 1;
            pending.push_back(std::move(curve));
        } else {
            if (pending.empty())
                throw EMeasuredError(where + ": a point before the first CURVE line");
            pending.back().curve.points.push_back(PointOf(Cells(line), where));
            pending.back().lines.push_back(i + 1);
        }
    }
    if (!headed) throw EMeasuredError(source + ": the file is empty");
    if (!united) throw EMeasuredError(source + ": the UNITS line is missing");
    for (PendingCurve& curve : pending) {
        Check(curve, source);
        result.curves.push_back(std::move(curve.curve));
    }
    return result;
}

TMeasuredCurves ReadMeasuredCurves(const fs::path& projectFile) {
    const fs::path file = MeasuredFileName(projectFile);
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    return ParseMeasuredFile(ReadText(file), file.string());
}

void WriteMeasuredCurves(const fs::path& projectFile, const TMeasuredCurves& curves) {
    const fs::path file = MeasuredFileName(projectFile);
    if (curves.empty()) {
        std::error_code ec;
        fs::remove(file, ec);
        if (ec && fs::exists(file))
            throw EInOutError(file.string() + ": cannot be removed (" + ec.message() + ")");
        return;
    }
    ReplaceFile(file, MeasuredFileText(curves));
}

void ConvertMeasuredCurves(TMeasuredCurves& curves, int units) {
    if (units == curves.units) return;
    const long double force = ConversionFactor(curves.units, units, "F");
    const long double length = ConversionFactor(curves.units, units, "L");
    for (TMeasuredCurve& curve : curves.curves) {
        for (TMeasuredPoint& p : curve.points) {
            p.load *= force;
            p.settlement *= length;
        }
    }
    curves.units = units;
}

} // namespace dorvek
