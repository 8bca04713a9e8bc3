// Functions of the system DLLs that only a dialog needs: comdlg32 for the font
// and colour dialogs, version for the calendar's library check. They are
// found when the dialog first opens, so that a start maps none of these DLLs
// nor what they bring (comdlg32 brings the printing system).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The full path of a file in the system folder; none when it would not fit.
std::optional<std::string> SYSTEMFILEPATH(const char* name);

// The function exported under `name` by the system folder's `library`, loaded
// on first use and kept to the end of the process; null when either is missing.
FARPROC SYSTEMFUNCTION(const char* library, const char* name);

template <class Function>
Function* SYSTEMFUNCTIONOF(const char* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SYSTEMFUNCTION(library, name)));
}
