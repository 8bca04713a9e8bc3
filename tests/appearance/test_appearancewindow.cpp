// The appearance handler on the real clock window of this process: settings files, menus, window modes, the tray
// icon, layered attributes, and colours and fonts through the system's dialogs (painted colours read from the screen).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

AppearanceRecord& Rec = CLOCKAPPEARANCE;
using Units = std::array<int32_t, 4>;  // left, top, width, height in the clock's dialog units
constexpr int COLOR_RED = 706, COLOR_ADD = 712, FONT_SIZE_COMBO = 0x472;  // green and blue follow red
constexpr COLORREF GREY = RGB(224, 223, 227), RED = RGB(200, 30, 40), BLUE = RGB(10, 90, 160);

Units windowUnits(HWND w) {
    Units u{};
    GETWINDOWLOCATION(w, u[0], u[1]);
    GETWINDOWSIZE(w, u[2], u[3]);
    return u;
}

std::string allValue(const char* key) { return SettingValue("All", key); }

bool checked(int id) { return GetMenuState(Rec.MainMenu, id, MF_BYCOMMAND) & MF_CHECKED; }

std::tuple<COLORREF, int, DWORD> layered(HWND w) {  // colour key, opacity, flags
    DWORD key = 0, flags = 0;
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w, &key, &alpha, &flags);
    return {flags & LWA_COLORKEY ? key : 0, alpha, flags};
}

// The clock's client area as the screen shows it: solid text on a background that fills most of it.
bool painted(HWND clock, COLORREF text, COLORREF back) {
    return WaitUntil([&] {
        SIZE size{};
        const std::vector<COLORREF> pixels = ClientPixels(clock, size);
        return std::count(pixels.begin(), pixels.end(), text) > 300 &&
               std::count(pixels.begin(), pixels.end(), back) > size.cx * size.cy / 2;
    });
}

HGDIOBJ fontObject(int id) { return HGDIOBJ(SendDlgItemMessageA(Rec.Window, id, WM_GETFONT, 0, 0)); }

// The labels' fonts: "height weight" of the time, then "height weight face" of the date.
std::string fonts() {
    LOGFONTA time{}, date{};
    GetObjectA(fontObject(ID_TIME_LABEL), sizeof time, &time);
    GetObjectA(fontObject(ID_DATE_LABEL), sizeof date, &date);
    return std::to_string(time.lfHeight) + " " + std::to_string(time.lfWeight) + ", " + std::to_string(date.lfHeight) +
           " " + std::to_string(date.lfWeight) + " " + date.lfFaceName;
}

TEST(AppearanceWindow, FirstStartMenusColoursModesTrayAndExit) {
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    // Without a file, the save right after the start writes every key in order (this profile API drops the leading
    // blanks); the window lies 2 units left of and 13 above the place saved, 2 narrower and 13 lower.
    const Units start = windowUnits(w);
    std::string keys =
        "[Coord]\r\nLeft=" + std::to_string(start[0] + 2) + "\r\nTop=" + std::to_string(start[1] + 13) +
        "\r\nWidth=" + std::to_string(start[2] + 2) + "\r\nHeight=" + std::to_string(start[3] + 13) +
        "\r\n[All]\r\nOnTop=1\r\nCaption=1\r\nTaskBar=0\r\nSysTray=0\r\nTransparency=255\r\nFgndTrspt=0\r\n"
        "BgndTrspt=0\r\nFgndCol=0\r\nBgndCol=14933984\r\nFontName=Tahoma\r\nFontSize=12\r\nFontAttr=1\r\n"
        "OverFullScreen=0\r\n[Custom]\r\n";
    for (int i = 100; i < 116; ++i) keys += "CustomColorC" + std::to_string(i).substr(1) + "=0\r\n";
    EXPECT_EQ(ReadSettings(), keys);
    std::string menus;  // "text|id," per item, "-," for a separator, "text>," for a submenu
    for (auto m : {Rec.MainMenu, GetSubMenu(Rec.MainMenu, 2), GetSubMenu(Rec.MainMenu, 5), GetSubMenu(Rec.MainMenu, 6)})
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            char text[128] = {};
            GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
            const UINT id = GetMenuItemID(m, i);
            menus += *text ? text + (id == UINT(-1) ? std::string(">,") : "|" + std::to_string(id) + ",") : "-,";
        }
    // clang-format off
    EXPECT_EQ(menus, LANGTEXT(
        "Toujours au dessus|1537,Barre de titre && bordure|1540,Appara\356tre dans>,Lancer avec Windows|1546,-,"
        "Transparence>,Couleurs && Polices>,-,A propos|1538,-,Quitter|1539,Barre des t\342ches && Alt+Tab|1525,"
        "Zone de notification|1526,"
        "Fen\352tre (choisir %)|1528,-,Ecritures transparentes|1529,Fond transparent|1530,Couleur des \351critures|1531,"
        "Couleur du fond|1532,Couleurs par d\351faut|1533,-,Choisir police d'\351criture|1535,Police par d\351faut|1536,",
        "Always on top|1537,Title bar && border|1540,Show in>,Start with Windows|1546,-,Transparency>,Colors && Font>,-,"
        "About|1538,-,Exit|1539,"
        "Taskbar && Alt+Tab|1525,Systray|1526,Window (choose %)|1528,-,Transparent fonts|1529,Transparent background|1530,"
        "Foreground color|1531,Background color|1532,Default colors|1533,-,Choose font|1535,Default font|1536,"));
    // clang-format on

    // The colour dialogs, confirmed or cancelled, a custom colour added on the way; their place is the scaling test's.
    EXPECT_TRUE(painted(w, RGB(0, 0, 0), GREY));
    for (const auto& [command, chosen, ok, text, back] :  // text and back: the colours afterwards
         {std::make_tuple(IDM_FOREGROUND_COLOR, RED, true, RED, GREY),
          std::make_tuple(IDM_BACKGROUND_COLOR, BLUE, true, RED, BLUE),
          std::make_tuple(IDM_FOREGROUND_COLOR, RGB(0, 128, 0), false, RED, BLUE)}) {
        HWND dialog = Opened(w, WM_COMMAND, command, nullptr);
        ASSERT_NE(dialog, nullptr) << command;
        for (int i = 0; i < 3; ++i) SetDlgItemInt(dialog, COLOR_RED + i, BYTE(chosen >> 8 * i), FALSE);
        SendMessageA(dialog, WM_COMMAND, COLOR_ADD, 0);
        ASSERT_TRUE(Closed(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL));
        EXPECT_TRUE(painted(w, text, back)) << std::hex << chosen;
        EXPECT_EQ(std::make_pair(Rec.FgndCol, Rec.BgndCol), std::make_pair(int32_t(text), int32_t(back)));
    }

    // Each mode (command, flag, whether it moves the window, the mode as the window or the shell has it), switched
    // twice: flag, check mark and window bits move together, the window moves once; the icon is back if shown.
    NOTIFYICONDATAA tray = Rec.TrayIcon;  // modifying an icon succeeds only while it is shown
    const std::tuple<int, const uint8_t&, bool, std::function<bool()>> modes[] = {
        {IDM_ON_TOP, Rec.OnTop, false, [&] { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }},
        {IDM_CAPTION, Rec.Caption, true, [&] { return (GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) != 0; }},
        {IDM_TASKBAR, Rec.TaskBar, true, [&] { return !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW); }},
        {IDM_SYSTRAY, Rec.SysTray, false, [&] { return Shell_NotifyIconA(NIM_MODIFY, &tray) != FALSE; }}};
    for (const auto& [id, flag, moves, shown] : modes)
        for (int round = 0; round < 2; ++round) {
            const uint8_t before = flag;
            SendMessageA(w, WM_COMMAND, id, 0);
            EXPECT_EQ(std::make_tuple(flag, checked(id), shown(), bool(IsWindowVisible(w)), windowUnits(w) != start),
                      std::make_tuple(before ^ 1, flag == 1, flag == 1, true, moves && round == 0))
                << id;
            Shell_NotifyIconA(NIM_DELETE, &tray);  // the taskbar restarted (Explorer's crash)
            SendMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
            EXPECT_EQ(Shell_NotifyIconA(NIM_MODIFY, &tray) != FALSE, Rec.SysTray == 1) << id;
        }

    // The tray icon's right click and double click open the menu (the one untitled window) with its bottom-right
    // corner at the cursor; a single left click opens none, which would hold the call.
    SetCursorPos(600, 500);
    for (LPARAM event : {WM_RBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        PostMessageA(w, WM_TRAYICON, 0, event);
        HWND menu = WaitWindow("");
        EXPECT_EQ(std::make_tuple(HMENU(SendMessageA(menu, MN_GETHMENU, 0, 0)), WindowRect(menu).right,
                                  WindowRect(menu).bottom),
                  std::make_tuple(Rec.MainMenu, 600L, 500L));
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); })) << event;
    }
    EXPECT_TRUE(SendMessageTimeoutA(w, WM_TRAYICON, 0, WM_LBUTTONDOWN, SMTO_NORMAL, 2000, nullptr) &&
                SendMessageTimeoutA(w, WM_TRAYICON, 0, WM_LBUTTONUP, SMTO_NORMAL, 2000, nullptr) &&
                !WaitWindow("", nullptr, 0));

    // The wheel and the see-through flags reach the layered attributes; with both, the background is the colour key,
    // set at once by "Default colors".
    EXPECT_EQ(layered(w), std::make_tuple(0u, 255, DWORD(LWA_ALPHA)));
    for (int i = 0; i < 3; ++i) SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_FONTS, 0);
    EXPECT_EQ(layered(w), std::make_tuple(RED, 225, DWORD(LWA_COLORKEY | LWA_ALPHA)));
    SendMessageA(w, WM_COMMAND, IDM_TRANSPARENT_BACKGROUND, 0);
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_COLORS, 0);
    EXPECT_EQ(layered(w), std::make_tuple(GREY, 225, DWORD(LWA_COLORKEY | LWA_ALPHA)));
    // A display change pulls the window back from the right and bottom edges.
    const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetWindowPos(w, nullptr, sw - 40, sh - 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(sw, sh));
    EXPECT_TRUE(abs(WindowRect(w).right - sw) <= 2 && abs(WindowRect(w).bottom - sh) <= 2);
    // "Exit" saves once, at the end, and takes the tray icon away; the custom colours edited in the dialogs, a
    // cancelled one too, reach the file.
    SendMessageA(w, WM_COMMAND, IDM_SYSTRAY, 0);
    WriteSettings("");
    const unsigned saves = APPEARANCESAVECOUNT;
    EXPECT_TRUE(clock.Exit());
    EXPECT_EQ(std::make_tuple(APPEARANCESAVECOUNT.load(), allValue("Transparency"), allValue("SysTray"),
                              SettingValue("Custom", "CustomColorC00"), Shell_NotifyIconA(NIM_MODIFY, &tray)),
              std::make_tuple(saves + 1, "225", "1", std::to_string(RGB(0, 128, 0)), FALSE));
}

TEST(AppearanceWindow, SettingsFilesLoadAndSaveAndFontsFollowTheChoice) {
    // Geometry at the ends of the 32-bit range, or a sliver at an edge: 16 x 16 pixels or more on the screen.
    RECT screen{0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}, piece{};
    for (const char* file : {"[Coord]\r\nLeft=-2147483648\r\nTop=2147483648\r\nWidth=2147483647\r\nHeight=-2147483648",
                             "[Coord]\r\nLeft= 100\r\nTop=-20\r\nWidth= 24\r\nHeight= 24\r\n[All]\r\nCaption= 0"}) {
        WriteSettings(file);
        ClockThread clock;
        const RECT outer = WindowRect(clock.Window());
        EXPECT_TRUE(IsWindowVisible(clock.Window()) && IntersectRect(&piece, &outer, &screen) &&
                    piece.right - piece.left >= 16 && piece.bottom - piece.top >= 16)
            << file;
    }
    // Missing keys take their defaults (not on top, in the taskbar); a normal title bar takes 2 and 20 units.
    WriteSettings(
        "[Coord]\r\nLeft= 150\r\nTop= 140\r\nWidth= 140\r\nHeight= 100\r\n[All]\r\nFontName=Liberation Sans\r\n"
        "FontSize=10.5\r\nFontAttr=1\r\n");
    ClockThread clock;
    HWND w = clock.Window();
    EXPECT_TRUE(!(GetWindowLongA(w, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) && !checked(IDM_ON_TOP) &&
                checked(IDM_TASKBAR) && checked(IDM_CAPTION));
    EXPECT_EQ(windowUnits(w), (Units{148, 120, 138, 80}));
    // The labels' heights at 96 dpi: 4 x 10.5 and 10.5 points (56 and 14 pixels), bold.
    EXPECT_EQ(fonts(), "-56 700, -14 700 Liberation Sans");
    // The font dialog opens at whole points and regular weight; confirmed as it opened (Wine's lists no Tahoma).
    HWND dialog = Opened(w, WM_COMMAND, IDM_CHOOSE_FONT, nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return LabelText(dialog, FONT_SIZE_COMBO) == "10"; }));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([] { return fonts() == "-53 400, -13 400 Liberation Sans"; })) << fonts();
    EXPECT_EQ(std::make_tuple(std::string(Rec.FontName), Rec.FontSize, int(Rec.FontAttr)),
              std::make_tuple(std::string("Liberation Sans"), 10.0f, 0));
    // "Default font" releases the fonts it replaces; with no font to be had, the labels keep theirs (a font released
    // or replaced by none would read as zeros).
    const HGDIOBJ chosen[] = {fontObject(ID_TIME_LABEL), fontObject(ID_DATE_LABEL)};
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_FONT, 0);
    EXPECT_EQ(fonts(), "-64 700, -16 700 Tahoma");
    EXPECT_EQ(GetObjectType(chosen[0]) | GetObjectType(chosen[1]), 0u);
    std::vector<HFONT> hog;
    LOGFONTA any{};
    for (HFONT f; hog.size() < 200000 && (f = CreateFontIndirectA(&any));) hog.push_back(f);
    EXPECT_LT(hog.size(), 200000u);  // none left
    SendMessageA(w, WM_COMMAND, IDM_DEFAULT_FONT, 0);
    for (HFONT f : hog) DeleteObject(f);
    EXPECT_EQ(fonts(), "-64 700, -16 700 Tahoma");
    // The auto-save tick overwrites a hand edit and leaves unknown keys alone; minimised, the place is not saved.
    WritePrivateProfileStringA("All", "Transparency", " 100", SettingsPath().c_str());
    WritePrivateProfileStringA("All", "Mine", "kept", SettingsPath().c_str());
    SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
    WritePrivateProfileStringA("Coord", "Top", "7", SettingsPath().c_str());
    ShowWindow(w, SW_MINIMIZE);
    SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
    EXPECT_EQ(allValue("Transparency") + allValue("Mine") + SettingValue("Coord", "Top"), "255kept7");
}

// Refusals left for the seams below: a name held for a moment by a scanner.
int Refusals = 0;
BOOL WINAPI replaceHeldAMoment(LPCSTR a, LPCSTR b, LPCSTR c, DWORD d, LPVOID e, LPVOID f) {
    return Refusals-- > 0 ? FALSE : ReplaceFileA(a, b, c, d, e, f);
}
BOOL WINAPI moveHeldAMoment(LPCSTR from, LPCSTR to, DWORD flags) {
    return Refusals-- > 0 ? FALSE : MoveFileExA(from, to, flags);
}
// A move refused while a scanner holds the name, for good.
BOOL WINAPI moveRefused(LPCSTR, LPCSTR, DWORD) { return FALSE; }
BOOL WINAPI replaceRefused(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) { return FALSE; }
BOOL WINAPI diskFullAtFontName(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    return std::string(key) == "FontName" ? FALSE : WritePrivateProfileStringA(section, key, value, file);
}

TEST(AppearanceWindow, ChosenSettingsComeBackAndEverySaveEndsInTheFile) {
    // Chosen settings come back; a change made last (not on top) is saved at the end, a key the clock does not know
    // kept and CustomColorC00, left out, written at the end. With both see-through flags the background is the key.
    std::string chosen =
        "[Coord]\r\nLeft=150\r\nTop=140\r\nWidth=140\r\nHeight=80\r\n[All]\r\nOnTop=1\r\nCaption=0\r\nTaskBar=0\r\n"
        "SysTray=0\r\nTransparency=200\r\nFgndTrspt=1\r\nBgndTrspt=1\r\nFgndCol=255\r\nBgndCol=16777215\r\n"
        "FontName=Courier New\r\nFontSize=10.5\r\nFontAttr=2\r\nOverFullScreen=1\r\nMine=kept\r\n[Custom]\r\n";
    for (int i = 101; i < 116; ++i)
        chosen += "CustomColorC" + std::to_string(i).substr(1) + "=-" + std::to_string(i) + "\r\n";
    std::string saved = chosen + "CustomColorC00=0\r\n";
    saved.replace(saved.find("OnTop=1"), 7, "OnTop=0");
    const std::string tmp = SettingsPath() + ".tmp";
    constexpr DWORD HIDDEN = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, NORMAL = FILE_ATTRIBUTE_NORMAL,
                    KEPT = HIDDEN | FILE_ATTRIBUTE_READONLY;
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT without a backup: the file gone, the copy not in place.
    const FileReplacer takesTheFileAndFails = [](LPCSTR file, auto...) -> BOOL { return !DeleteFileA(file); };
    struct Row {
        const char* what;
        char holder;  // of the .tmp name: ' ' nothing, 'f' a stale file, 'd' a folder, 'c' the file itself; or of the
                      // file, opened without delete sharing as the clock ends: 'o' for 1 s, 'O' for 4 s
        DWORD attributes = NORMAL;
        FileReplacer replace = ReplaceFileA;  // both as the platform's again once a clock has ended
        FileMover move = MoveFileExA;
        ProfileWriter writer = WritePrivateProfileStringA;
        bool byInstaller = false;  // ended by the Restart Manager instead of "Exit"
    };
    const Row rows[] = {
        {"the file replaced by its new copy", ' '},
        {"a stale .tmp from a save cut short", 'f'},
        {"a folder holds the .tmp name: written in place", 'd', HIDDEN},
        {"killed inside a replace that moves the file aside: its copy kept", 'c'},
        {"a read-only file is left as it is", ' ', FILE_ATTRIBUTE_READONLY},
        {"a hidden system file stays so when replaced", ' ', HIDDEN},
        {"and when moved into place, without a replace", ' ', HIDDEN, replaceRefused},
        {"a replace takes the file and fails, the move too: written from the copy", ' ', HIDDEN, takesTheFileAndFails,
         moveRefused},
        {"only the copy, which cannot be moved into place: read from it", 'c', HIDDEN, ReplaceFileA, moveRefused},
        {"a replace and a move refused a moment, then placed", ' ', NORMAL, replaceHeldAMoment, moveHeldAMoment},
        {"a replace and a move refused for good: written in place", ' ', HIDDEN, replaceRefused, moveRefused},
        {"a key refused (a full disk): the file as it was", ' ', NORMAL, ReplaceFileA, MoveFileExA, diskFullAtFontName},
        {"the file held open for a second by a scanner", 'o', HIDDEN},
        {"held open for four seconds: written in place", 'O'},
        {"closed by an installer, which asks it to save and end", ' ', NORMAL, ReplaceFileA, MoveFileExA,
         WritePrivateProfileStringA, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteSettings(chosen);
        if (row.holder == 'f') std::ofstream(tmp, std::ios::binary) << "[All]\r\nTransparency= 33\r\nStale= 1\r\n";
        if (row.holder == 'd') CreateDirectoryA(tmp.c_str(), nullptr);
        if (row.holder == 'c') MoveFileA(SettingsPath().c_str(), tmp.c_str());
        SetFileAttributesA((row.holder == 'c' ? tmp : SettingsPath()).c_str(), row.attributes);
        SETTINGSREPLACE = row.replace, SETTINGSMOVE = row.move, SETTINGSWRITE = row.writer;
        // A placement that fails for good is followed by a clock with the platform's calls.
        const int runs = row.move == moveRefused ? 2 : 1;
        for (int run = 0; run < runs; ++run) {
            ClockThread clock;
            HWND w = clock.Window();
            ASSERT_NE(w, nullptr) << "no window titled " << CLOCKTITLE;
            EXPECT_EQ(windowUnits(w), (Units{150, 140, 140, 80}));
            EXPECT_TRUE(checked(IDM_TRANSPARENT_FONTS)) << "see-through text";
            EXPECT_TRUE(checked(IDM_TRANSPARENT_BACKGROUND)) << "see-through background";
            EXPECT_EQ(layered(w), std::make_tuple(RGB(255, 255, 255), 200, DWORD(LWA_COLORKEY | LWA_ALPHA)));
            if (run + 1 < runs) {
                EXPECT_TRUE(clock.Exit());
                SETTINGSREPLACE = ReplaceFileA, SETTINGSMOVE = MoveFileExA, SETTINGSWRITE = WritePrivateProfileStringA;
                continue;
            }
            SendMessageA(w, WM_COMMAND, IDM_ON_TOP, 0);
            Refusals = 4;  // two rounds of a replace and a move
            std::thread letGo;
            if (row.holder == 'o' || row.holder == 'O') {
                HANDLE scanner = CreateFileA(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, 0, nullptr);
                ASSERT_NE(scanner, INVALID_HANDLE_VALUE) << "the scanner's open";
                letGo = std::thread([scanner, held = row.holder == 'o' ? 1000 : 4000] {
                    Sleep(held);
                    CloseHandle(scanner);
                });
            }
            if (row.byInstaller) {
                EXPECT_TRUE(SendMessageA(w, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP)) << "the clock refused to end";
                PostMessageA(w, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
                EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); })) << "the clock still runs";
            } else {
                EXPECT_TRUE(clock.Exit());
            }
            if (letGo.joinable()) letGo.join();
            SETTINGSREPLACE = ReplaceFileA, SETTINGSMOVE = MoveFileExA, SETTINGSWRITE = WritePrivateProfileStringA;
        }
        // Nothing of the stale copy; the file's attributes still set; no copy left beside it.
        const bool unchanged = (row.attributes & FILE_ATTRIBUTE_READONLY) || row.writer == diskFullAtFontName;
        EXPECT_EQ(ReadSettings(), unchanged ? chosen : saved);
        EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()) & KEPT, row.attributes & KEPT) << "attributes kept";
        EXPECT_EQ(GetFileAttributesA(tmp.c_str()),
                  row.holder == 'd' ? DWORD(FILE_ATTRIBUTE_DIRECTORY) : INVALID_FILE_ATTRIBUTES)
            << "what holds the .tmp name afterwards";
        RemoveDirectoryA(tmp.c_str());
    }
    WriteSettings("");
}
}  // namespace
