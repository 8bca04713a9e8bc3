// orlodate's reading of a date argument on any text: what it takes is a real
// day written YYYY-MM-DD, and writing that day back gives the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dates/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int32_t y = 0, m = 0, d = 0;
    if (!PARSEISODATE(text, y, m, d)) return 0;
    char written[16];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d", static_cast<int>(y), static_cast<int>(m),
                  static_cast<int>(d));
    if (text != written || DAYNUMBER(y, m, d + 1) != DAYNUMBER(y, m, d) + 1 || SHORTDATETEXT(y, m, d).empty())
        std::abort();
    return 0;
}
