#pragma once
// Parsed form of a fixed layout: groups are expanded, so writing is one pass over a flat list.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dorvek::fixed {

struct LayoutItem {
    enum class Kind { Skip, Text, Slash, A, I, F, E };
    Kind kind = Kind::Text;
    int width = 0;       // Skip: blanks; A: -1 for "own length"
    int digits = 0;      // I: minimum digits; F, E: d
    bool scaled = false; // E: 1PE form
    // Text: where its characters stand in the layout's texts (no string of its own, so a
    // layout is parsed with few allocations).
    std::size_t textBegin = 0;
    std::size_t textLength = 0;
};

struct Layout {
    std::vector<LayoutItem> items;
    std::string texts;
    bool hasData = false;

    std::string_view text(const LayoutItem& item) const {
        return std::string_view(texts).substr(item.textBegin, item.textLength);
    }
};

inline bool isDataField(LayoutItem::Kind kind) {
    using K = LayoutItem::Kind;
    return kind == K::A || kind == K::I || kind == K::F || kind == K::E;
}

// Throws std::logic_error for a malformed layout.
Layout parseLayout(std::string_view layout);

} // namespace dorvek::fixed
