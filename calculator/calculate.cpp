// The display line: the expression as typed, " = " and the result with its
// digits grouped by spaces and a spaced decimal comma.
#include "calculator/calculate.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "calculator/calcengine.h"
#include "language/language.h"

namespace {

// The digits of a whole value. Past 2^64 only the 18 significant digits
// that an operand can carry are shown, padded with zeros.
std::string wholeDigits(long double magnitude) {
    const long double two64 = 18446744073709551616.0L;
    if (magnitude < two64) return std::to_string(static_cast<uint64_t>(magnitude));
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    long double scaled = magnitude / std::pow(10.0L, exponent - 17);
    if (scaled >= 1e18L) scaled /= 10, ++exponent;
    if (scaled < 1e17L) scaled *= 10, --exponent;
    uint64_t leading = static_cast<uint64_t>(std::floor(scaled + 0.5L));
    if (leading >= 1000000000000000000ULL) leading /= 10, ++exponent;
    return std::to_string(leading) + std::string(static_cast<size_t>(exponent - 17), '0');
}

std::string groupedInteger(long double value) {
    if (value == 0) return "0";
    const std::string digits = wholeDigits(std::fabs(value));
    std::string grouped = value < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

std::string formatResult(std::string r) {
    size_t pd = r.find('.');
    if (pd == 0) r.insert(0, "0"), pd = 1;
    const size_t pe = r.find('E');
    const size_t mantissaend = pe == std::string::npos ? r.size() : pe;
    const std::string exponentpart = pe == std::string::npos ? "" : " " + r.substr(pe);
    std::string integer = r.substr(0, mantissaend), fraction;
    if (pd < mantissaend) {
        integer = r.substr(0, pd);
        fraction = r.substr(pd + 1, mantissaend - pd - 1).substr(0, 6);
    }
    const long double whole = TEXTVALUE(integer);
    std::string result = groupedInteger(whole);
    // A negative value above -1 keeps its sign on the 0: -.5 shows -0 , 5
    // (so does a typed -0.5).
    if (whole == 0 && (r.rfind("-.", 0) == 0 || TEXTVALUE(r) < 0)) result = "-0";
    if (!fraction.empty()) result += " , " + fraction;
    return result + exponentpart;
}

}  // namespace

const char* SYNTAXERRORTEXT() { return LANGTEXT("Erreur de syntaxe", "Syntax error"); }

std::string CALCULATE(const std::string& expression) {
    if (expression.find_first_not_of(' ') == std::string::npos) return "";
    const CalcText r = CALCEXPRESSION(expression);
    return r ? expression + " = " + formatResult(*r) : SYNTAXERRORTEXT();
}
