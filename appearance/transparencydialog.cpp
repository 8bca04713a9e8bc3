#include "appearance/transparencydialog.h"

// Filled in with the transparency popup work.
void SHOWTRANSPARENCYDIALOG(AppearanceRecord&) {}
INT_PTR CALLBACK TRANSPARENCYDIALOGPROC(HWND, UINT, WPARAM, LPARAM) { return 0; }
