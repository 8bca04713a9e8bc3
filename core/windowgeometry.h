// Location and size of a dialog window in its own dialog units (the unit
// system in which the clock's geometry is stored), converted through
// MapDialogRect. The location is the outer rectangle's top-left corner in
// screen coordinates; the size is the outer rectangle's width and height.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/win32handles.h"

void DLGUNITSTOPIXELS(HWND window, int32_t& x, int32_t& y);
void PIXELSTODLGUNITS(HWND window, int32_t& x, int32_t& y);
void GETWINDOWLOCATION(HWND window, int32_t& left, int32_t& top);
void GETWINDOWSIZE(HWND window, int32_t& width, int32_t& height);
void SETWINDOWLOCATION(HWND window, int32_t left, int32_t top);
void SETWINDOWSIZE(HWND window, int32_t width, int32_t height);

// Whether a piece of the window large enough to find and drag (16 x 16
// pixels) lies on a monitor: a sliver at a screen edge counts as lost.
bool REACHABLEONSCREEN(const RECT& outer);

// Pixels per logical inch of the screen, vertically.
int SCREENDPI();
// A length given in pixels of a 96-dpi screen, at the screen's resolution.
int32_t SCREENPIXELS(int32_t pixels);

// The outer size, in the window's dialog units, that its present styles give
// around a client area of `width` x `height` dialog units (rounded up).
void OUTERSIZEAROUND(HWND window, int32_t& width, int32_t& height);

// The resolution at which a dialog's fonts keep to its dialog units the
// proportion they have on a 96-dpi screen: 96 there. Dialog units follow the
// dialog font's height in whole pixels, which grows a little more or less
// than the screen's resolution (under Wine 12, 17 and 23 pixels at 96, 144
// and 192 dpi); fonts sized at this resolution grow as the dialog does.
double DIALOGDPI(HWND dialog);
// A font of the given face and size in points at the dialog's resolution
// (DIALOGDPI); the caller owns it.
HFONT CREATEDIALOGFONT(HWND dialog, const char* face, double points, LONG weight);

// Loads the program's icon `name` at the system's sizes for big and small
// icons (they grow with the screen's scale) and gives both to the window,
// which uses them until it is gone; `big` and `small` own them.
void SETWINDOWICONS(HWND window, const char* name, UniqueIcon& big, UniqueIcon& small);

// Moves a dialog so that its top-left corner is at (left, top) or as near
// as keeps it whole on the work area of the monitor nearest to `neighbour`
// (to that point when there is none).
void PLACEDIALOGONWORKAREA(HWND dialog, int left, int top, HWND neighbour);
