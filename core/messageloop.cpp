#include "core/messageloop.h"

namespace {

constexpr ATOM DIALOG_CLASS_ATOM = 32770;  // "#32770"

bool isDialog(HWND window) { return window && GetClassLongPtrA(window, GCW_ATOM) == DIALOG_CLASS_ATOM; }

}  // namespace

void RUNWINDOWLOOP(HWND window) {
    MSG msg;
    while (IsWindow(window)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT to the outer loops
            break;
        }
        if (got < 0) break;
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (isDialog(root) && IsDialogMessageA(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CLOSEDIALOGWINDOW(HWND window) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    DestroyWindow(window);
}

BOOL DIALOGCLOSEDEFAULTS(HWND window, UINT msg, WPARAM wparam) {
    if (msg == WM_SYSCOMMAND && (wparam & SYSCOMMANDMASK) == SC_CLOSE) {
        CLOSEDIALOGWINDOW(window);
        return TRUE;
    }
    return msg == WM_CLOSE;  // a lone WM_CLOSE is swallowed
}
