#include "tests/support/winharness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>

#include "appearance/appearancemenu.h"
#include "appearance/settingsfile.h"
#include "appearance/settingsio.h"
#include "clock/clockwindow.h"

namespace {

std::mutex FakeMutex;
LocalClock FakeNow{};

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

std::string LabelText(HWND dialog, int id) {
    HWND window = id ? GetDlgItem(dialog, id) : dialog;
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(std::max(0, GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

HWND WaitWindow(const char* title, HWND except, DWORD timeoutMs) {
    struct Search {
        const char* title;
        HWND except, found;
    } s{title, except, nullptr};
    const auto visit = [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId() || w == s->except || !IsWindowVisible(w)) return TRUE;
        if (s->title ? LabelText(w, 0) != s->title : GetClassLongPtrA(w, GCW_ATOM) != 32770) return TRUE;
        s->found = w;
        return FALSE;
    };
    WaitUntil([&] { return !EnumWindows(visit, reinterpret_cast<LPARAM>(&s)) && s.found; }, timeoutMs);
    return s.found;
}

HWND Opened(HWND from, UINT msg, WPARAM wparam, const char* title) {
    PostMessageA(from, msg, wparam, 0);
    return WaitWindow(title, from);
}

bool Closed(HWND window, UINT msg, WPARAM wparam) {
    PostMessageA(window, msg, wparam, 0);
    return WaitUntil([&] { return !IsWindow(window); });
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

void Click(POINT screen, WORD held) {
    SetCursorPos(screen.x, screen.y);
    INPUT input[4] = {};
    input[0].type = input[3].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[3].ki.wVk = held;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    input[1].type = input[2].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    held ? SendInput(4, input, sizeof(INPUT)) : SendInput(2, input + 1, sizeof(INPUT));
}

std::vector<COLORREF> ClientPixels(HWND window, SIZE& size) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    size = {r.right - r.left, r.bottom - r.top};
    std::vector<COLORREF> pixels(size.cx * size.cy);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
    for (COLORREF& p : pixels) p = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);  // a DIB holds 0x00RRGGBB
    return pixels;
}

std::string SettingsPath() {
    char path[MAX_PATH];
    return SETTINGSFILEPATH(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)), CLOCKTITLE);
}

void WriteSettings(const std::string& bytes) {
    SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(SettingsPath().c_str());
    if (!bytes.empty()) std::ofstream(SettingsPath(), std::ios::binary) << bytes;
}

std::string ReadSettings() {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string SettingValue(const char* section, const char* key) {
    char buffer[300];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, SettingsPath().c_str());
    return buffer;
}

ClockThread::ClockThread(const std::function<void()>& first) {
    const unsigned saves = APPEARANCESAVECOUNT;
    CLOCKAPPEARANCE.Window = nullptr;
    thread_ = std::thread([first] {
        if (first) first();
        SHOWCLOCKWINDOW(nullptr);
    });
    WaitUntil([&] { return CLOCKAPPEARANCE.Window && APPEARANCESAVECOUNT != saves; }, 10000);
    window_ = CLOCKAPPEARANCE.Window;
    if (!window_) ADD_FAILURE() << "the clock window did not come up";
}

ClockThread::~ClockThread() {
    if (IsWindow(window_)) PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    thread_.join();
}

bool ClockThread::Exit() {
    PostMessageA(window_, WM_COMMAND, IDM_EXIT, 0);  // as the menu sends it
    return WaitUntil([&] { return !IsWindow(window_); });
}

void SetFakeClock(const LocalClock& now) {
    std::lock_guard<std::mutex> lock(FakeMutex);
    FakeNow = now;
    LOCALCLOCKSOURCE = [] {
        std::lock_guard<std::mutex> lock(FakeMutex);
        return FakeNow;
    };
}

void RestoreClock() { LOCALCLOCKSOURCE = PLATFORMLOCALCLOCK; }
