// The clock window of this process with a clock the test controls: the
// refresh rules of the time and date labels.
#include <gtest/gtest.h>

#include <atomic>

#include "core/clockwindow.h"
#include "dates/dates.h"
#include "tests/support/winharness.h"

using harness::ClockThread;
using harness::LabelText;

namespace {

// Counts WM_SETTEXT reaching the time label on the clock's thread.
std::atomic<int> TimeLabelWrites{0};
HHOOK Hook = nullptr;

LRESULT CALLBACK countSetText(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == ID_TIME_LABEL) ++TimeLabelWrites;
    return CallNextHookEx(Hook, code, wparam, lparam);
}

class ClockWindow : public testing::Test {
protected:
    void SetUp() override { harness::SetFakeClock({2024, 12, 31, 23, 58}); }
    void TearDown() override { harness::RestoreClock(); }
    bool LabelBecomes(HWND w, int id, const std::string& text, DWORD ms = 1200) {
        return harness::WaitUntil([&] { return LabelText(w, id) == text; }, ms);
    }
};

TEST_F(ClockWindow, LabelsSitAtTheirTemplatePlaces) {
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    const struct {
        int id;
        RECT units;
    } labels[] = {{ID_TIME_LABEL, {0, -8, 130, 34}}, {ID_DATE_LABEL, {0, 34, 130, 53}}};
    for (const auto& label : labels) {
        const RECT r = harness::ChildRectInDialogUnits(w, label.id);
        EXPECT_EQ(r.left, label.units.left) << label.id;
        EXPECT_EQ(r.top, label.units.top) << label.id;
        EXPECT_EQ(r.right, label.units.right) << label.id;
        EXPECT_EQ(r.bottom, label.units.bottom) << label.id;
    }
}

TEST_F(ClockWindow, TimeLabelFollowsTheClockWithinATick) {
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "23:58"));
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2024, 12, 31));
    Sleep(700);  // the label is created with the text; let the first tick write it before counting

    Hook = SetWindowsHookExA(WH_CALLWNDPROC, countSetText, nullptr, clock.ThreadId());
    ASSERT_NE(Hook, nullptr);
    Sleep(1600);  // three ticks in the same minute rewrite nothing
    EXPECT_EQ(TimeLabelWrites.load(), 0);

    harness::SetFakeClock({2024, 12, 31, 23, 59});
    EXPECT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "23:59", 700));  // at most one 500 ms tick late
    Sleep(1100);
    EXPECT_EQ(TimeLabelWrites.load(), 1);
    UnhookWindowsHookEx(Hook);
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2024, 12, 31));

    // Midnight: the date changes on the same tick.
    harness::SetFakeClock({2025, 1, 1, 0, 0});
    EXPECT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "00:00"));
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2025, 1, 1));
}

TEST_F(ClockWindow, DateFollowsEvenWhenMidnightWasMissed) {
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "23:58"));
    // The clock jumps from 23:58 to 00:05 the next day: no "00:00" tick ever happens.
    harness::SetFakeClock({2025, 1, 1, 0, 5});
    EXPECT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "00:05"));
    EXPECT_TRUE(LabelBecomes(w, ID_DATE_LABEL, SHORTDATETEXT(2025, 1, 1), 100));
}

TEST_F(ClockWindow, ResumeSetsBothLabelsAtOnce) {
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_TRUE(LabelBecomes(w, ID_TIME_LABEL, "23:58"));
    harness::SetFakeClock({2025, 3, 2, 7, 15});
    SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(LabelText(w, ID_TIME_LABEL), "07:15");
    EXPECT_EQ(LabelText(w, ID_DATE_LABEL), SHORTDATETEXT(2025, 3, 2));
    // Other power events and other timers change nothing.
    harness::SetFakeClock({2025, 3, 2, 8, 0});
    SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageA(w, WM_TIMER, 4242, 0);
    EXPECT_EQ(LabelText(w, ID_TIME_LABEL), "07:15");
}

}  // namespace
