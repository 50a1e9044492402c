#include "model/io/WordRead.h"
#include "model/io/OpenFile.h"

#include "model/tables/NumberFormat.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>
#include <system_error>

namespace dorvek {

namespace {

constexpr const char* Incomplete = "This file either invalid or incomplete.";

// Control characters and the space count as blanks at the ends of a line and of a word.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

TWordContainer SplitLine(std::string_view line) {
    TWordContainer entry;
    entry.OrigString = std::string(line);
    std::string_view rest = Trim(line);
    while (!rest.empty()) {
        const auto end = rest.find_first_of(" \t");
        entry.Words.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : TrimLeft(rest.substr(end));
    }
    return entry;
}

std::string SystemMessage(int error) {
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

TWordReader::TWordReader(const std::filesystem::path& fileName) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(fileName, "rb"), &std::fclose);
    if (!file) throw EInOutError(SystemMessage(errno ? errno : ENOENT));
    std::string text;
    char buffer[65536];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        text.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(file.get())) throw EInOutError(SystemMessage(errno ? errno : EIO));
    SplitText(text);
}

TWordReader TWordReader::FromText(std::string_view text) {
    TWordReader reader;
    reader.SplitText(text);
    return reader;
}

void TWordReader::SplitText(std::string_view text) {
    // A byte-order mark is not part of the first line's text.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t start = 0;
    do {
        auto end = text.find('\n', start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (fLines.size() >= static_cast<std::size_t>(INT_MAX)) throw EInOutError(Incomplete);
        fLines.push_back(SplitLine(line));
        start = end == std::string_view::npos ? text.size() + 1 : end + 1;
    } while (start < text.size()); // a final line end opens no further line
    Line = 0;
    Item = 0;
}

int TWordReader::WordCount(int index) const {
    return static_cast<int>(LineEntry(index).Words.size());
}

const TWordContainer& TWordReader::LineEntry(int index) const {
    if (index < 0 || index >= LineCount()) throw EInOutError(Incomplete);
    return fLines[static_cast<std::size_t>(index)];
}

std::pair<int, int> TWordReader::NextUnreadWord() const {
    for (int line = Line, item = Item; line < LineCount(); ++line, item = 0)
        if (item < WordCount(line)) return {line + 1, item + 1};
    return {0, 0};
}

bool TWordReader::NextWordPosition() {
    if (Line < LineCount() && Item >= WordCount(Line)) {
        ++Line;
        Item = 0;
    }
    if (Line >= LineCount()) throw EInOutError(Incomplete);
    return Item < WordCount(Line);
}

void TWordReader::ConversionError(int item, std::string_view expected) const {
    throw EInOutError("Error on Line " + std::to_string(Line + 1) + " Item " +
                      std::to_string(item) + "\r" + std::string(expected));
}

std::string TWordReader::ReadWord() {
    // A blank line where a word is expected ends the reading like the end of the file.
    if (!NextWordPosition()) throw EInOutError(Incomplete);
    return fLines[static_cast<std::size_t>(Line)].Words[static_cast<std::size_t>(Item++)];
}

long double TWordReader::ReadFloat() {
    constexpr std::string_view expected = "A floating point number was expected but not found.";
    if (!NextWordPosition()) ConversionError(Item + 1, expected);
    long double value = 0;
    if (!ParseNumber(ReadWord(), value, '.')) ConversionError(Item, expected);
    return value;
}

int TWordReader::ReadInteger() {
    constexpr std::string_view expected = "An integer was expected but not found.";
    if (!NextWordPosition()) ConversionError(Item + 1, expected);
    long double value = 0;
    if (!ParseNumber(ReadWord(), value, '.') || value != std::trunc(value) || value < INT_MIN ||
        value > INT_MAX)
        ConversionError(Item, expected);
    return static_cast<int>(value);
}

std::string TWordReader::ReadLine() {
    std::string line = LineEntry(Line).OrigString;
    ++Line;
    Item = 0;
    return line;
}

std::string TWordReader::PeekLine() {
    const std::string& line = LineEntry(Line).OrigString;
    Item = 0;
    return line;
}

std::string TWordReader::ReadWords() {
    std::string words;
    for (;;) {
        if (!NextWordPosition()) throw EInOutError(Incomplete);
        const std::string& word =
            fLines[static_cast<std::size_t>(Line)].Words[static_cast<std::size_t>(Item)];
        long double value = 0;
        if (ParseNumber(word, value, '.')) return words; // the number stays unread
        if (!words.empty()) words += ' ';
        words += word;
        ++Item;
    }
}

int TWordReader::CountWordsLine() {
    const int count = WordCount(Line);
    ++Line;
    Item = 0;
    return count;
}

} // namespace dorvek
