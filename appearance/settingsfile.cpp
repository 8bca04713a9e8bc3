#include "appearance/settingsfile.h"

#include "appearance/windowmodes.h"
#include "core/paths.h"
#include "core/placement.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t MAXPATHTEXT = 259;

std::array<SettingKey, SETTINGSKEYCOUNT> buildKeys() {
    using S = AppearanceSettings;
    using T = SettingType;
    std::array<SettingKey, SETTINGSKEYCOUNT> keys = {{
        {"Coord", "Left", T::Int32, "", &S::Left},
        {"Coord", "Top", T::Int32, "", &S::Top},
        {"Coord", "Width", T::Int32, "", &S::Width},
        {"Coord", "Height", T::Int32, "", &S::Height},
        {"All", "OnTop", T::Flag, "0", nullptr, &S::OnTop},
        {"All", "Caption", T::Flag, "1", nullptr, &S::Caption},
        {"All", "TaskBar", T::Flag, "1", nullptr, &S::TaskBar},
        {"All", "SysTray", T::Flag, "0", nullptr, &S::SysTray},
        {"All", "Transparency", T::Opacity, "255", nullptr, &S::Transparency},
        {"All", "FgndTrspt", T::Flag, "0", nullptr, &S::FgndTrspt},
        {"All", "BgndTrspt", T::Flag, "0", nullptr, &S::BgndTrspt},
        {"All", "FgndCol", T::Int32, "0", &S::FgndCol},
        {"All", "BgndCol", T::Int32, "16777215", &S::BgndCol},
        {"All", "FontName", T::Text, "MS Sans Serif"},
        {"All", "FontSize", T::Float, "10"},
        {"All", "FontAttr", T::Byte, "0", nullptr, &S::FontAttr},
        // Last of "All", which older clocks do not read and leave in the file.
        {"All", "OverFullScreen", T::Flag, "0", nullptr, &S::OverFullScreen},
    }};
    constexpr std::size_t firstCustom = SETTINGSKEYCOUNT - 16;
    for (int i = 0; i < 16; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "CustomColorC%02d", i);
        keys[firstCustom + i] = {"Custom", key, T::Int32, "", nullptr, nullptr, i};
    }
    return keys;
}

// The 32-bit field of a key, in a changeable or a read-only record.
template <class Settings>
auto& int32Of(Settings& settings, const SettingKey& key) {
    return key.CustomColor >= 0 ? settings.CustomColors[key.CustomColor] : settings.*key.Int32;
}

// Rounds to the nearest integer, ties to even, and keeps the low bits of the
// two's complement value. Numbers too large for any integer read as 0.
uint64_t roundedBits(double value) {
    const double r = std::nearbyint(value);
    if (!(std::fabs(r) < 9.2e18)) return 0;
    return static_cast<uint64_t>(static_cast<int64_t>(r));
}

}  // namespace

const std::array<SettingKey, SETTINGSKEYCOUNT>& SETTINGSKEYS() {
    static const std::array<SettingKey, SETTINGSKEYCOUNT> keys = buildKeys();
    return keys;
}

std::string SETTINGSFILEPATH(const std::string& executable, const std::string& title) {
    std::string path = EXECUTABLEFOLDER(executable) + EXECUTABLENAME(executable) + "_";
    for (char c : title)
        if (!std::strchr(" :/;,\\", c)) path += c;
    path += ".ini";
    if (path.size() > MAXPATHTEXT) path.resize(MAXPATHTEXT);
    return path;
}

std::string FORMATSETTINGNUMBER(double value, int digits) {
    // Plain decimal notation, never an exponent: the reader takes a sign,
    // digits and a point, so "1e+11" would come back as 1.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));  // d.ddde+XX
    const char* e = std::strchr(buffer, 'e');
    std::string significant = buffer[0] + std::string(static_cast<const char*>(buffer) + 2, e);
    const int exponent = std::atoi(e + 1);
    while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
    const int n = static_cast<int>(significant.size());
    std::string text;
    if (significant == "0")
        text = "0";
    else if (exponent < 0)
        text = "0." + std::string(-exponent - 1, '0') + significant;
    else if (exponent + 1 >= n)
        text = significant + std::string(exponent + 1 - n, '0');
    else
        text = significant.substr(0, exponent + 1) + "." + significant.substr(exponent + 1);
    return (value < 0 ? "-" : " ") + text;
}

double PARSESETTINGNUMBER(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0;
    // strtod sees only the number taken, so no exponent, hex or "inf" slips in.
    return std::strtod(text.substr(start, i - start).c_str(), nullptr);
}

std::string SETTINGTEXT(const AppearanceSettings& settings, std::size_t index, const std::array<int32_t, 4>& coords) {
    if (index < COORDKEYS) return FORMATSETTINGNUMBER(coords[index], 15);
    const SettingKey& key = SETTINGSKEYS()[index];
    switch (key.Type) {
    case SettingType::Int32: return FORMATSETTINGNUMBER(int32Of(settings, key), 15);
    case SettingType::Float: return FORMATSETTINGNUMBER(settings.FontSize, 7);
    case SettingType::Text:
        return " " + std::string(settings.FontName, strnlen(settings.FontName, sizeof settings.FontName - 1));
    default: return FORMATSETTINGNUMBER(settings.*key.Byte, 7);
    }
}

void STORESETTING(AppearanceSettings& settings, std::size_t index, const std::string& text) {
    if (index >= SETTINGSKEYCOUNT) return;
    const SettingKey& key = SETTINGSKEYS()[index];
    const SettingType type = key.Type;
    if (type == SettingType::Text) {
        const std::size_t n = std::min(text.size(), sizeof settings.FontName - 1);
        std::memcpy(settings.FontName, text.data(), n);
        settings.FontName[n] = '\0';
        return;
    }
    const double value = PARSESETTINGNUMBER(text);
    if (type == SettingType::Float) {
        settings.FontSize = static_cast<float>(std::fmax(-FLT_MAX, std::fmin(FLT_MAX, value)));
        return;
    }
    if (type == SettingType::Int32) {
        int32Of(settings, key) = static_cast<int32_t>(static_cast<uint32_t>(roundedBits(value)));
        return;
    }
    uint8_t byte = static_cast<uint8_t>(roundedBits(value));
    // A flag read as 2 would act as set while showing no check mark, and the
    // menu could then never clear it.
    if (type == SettingType::Flag) byte = byte != 0;
    // Below 25 the clock is invisible or nearly so, with no way to find it.
    if (type == SettingType::Opacity && byte < TRANSPARENCY_MIN) byte = TRANSPARENCY_MIN;
    settings.*key.Byte = byte;
}

std::array<int32_t, 4> SAVEDCOORDS(const AppearanceSettings& settings, const std::array<int32_t, 4>& window) {
    if (!settings.Caption) return window;
    const int32_t v = CAPTIONALLOWANCE(settings);
    return {SATURATED32(int64_t{settings.Left} + CAPTIONWIDTH), SATURATED32(int64_t{settings.Top} + v),
            SATURATED32(int64_t{settings.Width} + CAPTIONWIDTH), SATURATED32(int64_t{settings.Height} + v)};
}

uint32_t SAVEDATTRIBUTES(std::optional<uint32_t> before, uint32_t now) {
    constexpr uint32_t userSet = FILEHIDDEN | FILESYSTEM;
    return (now & ~(userSet | FILENORMAL)) | (before.value_or(now) & userSet) | FILEARCHIVE;
}
