// The clock window: a dialog with the time label and the date label, run
// modally by SHOWCLOCKWINDOW until it is destroyed.
#pragma once
#include <windows.h>

#include "appearance/appearancerecord.h"
#include "appearance/clockface.h"

constexpr char CLOCKTITLE[] = "orlo clock";  // also the single-instance mutex name
constexpr unsigned ID_CLOCK_TIMER = 1424;
constexpr unsigned CLOCK_TICK_MS = 500;

// The single appearance record of the process, owned by the clock.
extern AppearanceRecord CLOCKAPPEARANCE;

// Where the clock sets its refresh timer: SetTimer, unless a test build
// replaces it.
using TimerSetter = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
extern TimerSetter SETCLOCKTIMER;

// Creates the clock window under `parent` (0), runs it and returns once it
// has been destroyed.
INT_PTR SHOWCLOCKWINDOW(HWND parent);

// The clock's own message handling, after the appearance handler; returns 0.
INT_PTR CLOCKWINDOWPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// The entry procedure: single-instance rule, then the clock window. Returns 0.
int ORLOCLOCKMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show);
