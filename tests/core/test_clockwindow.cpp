// The clock window of this process on a clock the test controls: where its
// labels sit, and when the time and date labels are rewritten.
#include <gtest/gtest.h>

#include <array>
#include <atomic>

#include "core/clockwindow.h"
#include "core/windowgeometry.h"
#include "tests/support/winharness.h"

using harness::LabelText;

namespace {

// WM_SETTEXT reaching the time label on the clock's thread.
std::atomic<int> TimeLabelWrites{0};
HHOOK Hook = nullptr;

LRESULT CALLBACK countSetText(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == ID_TIME_LABEL)
        ++TimeLabelWrites;
    return CallNextHookEx(Hook, code, wparam, lparam);
}

TEST(ClockWindow, LabelsAtTheirPlaces) {
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    const struct {
        int id;
        std::array<int32_t, 4> units;  // left, top, right, bottom
    } labels[] = {{ID_TIME_LABEL, {0, -8, 130, 34}}, {ID_DATE_LABEL, {0, 34, 130, 53}}};
    for (const auto& label : labels) {
        RECT r{};
        GetWindowRect(GetDlgItem(w, label.id), &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        std::array<int32_t, 4> units{r.left, r.top, r.right, r.bottom};
        PIXELSTODLGUNITS(w, units[0], units[1]);
        PIXELSTODLGUNITS(w, units[2], units[3]);
        EXPECT_EQ(units, label.units) << label.id;
    }
}

TEST(ClockWindow, LabelsFollowTheClock) {
    harness::SetFakeClock({2024, 12, 31, 23, 58});
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);  // the first tick, before counting
    EXPECT_EQ(LabelText(w, ID_TIME_LABEL), "23:58");
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2024, 12, 31));

    // Ticks within the same minute rewrite nothing; the next minute is shown
    // within one 500 ms tick, and written once.
    Hook = SetWindowsHookExA(WH_CALLWNDPROC, countSetText, nullptr, clock.ThreadId());
    ASSERT_NE(Hook, nullptr);
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);
    EXPECT_EQ(TimeLabelWrites.load(), 0);
    harness::SetFakeClock({2024, 12, 31, 23, 59});
    EXPECT_TRUE(harness::WaitUntil([&] { return LabelText(w, ID_TIME_LABEL) == "23:59"; }, 700));
    SendMessageA(w, WM_TIMER, ID_CLOCK_TIMER, 0);
    EXPECT_EQ(TimeLabelWrites.load(), 1);
    UnhookWindowsHookEx(Hook);
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2024, 12, 31));

    // (The same time text on another day: the real ticks in between change nothing.)
    const struct {
        LocalClock now;
        UINT msg;
        WPARAM wparam;
        const char* time;
        int32_t year, month, day;  // the date the date label shows afterwards
    } steps[] = {{{2025, 1, 1, 0, 0}, WM_TIMER, ID_CLOCK_TIMER, "00:00", 2025, 1, 1},  // midnight: on the same tick
                 {{2025, 1, 2, 0, 5}, WM_TIMER, ID_CLOCK_TIMER, "00:05", 2025, 1, 2},  // "00:00" never seen
                 {{2025, 3, 2, 0, 5}, WM_TIMER, 4242, "00:05", 2025, 1, 2},            // another timer: nothing
                 {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMSUSPEND, "00:05", 2025, 1, 2},
                 {{2025, 3, 2, 0, 5}, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "00:05", 2025, 3, 2}};  // at once
    for (const auto& s : steps) {
        harness::SetFakeClock(s.now);
        SendMessageA(w, s.msg, s.wparam, 0);
        EXPECT_EQ(LabelText(w, ID_TIME_LABEL), s.time);
        EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(s.year, s.month, s.day)) << s.time;
    }
    harness::RestoreClock();
}

}  // namespace
