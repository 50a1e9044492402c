#include "cli/TableTag.h"

#include "cli/BatchCommand.h"
#include "kernel/PathParts.h"
#include "model/io/OpenFile.h"

#include <cstdio>
#include <filesystem>

namespace dorvek::cli {

void Fnv1a64::Add(std::string_view bytes) {
    for (const char c : bytes) {
        value_ ^= static_cast<unsigned char>(c);
        value_ *= 1099511628211ull;
    }
}

std::string StudyFingerprint(const BatchOptions& options) {
    Fnv1a64 hash;
    // Each piece is ended by a byte no text holds, so that pieces cannot run into each other.
    const auto add = [&](std::string_view piece) {
        hash.Add(piece);
        hash.Add(std::string_view("\0", 1));
    };
    for (const std::string& vary : options.vary) add("vary=" + vary);
    if (options.sample) {
        add("sample=" + std::to_string(*options.sample));
        add("seed=" + std::to_string(options.seed));
    }
    if (options.limit) {
        char limit[64];
        std::snprintf(limit, sizeof limit, "limit=%.17g", *options.limit);
        add(limit);
    }
    const auto addFile = [&](const char* kind, const std::string& file) {
        add(kind + FilePath(file).filename().string());
        if (std::FILE* in = OpenFile(FilePath(file), "rb")) {
            char buffer[1 << 16];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
                hash.Add(std::string_view(buffer, n));
            std::fclose(in);
        }
        add("");
    };
    for (const std::string& file : options.files) addFile("file=", file);
    // The measured curves add rows of their own to the table.
    for (const std::string& file : options.measured) addFile("measured=", file);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash.Value()));
    return text;
}

} // namespace dorvek::cli
