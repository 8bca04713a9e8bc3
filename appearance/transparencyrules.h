// The transparency popup's trackbar: position and opacity are mirror images
// within 25..255, and each scroll request gives the new opacity.
#pragma once
#include <cstdint>

#include "appearance/appearancesettings.h"

constexpr int TRACKBAR_MIN = TRANSPARENCY_MIN;
constexpr int TRACKBAR_MAX = TRANSPARENCY_MAX;
constexpr int TRACKBAR_MIRROR = TRACKBAR_MIN + TRACKBAR_MAX;  // 280
constexpr int TRACKBAR_PAGE = TRANSPARENCY_STEP;

// Scroll requests of WM_VSCROLL (the TB_ codes of the trackbar).
enum TrackbarRequest : int {
    TRACK_LINEUP = 0,
    TRACK_LINEDOWN = 1,
    TRACK_PAGEUP = 2,
    TRACK_PAGEDOWN = 3,
    TRACK_THUMBPOSITION = 4,
    TRACK_THUMBTRACK = 5,
    TRACK_TOP = 6,
    TRACK_BOTTOM = 7,
    TRACK_ENDTRACK = 8,
};

// The thumb's position for an opacity (beyond 255 for a value below 25).
int TRACKBARPOSITION(uint8_t transparency);

// The opacity after a request (thumb position used by the two thumb
// requests), or false when the request changes nothing.
bool TRACKBARTRANSPARENCY(int request, int position, uint8_t current, uint8_t& result);
