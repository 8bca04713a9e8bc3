// The loop that runs a window until it no longer exists. It serves every
// window of the thread: each message goes first to the dialog manager of the
// dialog it belongs to (keyboard navigation, Esc and Enter), otherwise it is
// translated and dispatched. Nested loops of this kind keep every other
// window of the program alive while a calculator or the calendar is open.
#pragma once
#include <windows.h>

void RUNWINDOWLOOP(HWND window);

// The command of a WM_SYSCOMMAND: its low four bits are the system's own.
constexpr WPARAM SYSCOMMANDMASK = 0xFFF0;

// What the program's dialogs take as default handling of a close request:
// the system Close command (Alt+F4, the close box, the system menu) sends
// WM_CLOSE and destroys the window; a WM_CLOSE that arrives on its own ends
// nothing. Returns TRUE when it handled the message.
BOOL DIALOGCLOSEDEFAULTS(HWND window, UINT msg, WPARAM wparam);

// Ends a dialog window the way a system close does: WM_CLOSE, then destroy.
void CLOSEDIALOGWINDOW(HWND window);
