// Keeping a window whole on a monitor's work area, as plain arithmetic.
#pragma once
#include <cstdint>

// Where a window of this size must go so that it lies within the work area,
// starting from the wanted top-left corner: moved right and down onto the
// area, then left and up so that its far edges fit (its top-left corner
// wins when it is larger than the area).
struct PlaceRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
void KEEPONWORKAREA(int32_t& left, int32_t& top, int32_t width, int32_t height, const PlaceRect& workarea);
