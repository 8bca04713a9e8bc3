// orlodate: the clock's date texts on the command line.
//   orlodate [YYYY-MM-DD ...]
// One line per date: the short date text, a TAB, the long date text, in
// Windows-1252 bytes. Without arguments, today's local date. A malformed
// date is reported on stderr after the good ones are printed; exit status 2.
#include <cstdio>
#include <cstring>
#include <string>

#include "dates/dates.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

bool digits(const char* s, size_t from, size_t to, int32_t& value) {
    value = 0;
    for (size_t i = from; i < to; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        value = value * 10 + (s[i] - '0');
    }
    return to > from;
}

bool isLeap(int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Exactly YYYY-MM-DD naming a real day of the years 1 to 9999.
bool parseDate(const char* s, int32_t& y, int32_t& m, int32_t& d) {
    if (std::strlen(s) != 10 || s[4] != '-' || s[7] != '-') return false;
    if (!digits(s, 0, 4, y) || !digits(s, 5, 7, m) || !digits(s, 8, 10, d)) return false;
    static const int32_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    return d <= days[m - 1] + ((m == 2 && isLeap(y)) ? 1 : 0);
}

void printDate(int32_t y, int32_t m, int32_t d) {
    std::string line = SHORTDATETEXT(y, m, d) + "\t" + LONGDATETEXT(y, m, d) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the same bytes on every platform
#endif
    if (argc < 2) {
        const LocalClock now = LOCALCLOCKSOURCE();
        printDate(now.Year, now.Month, now.Day);
        return 0;
    }
    const char* bad = nullptr;
    for (int i = 1; i < argc; ++i) {
        int32_t y, m, d;
        if (parseDate(argv[i], y, m, d))
            printDate(y, m, d);
        else if (!bad)
            bad = argv[i];
    }
    std::fflush(stdout);
    if (bad) {
        std::fprintf(stderr, "orlodate: not a date of the form YYYY-MM-DD: %s\n", bad);
        return 2;
    }
    return 0;
}
