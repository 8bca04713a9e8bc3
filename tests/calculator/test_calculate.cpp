// CALCULATE's display lines, the repaired inputs, and random typed input,
// in the build language of the test program.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "calculator/calculate.h"
#include "language/language.h"

namespace {

const std::string ERR = SYNTAXERRORTEXT();

struct Line {
    const char *input, *display;
};

void EXPECTLINES(const Line* begin, const Line* end) {
    for (const Line* c = begin; c != end; ++c) EXPECT_EQ(CALCULATE(c->input), c->display) << c->input;
}

TEST(SyntaxErrorText, ByBuildLanguage) { EXPECT_EQ(ERR, LANGTEXT("Erreur de syntaxe", "Syntax error")); }

TEST(DisplayLine, WorkedLines) {
    const Line cases[] = {
        {"2+3*4", "2+3*4 = 14"},       {"2^3^2", "2^3^2 = 64"},           {"-2^2", "-2^2 = 4"},
        {"3-2^2", "3-2^2 = -1"},       {"7/0", "7/0 = 0"},                {"0^-1", "0^-1 = 0"},
        {"2 * 3 + 12 * 3", "2 * 3 + 12 * 3 = 42"},                        {"2/3", "2/3 = 0 , 666666"},
        {"1/3*3", "1/3*3 = 0 , 999999"}, {"-1/2", "-1/2 = -0 , 5"},       {"-7/2", "-7/2 = -3 , 5"},
        {"1234567*10", "1234567*10 = 12 345 670"},                        {"10^20", "10^20 = 1 E+20"},
        {"1/3000", "1/3000 = 3 , 333333 E-4"},                            {"1/10^7", "1/10^7 = 0 , 000000"},
        {"2^0,5", "2^0,5 = 1 , 414213"},                                  {"10^400", "10^400 = 9 , 999999 E+998"},
    };
    EXPECTLINES(std::begin(cases), std::end(cases));
}

TEST(DisplayLine, EdgeCases) {
    const Line cases[] = {
        {"", ""},                          {"    ", ""},
        {" 2+2 ", " 2+2  = 4"},            // the expression exactly as typed
        {"8/2*4", "8/2*4 = 16"},           {"0^0", "0^0 = 1"},                {"-2^2.6", "-2^2.6 = -8"},
        {"3*-2^2", "3*-2^2 = 12"},         {"1.50", "1.50 = 1 , 50"},         {"1e5", ERR.c_str()},
        {"1e5*1", "1e5*1 = 100 000"},      {"2+2=", ERR.c_str()},             {"-8^(1/3)", "-8^(1/3) = 1"},
        {"999999999999999+1", "999999999999999+1 = 1 E+15"},                 {"1000000-1", "1000000-1 = 999 999"},
        {"-1234.5678", "-1234.5678 = -1 234 , 5678"},                         {"1E+20*1", "1E+20*1 = 21"},
        {"2^-70", "2^-70 = 8 , 470329 E-22"}, {"0,1+0,2", "0,1+0,2 = 0 , 3"},
        {"12345678901234567890123", "12345678901234567890123 = 12 345 678 901 234 567 800 000"},
    };
    EXPECTLINES(std::begin(cases), std::end(cases));
}

// A ")" left without "(" after balancing used to make the group loop spin.
TEST(Mended, ClosingWithoutOpeningIsAnError) {
    for (const char* input : {")(", "2)+(3", "))((", ")1(", "(1))+((2)", "1)*(2)*(3", ")()("})
        EXPECT_EQ(CALCULATE(input), ERR) << input;
}

// A negative group value after a glued unary minus reads as its opposite.
TEST(Mended, MinusBeforeNegativeGroup) {
    const Line cases[] = {
        {"-(-2)", "-(-2) = 2"},     {"3*-(-2)", "3*-(-2) = 6"},   {"2^-(-1)", "2^-(-1) = 2"},
        {"-(-(-2))", "-(-(-2)) = -2"}, {"-(2-5)", "-(2-5) = 3"},  {"-(-2)^2", "-(-2)^2 = 4"},
        {"10/-(-4)", "10/-(-4) = 2 , 5"}, {"(-(-2))", "(-(-2)) = 2"}, {"2-(-3)", "2-(-3) = 5"},
        {"-(-1/2)", "-(-1/2) = 0 , 5"},
    };
    EXPECTLINES(std::begin(cases), std::end(cases));
}

TEST(Mended, FurtherFaults) {
    const Line cases[] = {
        {"E", ERR.c_str()}, {".", ERR.c_str()}, {"-(.)", ERR.c_str()},  // no digit, no number (was "E = 0 E")
        {"-0.5", "-0.5 = -0 , 5"}, {"-0,25", "-0,25 = -0 , 25"},       // the sign is kept (was "0 , 5")
        {"-&H10*1", "-&H10*1 = -16"}, {"3*-&B11", "3*-&B11 = -9"},     // a sign before "&" applies (was 0)
    };
    EXPECTLINES(std::begin(cases), std::end(cases));
}

TEST(Mended, LargeInputsFinish) {
    const Line cases[] = {
        {"1E999999*1", "1E999999*1 = 1 , 701411 E+38"},
        {"1/1E999999", "1/1E999999 = 5 , 877471 E-39"},
        {"2^1E999999", "2^1E999999 = 9 , 999999 E+998"},
        {"&H1234567890123456789012345678901234567890*1", "&H1234567890123456789012345678901234567890*1 = 1 , 039290 E+47"},
    };
    EXPECTLINES(std::begin(cases), std::end(cases));
    std::string sum = "1", nested = "1";
    for (int i = 0; i < 4999; ++i) sum += "+1";
    for (int i = 0; i < 3000; ++i) nested = "(" + nested + "*1)";
    EXPECT_EQ(CALCULATE(sum), sum + " = 5 000");
    EXPECT_EQ(CALCULATE(nested), nested + " = 1");
    EXPECT_EQ(CALCULATE(std::string(10000, '(')), std::string(10000, '(') + " = 0");
    EXPECT_EQ(CALCULATE(std::string(10000, ')')), std::string(10000, ')') + " = 0");
    EXPECT_EQ(CALCULATE(std::string(10000, '-') + "2"), ERR);
    EXPECT_EQ(CALCULATE("2" + std::string(9999, '^')), "2" + std::string(9999, '^') + " = 2");
}

// What a display line's result may look like: grouped integer part, an
// optional fraction of up to 6 characters, an optional exponent part.
const std::regex RESULTSHAPE(R"(-?(0|[1-9][0-9]{0,2}( [0-9]{3})*)( , [0-9.]{1,6})?( E[0-9.E+-]*)?)");

void EXPECTDISPLAYLINE(const std::string& input) {
    const std::string line = CALCULATE(input);
    if (input.find_first_not_of(' ') == std::string::npos) {
        EXPECT_EQ(line, "");
        return;
    }
    if (line == ERR) return;
    ASSERT_EQ(line.compare(0, input.size() + 3, input + " = "), 0) << input;
    EXPECT_TRUE(std::regex_match(line.substr(input.size() + 3), RESULTSHAPE)) << input << " -> " << line;
}

TEST(Property, RandomTypedInputGivesADisplayLineOrTheError) {
    std::mt19937 random(20240607);
    const std::string keys = "0123456789012345678901234567890123456789+-*/^()()%,.=E &Hhe  ";
    for (int n = 0; n < 20000; ++n) {
        const int length = static_cast<int>(random() % (n % 100 == 0 ? 600 : 24));
        std::string input;
        for (int i = 0; i < length; ++i)
            input += random() % 50 == 0 ? static_cast<char>(random() % 256) : keys[random() % keys.size()];
        EXPECTDISPLAYLINE(input);
    }
}

// Random well-formed expressions (numbers with point or comma, the five
// operators, unary signs, groups, spaces) always give a number.
std::string WELLFORMED(std::mt19937& random, int depth) {
    std::string operand;
    const unsigned kind = random() % 6;
    if (depth > 0 && kind == 0) {
        operand = "(" + WELLFORMED(random, depth - 1) + ")";
    } else {
        operand = std::to_string(random() % 1000);
        if (kind == 1) operand += (random() % 2 ? "." : ",") + std::to_string(random() % 100);
        if (kind == 2) operand += "%";
    }
    if (random() % 5 == 0) operand = (random() % 2 ? "-" : "+") + operand;
    if (random() % 4 == 0) return operand;
    const char* ops[] = {"+", "-", "*", "/", "^", " + ", " * "};
    return operand + ops[random() % 7] + WELLFORMED(random, depth);
}

TEST(Property, WellFormedExpressionsEvaluate) {
    std::mt19937 random(7);
    for (int n = 0; n < 3000; ++n) {
        const std::string input = WELLFORMED(random, 3);
        const std::string line = CALCULATE(input);
        ASSERT_NE(line, ERR) << input;
        EXPECTDISPLAYLINE(input);
    }
}

}  // namespace
