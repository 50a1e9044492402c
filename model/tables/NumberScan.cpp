#include "model/tables/NumberScan.h"

#include "model/tables/NumberFormat.h"

namespace dorvek {

namespace {
constexpr std::size_t kMostNumbers = 15;
}

char ListSeparator(char decimalSeparator) {
    return decimalSeparator == ',' ? ';' : ',';
}

std::vector<long double> ScanNumbers(const std::string& line, char decimalSeparator) {
    const std::string delimiters = std::string(" \t\r") + ListSeparator(decimalSeparator);
    std::vector<long double> numbers;
    std::size_t pos = 0;
    while (numbers.size() < kMostNumbers) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string::npos) break;
        std::size_t end = line.find_first_of(delimiters, pos);
        long double value = 0;
        if (end == std::string::npos) {
            if (ParseNumber(line.substr(pos), value, decimalSeparator)) numbers.push_back(value);
            break;
        }
        if (!ParseNumber(line.substr(pos, end - pos), value, decimalSeparator)) break;
        numbers.push_back(value);
        pos = end + 1;
    }
    return numbers;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

} // namespace dorvek
