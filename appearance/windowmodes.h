// State changes of the appearance record that need no window: the geometry
// of the title-bar and taskbar modes, the wheel's transparency steps, the
// exclusive see-through modes and keeping the window on the screen.
// All geometry is in the clock window's dialog units.
#pragma once
#include <cstdint>

#include "appearance/appearancesettings.h"

struct UnitRect {
    int32_t Left, Top, Right, Bottom;
};

// Horizontal caption allowance: the border.
constexpr int32_t CAPTIONWIDTH = 2;
// Vertical caption allowance: a normal title bar (taskbar mode) or a tool-window one.
int32_t CAPTIONALLOWANCE(const AppearanceSettings& settings);

// At start, with the title bar shown, takes off the allowance that saving added.
void REMOVECAPTIONALLOWANCE(AppearanceSettings& settings);

// After Caption was switched: the window grows by the title bar or gives it back.
void CAPTIONTOGGLEGEOMETRY(AppearanceSettings& settings);

// After TaskBar was switched: a normal title bar is 8 units taller than a tool-window one.
void TASKBARTOGGLEGEOMETRY(AppearanceSettings& settings);

// One wheel step of 10 within 25..255; a zero delta changes nothing.
void WHEELSTEP(AppearanceSettings& settings, int delta);

// The two see-through modes exclude each other.
void TOGGLETRANSPARENTFONTS(AppearanceSettings& settings);
void TOGGLETRANSPARENTBACKGROUND(AppearanceSettings& settings);

// Display change: pulls the window back from the right and bottom edges of a
// screen of this size; the left and top edges are not checked.
void KEEPONSCREEN(AppearanceSettings& settings, int32_t screenWidth, int32_t screenHeight);

// At start: a window lying wholly outside every monitor is moved into `area`
// (the nearest monitor's work area); `visible` tells whether any monitor shows
// part of it. A partly visible window stays where it is.
void PULLINTOAREA(AppearanceSettings& settings, bool visible, const UnitRect& area);

// At start: a stored size too small to show the whole face (0, negative, from
// a damaged file, or an earlier first start's, which kept only part of the
// date) or beyond `screen` is held within them. `faceWidth` x `faceHeight` is
// the outer size around the face with the window's frame of the moment.
void HOLDWINDOWSIZE(AppearanceSettings& settings, int32_t faceWidth, int32_t faceHeight, int32_t screenWidth,
                    int32_t screenHeight);
