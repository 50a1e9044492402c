// Bounded random entries: the evaluator returns a finite value or raises one of its two
// error kinds, and integer arithmetic agrees with an independent evaluation.

#include "model/tables/Evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace dorvek;

namespace {

// Every character the evaluator gives a meaning to, a few it does not, and the marker.
const std::vector<std::string> Alphabet = {
    "0",  "1",   "2",  "3", "5", "9", ".", "e",    "E",       "+",      "-",    "*",
    "/",  "^",   "%",  "&", "|", "=", "!", "$",    "(",       ")",      " ",    "\t",
    "pi", "sin", "ln", "f", "x", "~", ",", "sqrt", "arccosh", "\u203A", "\xE2", "\xCF\x80"};

std::string RandomEntry(std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
    std::string s;
    for (std::size_t n = length(rng); n > 0; --n) s += Alphabet[pick(rng)];
    return s;
}

// Small integer expression of + - * and parentheses, with its value computed directly.
std::string RandomIntegerExpression(std::mt19937& rng, int depth, long long& value) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> choice(0, 3);
    if (depth == 0 || choice(rng) == 0) {
        value = digit(rng);
        return std::to_string(value);
    }
    long long a = 0;
    long long b = 0;
    std::string left = RandomIntegerExpression(rng, depth - 1, a);
    std::string right = RandomIntegerExpression(rng, depth - 1, b);
    // Parenthesise both sides so the direct evaluation needs no precedence rules.
    switch (choice(rng)) {
    case 0:
    case 1:
        value = a + b;
        return "(" + left + ")+(" + right + ")";
    case 2:
        value = a - b;
        return "(" + left + ")-(" + right + ")";
    default:
        value = a * b;
        return "(" + left + ")*(" + right + ")";
    }
}

} // namespace

TEST(EvaluatorRandom, FiniteValueOrOneOfTheTwoErrors) {
    std::mt19937 rng(6);
    int values = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string entry = RandomEntry(rng);
        try {
            const long double v = EvaluateExpression(entry);
            EXPECT_TRUE(std::isfinite(v)) << entry;
            ++values;
        } catch (const EvaluationError&) {
        } catch (const ArithmeticError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected " << e.what() << " for " << entry;
        }
    }
    EXPECT_GT(values, 0); // the alphabet does produce valid entries
}

TEST(EvaluatorRandom, IntegerArithmeticAgrees) {
    std::mt19937 rng(2021);
    for (int i = 0; i < 2000; ++i) {
        long long expected = 0;
        const std::string entry = RandomIntegerExpression(rng, 4, expected);
        // All intermediates are integers below 10^18 and reprint exactly.
        ASSERT_EQ(EvaluateExpression(entry), static_cast<long double>(expected)) << entry;
    }
}
