// The orlocalc program as a script uses it: arguments, standard input with
// empty lines and CRLF line ends, output bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "language/language.h"

namespace {

std::string RUN(const std::string& arguments, const std::string& input) {
    char path[] = "/tmp/orlocalc-input-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "no temporary file";
    FILE* file = fdopen(fd, "wb");
    std::fwrite(input.data(), 1, input.size(), file);
    std::fclose(file);
    const std::string command = std::string(ORLOCALC_PATH) + " " + arguments + " < " + path;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0);
    }
    std::remove(path);
    return out;
}

const std::string ERR = LANGTEXT("Erreur de syntaxe", "Syntax error");

TEST(Orlocalc, OneLinePerArgument) {
    EXPECT_EQ(RUN("'2+3*4' '2/3' '2+2=' '   ' '-(-2)'", "ignored\n"),
              "2+3*4 = 14\n2/3 = 0 , 666666\n" + ERR + "\n\n-(-2) = 2\n");
}

TEST(Orlocalc, StandardInputLines) {
    const struct {
        const char *input, *output;
    } cases[] = {
        {"2+3*4\n1,5+1\n", "2+3*4 = 14\n1,5+1 = 2 , 5\n"},
        {"2+3*4\r\n\r\n7/2\r\n", "2+3*4 = 14\n\n7/2 = 3 , 5\n"},  // CR is not part of the expression
        {"\n  \n", "\n\n"},                                         // empty and blank lines stay empty
        {"1234567*10", "1234567*10 = 12 345 670\n"},               // last line without a line feed
        {"", ""},
        {"2\xE9\n2 \r\n", "\x01\n2  = 2\n"},                        // \x01 stands for the error line
    };
    for (const auto& c : cases) {
        std::string expected = c.output;
        if (expected.rfind("\x01", 0) == 0) expected.replace(0, 1, ERR);
        EXPECT_EQ(RUN("", c.input), expected) << c.input;
    }
}

}  // namespace
