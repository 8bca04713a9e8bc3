// Day numbers, ISO weeks, the date texts in the build language (Windows-1252 bytes as escapes), orlodate's dates
// and the common controls' version. The fuzz targets own every other year, month and day.
#include <gtest/gtest.h>

#include <utility>

#include "dates/comctlversion.h"
#include "dates/dates.h"
#include "language/language.h"

namespace {

TEST(Dates, DayNumberWeekdayAndIsoWeek) {
    const struct {
        int32_t year, month, day, number, weekday, week;  // the day number; Monday 1 to Sunday 7; the ISO week
    } cases[] = {
        // clang-format off
        {2024, 1,  1,  2460311, 1, 1},
        {2000, 2,  29, 2451604, 2, 9},
        {1900, 3,  1,  2415080, 4, 9},
        {1,    1,  1,  1721426, 1, 1},
        {9999, 12, 31, 5373484, 5, 52},
        {2021, 1,  1,  2459216, 5, 53},
        {2027, 1,  3,  2461409, 7, 53},
        {2016, 1,  3,  2457391, 7, 53},
        {2017, 1,  1,  2457755, 7, 52},
        {2026, 12, 31, 2461406, 4, 53},
        {2024, 12, 31, 2460676, 2, 1},
        {2008, 12, 29, 2454830, 1, 1},
        {2019, 12, 30, 2458848, 1, 1},
        {2023, 9,  5,  2460193, 2, 36},
        {2024, 1,  32, 2460342, 4, 5},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(DAYNUMBER(c.year, c.month, c.day), c.number) << "the day number";
        EXPECT_EQ(int32_t(DATEWEEKDAY(c.year, c.month, c.day)), c.weekday) << "the weekday";
        EXPECT_EQ(int32_t(WEEKNUMBER(c.year, c.month, c.day)), c.week) << "the ISO week";
    }
    // The day number runs on by one over every day orlodate takes (its month lengths a table, the number a formula).
    int32_t expected = DAYNUMBER(1899, 12, 31), year, month, day;
    for (int32_t y = 1900; y <= 2300; ++y)
        for (int32_t m = 1; m <= 12; ++m)
            for (int32_t d = 1; d <= 31; ++d) {
                const std::string text = std::to_string(y * 10000 + m * 100 + d).insert(6, "-").insert(4, "-");
                if (!PARSEISODATE(text, year, month, day)) continue;
                ASSERT_EQ(DAYNUMBER(y, m, d), ++expected) << text;
            }
}

TEST(Dates, ShortAndLongTexts) {
    // Month 13: no English name (two spaces meet), the first English one in French, the weekday of 1 January 2025.
    const struct {
        int32_t year, month, day;
        const char *shortText, *longText;  // in the build's language
    } cases[] = {
        // clang-format off
        {2024, 1,  1,  LANGTEXT("lun.1 jan. 2024(s1)", "Mon.1 Jan. 2024(w1)"), LANGTEXT("lundi 1 janvier 2024 (semaine 1)", "Monday 1 January 2024 (week 1)")},
        {2021, 1,  1,  LANGTEXT("ven.1 jan. 2021(s53)", "Fri.1 Jan. 2021(w53)"), LANGTEXT("vendredi 1 janvier 2021 (semaine 53)", "Friday 1 January 2021 (week 53)")},
        {2024, 12, 31, LANGTEXT("mar.31 d\xE9" "c. 2024(s1)", "Tue.31 Dec. 2024(w1)"), LANGTEXT("mardi 31 d\xE9" "cembre 2024 (semaine 1)", "Tuesday 31 December 2024 (week 1)")},
        {2023, 9,  5,  LANGTEXT("mar.5 sept. 2023(s36)", "Tue.5 Sept. 2023(w36)"), LANGTEXT("mardi 5 septembre 2023 (semaine 36)", "Tuesday 5 September 2023 (week 36)")},
        {2020, 2,  29, LANGTEXT("sam.29 f\xE9v. 2020(s9)", "Sat.29 Feb. 2020(w9)"), LANGTEXT("samedi 29 f\xE9vrier 2020 (semaine 9)", "Saturday 29 February 2020 (week 9)")},
        {2025, 5,  7,  LANGTEXT("mer.7 mai 2025(s19)", "Wed.7 May 2025(w19)"), LANGTEXT("mercredi 7 mai 2025 (semaine 19)", "Wednesday 7 May 2025 (week 19)")},
        {2024, 13, 1,  LANGTEXT("mer.1 Jan. 2024(s1)", "Wed.1  2024(w1)"), LANGTEXT("mercredi 1 January 2024 (semaine 1)", "Wednesday 1  2024 (week 1)")},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SHORTDATETEXT(c.year, c.month, c.day), c.shortText) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(LONGDATETEXT(c.year, c.month, c.day), c.longText) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(Dates, OrlodatesDatesAndTheLibrarysVersion) {
    const std::pair<const char*, bool> dates[] = {
        // text, taken: a real day YYYY-MM-DD of the years 1 to 9999 only
        // clang-format off
        {"2000-02-29", true},
        {"1900-02-29", false},
        {"2100-02-29", false},
        {"2024-02-29", true},
        {"2023-02-29", false},
        {"2024-04-31", false},
        {"2024-12-31", true},
        {"2024-13-01", false},
        {"0000-01-01", false},
        {"9999-12-31", true},
        {"2024-1-01",  false},
        {"2024-01-01 ", false},
        {"2024/01/01", false},
        {"+024-01-01", false},
        // clang-format on
    };
    int32_t y, m, d;
    for (const auto& [text, taken] : dates) EXPECT_EQ(PARSEISODATE(text, y, m, d), taken) << text;
    const std::pair<uint32_t, int64_t> versions[] = {
        // major and minor of a file version, in hundredths
        // clang-format off
        {(5u << 16) | 81,  581},
        {(6u << 16) | 100, 700},
        {(4u << 16) | 70,  470},
        {0,                0},
        // clang-format on
    };
    for (const auto& [fileVersionMS, hundredths] : versions)
        EXPECT_EQ(VERSIONHUNDREDTHS(fileVersionMS), hundredths) << std::hex << fileVersionMS;
}
}  // namespace
