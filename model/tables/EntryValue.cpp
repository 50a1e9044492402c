#include "model/tables/EntryValue.h"

#include "model/tables/Evaluator.h"
#include "model/tables/TableErrors.h"

#include <climits>
#include <cmath>
#include <stdexcept>

namespace dorvek {

long double EvaluateEntry(const std::string& text) {
    try {
        return EvaluateExpression(text);
    } catch (const EvaluationError& error) {
        throw AssignmentError(error.what());
    } catch (const std::invalid_argument&) {
        if (text.empty()) throw AssignmentError("Entry cannot be blank.");
        throw AssignmentError(text + " is not a valid number.");
    }
}

bool ExactInt32(long double value, int& result) {
    if (!std::isfinite(value) || value != std::trunc(value)) return false;
    if (value < static_cast<long double>(INT_MIN) || value > static_cast<long double>(INT_MAX))
        return false;
    result = static_cast<int>(value);
    return true;
}

} // namespace dorvek
