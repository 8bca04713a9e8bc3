// Reduction of a canonical text without parentheses: one operation at a
// time, leftmost first within a level, each value written back as text.
#include <cmath>
#include <string>

#include "calculator/calcengine.h"
#include "calculator/calculate.h"

namespace {

bool HASDIGIT(const std::string& text, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (text[i] >= '0' && text[i] <= '9') return true;
    return false;
}

bool ISONEOF(char c, const char* set) {
    for (; *set; ++set)
        if (c == *set) return true;
    return false;
}

// Halves go to the even neighbour.
long double ROUNDHALFEVEN(long double y) {
    const long double below = std::floor(y);
    const long double rest = y - below;
    if (rest > 0.5L) return below + 1;
    if (rest < 0.5L) return below;
    return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

long double OPERATE(long double a, char op, long double b) {
    switch (op) {
        case '^': return POWERVALUE(a, b);
        case '*': return a * b;
        case '/': return b == 0 ? 0.0L : a / b;
        case '+': return a + b;
        default: return a - b;
    }
}

// Performs the operation whose " op " begins at index p of a trimmed text,
// in place. Returns false for an operand without any decimal digit; start
// becomes the index where the value was written.
bool REDUCEAT(std::string& text, size_t p, char op, size_t& start) {
    size_t left = p == 0 ? std::string::npos : text.rfind(' ', p - 1);
    left = left == std::string::npos ? 0 : left + 1;
    const size_t right = p + 3;
    size_t end = text.find(' ', right);
    if (end == std::string::npos) end = text.size();
    if (!HASDIGIT(text, left, p) || !HASDIGIT(text, right, end)) return false;
    const long double a = TEXTVALUE(text.substr(left, p - left));
    const long double b = TEXTVALUE(text.substr(right, end - right));
    const double stored = static_cast<double>(OPERATE(a, op, b));
    text.replace(left, end - left, NUMTEXT(stored));
    start = left;
    return true;
}

size_t FINDOP(const std::string& text, char op, size_t from) {
    const char pattern[4] = {' ', op, ' ', '\0'};
    return text.find(pattern, from);
}

// One precedence level: while either operator is present, the one that
// stands first is reduced. Nothing before the last written value can hold
// an operator of this level, so the search goes on from there.
bool REDUCELEVEL(std::string& text, char first, char second) {
    size_t from = 0;
    for (;;) {
        const size_t a = FINDOP(text, first, from);
        const size_t b = second ? FINDOP(text, second, from) : std::string::npos;
        if (a == std::string::npos && b == std::string::npos) return true;
        const bool takefirst = a < b;
        size_t start = 0;
        if (!REDUCEAT(text, takefirst ? a : b, takefirst ? first : second, start)) return false;
        from = start > 0 ? start - 1 : 0;
    }
}

size_t FIRSTNONSPACE(const std::string& text) { return text.find_first_not_of(' '); }

}  // namespace

long double POWERVALUE(long double x, long double y) {
    if (x < 0) y = ROUNDHALFEVEN(y);
    if (y == 0) return 1;
    if (x == 0) return y > 0 ? 0.0L : std::numeric_limits<long double>::quiet_NaN();
    const long double magnitude = std::fabs(y);
    if (magnitude < 65536 && std::floor(magnitude) == magnitude) {
        unsigned bits = static_cast<unsigned>(magnitude);
        long double result = 1, square = x;
        while (bits != 0) {
            if (bits & 1) result *= square;
            bits >>= 1;
            if (bits != 0) square *= square;
        }
        return y < 0 ? 1 / result : result;
    }
    const long double value = std::exp2(y * std::log2(std::fabs(x)));
    const bool odd = std::fmod(y, 2.0L) != 0;
    return x < 0 && odd ? -value : value;
}

std::string REDUCEOP(const std::string& text, char op) {
    const size_t first = FIRSTNONSPACE(text);
    if (first == std::string::npos) return text;
    std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const size_t p = FINDOP(t, op, 0);
    if (p == std::string::npos) return text;
    size_t start = 0;
    if (!REDUCEAT(t, p, op, start)) return SYNTAXERRORTEXT();
    return t;
}

std::string EVALFLAT(const std::string& text) {
    const size_t first = FIRSTNONSPACE(text);
    if (first == std::string::npos) return "0";
    std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (ISONEOF(t.back(), "*+-/^(") || ISONEOF(t.front(), "*+/^(")) return SYNTAXERRORTEXT();
    if (!REDUCELEVEL(t, '^', '\0') || !REDUCELEVEL(t, '*', '/') || !REDUCELEVEL(t, '+', '-')) return SYNTAXERRORTEXT();
    // What is left must be one number; a text without any digit ("E",
    // ".") is not one.
    for (const char c : t)
        if (!ISONEOF(c, "0123456789.E+-")) return SYNTAXERRORTEXT();
    if (!HASDIGIT(t, 0, t.size())) return SYNTAXERRORTEXT();
    return t;
}
