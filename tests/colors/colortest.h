// Shared by the Wine tests of the colour and font commands, the
// transparency popup and the About box: settings files and the dialogs of
// the clock's thread.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "appearance/menuids.h"
#include "appearance/transparencydialog.h"
#include "core/clockwindow.h"
#include "language/aboutbox.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace colortest {

using harness::ClockThread;
using harness::WaitUntil;

// Controls of the system's colour and font dialogs.
inline constexpr int COLOR_EDIT_RED = 706, COLOR_EDIT_GREEN = 707, COLOR_EDIT_BLUE = 708;
inline constexpr int FONT_FACE_COMBO = 0x470, FONT_SIZE_COMBO = 0x472;

inline std::string settingsPath() {
    char path[MAX_PATH];
    std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.rfind('.')) + "_orloclock.ini";
}

inline void startSettings(const char* all) {
    DeleteFileA(settingsPath().c_str());
    if (!all) return;
    FILE* f = std::fopen(settingsPath().c_str(), "w");
    std::fprintf(f, "[All]\n%s", all);
    std::fclose(f);
}

// A visible dialog of the clock's thread other than the clock, optionally by title.
inline HWND findDialog(DWORD thread, HWND except, const char* title = nullptr) {
    struct Search {
        HWND except;
        const char* title;
        HWND found;
    } s{except, title, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (w == s->except || !IsWindowVisible(w) || std::string(cls) != "#32770") return TRUE;
            if (s->title && harness::WindowText(w) != s->title) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

inline HWND waitDialog(const ClockThread& clock, const char* title = nullptr) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = findDialog(clock.ThreadId(), clock.Window(), title)) != nullptr; }, 5000);
    return found;
}

inline bool waitGone(HWND w) {
    return WaitUntil([&] { return !IsWindow(w); }, 5000);
}

class ColorsWindow : public testing::Test {
protected:
    void TearDown() override { DeleteFileA(settingsPath().c_str()); }
};

}  // namespace colortest
