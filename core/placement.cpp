#include "core/placement.h"

void KEEPONWORKAREA(int32_t& left, int32_t& top, int32_t width, int32_t height, const PlaceRect& area) {
    if (int64_t{left} + width > area.Right) left = SATURATED32(int64_t{area.Right} - width);
    if (int64_t{top} + height > area.Bottom) top = SATURATED32(int64_t{area.Bottom} - height);
    if (left < area.Left) left = area.Left;
    if (top < area.Top) top = area.Top;
}
