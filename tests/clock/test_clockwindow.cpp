// The clock window of this process on a clock the test controls: when the
// time and date labels are rewritten, and a clock without its timer.
#include <gtest/gtest.h>

#include <atomic>

#include "clock/clockwindow.h"
#include "tests/support/winharness.h"

namespace {

std::atomic<int> TimeLabelWrites{0};  // WM_SETTEXT reaching the time label
std::atomic<int> IconsSet{0};         // WM_SETICON reaching the clock window
HHOOK Hook = nullptr;

LRESULT CALLBACK countMessages(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    TimeLabelWrites += code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == ID_TIME_LABEL;
    IconsSet += code == HC_ACTION && call->message == WM_SETICON;
    return CallNextHookEx(Hook, code, wparam, lparam);
}

TEST(ClockWindow, LabelsFollowTheClock) {
    SetFakeClock({2024, 12, 31, 23, 58});
    ClockThread clock([] { Hook = SetWindowsHookExA(WH_CALLWNDPROC, countMessages, nullptr, GetCurrentThreadId()); });
    HWND w = clock.Window();
    EXPECT_EQ(IconsSet.load(), 2);                 // the window is prepared once: its big and its small icon
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);  // the first tick, before counting
    EXPECT_EQ(LabelText(w, ID_TIME_LABEL) + " " + LabelText(w, ID_DATE_LABEL), "23:58 " + SHORTDATETEXT(2024, 12, 31));
    // Ticks within the same minute rewrite nothing; the next minute is shown
    // within one 500 ms tick, and written once.
    TimeLabelWrites = 0;
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);
    EXPECT_EQ(TimeLabelWrites.load(), 0);
    SetFakeClock({2024, 12, 31, 23, 59});
    EXPECT_TRUE(WaitUntil([&] { return LabelText(w, ID_TIME_LABEL) == "23:59"; }, 700));
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);
    EXPECT_EQ(TimeLabelWrites.load(), 1);
    UnhookWindowsHookEx(Hook);

    // (The same time text on another day: the real ticks in between change nothing.)
    const struct {
        LocalClock now;
        UINT msg;
        WPARAM wparam;
        const char* time;
        int32_t year, month, day;                                                      // of the date label afterwards
    } steps[] = {{{2025, 1, 1, 0, 0}, WM_TIMER, ID_CLOCK_TIMER, "00:00", 2025, 1, 1},  // midnight: the same tick
                 {{2025, 1, 2, 0, 5}, WM_TIMER, ID_CLOCK_TIMER, "00:05", 2025, 1, 2},  // "00:00" never seen
                 {{2025, 3, 2, 0, 5}, WM_TIMER, 4242, "00:05", 2025, 1, 2},            // another timer: nothing
                 {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMSUSPEND, "00:05", 2025, 1, 2},
                 {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "00:05", 2025, 3, 2}};
    for (const auto& s : steps) {
        SetFakeClock(s.now);
        SendMessageA(w, s.msg, s.wparam, 0);
        EXPECT_EQ(LabelText(w, ID_TIME_LABEL) + " " + LabelText(w, ID_DATE_LABEL),
                  s.time + (" " + SHORTDATETEXT(s.year, s.month, s.day)));
    }
    RestoreClock();
}

TEST(ClockWindow, WithoutItsTimerItSaysSoAndEnds) {
    SETCLOCKTIMER = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR { return 0; };
    ClockThread clock;
    HWND box = WaitWindow(CLOCKTITLE, clock.Window());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, 0xFFFF), NOTIMERTEXT());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(clock.Window()); }));
    SETCLOCKTIMER = SetTimer;
}

}  // namespace
