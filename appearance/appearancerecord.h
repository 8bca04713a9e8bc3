// The one record of the clock window's appearance, passed by reference with
// every message of the clock window to the appearance handler.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "appearance/appearancesettings.h"

struct AppearanceRecord : AppearanceSettings {
    HWND Window = nullptr;
    NOTIFYICONDATAA TrayIcon{};  // first-version layout: cbSize NOTIFYICONDATAA_V1_SIZE
    HMENU MainMenu = nullptr;
    HMENU ShowInMenu = nullptr;
    HMENU TransparencyMenu = nullptr;
    HMENU ColorsMenu = nullptr;
};

// Notification-area icon callback message.
constexpr UINT WM_TRAYICON = WM_USER + 1;

// The auto-save timer of the clock window (the clock's refresh timer is 1424).
constexpr UINT_PTR ID_SAVE_TIMER = 1545;
constexpr UINT SAVE_PERIOD_MS = 300000;

// Fills TrayIcon from the tip text, the icon resource name and the record's window.
void INITTRAYICONDATA(const char* tip, const char* iconname, AppearanceRecord& record);

// Applies the record's transparency and colour key to the layered clock window.
void APPLYLAYEREDATTRIBUTES(AppearanceRecord& record);

// The appearance half of the clock window's message handling; called first
// for every message. Its answer is 0, or what the dialog procedure must
// return for the message (a brush for the colour messages).
INT_PTR APPEARANCEHANDLER(AppearanceRecord& record, UINT msg, WORD command, WPARAM wparam, LPARAM lparam);
