// The clock window of this process on a clock the test controls: when the
// time and date labels are rewritten, and a clock without its timer.
#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

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
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);  // the first tick handled: counting from here
    TimeLabelWrites = 0;
    // Each step: the time the clock reads, the message sent (none: the real
    // tick, which shows a new minute within its 500 ms), the labels afterwards
    // and the time label's writes so far. The same time text on another day:
    // the real ticks in between change nothing.
    const std::tuple<LocalClock, UINT, WPARAM, std::string, int> steps[] = {
        {{2024, 12, 31, 23, 58}, WM_TIMER, ID_CLOCK_TIMER, "23:58 " + SHORTDATETEXT(2024, 12, 31), 0},  // same minute
        {{2024, 12, 31, 23, 59}, 0, 0, "23:59 " + SHORTDATETEXT(2024, 12, 31), 1},
        {{2024, 12, 31, 23, 59}, WM_TIMER, ID_CLOCK_TIMER, "23:59 " + SHORTDATETEXT(2024, 12, 31), 1},  // once
        {{2025, 1, 1, 0, 0}, WM_TIMER, ID_CLOCK_TIMER, "00:00 " + SHORTDATETEXT(2025, 1, 1), 2},  // midnight: same tick
        {{2025, 1, 2, 0, 5}, WM_TIMER, ID_CLOCK_TIMER, "00:05 " + SHORTDATETEXT(2025, 1, 2), 3},  // "00:00" never seen
        {{2025, 3, 2, 0, 5}, WM_TIMER, 4242, "00:05 " + SHORTDATETEXT(2025, 1, 2), 3},            // another timer
        {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMSUSPEND, "00:05 " + SHORTDATETEXT(2025, 1, 2), 3},
        {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "00:05 " + SHORTDATETEXT(2025, 3, 2), 4}};
    const auto labels = [w] { return LabelText(w, ID_TIME_LABEL) + " " + LabelText(w, ID_DATE_LABEL); };
    for (const auto& [now, msg, wparam, shown, writes] : steps) {
        SetFakeClock(now);
        if (msg) SendMessageA(w, msg, wparam, 0);
        EXPECT_TRUE(WaitUntil([&, &shown = shown] { return labels() == shown; }, 700)) << labels() << ", not " << shown;
        EXPECT_EQ(TimeLabelWrites.load(), writes) << shown;
    }
    UnhookWindowsHookEx(Hook);
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
