// winspy TITLE: the top-level windows titled TITLE (matched as FindWindow does, ignoring case), read from outside
// their process: per window one line "id:text id:text ..." of its child controls, all in hex (texts byte by byte,
// so that any text stays one word).
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, argv[1]));) {
        for (HWND c = nullptr; (c = FindWindowExA(w, c, nullptr, nullptr));) {
            char text[8192] = "";  // WM_GETTEXT reaches into the other process, where GetWindowText would not
            SendMessageTimeoutA(c, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                                nullptr);
            std::printf(" %x:", GetDlgCtrlID(c));
            for (const char* p = text; *p; ++p) std::printf("%02x", static_cast<unsigned char>(*p));
        }
        std::printf("\n");
    }
}
