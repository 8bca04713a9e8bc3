#include "appearance/colorsfonts.h"

// Filled in with the fonts and colours work.
void APPLYCLOCKFONT(AppearanceRecord&) {}
void APPLYCLOCKCOLORS(AppearanceRecord&) {}
void SETDEFAULTFONT(AppearanceRecord&) {}
void SETDEFAULTCOLORS(AppearanceRecord&) {}
void CHOOSECLOCKFONT(AppearanceRecord&) {}
int32_t CHOOSECLOCKCOLOR(const char*, AppearanceRecord&) { return 0; }
INT_PTR CLOCKCOLORMESSAGE(AppearanceRecord&, UINT, WPARAM, LPARAM) { return 0; }
