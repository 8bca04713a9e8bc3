#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "core/clockwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show) {
    CoInitialize(nullptr);
    // The classes of the standard set; of them the clock uses the trackbar, and
    // the calendar's month control is made available when it opens.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                                                       ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                                                       ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const int result = ORLOCLOCKMAIN(instance, previous, commandline, show);
    CoUninitialize();
    return result;
}
