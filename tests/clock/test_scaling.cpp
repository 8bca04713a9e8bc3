// The clock window of this process and the windows it opens, at the screen's
// scale. Run at 96, 120, 144, 168 and 192 dpi by tools/wine-dpi.sh, which
// passes the resolution it set in ORLO_DPI. The run at 96 dpi leaves beside
// the test program what the others hold their clocks to: the share of the
// client area the time and the date take, and its settings file.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "appearance/appearancemenu.h"
#include "appearance/transparencydialog.h"
#include "calculator/calculatorwindow.h"
#include "clock/clockwindow.h"
#include "core/dialogunits.h"
#include "dates/calendar.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

// Whether the control's font, line for line, fits the control's height.
bool textFits(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT inside{};
    return GetClientRect(control, &inside) && metrics.tmHeight > 0 && metrics.tmHeight <= inside.bottom;
}

// The shares of the client area's height the time's and the date's pixels
// (any not the background) take, split at the date label's top. Both whole:
// nothing cut by the client area's edges or at the end of the time label, a
// row of plain background under the date.
std::pair<double, double> faceShares(HWND clock) {
    RECT label = WindowRect(GetDlgItem(clock, ID_DATE_LABEL));
    MapWindowPoints(nullptr, clock, reinterpret_cast<POINT*>(&label), 2);
    SIZE size{};
    std::pair<int, int> time, date;  // their first and last rows
    bool sides = false;              // text in the first or the last column
    WaitUntil([&] {
        const std::vector<COLORREF> pixels = ClientPixels(clock, size);
        time = date = {-1, -1};
        sides = false;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                if (pixels[y * size.cx + x] == COLORREF(CLOCKAPPEARANCE.BgndCol)) continue;
                auto& rows = y < label.top ? time : date;
                rows = {rows.first < 0 ? y : rows.first, y};
                sides |= x == 0 || x == size.cx - 1;
            }
        return time.first >= 0 && date.first >= 0;
    });
    EXPECT_TRUE(time.first > 0 && time.second < label.top - 1 && date.second < size.cy - 1 && !sides)
        << "time in rows " << time.first << ".." << time.second << ", date in " << date.first << ".." << date.second
        << " of " << size.cy << ", the date label from " << label.top;
    const auto share = [&size](std::pair<int, int> rows) { return double(rows.second - rows.first + 1) / size.cy; };
    return {share(time), share(date)};
}

TEST(Scaling, EveryWindowFollowsTheScreensResolution) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_STREQ(std::getenv("ORLO_DPI"), std::to_string(dpi).c_str()) << "the scale tools/wine-dpi.sh set";
    const auto scaled = [dpi](int pixels) -> LONG { return SCALEDPIXELS(pixels, dpi); };
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    char path[MAX_PATH];
    const std::string reference = std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)) + ".96dpi";
    // The manifest's common controls 6 are in use: the library of the
    // side-by-side assembly. (Wine's reports version 5.81, like its other one.)
    const std::string comctl(path, GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << comctl;

    double time = 0, date = 0;  // the shares at 96 dpi
    if (dpi != 96) {            // the settings file saved at 96 dpi shows the whole clock here too
        std::ifstream in(reference, std::ios::binary);
        ASSERT_TRUE(in >> time >> date && in.get() == '\n') << "the 96-dpi run leaves " << reference;
        WriteSettings(std::string(std::istreambuf_iterator<char>(in), {}));
        ClockThread clock;
        SCOPED_TRACE("the file saved at 96 dpi");
        faceShares(clock.Window());
    }
    // The first start: the template's whole client area, the time and the
    // date whole in it, in the proportions of the 96-dpi clock.
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    RECT client{}, face{0, 0, FACEWIDTH, FACEHEIGHT}, more{0, 0, FACEWIDTH + 1, FACEHEIGHT + 1};
    GetClientRect(w, &client);
    MapDialogRect(w, &face), MapDialogRect(w, &more);
    EXPECT_TRUE(client.right >= face.right && client.bottom >= face.bottom && client.right <= more.right &&
                client.bottom <= more.bottom)
        << client.right << "x" << client.bottom << " for a face of " << face.right << "x" << face.bottom;
    const auto [timeShare, dateShare] = faceShares(w);
    std::printf("%d dpi: the time %.4f, the date %.4f of the client area's height\n", dpi, timeShare, dateShare);
    if (dpi == 96) {  // with the settings file as the first start saved it
        std::ofstream(reference, std::ios::binary) << timeShare << " " << dateShare << "\n" << ReadSettings();
    } else {
        EXPECT_NEAR(timeShare / time, 1.0, 0.05) << "the time's share at 96 dpi: " << time;
        EXPECT_NEAR(dateShare / date, 1.0, 0.05) << "the date's share at 96 dpi: " << date;
    }
    // Icons of the system's sizes for the scale.
    ICONINFO icon{};
    BITMAP bits{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)), &icon));
    GetObjectA(icon.hbmColor, sizeof bits, &bits);
    DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
    EXPECT_EQ(std::make_pair(bits.bmWidth, bits.bmHeight),
              std::make_pair(LONG(GetSystemMetrics(SM_CXSMICON)), LONG(GetSystemMetrics(SM_CYSMICON))));

    // The calendar 413 x 260 pixels at 96 dpi up and left of the client area,
    // with the clock placed where that leaves it whole.
    SetWindowPos(w, nullptr, work.left + scaled(413) + 20, work.top + scaled(260) + 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    const RECT placed = WindowRect(w);
    HWND calendar = Opened(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), LANGTEXT("Calendrier", "Calendar"));
    ASSERT_NE(calendar, nullptr);
    const RECT c = WindowRect(calendar);
    EXPECT_EQ(std::make_pair(c.left, c.top),
              std::make_pair(placed.right - client.right - scaled(413), placed.bottom - client.bottom - scaled(260)));
    EXPECT_TRUE(c.left >= work.left && c.top >= work.top && c.right <= work.right && c.bottom <= work.bottom);
    EXPECT_TRUE(textFits(GetDlgItem(calendar, ID_CALENDAR_LABEL)));
    ASSERT_TRUE(Closed(calendar, WM_COMMAND, IDCANCEL));
    // The colour dialog 240 x 250 pixels at 96 dpi up and left of the clock.
    HWND colours = Opened(w, WM_COMMAND, IDM_FOREGROUND_COLOR, nullptr);
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(std::make_pair(WindowRect(colours).left, WindowRect(colours).top),
              std::make_pair(placed.left - scaled(240), placed.top - scaled(250)));
    ASSERT_TRUE(Closed(colours, WM_COMMAND, IDCANCEL));
    HWND calc = Opened(w, WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
    ASSERT_NE(calc, nullptr);
    EXPECT_TRUE(textFits(GetDlgItem(calc, ID_CALC_INPUT)) && textFits(GetDlgItem(calc, ID_CALC_RESULT)));
    ASSERT_TRUE(Closed(calc, WM_SYSCOMMAND, SC_CLOSE));

    // The transparency popup, a tool window without a title bar: a 26 x 72
    // client area centred on the cursor, the 26 x 108 trackbar in it, the thumb
    // where the opacity is. (Measured with a title bar, then without it: the
    // client area reaches up over the bar's height.)
    const POINT cursor{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    SetCursorPos(cursor.x, cursor.y);
    HWND popup = Opened(w, WM_COMMAND, IDM_TRANSPARENCY, "Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    RECT inside{};
    GetClientRect(popup, &inside);
    MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    HWND trackbar = GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR);
    const RECT bar = WindowRect(trackbar), whole = WindowRect(popup);
    EXPECT_EQ(std::make_tuple(inside.left, inside.right, inside.bottom, bar.right - bar.left, bar.bottom - bar.top),
              std::make_tuple(cursor.x - scaled(13), cursor.x - scaled(13) + scaled(26),
                              cursor.y - scaled(36) + scaled(72), scaled(26), scaled(108)));
    EXPECT_TRUE(whole.left >= work.left && whole.top >= work.top && whole.right <= work.right &&
                whole.bottom <= work.bottom);
    EXPECT_EQ(std::make_tuple(GetWindowLongA(popup, GWL_STYLE) & WS_CAPTION,
                              GetWindowLongA(popup, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME),
                              SendMessageA(trackbar, TBM_GETPOS, 0, 0)),
              std::make_tuple(LONG(WS_BORDER), LONG(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME), LRESULT(25)));
    // Its keys apply at once; a click on the clock takes the activation and
    // closes it, and so does Escape; the value stays, to be saved at the exit.
    PostMessageA(trackbar, WM_KEYDOWN, VK_END, 0);
    BYTE alpha = 0;
    EXPECT_TRUE(WaitUntil([&] { return GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr) && alpha == 25; }));
    Click({placed.left + scaled(20), (placed.top + placed.bottom) / 2}, VK_SHIFT);  // Shift: no drag follows
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }));
    popup = Opened(w, WM_COMMAND, IDM_TRANSPARENCY, "Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(Closed(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(clock.Exit());
    EXPECT_EQ(SettingValue("All", "Transparency"), "25");
}

}  // namespace
