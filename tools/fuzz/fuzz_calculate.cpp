// CALCULATE on any bytes: the display line is empty (nothing but spaces),
// the syntax-error text alone, or the expression as typed, " = " and a result
// laid out as the display does: a grouped integer part, up to six decimals,
// an optional exponent part.
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "calculator/calculate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string line = CALCULATE(typed);
    static const std::regex result(R"(-?(0|[1-9][0-9]{0,2}( [0-9]{3})*)( , [0-9.]{1,6})?( E[0-9.E+-]*)?)");
    const bool blank = typed.find_first_not_of(' ') == std::string::npos;
    if (blank ? !line.empty()
              : line != SYNTAXERRORTEXT() && (line.compare(0, typed.size() + 3, typed + " = ") != 0 ||
                                              !std::regex_match(line.substr(typed.size() + 3), result)))
        std::abort();
    return 0;
}
