// The calculator's rules in the build language: the display line of typed input, the two number conversions, and
// what the window does with its texts. The fuzz targets own random and very long input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "calculator/calcengine.h"
#include "calculator/calculate.h"
#include "calculator/calcwindowstate.h"
#include "language/language.h"

namespace {

const std::string ERR = LANGTEXT("Erreur de syntaxe", "Syntax error");

TEST(Calculate, DisplayLines) {
    // Precedence and signs; groups, balancing, percent, comma and spaces; exponents split by the spacing and operand
    // reading; division by zero, powers and overflow; 15 digits per step, six decimals cut, the exponent form; a
    // negative group after a glued minus. Each line is what the typed text before " = " shows.
    const char* const lines[] = {
        // clang-format off
        "2+3*4 = 14",
        "8/2*4 = 16",
        "5-3-2 = 0",
        "2^3^2 = 64",
        "-2^2 = 4",
        "3-2^2 = -1",
        "3*-2^2 = 12",
        "2 * 3 + 12 * 3 = 42",
        "-5+2 = -3",
        "2*-3 = -6",
        "2--3 = 5",
        "2+-3 = -1",
        "2*+3 = 6",
        "+2 = 2",
        "2^-1 = 0 , 5",
        "(-3)^2 = 9",
        "-(2+3) = -5",
        "(2)(3) = 6",
        "(2)(3)(4) = 24",
        "(2+3 = 5",
        "2+3) = 5",
        "((2) = 2",
        "(*2) = 2",
        "7*2- = 14",
        "2*( = 0",
        "2^( = 1",
        "( = 0",
        ") = 0",
        "+ = 0",
        "- = 0",
        "1,5+1 = 2 , 5",
        "50% = 0 , 5",
        "200*10% = 20",
        "100+10% = 100 , 1",
        "1 2+3 = 15",
        "0,1+0,2 = 0 , 3",
        "1E-5 = -4",
        "1E+5 = 6",
        "1E5*1 = 100 000",
        "1e5*1 = 100 000",
        "1E+20*1 = 21",
        "1D3*1 = 1 000",
        "1.2.3*1 = 1 , 2",
        "3x*1 = 3",
        "x3*1 = 0",
        "5.*1 = 5",
        "&H10*2 = 32",
        "&h1f*1 = 31",
        "&B101*1 = 5",
        "&O17*1 = 15",
        "&q17*1 = 15",
        "&17*1 = 15",
        "&8*1 = 0",
        "-&H10*1 = -16",
        "3*-&B11 = -9",
        "7/0 = 0",
        "0^0 = 1",
        "0^-1 = 0",
        "-2^2.6 = -8",
        "-2^2.5 = 4",
        "-2^3.5 = 16",
        "-8^(1/3) = 1",
        "4^0,5 = 2",
        "2^0,5 = 1 , 414213",
        "1^1E30 = 1",
        "-1^70001 = -1",
        "-1^70000 = 1",
        "10^-60000 = 0",
        "10^400 = 9 , 999999 E+998",
        "2^65536 = 9 , 999999 E+998",
        "-2^65537 = -9 , 999999 E+998",
        "0,5^-20000 = 9 , 999999 E+998",
        "2^1E999999 = 9 , 999999 E+998",
        "1E999999*1 = 1 , 701411 E+38",
        "1/1E999999 = 5 , 877471 E-39",
        "&H1234567890123456789012345678901234567890*1 = 1 , 039290 E+47",
        "2/3 = 0 , 666666",
        "1/3*3 = 0 , 999999",
        "1/10^7 = 0 , 000000",
        "1/3000 = 3 , 333333 E-4",
        "10^20 = 1 E+20",
        "2^-70 = 8 , 470329 E-22",
        "999999999999999+1 = 1 E+15",
        "1234567*10 = 12 345 670",
        "1000000-1 = 999 999",
        "-1234.5678 = -1 234 , 5678",
        "1.50 = 1 , 50",
        "-1/2 = -0 , 5",
        "-7/2 = -3 , 5",
        "-0.5 = -0 , 5",
        "12345678901234567890123 = 12 345 678 901 234 567 800 000",
        "123456789012345678-123456789012345677 = 1",
        "9007199254740993-9007199254740992 = 1",
        "-(-2) = 2",
        "3*-(-2) = 6",
        "2^-(-1) = 2",
        "-(-(-2)) = -2",
        "10/-(-4) = 2 , 5",
        "-(-1/2) = 0 , 5",
        " 2+2  = 4",  // shown exactly as typed
        // clang-format on
    };
    for (const std::string line : lines) EXPECT_EQ(CALCULATE(line.substr(0, line.find(" = "))), line);
    const char* const errors[] = {
        // clang-format off
        "2+2=",
        "=",
        "*2",
        "/2",
        "^2",
        "%5",
        "+-",
        "(-*)",
        "+-2",
        "-+2",
        "2(3)",
        "(2)3",
        "1e5",
        "2*x",
        "2\xE9",
        "E",
        ".",
        "-(.)",
        ")(",
        "2)+(3",
        "))((",
        "(1))+((2)",
        // clang-format on
    };
    for (const char* typed : errors) EXPECT_EQ(CALCULATE(typed), ERR) << typed;
    for (const char* blank : {"", "   "}) EXPECT_EQ(CALCULATE(blank), "") << blank;
}

TEST(NumText, FifteenDigitsAndTheLayouts) {
    // The plain and scientific layouts, the special values, and the 16th digit alone rounding the 15: a 5 goes to the
    // even neighbour whatever follows it, exact ties included; carries past a power of ten; tiny and huge values.
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> cases[] = {
        // clang-format off
        {4, "4"},
        {0.5, ".5"},
        {-0.25, "-.25"},
        {1.0 / 3, ".333333333333333"},
        {2.0 / 3, ".666666666666667"},
        {std::sqrt(2.0), "1.4142135623731"},
        {999999999999999, "999999999999999"},
        {1E15, "1E+15"},
        {1E14, "100000000000000"},
        {1.5E15, "1.5E+15"},
        {1E-16, "1E-16"},
        {0.000000000000015, ".000000000000015"},
        {0.0000000000000125, "1.25E-14"},
        {1.0 / 3000, "3.33333333333333E-4"},
        {-2.5E-20, "-2.5E-20"},
        {123456789.0123456, "123456789.012346"},
        {0.0, "0"},
        {-0.0, "0"},
        {std::nan(""), "0"},
        {inf, "9.99999999999999E+998"},
        {-inf, "-9.99999999999999E+998"},
        {0.2468429743296745, ".246842974329674"},
        {0.6337381796907495, ".63373817969075"},
        {1.614979545329295, "1.61497954532929"},
        {0.9999999999999999, "1"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {5E-324, "4.94065645841246E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {1.0 / 22, "4.54545454545454E-2"},
        {std::ldexp(1.0, -22), "2.38418579101562E-7"},
        {1000000000000005.0, "1E+15"},
        {1000000000000015.0, "1.00000000000002E+15"},
        {std::nextafter(1e15, 0.0), "1E+15"},
        {std::nextafter(1e-5, 0.0), ".00001"},
        {std::nextafter(1e-5, 1.0), ".00001"},
        {std::numeric_limits<double>::min(), "2.2250738585072E-308"},
        {0x1.092fa990bf055p-1022, "2.30491734074867E-308"},
        {std::ldexp(527009.0, -1074), "2.60377041949149E-318"},
        {0x1.7b1dfa73981a6p+1023, "1.3311254161706E+308"},
        {std::nextafter(1e308, 0.0), "1E+308"},
        // clang-format on
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(NUMTEXT(value), text) << text;
}

TEST(TextValue, DigitsBeyondTheDisplay) {
    // 18 significant digits are read; the value is built in extended precision.
    EXPECT_EQ(TEXTVALUE("123456789012345678999"), 123456789012345678000.0L);
    EXPECT_EQ(TEXTVALUE("0.0001234567890123456789"), 0.0001234567890123456780L);
    EXPECT_EQ(TEXTVALUE("&H" + std::string(40, 'F')), std::ldexp(1.0L, 160));
}

TEST(CalculatorWindowState, TypingAndEnter) {
    // Text put back unchanged is not evaluated again; Enter records the line shown, once: on the emptied input it
    // records nothing more. Enter anywhere in a text with nothing to record only removes the line breaks, those that
    // meet once the ones inside them are gone too ("\r\r\n\n" is two).
    CalculatorState state;
    EXPECT_EQ(CALCINPUTCHANGED(state, "2+3", "").Result, "2+3 = 5");
    EXPECT_FALSE(CALCINPUTCHANGED(state, "2+3", "").SetResult);
    EXPECT_EQ(CALCINPUTCHANGED(state, "2+3\r\n", "1 = 1\r\n").History, "2+3 = 5\r\n1 = 1\r\n");
    for (const std::string typed : {"", "2+2=", "", "  ", "abc"}) {  // the emptied input first, then texts typed
        SCOPED_TRACE("Enter in \"" + typed + "\"");
        CALCINPUTCHANGED(state, typed, "");
        const auto u = CALCINPUTCHANGED(state, std::string(typed).insert(typed.size() / 2, "\r\n"), "old\r\n");
        EXPECT_TRUE(u.SetInput) << "the input not set again";
        EXPECT_FALSE(u.SetHistory) << "the history set to " << u.History;
        EXPECT_EQ(u.Input, typed) << "the input";
    }
    EXPECT_EQ(CALCINPUTCHANGED(state, "1\r\r\r\n\n+\n\r2\r\n\n", "").Input, "1\r+\n\r2\n");
}

}  // namespace
