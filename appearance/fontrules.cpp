#include "appearance/fontrules.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr int32_t BOLD_WEIGHT = 700;
constexpr int32_t REGULAR_WEIGHT = 400;

// Rounds to the nearest integer with ties to the even neighbour, held within
// +-(2^31 - 1) so that the result can also be negated.
int32_t roundEven(double value) {
    constexpr double LIMIT = 2147483647.0;
    if (!(value == value)) return 0;  // NaN
    return static_cast<int32_t>(std::nearbyint(std::fmax(-LIMIT, std::fmin(LIMIT, value))));
}

}  // namespace

float LABELPOINTS(float fontsize) {
    if (!(fontsize == fontsize)) return FONT_ZERO_POINTS;  // NaN reads as "no size"
    if (fontsize == 0) return FONT_ZERO_POINTS;
    if (fontsize < FONT_MIN_POINTS) return FONT_MIN_POINTS;
    if (fontsize > FONT_MAX_POINTS) return FONT_MAX_POINTS;
    return fontsize;
}

int32_t FONTHEIGHT(float points, double dpi) { return -roundEven(static_cast<double>(points) * dpi / 72.0); }

int32_t FONTWEIGHT(uint8_t fontattr) { return (fontattr & FONTATTR_BOLD) ? BOLD_WEIGHT : REGULAR_WEIGHT; }

float FONTDIALOGPOINTS(float fontsize) { return static_cast<float>(roundEven(LABELPOINTS(fontsize))); }

int32_t FONTDIALOGHEIGHT(float fontsize, int logpixelsy) {
    // Held before it is converted: a screen of absurd resolution asks for no
    // height beyond what a 32-bit number holds.
    const double pixels = static_cast<double>(FONTDIALOGPOINTS(fontsize)) * logpixelsy / 72;
    return -static_cast<int32_t>(std::fmax(-2147483647.0, std::fmin(2147483647.0, pixels)));
}

float CHOSENFONTSIZE(int32_t tenths) { return static_cast<float>(roundEven(tenths / 10.0)); }

uint8_t CHOSENFONTATTR(int32_t weight, bool italic, bool underline, bool strikeout) {
    return static_cast<uint8_t>((weight >= BOLD_WEIGHT ? FONTATTR_BOLD : 0) | (italic ? FONTATTR_ITALIC : 0) |
                                (underline ? FONTATTR_UNDERLINE : 0) | (strikeout ? FONTATTR_STRIKEOUT : 0));
}

void DEFAULTFONTSETTINGS(AppearanceSettings& settings) {
    std::memset(settings.FontName, 0, sizeof settings.FontName);
    std::strcpy(settings.FontName, "Tahoma");
    settings.FontSize = 12;
    settings.FontAttr = FONTATTR_BOLD;
}

void DEFAULTCOLORSETTINGS(AppearanceSettings& settings) {
    settings.FgndCol = 0;
    settings.BgndCol = 224 | (223 << 8) | (227 << 16);
}

ClockColor CLOCKCOLORNAMED(const char* which) {
    std::string lower = which ? which : "";
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "foreground"   ? ClockColor::Foreground
           : lower == "background" ? ClockColor::Background
                                   : ClockColor::Neither;
}

ColorRole COLORROLE(ClockColor which, const AppearanceSettings& settings) {
    switch (which) {
    case ClockColor::Foreground: return {settings.FgndCol, settings.BgndCol};
    case ClockColor::Background: return {settings.BgndCol, settings.FgndCol};
    default: return {};
    }
}

int32_t CHOSENCOLOR(const ColorRole& role, bool confirmed, int32_t chosen) {
    if (!confirmed || PAINTEDCOLOR(chosen) == PAINTEDCOLOR(role.Other)) return role.Current;
    return chosen;
}
