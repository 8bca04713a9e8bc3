// The typed expression rewritten into the canonical spaced form, then its
// parenthesised groups evaluated innermost first. The rewriting is plain
// text replacement in a fixed order; that order decides the results.
#include <initializer_list>
#include <string>
#include <vector>

#include "calculator/calcengine.h"
#include "calculator/calculate.h"

namespace {

// Every occurrence, left to right, never rescanning what was put in.
void REPLACEALL(std::string& text, const char* from, const char* to) {
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

bool ISONEOF(char c, const char* set) {
    for (; *set; ++set)
        if (c == *set) return true;
    return false;
}

bool STARTSWITH(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Runs of spaces become one space (the same as replacing pairs of spaces
// by one space until none is left), then the ends are trimmed.
void SQUEEZESPACES(std::string& text) {
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

// Returns false when the text cannot be an expression at all; result then
// holds the outcome of the screening.
bool SCREEN(const std::string& e, std::string& result) {
    if (e.empty()) return result = "0", false;
    if (e.find('=') != std::string::npos) return result = SYNTAXERRORTEXT(), false;
    if (ISONEOF(e[0], "*/^")) return result = SYNTAXERRORTEXT(), false;
    size_t operators = 0;
    bool digit = false;
    for (const char c : e) {
        operators += ISONEOF(c, "*/^+-") ? 1 : 0;
        digit = digit || (c >= '0' && c <= '9');
    }
    if (operators > 1 && !digit) return result = SYNTAXERRORTEXT(), false;
    if (e == "+" || e == "-") return result = "0", false;
    return true;
}

void BALANCEPARENTHESES(std::string& e) {
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

void REWRITE(std::string& e, std::initializer_list<Rewrite> rules) {
    for (const Rewrite& rule : rules) REPLACEALL(e, rule.From, rule.To);
}

void CANONICALISE(std::string& e) {
    REWRITE(e, {{",", "."}, {"%", "/100"}});
    BALANCEPARENTHESES(e);
    REWRITE(e, {{")(", ")*("}});
    while (!e.empty() && ISONEOF(e.back(), "*+-/^(")) e.pop_back();
    // Operators left dangling inside a group.
    REWRITE(e, {{"-)", ")"}, {"*)", ")"}, {"/)", ")"}, {"+)", ")"}, {"^)", ")"}, {"(*", "("}, {"(/", "("}, {"(^", "("}});
    REWRITE(e, {{"*", " * "}, {"+", " + "}, {"-", " - "}, {"/", " / "}, {"^", " ^ "}, {"(", " ( "}, {")", " ) "}});
    SQUEEZESPACES(e);
    if (STARTSWITH(e, "- ")) e.erase(1, 1);  // a leading minus is unary
    // Signs after an operator or an opening parenthesis.
    REWRITE(e, {{"* - ", "* -"}, {"/ - ", "/ -"}, {"+ - ", "- "}, {"- - ", "+ "}, {"^ - ", "^ -"}, {"( - ", "( -"}});
    if (STARTSWITH(e, "+ ")) e.erase(0, 2);
    REWRITE(e, {{"* + ", "* "}, {"/ + ", "/ "}, {"+ + ", "+ "}, {"- + ", "- "}, {"^ + ", "^ "}, {"( + ", "( "}});
}

// Closes the groups in the order of their ")" with a stack of open
// positions: each group is evaluated once its inner groups hold their
// values, which gives what substituting the innermost group everywhere it
// occurs gives, in one pass. A ")" with nothing to close is an error.
std::string EVALUATEGROUPS(const std::string& e) {
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
            if (open.empty()) return SYNTAXERRORTEXT();
            const size_t p = open.back();
            open.pop_back();
            std::string value = EVALFLAT(out.substr(p + 1));
            if (value == SYNTAXERRORTEXT()) return value;
            out.resize(p);
            // A negative value after a glued unary minus: minus minus is plus.
            if (!out.empty() && out.back() == '-' && value[0] == '-') {
                out.pop_back();
                value.erase(0, 1);
            }
            out += value;
        }
    }
    return EVALFLAT(out);
}

}  // namespace

bool CANONICALFORM(const std::string& expression, std::string& text) {
    std::string e;
    e.reserve(expression.size());
    for (const char c : expression)
        if (c != ' ') e += c;
    if (!SCREEN(e, text)) return false;
    CANONICALISE(e);
    text.swap(e);
    return true;
}

std::string CALCEXPRESSION(const std::string& expression) {
    std::string text;
    if (!CANONICALFORM(expression, text)) return text;
    return EVALUATEGROUPS(text);
}
