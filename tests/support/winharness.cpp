#include "tests/support/winharness.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>

#include "appearance/appearancemenu.h"
#include "appearance/settingsfile.h"
#include "appearance/settingsio.h"
#include "clock/clockwindow.h"

namespace harness {

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
    char buffer[1024];
    const int n = GetWindowTextA(id ? GetDlgItem(dialog, id) : dialog, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
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

void Click(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
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
    std::atomic<DWORD> id{0};
    const unsigned saves = APPEARANCESAVECOUNT;
    CLOCKAPPEARANCE.Window = nullptr;
    thread_ = std::thread([&id, first] {
        if (first) first();
        id = GetCurrentThreadId();
        SHOWCLOCKWINDOW(nullptr);
    });
    WaitUntil([&] { return id != 0 && CLOCKAPPEARANCE.Window && APPEARANCESAVECOUNT != saves; }, 10000);
    threadId_ = id;
    window_ = CLOCKAPPEARANCE.Window;
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

}  // namespace harness
