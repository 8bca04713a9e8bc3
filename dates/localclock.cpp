// The local clock of the platform: GetLocalTime on Windows, localtime_r elsewhere.
#include "dates/dates.h"

#ifdef _WIN32
#include <windows.h>

LocalClock PLATFORMLOCALCLOCK() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return LocalClock{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}
#else
#include <ctime>

LocalClock PLATFORMLOCALCLOCK() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return LocalClock{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min};
}
#endif
