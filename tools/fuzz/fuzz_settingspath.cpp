// The settings file's path from any executable path and title (the input
// split at its first zero byte): never longer than 259 characters, and named
// after the executable with ".ini" whenever it is not cut.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "appearance/settingsfile.h"
#include "core/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string exe = input.substr(0, zero), title = zero == std::string::npos ? "" : input.substr(zero + 1);
    const std::string path = SETTINGSFILEPATH(exe, title);
    if (path.size() > 259) std::abort();
    const std::string start = EXECUTABLEFOLDER(exe) + EXECUTABLENAME(exe) + "_";
    if (path.size() < 259 && (path.compare(0, start.size(), start) != 0 || path.substr(path.size() - 4) != ".ini"))
        std::abort();
    return 0;
}
