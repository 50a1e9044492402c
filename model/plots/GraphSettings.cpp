#include "model/plots/GraphSettings.h"

#include "model/plots/LoadTestOverlay.h"
#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <system_error>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

const char* const CaptionMark = ":Plot Caption";
const char* const TitleMark = ":Graph Title";
// The additions of later versions follow every graph's block, so that a reader that knows only
// the blocks stops before them.
const char* const ExtrasMark = ":Display Additions";

std::string Flag(bool on) {
    return on ? "1" : "0";
}

// A name or caption must stay on its own line, or every later line is read out of step.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

void AppendBlock(std::string& out, const TGraphPlot& plot) {
    // Lines added over the results (load tests) are rebuilt with them, never kept.
    const TLineList& curves = plot.List(TLineKind::Main);
    const int lines = ComputedLineCount(plot);
    const int points = curves.Count();
    out += CaptionMark;
    out += '\n';
    out += OneLine(plot.Caption) + '\n';
    out += std::to_string(lines) + ' ' + std::to_string(points) + "   :LineCount, Count\n";
    if (lines <= 0 || points <= 0) return;
    out +=
        Flag(plot.ShowLegend) + (plot.ShowLegend ? " : Show Legend\n" : " : Do not Show Legend\n");
    out += Flag(plot.ShowLayers) +
           (plot.ShowLayers ? " : Show Soil Layers\n" : " : Do not Show Soil Layers\n");
    out += Flag(plot.ShowWall) +
           (plot.ShowWall ? " : Show Wall Geometry\n" : " : Do not Show Wall Geometry\n");
    out += std::to_string(plot.Markers) + "   :Markers Index\n";
    out += std::to_string(plot.SizeFont) + "   :FontSize Index\n";
    out += std::to_string(plot.WidthLine) + "   :LineWidth Index\n";
    out += TitleMark;
    out += '\n';
    out += OneLine(plot.UserCaption) + '\n';
    out += Flag(plot.UserCaptionOnTop) +
           (plot.UserCaptionOnTop ? " : User Caption on Top\n" : " : User Caption on Bottom\n");
    for (int k = 1; k <= lines; ++k) {
        out += ":Legend, Line " + std::to_string(k) + '\n';
        out += OneLine(curves.Line(k - 1).LineName()) + '\n';
    }
    for (int k = 1; k <= lines; ++k) {
        const TLine& line = curves.Line(k - 1);
        out += Flag(line.Active) + ' ' + Flag(line.Visible) + " : Active, Visible, Line " +
               std::to_string(k) + '\n';
    }
}

std::string RangeLine(const TGraphPlot::TAxisRange& r, const char* what) {
    return Flag(r.Set) + ' ' + FormatGeneral(r.From, 18) + ' ' + FormatGeneral(r.To, 18) + ' ' +
           FormatGeneral(r.Step, 18) + "   :" + what + " Range Set, From, To, Step\n";
}

// Written only when some graph uses an addition: files of plain settings stay as they were.
void AppendExtras(std::string& out, const std::vector<const TGraphPlot*>& graphs) {
    const bool any = std::any_of(graphs.begin(), graphs.end(), [](const TGraphPlot* p) {
        return p->LegendOffCurves || p->PaletteKind != 0 || p->XRange.Set || p->YRange.Set;
    });
    if (!any) return;
    out += ExtrasMark;
    out += '\n';
    for (size_t k = 0; k < graphs.size(); ++k) {
        const TGraphPlot& plot = *graphs[k];
        out += ":Graph " + std::to_string(k + 1) + '\n';
        out += Flag(plot.LegendOffCurves) + ' ' + std::to_string(plot.PaletteKind) +
               "   :Legend Off the Curves, Palette\n";
        out += RangeLine(plot.XRange, "X");
        out += RangeLine(plot.YRange, "Y");
    }
}

// Lines of the file, each without its line end (LF or CR LF).
class LineCursor {
public:
    explicit LineCursor(const std::string& text) {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            fLines.push_back(std::move(line));
            start = end + 1;
        }
    }

    bool AtEnd() const { return fNext >= fLines.size(); }
    bool NextIs(const char* text) const { return !AtEnd() && fLines[fNext] == text; }

    const std::string& Text() {
        if (AtEnd()) throw GraphSettingsError("This file either invalid or incomplete.");
        return fLines[fNext++];
    }

    // An integer at the start of the next line; the rest of the line is ignored.
    int Number() { return Numbers(1)[0]; }

    std::vector<int> Numbers(int n) {
        const std::string& line = Text();
        std::vector<int> values;
        const char* p = line.data();
        const char* end = line.data() + line.size();
        for (int i = 0; i < n; ++i) {
            while (p < end && (*p == ' ' || *p == '\t')) ++p;
            int value = 0;
            const auto [next, ec] = std::from_chars(p, end, value);
            if (ec != std::errc()) {
                throw GraphSettingsError("Error on Line " + std::to_string(fNext) + " Item " +
                                         std::to_string(i + 1) +
                                         "\rAn integer was expected but not found.");
            }
            values.push_back(value);
            p = next;
        }
        return values;
    }

private:
    std::vector<std::string> fLines;
    size_t fNext = 0;
};

struct CurveSettings {
    std::string name;
    bool active = true;
    bool visible = true;
};

struct BlockSettings {
    int lineCount = 0;
    int count = 0;
    bool full = false; // both counts positive: the settings follow
    bool showLegend = true, showLayers = false, showWall = false;
    int markers = 1, sizeFont = 10, widthLine = 1;
    std::string userCaption;
    bool userCaptionOnTop = false;
    std::vector<CurveSettings> curves;
};

// Nothing when the block does not belong to the graph of that caption: the file was written
// for another set of graphs and would be read out of step.
std::optional<BlockSettings> ReadBlock(LineCursor& in, const std::string& caption) {
    BlockSettings block;
    if (in.Text() != CaptionMark || in.Text() != caption) return std::nullopt;
    const std::vector<int> counts = in.Numbers(2);
    block.lineCount = counts[0];
    block.count = counts[1];
    block.full = block.lineCount > 0 && block.count > 0;
    if (!block.full) return block;
    block.showLegend = in.Number() == 1;
    block.showLayers = in.Number() == 1;
    block.showWall = in.Number() == 1;
    block.markers = in.Number();
    block.sizeFont = in.Number();
    block.widthLine = in.Number();
    if (in.Text() != TitleMark) return std::nullopt;
    block.userCaption = in.Text();
    block.userCaptionOnTop = in.Number() == 1;
    // Grown one curve at a time: a huge count in a damaged file runs into its end instead of
    // allocating for it.
    for (int k = 0; k < block.lineCount; ++k) {
        in.Text();
        block.curves.push_back({in.Text(), true, true});
    }
    for (int k = 0; k < block.lineCount; ++k) {
        const std::vector<int> flags = in.Numbers(2);
        block.curves[static_cast<size_t>(k)].active = flags[0] == 1;
        block.curves[static_cast<size_t>(k)].visible = flags[1] == 1;
    }
    return block;
}

bool OneOf(int value, std::initializer_list<int> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

struct ExtraSettings {
    bool legendOffCurves = false;
    int paletteKind = 0;
    TGraphPlot::TAxisRange x, y;
};

// "set from to step", numbers in C notation; nullopt for anything else.
std::optional<TGraphPlot::TAxisRange> ParseRange(const std::string& line) {
    const char* p = line.c_str();
    char* end = nullptr;
    TGraphPlot::TAxisRange r;
    const long set = std::strtol(p, &end, 10);
    if (end == p) return std::nullopt;
    r.Set = set == 1;
    long double* values[] = {&r.From, &r.To, &r.Step};
    for (long double* v : values) {
        p = end;
        *v = std::strtold(p, &end);
        if (end == p || !std::isfinite(*v)) return std::nullopt;
    }
    return r;
}

// The additions block, graph by graph; a damaged block gives what was read before the damage.
std::vector<ExtraSettings> ReadExtras(LineCursor& in, size_t graphs) {
    std::vector<ExtraSettings> extras;
    if (!in.NextIs(ExtrasMark)) return extras;
    try {
        in.Text();
        for (size_t k = 0; k < graphs; ++k) {
            if (in.Text() != ":Graph " + std::to_string(k + 1)) break;
            const std::vector<int> flags = in.Numbers(2);
            const auto x = ParseRange(in.Text());
            const auto y = ParseRange(in.Text());
            if (!x || !y) break;
            extras.push_back({flags[0] == 1, flags[1] == 1 ? 1 : 0, *x, *y});
        }
    } catch (const GraphSettingsError&) {
    }
    return extras;
}

bool TakeOver(const BlockSettings& block, TGraphPlot& plot) {
    TLineList& curves = plot.List(TLineKind::Main);
    if (!block.full || block.lineCount != ComputedLineCount(plot) || block.count != curves.Count())
        return false;
    plot.ShowLegend = block.showLegend;
    plot.ShowLayers = block.showLayers;
    plot.ShowWall = block.showWall;
    // Only the values the plot menu offers: a damaged number must not reach the drawing,
    // which divides by the font size.
    if (OneOf(block.markers, {0, 1, 2, 3, 5, 10})) plot.Markers = block.markers;
    if (OneOf(block.sizeFont, {10, 15, 20, 25, 30, 40})) plot.SizeFont = block.sizeFont;
    if (OneOf(block.widthLine, {1, 2, 4, 6, 10})) plot.WidthLine = block.widthLine;
    plot.UserCaption = block.userCaption;
    plot.UserCaptionOnTop = block.userCaptionOnTop;
    for (int k = 0; k < block.lineCount; ++k) {
        const CurveSettings& curve = block.curves[static_cast<size_t>(k)];
        TLine& line = curves.Line(k);
        line.SetLineName(curve.name);
        line.Active = curve.active;
        line.Visible = curve.visible;
    }
    plot.LimitActive = false;
    return true;
}

std::vector<const TGraphPlot*> Const(const std::vector<TGraphPlot*>& graphs) {
    return {graphs.begin(), graphs.end()};
}

} // namespace

fs::path GraphSettingsFileName(const fs::path& projectFile) {
    return fs::path(projectFile).replace_extension(".dv4g");
}

fs::path PlotDataFileName(const fs::path& projectFile) {
    return fs::path(projectFile).replace_extension(".dv4p");
}

std::string GraphParamsText(const std::vector<const TGraphPlot*>& graphs) {
    std::string text;
    for (const TGraphPlot* plot : graphs) AppendBlock(text, *plot);
    AppendExtras(text, graphs);
    return text;
}

void WriteGraphParamsFile(const fs::path& file, const std::vector<const TGraphPlot*>& graphs) {
    const std::string text = GraphParamsText(graphs);
    fs::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw GraphSettingsError("Cannot write the graph settings file " + file.string());
        }
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw GraphSettingsError("Cannot write the graph settings file " + file.string() + ": " +
                                 ec.message());
    }
}

bool SaveGraphParams(TResultGraphs& graphs, const fs::path& projectFile, bool showOutput,
                     int downdrag) {
    if (!showOutput) return false;
    std::error_code ec;
    if (!fs::exists(PlotDataFileName(projectFile), ec)) return false;
    const std::vector<TGraphPlot*> kept = graphs.SettingsGraphs(downdrag);
    bool anyChange = false;
    for (const TGraphPlot* plot : kept) anyChange = anyChange || plot->AnyChange;
    if (!anyChange) return false;
    WriteGraphParamsFile(GraphSettingsFileName(projectFile), Const(kept));
    for (TGraphPlot* plot : kept) plot->AnyChange = false;
    return true;
}

GraphParamsResult ApplyGraphParamsText(const std::string& text,
                                       const std::vector<TGraphPlot*>& graphs) {
    // The whole file is parsed before anything is taken over, so that a file whose blocks
    // belong to other graphs (the other down-drag setting) is recognised by its captions.
    LineCursor in(text);
    std::vector<BlockSettings> blocks;
    std::optional<GraphSettingsError> failure;
    try {
        while (blocks.size() < graphs.size()) {
            std::optional<BlockSettings> block = ReadBlock(in, graphs[blocks.size()]->Caption);
            if (!block) return GraphParamsResult::Ignored;
            blocks.push_back(std::move(*block));
        }
    } catch (const GraphSettingsError& error) {
        failure = error;
    }
    const std::vector<ExtraSettings> extras =
        failure ? std::vector<ExtraSettings>{} : ReadExtras(in, graphs.size());
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!TakeOver(blocks[i], *graphs[i]) || i >= extras.size()) continue;
        graphs[i]->LegendOffCurves = extras[i].legendOffCurves;
        graphs[i]->PaletteKind = extras[i].paletteKind;
        graphs[i]->XRange = extras[i].x;
        graphs[i]->YRange = extras[i].y;
    }
    if (failure) throw *failure;
    return GraphParamsResult::Read;
}

GraphParamsResult ReadGraphParams(TResultGraphs& graphs, const fs::path& projectFile,
                                  bool showOutput, int downdrag) {
    if (!showOutput) return GraphParamsResult::NotRead;
    const fs::path file = GraphSettingsFileName(projectFile);
    std::error_code ec;
    if (!fs::exists(PlotDataFileName(projectFile), ec) || !fs::exists(file, ec))
        return GraphParamsResult::NotRead;
    std::ifstream in(file, std::ios::binary);
    if (!in) throw GraphSettingsError("Cannot read the graph settings file " + file.string());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw GraphSettingsError("Cannot read the graph settings file " + file.string());
    return ApplyGraphParamsText(text, graphs.SettingsGraphs(downdrag));
}

} // namespace dorvek
