// The calendar opened from the clock window of this process, and the common-controls check before it. (The
// clock's exports are read from the file by tests/resources.)
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "dates/calendar.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

TEST(Calendar, ShowsTheSelectedDayWhileTheClockWaits) {
    SetFakeClock({2023, 9, 5, 10, 20});
    ClockThread clock;
    HWND w = clock.Window();
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 470; };  // the oldest library that will do
    HWND cal = Opened(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), LANGTEXT("Calendrier", "Calendar"));
    HWND month = GetDlgItem(cal, ID_CALENDAR_MONTH);
    EXPECT_EQ(SendMessageA(month, MCM_GETMAXSELCOUNT, 0, 0), 31);
    EXPECT_EQ(GetWindowLongA(cal, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no title bar
    EXPECT_FALSE(IsWindowEnabled(w));                                     // the clock takes no input meanwhile
    // A click on the 20th, found by the control's own hit test, is reported by the control; the clock ticks on.
    RECT area{};
    GetClientRect(month, &area);
    MCHITTESTINFO hit{};
    hit.cbSize = MCHITTESTINFO_V1_SIZE;
    for (LONG i = 0; i < area.right * area.bottom; i += 3, hit.pt = {i % area.right, i / area.right})
        if (SendMessageA(month, MCM_HITTEST, 0, LPARAM(&hit)) == MCHT_CALENDARDATE && hit.st.wDay == 20) break;
    ASSERT_TRUE(hit.uHit == MCHT_CALENDARDATE && hit.st.wDay == 20);
    ClientToScreen(month, &hit.pt);
    Click(hit.pt);
    SetFakeClock({2023, 9, 5, 10, 22});
    const std::string shown = LONGDATETEXT(hit.st.wYear, hit.st.wMonth, 20) + " 10:22";
    const auto seen = [&] { return LabelText(cal, ID_CALENDAR_LABEL) + " " + LabelText(w, ID_TIME_LABEL); };
    EXPECT_TRUE(WaitUntil([&] { return seen() == shown; })) << seen();
    EXPECT_TRUE(Closed(cal, WM_COMMAND, IDCANCEL) && IsWindowEnabled(w));

    // Too old a library: the message, with no owner and system-modal, and no calendar.
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 469; };
    HWND box = Opened(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), COMCTLERRORCAPTION);
    const std::string sorry = std::string("Sorry, this program needs a later version of COMCTL32.DLL.\r\n") +
                              "Please install MSIE version 4 or higher, or get the file directly from: \r\n\r\n";
    EXPECT_EQ(LabelText(box, 0xFFFF), sorry + COMCTLDOWNLOADADDRESS);
    EXPECT_TRUE(!GetWindow(box, GW_OWNER) && (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST));
    EXPECT_TRUE(Closed(box, WM_COMMAND, IDOK));
    SendMessageA(w, WM_NULL, 0, 0);  // the click is handled to its end
    EXPECT_EQ(WaitWindow(LANGTEXT("Calendrier", "Calendar"), nullptr, 0), nullptr);
    EXPECT_EQ(GETSYSFILEVER("no-such-file.dll"), 0);  // a file without a version block reads as 0
}

}  // namespace
