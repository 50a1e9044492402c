#include "kernel/ReportInput.h"

#include "kernel/PathParts.h"

#include <array>

namespace dorvek {

namespace {

enum class Headings { English, SI, None };

Headings HeadingsOf(const Store& s) {
    if (s.iunit == 1) return Headings::English;
    if (s.iunit == 2) return Headings::SI;
    return Headings::None;
}

// Writes the English or the S.I. version of a heading; neither for another unit system.
void WriteHeading(FixedWriter& report, const Store& s, std::string_view english,
                  std::string_view si) {
    switch (HeadingsOf(s)) {
    case Headings::English:
        report.write(english);
        break;
    case Headings::SI:
        report.write(si);
        break;
    case Headings::None:
        break;
    }
}

constexpr std::array<const char*, 6> kSoilTypeNames = {
    "  Driven Pile in Clay   ", "  Driven Pile in Sand   ", " Drilled Shaft in Clay  ",
    " Drilled Shaft in Sand  ", "Driven Pile in Clay, API", "Driven Pile in Sand, API"};

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

bool HasApiLayer(const Store& s) {
    for (const Layer& layer : s.layers) {
        if (layer.type == 5 || layer.type == 6) return true;
    }
    return false;
}

} // namespace

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

std::string SoilTypeName(int code) {
    // A code without a generator still gets a readable name of the same width.
    if (code < 1 || code > 6) return "   Unknown Soil Type    ";
    return kSoilTypeNames[static_cast<std::size_t>(code - 1)];
}

void ReportProgramHeader(FixedWriter& report, const RunHeader& header) {
    report.write(R"(5X,73("="),/,/,20X,"  DORVEK for Windows, Version ",A12,/,/,)"
                 R"(20X,"  Installation Number ",I10,/,/,)"
                 R"(20X,"   A Program for Computing Load Vs Settlement ",/,)"
                 R"(20X,"           For an Axially Loaded Pile ",/,/,5X,73("="),/,/)",
                 {header.version, header.installation});
}

void ReportUserBlock(FixedWriter& report, const RunHeader& header) {
    report.write(R"(5X,"Analysis carried out by:",/,/,5X,A,/,5X,A,/)",
                 {header.organisation, header.location});
}

void ReportFileBlock(FixedWriter& report, const RunFiles& files) {
    const PathParts input = SplitPath(files.input);
    const PathParts output = SplitPath(files.report);
    const PathParts plot = SplitPath(files.plot);
    report.write(R"(5X,"Path to file locations      : ",A,A,/,)"
                 R"(5X,"Name of input data file     : ",A,A)",
                 {input.drive, input.folder, input.name, input.extension});
    report.write(R"(5X,"Name of output file         : ",A,A)", {output.name, output.extension});
    report.write(R"(5X,"Name of plot output file    : ",A,A)", {plot.name, plot.extension});
    report.list();
}

void ReportDateBlock(FixedWriter& report, const std::tm& now) {
    const bool knownMonth = now.tm_mon >= 0 && now.tm_mon < 12;
    const std::string month = knownMonth ? kMonths[static_cast<std::size_t>(now.tm_mon)] : "";
    report.write(R"(5X,73("-"),/,26X,"Time and Date of Analysis",/,5X,73("-"),/,)"
                 R"(15X,"Date:  ",A," ",I2.2,", ",I4,5X,"Time:  ",I2.2,":",I2.2,":",I2.2)",
                 {month, now.tm_mday, now.tm_year + 1900, now.tm_hour, now.tm_min, now.tm_sec});
}

void ReportHeader(FixedWriter& report, const RunHeader& header, const RunFiles& files,
                  const std::function<std::tm()>& clock) {
    ReportProgramHeader(report, header);
    ReportUserBlock(report, header);
    ReportFileBlock(report, files);
    ReportDateBlock(report, clock ? clock() : LocalNow());
}

void ReportTitle(FixedWriter& report, const Store& s) {
    // Three layouts: the caption's three leading slashes give three empty lines.
    report.write(R"(" ")");
    report.write("1X,A72", {s.title});
    report.write(R"(/,/,/,1X," AXIALLY LOADED PILE, CONSTANT OD",/)");
}

void ReportLayerHeading(FixedWriter& report, const Store& s) {
    WriteHeading(report, s,
                 R"(/,/,12X,"LAYER",12X,"SOIL TYPE          XTOP        XBOT",/,)"
                 R"(12X,"     ",12X,"                    IN.         IN.")",
                 R"(/,/,12X,"LAYER",12X,"SOIL TYPE          XTOP        XBOT",/,)"
                 R"(12X,"      ",12X,"                    M.          M.")");
}

void ReportLayerRow(FixedWriter& report, const Layer& layer) {
    report.write("10X,I5,4X,A24,2X,2(1PE10.3,2X)",
                 {layer.number, SoilTypeName(layer.type), layer.xtop, layer.xbot});
}

void ReportUnitWeightHeading(FixedWriter& report, const Store& s) {
    WriteHeading(report, s, R"(/,/,10X,"    XG1        GAM1",/,10X,"    IN.       LB/IN**3")",
                 R"(/,/,10X,"    XG1        GAM1",/,10X,"     M        kN/M**3")");
}

void ReportStrengthTables(FixedWriter& report, const Store& s) {
    for (const StrengthRow& row : s.strength) {
        report.write("10X,2(1PE10.3,2X)", {row.xstr, row.gam1});
    }

    WriteHeading(report, s,
                 R"(/,/,7X,"XSTR         C1          EE50        PHI1   ",)"
                 R"("BLOW COUNT   UNIT SIDE    UNIT TIP",/,)"
                 R"(7X," IN.      LB/IN**2                   DEG.     ",)"
                 R"("            LB/IN**2    LB/IN**2")",
                 R"(/,/,7X,"XSTR         C1          EE50        PHI1   ",)"
                 R"("BLOW COUNT   UNIT SIDE    UNIT TIP",/,)"
                 R"(7X,"  M.       kN/M**2                   DEG.     ",)"
                 R"("             kN/M**2     kN/M**2")");
    for (const StrengthRow& row : s.strength) {
        report.write("3X,7(1PE10.3,2X)", {row.xstr, row.c1, row.ee50, row.phi1, row.blowCount,
                                          row.unitSide, row.unitTip});
    }

    if (HasApiLayer(s)) {
        WriteHeading(report, s,
                     R"(/,/,7X,"XSTR       ZPEAK     tres/tmax",/,7X," IN.        IN.      ")",
                     R"(/,/,7X,"XSTR       ZPEAK     tres/tmax",/,7X,"  M.         M.      ")");
        for (const StrengthRow& row : s.strength) {
            report.write("3X,7(1PE10.3,2X)", {row.xstr, row.zpeak, row.tresRatio});
        }
    }

    report.write(R"(/,"  ")");
}

void ReportStiffness(FixedWriter& report, const Store& s) {
    report.write(R"(/,9X,"  DEPTH",13X,"AE PILE")");
    report.write("12X,A3,16X,A3", {s.labelL, s.labelF});
    for (std::size_t k = 0; k < s.ae.size(); ++k) {
        report.write("1PE18.4,1PE19.4", {s.aeDepth[k], s.ae[k]});
    }
}

void ReportPile(FixedWriter& report, const Store& s) {
    report.write(R"(/,/,/,8X,"PILE LENGTH",7X,"HEAD COORD.",6X,"OUTER DIAMETER",7X,"TOLERANCE")");
    report.write("12X,A3,16X,A3,16X,A3,15X,A3", {s.labelL, s.labelL, s.labelL, s.labelL});
    report.write("1PE18.4,1PE18.4,1PE19.4,1PE18.4", {s.length, s.head, s.diameter, s.tol});
}

void ReportTipMovements(FixedWriter& report, const Store& s) {
    report.write(R"(/,/,/,8X,"USER-DEFINED TIP MOVEMENTS",/,12X,A3)", {s.labelL});
    for (float movement : s.tipMovements) report.write("1PE18.4", {movement});
}

void ReportLoads(FixedWriter& report, const Store& s) {
    WriteHeading(report, s, R"(/,/,10X,"   LOADS      ",/,10X,"    LB.       ")",
                 R"(/,/,10X,"   LOADS      ",/,10X,"    KN        ")");
    for (float load : s.loads) report.write("4X,F10.3", {load});
}

void ReportSettlement(FixedWriter& report, const Store& s) {
    WriteHeading(report, s,
                 R"(/,/,10X,"   SOIL SETTLEMENT PROFILE",/,/,10X,"   DEPTH     SETTLEMENT",/,)"
                 R"(10X,"    IN.         IN")",
                 R"(/,/,10X,"   SOIL SETTLEMENT PROFILE",/,/,10X,"   DEPTH     SETTLEMENT",/,)"
                 R"(10X,"     M           M")");
    for (std::size_t k = 0; k < s.settlement.size(); ++k) {
        report.write("10X,2(1PE10.3,2X)", {s.settleDepth[k], s.settlement[k]});
    }
}

void ReportTzFactorHeading(FixedWriter& report, const Store& s) {
    report.write(R"(/,/,10X,"DEPTH",20X,"t-Multiplier  ",10X,"z-Multiplier  ",/,10X,A3)",
                 {s.labelL});
}

void ReportTzFactorRow(FixedWriter& report, float depth, float tMultiplier, float zMultiplier) {
    report.write("7X,E10.3,18X,E10.3,15X,E10.3", {depth, tMultiplier, zMultiplier});
}

void ReportQwFactors(FixedWriter& report, const Store& s) {
    report.write(R"(/,/,10X,"PILE TIP",17X,"Q-Multiplier  ",10X,"w-Multiplier ",/,)"
                 R"(32X,1PE10.3,13X,1PE10.3)",
                 {s.qMultiplier, s.wMultiplier});
}

} // namespace dorvek
