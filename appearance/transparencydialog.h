// The trackbar popup of "Window (choose %)": live opacity under the cursor.
#pragma once
#include <windows.h>

#include "appearance/appearancerecord.h"

constexpr int ID_TRANSPARENCY_TRACKBAR = 1542;

// Opens the popup modelessly and returns at once.
void SHOWTRANSPARENCYDIALOG(AppearanceRecord& record);
INT_PTR CALLBACK TRANSPARENCYDIALOGPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
