// The rules of the settings file that need no window: where it lives, which
// keys it holds and in what order, how values are written and read back.
// The file itself is read and written through the profile API (settingsio.cpp).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "appearance/appearancesettings.h"

// How a key's text becomes its field.
enum class SettingType {
    Int32,    // geometry and colours: rounded (ties to even), low 32 bits
    Byte,     // rounded, low 8 bits
    Flag,     // a byte that is 1 whenever it reads non-zero
    Opacity,  // a byte held within 25..255
    Float,    // stored without rounding
    Text,     // cut to 259 characters
};

struct SettingKey {
    const char* Section;
    std::string Key;
    SettingType Type;
    // The text read when a file that exists lacks the key ("Coord" keys take
    // the window's own values). Both these and the record's start values are
    // part of the format: the start values are the clock with no file at
    // all, these the meaning of a key left out of a file, so they differ.
    const char* Default;
    // The record field the key is read into and written from: a 32-bit member,
    // a byte member or the custom colour of that index. "FontSize" and
    // "FontName" are the only keys of their types.
    int32_t AppearanceSettings::*Int32 = nullptr;
    uint8_t AppearanceSettings::*Byte = nullptr;
    int CustomColor = -1;
};

constexpr std::size_t SETTINGSKEYCOUNT = 33;  // 4 "Coord", 13 "All", 16 "Custom"
constexpr std::size_t COORDKEYS = 4;          // the first four, written from the window's geometry

// The keys in the order they are written.
const std::array<SettingKey, SETTINGSKEYCOUNT>& SETTINGSKEYS();

// File name from the executable's full path and the window title: its folder,
// its name without extension, "_", the title without " :/;,\" and ".ini",
// cut to 259 characters.
std::string SETTINGSFILEPATH(const std::string& executable, const std::string& title);

// A number as written: leading space (or "-"), at most `digits` significant
// digits in plain decimal notation, integers without a decimal point.
std::string FORMATSETTINGNUMBER(double value, int digits);

// The longest leading decimal number (sign, digits, point) after blanks; 0 when none.
double PARSESETTINGNUMBER(const std::string& text);

// The text written for key `index` of SETTINGSKEYS; Coord keys take `coords`.
std::string SETTINGTEXT(const AppearanceSettings& settings, std::size_t index, const std::array<int32_t, 4>& coords);

// Stores the text read for key `index` into its field by the field's type.
void STORESETTING(AppearanceSettings& settings, std::size_t index, const std::string& text);

// The Coord values to save: the record's geometry plus the caption allowance
// when the title bar is shown, else the window's own values.
std::array<int32_t, 4> SAVEDCOORDS(const AppearanceSettings& settings, const std::array<int32_t, 4>& window);

// The file attributes a save deals with, numbered as the platform numbers them.
constexpr uint32_t FILEREADONLY = 0x01;
constexpr uint32_t FILEHIDDEN = 0x02;
constexpr uint32_t FILESYSTEM = 0x04;
constexpr uint32_t FILEARCHIVE = 0x20;
constexpr uint32_t FILENORMAL = 0x80;  // no other attribute; valid only alone

// The attributes the settings file is given after a save, from those it had
// before (none when only a copy of it was there) and those it has now: hidden
// and system as the user set them, and the archive bit set, as on any file
// that changed, so that backups that clear it copy the new settings.
uint32_t SAVEDATTRIBUTES(std::optional<uint32_t> before, uint32_t now);
