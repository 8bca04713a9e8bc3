// The clock window: a dialog with the time label and the date label, run
// modally by SHOWCLOCKWINDOW until it is destroyed.
#pragma once
#include <windows.h>

#include "appearance/appearancerecord.h"

constexpr char CLOCKTITLE[] = "orlo clock";  // also the single-instance mutex name
constexpr int ID_TIME_LABEL = 1001;
constexpr int ID_DATE_LABEL = 1002;
constexpr UINT_PTR ID_CLOCK_TIMER = 1424;
constexpr UINT CLOCK_TICK_MS = 500;

// The single appearance record of the process, owned by the core.
extern AppearanceRecord CLOCKAPPEARANCE;

// Creates the clock window under `parent` (0), runs it and returns once it
// has been destroyed.
INT_PTR SHOWCLOCKWINDOW(HWND parent);

// The clock's own message handling, after the appearance handler; returns 0.
INT_PTR CLOCKWINDOWPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// The entry procedure: single-instance rule, then the clock window. Returns 0.
int ORLOCLOCKMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show);
