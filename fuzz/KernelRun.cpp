// The kernel run on an arbitrary input file: the result code is one of the documented ones,
// and whatever plot file the run leaves holds numbers only (words that parse completely as
// finite numbers), as the plot-data loader expects, or overflow fields: a value that does not
// fit its field (say a multiplier that takes a result beyond single precision) is written as
// asterisks, as in the report, and the loader refuses the file with its message.

#include "fuzz/FuzzSupport.h"
#include "kernel/Kernel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

bool IsFiniteNumber(const std::string& word) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    return !word.empty() && end == word.c_str() + word.size() && std::isfinite(value);
}

// Fields are not separated by blanks, so an overflow field can abut a number ("1.2E-01****").
bool IsNumbersOrOverflow(const std::string& word) {
    std::size_t from = 0;
    while (from < word.size()) {
        if (word[from] == '*') {
            from = std::min(word.find_first_not_of('*', from), word.size());
            continue;
        }
        const std::size_t to = std::min(word.find('*', from), word.size());
        if (!IsFiniteNumber(word.substr(from, to - from))) return false;
        from = to;
    }
    return true;
}

// Every word of the text, with its line number for the message.
void CheckNumbersOnly(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            Check(IsNumbersOrOverflow(word),
                  "plot file line " + std::to_string(number) + " holds \"" + word + "\"");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RunFiles files{Folder().File("in.dv4d"), Folder().File("out.dv4o"),
                                Folder().File("plot.dv4p"), ""};
    std::filesystem::remove(files.report);
    std::filesystem::remove(files.plot);
    WriteFile(files.input, AsText(data, size));

    std::ostringstream console;
    RunOptions options;
    options.console = &console;
    options.clock = [] { return std::tm{}; };
    const int code = RunAnalysis(files, RunHeader{}, options);

    // 1 belongs to the library entry only; 2 cannot happen with files in a private folder.
    static const std::set<int> documented = {kRunCompleted,           kInputError,
                                             kTipBelowUnitWeight,     kTipBelowStrength,
                                             kCurveBelowSideFriction, kTipBelowTipResistance,
                                             kBelowOtherProperty,     kCurveInputError};
    Check(documented.count(code) == 1,
          "result code " + std::to_string(code) + " (" + ResultCodeMeaning(code) + ")");
    if (std::filesystem::exists(files.plot)) CheckNumbersOnly(ReadFile(files.plot));
    return 0;
}
