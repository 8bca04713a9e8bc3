// The window-mode geometry on any 32-bit values, as a damaged settings file
// gives them: no overflow anywhere, and the pull-in leaving a 16 x 16 unit
// piece of the window on the work area. (The size held is the rules' table.)
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "appearance/clockface.h"
#include "appearance/settingsfile.h"
#include "appearance/windowmodes.h"
#include "core/dialogunits.h"
#include "core/placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t v[10] = {};
    std::memcpy(v, data, std::min(size, sizeof v));
    AppearanceSettings s;
    s.Left = v[0], s.Top = v[1], s.Width = v[2], s.Height = v[3];
    s.Caption = v[4] & 1, s.TaskBar = (v[4] >> 1) & 1;
    const int32_t screenWidth = v[5], screenHeight = v[6];
    REMOVECAPTIONALLOWANCE(s);
    CAPTIONTOGGLEGEOMETRY(s);
    TASKBARTOGGLEGEOMETRY(s);
    KEEPONSCREEN(s, screenWidth, screenHeight);
    SAVEDCOORDS(s, {v[7], v[8], v[9], v[0]});
    PIXELSTOUNITS(v[7], v[8]);
    int32_t x = v[0], y = v[1];
    KEEPONWORKAREA(x, y, v[2], v[3], PlaceRect{v[5], v[6], v[7], v[8]});

    HOLDWINDOWSIZE(s, FACEWIDTH, FACEHEIGHT, screenWidth, screenHeight);
    const UnitRect area{v[7] % 100000, v[8] % 100000, v[7] % 100000 + 16 + (v[9] & 0xFFFF),
                        v[8] % 100000 + 16 + ((v[9] >> 16) & 0xFFFF)};
    PULLINTOAREA(s, false, area);
    const int64_t across = std::min<int64_t>(area.Right, int64_t{s.Left} + s.Width) - std::max(area.Left, s.Left);
    const int64_t down = std::min<int64_t>(area.Bottom, int64_t{s.Top} + s.Height) - std::max(area.Top, s.Top);
    if (across < 16 || down < 16) std::abort();
    return 0;
}
