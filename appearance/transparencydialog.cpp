#include "appearance/transparencydialog.h"

#include <commctrl.h>

#include "appearance/transparencyrules.h"
#include "core/dialogtemplate.h"
#include "core/windowgeometry.h"

namespace {

constexpr DWORD POPUP_STYLE = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
// The trackbar has always been created with the bit 0x4000 as well, a bit
// that the trackbar defines no style for and ignores; it is kept as it was.
constexpr DWORD TRACKBAR_UNUSED_BIT = 0x4000;
constexpr DWORD TRACKBAR_STYLE = WS_CHILD | WS_VISIBLE | TBS_VERT | TBS_BOTH | TBS_NOTICKS | TRACKBAR_UNUSED_BIT;
// In pixels of a 96-dpi screen, scaled to the screen's resolution.
constexpr int CLIENT_WIDTH = 26;
constexpr int CLIENT_HEIGHT = 72;
constexpr int CLIENT_CENTRE_X = 13;
constexpr int CLIENT_CENTRE_Y = 36;
constexpr int TRACKBAR_WIDTH = 26;
constexpr int TRACKBAR_HEIGHT = 108;

// The record the open popup changes, and the popup itself (one at a time).
AppearanceRecord* Record = nullptr;
HWND Popup = nullptr;

// Outer rectangle of a captioned dialog whose client area is centred on the cursor.
RECT popupRectAt(POINT cursor) {
    RECT r{cursor.x - SCREENPIXELS(CLIENT_CENTRE_X), cursor.y - SCREENPIXELS(CLIENT_CENTRE_Y), 0, 0};
    r.right = r.left + SCREENPIXELS(CLIENT_WIDTH);
    r.bottom = r.top + SCREENPIXELS(CLIENT_HEIGHT);
    AdjustWindowRectEx(&r, POPUP_STYLE, FALSE, WS_EX_DLGMODALFRAME);
    return r;
}

}  // namespace

void SHOWTRANSPARENCYDIALOG(AppearanceRecord& record) {
    APPLYLAYEREDATTRIBUTES(record);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (Popup && IsWindow(Popup)) DestroyWindow(Popup);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    DialogTemplate t;
    t.Style = POPUP_STYLE;
    t.Title = "Transparency TrackBar";
    Record = &record;
    HWND popup = CREATEDIALOGWINDOW(t, nullptr, TRANSPARENCYDIALOGPROC);
    if (!popup) return;
    Popup = popup;

    // The size in pixels, fixed while the dialog still has its title bar.
    const RECT r = popupRectAt(cursor);
    SetWindowPos(popup, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The cursor may be near a screen edge: keep the whole popup reachable.
    PLACEDIALOGONWORKAREA(popup, r.left, r.top, nullptr);

    // No title bar and no modal frame, a thin border, no taskbar button.
    LONG style = GetWindowLongA(popup, GWL_STYLE);
    style ^= WS_CAPTION;
    style ^= WS_BORDER;
    style ^= DS_MODALFRAME;
    SetWindowLongA(popup, GWL_STYLE, style);
    // The modal frame's extended bit stays: the outer size was fixed with it,
    // and the client keeps the trackbar's width only with the same frame.
    SetWindowLongA(popup, GWL_EXSTYLE, GetWindowLongA(popup, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    SetWindowPos(popup, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    HWND trackbar = CreateWindowExA(0, TRACKBAR_CLASSA, "", TRACKBAR_STYLE, 0, 0, SCREENPIXELS(TRACKBAR_WIDTH),
                                    SCREENPIXELS(TRACKBAR_HEIGHT), popup,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TRANSPARENCY_TRACKBAR)),
                                    GetModuleHandleA(nullptr), nullptr);
    SendMessageA(trackbar, TBM_SETRANGE, TRUE, MAKELONG(TRACKBAR_MIN, TRACKBAR_MAX));
    SendMessageA(trackbar, TBM_SETPAGESIZE, 0, TRACKBAR_PAGE);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, TRACKBARPOSITION(record.Transparency));

    ShowWindow(popup, SW_SHOW);
    SetForegroundWindow(popup);
    SetFocus(trackbar);  // Home, End, arrows and pages work at once
}

INT_PTR CALLBACK TRANSPARENCYDIALOGPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM) {
    switch (msg) {
    case WM_NCACTIVATE:
        if (wparam == 0) DestroyWindow(hwnd);  // clicked elsewhere: the value stays
        break;
    case WM_COMMAND:
        // Escape (and Enter) close it too, as a keyboard user expects of a
        // popup; the dialog manager turns them into these commands. The value stays.
        if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK) DestroyWindow(hwnd);
        break;
    case WM_VSCROLL: {
        uint8_t value = 0;
        if (Record &&
            TRACKBARTRANSPARENCY(LOWORD(wparam), static_cast<short>(HIWORD(wparam)), Record->Transparency, value)) {
            Record->Transparency = value;
            APPLYLAYEREDATTRIBUTES(*Record);
        }
        break;
    }
    case WM_DESTROY:
        if (Popup == hwnd) Popup = nullptr;
        break;
    }
    return FALSE;
}
