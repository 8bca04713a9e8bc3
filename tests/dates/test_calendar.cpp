// The calendar opened from the clock window of this process, and the
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

TEST(Calendar, ShowsTheSelectedDayWhileTheClockWaits) {
    harness::SetFakeClock({2023, 9, 5, 10, 20});
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    SetWindowPos(w, nullptr, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // room above and left of it
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    HWND cal = harness::WaitWindow(TITLE);
    ASSERT_NE(cal, nullptr);
    RECT clockRect{}, client{}, calRect{};
    GetWindowRect(w, &clockRect), GetClientRect(w, &client), GetWindowRect(cal, &calRect);
    EXPECT_EQ(std::make_pair(calRect.left, calRect.top),
              std::make_pair(clockRect.right - client.right - 413, clockRect.bottom - client.bottom - 260));
    EXPECT_EQ(SendDlgItemMessageA(cal, ID_CALENDAR_MONTH, MCM_GETMAXSELCOUNT, 0, 0), 31);
    EXPECT_EQ(GetWindowLongA(cal, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no title bar
    NMSELCHANGE change{};
    change.nmhdr = {GetDlgItem(cal, ID_CALENDAR_MONTH), ID_CALENDAR_MONTH, static_cast<UINT>(MCN_SELCHANGE)};
    change.stSelStart.wYear = 2024, change.stSelStart.wMonth = 2, change.stSelStart.wDay = 29;
    SendMessageA(cal, WM_NOTIFY, ID_CALENDAR_MONTH, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(LabelText(cal, ID_CALENDAR_LABEL), LONGDATETEXT(2024, 2, 29));
    harness::SetFakeClock({2023, 9, 5, 10, 22});  // the disabled clock ticks on
    EXPECT_TRUE(WaitUntil([&] { return LabelText(w, ID_TIME_LABEL) == "10:22"; }));
    PostMessageA(cal, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cal) && IsWindowEnabled(w); }));
    harness::RestoreClock();

    // Too old a library: the message, with no owner and system-modal, and no calendar.
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 469; };
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    HWND box = harness::WaitWindow(COMCTLERRORCAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, 0xFFFF), std::string("Sorry, this program needs a later version of COMCTL32.DLL.\r\n"
                                                  "Please install MSIE version 4 or higher, or get the file directly "
                                                  "from: \r\n\r\n") +
                                          COMCTLDOWNLOADADDRESS);
    EXPECT_TRUE(GetWindow(box, GW_OWNER) == nullptr && (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    SendMessageA(w, WM_NULL, 0, 0);  // the click is handled to its end
    EXPECT_EQ(harness::WaitWindow(TITLE, nullptr, 0), nullptr);
    COMCTLVERSIONSOURCE = INITCOMCTL32;
}

TEST(Calendar, TheLibraryCheckAndItsExports) {
    EXPECT_GE(INITCOMCTL32(0), MINIMUM_COMCTL32_VERSION);
    EXPECT_EQ(GETSYSFILEVER("no-such-file.dll"), 0);
    char path[MAX_PATH];
    std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    exe = exe.substr(0, exe.rfind("\\tests\\")) + "\\bin\\" + LANGTEXT("orloclock-fr.exe", "orloclock.exe");
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_TRUE(GetProcAddress(module, "GETSYSFILEVER") && GetProcAddress(module, "INITCOMCTL32")) << exe;
    FreeLibrary(module);
}

}  // namespace
