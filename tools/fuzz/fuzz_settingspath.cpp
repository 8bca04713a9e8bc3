// The settings file's path from any executable path and title (the input
// split at its first zero byte): never longer than 259 characters and, when
// not cut, the executable's path without its extension, "_", the title
// without " :/;,\" and ".ini".
#include <cstdint>
#include <cstdlib>
#include <string>

#include "appearance/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string exe = input.substr(0, zero), title = zero == std::string::npos ? "" : input.substr(zero + 1);
    const std::string path = SETTINGSFILEPATH(exe, title);
    if (path.size() > 259) std::abort();
    if (path.size() == 259) return 0;  // cut
    std::string end = "_";
    for (const char c : title)
        if (std::string(" :/;,\\", 7).find(c) == std::string::npos) end += c;  // a zero byte goes too
    end += ".ini";
    if (path.size() < end.size() || path.compare(path.size() - end.size(), end.size(), end) != 0) std::abort();
    // What the path leaves of the executable's is its extension: nothing, or a dot and no other dot or backslash.
    const std::string kept = path.substr(0, path.size() - end.size());
    if (exe.compare(0, kept.size(), kept) != 0) std::abort();
    const std::string extension = exe.substr(kept.size());
    if (!extension.empty() && (extension[0] != '.' || extension.find_first_of(".\\", 1) != std::string::npos))
        std::abort();
    return 0;
}
