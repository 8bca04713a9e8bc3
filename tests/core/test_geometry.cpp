// The window-free geometry of the core: pixels to dialog units with the
// clock's rounding rule, and keeping a window whole on a work area.
#include <gtest/gtest.h>

#include "core/dialogunits.h"
#include "core/placement.h"

namespace {

// clang-format off
TEST(Geometry, PixelsToDialogUnits) {
    const int32_t cases[][3] = {  // pixels; per1024, the pixels of 1024 units (1536: a font 6 wide); units
        {10, 1536, 7}, {-10, 1536, -7}, {3, 1536, 2}, {-3, 1536, -2}, {4, 1536, 3}, {-6, 1536, -4}, {0, 1536, 0},
        {7, 2048, 4}, {-7, 2048, -4}, {100, 0, 0}, {2000000000, 1536, 1333333333}, {-2000000000, 1536, -1333333334}};
    for (const auto& [pixels, per1024, units] : cases) EXPECT_EQ(PIXELSTOUNITS(pixels, per1024), units) << pixels;
    // Units to the nearest pixel and back come back unchanged: a stored geometry does not creep at each save.
    for (int32_t per1024 : {1536, 1792, 2048, 2304})
        for (int32_t u = 0; u <= 2000; ++u)
            ASSERT_EQ(PIXELSTOUNITS(static_cast<int32_t>((2LL * u * per1024 / 1024 + 1) / 2), per1024), u) << per1024;
}

TEST(Geometry, PixelsScaledToTheScreen) {
    // Pixels at 96 dpi; dpi (100, 125, 150 and 200 %); pixels there, to the nearest.
    const int32_t cases[][3] = {{413, 96, 413}, {413, 120, 516}, {413, 144, 620}, {260, 144, 390},
                                {13, 144, 20},  {-13, 144, -20}, {26, 192, 52},   {240, 168, 420}};
    for (const auto& [pixels, dpi, to] : cases) EXPECT_EQ(SCALEDPIXELS(pixels, dpi), to) << pixels << " at " << dpi;
}

TEST(Geometry, KeptWholeOnTheWorkArea) {
    // Where asked when inside; else moved in, its top-left corner winning when too large; on areas
    // whose top is not their left (a taskbar at the top, a monitor left of and above the first).
    const PlaceRect area{0, 0, 1280, 994}, left{-1024, -200, 0, 568}, below{0, 30, 1280, 1024};
    const struct { PlaceRect area; int32_t x, y, width, height, toX, toY; } cases[] = {
        {area, 300, 200, 400, 300, 300, 200}, {area, -150, -230, 400, 300, 0, 0},
        {area, 1100, 900, 400, 300, 880, 694}, {area, -50, 500, 2000, 300, 0, 500},
        {left, 10, 10, 300, 200, -300, 10}, {left, -2000, -900, 300, 200, -1024, -200}, {below, 5, 0, 400, 300, 5, 30},
        {below, -50, -60, 400, 2000, 0, 30}};
    for (auto [workarea, x, y, width, height, toX, toY] : cases) {
        KEEPONWORKAREA(x, y, width, height, workarea);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(toX, toY));
    }
}
// clang-format on

}  // namespace
