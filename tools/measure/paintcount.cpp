// Counts how often the clock rewrites and repaints its time label while it
// runs idle on the real clock: paintcount [SECONDS] (default 125).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/winharness.h"

namespace {

std::atomic<int> Paints{0}, Writes{0};
HHOOK GetHook = nullptr, CallHook = nullptr;

bool isTimeLabel(HWND w) { return w && GetDlgCtrlID(w) == ID_TIME_LABEL; }

LRESULT CALLBACK onGet(int code, WPARAM wparam, LPARAM lparam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && msg->message == WM_PAINT && isTimeLabel(msg->hwnd)) ++Paints;
    return CallNextHookEx(GetHook, code, wparam, lparam);
}

LRESULT CALLBACK onCall(int code, WPARAM wparam, LPARAM lparam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && isTimeLabel(call->hwnd)) ++Writes;
    return CallNextHookEx(CallHook, code, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 125;
    ClockThread clock;
    if (!clock.Window()) return 1;
    Sleep(2000);  // past the start-up paints
    const DWORD thread = GetWindowThreadProcessId(clock.Window(), nullptr);
    GetHook = SetWindowsHookExA(WH_GETMESSAGE, onGet, nullptr, thread);
    CallHook = SetWindowsHookExA(WH_CALLWNDPROC, onCall, nullptr, thread);
    Sleep(seconds * 1000);
    UnhookWindowsHookEx(GetHook);
    UnhookWindowsHookEx(CallHook);
    std::printf("%d s: time label rewritten %d times, repainted %d times (%.2f repaints per minute)\n", seconds,
                Writes.load(), Paints.load(), Paints.load() * 60.0 / seconds);
    return 0;
}
