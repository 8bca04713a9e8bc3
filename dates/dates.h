// Day numbers, weekdays, ISO 8601 week numbers and the clock's date and time
// texts. Plain arithmetic on (year, month, day); nothing here touches the
// platform except the local-clock source used by the two clock texts.
#pragma once
#include <cstdint>
#include <string>

int32_t DAYNUMBER(int32_t year, int32_t month, int32_t day);  // Julian Day Number
uint8_t WEEKDAYOF(int32_t daynumber);                         // 1 Monday .. 7 Sunday
uint8_t DATEWEEKDAY(int32_t year, int32_t month, int32_t day);
int32_t WEEKONEMONDAY(int32_t year);
uint8_t WEEKNUMBER(int32_t year, int32_t month, int32_t day);

// Name lists, 1-based, French entries first and English after them;
// a position outside a list gives "".
const char* SHORTDAYLIST(int32_t position);
const char* LONGDAYLIST(int32_t position);
const char* SHORTMONTHLIST(int32_t position);
const char* LONGMONTHLIST(int32_t position);

// Names in the build language.
const char* SHORTDAYNAME(int32_t year, int32_t month, int32_t day);
const char* LONGDAYNAME(int32_t year, int32_t month, int32_t day);
const char* SHORTMONTHNAME(int32_t month);
const char* LONGMONTHNAME(int32_t month);

std::string SHORTDATETEXT(int32_t year, int32_t month, int32_t day);  // Mon.1 Jan. 2024(w1)
std::string LONGDATETEXT(int32_t year, int32_t month, int32_t day);   // Monday 1 January 2024 (week 1)

// A date written exactly YYYY-MM-DD that names a real day of the years 1 to
// 9999, as orlodate takes it; false for anything else.
bool PARSEISODATE(const std::string& text, int32_t& year, int32_t& month, int32_t& day);

// The local clock as the clock texts read it.
struct LocalClock {
    int32_t Year, Month, Day, Hour, Minute;
};
using LocalClockReader = LocalClock (*)();
// Where the clock texts read the time; the platform's local time unless a
// test build replaces it.
extern LocalClockReader LOCALCLOCKSOURCE;
LocalClock PLATFORMLOCALCLOCK();

// "HH:MM" of the 24-hour clock; five characters, no heap allocation.
std::string TIMETEXT(int32_t hour, int32_t minute);
std::string CLOCKTIMETEXT();
std::string CLOCKDATETEXT();
