// The appearance handler on the real clock window of this process, under
// Wine: the settings file through the profile API, the menus, the window
// modes, the layered attributes, the tray icon and damaged settings files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "appearance/menuids.h"
#include "appearance/settingsio.h"
#include "core/clockwindow.h"
#include "core/dialogtemplate.h"
#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::ClockThread;

namespace {

AppearanceRecord& Rec = CLOCKAPPEARANCE;

std::string IniPath() {
    char path[MAX_PATH];
    std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of('.')) + "_orloclock.ini";
}

void WriteIni(const std::string& bytes) {
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(IniPath(), std::ios::binary) << bytes;
}

std::string ReadIni() {
    std::ifstream in(IniPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void RemoveIni() {
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(IniPath().c_str());
}

std::string Profile(const char* section, const char* key) {
    char buffer[260];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, IniPath().c_str());
    return buffer;
}

struct Units {
    int32_t left, top, width, height;
    bool operator==(const Units& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::ostream& operator<<(std::ostream& os, const Units& u) {
    return os << u.left << "," << u.top << " " << u.width << "x" << u.height;
}

Units WindowUnits(HWND w) {
    Units u{};
    GETWINDOWLOCATION(w, u.left, u.top);
    GETWINDOWSIZE(w, u.width, u.height);
    return u;
}
Units RecordUnits() { return {Rec.Left, Rec.Top, Rec.Width, Rec.Height}; }

void Command(HWND w, int id) { SendMessageA(w, WM_COMMAND, id, 0); }
void Save(HWND w) { SendMessageA(w, WM_TIMER, ID_SAVE_TIMER, 0); }
void Wheel(HWND w, int delta) { SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0); }

// "Exit" as the menu gives it: a posted command, so the clock's loop sees
// the window gone once it is handled.
bool Exit(HWND w) {
    PostMessageA(w, WM_COMMAND, IDM_EXIT, 0);
    return harness::WaitUntil([&] { return !IsWindow(w); }, 5000);
}

bool Checked(int id) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoA(Rec.MainMenu, id, FALSE, &item);
    return (item.fState & MFS_CHECKED) != 0;
}

bool HasStyle(HWND w, int which, LONG bits) { return (GetWindowLongA(w, which) & bits) != 0; }

struct Layered {
    COLORREF key;
    BYTE alpha;
    DWORD flags;
};
Layered LayeredOf(HWND w) {
    Layered l{};
    GetLayeredWindowAttributes(w, &l.key, &l.alpha, &l.flags);
    return l;
}

bool TrayIconShown() {  // modifying an icon succeeds only while it exists
    NOTIFYICONDATAA data = Rec.TrayIcon;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// "text|id" per item, "-" for separators, "text>" for submenus.
std::vector<std::string> MenuItems(HMENU menu) {
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &item);
        if (item.fType & MFT_SEPARATOR) items.push_back("-");
        else if (item.hSubMenu) items.push_back(std::string(text) + ">");
        else items.push_back(std::string(text) + "|" + std::to_string(item.wID));
    }
    return items;
}

// The clock window as the core creates it, before the handler restyles it.
Units TemplateWindowUnits() {
    DialogTemplate t;
    t.Style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
    t.X = 179, t.Y = 188, t.Width = 130, t.Height = 53;
    t.Title = CLOCKTITLE;
    HWND w = CREATEDIALOGWINDOW(t, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; });
    const Units u = WindowUnits(w);
    POINT client{0, 0};
    ClientToScreen(w, &client);
    int32_t x = client.x, y = client.y;
    PIXELSTODLGUNITS(w, x, y);
    EXPECT_EQ(x, 179);  // the template places the client area
    EXPECT_EQ(y, 188);
    DestroyWindow(w);
    return u;
}

// The clock window of this process, once its start is over: initialised
// (it shows itself from inside its initialisation) and its first save done,
// so that the test's own file edits cannot race with that save.
class StartedClock {
public:
    StartedClock() : saves_(APPEARANCESAVECOUNT), clock_() {
        if (!clock_.Window()) return;
        harness::WaitUntil([&] { return APPEARANCESAVECOUNT > saves_; }, 5000);
        window_ = clock_.Window();
    }
    HWND Window() const { return window_; }

private:
    unsigned saves_;
    ClockThread clock_;
    HWND window_ = nullptr;
};

// At least a 16 x 16 pixel piece of the window lies on a monitor: enough to drag it.
bool Reachable(HWND w) {
    RECT r, piece;
    GetWindowRect(w, &r);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
    return monitor && GetMonitorInfoA(monitor, &info) && IntersectRect(&piece, &r, &info.rcMonitor) &&
           piece.right - piece.left >= 16 && piece.bottom - piece.top >= 16;
}

TEST(AppearanceWindow, FirstStartModesMenusAndExit) {
    RemoveIni();
    const Units created = TemplateWindowUnits();
    StartedClock clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);

    // No file: 2 units left, 13 up, 2 narrower, 13 lower than created.
    const Units start{created.left - 2, created.top - 13, created.width - 2, created.height - 13};
    EXPECT_EQ(WindowUnits(w), start);
    EXPECT_EQ(RecordUnits(), start);

    // The save posted at the start creates the file with every key in order.
    std::ostringstream expected;
    // (The profile API of this system drops the leading blank of each value.)
    expected << "[Coord]\r\nLeft=" << created.left << "\r\nTop=" << created.top << "\r\nWidth=" << created.width
             << "\r\nHeight=" << created.height << "\r\n[All]\r\nOnTop=1\r\nCaption=1\r\nTaskBar=0\r\n"
             << "SysTray=0\r\nTransparency=255\r\nFgndTrspt=0\r\nBgndTrspt=0\r\nFgndCol=0\r\n"
             << "BgndCol=14933984\r\nFontName=Tahoma\r\nFontSize=12\r\nFontAttr=1\r\n[Custom]\r\n";
    for (int i = 0; i < 16; ++i) expected << "CustomColorC" << (i < 10 ? "0" : "") << i << "=0\r\n";
    EXPECT_EQ(ReadIni(), expected.str());

    // The right-click menu, in the build language.
    using V = std::vector<std::string>;
    EXPECT_EQ(MenuItems(Rec.MainMenu),
              (V{LANGTEXT("Toujours au dessus|1537", "Always on top|1537"),
                 LANGTEXT("Barre de titre && bordure|1540", "Title bar && border|1540"),
                 LANGTEXT("Appara\xEEtre dans>", "Show in>"), "-", LANGTEXT("Transparence>", "Transparency>"),
                 LANGTEXT("Couleurs && Polices>", "Colors && Font>"), "-", LANGTEXT("A propos|1538", "About|1538"),
                 "-", LANGTEXT("Quitter|1539", "Exit|1539")}));
    EXPECT_EQ(MenuItems(Rec.ShowInMenu), (V{LANGTEXT("Barre des t\xE2" "ches && Alt+Tab|1525", "Taskbar && Alt+Tab|1525"),
                                            LANGTEXT("Zone de notification|1526", "Systray|1526")}));
    EXPECT_EQ(MenuItems(Rec.TransparencyMenu),
              (V{LANGTEXT("Fen\xEAtre (choisir %)|1528", "Window (choose %)|1528"), "-",
                 LANGTEXT("Ecritures transparentes|1529", "Transparent fonts|1529"),
                 LANGTEXT("Fond transparent|1530", "Transparent background|1530")}));
    EXPECT_EQ(MenuItems(Rec.ColorsMenu),
              (V{LANGTEXT("Couleur des \xE9" "critures|1531", "Foreground color|1531"),
                 LANGTEXT("Couleur du fond|1532", "Background color|1532"),
                 LANGTEXT("Couleurs par d\xE9" "faut|1533", "Default colors|1533"), "-",
                 LANGTEXT("Choisir police d'\xE9" "criture|1535", "Choose font|1535"),
                 LANGTEXT("Police par d\xE9" "faut|1536", "Default font|1536")}));
    EXPECT_EQ(GetSubMenu(Rec.MainMenu, 2), Rec.ShowInMenu);

    // Each mode command: flag, check mark, window bits and geometry move
    // together; switching twice comes back to the start.
    const struct {
        int id;
        const uint8_t& flag;
        int which;
        LONG bits;
        bool bitsWhenSet;
        Units switched;
    } modes[] = {
        {IDM_ON_TOP, Rec.OnTop, GWL_EXSTYLE, WS_EX_TOPMOST, true, start},
        {IDM_CAPTION, Rec.Caption, GWL_STYLE, WS_CAPTION, true,
         {start.left + 2, start.top + 13, start.width - 2, start.height - 13}},
        {IDM_TASKBAR, Rec.TaskBar, GWL_EXSTYLE, WS_EX_TOOLWINDOW, false,
         {start.left, start.top - 8, start.width, start.height + 8}},
    };
    for (const auto& m : modes) {
        for (int round = 0; round < 2; ++round) {
            const uint8_t before = m.flag;
            Command(w, m.id);
            EXPECT_EQ(m.flag, before ^ 1) << m.id;
            EXPECT_EQ(Checked(m.id), m.flag == 1) << m.id;
            EXPECT_EQ(HasStyle(w, m.which, m.bits), (m.flag == 1) == m.bitsWhenSet) << m.id;
            EXPECT_TRUE(IsWindowVisible(w)) << m.id;
            EXPECT_EQ(WindowUnits(w), round == 0 ? m.switched : start) << m.id;
        }
    }

    // The tray icon comes and goes with its command.
    Command(w, IDM_SYSTRAY);
    EXPECT_EQ(Rec.SysTray, 1);
    EXPECT_TRUE(Checked(IDM_SYSTRAY));
    EXPECT_TRUE(TrayIconShown());
    Command(w, IDM_SYSTRAY);
    EXPECT_FALSE(Checked(IDM_SYSTRAY));
    EXPECT_FALSE(TrayIconShown());

    // Wheel steps of 10 within 25..255 reach the layered attributes.
    EXPECT_EQ(LayeredOf(w).alpha, 255);
    EXPECT_EQ(LayeredOf(w).flags, DWORD(LWA_ALPHA));
    Wheel(w, WHEEL_DELTA);
    EXPECT_EQ(LayeredOf(w).alpha, 255);
    for (int i = 0; i < 3; ++i) Wheel(w, -WHEEL_DELTA);
    EXPECT_EQ(LayeredOf(w).alpha, 225);
    for (int i = 0; i < 30; ++i) Wheel(w, -3 * WHEEL_DELTA);
    EXPECT_EQ(LayeredOf(w).alpha, 25);
    Wheel(w, 1);
    EXPECT_EQ(LayeredOf(w).alpha, 35);
    EXPECT_EQ(Rec.Transparency, 35);

    // "Transparent fonts" and "Transparent background" exclude each other.
    Command(w, IDM_TRANSPARENT_BACKGROUND);
    EXPECT_TRUE(Checked(IDM_TRANSPARENT_BACKGROUND));
    Layered l = LayeredOf(w);
    EXPECT_EQ(l.flags, DWORD(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(l.key, COLORREF(Rec.BgndCol));
    EXPECT_EQ(l.alpha, 35);
    Command(w, IDM_TRANSPARENT_FONTS);
    EXPECT_TRUE(Checked(IDM_TRANSPARENT_FONTS));
    EXPECT_FALSE(Checked(IDM_TRANSPARENT_BACKGROUND));
    EXPECT_EQ((std::pair<int, int>(Rec.FgndTrspt, Rec.BgndTrspt)), (std::pair<int, int>(1, 0)));
    EXPECT_EQ(LayeredOf(w).key, COLORREF(Rec.FgndCol));
    Command(w, IDM_TRANSPARENT_FONTS);
    EXPECT_FALSE(Checked(IDM_TRANSPARENT_FONTS));
    EXPECT_EQ(LayeredOf(w).flags, DWORD(LWA_ALPHA));

    // A display change pulls the window back from the right and bottom edges.
    const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetWindowPos(w, nullptr, sw - 40, sh - 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(sw, sh));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_NEAR(r.right, sw, 2);
    EXPECT_NEAR(r.bottom, sh, 2);
    SetWindowPos(w, nullptr, -40, -30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(sw, sh));
    GetWindowRect(w, &r);
    EXPECT_NEAR(r.left, -40, 2);  // left and top are not checked
    EXPECT_NEAR(r.top, -30, 2);

    // "Exit" saves once, at the end, and takes the tray icon away.
    Command(w, IDM_SYSTRAY);
    ASSERT_TRUE(TrayIconShown());
    const NOTIFYICONDATAA tray = Rec.TrayIcon;
    RemoveIni();
    const unsigned saves = APPEARANCESAVECOUNT;
    EXPECT_TRUE(Exit(w));
    EXPECT_EQ(APPEARANCESAVECOUNT, saves + 1);
    EXPECT_EQ(Profile("All", "Transparency"), "35");
    EXPECT_EQ(Profile("All", "SysTray"), "1");
    NOTIFYICONDATAA again = tray;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &again));
}

TEST(AppearanceWindow, TrayIconDataIsTheFirstVersionWithACutTip) {
    AppearanceRecord record;
    record.Window = reinterpret_cast<HWND>(0x1234);
    const std::string tip(100, 't');
    INITTRAYICONDATA(tip.c_str(), "  ICO1 ", record);
    const NOTIFYICONDATAA& t = record.TrayIcon;
    EXPECT_EQ(t.cbSize, DWORD(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(t.hWnd, record.Window);
    EXPECT_EQ(t.uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr))));
    EXPECT_EQ(t.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(t.uCallbackMessage, 1025u);
    EXPECT_EQ(std::string(t.szTip), tip.substr(0, 63));
    INITTRAYICONDATA(CLOCKTITLE, "ICO1", record);
    EXPECT_STREQ(record.TrayIcon.szTip, "orlo clock");
}

TEST(AppearanceWindow, FileWithOnlyCoordTakesThePerKeyDefaults) {
    WriteIni("[Coord]\r\nLeft= 150\r\nTop= 140\r\nWidth= 140\r\nHeight= 80\r\n");
    StartedClock clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ((std::vector<int>{Rec.OnTop, Rec.Caption, Rec.TaskBar, Rec.SysTray, Rec.Transparency, Rec.FgndTrspt,
                                Rec.BgndTrspt, Rec.FgndCol, Rec.BgndCol, Rec.FontAttr}),
              (std::vector<int>{0, 1, 1, 0, 255, 0, 0, 0, 16777215, 0}));
    EXPECT_STREQ(Rec.FontName, "MS Sans Serif");
    EXPECT_EQ(Rec.FontSize, 10.0f);
    EXPECT_FALSE(HasStyle(w, GWL_EXSTYLE, WS_EX_TOPMOST));
    EXPECT_TRUE(HasStyle(w, GWL_STYLE, WS_CAPTION));
    EXPECT_FALSE(HasStyle(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW));
    EXPECT_FALSE(Checked(IDM_ON_TOP));
    EXPECT_TRUE(Checked(IDM_TASKBAR));
    // A normal title bar: the saved geometry less 2 and 20.
    EXPECT_EQ(WindowUnits(w), (Units{148, 120, 138, 60}));

    // A hand edit while the clock runs is overwritten at the next save;
    // keys the clock does not know are left alone.
    WritePrivateProfileStringA("All", "Transparency", " 100", IniPath().c_str());
    WritePrivateProfileStringA("All", "Mine", "kept", IniPath().c_str());
    Save(w);
    EXPECT_EQ(Profile("All", "Transparency"), "255");
    EXPECT_EQ(Profile("All", "Mine"), "kept");
    EXPECT_EQ(Profile("Coord", "Top"), "140");
    EXPECT_EQ(Rec.Transparency, 255);

    // Minimised, the place is not saved.
    WritePrivateProfileStringA("Coord", "Top", "7", IniPath().c_str());
    ShowWindow(w, SW_MINIMIZE);
    Save(w);
    EXPECT_EQ(Profile("Coord", "Top"), "7");
    EXPECT_EQ(Profile("All", "TaskBar"), "1");
}

TEST(AppearanceWindow, ChosenSettingsRoundTripThroughTheProfileFile) {
    WriteIni("[Coord]\r\nLeft= 150\r\nTop= 140\r\nWidth= 140\r\nHeight= 80\r\n[All]\r\nOnTop= 1\r\nCaption= 0\r\n"
             "TaskBar= 0\r\nSysTray= 0\r\nTransparency= 200\r\nFgndTrspt= 0\r\nBgndTrspt= 1\r\nFgndCol= 255\r\n"
             "BgndCol= 16777215\r\nFontName= Courier New\r\nFontSize= 10.5\r\nFontAttr= 2\r\n[Custom]\r\n"
             "CustomColorC00= 1000\r\nCustomColorC15=-15000\r\n");
    {
        StartedClock clock;
        HWND w = clock.Window();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(WindowUnits(w), (Units{150, 140, 140, 80}));  // no title bar: no allowance
        EXPECT_FALSE(HasStyle(w, GWL_STYLE, WS_CAPTION));
        EXPECT_TRUE(Checked(IDM_TRANSPARENT_BACKGROUND));
        const Layered l = LayeredOf(w);
        EXPECT_EQ(l.key, COLORREF(16777215));
        EXPECT_EQ(l.alpha, 200);
        EXPECT_EQ(Rec.FontSize, 10.5f);
        EXPECT_STREQ(Rec.FontName, "Courier New");
        EXPECT_EQ(Rec.CustomColors[15], -15000);
        EXPECT_TRUE(Exit(w));
    }
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } kept[] = {{"Coord", "Left", "150"},          {"Coord", "Height", "80"},        {"All", "OnTop", "1"},
                {"All", "Caption", "0"},           {"All", "Transparency", "200"},   {"All", "BgndTrspt", "1"},
                {"All", "FgndCol", "255"},         {"All", "FontName", "Courier New"}, {"All", "FontSize", "10.5"},
                {"All", "FontAttr", "2"},          {"Custom", "CustomColorC00", "1000"},
                {"Custom", "CustomColorC15", "-15000"}, {"Custom", "CustomColorC07", "0"}};
    for (const auto& k : kept) EXPECT_EQ(Profile(k.section, k.key), k.value) << k.key;
}

TEST(AppearanceWindow, DamagedFilesLoadWithSaneValues) {
    std::mt19937 random(20261207);
    std::string binary(4000, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    const std::string longLine = "[All]\r\nFontName=" + std::string(100000, 'x') + "\r\n" + std::string(100000, 'y');
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"binary", binary},
        {"huge numbers, flags 2, no opacity, long lines",
         "[Coord]\r\nLeft=99999999999999999999\r\nTop=-2147483649\r\nWidth=" + std::string(400, '1') +
             "\r\nHeight=nan\r\n[All]\r\nOnTop=2\r\nCaption=3\r\nTaskBar=-1\r\nTransparency=0\r\nFontSize=1e308\r\n"
             "FontAttr=inf\r\nBgndCol=0x7fffffff\r\n" + longLine},
        {"off every monitor, no size", "[Coord]\r\nLeft=30000\r\nTop=-30000\r\nWidth=0\r\nHeight=-50\r\n"
                                       "[All]\r\nTransparency=256\r\n"},
        {"a sliver above the top edge",
         "[Coord]\r\nLeft= 100\r\nTop=-20\r\nWidth= 24\r\nHeight= 24\r\n[All]\r\nCaption= 0\r\n"},
        {"sections twice, stray bytes", "[All]\r\nOnTop= 1\r\n[All]\r\nOnTop= 0\r\n\0\xFF\x1A\r[Coord\r\n=\r\n"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        WriteIni(f.bytes);
        StartedClock clock;
        HWND w = clock.Window();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_TRUE(Reachable(w));
        const Units u = WindowUnits(w);
        EXPECT_GE(u.width, 20);
        EXPECT_GE(u.height, 20);
        for (uint8_t flag : {Rec.OnTop, Rec.Caption, Rec.TaskBar, Rec.SysTray, Rec.FgndTrspt, Rec.BgndTrspt})
            EXPECT_LE(flag, 1);
        EXPECT_GE(Rec.Transparency, 25);
        EXPECT_EQ(Checked(IDM_CAPTION), Rec.Caption == 1);
        EXPECT_TRUE(Exit(w));
        // What was saved loads again as it was saved.
        EXPECT_EQ(Profile("All", "Transparency"), std::to_string(Rec.Transparency));
        EXPECT_EQ(Profile("All", "FontName"), Rec.FontName);
    }

    // A read-only file loads and is left as it is.
    const std::string chosen = "[All]\r\nTransparency= 120\r\nCaption= 0\r\n";
    WriteIni(chosen);
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    {
        StartedClock clock;
        ASSERT_NE(clock.Window(), nullptr);
        EXPECT_EQ(Rec.Transparency, 120);
        EXPECT_TRUE(Exit(clock.Window()));
    }
    EXPECT_EQ(ReadIni(), chosen);
    RemoveIni();
}

}  // namespace
