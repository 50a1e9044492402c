// The evaluator of typed numbers over any text: a finite value, an entry error or an arithmetic
// error, nothing else, and a value printed in the evaluator's own 18-digit form (the form its
// intermediate results re-enter the text in) evaluates to the same printed value.

#include "fuzz/FuzzSupport.h"
#include "model/tables/Evaluator.h"
#include "model/tables/NumberFormat.h"

#include <cmath>
#include <cstdint>

using namespace dorvek;
using namespace dorvek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512) return 0; // entries are typed into a cell
    const std::string text(AsText(data, size));
    long double value = 0;
    try {
        value = EvaluateExpression(text);
    } catch (const EvaluationError&) {
        return 0;
    } catch (const ArithmeticError&) {
        return 0;
    }
    Check(std::isfinite(value), "\"" + text + "\" gives a value that is not finite");
    const std::string printed = FormatGeneral(value, 18);
    long double again = 0;
    try {
        again = EvaluateExpression(printed);
    } catch (const std::exception& e) {
        Fail(std::string("the value ") + printed + " is refused: " + e.what());
    }
    Check(FormatGeneral(again, 18) == printed, "the value " + printed + " reads back differently");
    IsFunctionName(text);
    return 0;
}
