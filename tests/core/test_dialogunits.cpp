#include <gtest/gtest.h>

#include "core/dialogunits.h"

TEST(DialogUnits, PixelsToUnitsRounding) {
    // W is the pixel width of 1024 units: 1536 for a font 6 pixels wide on average.
    const struct {
        int32_t pixels, per1024, units;
    } cases[] = {
        {10, 1536, 7},   {-10, 1536, -7}, {3, 1536, 2},  {0, 1536, 0},    {-3, 1536, -2},
        {1, 1536, 1},    {-1, 1536, -1},  {4, 1536, 3},  {-6, 1536, -4},  {1536, 1536, 1024},
        {7, 2048, 4},    {-7, 2048, -4},  {5, 2048, 3},  {100, 0, 0},     {2000000000, 1536, 1333333333},
        {-2000000000, 1536, -1333333334},
    };
    for (const auto& c : cases) EXPECT_EQ(PIXELSTOUNITS(c.pixels, c.per1024), c.units) << c.pixels << " / " << c.per1024;
}

TEST(DialogUnits, RoundTripOfWholeUnitsIsExact) {
    // Non-negative units mapped to pixels the way MapDialogRect does (nearest
    // pixel) come back unchanged; stored geometry must not creep at each save.
    for (int32_t per1024 : {1536, 1792, 2048, 2304}) {
        for (int32_t u = 0; u <= 2000; ++u) {
            const int32_t px = static_cast<int32_t>((2LL * u * per1024 / 1024 + 1) / 2);
            EXPECT_EQ(PIXELSTOUNITS(px, per1024), u) << u << " at " << per1024;
        }
    }
}
