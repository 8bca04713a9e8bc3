// Reduction of a canonical text without parentheses: one operation at a
// time, leftmost first within a level, each value written back as text.
#include <cmath>
#include <string>

#include "calculator/calcengine.h"

namespace {

bool hasDigit(const std::string& text, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (text[i] >= '0' && text[i] <= '9') return true;
    return false;
}

// Halves go to the even neighbour.
long double roundHalfEven(long double y) {
    const long double below = std::floor(y);
    const long double rest = y - below;
    if (rest > 0.5L) return below + 1;
    if (rest < 0.5L) return below;
    return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

long double operate(long double a, char op, long double b) {
    switch (op) {
    case '^': return POWERVALUE(a, b);
    case '*': return a * b;
    case '/': return b == 0 ? 0.0L : a / b;
    case '+': return a + b;
    default: return a - b;
    }
}

// The value of "left op right" as text; false when an operand holds no
// decimal digit.
bool operation(const std::string& text, size_t left, size_t p, size_t end, char op, std::string& value) {
    const size_t right = p + 3;
    if (!hasDigit(text, left, p) || !hasDigit(text, right, end)) return false;
    const long double a = TEXTVALUE(text.substr(left, p - left));
    const long double b = TEXTVALUE(text.substr(right, end - right));
    value = NUMTEXT(static_cast<double>(operate(a, op, b)));
    return true;
}

// The operand left of the " op " at p begins after the last space before it.
size_t leftOperand(const std::string& text, size_t p, size_t floor) {
    const size_t space = p == 0 ? std::string::npos : text.rfind(' ', p - 1);
    return space == std::string::npos || space < floor ? floor : space + 1;
}

size_t rightOperandEnd(const std::string& text, size_t p) {
    const size_t end = text.find(' ', p + 3);
    return end == std::string::npos ? text.size() : end;
}

size_t findOp(const std::string& text, char op, size_t from) {
    const char pattern[4] = {' ', op, ' ', '\0'};
    return text.find(pattern, from);
}

// One precedence level: while either operator is present, the one that
// stands first is reduced and its value replaces "left op right". Values
// hold no spaces, so the next operator of the level always stands after
// the last right operand: the text is rebuilt in one pass, the reduced
// part in out and the untouched rest from index i of text.
bool reduceLevel(std::string& text, char first, char second) {
    std::string out, value;
    size_t i = 0, valuestart = std::string::npos;  // where out's last value begins
    size_t a = findOp(text, first, 0);
    size_t b = second ? findOp(text, second, 0) : std::string::npos;
    while (a != std::string::npos || b != std::string::npos) {
        const bool takefirst = a < b;
        const size_t p = takefirst ? a : b;
        const char op = takefirst ? first : second;
        const size_t end = rightOperandEnd(text, p);
        if (p == i && valuestart != std::string::npos) {
            // The last value is the left operand.
            std::string joined = out.substr(valuestart) + text.substr(p, end - p);
            if (!operation(joined, 0, out.size() - valuestart, joined.size(), op, value)) return false;
            out.resize(valuestart);
        } else {
            const size_t left = leftOperand(text, p, i);
            if (!operation(text, left, p, end, op, value)) return false;
            out.append(text, i, left - i);
        }
        valuestart = out.size();
        out += value;
        i = end;
        if (takefirst)
            a = findOp(text, first, end);
        else
            b = findOp(text, second, end);
        if (a < i) a = findOp(text, first, i);
        if (b < i && second) b = findOp(text, second, i);
    }
    if (valuestart == std::string::npos) return true;
    out.append(text, i, std::string::npos);
    text.swap(out);
    return true;
}

size_t firstNonSpace(const std::string& text) { return text.find_first_not_of(' '); }

}  // namespace

long double POWERVALUE(long double x, long double y) {
    if (x < 0) y = roundHalfEven(y);
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

CalcText REDUCEOP(const std::string& text, char op) {
    const size_t first = firstNonSpace(text);
    if (first == std::string::npos) return text;
    std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const size_t p = findOp(t, op, 0);
    if (p == std::string::npos) return text;
    const size_t left = leftOperand(t, p, 0), end = rightOperandEnd(t, p);
    std::string value;
    if (!operation(t, left, p, end, op, value)) return CalcText();
    return t.replace(left, end - left, value);
}

CalcText EVALFLAT(const std::string& text) {
    const size_t first = firstNonSpace(text);
    if (first == std::string::npos) return "0";
    std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (isOneOf(t.back(), "*+-/^(") || isOneOf(t.front(), "*+/^(")) return CalcText();
    if (!reduceLevel(t, '^', '\0') || !reduceLevel(t, '*', '/') || !reduceLevel(t, '+', '-')) return CalcText();
    // What is left must be one number; a text without any digit ("E",
    // ".") is not one.
    for (const char c : t)
        if (!isOneOf(c, "0123456789.E+-")) return CalcText();
    if (!hasDigit(t, 0, t.size())) return CalcText();
    return t;
}
