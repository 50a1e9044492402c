#include "model/workspace/RecentFiles.h"

#include <algorithm>

namespace dorvek {

int TRecentFiles::NumberPrevFile() const {
    return static_cast<int>(
        std::count_if(fEntries.begin(), fEntries.end(), [](const auto& s) { return !s.empty(); }));
}

void TRecentFiles::Assign(const Entries& entries) {
    fEntries = {};
    int n = 0;
    for (const auto& e : entries)
        if (!e.empty()) fEntries[n++] = e;
}

void TRecentFiles::UpdatePrevFile(const std::string& name) {
    if (name.empty() || fEntries[0] == name) return;
    auto found = std::find(fEntries.begin() + 1, fEntries.end(), name);
    // Either the listed entry or the oldest one drops out while the others move down.
    auto last = found != fEntries.end() ? found : fEntries.end() - 1;
    std::move_backward(fEntries.begin(), last, last + 1);
    fEntries[0] = name;
}

std::string TRecentFiles::MenuText(int k, const std::string& currentDir) const {
    if (k < 1 || k > Capacity) return {};
    std::string entry = fEntries[static_cast<size_t>(k - 1)];
    std::string dir = currentDir;
    while (!dir.empty() && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
    if (!currentDir.empty() && entry.size() > dir.size() + 1 &&
        entry.compare(0, dir.size(), dir) == 0) {
        const char sep = entry[dir.size()];
        if (sep == '/' || sep == '\\') entry.erase(0, dir.size() + 1);
    }
    return std::to_string(k) + " " + entry;
}

} // namespace dorvek
