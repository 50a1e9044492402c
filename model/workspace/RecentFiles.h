#pragma once
// The list of the ten most recently used project files (entry 0 = most recent).

#include <array>
#include <string>

namespace dorvek {

class TRecentFiles {
public:
    static constexpr int Capacity = 10;
    using Entries = std::array<std::string, Capacity>;

    const Entries& PrevFile() const { return fEntries; }
    // Number of non-empty entries; they always stand at the front of the list.
    int NumberPrevFile() const;

    // Takes a list as stored in the settings; empty entries are dropped so that the
    // shown items stay contiguous.
    void Assign(const Entries& entries);
    void Clear() { fEntries = {}; }

    // Makes the name the most recent entry: unchanged when it already is; moved to the
    // front when listed further down; otherwise pushed in front, the oldest dropping out.
    // Names compare exactly. An empty name is ignored.
    void UpdatePrevFile(const std::string& name);

    // Text of menu item k (1-based): "k " and the entry, with a leading currentDir and its
    // separator removed.
    std::string MenuText(int k, const std::string& currentDir) const;

private:
    Entries fEntries{};
};

} // namespace dorvek
