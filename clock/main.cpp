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

namespace {

// The clock is a portable program, run from Downloads or a shared folder where
// anyone may have left a DLL: the system libraries it loads look for their own
// dependencies in the system folder only, not in the program's. Windows 7
// without its update lacks the call; there the search stays as it was.
void searchSystemFolderOnly() {
    using SetDirectories = BOOL WINAPI(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto* set = reinterpret_cast<SetDirectories*>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show) {
    searchSystemFolderOnly();  // before anything else loads
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
