#include "dates/calendar.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/dialogtemplate.h"
#include "core/messageloop.h"
#include "core/systemlibrary.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"
#include "dates/comctlversion.h"
#include "dates/dates.h"
#include "language/language.h"

ComctlVersionSource COMCTLVERSIONSOURCE = INITCOMCTL32;

namespace {

std::string longDateToday() {
    const LocalClock now = LOCALCLOCKSOURCE();
    return LONGDATETEXT(now.Year, now.Month, now.Day);
}

void closeCalendar(HWND hwnd) {
    // The owner comes back before the calendar goes, so activation returns to it.
    EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
    DestroyWindow(hwnd);
}

}  // namespace

int64_t GETSYSFILEVER(const char* name) {
    const auto sizeOf = SYSTEMFUNCTIONOF<decltype(GetFileVersionInfoSizeA)>("version.dll", "GetFileVersionInfoSizeA");
    const auto read = SYSTEMFUNCTIONOF<decltype(GetFileVersionInfoA)>("version.dll", "GetFileVersionInfoA");
    const auto query = SYSTEMFUNCTIONOF<decltype(VerQueryValueA)>("version.dll", "VerQueryValueA");
    const std::optional<std::string> path = SYSTEMFILEPATH(name);
    if (!sizeOf || !read || !query || !path) return 0;
    DWORD handle = 0;
    const DWORD size = sizeOf(path->c_str(), &handle);
    if (size == 0) return 0;
    std::vector<char> block(size);
    if (!read(path->c_str(), 0, size, block.data())) return 0;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return 0;
    return VERSIONHUNDREDTHS(fixed->dwFileVersionMS);
}

int64_t INITCOMCTL32(int32_t mask) {
    // Released at the end: the program imports COMCTL32.DLL as well, so it stays loaded.
    const UniqueLibrary library(LoadLibraryA("COMCTL32.DLL"));
    if (!library) return 0;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx =
        reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(library.get(), "InitCommonControlsEx")));
    if (initEx) {
        INITCOMMONCONTROLSEX controls{sizeof controls, mask != 0 ? static_cast<DWORD>(mask) : ICC_WIN95_CLASSES};
        initEx(&controls);
    } else {
        InitCommonControls();
    }
    return GETSYSFILEVER("COMCTL32.DLL");
}

const char* COMCTLERRORTEXT() {
    static const std::string text =
        std::string("Sorry, this program needs a later version of COMCTL32.DLL.") + "\r\n" +
        "Please install MSIE version 4 or higher, or get the file directly from: " + "\r\n" + "\r\n" +
        COMCTLDOWNLOADADDRESS;
    return text.c_str();
}

INT_PTR CALLBACK CALENDARPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) {
            closeCalendar(hwnd);
            return TRUE;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wparam & SYSCOMMANDMASK) == SC_CLOSE) {
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            closeCalendar(hwnd);
            return TRUE;
        }
        break;
    case WM_CLOSE: return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header && header->code == MCN_SELCHANGE) {
            const SYSTEMTIME& day = reinterpret_cast<const NMSELCHANGE*>(lparam)->stSelStart;
            SetDlgItemTextA(hwnd, ID_CALENDAR_LABEL, LONGDATETEXT(day.wYear, day.wMonth, day.wDay).c_str());
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: SendDlgItemMessageA(hwnd, ID_CALENDAR_MONTH, msg, wparam, lparam); break;
    }
    return 0;
}

void SHOWCALENDAR(HWND clock) {
    if (COMCTLVERSIONSOURCE(ICC_DATE_CLASSES) < MINIMUM_COMCTL32_VERSION) {
        MessageBoxA(nullptr, COMCTLERRORTEXT(), COMCTLERRORCAPTION, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return;
    }
    DialogTemplate t;
    t.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_DLGFRAME | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE |
              DS_3DLOOK;
    t.ExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
    t.Width = 400;
    t.Height = 212;
    t.Title = LANGTEXT("Calendrier", "Calendar");
    t.Items.push_back(
        {DLGCLASS_STATIC, "", longDateToday(), ID_CALENDAR_LABEL, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 8, 8, 280, 14});
    t.Items.push_back({DLGCLASS_BUTTON, "", LANGTEXT("&Fermer", "&Close"), IDCANCEL,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 340, 6, 50, 14});
    t.Items.push_back({0, MONTHCAL_CLASSA, "", ID_CALENDAR_MONTH, WS_CHILD | WS_VISIBLE | WS_TABSTOP | MCS_MULTISELECT,
                       WS_EX_CLIENTEDGE, 0, 26, 396, 190});
    HWND calendar = CREATEDIALOGWINDOW(t, clock, CALENDARPROC);
    if (!calendar) return;
    const UniqueFont font(CREATEDIALOGFONT(calendar, "Tahoma", 12, FW_BOLD));  // made anew for each opening
    SendDlgItemMessageA(calendar, ID_CALENDAR_LABEL, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    SendDlgItemMessageA(calendar, ID_CALENDAR_MONTH, MCM_SETMAXSELCOUNT, 31, 0);

    RECT w{}, c{};
    GetWindowRect(clock, &w);
    GetClientRect(clock, &c);
    // 413 and 260 pixels at 96 dpi, as many inches at the screen's resolution.
    const int left = w.left + ((w.right - w.left) - (c.right - c.left)) - SCREENPIXELS(413);
    const int top = w.top + ((w.bottom - w.top) - (c.bottom - c.top)) - SCREENPIXELS(260);
    // A clock near the left or top edge would push the calendar off the screen.
    PLACEDIALOGONWORKAREA(calendar, left, top, clock);

    // Modal: the clock keeps ticking (its messages are dispatched by this
    // loop) but takes no input until the calendar has closed.
    EnableWindow(clock, FALSE);
    ShowWindow(calendar, SW_SHOW);
    RUNWINDOWLOOP(calendar);
    EnableWindow(clock, TRUE);
    SetActiveWindow(clock);
    SetFocus(clock);
}
