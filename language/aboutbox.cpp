#include "language/aboutbox.h"

#include <shellapi.h>

#include <string>

#include "language/abouttext.h"

void SHOWABOUTBOX() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string text = ABOUTTEXT(std::string(path, n < MAX_PATH ? n : MAX_PATH));
    MessageBoxA(nullptr, text.c_str(), ABOUTTITLE().c_str(), MB_OK | MB_ICONINFORMATION);
    // However the box was closed (OK, Escape, the close box), the site opens.
    ShellExecuteA(nullptr, "open", ABOUT_WEBSITE, nullptr, nullptr, SW_SHOW);
}
