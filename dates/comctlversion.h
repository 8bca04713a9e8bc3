// Version numbers of system files as the calendar's library check reads them:
// major + minor / 100, held as hundredths (5.81 is 581); 0 means no version.
#pragma once
#include <cstdint>

constexpr int64_t MINIMUM_COMCTL32_VERSION = 470;  // 4.70

// From dwFileVersionMS of the fixed version block (major in the high word,
// minor in the low word). A minor of 100 or more spills into the units.
int64_t VERSIONHUNDREDTHS(uint32_t fileVersionMS);
