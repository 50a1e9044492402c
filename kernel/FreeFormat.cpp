#include "kernel/FreeFormat.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace dorvek {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Number of values on one line.
std::int64_t CountValues(std::string_view line) {
    std::int64_t n = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        if (i == line.size()) break;
        ++n;
        while (i < line.size() && !IsSeparator(line[i])) ++i;
    }
    return n;
}

// A value as shown in a message: quoted, and cut when a garbled file gives a long one.
std::string Quoted(std::string_view value) {
    constexpr std::size_t kShown = 40;
    std::string text = "\"";
    text += value.substr(0, kShown);
    if (value.size() > kShown) text += "...";
    text += "\"";
    return text;
}

std::string Describe(int line, bool endOfFile, const std::string& expected,
                     const std::string& found) {
    if (!endOfFile) {
        return "Line " + std::to_string(line) + ": expected " + expected + ", found " + found + ".";
    }
    if (line == 0) return "The file is empty; expected " + expected + ".";
    return "The file ends after line " + std::to_string(line) + "; expected " + expected + ".";
}

} // namespace

InputError::InputError(int line, bool endOfFile, std::string expected, std::string text)
    : std::runtime_error(std::move(text)), line_(line), endOfFile_(endOfFile),
      expected_(std::move(expected)) {}

InputError::InputError(int line, std::string expected, std::string found)
    : InputError(line, false, expected, Describe(line, false, expected, found)) {}

InputError InputError::atEnd(int lastLine, std::string expected) {
    std::string text = Describe(lastLine, true, expected, {});
    return InputError(lastLine, true, std::move(expected), std::move(text));
}

std::optional<int> ParseInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (!IsDigit(text[k])) return std::nullopt;
    }
    // Accumulate with a bound so that any number of digits is safe.
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (std::size_t k = i; k < text.size(); ++k) {
        value = value * 10 + (text[k] - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<float> ParseReal(std::string_view text) {
    // Form: [sign] (digits [. [digits]] | . digits) [E [sign] digits]
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && IsDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    // from_chars takes no leading plus.
    std::string_view number = text;
    if (number.front() == '+') number.remove_prefix(1);
    float value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc{} && end == number.data() + number.size()) return value;
    if (ec != std::errc::result_out_of_range) return std::nullopt;
    // Out of range for float: a value below the float range reads as the nearest float
    // (zero or subnormal), one beyond it does not fit; so does anything beyond double.
    double wide = 0;
    auto [wideEnd, wideEc] = std::from_chars(number.data(), number.data() + number.size(), wide);
    if (wideEc != std::errc{} || wideEnd != number.data() + number.size()) return std::nullopt;
    if (!std::isfinite(wide) || std::fabs(wide) > FLT_MAX) return std::nullopt;
    return static_cast<float>(wide);
}

FreeFormatReader::FreeFormatReader(std::string text) : text_(std::move(text)) {
    std::size_t begin = 0;
    while (begin < text_.size()) {
        std::size_t newline = text_.find('\n', begin);
        std::size_t next = newline == std::string::npos ? text_.size() : newline + 1;
        std::size_t end = newline == std::string::npos ? text_.size() : newline;
        if (end > begin && text_[end - 1] == '\r') --end;
        lineBegin_.push_back(begin);
        lineEnd_.push_back(end);
        begin = next;
    }
    valuesFrom_.assign(lineBegin_.size() + 1, 0);
    for (std::size_t k = lineBegin_.size(); k-- > 0;) {
        valuesFrom_[k] = valuesFrom_[k + 1] + CountValues(lineText(k));
    }
}

std::string_view FreeFormatReader::lineText(std::size_t index) const {
    return std::string_view(text_).substr(lineBegin_[index], lineEnd_[index] - lineBegin_[index]);
}

std::optional<std::string_view> FreeFormatReader::nextLine() {
    if (nextLine_ >= lineBegin_.size()) return std::nullopt;
    lastValueLine_ = static_cast<int>(nextLine_) + 1;
    return lineText(nextLine_++);
}

std::string_view FreeFormatReader::line(std::string_view expected) {
    auto text = nextLine();
    if (!text) throw InputError::atEnd(lineCount(), std::string(expected));
    return *text;
}

void FreeFormatReader::beginRead() {
    readLine_ = nextLine_;
    readPos_ = 0;
}

std::string_view FreeFormatReader::nextValue(const std::string& expected) {
    while (readLine_ < lineBegin_.size()) {
        std::string_view text = lineText(readLine_);
        while (readPos_ < text.size() && IsSeparator(text[readPos_])) ++readPos_;
        if (readPos_ < text.size()) {
            std::size_t start = readPos_;
            while (readPos_ < text.size() && !IsSeparator(text[readPos_])) ++readPos_;
            nextLine_ = readLine_ + 1;
            lastValueLine_ = static_cast<int>(readLine_) + 1;
            lastValue_ = text.substr(start, readPos_ - start);
            return text.substr(start, readPos_ - start);
        }
        ++readLine_;
        readPos_ = 0;
    }
    nextLine_ = lineBegin_.size();
    throw InputError::atEnd(lineCount(), expected);
}

int FreeFormatReader::integer(std::string_view what) {
    std::string expected = "an integer (" + std::string(what) + ")";
    std::string_view value = nextValue(expected);
    auto parsed = ParseInteger(value);
    if (!parsed) throw InputError(lastValueLine_, expected, Quoted(value));
    return *parsed;
}

float FreeFormatReader::real(std::string_view what) {
    std::string expected = "a number (" + std::string(what) + ")";
    std::string_view value = nextValue(expected);
    auto parsed = ParseReal(value);
    if (!parsed) throw InputError(lastValueLine_, expected, Quoted(value));
    return *parsed;
}

int FreeFormatReader::readInteger(std::string_view what) {
    beginRead();
    return integer(what);
}

std::int64_t FreeFormatReader::valuesLeft() const {
    return valuesFrom_[nextLine_];
}

void FreeFormatReader::checkCount(int count, std::int64_t valuesPerItem,
                                  std::string_view what) const {
    if (count <= 0) return;
    const std::int64_t left = valuesLeft();
    if (count <= left) return;
    const std::int64_t needed = std::int64_t{count} * valuesPerItem;
    throw InputError(lastValueLine_, "an integer (" + std::string(what) + ")",
                     lastValue_ + ", but the rest of the file holds only " + std::to_string(left) +
                         " values where " + std::to_string(needed) + " are needed");
}

void FreeFormatReader::refuseLast(std::string expected) const {
    throw InputError(lastValueLine_, std::move(expected), Quoted(lastValue_));
}

} // namespace dorvek
