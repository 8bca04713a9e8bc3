// The part of the clock's appearance record that needs no window: option
// flags, transparency, colours, font, custom colours and the geometry in
// dialog units, with their start values (what stays in force when there is
// no settings file).
#pragma once
#include <cstdint>

// The opacity the commands keep to, and the step of the wheel and the
// trackbar's page; below the minimum the clock would be lost from sight.
constexpr int TRANSPARENCY_MIN = 25;
constexpr int TRANSPARENCY_MAX = 255;
constexpr int TRANSPARENCY_STEP = 10;

struct AppearanceSettings {
    uint8_t MinBox = 0;
    uint8_t MaxBox = 0;
    uint8_t SizeBox = 0;
    uint8_t OnTop = 1;
    uint8_t Caption = 1;
    uint8_t TaskBar = 0;
    uint8_t SysTray = 0;
    uint8_t Transparency = 255;
    uint8_t FgndTrspt = 0;
    uint8_t BgndTrspt = 0;
    int32_t FgndCol = 0;
    int32_t BgndCol = 14933984;  // red 224, green 223, blue 227
    char FontName[260] = "Tahoma";
    float FontSize = 12;
    uint8_t FontAttr = 1;  // 1 bold, 2 italic, 4 underline, 8 strike-out
    // With OnTop: 1 keeps the clock over full-screen windows too, 0 lets it
    // step aside for them. No menu item; set by hand in the settings file.
    uint8_t OverFullScreen = 0;
    int32_t CustomColors[16] = {};
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};
