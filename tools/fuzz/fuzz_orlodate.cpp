// orlodate's reading of a date argument on any text: what it takes is a real
// day written YYYY-MM-DD (by the Gregorian calendar's own month lengths), and
// its day number is one less than that of the day after it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dates/dates.h"

namespace {

int32_t daysIn(int32_t year, int32_t month) {
    static const int32_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return days[month - 1] + (month == 2 && leap);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int32_t y = 0, m = 0, d = 0;
    if (!PARSEISODATE(text, y, m, d)) return 0;
    char written[16];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d", static_cast<int>(y), static_cast<int>(m),
                  static_cast<int>(d));
    if (text != written || y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysIn(y, m)) std::abort();
    const bool lastOfMonth = d == daysIn(y, m), lastOfYear = lastOfMonth && m == 12;
    const int32_t nextY = y + lastOfYear, nextM = lastOfYear ? 1 : m + lastOfMonth, nextD = lastOfMonth ? 1 : d + 1;
    if (DAYNUMBER(nextY, nextM, nextD) != DAYNUMBER(y, m, d) + 1) std::abort();
    return 0;
}
