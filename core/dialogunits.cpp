#include "core/dialogunits.h"

#include "core/placement.h"

int32_t PIXELSTOUNITS(int32_t pixels, int32_t per1024) {
    if (per1024 <= 0) return 0;
    const int64_t scaled = static_cast<int64_t>(pixels) * 1024;
    const int64_t q = scaled / per1024;
    const int64_t r = scaled % per1024;  // has the sign of `scaled`
    int64_t units = q;
    if (r < 0)
        units = q - 1;
    else if (2 * r >= per1024)
        units = q + 1;
    return SATURATED32(units);
}

int32_t SCALEDPIXELS(int32_t pixels, int dpi) {
    const int64_t scaled = int64_t{pixels} * dpi;
    return SATURATED32((scaled + (scaled < 0 ? -48 : 48)) / 96);
}
