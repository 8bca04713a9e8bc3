#include "tests/support/winharness.h"

#include <atomic>
#include <mutex>

#include "core/clockwindow.h"
#include "core/windowgeometry.h"

namespace harness {

namespace {

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

std::mutex FakeMutex;
LocalClock FakeNow{};

LocalClock fakeClock() {
    std::lock_guard<std::mutex> lock(FakeMutex);
    return FakeNow;
}

}  // namespace

std::string TestFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(std::string(path, n));
}

std::string ProgramFolder() {
    std::string tests = TestFolder();               // ...\tests\ .
    tests.pop_back();
    return folderOf(tests) + "bin\\";
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

std::string WindowText(HWND window) {
    char buffer[1024];
    const int n = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

std::string LabelText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

HWND FindProcessWindow(DWORD pid, const char* title) {
    struct Search {
        DWORD pid;
        const char* title;
        HWND found;
    } search{pid, title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == s->pid && WindowText(w) == s->title) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT ChildRectInDialogUnits(HWND dialog, int id) {
    RECT r{};
    HWND child = GetDlgItem(dialog, id);
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    int32_t left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
    PIXELSTODLGUNITS(dialog, left, top);
    PIXELSTODLGUNITS(dialog, width, height);
    return RECT{left, top, left + width, top + height};
}

Program::Program(const std::string& exe, const std::string& arguments, WORD show) {
    std::string commandLine = "\"" + ProgramFolder() + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(),
                        &startup, &process_))
        process_ = PROCESS_INFORMATION{};
}

Program::~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Program::WaitWindow(const char* title, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(process_.dwProcessId, title)) && IsWindowVisible(found); },
              timeoutMs);
    return found;
}

DWORD Program::WaitExit(DWORD timeoutMs) const {
    if (!process_.hProcess) return STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

ClockThread::ClockThread() {
    std::atomic<DWORD> id{0};
    CLOCKAPPEARANCE.Window = nullptr;
    thread_ = std::thread([&id] {
        id = GetCurrentThreadId();
        SHOWCLOCKWINDOW(nullptr);
    });
    WaitUntil([&] { return id != 0 && CLOCKAPPEARANCE.Window && IsWindowVisible(CLOCKAPPEARANCE.Window); }, 10000);
    threadId_ = id;
    window_ = CLOCKAPPEARANCE.Window;
}

ClockThread::~ClockThread() {
    if (IsWindow(window_)) PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (thread_.joinable()) thread_.join();
}

void SetFakeClock(const LocalClock& now) {
    {
        std::lock_guard<std::mutex> lock(FakeMutex);
        FakeNow = now;
    }
    LOCALCLOCKSOURCE = fakeClock;
}

void RestoreClock() { LOCALCLOCKSOURCE = PLATFORMLOCALCLOCK; }

}  // namespace harness
