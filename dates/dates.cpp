#include "dates/dates.h"

#include <array>

#include "language/language.h"

namespace {

// Integer division rounding toward minus infinity (C++ truncates toward zero).
int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The rules computed in 64 bits, so that every 32-bit year, month and day
// gives a result; within the years 1 to 9999 nothing wraps.
int64_t dayNumber(int64_t y, int64_t m, int64_t day) {
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    return floorDiv(1461 * (y + 4712), 4) - y / 100 + y / 400 + floorDiv(153 * (m - 1) + 1, 5) + day;
}

int64_t weekday(int64_t n) { return n % 7 + 1; }  // the remainder has the sign of n

int64_t weekOneMonday(int64_t year) {
    int64_t n = dayNumber(year, 1, 1);
    for (int step = 0; step < 7 && weekday(n) != 4; ++step) ++n;
    return n - 3;
}

const char* at(const char* const* list, int32_t count, int32_t position) {
    return (position >= 1 && position <= count) ? list[position - 1] : "";
}

constexpr int32_t LANGUAGE_DAY_OFFSET = LANGUAGE_IS_FRENCH ? 0 : 7;
constexpr int32_t LANGUAGE_MONTH_OFFSET = LANGUAGE_IS_FRENCH ? 0 : 12;

// clang-format off
constexpr const char* SHORT_DAYS[14] = {
    "lun.", "mar.", "mer.", "jeu.", "ven.", "sam.", "dim.",
    "Mon.", "Tue.", "Wed.", "Thu.", "Fri.", "Sat.", "Sun."};
constexpr const char* LONG_DAYS[14] = {
    "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche",
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr const char* SHORT_MONTHS[24] = {
    "jan.", "fév.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.", "déc.",
    "Jan.", "Feb.", "Mar.", "Apr.", "May", "Jun.", "Jul.", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};
constexpr const char* LONG_MONTHS[24] = {
    "janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août",
    "septembre", "octobre", "novembre", "décembre",
    "January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December"};
// clang-format on

}  // namespace

int32_t DAYNUMBER(int32_t year, int32_t month, int32_t day) {
    // Day numbers are 32-bit: far outside the years they count they wrap.
    return static_cast<int32_t>(dayNumber(year, month, day));
}

uint8_t WEEKDAYOF(int32_t daynumber) { return static_cast<uint8_t>(weekday(daynumber)); }

uint8_t DATEWEEKDAY(int32_t year, int32_t month, int32_t day) { return WEEKDAYOF(DAYNUMBER(year, month, day)); }

int32_t WEEKONEMONDAY(int32_t year) { return static_cast<int32_t>(weekOneMonday(year)); }

uint8_t WEEKNUMBER(int32_t year, int32_t month, int32_t day) {
    const int64_t s = weekOneMonday(year), e = weekOneMonday(int64_t{year} + 1) - 1, t = dayNumber(year, month, day);
    if (t < s) return static_cast<uint8_t>((t - weekOneMonday(int64_t{year} - 1)) / 7 + 1);
    if (t > e) return 1;
    return static_cast<uint8_t>((t - s) / 7 + 1);
}

const char* SHORTDAYLIST(int32_t position) { return at(SHORT_DAYS, 14, position); }
const char* LONGDAYLIST(int32_t position) { return at(LONG_DAYS, 14, position); }
const char* SHORTMONTHLIST(int32_t position) { return at(SHORT_MONTHS, 24, position); }
const char* LONGMONTHLIST(int32_t position) { return at(LONG_MONTHS, 24, position); }

const char* SHORTDAYNAME(int32_t year, int32_t month, int32_t day) {
    return SHORTDAYLIST(LANGUAGE_DAY_OFFSET + DATEWEEKDAY(year, month, day));
}
const char* LONGDAYNAME(int32_t year, int32_t month, int32_t day) {
    return LONGDAYLIST(LANGUAGE_DAY_OFFSET + DATEWEEKDAY(year, month, day));
}
const char* SHORTMONTHNAME(int32_t month) {
    // Months far out of range must not overflow the position arithmetic.
    if (month < -100 || month > 100) return "";
    return SHORTMONTHLIST(LANGUAGE_MONTH_OFFSET + month);
}
const char* LONGMONTHNAME(int32_t month) {
    if (month < -100 || month > 100) return "";
    return LONGMONTHLIST(LANGUAGE_MONTH_OFFSET + month);
}

std::string SHORTDATETEXT(int32_t year, int32_t month, int32_t day) {
    std::string s;
    s.reserve(32);
    s += SHORTDAYNAME(year, month, day);
    s += std::to_string(day);
    s += ' ';
    s += SHORTMONTHNAME(month);
    s += ' ';
    s += std::to_string(year);
    s += LANGTEXT("(s", "(w");
    s += std::to_string(WEEKNUMBER(year, month, day));
    s += ')';
    return s;
}

std::string LONGDATETEXT(int32_t year, int32_t month, int32_t day) {
    std::string s;
    s.reserve(48);
    s += LONGDAYNAME(year, month, day);
    s += ' ';
    s += std::to_string(day);
    s += ' ';
    s += LONGMONTHNAME(month);
    s += ' ';
    s += std::to_string(year);
    s += LANGTEXT(" (semaine ", " (week ");
    s += std::to_string(WEEKNUMBER(year, month, day));
    s += ')';
    return s;
}

bool PARSEISODATE(const std::string& text, int32_t& year, int32_t& month, int32_t& day) {
    const auto number = [&text](size_t from, size_t to, int32_t& value) {
        value = 0;
        for (size_t i = from; i < to; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    if (!number(0, 4, year) || !number(5, 7, month) || !number(8, 10, day)) return false;
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int32_t lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return day <= lengths[month - 1];
}

LocalClockReader LOCALCLOCKSOURCE = PLATFORMLOCALCLOCK;

std::string TIMETEXT(int32_t hour, int32_t minute) {
    const char text[6] = {static_cast<char>('0' + hour / 10 % 10),   static_cast<char>('0' + hour % 10),   ':',
                          static_cast<char>('0' + minute / 10 % 10), static_cast<char>('0' + minute % 10), 0};
    return std::string(text, 5);  // fits the small-string buffer: no allocation
}

std::string CLOCKTIMETEXT() {
    const LocalClock now = LOCALCLOCKSOURCE();
    return TIMETEXT(now.Hour, now.Minute);
}

std::string CLOCKDATETEXT() {
    const LocalClock now = LOCALCLOCKSOURCE();
    return SHORTDATETEXT(now.Year, now.Month, now.Day);
}
