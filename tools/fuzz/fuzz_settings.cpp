// The settings file's reader on any text for any key: afterwards every flag
// is 0 or 1, the opacity lies within 25..255, the font name ends within its
// field, and the file settles: from the second save on, what is written for
// the key reads back to the same text (seven digits do not hold every float).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "appearance/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::size_t index = data[0] % SETTINGSKEYCOUNT;
    AppearanceSettings s;
    STORESETTING(s, index, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    for (const uint8_t flag : {s.OnTop, s.Caption, s.TaskBar, s.SysTray, s.FgndTrspt, s.BgndTrspt})
        if (flag > 1) std::abort();
    if (s.Transparency < TRANSPARENCY_MIN || strnlen(s.FontName, sizeof s.FontName) == sizeof s.FontName) std::abort();
    if (SETTINGSKEYS()[index].Type == SettingType::Text || index < COORDKEYS) return 0;
    const auto saveAndLoad = [index](const AppearanceSettings& from) {
        const std::string written = SETTINGTEXT(from, index, {});
        AppearanceSettings to;
        STORESETTING(to, index, written.substr(written.find_first_not_of(' ')));  // as the profile API gives it
        return to;
    };
    const AppearanceSettings once = saveAndLoad(s);
    if (SETTINGTEXT(saveAndLoad(once), index, {}) != SETTINGTEXT(once, index, {})) std::abort();
    return 0;
}
