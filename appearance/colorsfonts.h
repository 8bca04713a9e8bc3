// Fonts and colours of the clock's two labels, and the font and colour dialogs.
#pragma once
#include <windows.h>

#include <cstdint>

#include "appearance/appearancerecord.h"

void APPLYCLOCKFONT(AppearanceRecord& record);
void APPLYCLOCKCOLORS(AppearanceRecord& record);
void SETDEFAULTFONT(AppearanceRecord& record);
void SETDEFAULTCOLORS(AppearanceRecord& record);
void CHOOSECLOCKFONT(AppearanceRecord& record);
// "Foreground" or "Background": the colour to store after the dialog.
int32_t CHOOSECLOCKCOLOR(const char* which, AppearanceRecord& record);

// How the colours reach the painting: the answer to the clock window's colour
// messages (WM_CTLCOLORSTATIC, WM_CTLCOLORDLG), 0 for every other message.
INT_PTR CLOCKCOLORMESSAGE(AppearanceRecord& record, UINT msg, WPARAM wparam, LPARAM lparam);
