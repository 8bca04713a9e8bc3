// The clock window of this process: when its labels are rewritten, on a clock the test controls; without its timer.
#include <gtest/gtest.h>

#include "tests/support/winharness.h"

namespace {

std::atomic<int> IconsSet{0};  // WM_SETICON reaching the window

LRESULT CALLBACK countMessages(int code, WPARAM wparam, LPARAM lparam) {  // hooked until the clock's thread ends
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    IconsSet += code == HC_ACTION && call->message == WM_SETICON;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(ClockWindow, LabelsFollowTheClock) {
    SetFakeClock({2024, 12, 31, 23, 58});
    ClockThread clock([] { SetWindowsHookExA(WH_CALLWNDPROC, countMessages, nullptr, GetCurrentThreadId()); });
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr) << "no window titled " << CLOCKTITLE;
    // Each step: the time read, the message sent (WM_NULL: the real tick shows a new minute in 500 ms), the labels.
    // The icons are set once (2), not at each tick.
    const struct {
        const char* step;
        LocalClock now;
        UINT message;
        WPARAM wparam;
        std::string shown;
    } steps[] = {
        // clang-format off
        {"a tick in the start's minute", {2024, 12, 31, 23, 58}, WM_TIMER,          ID_CLOCK_TIMER,       "23:58 " + SHORTDATETEXT(2024, 12, 31)},
        {"a new minute by itself",       {2024, 12, 31, 23, 59}, WM_NULL,           0,                    "23:59 " + SHORTDATETEXT(2024, 12, 31)},
        {"midnight",                     {2025, 1, 1, 0, 0},     WM_TIMER,          ID_CLOCK_TIMER,       "00:00 " + SHORTDATETEXT(2025, 1, 1)},
        {"a day on, 00:00 never seen",   {2025, 1, 2, 0, 5},     WM_TIMER,          ID_CLOCK_TIMER,       "00:05 " + SHORTDATETEXT(2025, 1, 2)},
        {"another timer's tick: no change", {2025, 3, 2, 0, 5},  WM_TIMER,          4242,                 "00:05 " + SHORTDATETEXT(2025, 1, 2)},
        {"a suspend: no change",         {2025, 3, 2, 0, 5},     WM_POWERBROADCAST, PBT_APMSUSPEND,       "00:05 " + SHORTDATETEXT(2025, 1, 2)},
        {"the resume: the new date",     {2025, 3, 2, 0, 5},     WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "00:05 " + SHORTDATETEXT(2025, 3, 2)},
        // clang-format on
    };
    const auto labels = [w] { return LabelText(w, ID_TIME_LABEL) + " " + LabelText(w, ID_DATE_LABEL); };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        SetFakeClock(s.now);
        SendMessageA(w, s.message, s.wparam, 0);
        WaitUntil([&] { return labels() == s.shown; }, 700);
        EXPECT_EQ(labels(), s.shown);
        EXPECT_EQ(IconsSet, 2) << "the icons set";
    }
}

TEST(ClockWindow, WithoutItsTimerItSaysSoAndEnds) {
    // A clock without its timer would show a frozen time as if it were right.
    SETCLOCKTIMER = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR { return 0; };
    ClockThread clock;
    HWND box = WaitWindow(CLOCKTITLE, clock.Window());
    ASSERT_NE(box, nullptr) << "no window titled " << CLOCKTITLE << " beside the clock";
    EXPECT_EQ(LabelText(box, 0xFFFF),
              "orlo clock could not start its timer, so the time it shows would not change.\r\n"
              "Close some windows or programs, then start the clock again.");
    EXPECT_TRUE(Closed(box, WM_COMMAND, IDOK)) << "the message box did not close";
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(clock.Window()); })) << "the clock did not end";
    SETCLOCKTIMER = SetTimer;
}

}  // namespace
