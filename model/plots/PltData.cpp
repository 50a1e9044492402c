#include "model/plots/PltData.h"

#include "model/io/WordRead.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <cstdint>

namespace dorvek {

namespace {

const char* const IncompleteFile = "This file either invalid or incomplete.";

void PreparePlots(TResultGraphs& g) {
    g.Summary = {};
    for (TGraphPlot* plot :
         {&g.pltLoad, &g.pltDisp, &g.pltDispDown, &g.pltTZcurves, &g.pltLoadLoads, &g.pltDispLoads})
        plot->LimitActive = false;
    for (TGraphPlot* plot : g.All()) {
        ResetGraphPlot(*plot);
        plot->DefLineNames.clear();
        // An overlay left from an earlier project must not show with these results.
        plot->List(TLineKind::Layers).SetLineCount(0);
    }
    g.pltAxial.List(TLineKind::Main).SetLineCount(1);
    for (TGraphPlot* plot :
         {&g.pltLoad, &g.pltDisp, &g.pltDispDown, &g.pltLoadLoads, &g.pltDispLoads})
        plot->List(TLineKind::Main).SetLineCount(9);
    g.PltQW.List(TLineKind::Main).SetLineCount(1);
    g.pltAxialLoads.List(TLineKind::Main).SetLineCount(2);
}

// Reads the blocks in file order; every reader error ends the reading.
class PlotDataLoader {
public:
    PlotDataLoader(TResultGraphs& graphs, const PlotProjectInfo& project, TWordReader& reader)
        : g(graphs), fProject(project), fReader(reader) {
        for (int i = 0; i < reader.LineCount(); ++i) fWords += reader.WordCount(i);
    }

    void Load() {
        ReadTZCurves();
        ReadQWCurve();
        ReadTipMovements();
        if (fProject.downdrag == 1) AddSettlementLine();
        ReadSummary();
        if (fProject.nloadmethod == 2) ReadAppliedLoads();
        for (TGraphPlot* plot :
             {&g.pltLoad, &g.pltDisp, &g.pltDispDown, &g.pltLoadLoads, &g.pltDispLoads})
            AddLayersGraphPlot(*plot, fProject.layers, fProject.units, fProject.userTz,
                               fProject.userQw);
        g.SetUnits(fUnit);
    }

private:
    // A count that the file cannot hold is a damaged file, refused before anything is
    // allocated for it.
    int Count(std::int64_t wordsPerItem) {
        const int n = fReader.ReadInteger();
        if (n < 0) throw EInOutError(IncompleteFile);
        CheckRoom(n, wordsPerItem);
        return n;
    }

    void CheckRoom(std::int64_t items, std::int64_t wordsPerItem) const {
        if (items > 0 && wordsPerItem > fWords / items) throw EInOutError(IncompleteFile);
    }

    long double Depth(long double depth) const { return fUnit == English ? depth / 12 : depth; }
    long double Load(long double load) const { return fUnit == English ? load / 1000 : load; }

    void ReadTZCurves() {
        TLineList& curves = g.pltTZcurves.List(TLineKind::Main);
        const int n = Count(3);
        curves.SetLineCount(n);
        const char* unit = fProject.units == SI ? " m" : " in";
        std::vector<int> points(static_cast<size_t>(n), 0);
        int longest = 0;
        for (int i = 0; i < n; ++i) {
            fReader.ReadInteger(); // curve number
            const int m = Count(2);
            const long double depth = fReader.ReadFloat();
            TLine& line = curves.Line(i);
            line.SetLineName(FormatShortest(depth, fProject.decimalSeparator) + unit);
            longest = std::max({longest, m, 2});
            curves.SetCount(longest);
            for (int j = 0; j < m; ++j) {
                line.Point(j).y = fReader.ReadFloat(); // load transfer t
                line.Point(j).x = fReader.ReadFloat(); // movement z
            }
            points[static_cast<size_t>(i)] = m;
        }
        // Shorter curves end in a run of their last point, so all have the same length.
        for (int i = 0; i < n; ++i) {
            const int m = points[static_cast<size_t>(i)];
            TLine& line = curves.Line(i);
            for (int j = m; m > 0 && j < line.Count(); ++j) line.Point(j) = line.Point(m - 1);
        }
    }

    void ReadQWCurve() {
        TLineList& curve = g.PltQW.List(TLineKind::Main);
        curve.SetCount(Count(2));
        for (int j = 0; j < curve.Count(); ++j) {
            curve.Point(0, j).x = fReader.ReadFloat(); // tip load Q
            curve.Point(0, j).y = fReader.ReadFloat(); // tip movement w
        }
    }

    void ReadTipMovements() {
        const int s = Count(1);
        const int d = Count(1);
        fUnit = fReader.ReadInteger();
        g.Summary.units = fUnit;
        // d triples per load case, then its summary line of four values
        CheckRoom(s, 3 * static_cast<std::int64_t>(d) + 4);
        fCases = s;
        TLineList& loads = g.pltLoad.List(TLineKind::Main);
        TLineList& disps = g.pltDisp.List(TLineKind::Main);
        TLineList& dispsDown = g.pltDispDown.List(TLineKind::Main);
        loads.SetLineCount(s);
        disps.SetLineCount(s);
        dispsDown.SetLineCount(fProject.downdrag == 1 ? s + 1 : s);
        for (TLineList* lines : {&loads, &disps, &dispsDown}) lines->SetCount(d);
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < d; ++j) {
                const long double depth = Depth(fReader.ReadFloat());
                const long double load = Load(fReader.ReadFloat());
                const long double movement = fReader.ReadFloat();
                loads.Point(i, j) = {load, depth};
                disps.Point(i, j) = {movement, depth};
                dispsDown.Point(i, j) = {movement, depth};
            }
        }
    }

    // Taken from the project's settlement table, not from the file.
    void AddSettlementLine() {
        TLine& line = g.pltDispDown.List(TLineKind::Main).Line(fCases);
        line.SetCount(static_cast<int>(fProject.settlement.size()));
        for (int j = 0; j < line.Count(); ++j) {
            const SettlementRow& row = fProject.settlement[static_cast<size_t>(j)];
            line.Point(j).x = row.settlement;
            line.Point(j).y = fProject.units == English ? row.depth / 12 : row.depth;
        }
        line.SetLineName("Soil Settl.");
    }

    void ReadSummary() {
        const int s = fCases;
        TLineList& axial = g.pltAxial.List(TLineKind::Main);
        TLineList& axialLoads = g.pltAxialLoads.List(TLineKind::Main);
        axial.SetCount(s + 1);
        axialLoads.SetCount(s + 1);
        for (int j = 1; j <= s; ++j) {
            TPileResult result;
            result.headLoad = fReader.ReadFloat();
            result.headMove = fReader.ReadFloat();
            result.tipMove = fReader.ReadFloat();
            result.tipLoad = fReader.ReadFloat();
            g.Summary.tipMovements.push_back(result);
            TFloatPoint point;
            point.x = Load(result.headLoad);
            point.y = result.headMove;
            axial.Point(0, j) = point;
            axialLoads.Point(0, j) = point;
        }
        // The curve starts at the origin unless down-drag or a first load that is not a
        // compression makes the origin meaningless.
        TFloatPoint first;
        if (s >= 1 && (fProject.downdrag != 0 || axial.Point(0, 1).x <= 0))
            first = axial.Point(0, 1);
        axial.Point(0, 0) = first;
        axialLoads.Point(0, 0) = first;
        NameTipMovementCurves();
    }

    // "w = 0.01 in, Q = 201.7 kips": a report must say which case each distribution curve is.
    // Default names only, so that names kept in the graph settings file still win.
    void NameTipMovementCurves() {
        std::vector<std::string> names;
        const char sep = fProject.decimalSeparator;
        for (const TPileResult& r : g.Summary.tipMovements)
            names.push_back("w = " + FormatGeneral(r.tipMove, 4, sep) + " " +
                            PlotUnitLabel("L", fUnit) +
                            ", Q = " + FormatGeneral(Load(r.headLoad), 4, sep) + " " +
                            PlotUnitLabel("F1", fUnit));
        g.pltLoad.DefLineNames = names;
        g.pltDisp.DefLineNames = names;
        g.pltDispDown.DefLineNames = names;
    }

    void ReadAppliedLoads() {
        const int a = Count(1);
        const int d = Count(1);
        fUnit = fReader.ReadInteger();
        g.Summary.units = fUnit;
        // flag, four values of the result line, d triples
        CheckRoom(a, 5 + 3 * static_cast<std::int64_t>(d));
        TLineList& loads = g.pltLoadLoads.List(TLineKind::Main);
        TLineList& disps = g.pltDispLoads.List(TLineKind::Main);
        TLineList& axial = g.pltAxialLoads.List(TLineKind::Main);
        loads.SetLineCount(a);
        disps.SetLineCount(a);
        loads.SetCount(d);
        disps.SetCount(d);
        const char* unit = fUnit == English ? " kips" : " kN";
        int k = 0; // converged loads so far
        for (int i = 0; i < a; ++i) {
            TPileResult result;
            result.converged = fReader.ReadInteger() != 0;
            result.headLoad = fReader.ReadFloat();
            result.headMove = fReader.ReadFloat();
            result.tipMove = fReader.ReadFloat();
            result.tipLoad = fReader.ReadFloat();
            g.Summary.appliedLoads.push_back(result);
            if (!result.converged) {
                for (std::int64_t w = 0; w < 3 * static_cast<std::int64_t>(d); ++w)
                    fReader.ReadFloat();
                continue;
            }
            axial.Line(0).SetLineName("From Applied Displacements          ");
            axial.Line(1).SetLineName("From Applied Loads                  ");
            TLine& applied = axial.Line(1);
            applied.SetCount(k + 1);
            applied.Point(k).x = Load(result.headLoad);
            applied.Point(k).y = result.headMove;
            loads.SetLineCount(k + 1);
            disps.SetLineCount(k + 1);
            const std::string name =
                FormatShortest(applied.Point(k).x, fProject.decimalSeparator) + unit;
            loads.Line(k).SetLineName(name);
            disps.Line(k).SetLineName(name);
            for (int j = 0; j < d; ++j) {
                const long double depth = Depth(fReader.ReadFloat());
                const long double load = Load(fReader.ReadFloat());
                const long double movement = fReader.ReadFloat();
                loads.Point(k, j) = {load, depth};
                disps.Point(k, j) = {movement, depth};
            }
            ++k;
        }
        // Loads that did not converge leave no lines of zeros behind.
        loads.SetLineCount(k);
        disps.SetLineCount(k);
        if (k == 0) axial.SetLineCount(1);
    }

    TResultGraphs& g;
    const PlotProjectInfo& fProject;
    TWordReader& fReader;
    std::int64_t fWords = 0; // words in the whole file: no count can exceed them
    int fUnit = English;
    int fCases = 0;
};

} // namespace

bool ReadPlotData(TResultGraphs& graphs, const std::filesystem::path& plotFile, bool reportErrors,
                  const PlotProjectInfo& project, const PlotErrorReporter& report) {
    PreparePlots(graphs);
    try {
        TWordReader reader(plotFile);
        PlotDataLoader(graphs, project, reader).Load();
        return true;
    } catch (const EInOutError&) {
        if (reportErrors && report) report(RunErrorMessage);
        return false;
    }
}

} // namespace dorvek
