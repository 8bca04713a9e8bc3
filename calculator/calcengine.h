// The pieces CALCULATE is made of. The calculator computes on text: the
// typed expression is rewritten into a spaced canonical form (operands and
// " ^ ", " * ", " / ", " + ", " - "; a unary minus glued to its operand),
// then reduced one operation at a time, each value written back as a text
// of at most 15 significant digits.
#pragma once
#include <limits>
#include <string>

// Operands and single operations are computed in the x87 80-bit format.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x87 extended format");
static_assert(std::numeric_limits<long double>::max_exponent == 16384, "long double must be the x87 extended format");

// The typed text rewritten into the canonical form, parentheses still in
// (2*-3 becomes "2 * -3"). False when the screening of the raw text already
// decides the result ("0" or the syntax-error text), which text then holds.
bool CANONICALFORM(const std::string& expression, std::string& text);

// The whole typed expression: a number text, "0", or the syntax-error text.
std::string CALCEXPRESSION(const std::string& expression);

// A canonical text without parentheses: a number text or the syntax-error text.
std::string EVALFLAT(const std::string& text);

// The leftmost "left op right" of the given operator ('^', '*', '/', '+',
// '-') replaced by its value; the text unchanged when that operator is
// absent; the syntax-error text when an operand has no decimal digit.
std::string REDUCEOP(const std::string& text, char op);

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
