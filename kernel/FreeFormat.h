#pragma once
// Free-format reading of the kernel's text inputs (the input data file and names.dat).
//
// A list read starts at the beginning of the next unread line. Values are separated by
// blanks, commas or both; a line with too few values is continued on the following lines
// (lines without values are skipped) and whatever is left on the last line used is ignored.
// An integer item takes only an optional sign and digits; a real item also takes a decimal
// point and an exponent ("1.5", "-.5", "2.", "1E-5", "1.00000000000000E+0001").
// Any fault is thrown as an InputError naming the line and what was expected there.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvek {

class InputError : public std::runtime_error {
public:
    // A value that is not what the item needs (`found` is shown as given).
    InputError(int line, std::string expected, std::string found);
    // The file ended before the item; `lastLine` is the number of lines of the file.
    static InputError atEnd(int lastLine, std::string expected);

    int line() const { return line_; }
    bool endOfFile() const { return endOfFile_; }
    const std::string& expected() const { return expected_; }

private:
    InputError(int line, bool endOfFile, std::string expected, std::string text);
    int line_;
    bool endOfFile_;
    std::string expected_;
};

class FreeFormatReader {
public:
    explicit FreeFormatReader(std::string text);

    int lineCount() const { return static_cast<int>(lineBegin_.size()); }

    // Fixed read of the whole next unread line, without its line end; nullopt at the end.
    std::optional<std::string_view> nextLine();
    // The same, but the end of the file is a fault.
    std::string_view line(std::string_view expected);

    // Starts a list read; the items below then take the following values.
    void beginRead();
    // "an integer (what)"
    int integer(std::string_view what);
    // "a number (what)"
    float real(std::string_view what);

    // One read of a single integer.
    int readInteger(std::string_view what);

    // Values still available from the next unread line on: an upper bound for what the
    // rest of the file can hold.
    std::int64_t valuesLeft() const;

    // Refuses a count (just read by integer()) larger than the number of values left, before
    // anything is allocated for its items; so what a count allocates is bounded by the file.
    // A count that passes but still overruns the file (an item takes `valuesPerItem`
    // values) is caught by the reading itself, at the exact place where the file ends.
    void checkCount(int count, std::int64_t valuesPerItem, std::string_view what) const;

    // Throws an InputError at the last value read: it was read, but is not acceptable.
    [[noreturn]] void refuseLast(std::string expected) const;

private:
    std::string_view lineText(std::size_t index) const;
    // Next value of the current read, moving on over following lines.
    std::string_view nextValue(const std::string& expected);

    std::string text_;
    std::vector<std::size_t> lineBegin_; // each line without its line end
    std::vector<std::size_t> lineEnd_;
    std::vector<std::int64_t> valuesFrom_; // number of values in lines i..end
    std::size_t nextLine_ = 0;             // first unread line
    std::size_t readLine_ = 0;             // line of the current list read
    std::size_t readPos_ = 0;              // position in that line
    int lastValueLine_ = 0;                // 1-based line of the last value read
    std::string lastValue_;
};

// Value parsing on its own (also used by the tests): nullopt when the text is not of the
// form or does not fit the type.
std::optional<int> ParseInteger(std::string_view text);
std::optional<float> ParseReal(std::string_view text);

} // namespace dorvek
