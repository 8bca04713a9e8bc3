// Colours and fonts on the clock window of this process, through the
// system's real colour and font dialogs; the painted colours are read back
// from the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "appearance/appearancemenu.h"
#include "clock/clockwindow.h"
#include "tests/support/winharness.h"

namespace {

AppearanceRecord& Rec = CLOCKAPPEARANCE;
constexpr int COLOR_RED = 706, COLOR_GREEN = 707, COLOR_BLUE = 708, COLOR_ADD = 712, FONT_SIZE_COMBO = 0x472;

// The clock's client area as the screen shows it: solid text on a background
// that fills most of it.
bool painted(HWND clock, COLORREF text, COLORREF back) {
    return WaitUntil([&] {
        SIZE size{};
        const std::vector<COLORREF> pixels = ClientPixels(clock, size);
        return std::count(pixels.begin(), pixels.end(), text) > 300 &&
               std::count(pixels.begin(), pixels.end(), back) > size.cx * size.cy / 2;
    });
}

LOGFONTA fontOf(HWND clock, int id) {
    LOGFONTA f{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(clock, id, WM_GETFONT, 0, 0)), sizeof f, &f);
    return f;
}

TEST(ColorsWindow, ColourDialogsPaintExactlyTheChosenColours) {
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    EXPECT_TRUE(painted(w, RGB(0, 0, 0), RGB(224, 223, 227)));
    // Confirmed or cancelled; where the dialog opens is the scaling test's.
    const struct {
        int command;
        COLORREF chosen;
        bool ok;
        COLORREF text, back;  // afterwards
    } steps[] = {{IDM_FOREGROUND_COLOR, RGB(200, 30, 40), true, RGB(200, 30, 40), RGB(224, 223, 227)},
                 {IDM_BACKGROUND_COLOR, RGB(10, 90, 160), true, RGB(200, 30, 40), RGB(10, 90, 160)},
                 {IDM_FOREGROUND_COLOR, RGB(0, 128, 0), false, RGB(200, 30, 40), RGB(10, 90, 160)}};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << std::hex << s.chosen);
        PostMessageA(w, WM_COMMAND, s.command, 0);
        HWND dialog = WaitWindow(nullptr, w);
        ASSERT_NE(dialog, nullptr);
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(s.chosen), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(s.chosen), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(s.chosen), FALSE);
        SendMessageA(dialog, WM_COMMAND, COLOR_ADD, 0);  // a custom colour defined on the way
        PostMessageA(dialog, WM_COMMAND, s.ok ? IDOK : IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(painted(w, s.text, s.back));
        EXPECT_EQ(std::make_pair(Rec.FgndCol, Rec.BgndCol), std::make_pair(int32_t(s.text), int32_t(s.back)));
    }
    // "Default colors" with "Transparent background": the grey is the colour key at once.
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_BACKGROUND, 0);
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_COLORS, 0);
    COLORREF key = 0;
    GetLayeredWindowAttributes(w, &key, nullptr, nullptr);
    EXPECT_EQ(key, RGB(224, 223, 227));
    // The custom colours edited in the dialog, a cancelled one too, reach the file.
    EXPECT_TRUE(clock.Exit());
    EXPECT_EQ(SettingValue("Custom", "CustomColorC00"), std::to_string(RGB(0, 128, 0)));
}

TEST(ColorsWindow, FontsFollowTheChoice) {
    WriteSettings("[All]\r\nFontName=Liberation Sans\r\nFontSize=10.5\r\nFontAttr=1\r\n");
    ClockThread clock;
    HWND w = clock.Window();
    HDC dc = GetDC(w);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(w, dc);
    const auto pixels = [dpi](double points) { return -static_cast<LONG>(points * dpi / 72 + 0.5); };
    EXPECT_EQ(std::make_pair(fontOf(w, ID_TIME_LABEL).lfHeight, fontOf(w, ID_DATE_LABEL).lfHeight),
              std::make_pair(pixels(42), pixels(10.5)));
    EXPECT_EQ(fontOf(w, ID_DATE_LABEL).lfWeight, 700);

    // The dialog opens at whole points and regular weight; confirmed as it
    // opened. (A face of the system's own: Wine's font dialog lists no Tahoma.)
    PostMessageA(w, WM_COMMAND, IDM_CHOOSE_FONT, 0);
    HWND dialog = WaitWindow(nullptr, w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return LabelText(dialog, FONT_SIZE_COMBO) == "10"; }));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return fontOf(w, ID_TIME_LABEL).lfHeight == pixels(40); }));
    EXPECT_EQ(
        std::make_tuple(std::string(Rec.FontName), Rec.FontSize, int(Rec.FontAttr), fontOf(w, ID_TIME_LABEL).lfWeight),
        std::make_tuple(std::string("Liberation Sans"), 10.0f, 0, 400L));

    // "Default font" releases the fonts it replaces; with no font to be had, the
    // labels keep theirs.
    const HGDIOBJ before = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(w, ID_TIME_LABEL, WM_GETFONT, 0, 0));
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_FONT, 0);
    EXPECT_EQ(std::make_tuple(fontOf(w, ID_TIME_LABEL).lfHeight, fontOf(w, ID_DATE_LABEL).lfHeight,
                              std::string(fontOf(w, ID_DATE_LABEL).lfFaceName), GetObjectType(before)),
              std::make_tuple(pixels(48), pixels(12), std::string("Tahoma"), DWORD(0)));
    const auto fonts = [w] {
        return std::make_pair(SendDlgItemMessageA(w, ID_TIME_LABEL, WM_GETFONT, 0, 0),
                              SendDlgItemMessageA(w, ID_DATE_LABEL, WM_GETFONT, 0, 0));
    };
    const auto kept = fonts();
    std::vector<HFONT> hog;
    LOGFONTA any{};
    for (HFONT f; hog.size() < 200000 && (f = CreateFontIndirectA(&any));) hog.push_back(f);
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_FONT, 0);
    EXPECT_EQ(fonts(), kept);
    for (HFONT f : hog) DeleteObject(f);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(kept.first)), DWORD(OBJ_FONT));
}

}  // namespace
