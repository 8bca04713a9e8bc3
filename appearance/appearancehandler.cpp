// Appearance handler: the menus and their commands, the settings at start and
// end, the window modes, transparency and the notification-area icon.
#include "appearance/appearancerecord.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "appearance/colorsfonts.h"
#include "appearance/menuids.h"
#include "appearance/settingsio.h"
#include "appearance/transparencydialog.h"
#include "appearance/windowmodes.h"
#include "core/messageloop.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"
#include "language/aboutbox.h"
#include "language/language.h"

namespace {

// The styles every start begins from: a popup dialog with a caption and a
// system menu, a tool window; the window modes then change them.
constexpr DWORD BASE_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                             DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr DWORD BASE_EXSTYLE = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW;

// What SetTimer returned for the auto-save timer; 0 while none is set.
UINT_PTR SaveTimer = 0;

// The appearance menu, owned here from its building to the clock's end; the
// record holds its handles. Its submenus go with it.
UniqueMenu OwnedMainMenu;

void appendItem(HMENU menu, const char* text, UINT id = 0, HMENU submenu = nullptr) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    if (std::strcmp(text, "-") == 0) {
        item.fMask = MIIM_FTYPE;
        item.fType = MFT_SEPARATOR;
    } else {
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | (submenu ? MIIM_SUBMENU : 0);
        item.fType = MFT_STRING;
        item.dwTypeData = const_cast<char*>(text);
        item.wID = id;
        item.hSubMenu = submenu;
    }
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

void checkMark(const AppearanceRecord& record, UINT id, uint8_t flag) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = (flag & 1) ? MFS_CHECKED : MFS_UNCHECKED;  // bit 0 of the flag
    SetMenuItemInfoA(record.MainMenu, id, FALSE, &item);
}

void toggleStyle(HWND window, int which, LONG bits) {
    SetWindowLongA(window, which, GetWindowLongA(window, which) ^ bits);
}

void addStyle(HWND window, int which, LONG bits) {
    SetWindowLongA(window, which, GetWindowLongA(window, which) | bits);
}

void placeTopmost(const AppearanceRecord& record) {
    SetWindowPos(record.Window, record.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
    checkMark(record, IDM_ON_TOP, record.OnTop);
    placeTopmost(record);
    checkMark(record, IDM_CAPTION, record.Caption);
    if (!record.Caption) toggleStyle(w, GWL_STYLE, WS_CAPTION);
    checkMark(record, IDM_TASKBAR, record.TaskBar);
    if (record.TaskBar) toggleStyle(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    REMOVECAPTIONALLOWANCE(record);
    keepReachable(record);
    moveAndSize(record);
    ShowWindow(w, SW_SHOW);
}

void initialise(AppearanceRecord& record) {
    BUILDAPPEARANCEMENUS(record);
    APPEARANCESETTINGS("get", record);
    applyWindowModes(record);
    checkMark(record, IDM_SYSTRAY, record.SysTray);
    trayIcon(record);
    APPLYCLOCKFONT(record);
    APPLYCLOCKCOLORS(record);
    addStyle(record.Window, GWL_EXSTYLE, WS_EX_LAYERED);
    checkMark(record, IDM_TRANSPARENT_FONTS, record.FgndTrspt);
    checkMark(record, IDM_TRANSPARENT_BACKGROUND, record.BgndTrspt);
    APPLYLAYEREDATTRIBUTES(record);
    SaveTimer = SetTimer(record.Window, ID_SAVE_TIMER, SAVE_PERIOD_MS, nullptr);
    PostMessageA(record.Window, WM_TIMER, ID_SAVE_TIMER, 0);  // a first save right after the start
}

void toggleCaption(AppearanceRecord& record) {
    record.Caption ^= 1;
    checkMark(record, IDM_CAPTION, record.Caption);
    ShowWindow(record.Window, SW_HIDE);
    toggleStyle(record.Window, GWL_STYLE, WS_CAPTION);
    CAPTIONTOGGLEGEOMETRY(record);
    moveAndSize(record);
    ShowWindow(record.Window, SW_SHOW);
}

void toggleTaskBar(AppearanceRecord& record) {
    record.TaskBar ^= 1;
    checkMark(record, IDM_TASKBAR, record.TaskBar);
    ShowWindow(record.Window, SW_HIDE);
    toggleStyle(record.Window, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    if (record.Caption) {
        TASKBARTOGGLEGEOMETRY(record);
        moveAndSize(record);
    }
    ShowWindow(record.Window, SW_SHOW);
}

void seeThroughChecks(AppearanceRecord& record) {
    checkMark(record, IDM_TRANSPARENT_FONTS, record.FgndTrspt);
    checkMark(record, IDM_TRANSPARENT_BACKGROUND, record.BgndTrspt);
    APPLYLAYEREDATTRIBUTES(record);
}

void command(AppearanceRecord& record, WORD id) {
    switch (id) {
    case IDM_ON_TOP:
        record.OnTop ^= 1;
        checkMark(record, IDM_ON_TOP, record.OnTop);
        placeTopmost(record);
        break;
    case IDM_CAPTION: toggleCaption(record); break;
    case IDM_TASKBAR: toggleTaskBar(record); break;
    case IDM_SYSTRAY:
        record.SysTray ^= 1;
        checkMark(record, IDM_SYSTRAY, record.SysTray);
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
    OwnedMainMenu.reset();
    record.MainMenu = record.ShowInMenu = record.TransparencyMenu = record.ColorsMenu = nullptr;
    Shell_NotifyIconA(NIM_DELETE, &record.TrayIcon);
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

void BUILDAPPEARANCEMENUS(AppearanceRecord& record) {
    record.ShowInMenu = CreatePopupMenu();
    appendItem(record.ShowInMenu, LANGTEXT("Barre des tâches && Alt+Tab", "Taskbar && Alt+Tab"), IDM_TASKBAR);
    appendItem(record.ShowInMenu, LANGTEXT("Zone de notification", "Systray"), IDM_SYSTRAY);

    record.TransparencyMenu = CreatePopupMenu();
    appendItem(record.TransparencyMenu, LANGTEXT("Fenêtre (choisir %)", "Window (choose %)"), IDM_TRANSPARENCY);
    appendItem(record.TransparencyMenu, "-");
    appendItem(record.TransparencyMenu, LANGTEXT("Ecritures transparentes", "Transparent fonts"),
               IDM_TRANSPARENT_FONTS);
    appendItem(record.TransparencyMenu, LANGTEXT("Fond transparent", "Transparent background"),
               IDM_TRANSPARENT_BACKGROUND);

    record.ColorsMenu = CreatePopupMenu();
    appendItem(record.ColorsMenu, LANGTEXT("Couleur des écritures", "Foreground color"), IDM_FOREGROUND_COLOR);
    appendItem(record.ColorsMenu, LANGTEXT("Couleur du fond", "Background color"), IDM_BACKGROUND_COLOR);
    appendItem(record.ColorsMenu, LANGTEXT("Couleurs par défaut", "Default colors"), IDM_DEFAULT_COLORS);
    appendItem(record.ColorsMenu, "-");
    appendItem(record.ColorsMenu, LANGTEXT("Choisir police d'écriture", "Choose font"), IDM_CHOOSE_FONT);
    appendItem(record.ColorsMenu, LANGTEXT("Police par défaut", "Default font"), IDM_DEFAULT_FONT);

    OwnedMainMenu.reset(CreatePopupMenu());
    HMENU m = record.MainMenu = OwnedMainMenu.get();
    appendItem(m, LANGTEXT("Toujours au dessus", "Always on top"), IDM_ON_TOP);
    appendItem(m, LANGTEXT("Barre de titre && bordure", "Title bar && border"), IDM_CAPTION);
    appendItem(m, LANGTEXT("Apparaître dans", "Show in"), 0, record.ShowInMenu);
    appendItem(m, "-");
    appendItem(m, LANGTEXT("Transparence", "Transparency"), 0, record.TransparencyMenu);
    appendItem(m, LANGTEXT("Couleurs && Polices", "Colors && Font"), 0, record.ColorsMenu);
    appendItem(m, "-");
    appendItem(m, LANGTEXT("A propos", "About"), IDM_ABOUT);
    appendItem(m, "-");
    if (record.MinBox) appendItem(m, LANGTEXT("Minimiser", "Minimize"), IDM_MINIMIZE);
    if (record.MaxBox) appendItem(m, LANGTEXT("Maximiser", "Maximize"), IDM_MAXIMIZE);
    appendItem(m, LANGTEXT("Quitter", "Exit"), IDM_EXIT);
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
        // The session ends (log-off, shutdown): the process may be ended
        // without WM_DESTROY, so what changed since the last save is saved
        // now. WM_QUERYENDSESSION gets the default answer, yes, at once.
        if (wparam) APPEARANCESETTINGS("save", record);
        break;
    case WM_DESTROY: cleanUp(record); break;
    default:
        if (msg == taskbarCreated() && record.SysTray) trayIcon(record);
        break;
    }
    return CLOCKCOLORMESSAGE(record, msg, wparam, lparam);
}
