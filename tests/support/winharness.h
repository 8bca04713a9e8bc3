// Helpers for the tests that drive real windows under Wine: the clock window
// run on a thread of the test process, a clock of the test's choosing, the
// clock's settings file, and waiting for windows, conditions and pixels.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dates/dates.h"

// Polls until the condition holds; false when it still fails after the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
std::string LabelText(HWND dialog, int id);  // id 0: the window's own text
// A visible top-level window of this process with this title (any dialog when
// null) other than `except`, waited for up to the time.
HWND WaitWindow(const char* title, HWND except = nullptr, DWORD timeoutMs = 5000);
// The window that `msg` sent to `from` opens: one with this title (any dialog
// when null) other than `from`; and whether a window goes when sent `msg`.
HWND Opened(HWND from, UINT msg, WPARAM wparam, const char* title);
bool Closed(HWND window, UINT msg, WPARAM wparam);
RECT WindowRect(HWND window);
void Click(POINT screen, WORD held = 0);  // a real left click, as the mouse makes it, with a key held
// The window's client area as the screen shows it, row after row (0x00BBGGRR).
std::vector<COLORREF> ClientPixels(HWND window, SIZE& size);

// The settings file of the clock this test program runs, by the product's path rule.
std::string SettingsPath();
void WriteSettings(const std::string& bytes);  // "" deletes it
std::string ReadSettings();
std::string SettingValue(const char* section, const char* key);  // "<none>" when absent

// The clock window of this process, run by SHOWCLOCKWINDOW on a thread of its
// own (after `first`, on that thread); ready once shown and its first save
// written. A clock that does not come up fails the test.
class ClockThread {
public:
    explicit ClockThread(const std::function<void()>& first = {});
    ~ClockThread();  // closes it as Alt+F4 does
    HWND Window() const { return window_; }
    bool Exit();  // "Exit" from the menu; true once the window is gone

private:
    std::thread thread_;
    HWND window_ = nullptr;
};

// Replaces the clock's time source (LOCALCLOCKSOURCE) until RestoreClock.
void SetFakeClock(const LocalClock& now);
void RestoreClock();
