#pragma once
// Reader of blank-separated text files: the whole file is held in memory as lines of words
// and handed out word by word as texts or numbers, so that errors can name line and item.

#include "model/io/ReadError.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dorvek {

// One line of the file: its words in order and the line exactly as read.
struct TWordContainer {
    std::vector<std::string> Words;
    std::string OrigString;
};

class TWordReader {
public:
    // Reads the whole file (lines end with CR LF or LF). Raises EInOutError with the
    // system's message when the file cannot be opened or read.
    explicit TWordReader(const std::filesystem::path& fileName);
    // The same over a text already in memory.
    static TWordReader FromText(std::string_view text);

    // True once every line has been passed.
    bool Eof() const { return Line == LineCount(); }

    std::string ReadWord();
    long double ReadFloat();
    int ReadInteger();
    std::string ReadLine();
    std::string PeekLine();
    std::string ReadWords();
    int CountWordsLine();

    int WordCount(int index) const;
    bool AtStartOfLine() const { return Item == 0; }
    int CurrentLine() const { return Line; }
    int LineCount() const { return static_cast<int>(fLines.size()); }
    int CurrentLineWordCount() const { return WordCount(Line); }
    int GetWordCount(int index) const { return WordCount(index); }
    int NumberLines() const { return LineCount(); }
    const TWordContainer& LineEntry(int index) const;
    // Line and item (both 1-based) of the first word not read yet; {0, 0} when every word has
    // been read.
    std::pair<int, int> NextUnreadWord() const;

private:
    TWordReader() = default;
    void SplitText(std::string_view text);
    // Moves to the next line when the current one is used up; raises at the end of the
    // file. False when the line reached holds no word.
    bool NextWordPosition();
    [[noreturn]] void ConversionError(int item, std::string_view expected) const;

    std::vector<TWordContainer> fLines;
    int Line = 0;
    int Item = 0;
};

} // namespace dorvek
