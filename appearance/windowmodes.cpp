#include "appearance/windowmodes.h"

#include <algorithm>

#include "core/placement.h"

namespace {

constexpr int32_t NORMALCAPTIONUNITS = 20;  // a normal title bar and its border, in dialog units
constexpr int32_t TOOLCAPTIONUNITS = 13;    // a tool window's smaller one
constexpr int32_t TASKBARSTEP = 8;          // the move and growth when the taskbar mode switches

int32_t sign(uint8_t flag) { return flag ? 1 : -1; }

// Where an edge goes so that a span of `size` lies within [low, high);
// when it cannot fit, its start meets `low`.
int32_t within(int32_t start, int32_t size, int32_t low, int32_t high) {
    return SATURATED32(std::max<int64_t>(low, std::min<int64_t>(start, int64_t{high} - size)));
}

// The record's geometry moved and grown by these amounts, saturating.
void shift(AppearanceSettings& s, int64_t left, int64_t top, int64_t width, int64_t height) {
    s.Left = SATURATED32(s.Left + left);
    s.Top = SATURATED32(s.Top + top);
    s.Width = SATURATED32(s.Width + width);
    s.Height = SATURATED32(s.Height + height);
}

}  // namespace

int32_t CAPTIONALLOWANCE(const AppearanceSettings& settings) {
    return settings.TaskBar ? NORMALCAPTIONUNITS : TOOLCAPTIONUNITS;
}

void REMOVECAPTIONALLOWANCE(AppearanceSettings& settings) {
    if (!settings.Caption) return;
    const int32_t v = CAPTIONALLOWANCE(settings);
    shift(settings, -CAPTIONWIDTH, -v, -CAPTIONWIDTH, -v);
}

void CAPTIONTOGGLEGEOMETRY(AppearanceSettings& settings) {
    const int32_t s = sign(settings.Caption);
    const int32_t v = CAPTIONALLOWANCE(settings);
    shift(settings, -CAPTIONWIDTH * s, -v * s, CAPTIONWIDTH * s, v * s);
}

void TASKBARTOGGLEGEOMETRY(AppearanceSettings& settings) {
    if (!settings.Caption) return;
    const int32_t s = sign(settings.TaskBar);
    shift(settings, 0, -TASKBARSTEP * s, 0, TASKBARSTEP * s);
}

void WHEELSTEP(AppearanceSettings& settings, int delta) {
    const int t = settings.Transparency;
    if (delta > 0) settings.Transparency = static_cast<uint8_t>(std::min(TRANSPARENCY_MAX, t + TRANSPARENCY_STEP));
    if (delta < 0) settings.Transparency = static_cast<uint8_t>(std::max(TRANSPARENCY_MIN, t - TRANSPARENCY_STEP));
}

void TOGGLETRANSPARENTFONTS(AppearanceSettings& settings) {
    settings.FgndTrspt ^= 1;
    if (settings.BgndTrspt) settings.BgndTrspt = 0;
}

void TOGGLETRANSPARENTBACKGROUND(AppearanceSettings& settings) {
    settings.BgndTrspt ^= 1;
    if (settings.FgndTrspt) settings.FgndTrspt = 0;
}

void KEEPONSCREEN(AppearanceSettings& settings, int32_t screenWidth, int32_t screenHeight) {
    const int64_t right = int64_t{screenWidth} - settings.Width, bottom = int64_t{screenHeight} - settings.Height;
    if (right < settings.Left) settings.Left = SATURATED32(right);
    if (bottom < settings.Top) settings.Top = SATURATED32(bottom);
}

void PULLINTOAREA(AppearanceSettings& settings, bool visible, const UnitRect& area) {
    if (visible) return;
    settings.Left = within(settings.Left, settings.Width, area.Left, area.Right);
    settings.Top = within(settings.Top, settings.Height, area.Top, area.Bottom);
}

void HOLDWINDOWSIZE(AppearanceSettings& settings, int32_t faceWidth, int32_t faceHeight, int32_t screenWidth,
                    int32_t screenHeight) {
    settings.Width = std::clamp(settings.Width, faceWidth, std::max(faceWidth, screenWidth));
    settings.Height = std::clamp(settings.Height, faceHeight, std::max(faceHeight, screenHeight));
}
