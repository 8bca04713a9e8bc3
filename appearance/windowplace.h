// The clock's place in the user's day: started with Windows through the
// user's Run key, and out of the way of full-screen windows while it is
// always on top.
#pragma once
#include <windows.h>

#include "appearance/appearancerecord.h"

// Whether the user's Run key holds a value named after the clock window's
// title whose command is this executable's full path, quoted.
bool STARTSWITHWINDOWS(const AppearanceRecord& record);

// Writes that value, or deletes it when it is there; a value naming another
// copy of the clock is replaced. A refusal is shown in a message box. The
// check mark follows the key as it is afterwards.
void TOGGLESTARTWITHWINDOWS(AppearanceRecord& record);

// Where the system delivers no foreground events, how often the clock looks
// for a full-screen window instead, and, once aside, whether it is still
// there: back on top within a second.
constexpr UINT_PTR ID_FULLSCREEN_TIMER = 1547;  // the clock's other timers are 1424 and 1545
constexpr UINT FULLSCREEN_LOOK_MS = 2000;
constexpr UINT FULLSCREEN_ASIDE_MS = 750;

// Whether a top-level window is a full-screen window on the clock's monitor:
// visible, not minimised, its client area covering that monitor's whole area,
// not just its work area (a maximised window keeps its title bar on the
// screen, and is none), and neither the desktop nor the shell's window.
bool FULLSCREENOVER(HWND window, HWND clock);

// Puts the window in the band its OnTop asks for: the topmost band, unless a
// full-screen window holds the foreground and the record's OverFullScreen is
// 0; then just below that window. While OnTop is set (and OverFullScreen is
// not) the system's foreground and location events, or the timer, keep this
// true; OnTop itself never changes here.
void PLACEINBAND(const AppearanceRecord& record);

// Stops following those events (the clock window goes).
void STOPFOLLOWINGFULLSCREEN();
