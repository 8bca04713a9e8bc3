#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "core/clockwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{8, 0x706F};  // the trackbar is the one used at once
    InitCommonControlsEx(&controls);
    const int result = ORLOCLOCKMAIN(instance, previous, commandline, show);
    CoUninitialize();
    return result;
}
