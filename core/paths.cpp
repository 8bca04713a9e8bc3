#include "core/paths.h"

std::string EXECUTABLEFOLDER(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

std::string EXECUTABLENAME(const std::string& path) {
    const std::string file = path.substr(path.find_last_of('\\') + 1);  // npos + 1 is 0: no backslash
    return file.substr(0, file.find_last_of('.'));                      // npos: all of it
}
