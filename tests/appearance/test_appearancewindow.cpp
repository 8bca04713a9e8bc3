// The appearance handler on the real clock window of this process: the
// settings file through the real profile API, the menus read back, the window
// modes, the tray icon and its menu, and the layered attributes.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <tuple>

#include "appearance/appearancemenu.h"
#include "appearance/settingsio.h"
#include "clock/clockwindow.h"
#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

AppearanceRecord& Rec = CLOCKAPPEARANCE;
using Units = std::array<int32_t, 4>;  // left, top, width, height in the clock's dialog units

Units windowUnits(HWND w) {
    Units u{};
    GETWINDOWLOCATION(w, u[0], u[1]);
    GETWINDOWSIZE(w, u[2], u[3]);
    return u;
}

bool checked(int id) { return GetMenuState(Rec.MainMenu, id, MF_BYCOMMAND) & MF_CHECKED; }

std::tuple<COLORREF, int, DWORD> layered(HWND w) {  // colour key, opacity, flags
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(w, &key, &alpha, &flags);
    return {flags & LWA_COLORKEY ? key : 0, alpha, flags};
}

// "text|id," per item, "-," for a separator, "text>," for a submenu.
std::string menuItems(HMENU menu) {
    std::string items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        items += !*text ? "-," : id == UINT(-1) ? std::string(text) + ">," : text + ("|" + std::to_string(id) + ",");
    }
    return items;
}

HWND openMenu() {
    HWND menu = nullptr;
    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) && !IsWindowVisible(menu)) continue;
    return menu;
}

TEST(AppearanceWindow, FirstStartMenusModesTrayAndExit) {
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    // Without a file, the save right after the start writes every key in order
    // (this profile API drops the leading blanks); the window lies 2 units left
    // of and 13 above the place saved, 2 narrower and 13 lower.
    const std::string file = ReadSettings();
    Units saved{};
    ASSERT_EQ(sscanf(file.c_str(), "[Coord]\r\nLeft=%d\r\nTop=%d\r\nWidth=%d\r\nHeight=%d\r\n", &saved[0], &saved[1],
                     &saved[2], &saved[3]),
              4)
        << file;
    std::string keys =
        "[All]\r\nOnTop=1\r\nCaption=1\r\nTaskBar=0\r\nSysTray=0\r\nTransparency=255\r\nFgndTrspt=0\r\n"
        "BgndTrspt=0\r\nFgndCol=0\r\nBgndCol=14933984\r\nFontName=Tahoma\r\nFontSize=12\r\nFontAttr=1\r\n[Custom]\r\n";
    for (int i = 0; i < 16; ++i) keys += "CustomColorC" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=0\r\n";
    EXPECT_EQ(file.substr(file.find("[All]")), keys);
    const Units start{saved[0] - 2, saved[1] - 13, saved[2] - 2, saved[3] - 13};
    EXPECT_EQ(windowUnits(w), start);
    std::string menus;
    for (HMENU m :
         {Rec.MainMenu, GetSubMenu(Rec.MainMenu, 2), GetSubMenu(Rec.MainMenu, 4), GetSubMenu(Rec.MainMenu, 5)})
        menus += menuItems(m);
    // clang-format off
    EXPECT_EQ(menus, LANGTEXT(
        "Toujours au dessus|1537,Barre de titre && bordure|1540,Appara\356tre dans>,-,Transparence>,"
        "Couleurs && Polices>,-,A propos|1538,-,Quitter|1539,Barre des t\342ches && Alt+Tab|1525,"
        "Zone de notification|1526,Fen\352tre (choisir %)|1528,-,Ecritures transparentes|1529,Fond transparent|1530,"
        "Couleur des \351critures|1531,Couleur du fond|1532,Couleurs par d\351faut|1533,-,"
        "Choisir police d'\351criture|1535,Police par d\351faut|1536,",
        "Always on top|1537,Title bar && border|1540,Show in>,-,Transparency>,Colors && Font>,-,About|1538,-,Exit|1539,"
        "Taskbar && Alt+Tab|1525,Systray|1526,Window (choose %)|1528,-,Transparent fonts|1529,"
        "Transparent background|1530,Foreground color|1531,Background color|1532,Default colors|1533,-,"
        "Choose font|1535,Default font|1536,"));
    // clang-format on

    // Each mode: flag, check mark and window bits move together, the title bar
    // and the taskbar modes move the window too, and a second switch comes back.
    NOTIFYICONDATAA tray = Rec.TrayIcon;  // modifying an icon succeeds only while it is shown
    const auto has = [&](int which, LONG bits) { return (GetWindowLongA(w, which) & bits) != 0; };
    const struct {
        int id;
        const uint8_t& flag;
        std::function<bool()> shown;  // the mode as the window or the shell has it
    } modes[] = {{IDM_ON_TOP, Rec.OnTop, [&] { return has(GWL_EXSTYLE, WS_EX_TOPMOST); }},
                 {IDM_CAPTION, Rec.Caption, [&] { return has(GWL_STYLE, WS_CAPTION); }},
                 {IDM_TASKBAR, Rec.TaskBar, [&] { return !has(GWL_EXSTYLE, WS_EX_TOOLWINDOW); }},
                 {IDM_SYSTRAY, Rec.SysTray, [&] { return Shell_NotifyIconA(NIM_MODIFY, &tray) != FALSE; }}};
    for (const auto& m : modes)
        for (int round = 0; round < 2; ++round) {
            const uint8_t before = m.flag;
            SendMessageA(w, WM_COMMAND, m.id, 0);
            const bool moves = round == 0 && (m.id == IDM_CAPTION || m.id == IDM_TASKBAR);
            EXPECT_EQ(
                std::make_tuple(m.flag, checked(m.id), m.shown(), bool(IsWindowVisible(w)), windowUnits(w) != start),
                std::make_tuple(before ^ 1, m.flag == 1, m.flag == 1, true, moves))
                << m.id;
        }
    // When the taskbar comes back (Explorer restarted), so does the icon, if the clock shows one.
    for (int round = 0; round < 2; ++round) {
        Shell_NotifyIconA(NIM_DELETE, &tray);
        SendMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_EQ(Shell_NotifyIconA(NIM_MODIFY, &tray) != FALSE, Rec.SysTray == 1) << int(Rec.SysTray);
        SendMessageA(w, WM_COMMAND, IDM_SYSTRAY, 0);
    }
    // The tray icon's right click and double click open the menu with its
    // bottom-right corner at the cursor; a single left click does nothing.
    SetCursorPos(600, 500);
    for (LPARAM event : {WM_RBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        PostMessageA(w, WM_TRAYICON, 0, event);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = openMenu()) != nullptr; })) << event;
        EXPECT_EQ(std::make_tuple(HMENU(SendMessageA(menu, MN_GETHMENU, 0, 0)), WindowRect(menu).right,
                                  WindowRect(menu).bottom),
                  std::make_tuple(Rec.MainMenu, 600L, 500L));
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([] { return !openMenu(); })) << event;
    }
    DWORD_PTR answer = 0;  // a menu opened here would hold the call
    EXPECT_TRUE(SendMessageTimeoutA(w, WM_TRAYICON, 0, WM_LBUTTONDOWN, SMTO_NORMAL, 2000, &answer) &&
                SendMessageTimeoutA(w, WM_TRAYICON, 0, WM_LBUTTONUP, SMTO_NORMAL, 2000, &answer) && !openMenu());

    // The wheel and "Transparent fonts" reach the layered attributes.
    EXPECT_EQ(layered(w), std::make_tuple(0u, 255, DWORD(LWA_ALPHA)));
    for (int i = 0; i < 3; ++i) SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_FONTS, 0);
    EXPECT_EQ(layered(w), std::make_tuple(COLORREF(Rec.FgndCol), 225, DWORD(LWA_COLORKEY | LWA_ALPHA)));
    // A display change pulls the window back from the right and bottom edges.
    const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetWindowPos(w, nullptr, sw - 40, sh - 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(sw, sh));
    EXPECT_TRUE(abs(WindowRect(w).right - sw) <= 2 && abs(WindowRect(w).bottom - sh) <= 2);
    // "Exit" saves once, at the end, and takes the tray icon away.
    SendMessageA(w, WM_COMMAND, IDM_SYSTRAY, 0);
    WriteSettings("");
    const unsigned saves = APPEARANCESAVECOUNT;
    EXPECT_TRUE(clock.Exit());
    EXPECT_EQ(std::make_tuple(APPEARANCESAVECOUNT.load(),
                              SettingValue("All", "Transparency") + SettingValue("All", "SysTray"),
                              Shell_NotifyIconA(NIM_MODIFY, &tray)),
              std::make_tuple(saves + 1, std::string("2251"), FALSE));
}

TEST(AppearanceWindow, SettingsFilesLoadAndSave) {
    // Missing keys take their defaults (not on top, in the taskbar); a normal title bar takes 2 and 20 units.
    WriteSettings("[Coord]\r\nLeft= 150\r\nTop= 140\r\nWidth= 140\r\nHeight= 100\r\n");
    {
        ClockThread clock;
        HWND w = clock.Window();
        EXPECT_TRUE(!(GetWindowLongA(w, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) && !checked(IDM_ON_TOP) &&
                    checked(IDM_TASKBAR) && checked(IDM_CAPTION));
        EXPECT_EQ(windowUnits(w), (Units{148, 120, 138, 80}));
        // The auto-save tick overwrites a hand edit and leaves unknown keys
        // alone; minimised, the place is not saved.
        WritePrivateProfileStringA("All", "Transparency", " 100", SettingsPath().c_str());
        WritePrivateProfileStringA("All", "Mine", "kept", SettingsPath().c_str());
        SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
        WritePrivateProfileStringA("Coord", "Top", "7", SettingsPath().c_str());
        ShowWindow(w, SW_MINIMIZE);
        SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
        EXPECT_EQ(SettingValue("All", "Transparency") + SettingValue("All", "Mine") + SettingValue("Coord", "Top"),
                  "255kept7");
    }
    // Chosen settings come back and are saved as they were. With both
    // see-through flags set the background is the colour key.
    std::string chosen =
        "[Coord]\r\nLeft=150\r\nTop=140\r\nWidth=140\r\nHeight=80\r\n[All]\r\nOnTop=1\r\nCaption=0\r\nTaskBar=0\r\n"
        "SysTray=0\r\nTransparency=200\r\nFgndTrspt=1\r\nBgndTrspt=1\r\nFgndCol=255\r\nBgndCol=16777215\r\n"
        "FontName=Courier New\r\nFontSize=10.5\r\nFontAttr=2\r\n[Custom]\r\n";
    for (int i = 100; i < 116; ++i)
        chosen += "CustomColorC" + std::to_string(i).substr(1) + "=-" + std::to_string(i) + "\r\n";
    WriteSettings(chosen);
    {
        ClockThread clock;
        EXPECT_EQ(windowUnits(clock.Window()), (Units{150, 140, 140, 80}));
        EXPECT_TRUE(checked(IDM_TRANSPARENT_FONTS) && checked(IDM_TRANSPARENT_BACKGROUND));
        EXPECT_EQ(layered(clock.Window()), std::make_tuple(COLORREF(16777215), 200, DWORD(LWA_COLORKEY | LWA_ALPHA)));
        EXPECT_TRUE(clock.Exit());
    }
    EXPECT_EQ(ReadSettings(), chosen);
    // Geometry at the ends of the 32-bit range, or a sliver at an edge: the
    // clock starts with a piece of 16 x 16 pixels or more on the screen.
    RECT screen{0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}, piece{};
    for (const char* coord : {"Left=-2147483648\r\nTop=2147483648\r\nWidth=2147483647\r\nHeight=-2147483648",
                              "Left= 100\r\nTop=-20\r\nWidth= 24\r\nHeight= 24\r\n[All]\r\nCaption= 0"}) {
        WriteSettings(std::string("[Coord]\r\n") + coord + "\r\n");
        ClockThread clock;
        const RECT outer = WindowRect(clock.Window());
        EXPECT_TRUE(IsWindowVisible(clock.Window()) && IntersectRect(&piece, &outer, &screen) &&
                    piece.right - piece.left >= 16 && piece.bottom - piece.top >= 16)
            << coord;
    }
}

TEST(AppearanceWindow, SavesReplaceTheFileInOneStep) {
    const std::string tmp = SettingsPath() + ".tmp",
                      chosen = "[All]\r\nTransparency= 120\r\nMine= kept\r\n[Custom]\r\nCustomColorC15= 7\r\n";
    constexpr DWORD HIDDEN = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, NORMAL = FILE_ATTRIBUTE_NORMAL;
    const FileReplacer takesTheFileAndFails = [](LPCSTR file, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) -> BOOL {
        return !DeleteFileA(
            file);  // ERROR_UNABLE_TO_MOVE_REPLACEMENT without a backup: the file gone, the copy not in place
    };
    const FileReplacer noReplace = [](LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) -> BOOL { return FALSE; };
    const FileMover noMove = [](LPCSTR, LPCSTR, DWORD) -> BOOL { return FALSE; };  // a scanner holds the name
    const struct {
        const char* what;
        char tmp;  // what holds the .tmp name: nothing, a stale file, a folder, the file itself
        DWORD attributes;
        FileReplacer replace;
        FileMover move;  // both as the platform's again once a clock has ended
    } cases[] = {
        {"the file replaced by its new copy", ' ', NORMAL, ReplaceFileA, MoveFileExA},
        {"a stale .tmp from a save cut short", 'f', NORMAL, ReplaceFileA, MoveFileExA},
        {"a folder holds the .tmp name: written in place", 'd', HIDDEN, ReplaceFileA, MoveFileExA},
        {"killed inside a replace that moves the file aside: its copy kept", 'c', NORMAL, ReplaceFileA, MoveFileExA},
        {"a read-only file is left as it is", ' ', FILE_ATTRIBUTE_READONLY, ReplaceFileA, MoveFileExA},
        {"a hidden system file stays so when replaced", ' ', HIDDEN, ReplaceFileA, MoveFileExA},
        {"and when moved into place, without a replace", ' ', HIDDEN, noReplace, MoveFileExA},
        {"a replace that takes the file and fails, and the move fails: the copy kept", ' ', NORMAL,
         takesTheFileAndFails, noMove},
        {"only the copy, which cannot be moved into place: read from it", 'c', NORMAL, ReplaceFileA, noMove}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteSettings(chosen);
        if (c.tmp == 'f') std::ofstream(tmp, std::ios::binary) << "[All]\r\nTransparency= 33\r\nStale= 1\r\n";
        if (c.tmp == 'd') CreateDirectoryA(tmp.c_str(), nullptr);
        if (c.tmp == 'c') MoveFileA(SettingsPath().c_str(), tmp.c_str());
        SetFileAttributesA(SettingsPath().c_str(), c.attributes);
        SETTINGSREPLACE = c.replace, SETTINGSMOVE = c.move;
        for (bool failing = c.move == noMove;; failing = false) {  // failing, then started again as the platform is
            ClockThread clock;
            EXPECT_EQ(Rec.Transparency, 120);
            EXPECT_TRUE(clock.Exit());
            SETTINGSREPLACE = ReplaceFileA, SETTINGSMOVE = MoveFileExA;
            if (!failing) break;
        }
        // Every key written, the unknown one kept, nothing of the stale copy;
        // what the user set on the file still set.
        const bool readOnly = c.attributes & FILE_ATTRIBUTE_READONLY;
        EXPECT_EQ(readOnly ? ReadSettings()
                           : SettingValue("All", "Transparency") + SettingValue("All", "FontName") +
                                 SettingValue("All", "Mine") + SettingValue("All", "Stale"),
                  readOnly ? chosen : "120MS Sans Serifkept<none>");
        EXPECT_EQ(std::make_pair(GetFileAttributesA(SettingsPath().c_str()) & (HIDDEN | FILE_ATTRIBUTE_READONLY),
                                 GetFileAttributesA(tmp.c_str())),
                  std::make_pair(c.attributes & (HIDDEN | FILE_ATTRIBUTE_READONLY),
                                 c.tmp == 'd' ? DWORD(FILE_ATTRIBUTE_DIRECTORY) : INVALID_FILE_ATTRIBUTES));
        RemoveDirectoryA(tmp.c_str());
    }
    WriteSettings("");
}
}  // namespace
