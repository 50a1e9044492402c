#pragma once
// Temporary files that a killed run left beside its outputs under names of its process:
// ".NAME.PID-N.tmp" (written by earlier versions) and ".NAME.tmp-PID-N" (where the file
// system has no locks). The locked ".NAME.tmp" of today needs no sweeping: the next run that
// writes NAME takes it over. Only temporaries of processes that no longer run are removed.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace dorvek {

// Removes from `folder` the temporaries of dead processes whose NAME `wanted` accepts;
// returns how many. Nothing is removed where processes cannot be asked for (Windows).
std::size_t RemoveStaleTemporaries(const std::filesystem::path& folder,
                                   const std::function<bool(const std::string& name)>& wanted);

// The NAME a temporary of the two kinds above was written for; empty for any other file.
std::string StaleTemporaryTarget(const std::string& fileName, long& process);

} // namespace dorvek
