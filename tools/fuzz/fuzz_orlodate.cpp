// orlodate's reading of a date argument on any text: what it takes lies within
// the years 1 to 9999, the twelve months and 31 days, and its day number is
// computed without overflow. (Which days are real is the dates' tests' table.)
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dates/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t y = 0, m = 0, d = 0;
    if (!PARSEISODATE(std::string(reinterpret_cast<const char*>(data), size), y, m, d)) return 0;
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) std::abort();
    (void)DAYNUMBER(y, m, d);
    return 0;
}
