// CALCULATE on any bytes: the display line is empty (nothing but spaces),
// the syntax-error text alone, or the expression as typed, " = " and a result
// made of digits, points, spaces, signs, the decimal comma and an exponent part.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calculator/calculate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string line = CALCULATE(typed);
    const bool blank = typed.find_first_not_of(' ') == std::string::npos;
    if (blank ? !line.empty() : line != SYNTAXERRORTEXT() && line.compare(0, typed.size() + 3, typed + " = ") != 0)
        std::abort();
    if (!blank && line != SYNTAXERRORTEXT() &&
        line.find_first_not_of("-0123456789 ,.E+", typed.size() + 3) != line.npos)
        std::abort();
    return 0;
}
