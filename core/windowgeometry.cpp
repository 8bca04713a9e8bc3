#include "core/windowgeometry.h"

#include "core/dialogunits.h"

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
