#include "appearance/settingsfile.h"

#include "appearance/windowmodes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t MAXPATHTEXT = 259;
constexpr std::size_t COORDKEYS = 4;
constexpr std::size_t CUSTOMFIRST = 16;

std::array<SettingKey, SETTINGSKEYCOUNT> buildKeys() {
    std::array<SettingKey, SETTINGSKEYCOUNT> keys = {{
        {"Coord", "Left", SettingType::Int32, ""},
        {"Coord", "Top", SettingType::Int32, ""},
        {"Coord", "Width", SettingType::Int32, ""},
        {"Coord", "Height", SettingType::Int32, ""},
        {"All", "OnTop", SettingType::Flag, "0"},
        {"All", "Caption", SettingType::Flag, "1"},
        {"All", "TaskBar", SettingType::Flag, "1"},
        {"All", "SysTray", SettingType::Flag, "0"},
        {"All", "Transparency", SettingType::Opacity, "255"},
        {"All", "FgndTrspt", SettingType::Flag, "0"},
        {"All", "BgndTrspt", SettingType::Flag, "0"},
        {"All", "FgndCol", SettingType::Int32, "0"},
        {"All", "BgndCol", SettingType::Int32, "16777215"},
        {"All", "FontName", SettingType::Text, "MS Sans Serif"},
        {"All", "FontSize", SettingType::Float, "10"},
        {"All", "FontAttr", SettingType::Byte, "0"},
    }};
    for (std::size_t i = 0; i < 16; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "CustomColorC%02u", static_cast<unsigned>(i));
        keys[CUSTOMFIRST + i] = {"Custom", key, SettingType::Int32, ""};
    }
    return keys;
}

// The field of key `index`, for a changeable or a read-only record.
template <class Settings>
auto int32Field(Settings& s, std::size_t index) -> decltype(&s.Left) {
    switch (index) {
    case 0: return &s.Left;
    case 1: return &s.Top;
    case 2: return &s.Width;
    case 3: return &s.Height;
    case 11: return &s.FgndCol;
    case 12: return &s.BgndCol;
    default: return index >= CUSTOMFIRST && index < SETTINGSKEYCOUNT ? &s.CustomColors[index - CUSTOMFIRST] : nullptr;
    }
}

template <class Settings>
auto byteField(Settings& s, std::size_t index) -> decltype(&s.OnTop) {
    switch (index) {
    case 4: return &s.OnTop;
    case 5: return &s.Caption;
    case 6: return &s.TaskBar;
    case 7: return &s.SysTray;
    case 8: return &s.Transparency;
    case 9: return &s.FgndTrspt;
    case 10: return &s.BgndTrspt;
    case 15: return &s.FontAttr;
    default: return nullptr;
    }
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
    const std::size_t slash = executable.find_last_of('\\');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = executable.substr(nameStart);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    std::string path = executable.substr(0, nameStart) + name + "_";
    for (char c : title)
        if (!std::strchr(" :/;,\\", c)) path += c;
    path += ".ini";
    if (path.size() > MAXPATHTEXT) path.resize(MAXPATHTEXT);
    return path;
}

std::string FORMATSETTINGNUMBER(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, std::fabs(value));
    return (value < 0 ? "-" : " ") + std::string(buffer);
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
    switch (SETTINGSKEYS()[index].Type) {
    case SettingType::Int32: return FORMATSETTINGNUMBER(*int32Field(settings, index), 15);
    case SettingType::Float: return FORMATSETTINGNUMBER(settings.FontSize, 7);
    case SettingType::Text: return " " + std::string(settings.FontName, strnlen(settings.FontName, sizeof settings.FontName - 1));
    default: return FORMATSETTINGNUMBER(*byteField(settings, index), 7);
    }
}

void STORESETTING(AppearanceSettings& settings, std::size_t index, const std::string& text) {
    if (index >= SETTINGSKEYCOUNT) return;
    const SettingType type = SETTINGSKEYS()[index].Type;
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
        *int32Field(settings, index) = static_cast<int32_t>(static_cast<uint32_t>(roundedBits(value)));
        return;
    }
    uint8_t byte = static_cast<uint8_t>(roundedBits(value));
    // A flag read as 2 would act as set while showing no check mark, and the
    // menu could then never clear it.
    if (type == SettingType::Flag) byte = byte != 0;
    // Below 25 the clock is invisible or nearly so, with no way to find it.
    if (type == SettingType::Opacity && byte < MINTRANSPARENCY) byte = MINTRANSPARENCY;
    *byteField(settings, index) = byte;
}

std::array<int32_t, 4> SAVEDCOORDS(const AppearanceSettings& settings, const std::array<int32_t, 4>& window) {
    if (!settings.Caption) return window;
    const int32_t v = CAPTIONALLOWANCE(settings);
    return {settings.Left + 2, settings.Top + v, settings.Width + 2, settings.Height + v};
}
