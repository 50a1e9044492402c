#pragma once
// How the main window was left: its size and place when not maximised, whether it was
// maximised, and whether the project panel was shown. Kept beside the other settings.

#include "model/workspace/WindowPlacement.h"

#include <optional>
#include <string>

namespace dorvek {

struct TWindowSettings {
    std::optional<TRect> Normal; // client area on the screen; none before the first close
    bool Maximized = false;
    bool PanelShown = true;
};

// iniFile: as for TSettings (empty: the user's native store).
TWindowSettings ReadWindowSettings(const std::string& iniFile);
// Failures are ignored.
void WriteWindowSettings(const std::string& iniFile, const TWindowSettings& settings);

} // namespace dorvek
