#include "clock/clockwindow.h"

#include <string>

#include "calculator/calculatorwindow.h"
#include "core/dialogtemplate.h"
#include "core/messageloop.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"
#include "dates/calendar.h"
#include "dates/dates.h"
#include "language/language.h"

AppearanceRecord CLOCKAPPEARANCE;
TimerSetter SETCLOCKTIMER = SetTimer;

namespace {

// Both live for the process and are touched only by the clock's callback.
UINT_PTR ClockTimer = 0;
std::string LastTimeText;
// The clock window's two icons, loaded for it and released with the process.
UniqueIcon BigIcon, SmallIcon;

std::string windowText(HWND window) {
    char buffer[256];
    const int n = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

void setLabel(HWND hwnd, int id, const std::string& text) { SetWindowTextA(GetDlgItem(hwnd, id), text.c_str()); }

// The record names the window first: setting the icons sends WM_SETICON back
// through this window's procedure, which would otherwise prepare it again,
// and again, each time replacing the icons that the one before had just set.
void prepareClockWindow(HWND hwnd) {
    CLOCKAPPEARANCE = AppearanceRecord{};
    CLOCKAPPEARANCE.Window = hwnd;
    INITTRAYICONDATA(CLOCKTITLE, "ICO1", CLOCKAPPEARANCE);
    SETWINDOWICONS(hwnd, "ICO1", BigIcon, SmallIcon);
}

// Every message of the clock window goes to the appearance handler first,
// then to the clock's own handling. The dialog manager sends messages (the
// dialog font, the labels' notifications) before WM_INITDIALOG, and the
// record, the icons and the tray data must exist when the first of them
// reaches the handler: the first message of a new clock window prepares them.
INT_PTR CALLBACK clockDialogProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (CLOCKAPPEARANCE.Window != hwnd) prepareClockWindow(hwnd);
    // WM_INITDIALOG carries the control to be focused; the handlers are given
    // the clock window itself, as its start defines.
    if (msg == WM_INITDIALOG) wparam = reinterpret_cast<WPARAM>(hwnd);
    const INT_PTR answer = APPEARANCEHANDLER(CLOCKAPPEARANCE, msg, LOWORD(wparam), wparam, lparam);
    CLOCKWINDOWPROC(hwnd, msg, wparam, lparam);
    if (DIALOGCLOSEDEFAULTS(hwnd, msg, wparam)) return TRUE;
    return answer;
}

// What the clock says before it ends when it cannot set its refresh timer.
const char* noTimerText() {
    return LANGTEXT(
        "orlo clock n'a pas pu démarrer sa minuterie : l'heure affichée ne changerait plus.\r\n"
        "Fermez quelques fenêtres ou programmes, puis relancez l'horloge.",
        "orlo clock could not start its timer, so the time it shows would not change.\r\n"
        "Close some windows or programs, then start the clock again.");
}

// The time label is rewritten only when its text changes, once a minute.
// The date label follows whenever it no longer matches today, so a missed
// "00:00" tick (clock set forward, a sleeping machine, a time-zone change)
// cannot leave yesterday's date on screen.
void refreshClock(HWND hwnd) {
    std::string time = CLOCKTIMETEXT();
    if (time == LastTimeText) return;
    LastTimeText = time;
    setLabel(hwnd, ID_TIME_LABEL, time);
    const std::string date = CLOCKDATETEXT();
    if (time == "00:00" || date != windowText(GetDlgItem(hwnd, ID_DATE_LABEL))) setLabel(hwnd, ID_DATE_LABEL, date);
}

}  // namespace

INT_PTR CLOCKWINDOWPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    (void)lparam;
    switch (msg) {
    case WM_INITDIALOG:
        LastTimeText.clear();
        // Setting a timer fails only when the system is short of resources,
        // which may pass: one more try. A clock without its timer would show a
        // frozen time as if it were right, so it says so and ends instead.
        ClockTimer = SETCLOCKTIMER(hwnd, ID_CLOCK_TIMER, CLOCK_TICK_MS, nullptr);
        if (!ClockTimer) ClockTimer = SETCLOCKTIMER(hwnd, ID_CLOCK_TIMER, CLOCK_TICK_MS, nullptr);
        if (!ClockTimer) {
            MessageBoxA(hwnd, noTimerText(), CLOCKTITLE, MB_OK | MB_ICONERROR);
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        PostMessageA(hwnd, WM_TIMER, ID_CLOCK_TIMER, 0);
        break;
    case WM_TIMER:
        if (wparam == ID_CLOCK_TIMER) refreshClock(hwnd);
        break;
    case WM_POWERBROADCAST:
        if (wparam == PBT_APMRESUMECRITICAL || wparam == PBT_APMRESUMESUSPEND || wparam == PBT_APMRESUMESTANDBY) {
            setLabel(hwnd, ID_TIME_LABEL, CLOCKTIMETEXT());
            setLabel(hwnd, ID_DATE_LABEL, CLOCKDATETEXT());
        }
        break;
    case WM_LBUTTONDOWN:
        if (wparam == MK_LBUTTON) SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        break;
    case WM_LBUTTONDBLCLK: SHOWCALCULATOR(nullptr); break;
    case WM_COMMAND:
        if (LOWORD(wparam) == ID_DATE_LABEL && HIWORD(wparam) == STN_CLICKED) SHOWCALENDAR(hwnd);
        break;
    case WM_DESTROY:
        if (ClockTimer != 0) KillTimer(hwnd, ClockTimer);
        ClockTimer = 0;
        break;
    }
    return 0;
}

INT_PTR SHOWCLOCKWINDOW(HWND parent) {
    DialogTemplate t;
    t.Style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
    t.X = 179;
    t.Y = 188;
    t.Width = FACEWIDTH;
    t.Height = FACEHEIGHT;
    t.Title = CLOCKTITLE;
    const std::string time = CLOCKTIMETEXT();
    const std::string date = CLOCKDATETEXT();
    // The time label starts 8 units above the client area; that strip is clipped.
    t.Items.push_back({DLGCLASS_STATIC, "", time, ID_TIME_LABEL, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, -8, 130, 42});
    t.Items.push_back(
        {DLGCLASS_STATIC, "", date, ID_DATE_LABEL, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY, 0, 0, 34, 130, 19});
    HWND hwnd = CREATEDIALOGWINDOW(t, parent, clockDialogProc);
    if (!hwnd) return 0;
    ShowWindow(hwnd, SW_SHOW);
    RUNWINDOWLOOP(hwnd);
    return 0;
}

int ORLOCLOCKMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show) {
    (void)instance, (void)previous, (void)commandline, (void)show;
    // The name is held for the life of the process; the handle is closed only
    // as the process ends.
    static UniqueHandle Mutex;
    Mutex.reset(CreateMutexA(nullptr, FALSE, CLOCKTITLE));
    if (!Mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    // Only the clock that runs asks to be started again after an update's
    // restart, without arguments, as the user starts it.
    RegisterApplicationRestart(nullptr, 0);
    SHOWCLOCKWINDOW(nullptr);
    return 0;
}
