#include "cli/TableJoin.h"

#include "cli/OutputClaims.h"
#include "cli/ProjectLoad.h"
#include "cli/TableTag.h"
#include "kernel/PathParts.h"
#include "model/io/AtomicFile.h"
#include "model/io/OpenFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

namespace dorvek::cli {

namespace {

constexpr int kRefused = 2;

struct Refusal {
    std::string message;
};

// Reads `file` row by row (a quoted cell may hold a line break), each row with its line end.
void ReadRows(const std::string& file, const std::function<void(const std::string& row)>& take) {
    std::FILE* in = OpenFile(FilePath(file), "rb");
    if (!in) throw Refusal{file + ": cannot be read"};
    std::string row;
    bool quoted = false;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        for (std::size_t i = 0; i < n; ++i) {
            row += buffer[i];
            if (buffer[i] == '"') quoted = !quoted;
            if (buffer[i] == '\n' && !quoted) {
                take(row);
                row.clear();
            }
        }
    }
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) throw Refusal{file + ": cannot be read"};
    if (!row.empty()) take(row + "\n");
}

// The last `count` cells of a row (cells that hold no quotes or commas: the tag columns).
std::vector<std::string> LastCells(std::string row, std::size_t count) {
    while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.pop_back();
    std::vector<std::string> cells;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t comma = row.rfind(',');
        if (comma == std::string::npos) {
            cells.insert(cells.begin(), row);
            row.clear();
        } else {
            cells.insert(cells.begin(), row.substr(comma + 1));
            row.resize(comma);
        }
    }
    return cells;
}

bool Number(const std::string& text, std::size_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && stop == end;
}

struct Shard {
    std::string file;
    std::string study;
    std::size_t k = 0, n = 0;
};

// The header, study and shard of one table; every row must name the same study and shard.
Shard Inspect(const std::string& file, std::string& header) {
    Shard shard;
    shard.file = file;
    std::string first;
    bool rows = false;
    ReadRows(file, [&](const std::string& row) {
        if (first.empty()) {
            first = row;
            if (LastCells(first, kTagColumns.size()) != kTagColumns)
                throw Refusal{file + ": not a table of dorvek-run (its header does not end with "
                                     "the columns units, study and shard)"};
            return;
        }
        const std::vector<std::string> tag = LastCells(row, 2);
        std::size_t k = 0, n = 0;
        const std::size_t slash = tag[1].find('/');
        if (tag[0].empty() || slash == std::string::npos || !Number(tag[1].substr(0, slash), k) ||
            !Number(tag[1].substr(slash + 1), n) || k < 1 || k > n)
            throw Refusal{file + ": a row without its study and shard"};
        if (!rows) {
            shard.study = tag[0];
            shard.k = k;
            shard.n = n;
            rows = true;
        } else if (tag[0] != shard.study || k != shard.k || n != shard.n) {
            throw Refusal{file + ": rows of different studies or shards (" + shard.study + " " +
                          std::to_string(shard.k) + "/" + std::to_string(shard.n) + " and " +
                          tag[0] + " " + tag[1] + ")"};
        }
    });
    if (first.empty()) throw Refusal{file + ": an empty file, not a table of dorvek-run"};
    if (!rows)
        throw Refusal{file + ": a table without rows does not say its shard (written by an "
                             "older dorvek-run?)"};
    header = first;
    return shard;
}

} // namespace

int JoinTables(const std::string& output, const std::vector<std::string>& tables, std::ostream& out,
               std::ostream& err) {
    std::vector<Shard> shards;
    try {
        if (tables.empty()) throw Refusal{"--join: no tables to join"};
        std::string header, firstHeader;
        for (const std::string& file : tables) {
            shards.push_back(Inspect(file, header));
            if (firstHeader.empty())
                firstHeader = header;
            else if (header != firstHeader)
                throw Refusal{file + ": its header differs from that of " + tables.front()};
            const Shard& s = shards.back();
            const Shard& a = shards.front();
            if (s.study != a.study || s.n != a.n)
                throw Refusal{file + ": shard " + std::to_string(s.k) + "/" + std::to_string(s.n) +
                              " of study " + s.study + " is not of the study of " + a.file + " (" +
                              a.study + ", " + std::to_string(a.n) + " shards)"};
        }
        std::map<std::size_t, const Shard*> byK;
        for (const Shard& s : shards) {
            const auto [at, added] = byK.emplace(s.k, &s);
            if (!added)
                throw Refusal{s.file + ": shard " + std::to_string(s.k) + "/" +
                              std::to_string(s.n) + " given twice (also " + at->second->file + ")"};
        }
        std::string missing;
        std::size_t count = 0;
        for (std::size_t k = 1; k <= shards.front().n; ++k) {
            if (byK.count(k)) continue;
            if (++count <= 10) missing += (missing.empty() ? "" : ", ") + std::to_string(k);
        }
        if (count > 0)
            throw Refusal{"--join: " + std::to_string(count) + " of " +
                          std::to_string(shards.front().n) + " shards missing: " + missing +
                          (count > 10 ? ", ..." : "") + " (of study " + shards.front().study + ")"};
        if (output != "-" && !RegularOutput(FilePath(output), "--join", err)) return kRefused;
    } catch (const Refusal& refusal) {
        err << "dorvek-run: " << refusal.message << "\n";
        return kRefused;
    }

    std::sort(shards.begin(), shards.end(),
              [](const Shard& a, const Shard& b) { return a.k < b.k; });
    try {
        std::optional<TReplacingFile> file;
        if (output != "-") file.emplace(FilePath(output), FileSync::None);
        const auto write = [&](const std::string& text) {
            if (file) {
                file->Write(text);
            } else if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
                throw std::runtime_error("Cannot write to standard output");
            }
        };
        for (std::size_t i = 0; i < shards.size(); ++i) {
            bool first = true;
            ReadRows(shards[i].file, [&](const std::string& row) {
                const bool header = std::exchange(first, false);
                if (header && i > 0) return;
                // The mark of an empty shard is not a row of results.
                if (!header && row.front() == ',') return;
                write(row);
            });
        }
        if (file)
            file->Commit();
        else
            out.flush();
    } catch (const Refusal& refusal) { // a table changed while it was joined
        err << "dorvek-run: " << refusal.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "dorvek-run: --join: " << Lines(e.what()) << "\n";
        return 1;
    }
    if (output != "-")
        out << output << ": " << shards.size() << " shard" << (shards.size() == 1 ? "" : "s")
            << " of study " << shards.front().study << " joined\n";
    return 0;
}

} // namespace dorvek::cli
