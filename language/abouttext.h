// The About box's text and title in the build language, from the path of
// the running executable.
#pragma once
#include <string>

constexpr char ABOUT_VERSION[] = "1.4 (25-OCT-2011)";
// The project's home page, opened after the About box.
constexpr char ABOUT_WEBSITE[] = "https://orloclock.example.org/";

std::string ABOUTTITLE();
// The nine lines joined with CR LF, no line break after the last.
std::string ABOUTTEXT(const std::string& executablepath);
