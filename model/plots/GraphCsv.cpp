#include "model/plots/GraphCsv.h"

#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"
#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace dorvek {

namespace fs = std::filesystem;

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string GraphCsvFileName(const std::string& caption) {
    std::string name;
    for (unsigned char c : caption) {
        if (std::isalnum(c) != 0 || c == '-' || c == '.') {
            name += static_cast<char>(c);
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && (name.back() == '_' || name.back() == '.')) name.pop_back();
    while (!name.empty() && name.front() == '.') name.erase(name.begin());
    if (name.empty()) name = "Graph";
    return name + ".csv";
}

std::string GraphCsvText(const TGraphPlot& plot) {
    std::string text;
    const std::string xTitle = plot.XTitle();
    const std::string yTitle = plot.YTitle();
    const TLineList& curves = plot.List(TLineKind::Main);
    int rows = 0;
    for (int i = 0; i < curves.LineCount(); ++i) {
        const std::string name = Trimmed(plot.LegendName(i));
        if (i > 0) text += ',';
        text += CsvField(name + ": " + xTitle) + ',' + CsvField(name + ": " + yTitle);
        rows = std::max(rows, curves.Line(i).Count());
    }
    text += '\n';
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < curves.LineCount(); ++i) {
            if (i > 0) text += ',';
            const TLine& line = curves.Line(i);
            if (j < line.Count())
                text += FormatShortest(line.Point(j).x) + ',' + FormatShortest(line.Point(j).y);
            else
                text += ',';
        }
        text += '\n';
    }
    return text;
}

std::vector<fs::path> WriteGraphsCsv(const std::vector<const TGraphPlot*>& graphs,
                                     const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw GraphCsvError("Cannot create the folder " + dir.string() + ": " + ec.message());
    std::vector<fs::path> written;
    std::set<std::string> used;
    for (const TGraphPlot* plot : graphs) {
        if (!plot->HasSomethingToDraw()) continue;
        const std::string base = GraphCsvFileName(plot->Caption);
        std::string name = base;
        for (int n = 2; !used.insert(name).second; ++n)
            name = base.substr(0, base.size() - 4) + '_' + std::to_string(n) + ".csv";
        const fs::path file = dir / name;
        const std::string text = GraphCsvText(*plot);
        // Whole or not at all: a failed write keeps the file of an earlier run.
        try {
            ReplaceFile(file, text, FileSync::None);
        } catch (const EInOutError& e) {
            throw GraphCsvError(e.what());
        }
        written.push_back(file);
    }
    return written;
}

} // namespace dorvek
