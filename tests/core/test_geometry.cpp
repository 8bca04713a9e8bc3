// The window-free geometry of the core: pixels to dialog units with the
// clock's rounding rule, and keeping a window whole on a work area.
#include <gtest/gtest.h>

#include "core/dialogunits.h"
#include "core/placement.h"

namespace {

TEST(Geometry, PixelsToDialogUnits) {
    const int32_t cases[][3] = {
        // clang-format off
        // pixels; per1024, the pixels of 1024 units (1536: a font 6 wide); units
        {10,          1536, 7},
        {-10,         1536, -7},
        {3,           1536, 2},
        {-3,          1536, -2},
        {4,           1536, 3},
        {-6,          1536, -4},
        {0,           1536, 0},
        {7,           2048, 4},
        {-7,          2048, -4},
        {100,         0,    0},
        {2000000000,  1536, 1333333333},
        {-2000000000, 1536, -1333333334},
        // clang-format on
    };
    for (const auto& [pixels, per1024, units] : cases)
        EXPECT_EQ(PIXELSTOUNITS(pixels, per1024), units) << pixels << " pixels at " << per1024 << " per 1024 units";
    // Units to the nearest pixel and back come back unchanged: a stored geometry does not creep at each save.
    for (int32_t per1024 : {1536, 1792, 2048, 2304})
        for (int32_t u = 0; u <= 2000; ++u)
            ASSERT_EQ(PIXELSTOUNITS(static_cast<int32_t>((2LL * u * per1024 / 1024 + 1) / 2), per1024), u)
                << "units to pixels and back at " << per1024 << " per 1024 units";
}

TEST(Geometry, KeptWholeOnTheWorkArea) {
    // Where asked when inside; else moved in, its top-left corner winning when too large; on areas
    // whose top is not their left (a taskbar at the top, a monitor left of and above the first).
    const PlaceRect area{0, 0, 1280, 994}, left{-1024, -200, 0, 568}, below{0, 30, 1280, 1024};
    const struct {
        const char* name;
        PlaceRect area;
        int32_t x, y, width, height, toX, toY;
    } cases[] = {
        // clang-format off
        {"area",  area,  300,   200,  400,  300,  300,   200},
        {"area",  area,  -150,  -230, 400,  300,  0,     0},
        {"area",  area,  1100,  900,  400,  300,  880,   694},
        {"area",  area,  -50,   500,  2000, 300,  0,     500},
        {"left",  left,  10,    10,   300,  200,  -300,  10},
        {"left",  left,  -2000, -900, 300,  200,  -1024, -200},
        {"below", below, 5,     0,    400,  300,  5,     30},
        {"below", below, -50,   -60,  400,  2000, 0,     30},
        // clang-format on
    };
    for (const auto& c : cases) {
        int32_t x = c.x, y = c.y;
        KEEPONWORKAREA(x, y, c.width, c.height, c.area);
        EXPECT_EQ(x, c.toX) << "x of " << c.width << "x" << c.height << " at " << c.x << "," << c.y << " on " << c.name;
        EXPECT_EQ(y, c.toY) << "y of " << c.width << "x" << c.height << " at " << c.x << "," << c.y << " on " << c.name;
    }
}

}  // namespace
