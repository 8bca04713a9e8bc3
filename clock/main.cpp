#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "clock/clockwindow.h"

// A C++ failure that escapes everything ends the clock at once. The runtime's
// own handler would describe it on a console that a windowed program does not
// have, and brings a symbol demangler of 45 KiB into the executable for that.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

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
