// The normaliser, the text evaluator and the two number conversions, rule by
// rule, in the build language of the test program.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "calculator/calcengine.h"
#include "calculator/calculate.h"

namespace {

const std::string ERR = SYNTAXERRORTEXT();

struct TextCase {
    const char *in, *out;
};
struct NumCase {
    double value;
    const char* text;
};

std::string CANONICAL(const std::string& typed) {
    std::string text;
    return CANONICALFORM(typed, text) ? text : "screened: " + text;
}

TEST(Normaliser, WorkedRewritings) {
    const struct {
        const char *typed, *canonical, *result;
    } cases[] = {
        {"2 + 3*4", "2 + 3 * 4", "14"},   {"-5+2", "-5 + 2", "-3"},       {"2*-3", "2 * -3", "-6"},
        {"2--3", "2 + 3", "5"},           {"2+-3", "2 - 3", "-1"},         {"2^-1", "2 ^ -1", ".5"},
        {"(-3)^2", "( -3 ) ^ 2", "9"},    {"-(2+3)", "-( 2 + 3 )", "-5"},  {"(2)(3)", "( 2 ) * ( 3 )", "6"},
        {"(2+3", "( 2 + 3 )", "5"},       {"2+3)", "( 2 + 3 )", "5"},      {"1,5+1", "1.5 + 1", "2.5"},
        {"50%", "50 / 100", ".5"},        {"200*10%", "200 * 10 / 100", "20"}, {"7*2-", "7 * 2", "14"},
        {"(*2)", "( 2 )", "2"},           {"1E-5", "1E - 5", "-4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CANONICAL(c.typed), c.canonical) << c.typed;
        EXPECT_EQ(CALCEXPRESSION(c.typed), c.result) << c.typed;
    }
}

TEST(Normaliser, ScreeningDecidesAtOnce) {
    const TextCase cases[] = {
        {"", "0"},      {"   ", "0"},    {"+", "0"},     {"-", "0"},      {" - ", "0"},   {"2+2=", ERR.c_str()},
        {"=", ERR.c_str()}, {"*2", ERR.c_str()}, {"/2", ERR.c_str()}, {"^2", ERR.c_str()}, {"+-", ERR.c_str()},
        {"(-*)", ERR.c_str()},
    };
    for (const auto& c : cases) EXPECT_EQ(CANONICAL(c.in), std::string("screened: ") + c.out) << c.in;
}

TEST(Normaliser, EdgeCases) {
    const TextCase cases[] = {
        {"(", "0"},          {")", "0"},          {"1 2+3", "15"},     {"1E+5", "6"},    {"1E5*1", "100000"},
        {"100+10%", "100.1"}, {"-2", "-2"},        {"+-2", ERR.c_str()}, {"-+2", ERR.c_str()}, {"2*(", "0"},
        {"2(3)", ERR.c_str()}, {"(2)3", ERR.c_str()}, {"(2)(3)", "6"},   {"%5", ERR.c_str()}, {"2*+3", "6"},
        {"+2", "2"},          {"((2)", "2"},       {"(2))", "2"},       {"2^(", "1"},      {"(2)(3)(4)", "24"},
    };
    for (const auto& c : cases) EXPECT_EQ(CALCEXPRESSION(c.in), c.out) << c.in;
}

TEST(Normaliser, StepOrderShowsInTheCanonicalText) {
    const TextCase cases[] = {
        {"+-2", "- 2"},             // plus-minus becomes an infix minus after the unary test
        {"-+2", "-+ 2"},            // the unary minus is glued before the plus is looked at
        {"(2*-)", "( 2 )"},         // "-)" then "*)" are dropped in turn
        {"2*(", "2 * ( )"},         // balanced before trailing operators go
        {"3^-(-2)", "3 ^ -( -2 )"},
        {"1,5%", "1.5 / 100"},
    };
    for (const auto& c : cases) EXPECT_EQ(CANONICAL(c.in), c.out) << c.in;
}

// Groups the literal way: the first ")", the nearest "(" before it, every
// identical group replaced by its value, until no ")" is left.
std::string GROUPSSTEPWISE(std::string e) {
    for (;;) {
        const size_t close = e.find(')');
        if (close == std::string::npos) return EVALFLAT(e);
        const size_t open = e.rfind('(', close);
        if (open == std::string::npos) return ERR;
        const std::string group = e.substr(open, close - open + 1);
        const std::string value = EVALFLAT(group.substr(1, group.size() - 2));
        if (value == ERR) return ERR;
        std::string out;
        size_t done = 0;
        for (size_t p = e.find(group); p != std::string::npos; p = e.find(group, done)) {
            out.append(e, done, p - done);
            const bool doubledminus = !out.empty() && out.back() == '-' && value[0] == '-';
            if (doubledminus) out.pop_back();
            out += doubledminus ? value.substr(1) : value;
            done = p + group.size();
        }
        e = out + e.substr(done);
    }
}

TEST(Normaliser, GroupsAgreeWithTheLiteralLoop) {
    std::mt19937 random(5);
    const std::string keys = "0123456789+-*/^()()(((-)))%,.E ";
    for (int n = 0; n < 5000; ++n) {
        std::string typed;
        for (int i = static_cast<int>(random() % 30); i > 0; --i) typed += keys[random() % keys.size()];
        std::string canonical;
        if (CANONICALFORM(typed, canonical)) {
            ASSERT_EQ(CALCEXPRESSION(typed), GROUPSSTEPWISE(canonical)) << typed;
        }
    }
}

TEST(EvalFlat, PrecedenceAndOrder) {
    const TextCase cases[] = {
        {"", "0"},                 {"   ", "0"},            {"2 + 3 * 4", "14"},    {"8 / 2 * 4", "16"},
        {"2 ^ 3 ^ 2", "64"},       {"-2 ^ 2", "4"},         {"3 * -2 ^ 2", "12"},   {"3 - 2 ^ 2", "-1"},
        {"2 * 3 + 12 * 3", "42"},  {"7 / 0", "0"},          {" 5 - 3 - 2 ", "0"},   {"1.50", "1.50"},
        {"2 - -3", "5"},           {"1E+20 + 1", "1E+20"},
    };
    for (const auto& c : cases) EXPECT_EQ(EVALFLAT(c.in), c.out) << c.in;
}

TEST(EvalFlat, MalformedTexts) {
    for (const char* text : {"2 +", "+ 2", "* 2", "/ 2", "^ 2", "( 2", "2 (", "2 3", "1e5", "2 * x", "2 * -",
                             "x", "E", ".", "-.", "2\xE9"})
        EXPECT_EQ(EVALFLAT(text), ERR) << text;
}

// The passes done one REDUCEOP at a time, rescanning the whole text each
// time: what EVALFLAT must agree with.
std::string STEPWISE(std::string t) {
    const size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos) return "0";
    t = t.substr(first, t.find_last_not_of(' ') - first + 1);
    if (std::string("*+-/^(").find(t.back()) != std::string::npos ||
        std::string("*+/^(").find(t.front()) != std::string::npos)
        return ERR;
    const char levels[3][2] = {{'^', '^'}, {'*', '/'}, {'+', '-'}};
    for (const auto& level : levels) {
        for (;;) {
            const size_t a = t.find(std::string(" ") + level[0] + " ");
            const size_t b = t.find(std::string(" ") + level[1] + " ");
            if (a == std::string::npos && b == std::string::npos) break;
            t = REDUCEOP(t, a < b ? level[0] : level[1]);
            if (t.find(ERR) != std::string::npos) return ERR;
        }
    }
    if (t.find_first_not_of("0123456789.E+-") != std::string::npos) return ERR;
    return t.find_first_of("0123456789") == std::string::npos ? ERR : t;
}

TEST(EvalFlat, AgreesWithOneReductionAtATime) {
    std::mt19937 random(11);
    const char* operands[] = {"2", "-3", "1.5", "1E+20", "0", "-.25", "&H10", "7", "x", ".", "9.99999999999999E+998"};
    const char* operators[] = {" ^ ", " * ", " / ", " + ", " - ", "  +  ", " *", " "};
    for (int n = 0; n < 5000; ++n) {
        std::string text = random() % 8 == 0 ? " " : "";
        const int count = 1 + static_cast<int>(random() % 9);
        for (int i = 0; i < count; ++i) {
            if (i > 0) text += operators[random() % (random() % 10 == 0 ? 8 : 5)];
            text += operands[random() % (random() % 10 == 0 ? 11 : 8)];
        }
        ASSERT_EQ(EVALFLAT(text), STEPWISE(text)) << "[" << text << "]";
    }
}

TEST(ReduceOp, OneOperationReplaced) {
    const struct {
        const char* text;
        char op;
        const char* result;
    } cases[] = {
        {"2 * 3 + 12 * 3", '*', "6 + 12 * 3"}, {"6 + 12 * 3", '*', "6 + 36"}, {" 1 + 2 ", '+', "3"},
        {"2 * 3", '+', "2 * 3"},                {"1 / 0", '/', "0"},           {"-1 / 3", '/', "-.333333333333333"},
        {"2 ^ 3 ^ 2", '^', "8 ^ 2"},            {"x * 2", '*', ERR.c_str()},   {"2 * .", '*', ERR.c_str()},
        {"3x * x3", '*', "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(REDUCEOP(c.text, c.op), c.result) << c.text << " " << c.op;
}

TEST(TextValue, Operands) {
    const long double big = std::ldexp(1.0L, 127);
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {"1E", 1},         {"E5", 0},          {"1.2.3", 1.2L},      {"3x", 3},          {"x3", 0},
        {"--2", 0},        {"&H10", 16},       {"&h1f", 31},         {"&B101", 5},       {"&O17", 15},
        {"&q17", 15},      {"&17", 15},        {"&8", 0},            {"&X1", 0},         {"-&H10", -16},
        {" \t\n5", 5},     {"+5", 5},          {"1D3", 1000},        {"1e-3", 0.001L},   {".5", 0.5L},
        {"5.", 5},         {"1.E2", 100},      {"-.25", -0.25L},     {"1E99999", big},   {"-1E99999", -big},
        {"1E-99999", 0},   {"1E4932", big},    {"0.00001E4937", big}, {"-1E-4934", 0},
        {"1E-4934", 0},    {"123456789012345678999", 123456789012345678000.0L},
        {"0.0001234567890123456789", 0.0001234567890123456780L},
        {"&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", std::ldexp(1.0L, 160)},
    };
    for (const auto& c : cases) EXPECT_EQ(TEXTVALUE(c.text), c.value) << c.text;
    // Just inside the range: the decimal exponent counts significant digits only.
    EXPECT_GT(TEXTVALUE("1E-4933"), 0);
    EXPECT_GT(TEXTVALUE("9.9E4931"), 9.8E4931L);
    EXPECT_GT(TEXTVALUE("0.00001E4936"), 9.9E4930L);
    EXPECT_EQ(TEXTVALUE("&H" + std::string(5000, 'F')), big);
    EXPECT_EQ(TEXTVALUE("1" + std::string(5000, '0')), big);
}

TEST(TextValue, ExtendedPrecisionIsInForce) {
    // Both operands need 57 bits; a 53-bit x87 precision setting would lose the 1.
    EXPECT_EQ(CALCEXPRESSION("123456789012345678-123456789012345677"), "1");
    EXPECT_EQ(CALCEXPRESSION("9007199254740993-9007199254740992"), "1");
}

TEST(Power, Rules) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct {
        long double x, y, value;
    } cases[] = {
        {2, 10, 1024},    {-2, 3, -8},  {-2, 2.6L, -8},      {-2, 2.5L, 4},    {-2, 3.5L, 16},    {-8, 1.0L / 3, 1},
        {0, 0, 1},        {0, 2, 0},    {2, -1, 0.5L},       {4, 0.5L, 2},     {2, 65536, inf},   {-2, 65537, -inf},
        {-1, 70001, -1},  {-1, 70000, 1}, {0.5L, -20000, inf}, {10, -60000, 0}, {1, 1E30L, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(POWERVALUE(c.x, c.y), c.value) << c.x << " ^ " << c.y;
    EXPECT_TRUE(std::isnan(POWERVALUE(0, -1)));
}

TEST(NumText, WorkedTable) {
    const NumCase cases[] = {
        {4, "4"}, {0.5, ".5"}, {-0.25, "-.25"}, {1.0 / 3, ".333333333333333"}, {2.0 / 3, ".666666666666667"},
        {std::sqrt(2.0), "1.4142135623731"}, {999999999999999, "999999999999999"}, {1E15, "1E+15"},
        {1E-16, "1E-16"}, {0.000000000000015, ".000000000000015"}, {0.0000000000000125, "1.25E-14"},
        {1.0 / 3000, "3.33333333333333E-4"},
    };
    for (const auto& c : cases) EXPECT_EQ(NUMTEXT(c.value), c.text) << c.text;
}

TEST(NumText, SixteenthDigitAloneRounds) {
    const NumCase cases[] = {
        {0.2468429743296745, ".246842974329674"},   // ...4|5026...: a 5 goes to the even 4
        {0.6337381796907495, ".63373817969075"},    // ...9|5257...: a 5 lifts the odd 9
        {1.614979545329295, "1.61497954532929"},    // exactly ...4|9964...: the 4 decides, not the 9s
        {0.9999999999999999, "1"},                  // carry out of the first digit
        {123456789012345678.0, "1.23456789012346E+17"},
        {5E-324, "4.94065645841246E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
    };
    for (const auto& c : cases) EXPECT_EQ(NUMTEXT(c.value), c.text) << c.text;
}

TEST(NumText, LayoutsAndSpecialValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const NumCase cases[] = {
        {0.0, "0"},          {-0.0, "0"},        {std::nan(""), "0"},     {inf, "9.99999999999999E+998"},
        {-inf, "-9.99999999999999E+998"},        {123.456, "123.456"},    {-1234567, "-1234567"},
        {1E14, "100000000000000"},               {1.5E15, "1.5E+15"},     {0.1, ".1"},
        {123456789.012345, "123456789.012345"},  {123456789.0123456, "123456789.012346"},
        {1E20, "1E+20"},     {-2.5E-20, "-2.5E-20"},
    };
    for (const auto& c : cases) EXPECT_EQ(NUMTEXT(c.value), c.text) << c.text;
}

}  // namespace
