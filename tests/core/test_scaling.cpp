// The clock window of this process and the windows it opens, at the screen's
// scale. Run at 96, 144 and 192 dpi by tools/wine-dpi.sh, which passes the
// resolution it set in ORLO_DPI.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "appearance/menuids.h"
#include "appearance/transparencydialog.h"
#include "core/clockwindow.h"
#include "core/dialogunits.h"
#include "dates/calendar.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

RECT windowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

bool wholeOn(const RECT& area, const RECT& r) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    BITMAP bits{};
    if (!GetIconInfo(icon, &info)) return {};
    GetObjectA(info.hbmColor, sizeof bits, &bits);
    DeleteObject(info.hbmColor), DeleteObject(info.hbmMask);
    return {bits.bmWidth, bits.bmHeight};
}

TEST(Scaling, EveryWindowFollowsTheScreensResolution) {
    const char* set = std::getenv("ORLO_DPI");
    ASSERT_NE(set, nullptr) << "run by tools/wine-dpi.sh";
    const int dpi = std::atoi(set);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi);
    ReleaseDC(nullptr, screen);
    const auto scaled = [dpi](int pixels) -> LONG { return SCALEDPIXELS(pixels, dpi); };
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

    // The manifest's common controls 6 are in use: the library of the
    // side-by-side assembly. (Wine's reports version 5.81, like its other one.)
    char path[MAX_PATH];
    const std::string comctl(path, GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << comctl;

    harness::WriteSettings("");
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    // The time in 48 points and the window's size in dialog units, both in
    // pixels of this screen, which makes the client area 192 pixels wide at
    // 96 dpi and in proportion at the others; icons of the system's sizes.
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(w, ID_TIME_LABEL, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_NEAR(font.lfHeight, -48.0 * dpi / 72, 1.0);
    RECT units{0, 0, CLOCKAPPEARANCE.Width, CLOCKAPPEARANCE.Height}, client{};
    MapDialogRect(w, &units);
    const RECT outer = windowRect(w);
    EXPECT_EQ(std::make_pair(outer.right - outer.left, outer.bottom - outer.top),
              std::make_pair(units.right, units.bottom));
    GetClientRect(w, &client);
    EXPECT_NEAR(client.right, 192.0 * dpi / 96, 2.0 * dpi / 96);
    const SIZE small = iconSize(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(std::make_pair(int(small.cx), int(small.cy)),
              std::make_pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));

    // The calendar 413 x 260 pixels at 96 dpi up and left of the client area,
    // with the clock placed where that leaves it whole.
    SetWindowPos(w, nullptr, work.left + scaled(413) + 20, work.top + scaled(260) + 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    GetClientRect(w, &client);
    const RECT placed = windowRect(w);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    HWND calendar = harness::WaitWindow(LANGTEXT("Calendrier", "Calendar"));
    ASSERT_NE(calendar, nullptr);
    const RECT c = windowRect(calendar);
    EXPECT_EQ(std::make_pair(c.left, c.top),
              std::make_pair(placed.right - client.right - scaled(413), placed.bottom - client.bottom - scaled(260)));
    EXPECT_TRUE(wholeOn(work, c));
    PostMessageA(calendar, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(calendar); }));

    // The transparency popup, a tool window without a title bar: a 26 x 72
    // client area centred on the cursor, the 26 x 108 trackbar in it, the thumb
    // where the opacity is. (Measured with a title bar, then without it: the
    // client area reaches up over the bar's height.)
    const POINT cursor{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    SetCursorPos(cursor.x, cursor.y);
    PostMessageA(w, WM_COMMAND, IDM_TRANSPARENCY, 0);
    HWND popup = harness::WaitWindow("Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    RECT inside{};
    GetClientRect(popup, &inside);
    MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    EXPECT_EQ(
        std::make_tuple(inside.left, inside.right, inside.bottom),
        std::make_tuple(cursor.x - scaled(13), cursor.x - scaled(13) + scaled(26), cursor.y - scaled(36) + scaled(72)));
    HWND trackbar = GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR);
    const RECT bar = windowRect(trackbar);
    EXPECT_EQ(std::make_pair(bar.right - bar.left, bar.bottom - bar.top), std::make_pair(scaled(26), scaled(108)));
    EXPECT_TRUE(wholeOn(work, windowRect(popup)));
    EXPECT_EQ(GetWindowLongA(popup, GWL_STYLE) & WS_CAPTION, WS_BORDER);
    EXPECT_TRUE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(SendMessageA(trackbar, TBM_GETPOS, 0, 0), 25);  // opaque: the top
    // Its keys apply at once; a click on the clock takes the activation and
    // closes it, and so does Escape; the value stays, to be saved at the exit.
    PostMessageA(trackbar, WM_KEYDOWN, VK_END, 0);
    BYTE alpha = 0;
    EXPECT_TRUE(
        harness::WaitUntil([&] { return GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr) && alpha == 25; }));
    harness::Click({placed.left + scaled(20), (placed.top + placed.bottom) / 2});
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindow(popup); }));
    PostMessageA(w, WM_COMMAND, IDM_TRANSPARENCY, 0);
    popup = harness::WaitWindow("Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    PostMessageA(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(popup); }));

    EXPECT_TRUE(clock.Exit());
    EXPECT_EQ(harness::SettingValue("All", "Transparency"), "25");
}

}  // namespace
