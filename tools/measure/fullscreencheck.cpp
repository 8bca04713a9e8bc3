// Times the clock's look for a full-screen foreground window (FULLSCREENOVER), which
// a timer runs every FULLSCREEN_LOOK_MS where the system sends no foreground
// events (Wine 8), on the real clock window, with another window in the
// foreground: fullscreencheck [CALLS] (default 20000).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "appearance/windowplace.h"
#include "tests/support/winharness.h"

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::atoi(argv[1]) : 20000;
    ClockThread clock;
    if (!clock.Window() || calls < 1) return 1;
    // Another window in the foreground, as most of the time, rather than the clock, for which the check stops at once.
    HWND other =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    if (!SetForegroundWindow(other) || GetForegroundWindow() != other) return 1;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    FILETIME created, ended, kernel0, user0, kernel1, user1;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel0, &user0);
    QueryPerformanceCounter(&start);
    int found = 0;
    for (int i = 0; i < calls; ++i) found += FULLSCREENOVER(GetForegroundWindow(), clock.Window());
    QueryPerformanceCounter(&end);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel1, &user1);
    DestroyWindow(other);
    const auto ticks = [](const FILETIME& f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const double wall = double(end.QuadPart - start.QuadPart) / frequency.QuadPart / calls * 1e6;
    const double cpu = (ticks(kernel1) + ticks(user1) - ticks(kernel0) - ticks(user0)) / 10.0 / calls;
    const double perTenMinutes = 600000.0 / FULLSCREEN_LOOK_MS;
    std::printf("%d calls (%d found a full-screen window): %.2f us each (wall), %.2f us CPU of this thread\n", calls,
                found, wall, cpu);
    std::printf("every %u ms: %.0f checks per 10 minutes, %.1f ms wall in all\n", FULLSCREEN_LOOK_MS, perTenMinutes,
                wall * perTenMinutes / 1000);
    return 0;
}
