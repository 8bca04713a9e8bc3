// winspy TITLE: what a screen reader would see of the top-level windows with
// this exact title: per window a line "window<TAB>enabled<TAB>style<TAB>exstyle" (hex), then
// per child "id<TAB>text" (CR and LF written as \r and \n).
// Lets the journey read texts and states from outside the clock's process.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string text(HWND w) {
    char buffer[8192];
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                             &copied))
        copied = 0;
    std::string out;
    for (DWORD_PTR i = 0; i < copied && i < sizeof buffer; ++i) {
        const char c = buffer[i];
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out;
}

BOOL CALLBACK child(HWND w, LPARAM) {
    std::printf("%d\t%s\n", GetDlgCtrlID(w), text(w).c_str());
    return TRUE;
}

BOOL CALLBACK top(HWND w, LPARAM title) {
    if (text(w) != reinterpret_cast<const char*>(title)) return TRUE;
    std::printf("window\t%d\t%08lx\t%08lx\n", IsWindowEnabled(w) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(w, GWL_EXSTYLE)));
    EnumChildWindows(w, child, 0);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: winspy TITLE\n");
        return 2;
    }
    EnumWindows(top, reinterpret_cast<LPARAM>(argv[1]));
    return 0;
}
