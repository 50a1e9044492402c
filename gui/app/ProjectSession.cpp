#include "ProjectSession.h"

#include <algorithm>
#include <stdexcept>

namespace dorvek {

bool TProjectSession::Changed() const {
    return FChanged;
}

void TProjectSession::ClearChanged() {
    FChanged = false;
}

void TProjectSession::CreateNew() {
    fData = TProgramData{};
    ClearChanged();
}

std::optional<std::string> TProjectSession::LoadFromFile(const std::string& fileName, int) {
    CreateNew();
    fData.FileName = fileName;
    return "Project files cannot be read by this build.";
}

void TProjectSession::Save() {
    throw std::runtime_error("Project files cannot be written by this build.");
}

void TProjectSession::SetUnits(int system) {
    const int s = std::clamp(system, 1, 2);
    if (s != fData.fUnits) {
        const long double f = s == 1 ? 39.37007874L : 1.0L / 39.37007874L;
        fData.PLength *= f;
        fData.HeadCoord *= f;
        fData.OD *= f;
        fData.Tolerance *= f;
        fData.Tiparea *= f * f;
    }
    fData.fUnits = s;
}

bool TProjectSession::ReadPlotData(const std::string&, bool,
                                   const std::function<void(const std::string&)>&) {
    return false;
}

void TProjectSession::ReadGraphSettings() {}

void TProjectSession::WriteGraphSettings() {}

TCheckDataInput TProjectSession::CheckDataInput() const {
    TCheckDataInput in;
    in.Nloadmethod = fData.Nloadmethod;
    in.UserQw = fData.UserQw;
    in.UserTz = fData.UserTz;
    return in;
}

} // namespace dorvek
