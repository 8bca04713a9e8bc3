#include "appearance/transparencyrules.h"

#include <algorithm>

int TRACKBARPOSITION(uint8_t transparency) { return TRACKBAR_MIRROR - transparency; }

bool TRACKBARTRANSPARENCY(int request, int position, uint8_t current, uint8_t& result) {
    int value = current;
    switch (request) {
    case TRACK_THUMBTRACK:
    case TRACK_THUMBPOSITION:
        // The control keeps its thumb within its range; hold the mirror there too.
        value = TRACKBAR_MIRROR - std::clamp(position, TRACKBAR_MIN, TRACKBAR_MAX);
        break;
    case TRACK_TOP: value = TRACKBAR_MAX; break;
    case TRACK_BOTTOM: value = TRACKBAR_MIN; break;
    case TRACK_PAGEUP: value = std::min(TRACKBAR_MAX, value + TRACKBAR_PAGE); break;
    case TRACK_LINEUP: value = std::min(TRACKBAR_MAX, value + 1); break;
    case TRACK_PAGEDOWN: value = std::max(TRACKBAR_MIN, value - TRACKBAR_PAGE); break;
    case TRACK_LINEDOWN: value = std::max(TRACKBAR_MIN, value - 1); break;
    default: return false;
    }
    result = static_cast<uint8_t>(value);
    return true;
}
