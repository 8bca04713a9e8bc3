// The clock's place in the user's day, on the real clock window of this process: "Start with Windows" and the
// user's Run key, and the clock stepping aside for a full-screen window while always on top.
#include <gtest/gtest.h>

#include "appearance/windowplace.h"
#include "tests/support/winharness.h"

namespace {

AppearanceRecord& Rec = CLOCKAPPEARANCE;
constexpr char RUNKEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string runValue() {
    char value[MAX_PATH + 8];
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, RUNKEY, CLOCKTITLE, RRF_RT_REG_SZ, nullptr, value, &size) ? "<none>" : value;
}

bool checked(int id) { return GetMenuState(Rec.MainMenu, id, MF_BYCOMMAND) & MF_CHECKED; }

bool checkedOnceOpened(int id) {  // the check mark as the menu, opened by a right click, shows it
    PostMessageA(Rec.Window, WM_CONTEXTMENU, WPARAM(Rec.Window), 0);
    HWND menu = WaitWindow("");
    EXPECT_NE(menu, nullptr) << "no menu opened";
    const bool on = checked(id);
    PostMessageA(Rec.Window, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&] { return !IsWindowVisible(menu); });
    return on;
}

TEST(WindowPlace, StartWithWindowsFollowsTheRunKey) {
    char path[MAX_PATH];
    const std::string ours = "\"" + std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)) + "\"";
    struct {
        const char* what;
        std::string before, after;  // the Run key's value
        bool shown;                 // checked before the choice
    } cases[] = {{"no value: written, the path quoted", "", ours, false},
                 {"this clock's value: removed", ours, "<none>", true},
                 {"another copy's value: replaced", "\"C:\\old\\orloclock.exe\"", ours, false}};
    ClockThread clock;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, RUNKEY, CLOCKTITLE);
        if (!c.before.empty())
            RegSetKeyValueA(HKEY_CURRENT_USER, RUNKEY, CLOCKTITLE, REG_SZ, c.before.c_str(), c.before.size() + 1);
        EXPECT_EQ(checkedOnceOpened(IDM_START_WITH_WINDOWS), c.shown);
        SendMessageA(clock.Window(), WM_COMMAND, IDM_START_WITH_WINDOWS, 0);
        EXPECT_EQ(runValue(), c.after);
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, RUNKEY, CLOCKTITLE);
}

bool topmost(HWND w) { return GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST; }

// Whether the clock is topmost after a step: a change to `wanted` is waited for, a band that must stay is watched for
// longer than the clock's slow look at the foreground window (Wine sends no events). This thread's own window gets its
// messages meanwhile.
bool topmostAfter(HWND clock, bool wanted) {
    const bool before = topmost(clock);
    WaitUntil(
        [&] {
            for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
            return topmost(clock) != before;
        },
        before != wanted ? 5000 : FULLSCREEN_LOOK_MS + 500);
    return topmost(clock);
}

TEST(WindowPlace, AnAlwaysOnTopClockStepsAsideForAFullScreenWindow) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT workArea{0, 0, screen.right, screen.bottom - 40};
    struct {
        const char* what;
        const char* settings;  // the [All] keys
        bool onTop;
        RECT window;  // a borderless window brought to the foreground
        bool asides;  // whether the clock leaves the topmost band while it covers the screen
    } cases[] = {{"on top, a window over the whole screen", "OnTop=1", true, screen, true},
                 {"on top, a window over a work area", "OnTop=1", true, workArea, false},
                 {"not on top", "OnTop=0", false, screen, false},
                 {"on top, kept over full-screen windows", "OnTop=1\r\nOverFullScreen=1", true, screen, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteSettings(std::string("[All]\r\n") + c.settings + "\r\n");
        ClockThread clock;
        HWND w = clock.Window();
        const bool onTop = c.onTop;
        const auto expectTopmost = [&](bool wanted, const char* step) {
            EXPECT_EQ(topmostAfter(w, wanted), wanted) << "the clock's band once the window is " << step;
        };
        HWND full = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, c.window.left, c.window.top, c.window.right,
                                    c.window.bottom, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(full);
        expectTopmost(onTop && !c.asides, "shown");
        SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);  // the user's choice stays while aside
        EXPECT_EQ(SettingValue("All", "OnTop"), std::to_string(onTop)) << "OnTop saved while the window is shown";
        DestroyWindow(full);
        expectTopmost(onTop, "closed");
    }
    WriteSettings("");
}

}  // namespace
