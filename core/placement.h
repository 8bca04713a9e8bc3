// Geometry as plain arithmetic: keeping a window whole on a monitor's work
// area, and sums of coordinates that cannot overflow.
#pragma once
#include <cstdint>
#include <limits>

// A coordinate computed in 64 bits, held within the 32-bit range: a window
// far off goes as far as a coordinate can say and never wraps round to the
// other side, and the rules that pull it back still decide where it goes.
constexpr int32_t SATURATED32(int64_t value) {
    return value < std::numeric_limits<int32_t>::min()   ? std::numeric_limits<int32_t>::min()
           : value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(value);
}

// Where a window of this size must go so that it lies within the work area,
// starting from the wanted top-left corner: moved right and down onto the
// area, then left and up so that its far edges fit (its top-left corner
// wins when it is larger than the area).
struct PlaceRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
void KEEPONWORKAREA(int32_t& left, int32_t& top, int32_t width, int32_t height, const PlaceRect& workarea);
