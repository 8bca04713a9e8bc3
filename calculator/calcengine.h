// The pieces CALCULATE is made of. The calculator computes on text: the
// typed expression is rewritten into a spaced canonical form (operands and
// " ^ ", " * ", " / ", " + ", " - "; a unary minus glued to its operand),
// then reduced one operation at a time, each value written back as a text
// of at most 15 significant digits. An expression that does not evaluate
// gives no text at all; only CALCULATE turns that into the syntax-error text.
#pragma once
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// Operands and single operations are computed in the x87 80-bit format.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x87 extended format");
static_assert(std::numeric_limits<long double>::max_exponent == 16384, "long double must be the x87 extended format");

// A number text, or nothing when the text does not evaluate.
using CalcText = std::optional<std::string>;

// The whole typed expression: a number text, or "0" for one that is empty.
CalcText CALCEXPRESSION(const std::string& expression);

// A canonical text without parentheses to its number text.
CalcText EVALFLAT(const std::string& text);

// The leftmost "left op right" of the given operator ('^', '*', '/', '+',
// '-') replaced by its value; the text unchanged when that operator is
// absent; nothing when an operand has no decimal digit.
CalcText REDUCEOP(const std::string& text, char op);

// An operand to its extended value: decimal with optional exponent
// (E, e, D or d), or &H, &B, &O (&Q, & followed by a digit) whole numbers.
// Reading stops at the first character that does not fit.
long double TEXTVALUE(const std::string& operand);

// A double to its text with 15 significant digits: "4", ".5", "-.25",
// "1E+15", "3.33333333333333E-4".
std::string NUMTEXT(double value);

// x ^ y as the calculator computes it: a negative base takes the exponent
// rounded to a whole number; 0 ^ 0 is 1; 0 ^ negative is not a number.
long double POWERVALUE(long double x, long double y);

// Whether c is one of the characters of set (never the terminating zero).
inline bool isOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
