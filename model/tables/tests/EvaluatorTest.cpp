#include "model/tables/Evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace dorvek;

namespace {

const std::string Blank = "Entry could not be evaluated:\rentry cannot be blank";
const std::string Invalid = "Entry could not be evaluated:\rinvalid expression";
const std::string BadChars = "Entry could not be evaluated:\rinvalid character(s) in expression";
const std::string Parens = "Entry could not be evaluated:\r() (parentheses) do not match";
const std::string FactorialOnly =
    "Entry could not be evaluated:\r! (factoral) applicable to integers only";
const std::string BadHex = "Entry could not be evaluated:\rinvalid use of $ (hex function)";

// The message of the evaluation error, or "" when something else happened.
std::string EvaluationMessage(const std::string& text) {
    try {
        EvaluateExpression(text);
    } catch (const EvaluationError& e) {
        return e.what();
    } catch (...) {
    }
    return "";
}

std::string ArithmeticMessage(const std::string& text) {
    try {
        EvaluateExpression(text);
    } catch (const ArithmeticError& e) {
        return e.what();
    } catch (...) {
    }
    return "";
}

// The library's long double functions may differ from compile-time folded ones by an ulp.
void ExpectClose(long double actual, long double expected) {
    EXPECT_LE(std::fabs(actual - expected), std::fabs(expected) * 1e-18L)
        << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

} // namespace

TEST(Evaluator, ParenthesesInnermostFirst) {
    EXPECT_EQ(EvaluateExpression("2*(3+4)"), 14);
    EXPECT_EQ(EvaluateExpression("((2))"), 2);
    EXPECT_EQ(EvaluateExpression("(1+2)*(3+4)"), 21);
    EXPECT_EQ(EvaluationMessage("(2"), BadChars); // the "(" stays and spoils the operand
    EXPECT_EQ(EvaluationMessage("("), BadChars);
    EXPECT_EQ(EvaluationMessage("2)"), Parens);
    EXPECT_EQ(EvaluationMessage(")("), Parens);
    EXPECT_EQ(EvaluationMessage("2*()"), Blank); // an empty pair is an empty entry inside
}

TEST(Evaluator, OperatorPassesLeftToRight) {
    EXPECT_EQ(EvaluateExpression("2^3^2"), 64); // (2^3)^2
    EXPECT_EQ(EvaluateExpression("2+3*4"), 14);
    EXPECT_EQ(EvaluateExpression("8/2/2"), 2);
    EXPECT_EQ(EvaluateExpression("10-2-3"), 5);
    EXPECT_EQ(EvaluateExpression("7%3"), 1);
    EXPECT_EQ(EvaluateExpression("-7%3"), -1);   // truncated remainder
    EXPECT_EQ(EvaluateExpression("7.9%3.9"), 1); // 7 % 3
    EXPECT_EQ(EvaluateExpression("1&0"), 0);
    EXPECT_EQ(EvaluateExpression("2&3"), 1);
    EXPECT_EQ(EvaluateExpression("1|0"), 1);
    EXPECT_EQ(EvaluateExpression("0|0"), 0);
    EXPECT_EQ(EvaluateExpression("2=2"), 1);
    EXPECT_EQ(EvaluateExpression("1+1=2"), 1);
    EXPECT_EQ(EvaluateExpression("1+1=3"), 0);
    EXPECT_EQ(EvaluateExpression(" 2 *\t3 "), 6);
}

TEST(Evaluator, MinusSigns) {
    EXPECT_EQ(EvaluateExpression("-5"), -5);
    EXPECT_EQ(EvaluateExpression("3--4"), 7);
    EXPECT_EQ(EvaluateExpression("2*-3"), -6);
    EXPECT_EQ(EvaluateExpression("2^-1"), 0.5L);
    EXPECT_EQ(EvaluateExpression("1e-3*2"), 0.002L);
    EXPECT_EQ(EvaluateExpression("1.5E-3"), 0.0015L);
    EXPECT_EQ(EvaluateExpression("--5"), 5); // "--" cancels
    EXPECT_EQ(EvaluateExpression("---5"), -5);
    // A negative intermediate re-enters the text with its sign, which then binds first.
    EXPECT_EQ(EvaluateExpression("(3-5)^2"), 4);
    EXPECT_EQ(EvaluateExpression("2-(3-5)"), 4);
    EXPECT_EQ(EvaluateExpression("(1-5)-(1-5)"), 0);
    // The marker character itself, when typed, is the binary minus.
    EXPECT_EQ(EvaluateExpression("5\u203A3"), 2);
}

TEST(Evaluator, FunctionsAndTheirMinus) {
    ExpectClose(EvaluateExpression("sin(-1)"), std::sin(-1.0L));
    // "2*sin" before the minus is no function name: the minus is binary, sin lacks its argument.
    EXPECT_EQ(EvaluationMessage("2*sin(-1)"), BadChars);
    EXPECT_EQ(EvaluateExpression("sqrt(16)"), 4);
    EXPECT_EQ(EvaluateExpression("SQRT(16)"), 4);
    ExpectClose(EvaluateExpression("sinh(1)"), std::sinh(1.0L)); // not sin of "h1"
    ExpectClose(EvaluateExpression("arcsinh(1)"), std::asinh(1.0L));
    ExpectClose(EvaluateExpression("arctanh(0.5)"), std::atanh(0.5L));
    ExpectClose(EvaluateExpression("arccosh(2)"), std::acosh(2.0L));
    ExpectClose(EvaluateExpression("cotan(1)"), 1.0L / std::tan(1.0L));
    EXPECT_EQ(EvaluateExpression("sec(0)"), 1);
    ExpectClose(EvaluateExpression("csc(1)"), 1.0L / std::sin(1.0L));
    EXPECT_EQ(EvaluateExpression("abs(-3)"), 3);
    EXPECT_EQ(EvaluateExpression("frac(-2.75)"), -0.75L);
    EXPECT_EQ(EvaluateExpression("int(-2.75)"), -2);
    EXPECT_EQ(EvaluateExpression("round(2.5)"), 2); // ties to even
    EXPECT_EQ(EvaluateExpression("round(3.5)"), 4);
    EXPECT_EQ(EvaluateExpression("round(-2.5)"), -2);
    EXPECT_EQ(EvaluateExpression("round(2.6)"), 3);
    EXPECT_EQ(EvaluateExpression("ceil(1.2)"), 2);
    EXPECT_EQ(EvaluateExpression("floor(-1.2)"), -2);
    EXPECT_EQ(EvaluateExpression("log(1000)"), 3); // exact, although log10l(1000) is not
    EXPECT_EQ(EvaluateExpression("log(1e-12)"), -12);
    ExpectClose(EvaluateExpression("log(2)"), 0.301029995663981195214L);
    ExpectClose(EvaluateExpression("lne"), 1);
    // In parentheses e is reprinted as 2.71828182845904524 (4.6e-18 above e): ln is 1+1.7e-18.
    EXPECT_GT(EvaluateExpression("ln(e)"), 1.0L);
    EXPECT_LT(EvaluateExpression("ln(e)"), 1.0L + 2e-18L);
    EXPECT_EQ(EvaluateExpression("sqrtsqrt(16)"), 2); // functions nest to the right
    // "cosec" is taken as cos applied to "ec".
    EXPECT_EQ(EvaluationMessage("cosec(1)"), BadChars);
    EXPECT_EQ(EvaluationMessage("sin"), BadChars);
}

TEST(Evaluator, ConstantsFactorialAndHex) {
    EXPECT_EQ(EvaluateExpression("pi"), 3.1415926535897932385L);
    EXPECT_EQ(EvaluateExpression("-PI"), -3.1415926535897932385L);
    EXPECT_EQ(EvaluateExpression("e"), std::exp(1.0L));
    EXPECT_EQ(EvaluateExpression("-e"), -std::exp(1.0L));
    // pi/2 = 1.5707963267948966192..., reprinted with 18 digits.
    EXPECT_EQ(EvaluateExpression("pi/2"), 1.57079632679489662L);
    // 1/3 is reprinted as 0.333333333333333333, times 3 gives eighteen nines.
    EXPECT_EQ(EvaluateExpression("1/3*3"), 0.999999999999999999L);
    EXPECT_EQ(EvaluateExpression("5!"), 120);
    EXPECT_EQ(EvaluateExpression("0!"), 1);
    EXPECT_EQ(EvaluateExpression("(-3)!"), -6); // sign of the argument
    EXPECT_EQ(EvaluateExpression("3!!"), 720);
    EXPECT_EQ(EvaluationMessage("2.5!"), FactorialOnly);
    EXPECT_EQ(EvaluationMessage("!"), BadChars);
    EXPECT_EQ(EvaluateExpression("$FF"), 255);
    EXPECT_EQ(EvaluateExpression("$1f"), 31);
    EXPECT_EQ(EvaluateExpression("$FF+1"), 256);
    EXPECT_EQ(EvaluateExpression("$FFFFFFFFFFFFFFFF"), 18446744073709551615.0L);
    EXPECT_EQ(EvaluationMessage("$G"), BadHex);
    EXPECT_EQ(EvaluationMessage("$"), BadHex);
    EXPECT_EQ(EvaluationMessage("$10000000000000000"), BadHex); // more than 64 bits
    EXPECT_EQ(EvaluationMessage("$-1"), BadHex);
}

TEST(Evaluator, EntryErrors) {
    EXPECT_EQ(EvaluationMessage(""), Blank);
    EXPECT_EQ(EvaluationMessage("   "), Invalid);
    EXPECT_EQ(EvaluationMessage("\t"), Invalid);
    EXPECT_EQ(EvaluationMessage("2+"), Invalid);
    EXPECT_EQ(EvaluationMessage("+2"), BadChars); // empty first operand
    EXPECT_EQ(EvaluationMessage("abc"), BadChars);
    EXPECT_EQ(EvaluationMessage("1e"), BadChars);
    EXPECT_EQ(EvaluationMessage("1e+3"), BadChars); // "+" is always an operator
    EXPECT_EQ(EvaluationMessage("1..2"), BadChars);
    EXPECT_EQ(EvaluationMessage("1,5"), BadChars);
    EXPECT_EQ(EvaluationMessage("inf"), BadChars);
    EXPECT_EQ(EvaluationMessage("nan"), BadChars);
    EXPECT_EQ(EvaluateExpression("2 3"), 23); // blanks are removed first
    EXPECT_EQ(EvaluationMessage("5\n"), BadChars);
}

TEST(Evaluator, UnicodeText) {
    EXPECT_EQ(EvaluationMessage("\u03C0"), BadChars);   // Greek pi
    EXPECT_EQ(EvaluationMessage("\uFF12"), BadChars);   // fullwidth 2
    EXPECT_EQ(EvaluationMessage("3\u00B72"), BadChars); // middle dot
    EXPECT_EQ(EvaluationMessage("\u00BD"), BadChars);   // one half
    EXPECT_EQ(EvaluationMessage("2\u2212"
                                "1"),
              BadChars);                                // minus sign U+2212
    EXPECT_EQ(EvaluationMessage("\xff\xfe"), BadChars); // not UTF-8 at all
    EXPECT_EQ(EvaluationMessage("\xE2\x80"), BadChars); // cut marker sequence
    EXPECT_EQ(EvaluationMessage(std::string("1\0", 2)), BadChars);
}

TEST(Evaluator, ArithmeticFaultsAreTheirOwnKind) {
    EXPECT_EQ(ArithmeticMessage("1/0"), "Division by zero");
    EXPECT_EQ(ArithmeticMessage("0/0"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("5%0"), "Division by zero");
    EXPECT_EQ(ArithmeticMessage("5%0.5"), "Division by zero"); // 0.5 truncates to 0
    EXPECT_EQ(ArithmeticMessage("ln(0)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("ln(-1)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("log(0)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("10^5000"), "Floating point overflow");
    EXPECT_EQ(ArithmeticMessage("1e5000"), "Floating point overflow");
    EXPECT_EQ(ArithmeticMessage("1e4000*1e4000"), "Floating point overflow");
    EXPECT_EQ(ArithmeticMessage("sqrt(-1)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("arcsin(2)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("arccos(-2)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("arccosh(0)"), "Invalid floating point operation");
    EXPECT_FALSE(ArithmeticMessage("arctanh(1)").empty());
    EXPECT_EQ(ArithmeticMessage("cotan(0)"), "Division by zero");
    EXPECT_EQ(ArithmeticMessage("csc(0)"), "Division by zero");
    EXPECT_EQ(ArithmeticMessage("0^-1"), "Division by zero");
    EXPECT_EQ(ArithmeticMessage("(-8)^(1/3)"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("sinh(20000)"), "Floating point overflow");
    EXPECT_EQ(ArithmeticMessage("1755!"), "Floating point overflow");
    EXPECT_EQ(ArithmeticMessage("5!!!"), "Floating point overflow"); // (120!)!
    EXPECT_EQ(ArithmeticMessage("1e30%2"), "Invalid floating point operation");
    EXPECT_EQ(ArithmeticMessage("$FF/0"), "Division by zero");
}

TEST(Evaluator, ExtremesThatStillEvaluate) {
    EXPECT_EQ(EvaluateExpression("1e-5000"), 0);                 // below the range
    EXPECT_EQ(EvaluateExpression("-9223372036854775808%-1"), 0); // no trap
    EXPECT_EQ(EvaluateExpression("-9223372036854775808%7"), -1); // 2^63 = 7*1317624576693539401+1
    // 170! = 7.257415615307998967e306 (tables of the gamma function).
    EXPECT_NEAR(static_cast<double>(EvaluateExpression("170!") / 7.257415615307998967e306L), 1.0,
                1e-15);
    EXPECT_TRUE(std::isfinite(EvaluateExpression("1754!")));
    // 5!! = 120! = 6.689502913449127e198.
    EXPECT_NEAR(static_cast<double>(EvaluateExpression("5!!") / 6.689502913449127e198L), 1.0,
                1e-15);
    EXPECT_EQ(EvaluateExpression("0^0"), 1);
}

TEST(Evaluator, LongAndDeepEntries) {
    std::string sum = "1";
    for (int i = 1; i < 2000; ++i) sum += "+1";
    EXPECT_EQ(EvaluateExpression(sum), 2000);

    std::string deep = std::string(50, '(') + "2" + std::string(50, ')');
    EXPECT_EQ(EvaluateExpression(deep), 2);

    // (1+(1+(1+...(1)...))) with 50 pairs: 51 ones.
    std::string nested;
    for (int i = 0; i < 50; ++i) nested += "(1+";
    nested += "1" + std::string(50, ')');
    EXPECT_EQ(EvaluateExpression(nested), 51);

    std::string thousand = std::string(1000, '(') + "-3" + std::string(1000, ')') + "*2";
    EXPECT_EQ(EvaluateExpression(thousand), -6);

    // A chain of 3000 functions: no recursion per function.
    std::string chain;
    for (int i = 0; i < 3000; ++i) chain += "abs";
    EXPECT_EQ(EvaluateExpression(chain + "(2)"), 2);

    EXPECT_EQ(EvaluationMessage(std::string(10001, '1')),
              "Entry could not be evaluated:\rentry is too long");
    EXPECT_EQ(EvaluationMessage(std::string(5000, '(')), BadChars);
    EXPECT_EQ(EvaluationMessage(std::string(5000, ')')), Parens);
    EXPECT_EQ(EvaluationMessage(std::string(5000, '-')), BadChars); // all cancel: nothing left
    EXPECT_EQ(EvaluationMessage(std::string(5001, '-')), BadChars);
}

TEST(Evaluator, Operand) {
    EXPECT_EQ(EvaluateOperand("--5"), 5);
    EXPECT_EQ(EvaluateOperand("PI"), 3.1415926535897932385L);
    EXPECT_EQ(EvaluateOperand("sin0"), 0);
    EXPECT_EQ(EvaluateOperand("3!"), 6);
    EXPECT_EQ(EvaluateOperand("sqrt16!"), std::sqrt(20922789888000.0L)); // sqrt(16!)
    EXPECT_EQ(EvaluateOperand("-2.5E-3"), -0.0025L);
    EXPECT_THROW(EvaluateOperand("2+3"), EvaluationError);
    EXPECT_THROW(EvaluateOperand(""), EvaluationError);
}

TEST(Evaluator, FunctionNames) {
    for (const char* name :
         {"arctanh", "arctan", "cotan", "tanh", "tan",   "arccosh", "arccos", "cosh", "cos", "sec",
          "arcsinh", "arcsin", "sinh",  "sin",  "cosec", "csc",     "abs",    "frac", "int", "ln",
          "round",   "ceil",   "floor", "log",  "sqrt",  "!",       "$",      "SIN",  "Sqrt"})
        EXPECT_TRUE(IsFunctionName(name)) << name;
    for (const char* other : {"", "sinx", "si", "pi", "e", "exp", " sin", "sin "})
        EXPECT_FALSE(IsFunctionName(other)) << other;
}
