// The clock window of this process: when its labels are rewritten, on a clock the test controls; without its timer.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/winharness.h"

namespace {

std::atomic<int> TimeLabelWrites{0}, IconsSet{0};  // WM_SETTEXT reaching the time label, WM_SETICON the window

LRESULT CALLBACK countMessages(int code, WPARAM wparam, LPARAM lparam) {  // hooked until the clock's thread ends
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    TimeLabelWrites += code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == ID_TIME_LABEL;
    IconsSet += code == HC_ACTION && call->message == WM_SETICON;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(ClockWindow, LabelsFollowTheClock) {
    SetFakeClock({2024, 12, 31, 23, 58});
    ClockThread clock([] { SetWindowsHookExA(WH_CALLWNDPROC, countMessages, nullptr, GetCurrentThreadId()); });
    HWND w = clock.Window();
    // Each step: the time read, the message sent (WM_NULL: the real tick shows a new minute in 500 ms), the labels,
    // the time label's writes since the start (same text, another day: real ticks change nothing), the icons set
    // (once: 2). The first tick, the start's or this one, writes; the other, in the same minute, does not.
    const std::tuple<LocalClock, UINT, WPARAM, std::string, int> steps[] = {
        {{2024, 12, 31, 23, 58}, WM_TIMER, ID_CLOCK_TIMER, "23:58 " + SHORTDATETEXT(2024, 12, 31), 1},  // same minute
        {{2024, 12, 31, 23, 59}, WM_NULL, 0, "23:59 " + SHORTDATETEXT(2024, 12, 31), 2},
        {{2025, 1, 1, 0, 0}, WM_TIMER, ID_CLOCK_TIMER, "00:00 " + SHORTDATETEXT(2025, 1, 1), 3},  // midnight: same tick
        {{2025, 1, 2, 0, 5}, WM_TIMER, ID_CLOCK_TIMER, "00:05 " + SHORTDATETEXT(2025, 1, 2), 4},  // "00:00" never seen
        {{2025, 3, 2, 0, 5}, WM_TIMER, 4242, "00:05 " + SHORTDATETEXT(2025, 1, 2), 4},            // another timer
        {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMSUSPEND, "00:05 " + SHORTDATETEXT(2025, 1, 2), 4},
        {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "00:05 " + SHORTDATETEXT(2025, 3, 2), 5}};
    const auto labels = [w] { return LabelText(w, ID_TIME_LABEL) + " " + LabelText(w, ID_DATE_LABEL); };
    for (const auto& [now, msg, wparam, shown, writes] : steps) {
        SetFakeClock(now);
        SendMessageA(w, msg, wparam, 0);
        WaitUntil([&, &shown = shown] { return labels() == shown; }, 700);
        EXPECT_EQ(std::make_tuple(labels(), int(TimeLabelWrites), int(IconsSet)), std::make_tuple(shown, writes, 2));
    }
}

TEST(ClockWindow, WithoutItsTimerItSaysSoAndEnds) {
    SETCLOCKTIMER = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR { return 0; };
    ClockThread clock;
    HWND box = WaitWindow(CLOCKTITLE, clock.Window());
    EXPECT_EQ(LabelText(box, 0xFFFF), NOTIMERTEXT());
    EXPECT_TRUE(Closed(box, WM_COMMAND, IDOK) && WaitUntil([&] { return !IsWindow(clock.Window()); }));
    SETCLOCKTIMER = SetTimer;
}

}  // namespace
