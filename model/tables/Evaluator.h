#pragma once
// Evaluator of every number the user types: a text-rewriting arithmetic evaluator with
// constants, prefix functions, factorial and "$" hexadecimal.

#include <stdexcept>
#include <string>

namespace dorvek {

// The entry could not be evaluated; the message is meant for the user.
class EvaluationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An arithmetic fault of an operation (division by zero, remainder by zero, logarithm of a
// non-positive value, overflow). Not an entry error: callers let it pass.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

long double EvaluateExpression(const std::string& text);
long double EvaluateOperand(const std::string& text);
bool IsFunctionName(const std::string& text);

} // namespace dorvek
