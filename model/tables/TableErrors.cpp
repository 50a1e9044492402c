#include "model/tables/TableErrors.h"

#include <cstdio>
#include <vector>

namespace dorvek {

namespace {

template <typename... Args> std::string Printf(const char* format, Args... args) {
    int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, args...);
    return std::string(buffer.data(), static_cast<size_t>(size));
}

} // namespace

std::string FormatText(const char* format, int a) {
    return Printf(format, a);
}

std::string FormatText(const char* format, int a, int b) {
    return Printf(format, a, b);
}

std::string FormatText(const char* format, int a, const std::string& b) {
    return Printf(format, a, b.c_str());
}

void RaiseIndexError(int index) {
    throw TableError(FormatText("List index out of bounds (%d)", index));
}

} // namespace dorvek
