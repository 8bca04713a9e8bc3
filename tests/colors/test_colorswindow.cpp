// The colour and font commands through the clock window of this process and
// the system's real colour and font dialogs.
#include "tests/colors/colortest.h"

using namespace colortest;

namespace {

// How many pixels of the clock's client area, read back from the screen, have each colour.
struct ScreenColors {
    int Text = 0, Back = 0, Total = 0;
};
ScreenColors countScreenColors(HWND clock, COLORREF text, COLORREF back) {
    RECT r{};
    GetClientRect(clock, &r);
    MapWindowPoints(clock, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ScreenColors counts;
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < w * h; ++i) {
        const DWORD p = pixel[i] & 0xFFFFFF;  // 0x00RRGGBB in a DIB
        const COLORREF c = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        counts.Text += c == text;
        counts.Back += c == back;
    }
    counts.Total = w * h;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return counts;
}

// The clock shows exactly these colours: mostly background, and solid text.
void expectPainted(HWND clock, COLORREF text, COLORREF back) {
    Sleep(150);
    const ScreenColors c = countScreenColors(clock, text, back);
    EXPECT_GT(c.Back, c.Total / 2) << std::hex << "background " << back;
    EXPECT_GT(c.Text, 300) << std::hex << "text " << text;
}

// Runs the colour dialog of a command: sets red, green and blue, then OK or Cancel.
void chooseColor(const ClockThread& clock, int command, COLORREF colour, bool ok, POINT* at = nullptr) {
    PostMessageA(clock.Window(), WM_COMMAND, command, 0);
    HWND dialog = waitDialog(clock);
    ASSERT_NE(dialog, nullptr);
    if (at) {
        RECT r{};
        GetWindowRect(dialog, &r);
        *at = POINT{r.left, r.top};
    }
    SetDlgItemInt(dialog, COLOR_EDIT_RED, GetRValue(colour), FALSE);
    SetDlgItemInt(dialog, COLOR_EDIT_GREEN, GetGValue(colour), FALSE);
    SetDlgItemInt(dialog, COLOR_EDIT_BLUE, GetBValue(colour), FALSE);
    PostMessageA(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
    ASSERT_TRUE(waitGone(dialog));
    Sleep(100);  // the command's own steps after the dialog
}

LOGFONTA labelFont(HWND clock, int id) {
    LOGFONTA f{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(clock, id, WM_GETFONT, 0, 0)), sizeof f, &f);
    return f;
}

int labelDpi(HWND clock) {
    HDC dc = GetDC(GetDlgItem(clock, ID_TIME_LABEL));
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(GetDlgItem(clock, ID_TIME_LABEL), dc);
    return dpi;
}

int pointsToHeight(double points, int dpi) { return -static_cast<int>(points * dpi / 72 + 0.5); }

TEST_F(ColorsWindow, ColourCommandsPaintExactlyTheChosenColours) {
    startSettings(nullptr);
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    expectPainted(w, RGB(0, 0, 0), RGB(224, 223, 227));  // the start colours

    POINT at{};
    SetWindowPos(w, nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    chooseColor(clock, IDM_FOREGROUND_COLOR, RGB(200, 30, 40), true, &at);
    EXPECT_EQ(CLOCKAPPEARANCE.FgndCol, static_cast<int32_t>(RGB(200, 30, 40)));
    expectPainted(w, RGB(200, 30, 40), RGB(224, 223, 227));
    RECT clockRect{};
    GetWindowRect(w, &clockRect);
    EXPECT_EQ(at.x, clockRect.left - 240);  // beside the clock, well away from the edges
    EXPECT_EQ(at.y, clockRect.top - 250);

    chooseColor(clock, IDM_BACKGROUND_COLOR, RGB(10, 90, 160), true);
    EXPECT_EQ(CLOCKAPPEARANCE.BgndCol, static_cast<int32_t>(RGB(10, 90, 160)));
    expectPainted(w, RGB(200, 30, 40), RGB(10, 90, 160));

    // The background may not become the text colour, and a cancel keeps the colour.
    chooseColor(clock, IDM_BACKGROUND_COLOR, RGB(200, 30, 40), true);
    EXPECT_EQ(CLOCKAPPEARANCE.BgndCol, static_cast<int32_t>(RGB(10, 90, 160)));
    chooseColor(clock, IDM_FOREGROUND_COLOR, RGB(1, 2, 3), false);
    EXPECT_EQ(CLOCKAPPEARANCE.FgndCol, static_cast<int32_t>(RGB(200, 30, 40)));
    expectPainted(w, RGB(200, 30, 40), RGB(10, 90, 160));

    // A clock near the screen's corner: the dialog stays whole on the work area.
    SetWindowPos(w, nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    chooseColor(clock, IDM_FOREGROUND_COLOR, RGB(0, 128, 0), true, &at);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(at.x, monitor.rcWork.left);
    EXPECT_EQ(at.y, monitor.rcWork.top);
    expectPainted(w, RGB(0, 128, 0), RGB(10, 90, 160));

    // "Default colors" with "Transparent background": the grey becomes the colour key at once.
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_BACKGROUND, 0);
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_COLORS, 0);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(224, 223, 227));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(alpha, 255);
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_BACKGROUND, 0);
    expectPainted(w, RGB(0, 0, 0), RGB(224, 223, 227));
}

TEST_F(ColorsWindow, FontDialogOpensAtWholePointsAndFontsFollowTheSize) {
    startSettings("FontName=Liberation Sans\nFontSize=10.5\nFontAttr=1\n");
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    const int dpi = labelDpi(w);
    EXPECT_EQ(labelFont(w, ID_TIME_LABEL).lfHeight, pointsToHeight(42, dpi));
    EXPECT_EQ(labelFont(w, ID_DATE_LABEL).lfHeight, pointsToHeight(10.5, dpi));
    EXPECT_EQ(labelFont(w, ID_DATE_LABEL).lfWeight, 700);

    PostMessageA(w, WM_COMMAND, IDM_CHOOSE_FONT, 0);
    HWND dialog = waitDialog(clock);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return harness::WindowText(GetDlgItem(dialog, FONT_SIZE_COMBO)) == "10"; }, 2000))
        << harness::WindowText(GetDlgItem(dialog, FONT_SIZE_COMBO));
    // (a face of the system's own: the font dialog under Wine lists no Tahoma)
    EXPECT_EQ(harness::WindowText(GetDlgItem(dialog, FONT_FACE_COMBO)), "Liberation Sans");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitGone(dialog));
    // Confirmed as preset: whole points and regular weight.
    EXPECT_TRUE(WaitUntil([] { return CLOCKAPPEARANCE.FontSize == 10 && CLOCKAPPEARANCE.FontAttr == 0; }, 2000));
    EXPECT_STREQ(CLOCKAPPEARANCE.FontName, "Liberation Sans");
    EXPECT_TRUE(WaitUntil([&] { return labelFont(w, ID_TIME_LABEL).lfHeight == pointsToHeight(40, dpi); }, 2000));
    EXPECT_EQ(labelFont(w, ID_TIME_LABEL).lfWeight, 400);

    // "Default font": Tahoma 12 bold, 48 points for the time; the old fonts are released.
    HFONT before = reinterpret_cast<HFONT>(SendDlgItemMessageA(w, ID_TIME_LABEL, WM_GETFONT, 0, 0));
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_FONT, 0);
    const LOGFONTA time = labelFont(w, ID_TIME_LABEL), date = labelFont(w, ID_DATE_LABEL);
    EXPECT_EQ(time.lfHeight, pointsToHeight(48, dpi));
    EXPECT_EQ(date.lfHeight, pointsToHeight(12, dpi));
    EXPECT_EQ(time.lfWeight, 700);
    EXPECT_STREQ(date.lfFaceName, "Tahoma");
    EXPECT_EQ(GetObjectType(before), 0u);

    // A huge size from a damaged file is held at 200 points; 0 counts as 8.
    const struct {
        float size;
        double points;
    } sizes[] = {{3.0e38f, 200}, {0, 8}};
    for (const auto& s : sizes) {
        CLOCKAPPEARANCE.FontSize = s.size;
        PostMessageA(w, WM_COMMAND, IDM_CHOOSE_FONT, 0);  // cancelled: the same fonts are rebuilt
        HWND d = waitDialog(clock);
        ASSERT_NE(d, nullptr);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitGone(d));
        EXPECT_TRUE(WaitUntil([&] { return labelFont(w, ID_DATE_LABEL).lfHeight == pointsToHeight(s.points, dpi); }, 2000))
            << s.size;
        EXPECT_EQ(labelFont(w, ID_TIME_LABEL).lfHeight, pointsToHeight(s.points * 4, dpi)) << s.size;
    }
}

}  // namespace
