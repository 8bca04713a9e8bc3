// Pixels to dialog units with the clock's rounding rule: non-negative values
// round to the nearest unit with halves going up, negative values round
// towards minus infinity. `per1024` is the pixel length of 1024 dialog units
// along that axis; 0 (no valid window) gives 0.
#pragma once
#include <cstdint>

int32_t PIXELSTOUNITS(int32_t pixels, int32_t per1024);

// A length given in pixels of a 96-dpi screen, on a screen of `dpi` pixels
// per inch: scaled and rounded to the nearest pixel (halves away from zero).
int32_t SCALEDPIXELS(int32_t pixels, int dpi);
