// The date texts for any year, month and day: no overflow, the week number
// 1..53 for every real day of the years 1 to 9999, the texts closed by ")".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dates/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t v[3] = {};
    std::memcpy(v, data, size < sizeof v ? size : sizeof v);
    const std::string shortText = SHORTDATETEXT(v[0], v[1], v[2]), longText = LONGDATETEXT(v[0], v[1], v[2]);
    if (shortText.back() != ')' || longText.back() != ')') std::abort();
    const int32_t year = 1 + (v[0] & 0x7FFFFFFF) % 9999, month = 1 + (v[1] & 0xFF) % 12, day = 1 + (v[2] & 0xFF) % 28;
    const int week = WEEKNUMBER(year, month, day);
    if (week < 1 || week > 53) std::abort();
    return 0;
}
