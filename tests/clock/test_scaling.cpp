// The windows of this process at 96 to 192 dpi (set by tools/wine-dpi.sh, passed in ORLO_DPI). The 96-dpi run leaves
// beside the program what the others hold to: the time's and the date's shares of the client area, its settings file.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "appearance/transparencydialog.h"
#include "calculator/calculatorwindow.h"
#include "core/dialogunits.h"
#include "core/windowgeometry.h"
#include "dates/calendar.h"
#include "tests/support/winharness.h"

namespace {

bool textFits(HWND control) {  // the control's font, line for line, within its height
    HDC dc = GetDC(control);   // a common DC: what is selected in it goes when it is released
    SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(control, dc);
    RECT inside{};
    return GetClientRect(control, &inside) && metrics.tmHeight > 0 && metrics.tmHeight <= inside.bottom;
}

// The shares of the client area's height the time's and the date's pixels (any not the background) take, split at
// the date label's top. Both whole: nothing in the client area's outer rows and columns, a plain row above the label.
std::pair<double, double> faceShares(HWND clock, const char* which) {
    POINT label{0, WindowRect(GetDlgItem(clock, ID_DATE_LABEL)).top};
    ScreenToClient(clock, &label);
    SIZE size{};
    RECT ink[2] = {};  // the bounds of the time's and the date's pixels
    WaitUntil([&] {
        const std::vector<COLORREF> pixels = ClientPixels(clock, size);
        ink[0] = ink[1] = RECT{};
        for (LONG i = 0; i < size.cx * size.cy; ++i) {
            const RECT dot{i % size.cx, i / size.cx, i % size.cx + 1, i / size.cx + 1};
            RECT& part = ink[dot.top >= label.y];
            if (pixels[i] != COLORREF(CLOCKAPPEARANCE.BgndCol)) UnionRect(&part, &part, &dot);
        }
        return !IsRectEmpty(&ink[0]) && !IsRectEmpty(&ink[1]);
    });
    EXPECT_TRUE(ink[0].top > 0 && ink[0].bottom < label.y && ink[1].bottom < size.cy && ink[0].left > 0 &&
                ink[1].left > 0 && ink[0].right < size.cx && ink[1].right < size.cx)
        << which << ": time " << ink[0].top << "-" << ink[0].bottom << ", date " << ink[1].top << "-" << ink[1].bottom;
    return {double(ink[0].bottom - ink[0].top) / size.cy, double(ink[1].bottom - ink[1].top) / size.cy};
}

TEST(Scaling, EveryWindowFollowsTheScreensResolution) {
    const int dpi = SCREENDPI();
    ASSERT_STREQ(std::getenv("ORLO_DPI"), std::to_string(dpi).c_str()) << "the scale tools/wine-dpi.sh set";
    const auto scaled = [dpi](int pixels) -> LONG { return SCALEDPIXELS(pixels, dpi); };
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    char path[MAX_PATH];
    const std::string reference = std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)) + ".96dpi";
    // The manifest's common controls 6 in use: the side-by-side assembly's (Wine's says 5.81, like its other one).
    const std::string comctl(path, GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << comctl;

    std::pair<double, double> at96;  // the shares at 96 dpi
    if (dpi != 96) {                 // the settings file saved at 96 dpi shows the whole clock here too
        std::ifstream in(reference, std::ios::binary);
        ASSERT_TRUE(in >> at96.first >> at96.second && in.get() == '\n') << "the 96-dpi run leaves " << reference;
        WriteSettings(std::string(std::istreambuf_iterator<char>(in), {}));
        faceShares(ClockThread().Window(), "the file saved at 96 dpi");
    }
    // The first start: the face's client area, the time and the date whole in it and as at 96 dpi, system-sized icons.
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    RECT in{}, face{FACEWIDTH, FACEHEIGHT, FACEWIDTH + 1, FACEHEIGHT + 1};  // the client area; the face, a unit more
    GetClientRect(w, &in);
    MapDialogRect(w, &face);
    EXPECT_TRUE(in.right >= face.left && in.right <= face.right && in.bottom >= face.top && in.bottom <= face.bottom)
        << in.right << "x" << in.bottom << " for a face of " << face.left << "x" << face.top;
    const std::pair<double, double> shares = faceShares(w, "the first start");
    std::printf("%d dpi: the time %.3f, the date %.3f of the client area's height\n", dpi, shares.first, shares.second);
    if (dpi == 96)  // with the settings file as the first start saved it
        std::ofstream(reference, std::ios::binary) << shares.first << " " << shares.second << "\n" << ReadSettings();
    else
        for (const double ratio : {shares.first / at96.first, shares.second / at96.second}) EXPECT_NEAR(ratio, 1, 0.05);
    ICONINFO icon{};
    BITMAP bits{};
    GetIconInfo(HICON(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)), &icon);
    GetObjectA(icon.hbmColor, sizeof bits, &bits);
    DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
    EXPECT_EQ(std::make_pair(bits.bmWidth, bits.bmHeight),
              std::make_pair(LONG(GetSystemMetrics(SM_CXSMICON)), LONG(GetSystemMetrics(SM_CYSMICON))));

    // The calendar 413 x 260 pixels at 96 dpi up and left of the client area, with the clock placed where that leaves
    // it whole on the work area; the colour dialog 240 x 250 up and left of the clock; text that fits its line.
    SetWindowPos(w, nullptr, work.left + scaled(413) + 20, work.top + scaled(260) + 40, 0, 0, SWP_NOSIZE);
    const RECT placed = WindowRect(w);
    HWND calendar = Opened(w, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), "Calendar");
    const RECT c = WindowRect(calendar);
    EXPECT_EQ(std::make_pair(c.left, c.top),
              std::make_pair(placed.right - in.right - scaled(413), placed.bottom - in.bottom - scaled(260)));
    EXPECT_TRUE(c.right <= work.right && c.bottom <= work.bottom && textFits(GetDlgItem(calendar, ID_CALENDAR_LABEL)));
    EXPECT_TRUE(Closed(calendar, WM_COMMAND, IDCANCEL));
    HWND colours = Opened(w, WM_COMMAND, IDM_FOREGROUND_COLOR, nullptr);
    EXPECT_EQ(std::make_pair(WindowRect(colours).left, WindowRect(colours).top),
              std::make_pair(placed.left - scaled(240), placed.top - scaled(250)));
    EXPECT_TRUE(Closed(colours, WM_COMMAND, IDCANCEL));
    HWND calc = Opened(w, WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
    EXPECT_TRUE(textFits(GetDlgItem(calc, ID_CALC_INPUT)) && textFits(GetDlgItem(calc, ID_CALC_RESULT)));
    EXPECT_TRUE(Closed(calc, WM_SYSCOMMAND, SC_CLOSE));

    // The transparency popup, a tool window without a title bar: a 26 x 72 client area centred on the cursor (its
    // top reaches up over the title bar it was measured with), the 26 x 108 trackbar in it, the thumb at the opacity.
    const POINT cursor{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    SetCursorPos(cursor.x, cursor.y);
    HWND popup = Opened(w, WM_COMMAND, IDM_TRANSPARENCY, "Transparency TrackBar");
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(popup, &info);
    const RECT client = info.rcClient, bar = WindowRect(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR));
    EXPECT_EQ(std::make_tuple(client.left - cursor.x, client.right - client.left, client.bottom - cursor.y,
                              bar.right - bar.left, bar.bottom - bar.top, info.dwStyle & WS_CAPTION,
                              info.dwExStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME),
                              SendDlgItemMessageA(popup, ID_TRANSPARENCY_TRACKBAR, TBM_GETPOS, 0, 0)),
              std::make_tuple(-scaled(13), scaled(26), scaled(72) - scaled(36), scaled(26), scaled(108),
                              DWORD(WS_BORDER), DWORD(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME), LRESULT(25)));
    // Its keys apply at once; a click on the clock (the activation) closes it, as Escape does; the value is saved.
    PostMessageA(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), WM_KEYDOWN, VK_END, 0);
    BYTE alpha = 0;
    EXPECT_TRUE(WaitUntil([&] { return GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr) && alpha == 25; }));
    Click({placed.left + scaled(20), (placed.top + placed.bottom) / 2}, VK_SHIFT);  // Shift: no drag follows
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }));
    popup = Opened(w, WM_COMMAND, IDM_TRANSPARENCY, "Transparency TrackBar");
    EXPECT_TRUE(Closed(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(clock.Exit() && SettingValue("All", "Transparency") == "25") << SettingValue("All", "Transparency");
}

}  // namespace
