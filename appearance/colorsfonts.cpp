#include "appearance/colorsfonts.h"

#include <commdlg.h>

#include <cstring>

#include "appearance/fontrules.h"
#include "appearance/clockface.h"
#include "core/systemlibrary.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"

namespace {

const int LABELS[] = {ID_TIME_LABEL, ID_DATE_LABEL};  // the time label first

// The fonts made here for the labels, in the order of LABELS; a label's
// earlier font goes when its new one is set.
UniqueFont LabelFonts[2];

// The colours last applied and the background brush painted with them.
struct PaintColors {
    UniqueBrush Brush;
    COLORREF Text = 0;
    COLORREF Back = 0;
} Painted;

// At the clock window's own resolution, so that the labels keep their
// proportion to the window, which is sized in its dialog units.
HFONT createLabelFont(const AppearanceRecord& record, double dpi, float points) {
    LOGFONTA font{};
    font.lfHeight = FONTHEIGHT(points, dpi);
    font.lfWeight = FONTWEIGHT(record.FontAttr);
    font.lfItalic = (record.FontAttr & FONTATTR_ITALIC) ? 1 : 0;
    font.lfUnderline = (record.FontAttr & FONTATTR_UNDERLINE) ? 1 : 0;
    font.lfStrikeOut = (record.FontAttr & FONTATTR_STRIKEOUT) ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, record.FontName, FONT_FACE_CHARS);
    font.lfFaceName[FONT_FACE_CHARS] = 0;
    return CreateFontIndirectA(&font);
}

// The top-left corner the font and colour dialogs open at, kept reachable.
void placeBesideClock(HWND dialog, HWND clock) {
    RECT r{};
    GetWindowRect(clock, &r);
    PLACEDIALOGONWORKAREA(dialog, r.left - SCREENPIXELS(DIALOG_OFFSET_LEFT), r.top - SCREENPIXELS(DIALOG_OFFSET_UP),
                          clock);
    SetForegroundWindow(dialog);
}

UINT_PTR CALLBACK fontDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lparam) {
    if (msg == WM_INITDIALOG) {
        placeBesideClock(dialog, reinterpret_cast<const CHOOSEFONTA*>(lparam)->hwndOwner);
        return TRUE;
    }
    return 0;
}

UINT_PTR CALLBACK colorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lparam) {
    if (msg == WM_INITDIALOG) {
        placeBesideClock(dialog, reinterpret_cast<const CHOOSECOLORA*>(lparam)->hwndOwner);
        return TRUE;
    }
    return 0;
}

}  // namespace

void APPLYCLOCKFONT(AppearanceRecord& record) {
    const float points = LABELPOINTS(record.FontSize);
    const double dpi = DIALOGDPI(record.Window);
    for (int i = 0; i < 2; ++i) {
        HWND label = GetDlgItem(record.Window, LABELS[i]);
        UniqueFont font(label ? createLabelFont(record, dpi, i == 0 ? points * TIME_LABEL_SCALE : points) : nullptr);
        if (!font) continue;  // the label keeps the font it has
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        LabelFonts[i] = std::move(font);
    }
}

void APPLYCLOCKCOLORS(AppearanceRecord& record) {
    const COLORREF back = PAINTEDCOLOR(record.BgndCol);
    if (!Painted.Brush || Painted.Back != back) {
        if (UniqueBrush brush{CreateSolidBrush(back)}) {
            Painted.Brush = std::move(brush);
            Painted.Back = back;
        }
    }
    Painted.Text = PAINTEDCOLOR(record.FgndCol);
    RedrawWindow(record.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void SETDEFAULTFONT(AppearanceRecord& record) { DEFAULTFONTSETTINGS(record); }

void SETDEFAULTCOLORS(AppearanceRecord& record) { DEFAULTCOLORSETTINGS(record); }

void CHOOSECLOCKFONT(AppearanceRecord& record) {
    LOGFONTA font{};
    font.lfHeight = FONTDIALOGHEIGHT(record.FontSize, SCREENDPI());
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, record.FontName, FONT_FACE_CHARS);
    font.lfFaceName[FONT_FACE_CHARS] = 0;

    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = record.Window;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_NOSIMULATIONS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    dialog.lpfnHook = fontDialogHook;
    const auto chooseFont = SYSTEMFUNCTIONOF<decltype(ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    if (!chooseFont || !chooseFont(&dialog) || font.lfFaceName[0] == 0) return;

    std::memset(record.FontName, 0, sizeof record.FontName);
    std::memcpy(record.FontName, font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName - 1));
    record.FontSize = CHOSENFONTSIZE(dialog.iPointSize);
    record.FontAttr = CHOSENFONTATTR(font.lfWeight, font.lfItalic, font.lfUnderline, font.lfStrikeOut);
}

int32_t CHOOSECLOCKCOLOR(const char* which, AppearanceRecord& record) {
    const ColorRole role = COLORROLE(CLOCKCOLORNAMED(which), record);
    static_assert(sizeof record.CustomColors[0] == sizeof(COLORREF), "the dialog edits the table in place");
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = record.Window;
    dialog.rgbResult = PAINTEDCOLOR(role.Current);
    dialog.lpCustColors = reinterpret_cast<COLORREF*>(record.CustomColors);
    dialog.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    dialog.lpfnHook = colorDialogHook;
    const auto chooseColor = SYSTEMFUNCTIONOF<decltype(ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    const bool confirmed = chooseColor && chooseColor(&dialog) != FALSE;
    const int32_t result = CHOSENCOLOR(role, confirmed, static_cast<int32_t>(dialog.rgbResult));
    SetFocus(record.Window);
    return result;
}

INT_PTR CLOCKCOLORMESSAGE(AppearanceRecord& record, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (!Painted.Brush) return 0;  // colours not applied yet: the system's own
    switch (msg) {
    case WM_CTLCOLORDLG:
        if (reinterpret_cast<HWND>(lparam) != record.Window) return 0;
        return reinterpret_cast<INT_PTR>(Painted.Brush.get());
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
        if (GetParent(reinterpret_cast<HWND>(lparam)) != record.Window || (id != ID_TIME_LABEL && id != ID_DATE_LABEL))
            return 0;
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, Painted.Text);
        SetBkColor(dc, Painted.Back);
        SetBkMode(dc, OPAQUE);
        return reinterpret_cast<INT_PTR>(Painted.Brush.get());
    }
    }
    return 0;
}
