// orlocalc as a script uses it: one line per argument, or per line of
// standard input (empty for a blank line, a CR before the line feed dropped).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "language/language.h"

namespace {

TEST(Orlocalc, ArgumentsAndStandardInput) {
    const std::string err = LANGTEXT("Erreur de syntaxe", "Syntax error");
    const struct {
        const char *arguments, *input;
        std::string output;
    } cases[] = {{"'2+3*4' '2+2=' '   ' '-(-2)'", "ignored\n", "2+3*4 = 14\n" + err + "\n\n-(-2) = 2\n"},
                 {"", "2+3*4\r\n\r\n7/2\r\n", "2+3*4 = 14\n\n7/2 = 3 , 5\n"},
                 {"", "\n  \n1234567*10", "\n\n1234567*10 = 12 345 670\n"},  // no line feed at the end
                 {"", "2\xE9\n2 \r\n", err + "\n2  = 2\n"},
                 {"", "", ""}};
    const std::string inputFile = testing::TempDir() + "orlocalc-input";
    for (const auto& c : cases) {
        std::ofstream(inputFile, std::ios::binary) << c.input;
        FILE* pipe = popen((std::string(PROGRAM_PATH) + " " + c.arguments + " < " + inputFile).c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char buffer[512];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0);
        EXPECT_EQ(out, c.output) << c.arguments << c.input;
    }
}

}  // namespace
