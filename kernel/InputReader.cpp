#include "kernel/InputReader.h"

#include "kernel/Phases.h"
#include "kernel/ReportInput.h"

#include <string>
#include <utility>

namespace dorvek {

namespace {

constexpr std::size_t kTitleWidth = 72;

std::string Nth(std::string_view what, long long k) {
    return std::string(what) + " " + std::to_string(k);
}

// A count that must be at least 1 because later phases cannot work without the items.
void RequirePositive(const FreeFormatReader& in, int count, std::string_view what) {
    if (count < 1) in.refuseLast("an integer of at least 1 (" + std::string(what) + ")");
}

void ReadTitle(FreeFormatReader& in, Store& s) {
    std::string_view line = in.line("the title line");
    s.title = std::string(line.substr(0, kTitleWidth));
    s.title.resize(kTitleWidth, ' ');
}

void ReadControlLine(FreeFormatReader& in, Store& s) {
    in.beginRead();
    s.ninc = in.integer("number of pile increments");
    if (s.ninc < 1 || s.ninc > kMaxIncrements) {
        in.refuseLast("an integer from 1 to " + std::to_string(kMaxIncrements) +
                      " (number of pile increments)");
    }
    s.iprint = in.integer("print option");
    s.iunit = in.integer("unit system");
    SetUnitLabels(s);
}

void ReadCurveSources(FreeFormatReader& in, Store& s) {
    in.beginRead();
    s.methodTz = in.integer("t-z curve source");
    s.methodQw = in.integer("Q-w curve source");
}

void ReadUserTzCurves(FreeFormatReader& in, Store& s) {
    const int ncurv = in.readInteger("number of t-z curves");
    RequirePositive(in, ncurv, "number of t-z curves");
    in.checkCount(ncurv, 3, "number of t-z curves");
    s.userTz.reserve(static_cast<std::size_t>(ncurv));
    for (int k = 1; k <= ncurv; ++k) {
        const std::string curve = Nth("of t-z curve", k);
        TzCurve c;
        in.beginRead();
        c.number = in.integer("curve number " + curve);
        c.depth = in.real("depth " + curve);
        const int npts = in.integer("number of points " + curve);
        RequirePositive(in, npts, "number of points " + curve);
        in.checkCount(npts, 2, "number of points " + curve);
        c.t.reserve(static_cast<std::size_t>(npts));
        c.z.reserve(static_cast<std::size_t>(npts));
        for (int i = 1; i <= npts; ++i) {
            const std::string point = " of point " + std::to_string(i) + " " + curve;
            in.beginRead();
            c.t.push_back(in.real("load transfer t" + point));
            c.z.push_back(in.real("movement z" + point));
        }
        s.userTz.push_back(std::move(c));
    }
}

void ReadUserQwCurve(FreeFormatReader& in, Store& s) {
    const int nqw = in.readInteger("number of Q-w points");
    if (nqw < 1) return;
    in.checkCount(nqw, 2, "number of Q-w points");
    s.qwQ.reserve(static_cast<std::size_t>(nqw));
    s.qwW.reserve(static_cast<std::size_t>(nqw));
    in.beginRead();
    for (int k = 1; k <= nqw; ++k) {
        const std::string point = " of Q-w point " + std::to_string(k);
        s.qwQ.push_back(in.real("tip load Q" + point));
        s.qwW.push_back(in.real("tip movement w" + point));
    }
}

void ReadLayerBlock(FreeFormatReader& in, Store& s, FixedWriter& report) {
    const int nlayer = in.readInteger("number of soil layers");
    RequirePositive(in, nlayer, "number of soil layers");
    // A layer takes a header line of 4 values and two property lines of 9.
    in.checkCount(nlayer, 4 + 2 * 9, "number of soil layers");
    ReportLayerHeading(report, s);

    s.layers.resize(static_cast<std::size_t>(nlayer));
    for (std::size_t j = 0; j < s.layers.size(); ++j) {
        const std::string layer = Nth("of layer", static_cast<long long>(j + 1));
        Layer& l = s.layers[j];
        in.beginRead();
        l.number = in.integer("layer number " + layer);
        l.type = in.integer("soil-type code " + layer);
        l.xtop = in.real("top depth XTOP " + layer);
        l.xbot = in.real("bottom depth XBOT " + layer);
        ReportLayerRow(report, l);
    }

    ReportUnitWeightHeading(report, s);
    s.strength.resize(2 * s.layers.size());
    for (std::size_t i = 0; i < s.strength.size(); ++i) {
        const std::size_t j = i / 2;
        const std::string row = "of property line " + std::to_string(i + 1) + " (" +
                                (i % 2 == 0 ? "top" : "bottom") + " of layer " +
                                std::to_string(j + 1) + ")";
        StrengthRow& r = s.strength[i];
        in.beginRead();
        r.gam1 = in.real("unit weight GAM1 " + row);
        r.c1 = in.real("undrained shear strength C1 " + row);
        r.phi1 = in.real("friction angle PHI1 " + row);
        r.ee50 = in.real("EE50 " + row);
        r.blowCount = in.real("blow count " + row);
        r.zpeak = in.real("ZPEAK " + row);
        r.tresRatio = in.real("tres/tmax " + row);
        r.unitSide = in.real("unit side friction " + row);
        r.unitTip = in.real("unit tip resistance " + row);
        // Depths come from the layer boundaries, not from the property lines.
        r.xstr = i % 2 == 0 ? s.layers[j].xtop : s.layers[j].xbot;
    }
    ReportStrengthTables(report, s);
}

void ReadStiffness(FreeFormatReader& in, Store& s, FixedWriter& report) {
    const int nae = in.readInteger("number of AE points");
    RequirePositive(in, nae, "number of AE points");
    in.checkCount(nae, 2, "number of AE points");
    s.ae.reserve(static_cast<std::size_t>(nae));
    s.aeDepth.reserve(static_cast<std::size_t>(nae));
    in.beginRead();
    for (int k = 1; k <= nae; ++k) {
        const std::string point = " of AE point " + std::to_string(k);
        s.ae.push_back(in.real("AE" + point));
        s.aeDepth.push_back(in.real("depth" + point));
    }
    ReportStiffness(report, s);
}

void ReadPileLine(FreeFormatReader& in, Store& s, FixedWriter& report) {
    in.beginRead();
    s.tol = in.real("tolerance");
    s.length = in.real("pile length");
    s.head = in.real("pile-head coordinate");
    s.diameter = in.real("outer diameter");
    s.tipArea = in.real("tip area");
    ReportPile(report, s);
}

void ReadTipMovements(FreeFormatReader& in, Store& s) {
    s.ntipRead = in.readInteger("number of tip movements");
    if (s.ntipRead < 1) return;
    in.checkCount(s.ntipRead, 1, "number of tip movements");
    s.tipMovements.reserve(static_cast<std::size_t>(s.ntipRead));
    in.beginRead();
    for (int k = 1; k <= s.ntipRead; ++k) s.tipMovements.push_back(in.real(Nth("tip movement", k)));
}

void ReadLoads(FreeFormatReader& in, Store& s) {
    const int nload = in.readInteger("number of pile-head loads");
    if (nload < 1) return;
    in.checkCount(nload, 1, "number of pile-head loads");
    s.loads.reserve(static_cast<std::size_t>(nload));
    for (int k = 1; k <= nload; ++k) {
        in.beginRead();
        const float load = in.real(Nth("pile-head load", k));
        if (load < 0) ++s.negativeLoads;
        if (load > 0) ++s.positiveLoads;
        s.loads.push_back(load);
    }
}

void ReadSettlement(FreeFormatReader& in, Store& s, FixedWriter& report) {
    const int nset = in.readInteger("number of soil settlement points");
    if (nset < 1) return;
    in.checkCount(nset, 2, "number of soil settlement points");
    s.settleDepth.reserve(static_cast<std::size_t>(nset));
    s.settlement.reserve(static_cast<std::size_t>(nset));
    for (int k = 1; k <= nset; ++k) {
        const std::string point = " of settlement point " + std::to_string(k);
        in.beginRead();
        s.settleDepth.push_back(in.real("depth" + point));
        s.settlement.push_back(in.real("settlement" + point));
    }
    ReportSettlement(report, s);
}

void ReadTzFactors(FreeFormatReader& in, Store& s, FixedWriter& report) {
    s.tzFactorFlag = in.readInteger("t-z factor flag");
    if (s.tzFactorFlag < 1) return;
    const int ntzf = in.readInteger("number of t-z factor rows");
    in.checkCount(ntzf, 3, "number of t-z factor rows");
    ReportTzFactorHeading(report, s);
    for (int k = 1; k <= ntzf; ++k) {
        const std::string row = " of t-z factor row " + std::to_string(k);
        in.beginRead();
        s.tzfDepth.push_back(in.real("depth" + row));
        s.tzfT.push_back(in.real("t-multiplier" + row));
        s.tzfZ.push_back(in.real("z-multiplier" + row));
        ReportTzFactorRow(report, s.tzfDepth.back(), s.tzfT.back(), s.tzfZ.back());
    }
}

void ReadQwFactors(FreeFormatReader& in, Store& s, FixedWriter& report) {
    s.qwFactorFlag = in.readInteger("Q-w factor flag");
    if (s.qwFactorFlag < 1) return;
    in.beginRead();
    s.qMultiplier = in.real("Q-multiplier");
    s.wMultiplier = in.real("w-multiplier");
    ReportQwFactors(report, s);
}

} // namespace

void BuildTipMovementList(Store& s, FixedWriter& report) {
    if (s.ntipRead == 0) {
        GenerateTipMovements(s);
    } else if (s.ntipRead > 0) {
        SortAscending(s.tipMovements);
        ReportTipMovements(report, s);
    }
}

void ApplyLoadingFactors(Store& s) {
    if (s.tzFactorFlag >= 1) ApplyTzFactors(s);
    if (s.qwFactorFlag >= 1) ApplyQwFactors(s);
}

void SetUnitLabels(Store& s) {
    const bool english = s.iunit == 1;
    s.labelL = english ? "IN." : " M.";
    s.labelF = english ? "LBS" : "KN.";
    s.labelP = english ? "PSI" : "KPA";
}

void SortAscending(std::vector<float>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::size_t smallest = i;
        for (std::size_t k = i + 1; k < values.size(); ++k) {
            if (values[k] < values[smallest]) smallest = k;
        }
        std::swap(values[i], values[smallest]);
    }
}

void ReadModelInput(FreeFormatReader& in, Store& s, FixedWriter& report) {
    ReadTitle(in, s);
    ReadControlLine(in, s);
    ReportTitle(report, s);
    ReadCurveSources(in, s);
    if (s.methodTz == 2) ReadUserTzCurves(in, s);
    if (s.methodQw == 2) ReadUserQwCurve(in, s);
    if (s.methodTz != 2 || s.methodQw != 2) ReadLayerBlock(in, s, report);
    ReadStiffness(in, s, report);
    ReadPileLine(in, s, report);
}

void ReadLoadingInput(FreeFormatReader& in, Store& s, FixedWriter& report) {
    ReadTipMovements(in, s);
    ReadLoads(in, s);
    BuildTipMovementList(s, report);
    if (!s.loads.empty()) ReportLoads(report, s);
    ReadSettlement(in, s, report);
    ReadTzFactors(in, s, report);
    ReadQwFactors(in, s, report);
    // Nothing read or echoed depends on the factors, so they are applied once all is read.
    ApplyLoadingFactors(s);
}

void ReadLoadingRecords(FreeFormatReader& in, Store& s) {
    FixedWriter none;
    ReadTipMovements(in, s);
    ReadLoads(in, s);
    ReadSettlement(in, s, none);
    ReadTzFactors(in, s, none);
    ReadQwFactors(in, s, none);
}

} // namespace dorvek
