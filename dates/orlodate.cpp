// orlodate: the clock's date texts on the command line.
//   orlodate [YYYY-MM-DD ...]
// One line per date: the short date text, a TAB, the long date text, in
// Windows-1252 bytes. Without arguments, today's local date. A malformed
// date is reported on stderr after the good ones are printed; exit status 2.
#include <cstdio>
#include <string>

#include "dates/dates.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

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
        if (PARSEISODATE(argv[i], y, m, d))
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
