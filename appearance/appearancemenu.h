// The appearance menu: its command identifiers (decimal, shared by the menu,
// the handler and the tests), its building, its check marks and its end.
#pragma once
#include <windows.h>

#include <cstdint>

#include "appearance/appearancerecord.h"

constexpr int IDM_TASKBAR = 1525;
constexpr int IDM_SYSTRAY = 1526;
constexpr int IDM_TRANSPARENCY = 1528;
constexpr int IDM_TRANSPARENT_FONTS = 1529;
constexpr int IDM_TRANSPARENT_BACKGROUND = 1530;
constexpr int IDM_FOREGROUND_COLOR = 1531;
constexpr int IDM_BACKGROUND_COLOR = 1532;
constexpr int IDM_DEFAULT_COLORS = 1533;
constexpr int IDM_CHOOSE_FONT = 1535;
constexpr int IDM_DEFAULT_FONT = 1536;
constexpr int IDM_ON_TOP = 1537;
constexpr int IDM_ABOUT = 1538;
constexpr int IDM_EXIT = 1539;
constexpr int IDM_CAPTION = 1540;
constexpr int IDM_MINIMIZE = 1543;
constexpr int IDM_MAXIMIZE = 1544;
constexpr int IDM_START_WITH_WINDOWS = 1546;  // above the save timer's 1545, clear of every other command

// Creates the appearance popup menu and its three submenus into the record,
// in the build's language.
void BUILDAPPEARANCEMENUS(AppearanceRecord& record);
// The check mark of a command's item from bit 0 of its flag.
void SETCHECKMARK(const AppearanceRecord& record, UINT id, uint8_t flag);
// Destroys the menus and clears their handles in the record.
void DESTROYAPPEARANCEMENUS(AppearanceRecord& record);
