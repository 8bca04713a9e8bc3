#include "calculator/calculatorwindow.h"

#include <memory>
#include <string>

#include "calculator/calcwindowstate.h"
#include "core/dialogtemplate.h"
#include "core/messageloop.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"

namespace {

// What one window owns, kept in its DWLP_USER slot and freed with it.
struct CalculatorWindow {
    CalculatorState State;
    UniqueFont Font;
    UniqueIcon BigIcon, SmallIcon;
};

CalculatorWindow* windowData(HWND hwnd) {
    return reinterpret_cast<CalculatorWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

std::string controlText(HWND hwnd, int id) {
    HWND control = GetDlgItem(hwnd, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    const int n = GetWindowTextA(control, &text[0], static_cast<int>(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

void sizeControl(HWND hwnd, int id, int32_t width, int32_t height) {
    DLGUNITSTOPIXELS(hwnd, width, height);
    SetWindowPos(GetDlgItem(hwnd, id), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

// Never smaller than 200 x 76 units; the controls follow the outer size.
void layout(HWND hwnd) {
    int32_t width = 0, height = 0;
    GETWINDOWSIZE(hwnd, width, height);
    const CalculatorLayout l = CALCULATORLAYOUT(width, height);
    if (l.Width != width || l.Height != height) SETWINDOWSIZE(hwnd, l.Width, l.Height);
    sizeControl(hwnd, ID_CALC_INPUT, l.InputWidth, l.InputHeight);
    sizeControl(hwnd, ID_CALC_RESULT, l.ResultWidth, l.ResultHeight);
    sizeControl(hwnd, ID_CALC_HISTORY, l.HistoryWidth, l.HistoryHeight);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void inputChanged(HWND hwnd, CalculatorWindow& data) {
    std::string input = controlText(hwnd, ID_CALC_INPUT);
    for (;;) {
        const CalculatorUpdate update = CALCINPUTCHANGED(
            data.State, input, input.find("\r\n") != std::string::npos ? controlText(hwnd, ID_CALC_HISTORY) : "");
        if (update.SetHistory) SetDlgItemTextA(hwnd, ID_CALC_HISTORY, update.History.c_str());
        if (update.SetResult) SetDlgItemTextA(hwnd, ID_CALC_RESULT, update.Result.c_str());
        if (!update.SetInput) return;
        HWND edit = GetDlgItem(hwnd, ID_CALC_INPUT);
        SetWindowTextA(edit, update.Input.c_str());
        const LPARAM end = static_cast<LPARAM>(update.Input.size());
        SendMessageA(edit, EM_SETSEL, end, end);
        // A multiline edit sends no EN_CHANGE for text set this way; the text
        // put back (a pasted expression without its line breaks) is evaluated
        // here, as any change of the input is.
        if (update.Input.empty()) return;
        input = update.Input;
    }
}

}  // namespace

INT_PTR CALLBACK CALCULATORPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    try {
        switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
            SetForegroundWindow(hwnd);
            SetFocus(GetDlgItem(hwnd, ID_CALC_INPUT));
            return FALSE;  // the focus is set
        case WM_SIZE:
            if ((wparam == SIZE_RESTORED || wparam == SIZE_MAXIMIZED) && GetDlgItem(hwnd, ID_CALC_HISTORY))
                layout(hwnd);
            break;
        case WM_COMMAND:
            if (LOWORD(wparam) == ID_CALC_INPUT && HIWORD(wparam) == EN_CHANGE) {
                if (CalculatorWindow* data = windowData(hwnd)) inputChanged(hwnd, *data);
            }
            break;
        case WM_NCDESTROY: {
            const std::unique_ptr<CalculatorWindow> data(windowData(hwnd));  // its font and icons go with it
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            break;
        }
        }
        if (DIALOGCLOSEDEFAULTS(hwnd, msg, wparam)) return TRUE;
    } catch (...) {
        // Nothing may escape into the dialog manager; the window stays usable.
    }
    return 0;
}

void SHOWCALCULATOR(HWND owner) {
    DialogTemplate t;
    t.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | DS_SETFONT | DS_CENTER |
              DS_NOFAILCREATE | DS_3DLOOK;
    t.Width = 264;
    t.Height = 96;
    t.Title = CALCULATORTITLE;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    t.Items.push_back({DLGCLASS_EDIT, "", "", ID_CALC_INPUT, child | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                       WS_EX_CLIENTEDGE, 2, 5, 255, 15});
    t.Items.push_back({DLGCLASS_STATIC, "", "", ID_CALC_RESULT, child | SS_LEFTNOWORDWRAP, 0, 2, 20, 255, 15});
    t.Items.push_back(
        {DLGCLASS_EDIT, "", "", ID_CALC_HISTORY, child | ES_MULTILINE | ES_READONLY | WS_VSCROLL, 0, 2, 35, 255, 40});
    auto owned = std::make_unique<CalculatorWindow>();
    CalculatorWindow& data = *owned;
    HWND hwnd = CREATEDIALOGWINDOW(t, owner, CALCULATORPROC, reinterpret_cast<LPARAM>(owned.get()));
    if (!hwnd) return;  // no window, no WM_INITDIALOG: it is still ours to free
    owned.release();    // the window's now, until WM_NCDESTROY
    SETWINDOWICONS(hwnd, "ICO2", data.BigIcon, data.SmallIcon);
    data.Font.reset(CREATEDIALOGFONT(hwnd, "Tahoma", 12, FW_NORMAL));
    for (int id : {ID_CALC_INPUT, ID_CALC_RESULT, ID_CALC_HISTORY})
        SendDlgItemMessageA(hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(data.Font.get()), TRUE);
    layout(hwnd);  // the history box is H-64 high before the window is first seen
    ShowWindow(hwnd, SW_SHOW);
    RUNWINDOWLOOP(hwnd);
}
