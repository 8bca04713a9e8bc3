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
#include <string>
#include <tuple>
#include <utility>

#include "appearance/appearancemenu.h"
#include "appearance/transparencydialog.h"
#include "appearance/clockface.h"
#include "calculator/calculatorwindow.h"
#include "clock/clockwindow.h"
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

// Whether the control's font, line for line, fits the control's height.
bool textFits(HWND control) {
    RECT inside{};
    GetClientRect(control, &inside);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmHeight > 0 && metrics.tmHeight <= inside.bottom;
}

// The rows of the clock's client area that hold the time's and the date's
// pixels (any that is not the background), split at the date label's top.
struct Face {
    int Height = 0, DateLabel = 0;
    std::pair<int, int> Time{-1, -1}, Date{-1, -1};
    bool AtTheSides = false;  // text in the first or the last column
    double share(const std::pair<int, int>& rows) const { return double(rows.second - rows.first + 1) / Height; }
};

Face faceOf(HWND clock) {
    RECT label = windowRect(GetDlgItem(clock, ID_DATE_LABEL));
    MapWindowPoints(nullptr, clock, reinterpret_cast<POINT*>(&label), 2);
    Face f;
    harness::WaitUntil([&] {
        SIZE size{};
        const std::vector<COLORREF> pixels = harness::ClientPixels(clock, size);
        f = Face{size.cy, label.top};
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                if (pixels[y * size.cx + x] == COLORREF(CLOCKAPPEARANCE.BgndCol)) continue;
                auto& rows = y < label.top ? f.Time : f.Date;
                rows = {rows.first < 0 ? y : rows.first, y};
                f.AtTheSides |= x == 0 || x == size.cx - 1;
            }
        return f.Time.first >= 0 && f.Date.first >= 0;
    });
    return f;
}

// The whole time and the whole date: nothing cut by the client area's edges
// or at the end of the time label, a row of plain background under the date.
void expectWhole(const Face& f, const char* which) {
    EXPECT_TRUE(f.Time.first > 0 && f.Time.second < f.DateLabel - 1 && f.Date.second < f.Height - 1 && !f.AtTheSides)
        << which << ": time in rows " << f.Time.first << ".." << f.Time.second << ", date in " << f.Date.first << ".."
        << f.Date.second << " of " << f.Height << ", the date label from " << f.DateLabel;
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
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH)),
        reference = program + ".96dpi", settings96 = harness::SettingsPath() + ".96dpi";

    // The manifest's common controls 6 are in use: the library of the
    // side-by-side assembly. (Wine's reports version 5.81, like its other one.)
    const std::string comctl(path, GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << comctl;

    // A settings file saved at 96 dpi shows the whole clock here too.
    if (dpi != 96) {
        std::ifstream in(settings96, std::ios::binary);
        ASSERT_TRUE(in) << "the 96-dpi run leaves " << settings96;
        harness::WriteSettings(std::string(std::istreambuf_iterator<char>(in), {}));
        harness::ClockThread clock;
        expectWhole(faceOf(clock.Window()), "the file saved at 96 dpi");
    }

    // The first start: the template's whole client area, the time and the
    // date whole in it, in the proportions of the 96-dpi clock.
    harness::WriteSettings("");
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    RECT client{}, face{0, 0, FACEWIDTH, FACEHEIGHT}, more{0, 0, FACEWIDTH + 1, FACEHEIGHT + 1};
    GetClientRect(w, &client);
    MapDialogRect(w, &face), MapDialogRect(w, &more);
    EXPECT_TRUE(client.right >= face.right && client.bottom >= face.bottom && client.right <= more.right &&
                client.bottom <= more.bottom)
        << client.right << "x" << client.bottom << " for a face of " << face.right << "x" << face.bottom;
    const Face f = faceOf(w);
    expectWhole(f, "the first start");
    std::printf("%d dpi: the time %.4f, the date %.4f of the client area's height\n", dpi, f.share(f.Time),
                f.share(f.Date));
    if (dpi == 96) {
        std::ofstream(reference) << f.share(f.Time) << " " << f.share(f.Date);
        CopyFileA(harness::SettingsPath().c_str(), settings96.c_str(), FALSE);  // as the first start saved it
    } else {
        double time = 0, date = 0;
        ASSERT_TRUE(std::ifstream(reference) >> time >> date) << "the 96-dpi run leaves " << reference;
        EXPECT_NEAR(f.share(f.Time) / time, 1.0, 0.05) << "the time's share at 96 dpi: " << time;
        EXPECT_NEAR(f.share(f.Date) / date, 1.0, 0.05) << "the date's share at 96 dpi: " << date;
    }
    const SIZE small = iconSize(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(std::make_pair(int(small.cx), int(small.cy)),
              std::make_pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));

    // The calendar 413 x 260 pixels at 96 dpi up and left of the client area,
    // with the clock placed where that leaves it whole; its date line whole.
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
    EXPECT_TRUE(textFits(GetDlgItem(calendar, ID_CALENDAR_LABEL)));
    PostMessageA(calendar, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(calendar); }));

    // The colour dialog 240 x 250 pixels at 96 dpi up and left of the clock.
    PostMessageA(w, WM_COMMAND, IDM_FOREGROUND_COLOR, 0);
    HWND colours = harness::WaitWindow(nullptr, w);
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(std::make_pair(windowRect(colours).left, windowRect(colours).top),
              std::make_pair(placed.left - scaled(240), placed.top - scaled(250)));
    PostMessageA(colours, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(colours); }));

    // The calculator's input and result lines hold their text.
    PostMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    HWND calc = harness::WaitWindow(CALCULATORTITLE);
    ASSERT_NE(calc, nullptr);
    EXPECT_TRUE(textFits(GetDlgItem(calc, ID_CALC_INPUT)) && textFits(GetDlgItem(calc, ID_CALC_RESULT)));
    PostMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(calc); }));

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
