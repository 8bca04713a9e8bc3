// Helpers for the tests that drive real windows under Wine: the clock window, its clock and its settings file.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "appearance/appearancemenu.h"
#include "appearance/settingsfile.h"
#include "appearance/settingsio.h"
#include "clock/clockwindow.h"
#include "dates/dates.h"

inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {  // false: it still fails
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

inline std::string LabelText(HWND dialog, int id) {  // id 0: the window's own text
    char text[65536];
    return std::string(text, GetWindowTextA(id ? GetDlgItem(dialog, id) : dialog, text, sizeof text));
}

inline RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A visible top-level window of this process with this title other than `except`.
inline HWND WaitWindow(const char* title, HWND except = nullptr, DWORD timeoutMs = 5000) {
    const auto wanted = [&](HWND w) {
        DWORD id = 0;  // of the window's process
        GetWindowThreadProcessId(w, &id);
        return id == GetCurrentProcessId() && w != except && IsWindowVisible(w) && LabelText(w, 0) == title;
    };
    HWND w = nullptr;
    const auto found = [&] {  // each time from the top
        while ((w = FindWindowExA(nullptr, w, nullptr, title)) && !wanted(w)) continue;
        return w != nullptr;
    };
    return WaitUntil(found, timeoutMs) ? w : nullptr;
}

inline HWND Opened(HWND from, UINT msg, WPARAM wparam, const char* title) {  // the window `msg` to `from` opens
    return PostMessageA(from, msg, wparam, 0) ? WaitWindow(title, from) : nullptr;
}

inline bool Closed(HWND window, UINT msg, WPARAM wparam) {  // whether the window goes when sent `msg`
    return IsWindow(window) && PostMessageA(window, msg, wparam, 0) && WaitUntil([&] { return !IsWindow(window); });
}

inline std::vector<COLORREF> ClientPixels(HWND window, SIZE& size) {  // as the screen shows them, row after row
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    size = {r.right - r.left, r.bottom - r.top};
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    COLORREF* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels(bits, bits + size.cx * size.cy);
    DeleteDC(memory), DeleteObject(bitmap), ReleaseDC(nullptr, screen);
    for (COLORREF& p : pixels) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));  // a DIB holds 0x00RRGGBB
    return pixels;
}

inline std::string SettingsPath() {  // of the clock this program runs, by the product's path rule
    char path[MAX_PATH];
    return SETTINGSFILEPATH(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)), CLOCKTITLE);
}

inline void WriteSettings(const std::string& bytes) {  // "" deletes it
    SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(SettingsPath().c_str());
    if (!bytes.empty()) std::ofstream(SettingsPath(), std::ios::binary) << bytes;
}

inline std::string ReadSettings() {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(SettingsPath(), std::ios::binary).rdbuf()), {});
}

inline std::string SettingValue(const char* section, const char* key) {  // "<none>" when absent
    char buffer[300];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, SettingsPath().c_str());
    return buffer;
}

// Saves the clock's thread has taken from its queue and finished (the first is posted at the start): once it takes
// a save's tick, it is given a mark, which it takes only when that save is done.
inline std::atomic<unsigned> TimerSaves{0};
inline LRESULT CALLBACK WatchSaves(int code, WPARAM removed, LPARAM lparam) {
    const MSG& m = *reinterpret_cast<const MSG*>(lparam);
    if (removed && m.message == WM_TIMER && m.wParam == ID_SAVE_TIMER) PostMessageA(m.hwnd, WM_NULL, ID_SAVE_TIMER, 0);
    if (removed && m.message == WM_NULL && m.wParam == ID_SAVE_TIMER) ++TimerSaves;
    return CallNextHookEx(nullptr, code, removed, lparam);
}

// The clock window of this process, run by SHOWCLOCKWINDOW on a thread of its own (after `first`, on that
// thread); ready once shown and its first save done. A clock that does not come up fails the test.
class ClockThread {
    std::thread thread_;
    HWND window_ = nullptr;

public:
    explicit ClockThread(const std::function<void()>& first = {}) {
        const unsigned saves = TimerSaves;
        CLOCKAPPEARANCE.Window = nullptr;
        thread_ = std::thread([first] {
            if (first) first();
            HHOOK watch = SetWindowsHookExA(WH_GETMESSAGE, WatchSaves, nullptr, GetCurrentThreadId());
            SHOWCLOCKWINDOW(nullptr);
            UnhookWindowsHookEx(watch);
        });
        WaitUntil([&] { return (window_ = CLOCKAPPEARANCE.Window) && TimerSaves != saves; }, 10000);
        if (!window_) ADD_FAILURE() << "the clock window did not come up";
    }
    ~ClockThread() {  // closes it as Alt+F4 does
        if (IsWindow(window_)) PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        thread_.join();
    }
    HWND Window() const { return window_; }
    bool Exit() { return Closed(window_, WM_COMMAND, IDM_EXIT); }  // "Exit" from the menu; true once the window is gone
};

inline void SetFakeClock(const LocalClock& now) {  // the clock's time source (LOCALCLOCKSOURCE) from here on
    static std::deque<LocalClock> times;           // all kept: the clock's thread may be reading an earlier one
    static std::atomic<const LocalClock*> fake;
    fake = &times.emplace_back(now);
    LOCALCLOCKSOURCE = [] { return *fake.load(); };
}
