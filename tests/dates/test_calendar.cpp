// The calendar opened from the clock window of this process, with the
// common-controls check before it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "core/clockwindow.h"
#include "dates/calendar.h"
#include "dates/comctlversion.h"
#include "dates/dates.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::LabelText;
using harness::WaitUntil;

namespace {

const char* const TITLE = LANGTEXT("Calendrier", "Calendar");

HWND openCalendar(HWND clock) {
    PostMessageA(clock, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    return harness::WaitWindow(TITLE);
}

TEST(Calendar, ShowsTheSelectedDayWhileTheClockWaits) {
    harness::SetFakeClock({2023, 9, 5, 10, 20});
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    for (const POINT at : {POINT{700, 500}, POINT{10, 10}}) {  // room above and left of it, then none
        SetWindowPos(w, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        HWND cal = openCalendar(w);
        ASSERT_NE(cal, nullptr);
        RECT clockRect{}, client{}, calRect{}, work{};
        GetWindowRect(w, &clockRect);
        GetClientRect(w, &client);
        GetWindowRect(cal, &calRect);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const POINT expected = at.x > 100
                                   ? POINT{clockRect.right - client.right - 413, clockRect.bottom - client.bottom - 260}
                                   : POINT{work.left, work.top};  // kept whole on the work area
        EXPECT_EQ(std::make_pair(calRect.left, calRect.top), std::make_pair(expected.x, expected.y));
        EXPECT_EQ(LabelText(cal, ID_CALENDAR_LABEL), LONGDATETEXT(2023, 9, 5));
        EXPECT_FALSE(IsWindowEnabled(w));
        EXPECT_EQ(GetWindow(cal, GW_OWNER), w);
        EXPECT_EQ(SendDlgItemMessageA(cal, ID_CALENDAR_MONTH, MCM_GETMAXSELCOUNT, 0, 0), 31);
        EXPECT_EQ(GetWindowLongA(cal, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no title bar

        NMSELCHANGE change{};
        change.nmhdr = {GetDlgItem(cal, ID_CALENDAR_MONTH), ID_CALENDAR_MONTH, static_cast<UINT>(MCN_SELCHANGE)};
        change.stSelStart.wYear = 2024, change.stSelStart.wMonth = 2, change.stSelStart.wDay = 29;
        change.stSelEnd = change.stSelStart;
        SendMessageA(cal, WM_NOTIFY, ID_CALENDAR_MONTH, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(LabelText(cal, ID_CALENDAR_LABEL), LONGDATETEXT(2024, 2, 29));

        harness::SetFakeClock({2023, 9, 5, 10, at.y > 100 ? 22 : 23});  // the disabled clock ticks on
        EXPECT_TRUE(WaitUntil([&] { return LabelText(w, ID_TIME_LABEL) == (at.y > 100 ? "10:22" : "10:23"); }));
        PostMessageA(GetDlgItem(cal, ID_CALENDAR_MONTH), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cal) && IsWindowEnabled(w); })) << "Esc closes it";
    }
    harness::RestoreClock();
}

TEST(Calendar, TooOldCommonControlsGiveTheMessageAndNoCalendar) {
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 469; };
    harness::ClockThread clock;
    PostMessageA(clock.Window(), WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    HWND box = harness::WaitWindow(COMCTLERRORCAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, 0xFFFF), std::string("Sorry, this program needs a later version of COMCTL32.DLL.\r\n"
                                                  "Please install MSIE version 4 or higher, or get the file directly "
                                                  "from: \r\n\r\n") +
                                          COMCTLDOWNLOADADDRESS);
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);  // system modal
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    SendMessageA(clock.Window(), WM_NULL, 0, 0);  // the click is handled to its end
    EXPECT_EQ(harness::WaitWindow(TITLE, nullptr, 0), nullptr);
    EXPECT_TRUE(IsWindowEnabled(clock.Window()));
    COMCTLVERSIONSOURCE = INITCOMCTL32;
}

TEST(Calendar, TheLibraryCheckAndItsExports) {
    EXPECT_GE(INITCOMCTL32(0), MINIMUM_COMCTL32_VERSION);
    EXPECT_EQ(GETSYSFILEVER("no-such-file.dll"), 0);
    char path[MAX_PATH];
    std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    exe = exe.substr(0, exe.rfind("\\tests\\")) + "\\bin\\" + LANGTEXT("orloclock-fr.exe", "orloclock.exe");
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr) << exe;
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, "GETSYSFILEVER")), nullptr);
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, "INITCOMCTL32")), nullptr);
    FreeLibrary(module);
}

}  // namespace
