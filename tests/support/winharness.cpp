#include "tests/support/winharness.h"

#include <gtest/gtest.h>

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
    char text[65536];
    return std::string(text, GetWindowTextA(id ? GetDlgItem(dialog, id) : dialog, text, sizeof text));
}

HWND WaitWindow(const char* title, HWND except, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, title ? nullptr : "#32770", title));) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == GetCurrentProcessId() && w != except && IsWindowVisible(w) &&
                    (!title || LabelText(w, 0) == title))
                    return (found = w) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return found;
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
    input[0].type = input[3].type = INPUT_KEYBOARD;  // the others stay INPUT_MOUSE (0)
    input[0].ki.wVk = input[3].ki.wVk = held;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    held ? SendInput(4, input, sizeof(INPUT)) : SendInput(2, input + 1, sizeof(INPUT));
}

std::vector<COLORREF> ClientPixels(HWND window, SIZE& size) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    size = {r.right - r.left, r.bottom - r.top};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    COLORREF* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels(bits, bits + size.cx * size.cy);
    SelectObject(memory, old), DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
    for (COLORREF& p : pixels) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));  // a DIB holds 0x00RRGGBB
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
