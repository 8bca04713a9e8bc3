#include "appearance/windowplace.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "appearance/appearancemenu.h"
#include "core/win32handles.h"
#include "language/language.h"

namespace {

constexpr char RUNKEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string windowTitle(HWND window) {
    char title[256];
    const int n = GetWindowTextA(window, title, sizeof title);
    return std::string(title, n > 0 ? n : 0);
}

// Quoted, as the shell needs a path that holds spaces.
std::string startCommand() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return "\"" + std::string(path, n < MAX_PATH ? n : 0) + "\"";
}

std::optional<std::string> runValue(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RUNKEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    const UniqueKey owned(key);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string value(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(strnlen(value.data(), value.size()));  // the stored text may or may not end with its zero
    return value;
}

const char* runKeyRefusedText() {
    return LANGTEXT(
        "orlo clock n'a pas pu changer son lancement avec Windows (erreur %ld).\r\n"
        "Une stratégie de cet ordinateur l'interdit peut-être.",
        "orlo clock could not change whether it starts with Windows (error %ld).\r\n"
        "A policy of this computer may forbid it.");
}

// What PLACEINBAND follows while the clock is always on top: its record, the
// hooks, and the full-screen window the clock stands aside for (none: on top).
const AppearanceRecord* Followed = nullptr;
UniqueWinEventHook ForegroundHook, WindowHook;
DWORD WindowHookProcess = 0;
HWND AsideFor = nullptr;
// Whether the system delivers foreground events; until one comes (Wine 8
// sends none) a slow timer asks instead.
bool EventsArrive = false;

// The desktop, under every window and as large as the screen, is no full-screen window.
bool isDesktop(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "Progman") == 0 || std::strcmp(name, "WorkerW") == 0;
}

// `client` is the window's client area on the screen.
bool coversMonitorOf(HWND window, const RECT& client, HWND clock) {
    if (isDesktop(window)) return false;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || monitor != MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST) || !GetMonitorInfoA(monitor, &info))
        return false;
    const RECT& m = info.rcMonitor;
    return client.left <= m.left && client.top <= m.top && client.right >= m.right && client.bottom >= m.bottom;
}

void CALLBACK windowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);
void CALLBACK fullScreenCheck(HWND, UINT, UINT_PTR, DWORD);

// The window events of the foreground window's process only: those of every
// process would wake the clock at each move of any window, or of the mouse.
void followProcessOf(HWND foreground) {
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (process == WindowHookProcess && (WindowHook || !process)) return;
    WindowHook.reset(process ? SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_LOCATIONCHANGE, nullptr, windowEvent,
                                               process, 0, WINEVENT_OUTOFCONTEXT)
                             : nullptr);
    WindowHookProcess = process;
}

// `gone` is a window being destroyed, which may still answer as it was.
void reconsider(HWND gone) {
    HWND clock = Followed->Window, foreground = GetForegroundWindow();
    if (EventsArrive) followProcessOf(foreground);
    HWND wanted = foreground != gone && FULLSCREENOVER(foreground, clock) ? foreground : nullptr;
    if (wanted == AsideFor) return;
    AsideFor = wanted;
    if (!EventsArrive)
        SetTimer(clock, ID_FULLSCREEN_TIMER, wanted ? FULLSCREEN_ASIDE_MS : FULLSCREEN_LOOK_MS, fullScreenCheck);
    constexpr UINT KEEP = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (!wanted) {
        SetWindowPos(clock, HWND_TOPMOST, 0, 0, 0, 0, KEEP);
        return;
    }
    // Out of the topmost band, then under the full-screen window: leaving the
    // band alone would put the clock at the top of the other windows, over it.
    SetWindowPos(clock, HWND_NOTOPMOST, 0, 0, 0, 0, KEEP);
    if (!(GetWindowLongA(wanted, GWL_EXSTYLE) & WS_EX_TOPMOST)) SetWindowPos(clock, wanted, 0, 0, 0, 0, KEEP);
}

void CALLBACK windowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (!Followed) return;
    if (event == EVENT_SYSTEM_FOREGROUND) {
        if (!EventsArrive) KillTimer(Followed->Window, ID_FULLSCREEN_TIMER);
        EventsArrive = true;
        return reconsider(nullptr);
    }
    const bool watched = window && (window == AsideFor || window == GetForegroundWindow());
    if (!watched || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (event == EVENT_OBJECT_DESTROY) return reconsider(window);
    if (event == EVENT_OBJECT_HIDE || event == EVENT_OBJECT_LOCATIONCHANGE) reconsider(nullptr);
}

void CALLBACK fullScreenCheck(HWND, UINT, UINT_PTR, DWORD) {
    if (Followed) reconsider(nullptr);
}

}  // namespace

bool FULLSCREENOVER(HWND window, HWND clock) {
    if (!window || window == clock || !IsWindowVisible(window) || IsIconic(window)) return false;
    RECT client{}, place{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(clock, &place);
    // The monitor calls are slow (a tenth of a millisecond each under Wine):
    // asked again only when the window, its client area or the clock moved.
    static struct {
        HWND window;
        RECT client, clock;
        bool covers;
    } last{};
    if (window != last.window || !EqualRect(&client, &last.client) || !EqualRect(&place, &last.clock))
        last = {window, client, place, coversMonitorOf(window, client, clock)};
    return last.covers;
}

bool STARTSWITHWINDOWS(const AppearanceRecord& record) {
    const std::optional<std::string> value = runValue(windowTitle(record.Window));
    return value && lstrcmpiA(value->c_str(), startCommand().c_str()) == 0;  // paths ignore case
}

void TOGGLESTARTWITHWINDOWS(AppearanceRecord& record) {
    const std::string name = windowTitle(record.Window), command = startCommand();
    const bool on = STARTSWITHWINDOWS(record);
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, RUNKEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        const UniqueKey owned(key);
        result = on ? RegDeleteValueA(key, name.c_str())
                    : RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                     static_cast<DWORD>(command.size() + 1));
    }
    if (result != ERROR_SUCCESS) {
        char text[512];
        std::snprintf(text, sizeof text, runKeyRefusedText(), static_cast<long>(result));
        MessageBoxA(record.Window, text, name.c_str(), MB_OK | MB_ICONWARNING);
    }
    SETCHECKMARK(record, IDM_START_WITH_WINDOWS, STARTSWITHWINDOWS(record));
}

void PLACEINBAND(const AppearanceRecord& record) {
    AsideFor = nullptr;
    SetWindowPos(record.Window, record.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!record.OnTop || record.OverFullScreen) return STOPFOLLOWINGFULLSCREEN();
    Followed = &record;
    if (!ForegroundHook)
        ForegroundHook.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, windowEvent, 0,
                                             0, WINEVENT_OUTOFCONTEXT));
    if (!EventsArrive) SetTimer(record.Window, ID_FULLSCREEN_TIMER, FULLSCREEN_LOOK_MS, fullScreenCheck);
    reconsider(nullptr);
}

void STOPFOLLOWINGFULLSCREEN() {
    if (Followed) KillTimer(Followed->Window, ID_FULLSCREEN_TIMER);
    ForegroundHook.reset();
    WindowHook.reset();
    WindowHookProcess = 0;
    Followed = nullptr;
    AsideFor = nullptr;
}
