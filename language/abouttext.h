// The About box's text and title in the build language, from the path of
// the running executable.
#pragma once
#include <string>

// The build's version (major.minor, as the version block has it) and release date.
constexpr char ABOUT_VERSION[] = ORLO_VERSION " (" ORLO_RELEASE_DATE ")";
// The project's home page, opened after the About box.
constexpr char ABOUT_WEBSITE[] = "https://orloclock.example.org/";

std::string ABOUTTITLE();
// The nine lines joined with CR LF, no line break after the last.
std::string ABOUTTEXT(const std::string& executablepath);
