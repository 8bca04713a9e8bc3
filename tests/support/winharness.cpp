#include "tests/support/winharness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "appearance/appearancemenu.h"
#include "appearance/settingsfile.h"
#include "appearance/settingsio.h"
#include "clock/clockwindow.h"

HWND WaitWindow(const char* title, HWND except, DWORD timeoutMs) {
    const auto wanted = [&](HWND w) {
        DWORD id = 0;  // of the window's process
        GetWindowThreadProcessId(w, &id);
        return id == GetCurrentProcessId() && w != except && IsWindowVisible(w) && (!title || LabelText(w, 0) == title);
    };
    HWND w = nullptr;
    const auto found = [&] {  // each time from the top
        while ((w = FindWindowExA(nullptr, w, title ? nullptr : "#32770", title)) && !wanted(w)) continue;
        return w != nullptr;
    };
    return WaitUntil(found, timeoutMs) ? w : nullptr;
}

void Click(POINT screen, WORD held) {
    SetCursorPos(screen.x, screen.y);
    if (held) keybd_event(held, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    if (held) keybd_event(held, 0, KEYEVENTF_KEYUP, 0);
}

std::vector<COLORREF> ClientPixels(HWND window, SIZE& size) {
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
    return std::string(std::istreambuf_iterator<char>(std::ifstream(SettingsPath(), std::ios::binary).rdbuf()), {});
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
    WaitUntil([&] { return (window_ = CLOCKAPPEARANCE.Window) && APPEARANCESAVECOUNT != saves; }, 10000);
    if (!window_) ADD_FAILURE() << "the clock window did not come up";
}

ClockThread::~ClockThread() {
    if (IsWindow(window_)) PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    thread_.join();
}

bool ClockThread::Exit() { return Closed(window_, WM_COMMAND, IDM_EXIT); }  // as the menu sends it
