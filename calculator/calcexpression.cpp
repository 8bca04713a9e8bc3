// The typed expression rewritten into the canonical spaced form, then its
// parenthesised groups evaluated innermost first. The rewriting is plain
// text replacement in a fixed order; that order decides the results.
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calcengine.h"

namespace {

// Every occurrence, left to right, never rescanning what was put in.
void replaceAll(std::string& text, const char* from, const char* to) {
    const std::string pattern = from;
    size_t p = text.find(pattern);
    if (p == std::string::npos) return;
    const std::string replacement = to;
    std::string result;
    result.reserve(text.size() + text.size() / 2);
    size_t done = 0;
    for (; p != std::string::npos; p = text.find(pattern, done)) {
        result.append(text, done, p - done).append(replacement);
        done = p + pattern.size();
    }
    result.append(text, done, std::string::npos);
    text.swap(result);
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Runs of spaces become one space (the same as replacing pairs of spaces
// by one space until none is left), then the ends are trimmed.
void squeezeSpaces(std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
        if (c != ' ' || result.empty() || result.back() != ' ') result += c;
    const size_t first = result.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text = result.substr(first, result.find_last_not_of(' ') - first + 1);
}

// What the raw text decides at once: a result ("0", or nothing for a syntax
// error), or nullopt when it goes on to be rewritten.
std::optional<CalcText> screen(const std::string& e) {
    if (e.empty()) return CalcText("0");
    if (e.find('=') != std::string::npos || isOneOf(e[0], "*/^")) return CalcText();
    size_t operators = 0;
    bool digit = false;
    for (const char c : e) {
        operators += isOneOf(c, "*/^+-") ? 1 : 0;
        digit = digit || (c >= '0' && c <= '9');
    }
    if (operators > 1 && !digit) return CalcText();
    if (e == "+" || e == "-") return CalcText("0");
    return std::nullopt;
}

void balanceParentheses(std::string& e) {
    size_t opening = 0, closing = 0;
    for (const char c : e) {
        opening += c == '(' ? 1 : 0;
        closing += c == ')' ? 1 : 0;
    }
    if (opening > closing) e.append(opening - closing, ')');
    if (closing > opening) e.insert(0, closing - opening, '(');
}

// Literal rewrites applied one after the other, each to every occurrence.
struct Rewrite {
    const char *From, *To;
};

void rewrite(std::string& e, std::initializer_list<Rewrite> rules) {
    for (const Rewrite& rule : rules) replaceAll(e, rule.From, rule.To);
}

void canonicalise(std::string& e) {
    rewrite(e, {{",", "."}, {"%", "/100"}});
    balanceParentheses(e);
    rewrite(e, {{")(", ")*("}});
    while (!e.empty() && isOneOf(e.back(), "*+-/^(")) e.pop_back();
    // Operators left dangling inside a group.
    rewrite(e,
            {{"-)", ")"}, {"*)", ")"}, {"/)", ")"}, {"+)", ")"}, {"^)", ")"}, {"(*", "("}, {"(/", "("}, {"(^", "("}});
    rewrite(e, {{"*", " * "}, {"+", " + "}, {"-", " - "}, {"/", " / "}, {"^", " ^ "}, {"(", " ( "}, {")", " ) "}});
    squeezeSpaces(e);
    if (startsWith(e, "- ")) e.erase(1, 1);  // a leading minus is unary
    // Signs after an operator or an opening parenthesis.
    rewrite(e, {{"* - ", "* -"}, {"/ - ", "/ -"}, {"+ - ", "- "}, {"- - ", "+ "}, {"^ - ", "^ -"}, {"( - ", "( -"}});
    if (startsWith(e, "+ ")) e.erase(0, 2);
    rewrite(e, {{"* + ", "* "}, {"/ + ", "/ "}, {"+ + ", "+ "}, {"- + ", "- "}, {"^ + ", "^ "}, {"( + ", "( "}});
}

// Closes the groups in the order of their ")" with a stack of open
// positions: each group is evaluated once its inner groups hold their
// values, which gives what substituting the innermost group everywhere it
// occurs gives, in one pass. A ")" with nothing to close is an error.
CalcText evaluateGroups(const std::string& e) {
    std::string out;
    out.reserve(e.size());
    std::vector<size_t> open;
    for (const char c : e) {
        if (c == '(') {
            open.push_back(out.size());
            out += c;
        } else if (c != ')') {
            out += c;
        } else {
            if (open.empty()) return CalcText();
            const size_t p = open.back();
            open.pop_back();
            CalcText value = EVALFLAT(out.substr(p + 1));
            if (!value) return value;
            out.resize(p);
            // A negative value after a glued unary minus: minus minus is plus.
            if (!out.empty() && out.back() == '-' && (*value)[0] == '-') {
                out.pop_back();
                value->erase(0, 1);
            }
            out += *value;
        }
    }
    return EVALFLAT(out);
}

}  // namespace

CalcText CALCEXPRESSION(const std::string& expression) {
    std::string e;
    e.reserve(expression.size());
    for (const char c : expression)
        if (c != ' ') e += c;
    if (const std::optional<CalcText> decided = screen(e)) return *decided;
    canonicalise(e);
    return evaluateGroups(e);
}
