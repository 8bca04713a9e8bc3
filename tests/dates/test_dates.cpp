// Day numbers, ISO weeks and the date texts, in the build language of the
// test program (each test runs in the English and in the French build).
#include <gtest/gtest.h>

#include "dates/dates.h"
#include "language/language.h"

namespace {

struct Ymd {
    int32_t y, m, d;
};

TEST(DayNumber, KnownJulianDayNumbers) {
    const struct {
        Ymd date;
        int32_t jdn;
    } cases[] = {
        {{2024, 1, 1}, 2460311}, {{2000, 2, 29}, 2451604}, {{2000, 3, 1}, 2451605}, {{1900, 2, 28}, 2415079},
        {{1900, 3, 1}, 2415080}, {{1, 1, 1}, 1721426},    {{9999, 12, 31}, 5373484}, {{1970, 1, 1}, 2440588},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DAYNUMBER(c.date.y, c.date.m, c.date.d), c.jdn) << c.date.y << "-" << c.date.m << "-" << c.date.d;
}

TEST(DayNumber, ConsecutiveDaysAcrossFourCenturies) {
    // Walking day by day with the Gregorian month lengths must never skip or repeat a number.
    int32_t expected = DAYNUMBER(1899, 12, 31);
    for (int32_t y = 1900; y <= 2300; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int32_t lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int32_t m = 1; m <= 12; ++m)
            for (int32_t d = 1; d <= lengths[m - 1]; ++d) ASSERT_EQ(DAYNUMBER(y, m, d), ++expected) << y << "-" << m << "-" << d;
    }
}

TEST(Weekday, Dates) {
    const struct {
        Ymd date;
        int weekday;
    } cases[] = {
        {{2024, 1, 1}, 1}, {{2021, 1, 1}, 5}, {{2000, 2, 29}, 2}, {{1900, 3, 1}, 4},
        {{2027, 1, 3}, 7}, {{2026, 12, 31}, 4}, {{2008, 12, 29}, 1}, {{2023, 9, 5}, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(DATEWEEKDAY(c.date.y, c.date.m, c.date.d), c.weekday) << c.date.y;
    EXPECT_EQ(WEEKDAYOF(2460311), 1);
    EXPECT_EQ(DATEWEEKDAY(2024, 1, 32), DATEWEEKDAY(2024, 2, 1));  // days count on past the month
}

TEST(IsoWeek, EdgesOfTheYear) {
    const struct {
        Ymd date;
        int week;
    } cases[] = {
        {{2021, 1, 1}, 53},  {{2021, 1, 3}, 53},   {{2021, 1, 4}, 1},   {{2024, 12, 31}, 1}, {{2024, 12, 29}, 52},
        {{2008, 12, 29}, 1}, {{2027, 1, 3}, 53},   {{2026, 12, 31}, 53}, {{2026, 12, 28}, 53}, {{2020, 12, 31}, 53},
        {{2016, 1, 3}, 53},  {{2017, 1, 1}, 52},   {{2005, 1, 2}, 53},  {{2010, 1, 3}, 53},  {{2014, 12, 29}, 1},
        {{2024, 1, 1}, 1},   {{2023, 9, 5}, 36},   {{2020, 2, 29}, 9},  {{2000, 2, 29}, 9},  {{1900, 3, 1}, 9},
        {{2019, 12, 30}, 1}, {{2022, 1, 2}, 52},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WEEKNUMBER(c.date.y, c.date.m, c.date.d), c.week) << c.date.y << "-" << c.date.m << "-" << c.date.d;
}

TEST(IsoWeek, WeekOneHoldsTheFirstThursday) {
    for (int32_t y = 1901; y < 2100; ++y) {
        const int32_t monday = WEEKONEMONDAY(y);
        EXPECT_EQ(WEEKDAYOF(monday), 1);
        const int32_t jan1 = DAYNUMBER(y, 1, 1);
        EXPECT_GE(monday + 3, jan1);
        EXPECT_LT(monday + 3, jan1 + 7);
    }
}

// Expected bytes are written with escapes so that the test does not depend
// on how its own literals are encoded.
TEST(DateTexts, WorkedExamples) {
    const struct {
        Ymd date;
        const char *shortEn, *shortFr, *longEn, *longFr;
    } cases[] = {
        {{2024, 1, 1}, "Mon.1 Jan. 2024(w1)", "lun.1 jan. 2024(s1)", "Monday 1 January 2024 (week 1)",
         "lundi 1 janvier 2024 (semaine 1)"},
        {{2021, 1, 1}, "Fri.1 Jan. 2021(w53)", "ven.1 jan. 2021(s53)", "Friday 1 January 2021 (week 53)",
         "vendredi 1 janvier 2021 (semaine 53)"},
        {{2024, 12, 31}, "Tue.31 Dec. 2024(w1)", "mar.31 d\xE9" "c. 2024(s1)", "Tuesday 31 December 2024 (week 1)",
         "mardi 31 d\xE9" "cembre 2024 (semaine 1)"},
        {{2023, 9, 5}, "Tue.5 Sept. 2023(w36)", "mar.5 sept. 2023(s36)", "Tuesday 5 September 2023 (week 36)",
         "mardi 5 septembre 2023 (semaine 36)"},
        {{2020, 2, 29}, "Sat.29 Feb. 2020(w9)", "sam.29 f\xE9v. 2020(s9)", "Saturday 29 February 2020 (week 9)",
         "samedi 29 f\xE9vrier 2020 (semaine 9)"},
        {{2026, 8, 16}, "Sun.16 Aug. 2026(w33)", "dim.16 ao\xFBt 2026(s33)", "Sunday 16 August 2026 (week 33)",
         "dimanche 16 ao\xFBt 2026 (semaine 33)"},
        {{2025, 5, 7}, "Wed.7 May 2025(w19)", "mer.7 mai 2025(s19)", "Wednesday 7 May 2025 (week 19)",
         "mercredi 7 mai 2025 (semaine 19)"},
        // Month 13 is outside the English list (empty name, two spaces) and reaches
        // the first English entry from the French side; the date counts on into 2025.
        {{2024, 13, 1}, "Wed.1  2024(w1)", "mer.1 Jan. 2024(s1)", "Wednesday 1  2024 (week 1)",
         "mercredi 1 January 2024 (semaine 1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.y << "-" << c.date.m << "-" << c.date.d);
        EXPECT_EQ(SHORTDATETEXT(c.date.y, c.date.m, c.date.d), LANGTEXT(c.shortFr, c.shortEn));
        EXPECT_EQ(LONGDATETEXT(c.date.y, c.date.m, c.date.d), LANGTEXT(c.longFr, c.longEn));
    }
}

TEST(NameLists, FrenchFirstThenEnglishAndEmptyOutside) {
    const struct {
        const char* (*list)(int32_t);
        int32_t position;
        const char* text;
    } cases[] = {
        {SHORTDAYLIST, 1, "lun."},      {SHORTDAYLIST, 8, "Mon."},    {SHORTDAYLIST, 14, "Sun."},
        {LONGDAYLIST, 7, "dimanche"},   {LONGDAYLIST, 13, "Saturday"}, {SHORTMONTHLIST, 2, "f\xE9v."},
        {SHORTMONTHLIST, 3, "mars"},    {SHORTMONTHLIST, 7, "juil."}, {SHORTMONTHLIST, 9, "sept."},
        {SHORTMONTHLIST, 12, "d\xE9" "c."}, {SHORTMONTHLIST, 17, "May"}, {SHORTMONTHLIST, 21, "Sept."},
        {LONGMONTHLIST, 8, "ao\xFBt"},  {LONGMONTHLIST, 24, "December"},
        {SHORTDAYLIST, 0, ""},          {SHORTDAYLIST, 15, ""},       {LONGMONTHLIST, 25, ""},
        {SHORTMONTHLIST, -1, ""},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.list(c.position), c.text) << c.position;
    EXPECT_STREQ(SHORTMONTHNAME(-2000000000), "");
    EXPECT_STREQ(LONGMONTHNAME(2000000000), "");
}

TEST(TimeText, TwoDigitsEach) {
    EXPECT_EQ(TIMETEXT(9, 5), "09:05");
    EXPECT_EQ(TIMETEXT(0, 0), "00:00");
    EXPECT_EQ(TIMETEXT(23, 59), "23:59");
}

LocalClock FakeNow{2024, 12, 31, 0, 7};
LocalClock fakeClock() { return FakeNow; }

TEST(ClockTexts, ReadTheInjectedLocalClock) {
    LocalClockReader saved = LOCALCLOCKSOURCE;
    LOCALCLOCKSOURCE = fakeClock;
    EXPECT_EQ(CLOCKTIMETEXT(), "00:07");
    EXPECT_EQ(CLOCKDATETEXT(), LANGTEXT("mar.31 d\xE9" "c. 2024(s1)", "Tue.31 Dec. 2024(w1)"));
    LOCALCLOCKSOURCE = saved;
    const LocalClock now = PLATFORMLOCALCLOCK();
    EXPECT_GE(now.Month, 1);
    EXPECT_LE(now.Month, 12);
    EXPECT_EQ(CLOCKTIMETEXT().size(), 5u);
}

}  // namespace
