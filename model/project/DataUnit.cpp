#include "model/project/DataUnit.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dorvek {

namespace {

constexpr long double InchesPerMetre = 39.37007874L;

} // namespace

int FilterFromExtension(const std::string& fileName) {
    std::string ext = std::filesystem::path(fileName).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".dv4d") return FilterCurrent;
    if (ext == ".dv3d") return Filter2014;
    if (ext == ".dvd") return Filter20;
    return 0;
}

void TProjectTables::ResetChanged() {
    FChanged = false;
    fTables.ResetChanged();
}

void TProgramData::Create(TProjectTables& owner) {
    *this = TProgramData{};
    SetUnits(1, owner.Tables());
    owner.Tables().ResetRows();
    owner.ResetChanged();
}

void TProgramData::SetUnits(int system, TInputTables& tables) {
    system = std::clamp(system, 1, 2);
    if (system != fUnits) {
        const long double f = system == 1 ? InchesPerMetre : 1.0L / InchesPerMetre;
        PLength *= f;
        HeadCoord *= f;
        OD *= f;
        Tolerance *= f;
        Tiparea *= f * f;
    }
    fUnits = system;
    tables.SetUnits(system);
}

std::vector<TGridTable*> TProgramData::TablesInUse(const TInputTables& tables) const {
    std::vector<TGridTable*> used;
    if (UserTz) used.push_back(&tables.TblTZDepth2());
    if (UserQw) used.push_back(&tables.TblQwcurve2());
    if (SoilLayersInUse()) used.push_back(&tables.D2());
    used.push_back(&tables.TblAE2());
    if (TipMovesInUse()) used.push_back(&tables.TblTipMove());
    if (TopLoadsInUse()) used.push_back(&tables.TblTopload());
    if (SettlementInUse()) used.push_back(&tables.TblSettlement2());
    if (TZFactorsInUse()) used.push_back(&tables.TblTZFactors2());
    return used;
}

bool TProgramData::TableInUse(const TInputTables& tables, const TGridTable& table) const {
    const auto used = TablesInUse(tables);
    return std::find(used.begin(), used.end(), &table) != used.end();
}

} // namespace dorvek
