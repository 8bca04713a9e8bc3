// The calendar opened from the clock window of this process, with the oldest common controls it takes. (The
// clock's exports are read from the file by tests/resources.)
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "dates/calendar.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

TEST(Calendar, ShowsTheSelectedDayWhileTheClockTicksOn) {
    SetFakeClock({2023, 9, 5, 10, 20});
    ClockThread clock;
    HWND w = clock.Window();
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 470; };  // the oldest library that will do
    const char* title = LANGTEXT("Calendrier", "Calendar");
    HWND cal = Opened(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), title);
    ASSERT_NE(cal, nullptr) << "no window titled " << title << " with common controls 4.70";
    // A click on the 20th, found by the control's own hit test, is reported by the control; the clock ticks on.
    HWND month = GetDlgItem(cal, ID_CALENDAR_MONTH);
    RECT area{};
    GetClientRect(month, &area);
    MCHITTESTINFO hit{};
    hit.cbSize = MCHITTESTINFO_V1_SIZE;
    for (LONG i = 0; i < area.right * area.bottom; i += 3, hit.pt = {i % area.right, i / area.right})
        if (SendMessageA(month, MCM_HITTEST, 0, LPARAM(&hit)) == MCHT_CALENDARDATE && hit.st.wDay == 20) break;
    ASSERT_EQ(hit.st.wDay, 20) << "no 20th in the month control's " << area.right << "x" << area.bottom << " pixels";
    ClientToScreen(month, &hit.pt);
    Click(hit.pt);
    SetFakeClock({2023, 9, 5, 10, 22});
    const std::string shown = LONGDATETEXT(hit.st.wYear, hit.st.wMonth, 20) + " 10:22";
    const auto seen = [&] { return LabelText(cal, ID_CALENDAR_LABEL) + " " + LabelText(w, ID_TIME_LABEL); };
    EXPECT_TRUE(WaitUntil([&] { return seen() == shown; }))
        << "the calendar's label and the clock's time: " << seen() << ", not " << shown;
    EXPECT_TRUE(Closed(cal, WM_COMMAND, IDCANCEL)) << "Cancel left the calendar open";
}

}  // namespace
