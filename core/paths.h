// The parts of the running executable's full path that the settings file
// and the About box are named after.
#pragma once
#include <string>

// Everything up to and including the last backslash ("" without one).
std::string EXECUTABLEFOLDER(const std::string& path);
// The file name after the last backslash, up to its last dot (all of it
// without a dot).
std::string EXECUTABLENAME(const std::string& path);
