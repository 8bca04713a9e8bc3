// Helpers for the tests that drive real windows under Wine: the clock window, its clock and its settings file.
#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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

// A visible top-level window of this process with this title (any dialog when null) other than `except`.
HWND WaitWindow(const char* title, HWND except = nullptr, DWORD timeoutMs = 5000);

inline HWND Opened(HWND from, UINT msg, WPARAM wparam, const char* title) {  // the window `msg` to `from` opens
    return PostMessageA(from, msg, wparam, 0) ? WaitWindow(title, from) : nullptr;
}

inline bool Closed(HWND window, UINT msg, WPARAM wparam) {  // whether the window goes when sent `msg`
    return IsWindow(window) && PostMessageA(window, msg, wparam, 0) && WaitUntil([&] { return !IsWindow(window); });
}

void Click(POINT screen, WORD held = 0);                      // a real left click, with a key held
std::vector<COLORREF> ClientPixels(HWND window, SIZE& size);  // as the screen shows them, row after row

std::string SettingsPath();                    // of the clock this program runs, by the product's path rule
void WriteSettings(const std::string& bytes);  // "" deletes it
std::string ReadSettings();
std::string SettingValue(const char* section, const char* key);  // "<none>" when absent

// The clock window of this process, run by SHOWCLOCKWINDOW on a thread of its own (after `first`, on that
// thread); ready once shown and its first save written. A clock that does not come up fails the test.
class ClockThread {
    std::thread thread_;
    HWND window_ = nullptr;

public:
    explicit ClockThread(const std::function<void()>& first = {});
    ~ClockThread();  // closes it as Alt+F4 does
    HWND Window() const { return window_; }
    bool Exit();  // "Exit" from the menu; true once the window is gone
};

inline void SetFakeClock(const LocalClock& now) {  // the clock's time source (LOCALCLOCKSOURCE) from here on
    static std::deque<LocalClock> times;           // all kept: the clock's thread may be reading an earlier one
    static std::atomic<const LocalClock*> fake;
    fake = &times.emplace_back(now);
    LOCALCLOCKSOURCE = [] { return *fake.load(); };
}
