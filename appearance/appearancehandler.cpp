// Appearance handler: menus, settings, window modes and tray icon come here.
#include "appearance/appearancerecord.h"

#include <cstring>

void INITTRAYICONDATA(const char* tip, const char* iconname, AppearanceRecord& record) {
    (void)iconname;
    record.TrayIcon = NOTIFYICONDATAA{};
    record.TrayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.TrayIcon.hWnd = record.Window;
    std::strncpy(record.TrayIcon.szTip, tip, sizeof record.TrayIcon.szTip - 1);
}

INT_PTR APPEARANCEHANDLER(AppearanceRecord& record, UINT msg, WORD command, WPARAM wparam, LPARAM lparam) {
    (void)record, (void)msg, (void)command, (void)wparam, (void)lparam;
    return 0;
}

void APPLYLAYEREDATTRIBUTES(AppearanceRecord& record) {
    (void)record;
}
