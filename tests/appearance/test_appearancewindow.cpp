// The appearance handler on the real clock window of this process: what its settings file holds after the start and
// the auto-save tick, a window kept on the screen, and every save ending in the file whatever Windows does meanwhile.
#include <gtest/gtest.h>

#include <array>

#include "core/windowgeometry.h"
#include "tests/support/winharness.h"

namespace {

using Units = std::array<int32_t, 4>;  // left, top, width, height in the clock's dialog units

Units windowUnits(HWND w) {
    Units u{};
    GETWINDOWLOCATION(w, u[0], u[1]);
    GETWINDOWSIZE(w, u[2], u[3]);
    return u;
}

std::string allValue(const char* key) { return SettingValue("All", key); }

std::string noCustomColors() {  // the [Custom] section a save writes when the file had none
    std::string keys = "[Custom]\r\n";
    for (int i = 100; i < 116; ++i) keys += "CustomColorC" + std::to_string(i).substr(1) + "=0\r\n";
    return keys;
}

TEST(AppearanceWindow, FirstStartSavesEveryKeyAndADisplayChangePullsTheWindowBack) {
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr) << "no window titled " << CLOCKTITLE;
    // Without a file, the save right after the start writes every key in order (this profile API drops the leading
    // blanks); the window lies 2 units left of and 13 above the place saved, 2 narrower and 13 lower.
    const Units start = windowUnits(w);
    EXPECT_EQ(ReadSettings(),
              "[Coord]\r\nLeft=" + std::to_string(start[0] + 2) + "\r\nTop=" + std::to_string(start[1] + 13) +
                  "\r\nWidth=" + std::to_string(start[2] + 2) + "\r\nHeight=" + std::to_string(start[3] + 13) +
                  "\r\n[All]\r\nOnTop=1\r\nCaption=1\r\nTaskBar=0\r\nSysTray=0\r\nTransparency=255\r\nFgndTrspt=0\r\n"
                  "BgndTrspt=0\r\nFgndCol=0\r\nBgndCol=14933984\r\nFontName=Tahoma\r\nFontSize=12\r\nFontAttr=1\r\n"
                  "OverFullScreen=0\r\n" +
                  noCustomColors());
    // The taskbar restarted (Explorer's crash): the tray icon, chosen, is shown again.
    SendMessageA(w, WM_COMMAND, IDM_SYSTRAY, 0);
    NOTIFYICONDATAA tray = CLOCKAPPEARANCE.TrayIcon;  // modifying an icon succeeds only while it is shown
    Shell_NotifyIconA(NIM_DELETE, &tray);
    SendMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &tray)) << "no tray icon after the taskbar came back";
    // A display change pulls the window back from the right and bottom edges.
    const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetWindowPos(w, nullptr, sw - 40, sh - 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(sw, sh));
    EXPECT_NEAR(WindowRect(w).right, sw, 2) << "the right edge after the display change";
    EXPECT_NEAR(WindowRect(w).bottom, sh, 2) << "the bottom edge after the display change";
}

TEST(AppearanceWindow, DamagedPlacesMissingKeysAndTheAutoSave) {
    // Geometry at the ends of the 32-bit range, or a sliver at an edge: 16 x 16 pixels or more on the screen.
    RECT screen{0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}, piece{};
    for (const char* file : {"[Coord]\r\nLeft=-2147483648\r\nTop=2147483648\r\nWidth=2147483647\r\nHeight=-2147483648",
                             "[Coord]\r\nLeft= 100\r\nTop=-20\r\nWidth= 24\r\nHeight= 24\r\n[All]\r\nCaption= 0"}) {
        WriteSettings(file);
        ClockThread clock;
        ASSERT_NE(clock.Window(), nullptr) << "no window titled " << CLOCKTITLE << " from " << file;
        const RECT outer = WindowRect(clock.Window());
        IntersectRect(&piece, &outer, &screen);
        EXPECT_TRUE(IsWindowVisible(clock.Window())) << file;
        EXPECT_GE(piece.right - piece.left, 16) << "pixels across on the screen from " << file;
        EXPECT_GE(piece.bottom - piece.top, 16) << "pixels down on the screen from " << file;
    }
    // A file with only the place: each key it lacks takes its default (not on top, in the taskbar), saved at once; a
    // normal title bar takes 2 and 20 units.
    const std::string place = "[Coord]\r\nLeft=150\r\nTop=140\r\nWidth=140\r\nHeight=100\r\n";
    WriteSettings(place);
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr) << "no window titled " << CLOCKTITLE;
    EXPECT_EQ(windowUnits(w), (Units{148, 120, 138, 80}));
    EXPECT_EQ(ReadSettings(),
              place +
                  "[All]\r\nOnTop=0\r\nCaption=1\r\nTaskBar=1\r\nSysTray=0\r\nTransparency=255\r\n"
                  "FgndTrspt=0\r\nBgndTrspt=0\r\nFgndCol=0\r\nBgndCol=16777215\r\nFontName=MS Sans Serif\r\n"
                  "FontSize=10\r\nFontAttr=0\r\nOverFullScreen=0\r\n" +
                  noCustomColors());
    // The auto-save tick overwrites a hand edit and leaves unknown keys alone; minimised, the place is not saved.
    WritePrivateProfileStringA("All", "Transparency", " 100", SettingsPath().c_str());
    WritePrivateProfileStringA("All", "Mine", "kept", SettingsPath().c_str());
    SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
    WritePrivateProfileStringA("Coord", "Top", "7", SettingsPath().c_str());
    ShowWindow(w, SW_MINIMIZE);
    SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0);
    EXPECT_EQ(allValue("Transparency"), "255") << "a hand edit after the tick";
    EXPECT_EQ(allValue("Mine"), "kept") << "a key the clock does not know";
    EXPECT_EQ(SettingValue("Coord", "Top"), "7") << "the place after a tick while minimised";
}

// Refusals left for the seams below: a name held for a moment by a scanner.
int Refusals = 0;
// The copy's attributes as the platform's replace finds them: what a kill at that moment leaves for the next start.
DWORD CopyBits = 0;
BOOL WINAPI replaceSeen(LPCSTR file, LPCSTR copy, LPCSTR backup, DWORD flags, LPVOID e, LPVOID f) {
    CopyBits = GetFileAttributesA(copy);
    return ReplaceFileA(file, copy, backup, flags, e, f);
}
BOOL WINAPI replaceHeldAMoment(LPCSTR a, LPCSTR b, LPCSTR c, DWORD d, LPVOID e, LPVOID f) {
    return Refusals-- > 0 ? FALSE : ReplaceFileA(a, b, c, d, e, f);
}
BOOL WINAPI moveHeldAMoment(LPCSTR from, LPCSTR to, DWORD flags) {
    return Refusals-- > 0 ? FALSE : MoveFileExA(from, to, flags);
}
// A move refused while a scanner holds the name, for good.
BOOL WINAPI moveRefused(LPCSTR, LPCSTR, DWORD) { return FALSE; }
BOOL WINAPI replaceRefused(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) { return FALSE; }
void platform() {
    SETTINGSREPLACE = ReplaceFileA, SETTINGSMOVE = MoveFileExA, SETTINGSWRITE = WritePrivateProfileStringA;
}
BOOL WINAPI diskFullAtFontName(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    return std::string(key) == "FontName" ? FALSE : WritePrivateProfileStringA(section, key, value, file);
}

TEST(AppearanceWindow, ChosenSettingsComeBackAndEverySaveEndsInTheFile) {
    // Chosen settings come back; a change made last (not on top) is saved at the end, a key the clock does not know
    // kept and CustomColorC00, left out, written at the end.
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
        FileReplacer replace = replaceSeen;  // both as the platform's again once a clock has ended
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
        CopyBits = 0;
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
            EXPECT_EQ(windowUnits(w), (Units{150, 140, 140, 80})) << "the place read";
            if (run + 1 < runs) {
                EXPECT_TRUE(clock.Exit());
                platform();
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
            platform();
        }
        // Nothing of the stale copy; the file's attributes still set; no copy left beside it.
        const bool unchanged = (row.attributes & FILE_ATTRIBUTE_READONLY) || row.writer == diskFullAtFontName;
        EXPECT_EQ(ReadSettings(), unchanged ? chosen : saved);
        EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()) & KEPT, row.attributes & KEPT) << "attributes kept";
        EXPECT_EQ(GetFileAttributesA(tmp.c_str()),
                  row.holder == 'd' ? DWORD(FILE_ATTRIBUTE_DIRECTORY) : INVALID_FILE_ATTRIBUTES)
            << "what holds the .tmp name afterwards";
        if (CopyBits) {
            EXPECT_EQ(CopyBits & HIDDEN, row.attributes & HIDDEN) << "the copy's bits when it is placed";
        }
        RemoveDirectoryA(tmp.c_str());
    }
    WriteSettings("");
}
}  // namespace
