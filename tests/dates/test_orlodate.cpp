// The orlodate program as a script uses it: output bytes and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "language/language.h"

namespace {

struct Outcome {
    std::string out;
    int status;
};

Outcome orlodate(const std::string& arguments) {
    const std::string command = std::string(ORLODATE_PATH) + " " + arguments + " 2>/dev/null";
    Outcome run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(Orlodate, PrintsShortTabLongPerDate) {
    const Outcome run = orlodate("2024-12-31 2020-02-29");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, LANGTEXT("mar.31 d\xE9" "c. 2024(s1)\tmardi 31 d\xE9" "cembre 2024 (semaine 1)\n"
                                "sam.29 f\xE9v. 2020(s9)\tsamedi 29 f\xE9vrier 2020 (semaine 9)\n",
                                "Tue.31 Dec. 2024(w1)\tTuesday 31 December 2024 (week 1)\n"
                                "Sat.29 Feb. 2020(w9)\tSaturday 29 February 2020 (week 9)\n"));
}

TEST(Orlodate, MalformedDatesFailAfterTheGoodOnes) {
    for (const char* bad : {"2023-02-29", "1900-02-29", "2024-13-01", "2024-1-01", "24-01-01", "2024/01/01",
                            "0000-01-01", "2024-01-32", "x", "''"}) {
        const Outcome run = orlodate(std::string("2024-01-01 ") + bad + " 2021-01-01");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << bad;
    }
}

TEST(Orlodate, TodayWithoutArguments) {
    const Outcome run = orlodate("");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\t'), 1);
    EXPECT_EQ(run.out.back(), '\n');
}

}  // namespace
