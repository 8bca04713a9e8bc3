// orlocalc: the clock's calculator on the command line.
//   orlocalc EXPR...   one display line per argument
//   orlocalc           one display line per line of standard input
// Each output line is what the calculator window shows under its input
// (empty for an input of nothing but spaces), in Windows-1252 bytes.
// A carriage return ending an input line is not part of the expression.
#include <cstdio>
#include <string>

#include "calculator/calculate.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

void printLine(const std::string& expression) {
    const std::string line = CALCULATE(expression) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

// Reads to the end of input; a last line without a line feed counts too.
void calculateLines(std::FILE* input) {
    std::string line;
    bool pending = false;
    for (int c; (c = std::getc(input)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            pending = true;
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        printLine(line);
        line.clear();
        pending = false;
    }
    if (pending) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        printLine(line);
    }
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no CRLF translation either way.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2)
        calculateLines(stdin);
    else
        for (int i = 1; i < argc; ++i) printLine(argv[i]);
    std::fflush(stdout);
    return 0;
}
