#pragma once
// Evaluation of a typed cell entry for the integer, enumeration and float columns.

#include <string>

namespace dorvek {

// Evaluates the text; every entry error becomes an AssignmentError with the message the
// user sees (the evaluator's own texts, or "Entry cannot be blank." / "<text> is not a
// valid number." for a failed number conversion). Arithmetic faults pass through.
long double EvaluateEntry(const std::string& text);

// The value as a 32-bit integer when it is one (finite, no fractional part, in range).
bool ExactInt32(long double value, int& result);

} // namespace dorvek
