#include "core/windowgeometry.h"

#include <cmath>
#include <cstdlib>

#include "core/dialogunits.h"
#include "core/placement.h"

void DLGUNITSTOPIXELS(HWND window, int32_t& x, int32_t& y) {
    RECT r{x, y, x, y};
    if (!MapDialogRect(window, &r)) {
        x = y = 0;
        return;
    }
    x = r.left;
    y = r.top;
}

void PIXELSTODLGUNITS(HWND window, int32_t& x, int32_t& y) {
    RECT r{0, 0, 1024, 1024};
    if (!MapDialogRect(window, &r)) {
        x = y = 0;
        return;
    }
    x = PIXELSTOUNITS(x, r.right);
    y = PIXELSTOUNITS(y, r.bottom);
}

void GETWINDOWLOCATION(HWND window, int32_t& left, int32_t& top) {
    RECT r{};
    GetWindowRect(window, &r);
    left = r.left;
    top = r.top;
    PIXELSTODLGUNITS(window, left, top);
}

void GETWINDOWSIZE(HWND window, int32_t& width, int32_t& height) {
    RECT r{};
    GetWindowRect(window, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    PIXELSTODLGUNITS(window, width, height);
}

void SETWINDOWLOCATION(HWND window, int32_t left, int32_t top) {
    DLGUNITSTOPIXELS(window, left, top);
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SETWINDOWSIZE(HWND window, int32_t width, int32_t height) {
    DLGUNITSTOPIXELS(window, width, height);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

bool REACHABLEONSCREEN(const RECT& outer) {
    constexpr LONG GRIPPIXELS = 16;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromRect(&outer, MONITOR_DEFAULTTONULL);
    RECT piece{};
    return monitor && GetMonitorInfoA(monitor, &info) && IntersectRect(&piece, &outer, &info.rcMonitor) &&
           piece.right - piece.left >= GRIPPIXELS && piece.bottom - piece.top >= GRIPPIXELS;
}

int SCREENDPI() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int32_t SCREENPIXELS(int32_t pixels) { return SCALEDPIXELS(pixels, SCREENDPI()); }

void SETWINDOWICONS(HWND window, const char* name, UniqueIcon& big, UniqueIcon& small) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    big.reset(static_cast<HICON>(
        LoadImageA(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    small.reset(static_cast<HICON>(
        LoadImageA(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
}

void OUTERSIZEAROUND(HWND window, int32_t& width, int32_t& height) {
    DLGUNITSTOPIXELS(window, width, height);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const int32_t outerWidth = r.right - r.left, outerHeight = r.bottom - r.top;
    width = outerWidth, height = outerHeight;
    PIXELSTODLGUNITS(window, width, height);
    int32_t backWidth = width, backHeight = height;
    DLGUNITSTOPIXELS(window, backWidth, backHeight);
    width += backWidth < outerWidth;
    height += backHeight < outerHeight;
}

double DIALOGDPI(HWND dialog) {
    const int screen = SCREENDPI();
    RECT cell{0, 0, 4, 8};  // one character of the dialog font: its height in pixels
    LOGFONTA font{};
    const auto own = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (screen <= 0 || !MapDialogRect(dialog, &cell) || !own || !GetObjectA(own, sizeof font, &font)) return screen;
    // The same font as a 96-dpi screen makes it, from its size in whole points.
    const int points = static_cast<int>(std::lround(std::abs(font.lfHeight) * 72.0 / screen));
    font.lfHeight = -MulDiv(points, 96, 72);
    const UniqueFont reference(CreateFontIndirectA(&font));
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, reference.get());
    TEXTMETRICA metrics{};
    const bool measured = reference && GetTextMetricsA(dc, &metrics) && metrics.tmHeight > 0;
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return measured ? 96.0 * cell.bottom / metrics.tmHeight : screen;
}

HFONT CREATEDIALOGFONT(HWND dialog, const char* face, double points, LONG weight) {
    LOGFONTA font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * DIALOGDPI(dialog) / 72.0));
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void PLACEDIALOGONWORKAREA(HWND dialog, int left, int top, HWND neighbour) {
    RECT r{};
    GetWindowRect(dialog, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    HMONITOR where = neighbour ? MonitorFromWindow(neighbour, MONITOR_DEFAULTTONEAREST)
                               : MonitorFromPoint(POINT{left, top}, MONITOR_DEFAULTTONEAREST);
    int32_t x = left, y = top;
    if (GetMonitorInfoA(where, &monitor)) {
        const PlaceRect area{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
        KEEPONWORKAREA(x, y, r.right - r.left, r.bottom - r.top, area);
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
