#include "dates/comctlversion.h"

int64_t VERSIONHUNDREDTHS(uint32_t fileVersionMS) {
    const int64_t major = fileVersionMS >> 16;
    const int64_t minor = fileVersionMS & 0xFFFF;
    return 100 * major + minor;
}
