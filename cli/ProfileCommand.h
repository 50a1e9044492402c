#pragma once
// dorvek-run's soil-profile pictures: the pile in its soil layers as the desktop program
// prints it, one picture per project, PNG, SVG or PDF by the target's extension.

#include "PileSideModel.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

// The picture of the project named `stem` (its file name without folder and extension):
// "{name}" in the pattern is replaced by the stem; otherwise, when a run has several
// projects, "-" and the stem go before the extension ("profile.png" -> "profile-pile.png").
std::filesystem::path ProfileTarget(const std::string& pattern, const std::string& stem,
                                    bool several);

// Writes the picture of one project's values; callable from any thread once a
// QGuiApplication exists. Prints the written file on `out`, or why not on `err`.
bool WriteProfile(const TPileSideInput& input, const std::filesystem::path& target,
                  std::ostream& out, std::ostream& err);

// Reads every project (on the calling thread: the project model is not thread-safe) and
// writes its picture. Returns 0 when every picture was written, 1 otherwise.
int WriteProfiles(const std::string& pattern, const std::vector<std::string>& files,
                  std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
