// The settings file's path from any executable path and title (the input
// split at its first zero byte): never longer than 259 characters. (Its form
// is the settings file's tests' table.)
#include <cstdint>
#include <cstdlib>
#include <string>

#include "appearance/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string title = zero == std::string::npos ? "" : input.substr(zero + 1);
    if (SETTINGSFILEPATH(input.substr(0, zero), title).size() > 259) std::abort();
    return 0;
}
