#include "core/placement.h"

void KEEPONWORKAREA(int32_t& left, int32_t& top, int32_t width, int32_t height, const PlaceRect& area) {
    if (left + width > area.Right) left = area.Right - width;
    if (top + height > area.Bottom) top = area.Bottom - height;
    if (left < area.Left) left = area.Left;
    if (top < area.Top) top = area.Top;
}
