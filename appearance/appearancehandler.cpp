// Appearance handler: the menu's commands, the settings at start and end,
// the window modes, transparency and the notification-area icon.
#include "appearance/appearancerecord.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "appearance/appearancemenu.h"
#include "appearance/clockface.h"
#include "appearance/colorsfonts.h"
#include "appearance/settingsio.h"
#include "appearance/transparencydialog.h"
#include "appearance/windowmodes.h"
#include "appearance/windowplace.h"
#include "core/messageloop.h"
#include "core/windowgeometry.h"
#include "language/aboutbox.h"

namespace {

// The styles every start begins from: a popup dialog with a caption and a
// system menu, a tool window; the window modes then change them.
constexpr DWORD BASE_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                             DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr DWORD BASE_EXSTYLE = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW;

// What SetTimer returned for the auto-save timer; 0 while none is set.
UINT_PTR SaveTimer = 0;

void toggleStyle(HWND window, int which, LONG bits) {
    SetWindowLongA(window, which, GetWindowLongA(window, which) ^ bits);
}

void addStyle(HWND window, int which, LONG bits) {
    SetWindowLongA(window, which, GetWindowLongA(window, which) | bits);
}

// Moves and sizes the window to the record's geometry; the frame follows the
// style bits switched just before.
void moveAndSize(const AppearanceRecord& record) {
    SETWINDOWLOCATION(record.Window, record.Left, record.Top);
    SETWINDOWSIZE(record.Window, record.Width, record.Height);
    SetWindowPos(record.Window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void trayIcon(AppearanceRecord& record) { Shell_NotifyIconA(record.SysTray ? NIM_ADD : NIM_DELETE, &record.TrayIcon); }

// What the shell sends every top-level window when its taskbar comes back
// (Explorer restarted after a crash): the notification area starts empty.
UINT taskbarCreated() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

POINT cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

// At start only: a damaged or stale file must not leave the clock too small
// to show its whole face, or on a monitor that is no longer there, or with
// too little of it on the screen to take hold of.
void keepReachable(AppearanceRecord& record) {
    HWND w = record.Window;
    int32_t screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN), screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    PIXELSTODLGUNITS(w, screenWidth, screenHeight);
    int32_t faceWidth = FACEWIDTH, faceHeight = FACEHEIGHT;
    OUTERSIZEAROUND(w, faceWidth, faceHeight);
    HOLDWINDOWSIZE(record, faceWidth, faceHeight, screenWidth, screenHeight);

    int32_t left = record.Left, top = record.Top, width = record.Width, height = record.Height;
    DLGUNITSTOPIXELS(w, left, top);
    DLGUNITSTOPIXELS(w, width, height);
    const RECT r{left, top, static_cast<LONG>(std::min<long long>(INT_MAX, 0LL + left + width)),
                 static_cast<LONG>(std::min<long long>(INT_MAX, 0LL + top + height))};
    if (REACHABLEONSCREEN(r)) return;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
    UnitRect area{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    PIXELSTODLGUNITS(w, area.Left, area.Top);
    PIXELSTODLGUNITS(w, area.Right, area.Bottom);
    PULLINTOAREA(record, false, area);
}

// Styles, topmost state, title bar, taskbar state and geometry from the
// loaded record; the window is hidden meanwhile.
void applyWindowModes(AppearanceRecord& record) {
    HWND w = record.Window;
    ShowWindow(w, SW_HIDE);
    // WS_VISIBLE comes with SW_SHOW at the end: set here by hand it would mark
    // the hidden window as shown, and SW_SHOW would then do nothing.
    SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(BASE_STYLE & ~WS_VISIBLE));
    SetWindowLongA(w, GWL_EXSTYLE, static_cast<LONG>(BASE_EXSTYLE));
    if (record.MinBox) addStyle(w, GWL_STYLE, WS_MINIMIZEBOX);
    if (record.MaxBox) addStyle(w, GWL_STYLE, WS_MAXIMIZEBOX);
    if (record.SizeBox) addStyle(w, GWL_STYLE, WS_THICKFRAME);
    SETCHECKMARK(record, IDM_ON_TOP, record.OnTop);
    PLACEINBAND(record);
    SETCHECKMARK(record, IDM_CAPTION, record.Caption);
    if (!record.Caption) toggleStyle(w, GWL_STYLE, WS_CAPTION);
    SETCHECKMARK(record, IDM_TASKBAR, record.TaskBar);
    if (record.TaskBar) toggleStyle(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    REMOVECAPTIONALLOWANCE(record);
    keepReachable(record);
    moveAndSize(record);
    ShowWindow(w, SW_SHOW);
}

void initialise(AppearanceRecord& record) {
    // A clock started with administrator rights (by an elevated installer, say)
    // would not hear of a restarted taskbar otherwise: Windows keeps that
    // message from elevated windows unless they let it in.
    ChangeWindowMessageFilterEx(record.Window, taskbarCreated(), MSGFLT_ALLOW, nullptr);
    BUILDAPPEARANCEMENUS(record);
    APPEARANCESETTINGS("get", record);
    applyWindowModes(record);
    SETCHECKMARK(record, IDM_SYSTRAY, record.SysTray);
    trayIcon(record);
    APPLYCLOCKFONT(record);
    APPLYCLOCKCOLORS(record);
    addStyle(record.Window, GWL_EXSTYLE, WS_EX_LAYERED);
    SETCHECKMARK(record, IDM_TRANSPARENT_FONTS, record.FgndTrspt);
    SETCHECKMARK(record, IDM_TRANSPARENT_BACKGROUND, record.BgndTrspt);
    APPLYLAYEREDATTRIBUTES(record);
    SaveTimer = SetTimer(record.Window, ID_SAVE_TIMER, SAVE_PERIOD_MS, nullptr);
    PostMessageA(record.Window, WM_TIMER, ID_SAVE_TIMER, 0);  // a first save right after the start
}

void toggleCaption(AppearanceRecord& record) {
    record.Caption ^= 1;
    SETCHECKMARK(record, IDM_CAPTION, record.Caption);
    ShowWindow(record.Window, SW_HIDE);
    toggleStyle(record.Window, GWL_STYLE, WS_CAPTION);
    CAPTIONTOGGLEGEOMETRY(record);
    moveAndSize(record);
    ShowWindow(record.Window, SW_SHOW);
}

void toggleTaskBar(AppearanceRecord& record) {
    record.TaskBar ^= 1;
    SETCHECKMARK(record, IDM_TASKBAR, record.TaskBar);
    ShowWindow(record.Window, SW_HIDE);
    toggleStyle(record.Window, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    if (record.Caption) {
        TASKBARTOGGLEGEOMETRY(record);
        moveAndSize(record);
    }
    ShowWindow(record.Window, SW_SHOW);
}

void seeThroughChecks(AppearanceRecord& record) {
    SETCHECKMARK(record, IDM_TRANSPARENT_FONTS, record.FgndTrspt);
    SETCHECKMARK(record, IDM_TRANSPARENT_BACKGROUND, record.BgndTrspt);
    APPLYLAYEREDATTRIBUTES(record);
}

void command(AppearanceRecord& record, WORD id) {
    switch (id) {
    case IDM_ON_TOP:
        record.OnTop ^= 1;
        SETCHECKMARK(record, IDM_ON_TOP, record.OnTop);
        PLACEINBAND(record);
        break;
    case IDM_CAPTION: toggleCaption(record); break;
    case IDM_START_WITH_WINDOWS: TOGGLESTARTWITHWINDOWS(record); break;
    case IDM_TASKBAR: toggleTaskBar(record); break;
    case IDM_SYSTRAY:
        record.SysTray ^= 1;
        SETCHECKMARK(record, IDM_SYSTRAY, record.SysTray);
        trayIcon(record);
        break;
    case IDM_TRANSPARENCY: SHOWTRANSPARENCYDIALOG(record); break;
    case IDM_TRANSPARENT_FONTS:
        TOGGLETRANSPARENTFONTS(record);
        seeThroughChecks(record);
        break;
    case IDM_TRANSPARENT_BACKGROUND:
        TOGGLETRANSPARENTBACKGROUND(record);
        seeThroughChecks(record);
        break;
    case IDM_FOREGROUND_COLOR:
        record.FgndCol = CHOOSECLOCKCOLOR("Foreground", record);
        APPLYCLOCKCOLORS(record);
        APPLYLAYEREDATTRIBUTES(record);
        break;
    case IDM_BACKGROUND_COLOR:
        record.BgndCol = CHOOSECLOCKCOLOR("Background", record);
        APPLYCLOCKCOLORS(record);
        APPLYLAYEREDATTRIBUTES(record);
        break;
    case IDM_DEFAULT_COLORS:
        SETDEFAULTCOLORS(record);
        APPLYCLOCKCOLORS(record);
        APPLYLAYEREDATTRIBUTES(record);
        break;
    case IDM_CHOOSE_FONT:
        CHOOSECLOCKFONT(record);
        APPLYCLOCKFONT(record);
        break;
    case IDM_DEFAULT_FONT:
        SETDEFAULTFONT(record);
        APPLYCLOCKFONT(record);
        break;
    case IDM_ABOUT: SHOWABOUTBOX(); break;
    case IDM_EXIT: CLOSEDIALOGWINDOW(record.Window); break;  // WM_DESTROY saves and cleans up
    case IDM_MINIMIZE: addStyle(record.Window, GWL_STYLE, WS_MINIMIZE); break;
    case IDM_MAXIMIZE: addStyle(record.Window, GWL_STYLE, WS_MAXIMIZE); break;
    }
}

void cleanUp(AppearanceRecord& record) {
    if (SaveTimer != 0) KillTimer(record.Window, SaveTimer);
    SaveTimer = 0;
    APPEARANCESETTINGS("save", record);
    DESTROYAPPEARANCEMENUS(record);
    Shell_NotifyIconA(NIM_DELETE, &record.TrayIcon);
    STOPFOLLOWINGFULLSCREEN();
}

}  // namespace

void INITTRAYICONDATA(const char* tip, const char* iconname, AppearanceRecord& record) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    std::string name = iconname ? iconname : "";
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    record.TrayIcon = NOTIFYICONDATAA{};
    record.TrayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.TrayIcon.hWnd = record.Window;
    record.TrayIcon.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(module));
    record.TrayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.TrayIcon.uCallbackMessage = WM_TRAYICON;
    // The small size, which the notification area shows; shared, as the
    // record has no owner to free it.
    record.TrayIcon.hIcon =
        name.empty() ? nullptr
                     : static_cast<HICON>(LoadImageA(module, name.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (tip) std::strncpy(record.TrayIcon.szTip, tip, 63);  // the first version's tip holds 64 bytes
    record.TrayIcon.szTip[63] = '\0';
}

void APPLYLAYEREDATTRIBUTES(AppearanceRecord& record) {
    if (record.BgndTrspt)
        SetLayeredWindowAttributes(record.Window, static_cast<COLORREF>(record.BgndCol), record.Transparency,
                                   LWA_COLORKEY | LWA_ALPHA);
    else if (record.FgndTrspt)
        SetLayeredWindowAttributes(record.Window, static_cast<COLORREF>(record.FgndCol), record.Transparency,
                                   LWA_COLORKEY | LWA_ALPHA);
    else
        SetLayeredWindowAttributes(record.Window, 0, record.Transparency, LWA_ALPHA);
}

INT_PTR APPEARANCEHANDLER(AppearanceRecord& record, UINT msg, WORD commandId, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
    case WM_INITDIALOG: initialise(record); break;
    case WM_TIMER:
        if (wparam == ID_SAVE_TIMER) APPEARANCESETTINGS("save", record);
        break;
    case WM_EXITSIZEMOVE:
        GETWINDOWLOCATION(record.Window, record.Left, record.Top);
        GETWINDOWSIZE(record.Window, record.Width, record.Height);
        break;
    case WM_DISPLAYCHANGE: {
        int32_t width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        PIXELSTODLGUNITS(record.Window, width, height);
        KEEPONSCREEN(record, width, height);
        SETWINDOWLOCATION(record.Window, record.Left, record.Top);
        break;
    }
    case WM_CONTEXTMENU: {
        const POINT p = cursor();
        TrackPopupMenu(record.MainMenu, 0, p.x, p.y, 0, record.Window, nullptr);
        break;
    }
    case WM_INITMENUPOPUP:
        // The Run key is the only record of that choice, and others may change it.
        if (reinterpret_cast<HMENU>(wparam) == record.MainMenu)
            SETCHECKMARK(record, IDM_START_WITH_WINDOWS, STARTSWITHWINDOWS(record));
        break;
    case WM_MOUSEWHEEL:
        WHEELSTEP(record, static_cast<short>(HIWORD(wparam)));
        APPLYLAYEREDATTRIBUTES(record);
        break;
    case WM_TRAYICON:
        if (lparam == WM_RBUTTONDOWN || lparam == WM_LBUTTONDBLCLK) {
            const POINT p = cursor();
            // The platform's documented idiom for a notification-area menu: a
            // menu whose owner is not in the foreground does not close when the
            // user clicks elsewhere, and the WM_NULL posted after it forces the
            // task switch that the idiom needs.
            SetForegroundWindow(record.Window);
            TrackPopupMenu(record.MainMenu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, p.x, p.y, 0, record.Window, nullptr);
            PostMessageA(record.Window, WM_NULL, 0, 0);
        }
        break;
    case WM_COMMAND: command(record, commandId); break;
    case WM_ENDSESSION:
        // An installer or an update closing the clock (the Restart Manager)
        // asks it to save and end: it ends as "Exit" does. When the session
        // itself ends (log-off, shutdown) the process may be ended without
        // WM_DESTROY, so what changed since the last save is saved now.
        // WM_QUERYENDSESSION gets the default answer, yes, at once.
        if (wparam && (lparam & ENDSESSION_CLOSEAPP))
            command(record, IDM_EXIT);
        else if (wparam)
            APPEARANCESETTINGS("save", record);
        break;
    case WM_DESTROY: cleanUp(record); break;
    default:
        if (msg == taskbarCreated() && record.SysTray) trayIcon(record);
        break;
    }
    return CLOCKCOLORMESSAGE(record, msg, wparam, lparam);
}
