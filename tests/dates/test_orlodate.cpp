// orlodate as a script uses it: the bytes it prints and its exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "language/language.h"

namespace {

TEST(Orlodate, OutputAndExitStatus) {
    const std::string good = LANGTEXT(
        "mar.31 d\xE9"
        "c. 2024(s1)\tmardi 31 d\xE9"
        "cembre 2024 (semaine 1)\n",
        "Tue.31 Dec. 2024(w1)\tTuesday 31 December 2024 (week 1)\n");
    const struct {
        const char* arguments;
        std::string out;
        int status;
    } cases[] = {// a malformed or impossible date is reported after the good ones are printed
                 {"2024-12-31", good, 0},
                 {"2024-12-31 2023-02-29 2024-12-31", good + good, 2},
                 {"1900-02-29 2024-12-31", good, 2},
                 {"2024-13-01", "", 2},
                 {"2024-1-01", "", 2},
                 {"2024/12/31", "", 2},
                 {"0000-01-01", "", 2},
                 {"''", "", 2}};
    for (const auto& c : cases) {
        FILE* pipe = popen((std::string(PROGRAM_PATH) + " " + c.arguments + " 2>/dev/null").c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char buffer[512];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        const int status = pclose(pipe);
        EXPECT_EQ(out, c.out) << c.arguments;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
    }
}

}  // namespace
