// The word reader over any text: the input's first byte chooses the order of calls (words,
// floats, integers, lines, peeks, word counts), the rest is the file. Every call either returns
// or raises the reader's input/output error, positions stay inside the file, and the reading
// ends within a bounded number of calls.

#include "model/io/WordRead.h"
#include "fuzz/FuzzSupport.h"

#include <cstdint>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

void Step(TWordReader& in, int kind) {
    switch (kind) {
    case 0:
        in.ReadWord();
        break;
    case 1:
        in.ReadFloat();
        break;
    case 2:
        in.ReadInteger();
        break;
    case 3:
        in.ReadLine();
        break;
    case 4:
        in.PeekLine();
        break;
    case 5:
        in.ReadWords();
        break;
    case 6:
        in.CountWordsLine();
        break;
    default:
        if (in.CurrentLine() < in.LineCount()) in.LineEntry(in.CurrentLine());
        in.CurrentLineWordCount();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned pattern = data[0];
    TWordReader in = TWordReader::FromText(AsText(data + 1, size - 1));
    // Each call but a peek or a count moves on by at least one line or word.
    const std::size_t bound = 4 * size + 16;
    for (std::size_t n = 0; n < bound && !in.Eof(); ++n) {
        Check(in.CurrentLine() >= 0 && in.CurrentLine() <= in.LineCount(), "line outside the file");
        try {
            Step(in, static_cast<int>((pattern >> (n % 6)) & 7));
        } catch (const EInOutError&) {
            // A bad number or the end of the file: the file's reader gives up here.
            if (!in.Eof() && (n % 2 == 0)) in.ReadLine();
        }
    }
    return 0;
}
