#include "model/tables/Evaluator.h"

#include "model/tables/NumberFormat.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dorvek {

namespace {

// The entry is worked on as code points so that the binary-minus marker is one unit.
using Text = std::u32string;
using View = std::u32string_view;

constexpr char32_t BinaryMinus = U'\u203A';
constexpr char32_t UnaryMinus = U'~'; // only ever written into the scan copy
constexpr char32_t Replacement = U'\uFFFD';

// Rewriting costs grow with the product of length and nesting; no real entry comes near.
constexpr std::size_t MaxEntryLength = 10000;

constexpr long double Pi = 3.1415926535897932385L;
constexpr int LargestFactorial = 1754; // 1755! exceeds the range of long double

constexpr std::string_view DivisionByZero = "Division by zero";
constexpr std::string_view Overflow = "Floating point overflow";
constexpr std::string_view InvalidOperation = "Invalid floating point operation";

[[noreturn]] void Fail(std::string_view reason) {
    throw EvaluationError("Entry could not be evaluated:\r" + std::string(reason));
}

[[noreturn]] void Fault(std::string_view reason) {
    throw ArithmeticError(std::string(reason));
}

long double Checked(long double r) {
    if (std::isnan(r)) Fault(InvalidOperation);
    if (std::isinf(r)) Fault(Overflow);
    return r;
}

// UTF-8 to code points; malformed bytes become U+FFFD, which no rule accepts.
Text Decode(std::string_view s) {
    Text out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b < 0x80) {
            out += b;
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            out += Replacement;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        for (; j < s.size() && j <= i + static_cast<std::size_t>(extra); ++j) {
            const auto c = static_cast<unsigned char>(s[j]);
            if ((c & 0xC0) != 0x80) break;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (j != i + 1 + static_cast<std::size_t>(extra) || cp < min || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += Replacement;
            i = j > i + 1 ? j : i + 1;
            continue;
        }
        out += cp;
        i = j;
    }
    return out;
}

Text Widen(const std::string& ascii) {
    return Text(ascii.begin(), ascii.end());
}

char32_t Lower(char32_t c) {
    return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
}

bool StartsWith(View text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != static_cast<char32_t>(prefix[i])) return false;
    return true;
}

bool Equals(View text, std::string_view word) {
    return text.size() == word.size() && StartsWith(text, word);
}

constexpr std::array<std::string_view, 27> FunctionNames = {
    "arctanh", "arctan",  "cotan",  "tanh", "tan",   "arccosh", "arccos", "cosh", "cos",
    "sec",     "arcsinh", "arcsin", "sinh", "sin",   "cosec",   "csc",    "abs",  "frac",
    "int",     "ln",      "round",  "ceil", "floor", "log",     "sqrt",   "!",    "$"};

bool IsFunctionNameText(View text) {
    if (text.size() > 7) return false; // longer than any name
    Text lower(text);
    for (auto& c : lower) c = Lower(c);
    for (auto name : FunctionNames)
        if (Equals(lower, name)) return true;
    return false;
}

long double Reciprocal(long double d) {
    if (d == 0) Fault(DivisionByZero);
    return Checked(1.0L / d);
}

long double Logarithm(long double x, bool base10) {
    if (!(x > 0)) Fault(InvalidOperation);
    if (!base10) return std::log(x);
    // The library's log10 misses exact powers of ten by an ulp; log(1000) must read 3.
    const long double r = std::log10(x);
    const long double n = std::round(r);
    if (std::fabs(r - n) < 1e-15L && std::pow(10.0L, n) == x) return n;
    return r;
}

long double RoundHalfEven(long double x) {
    long double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5L) r = 2.0L * std::round(x / 2.0L);
    return r;
}

using UnaryFunction = long double (*)(long double);

struct PrefixFunction {
    std::string_view name;
    UnaryFunction apply;
};

// Tried in this order against the start of an operand, so "tanh" wins over "tan".
const std::array<PrefixFunction, 24> PrefixFunctions = {{
    {"arctanh", [](long double x) { return Checked(std::atanh(x)); }},
    {"arctan", [](long double x) { return Checked(std::atan(x)); }},
    {"cotan", [](long double x) { return Reciprocal(Checked(std::tan(x))); }},
    {"tanh", [](long double x) { return Checked(std::tanh(x)); }},
    {"tan", [](long double x) { return Checked(std::tan(x)); }},
    {"arccosh", [](long double x) { return Checked(std::acosh(x)); }},
    {"arccos", [](long double x) { return Checked(std::acos(x)); }},
    {"cosh", [](long double x) { return Checked(std::cosh(x)); }},
    {"cos", [](long double x) { return Checked(std::cos(x)); }},
    {"sec", [](long double x) { return Reciprocal(Checked(std::cos(x))); }},
    {"arcsinh", [](long double x) { return Checked(std::asinh(x)); }},
    {"arcsin", [](long double x) { return Checked(std::asin(x)); }},
    {"sinh", [](long double x) { return Checked(std::sinh(x)); }},
    {"sin", [](long double x) { return Checked(std::sin(x)); }},
    {"csc", [](long double x) { return Reciprocal(Checked(std::sin(x))); }},
    {"abs", [](long double x) { return std::fabs(x); }},
    {"frac", [](long double x) { return x - std::trunc(x); }},
    {"int", [](long double x) { return std::trunc(x); }},
    {"ln", [](long double x) { return Logarithm(x, false); }},
    {"round", [](long double x) { return RoundHalfEven(x); }},
    {"ceil", [](long double x) { return std::ceil(x); }},
    {"floor", [](long double x) { return std::floor(x); }},
    {"log", [](long double x) { return Logarithm(x, true); }},
    {"sqrt", [](long double x) { return Checked(std::sqrt(x)); }},
}};

long double Factorial(long double x) {
    if (x != std::trunc(x)) Fail("! (factoral) applicable to integers only");
    const long double n = std::fabs(x);
    if (n > LargestFactorial) Fault(Overflow);
    long double product = 1;
    for (int k = 2; k <= static_cast<int>(n); ++k) product *= k;
    return x < 0 ? -product : product;
}

long double Hexadecimal(View digits) {
    if (digits.empty()) Fail("invalid use of $ (hex function)");
    std::uint64_t value = 0;
    for (char32_t c : digits) {
        int d;
        if (c >= U'0' && c <= U'9')
            d = static_cast<int>(c - U'0');
        else if (c >= U'a' && c <= U'f')
            d = static_cast<int>(c - U'a') + 10;
        else
            Fail("invalid use of $ (hex function)");
        if (value > (UINT64_MAX >> 4)) Fail("invalid use of $ (hex function)");
        value = (value << 4) | static_cast<std::uint64_t>(d);
    }
    return static_cast<long double>(value);
}

long double Number(View text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x80) Fail("invalid character(s) in expression");
        ascii += static_cast<char>(c);
    }
    long double value = 0;
    switch (ParseNumberChecked(ascii, value, '.')) {
    case NumberParse::Ok:
        return value;
    case NumberParse::Overflow:
        Fault(Overflow);
    case NumberParse::Invalid:
        break;
    }
    Fail("invalid character(s) in expression");
}

// One operand: constants, prefix functions, postfix "!", "$" hexadecimal, or a number.
// Functions and "!" nest to the right; they are unwound with a stack, not recursion,
// so a long chain such as sinsinsin...1 cannot exhaust the call stack.
long double Operand(Text text) {
    for (auto pos = text.find(U"--"); pos != Text::npos; pos = text.find(U"--")) text.erase(pos, 2);
    for (auto& c : text) c = Lower(c);

    // Deleting "--" and lower-casing once is the same as doing it again on every rest.
    std::vector<UnaryFunction> pending;
    View rest(text);
    long double value = 0;
    for (;;) {
        if (Equals(rest, "pi")) {
            value = Pi;
            break;
        }
        if (Equals(rest, "-pi")) {
            value = -Pi;
            break;
        }
        if (Equals(rest, "e")) {
            value = std::exp(1.0L);
            break;
        }
        if (Equals(rest, "-e")) {
            value = -std::exp(1.0L);
            break;
        }
        const PrefixFunction* match = nullptr;
        for (const auto& f : PrefixFunctions)
            if (StartsWith(rest, f.name)) {
                match = &f;
                break;
            }
        if (match) {
            pending.push_back(match->apply);
            rest.remove_prefix(match->name.size());
            continue;
        }
        if (!rest.empty() && rest.back() == U'!') {
            pending.push_back(Factorial);
            rest.remove_suffix(1);
            continue;
        }
        if (!rest.empty() && rest.front() == U'$') {
            value = Hexadecimal(rest.substr(1));
            break;
        }
        value = Number(rest);
        break;
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) value = (*it)(value);
    return value;
}

bool IsOperator(char32_t c) {
    switch (c) {
    case U'^':
    case U'*':
    case U'/':
    case U'%':
    case U'+':
    case BinaryMinus:
    case U'=':
    case U'|':
    case U'&':
        return true;
    default:
        return false;
    }
}

bool MinusIsUnaryAfter(char32_t c) {
    switch (c) {
    case U'%':
    case U'&':
    case U'*':
    case U'+':
    case U'/':
    case U'=':
    case U'E':
    case U'^':
    case U'e':
    case U'|':
    case UnaryMinus:
    case BinaryMinus:
        return true;
    default:
        return false;
    }
}

Text Printed(long double v) {
    return Widen(FormatGeneral(v, 18));
}
Text Truth(bool b) {
    return b ? U"1" : U"0";
}

std::int64_t TruncatedInteger(long double x) {
    // Both ends of the 64-bit range are exact in long double.
    if (!(x >= -9223372036854775808.0L && x < 9223372036854775808.0L)) Fault(InvalidOperation);
    return static_cast<std::int64_t>(x);
}

Text Apply(char32_t op, const Text& left, const Text& right) {
    const long double a = Operand(left);
    const long double b = Operand(right);
    switch (op) {
    case U'^':
        if (a == 0 && b < 0) Fault(DivisionByZero);
        return Printed(Checked(std::pow(a, b)));
    case U'*':
        return Printed(Checked(a * b));
    case U'/':
        if (b == 0) Fault(a == 0 ? InvalidOperation : DivisionByZero);
        return Printed(Checked(a / b));
    case U'%': {
        const std::int64_t ia = TruncatedInteger(a);
        const std::int64_t ib = TruncatedInteger(b);
        if (ib == 0) Fault(DivisionByZero);
        if (ib == -1) return U"0"; // INT64_MIN % -1 would trap
        return Widen(std::to_string(ia % ib));
    }
    case U'&':
        return Truth(a != 0 && b != 0);
    case U'+':
        return Printed(Checked(a + b));
    case BinaryMinus:
        return Printed(Checked(a - b));
    case U'|':
        return Truth(a != 0 || b != 0);
    default: // '='
        return Truth(a == b);
    }
}

long double Expression(Text text) {
    if (text.empty()) Fail("entry cannot be blank");
    std::erase_if(text, [](char32_t c) { return c == U' ' || c == U'\t'; });

    // Innermost parentheses first, each replaced by its value as text.
    for (auto close = text.find(U')'); close != Text::npos; close = text.find(U')')) {
        const auto open = text.rfind(U'(', close);
        if (open == Text::npos) Fail("() (parentheses) do not match");
        const long double inner = Expression(text.substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, Printed(inner));
    }

    // A minus is unary at the start, after a function name or after an operator (or the
    // "e" of an exponent); a binary minus becomes its own operator character.
    Text scan = text;
    for (std::size_t p = 0; p < scan.size(); ++p) {
        if (scan[p] != U'-') continue;
        const bool unary =
            p == 0 || IsFunctionNameText(View(scan).substr(0, p)) || MinusIsUnaryAfter(scan[p - 1]);
        if (unary) {
            scan[p] = UnaryMinus;
        } else {
            scan[p] = BinaryMinus;
            text[p] = BinaryMinus;
        }
    }

    std::vector<Text> operands;
    std::vector<char32_t> operators;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t q = start;
        while (q < text.size() && !IsOperator(text[q])) ++q;
        operands.push_back(text.substr(start, q - start));
        if (q == text.size()) break;
        operators.push_back(text[q]);
        start = q + 1;
    }
    if (operands.size() != operators.size() + 1) Fail("invalid expression");

    static constexpr std::u32string_view Passes[] = {U"^", U"*/%&", U"+\u203A|", U"="};
    for (View pass : Passes) {
        std::size_t i = 0;
        while (i < operators.size()) {
            if (pass.find(operators[i]) == View::npos) {
                ++i;
                continue;
            }
            operands[i] = Apply(operators[i], operands[i], operands[i + 1]);
            operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return Operand(operands.front());
}

} // namespace

long double EvaluateExpression(const std::string& text) {
    if (text.empty()) Fail("entry cannot be blank");
    Text decoded = Decode(text);
    if (decoded.size() > MaxEntryLength) Fail("entry is too long");
    return Expression(std::move(decoded));
}

long double EvaluateOperand(const std::string& text) {
    Text decoded = Decode(text);
    if (decoded.size() > MaxEntryLength) Fail("entry is too long");
    return Operand(std::move(decoded));
}

bool IsFunctionName(const std::string& text) {
    return IsFunctionNameText(Decode(text));
}

} // namespace dorvek
