// The appearance rules that need no window: the settings file's path, value formats and read rules, the geometry
// of the window modes, the wheel, the fonts, the colour choice and the transparency trackbar.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "appearance/fontrules.h"
#include "appearance/settingsfile.h"
#include "appearance/transparencyrules.h"
#include "appearance/windowmodes.h"

namespace {

using Rect = std::array<int32_t, 4>;
Rect rectOf(const AppearanceSettings& s) { return {s.Left, s.Top, s.Width, s.Height}; }
AppearanceSettings at(const Rect& r, uint8_t caption = 1, uint8_t taskbar = 0) {
    AppearanceSettings s;
    s.Left = r[0], s.Top = r[1], s.Width = r[2], s.Height = r[3], s.Caption = caption, s.TaskBar = taskbar;
    return s;
}

// clang-format off
TEST(SettingsFile, PathFromTheExecutableAndTheTitle) {
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    const std::string cases[][3] = {  // executable, title, settings file
        {"C:\\Tools\\orloclock.exe", "orlo clock", "C:\\Tools\\orloclock_orloclock.ini"},
        {"C:\\Tools\\orloclock.exe", " :/;,\\", "C:\\Tools\\orloclock_.ini"},
        {"D:\\clock.old.exe", "a:b/c;d,e\\f g", "D:\\clock.old_abcdefg.ini"},
        {"E:\\my.dir\\clock", "x", "E:\\my.dir\\clock_x.ini"},  // a dot in the folder is no extension
        {deep + "orloclock.exe", "orlo clock", (deep + "orloclock_orloclock.ini").substr(0, 259)}};
    for (const auto& [exe, title, path] : cases) EXPECT_EQ(SETTINGSFILEPATH(exe, title), path) << exe << " / " << title;
}

TEST(SettingsFile, ValuesReadAndWrittenBack) {
    // A key's text in the file, and what is written for it again: bytes keep their low 8 bits, the opacity is then
    // held at 25 or more, flags are 0 or 1, numbers round with ties to even, font sizes stay within the float range.
    const std::string cases[][3] = {
        {"Transparency", "300", " 44"}, {"Transparency", "-1", " 255"}, {"Transparency", "256", " 25"},
        {"Transparency", "garbage", " 25"}, {"FontAttr", "257", " 1"}, {"FontAttr", "2.5", " 2"},
        {"FontAttr", "3.5", " 4"}, {"OnTop", "2", " 1"}, {"Caption", "-1", " 1"}, {"SysTray", "256", " 0"},
        {"FgndTrspt", " \t\n7x", " 1"}, {"BgndTrspt", "- 3", " 0"}, {"FgndCol", "2147483648", "-2147483648"},
        {"BgndCol", "4294967296", " 0"}, {"BgndCol", "99999999999999999999", " 0"}, {"CustomColorC15", "-2.5", "-2"},
        {"CustomColorC00", "0x1F", " 0"}, {"FgndCol", "1e5", " 1"}, {"FgndCol", ".5", " 0"},
        {"FontSize", "10.5", " 10.5"}, {"FontSize", "12.3456789", " 12.34568"}, {"FontSize", "nan", " 0"},
        {"FontSize", "666666651600", " 666666700000"}, {"FontSize", "0.00001", " 0.00001"}, {"FontSize", "-0", " 0"},
        {"FontSize", std::string(400, '9'), " 340282300000000000000000000000000000000"},
        {"FontName", "Courier New", " Courier New"}, {"FontName", std::string(1000, 'f'), " " + std::string(259, 'f')}};
    for (const auto& [key, text, written] : cases) {
        std::size_t i = 0;
        while (i < SETTINGSKEYCOUNT && SETTINGSKEYS()[i].Key != key) ++i;
        ASSERT_LT(i, SETTINGSKEYCOUNT) << key;
        AppearanceSettings s;
        STORESETTING(s, i, text);
        EXPECT_EQ(SETTINGTEXT(s, i, {}), written) << key << "=" << text.substr(0, 20);
    }
}

TEST(SettingsFile, KeysMissingFromAFile) {
    // A key missing from a file takes its default: a file of only [Coord] loads these, unlike the clock's start values.
    AppearanceSettings s;
    for (std::size_t i = COORDKEYS; i < SETTINGSKEYCOUNT; ++i) STORESETTING(s, i, SETTINGSKEYS()[i].Default);
    EXPECT_EQ((std::array<int, 12>{s.OnTop, s.Caption, s.TaskBar, s.SysTray, s.Transparency, s.FgndTrspt,
                                   s.BgndTrspt, s.FgndCol, s.BgndCol, s.FontAttr, s.OverFullScreen, s.CustomColors[15]}),
              (std::array<int, 12>{0, 1, 1, 0, 255, 0, 0, 0, 16777215, 0, 0, 0}));
    EXPECT_EQ(s.FontName + std::to_string(s.FontSize), "MS Sans Serif10.000000");
}

TEST(WindowModes, GeometryOfTheTitleBarAndTheTaskbar) {
    // Saved with the caption allowance (2 and 13 units, 20 with a normal title
    // bar) and taken off again at the start, the window comes back where it was.
    const Rect window{7, 8, 9, 10}, start{100, 100, 130, 60};
    const std::tuple<uint8_t, uint8_t, Rect> saves[] = {  // caption, taskbar, saved
        {1, 0, {102, 113, 132, 73}}, {1, 1, {102, 120, 132, 80}}, {0, 0, window}, {0, 1, window}};
    for (const auto& [caption, taskbar, saved] : saves) {
        EXPECT_EQ(SAVEDCOORDS(at(start, caption, taskbar), window), saved) << int(caption) << int(taskbar);
        AppearanceSettings loaded = at(saved, caption, taskbar);
        REMOVECAPTIONALLOWANCE(loaded);
        EXPECT_EQ(rectOf(loaded), caption ? start : window);
    }
    const std::tuple<bool, int, int, Rect, Rect> toggles[] = {  // caption toggle?; caption, taskbar after it; from, to
        {true, 0, 0, {177, 175, 132, 73}, {179, 188, 130, 60}}, {true, 1, 0, {179, 188, 130, 60}, {177, 175, 132, 73}},
        {true, 0, 1, {177, 175, 132, 73}, {179, 195, 130, 53}}, {false, 1, 1, {100, 100, 132, 73}, {100, 92, 132, 81}},
        {false, 1, 0, {100, 92, 132, 81}, {100, 100, 132, 73}},
        {false, 0, 1, {100, 100, 132, 73}, {100, 100, 132, 73}}};
    for (const auto& [captionToggle, caption, taskbar, from, to] : toggles) {
        AppearanceSettings s = at(from, caption, taskbar);
        captionToggle ? CAPTIONTOGGLEGEOMETRY(s) : TASKBARTOGGLEGEOMETRY(s);
        EXPECT_EQ(rectOf(s), to) << captionToggle << caption << taskbar;
    }
}

TEST(WindowModes, WheelAndSeeThroughModes) {
    AppearanceSettings s;
    const int wheel[][3] = {{250, 120, 255}, {30, -120, 25}, {25, -120, 25}, {10, 120, 20},  // from, delta, to
                            {10, -120, 25}, {100, 1, 110}, {100, -1200, 90}, {100, 0, 100}};
    for (const auto& [from, delta, to] : wheel) {
        s.Transparency = static_cast<uint8_t>(from);
        WHEELSTEP(s, delta);
        EXPECT_EQ(s.Transparency, to) << from << " " << delta;
    }
    s.FgndTrspt = s.BgndTrspt = 1;  // both, from a file: the first toggle clears the other
    TOGGLETRANSPARENTFONTS(s);
    EXPECT_TRUE(s.FgndTrspt == 0 && s.BgndTrspt == 0);
    TOGGLETRANSPARENTBACKGROUND(s);
    TOGGLETRANSPARENTFONTS(s);
    EXPECT_TRUE(s.FgndTrspt == 1 && s.BgndTrspt == 0);
}

TEST(WindowModes, KeptReachableOnTheScreen) {
    // A display change (keep) pulls the window back from the right and bottom edges only; at start, a window with no
    // piece on a monitor (pull; seen: one that has) comes onto the nearest work area, and its size is held (hold)
    // between the whole face (here 132 x 68 with its frame) and the screen.
    const auto keep = [](AppearanceSettings& s) { KEEPONSCREEN(s, 640, 480); };
    const auto pull = [](AppearanceSettings& s) { PULLINTOAREA(s, false, UnitRect{0, 0, 853, 640}); };
    const auto seen = [](AppearanceSettings& s) { PULLINTOAREA(s, true, UnitRect{0, 0, 853, 640}); };
    const auto hold = [](AppearanceSettings& s) { HOLDWINDOWSIZE(s, 132, 68, 853, 640); };
    const struct { void (*rule)(AppearanceSettings&); Rect from, to; } cases[] = {
        {keep, {800, 700, 132, 73}, {508, 407, 132, 73}}, {keep, {-50, -40, 132, 73}, {-50, -40, 132, 73}},
        {pull, {30000, 30000, 132, 73}, {721, 567, 132, 73}}, {pull, {-30000, -5000, 132, 73}, {0, 0, 132, 73}},
        {seen, {800, 600, 132, 73}, {800, 600, 132, 73}}, {pull, {-5000, 10, 900, 700}, {0, 0, 900, 700}},
        {hold, {0, 0, 0, -50}, {0, 0, 132, 68}}, {hold, {0, 0, 100000, 100000}, {0, 0, 853, 640}},
        {hold, {0, 0, 132, 57}, {0, 0, 132, 68}}, {hold, {0, 0, 140, 80}, {0, 0, 140, 80}},
        {hold, {0, 0, 100, 900}, {0, 0, 132, 640}}};
    for (const auto& [rule, from, to] : cases) {
        AppearanceSettings s = at(from);
        rule(s);
        EXPECT_EQ(rectOf(s), to) << from[0] << "," << from[1] << " " << from[2] << "x" << from[3];
    }
}

TEST(FontRules, LabelHeightsAndTheFontDialog) {
    // The time label is four times the date label; 0 or no size counts as 8 points, and sizes are held within 4..200
    // points. Font size, resolution (136: a dialog's units, 17/12 of those at 96 dpi), time and date heights.
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<float, double, int, int> heights[] = {
        {12, 96, -64, -16}, {10.5f, 96, -56, -14}, {12, 120, -80, -20}, {12, 136, -91, -23}, {11.25f, 96, -60, -15},
        {0, 96, -43, -11}, {nan, 96, -43, -11}, {1.5f, 96, -21, -5}, {-3, 96, -21, -5}, {1e30f, 96, -1067, -267},
        {inf, 96, -1067, -267}};
    for (const auto& [size, dpi, time, date] : heights)
        EXPECT_EQ(std::pair(FONTHEIGHT(LABELPOINTS(size) * TIME_LABEL_SCALE, dpi), FONTHEIGHT(LABELPOINTS(size), dpi)),
                  std::pair(time, date)) << size;
    EXPECT_EQ(FONTHEIGHT(1.875f, 96), -2);              // 2.5 pixels: a tie goes to the even neighbour
    EXPECT_EQ(FONTHEIGHT(800, INT32_MAX), -INT32_MAX);  // an absurd resolution: held, not overflowed
    EXPECT_EQ(FONTDIALOGHEIGHT(200, INT32_MAX), -INT32_MAX);
    // The dialog opens at whole points (ties to even), its height truncated; it gives back whole points and attributes.
    const float dialog[][3] = {{10.5f, 10, -13}, {11.5f, 12, -16}, {10.6f, 11, -14}, {0, 8, -10}, {500, 200, -266}};
    for (const auto& [size, points, height] : dialog)
        EXPECT_EQ(std::pair(FONTDIALOGPOINTS(size), float(FONTDIALOGHEIGHT(size, 96))), std::pair(points, height));
    EXPECT_EQ(std::make_pair(CHOSENFONTSIZE(105), CHOSENFONTSIZE(115)), std::make_pair(10.0f, 12.0f));
    EXPECT_EQ(CHOSENFONTATTR(699, true, false, false) * 100 + CHOSENFONTATTR(700, false, true, true), 213);
    EXPECT_EQ(CHOSENFONTATTR(900, false, false, false), FONTATTR_BOLD);  // heavier than bold is bold
    EXPECT_EQ(std::make_pair(FONTWEIGHT(14), FONTWEIGHT(15)), std::make_pair(400, 700));
}

TEST(ColorRules, TheDialogsChoice) {
    AppearanceSettings s;
    s.FgndCol = 0x112233;
    s.BgndCol = static_cast<int32_t>(0xFF445566);  // a stray high byte paints like its low 24 bits
    const std::tuple<const char*, bool, int32_t, int32_t> cases[] = {  // role, confirmed, chosen, stored
        {"Foreground", true, 0x0000FF, 0x0000FF}, {"Foreground", false, 0x0000FF, 0x112233},  // confirmed, cancelled
        {"Foreground", true, 0x445566, 0x112233}, {"BACKGROUND", true, 0x112233, s.BgndCol},  // refused: the other's
        {"BACKGROUND", true, 0x112234, 0x112234}, {"x", true, 0x808080, 0x808080}};  // an unknown role
    for (const auto& [role, ok, chosen, stored] : cases)
        EXPECT_EQ(CHOSENCOLOR(COLORROLE(CLOCKCOLORNAMED(role), s), ok, chosen), stored) << role << std::hex << chosen;
    DEFAULTFONTSETTINGS(s);
    DEFAULTCOLORSETTINGS(s);
    EXPECT_EQ(std::make_tuple(s.FgndCol, s.BgndCol, std::string(s.FontName), s.FontSize, int(s.FontAttr)),
              std::make_tuple(0, 14933984, std::string("Tahoma"), 12.0f, 1));
}

TEST(TrackbarRules, EveryRequest) {
    EXPECT_EQ(std::make_tuple(TRACKBARPOSITION(255), TRACKBARPOSITION(140), TRACKBARPOSITION(10)),
              std::make_tuple(25, 140, 270));  // below the range: past the bottom end
    const int cases[][4] = {  // request, thumb position, opacity before and after (-1: no change)
        {TRACK_THUMBTRACK, 140, 255, 140}, {TRACK_THUMBPOSITION, 25, 30, 255}, {TRACK_THUMBTRACK, 400, 200, 25},
        {TRACK_TOP, 0, 30, 255}, {TRACK_BOTTOM, 0, 255, 25}, {TRACK_PAGEUP, 0, 250, 255}, {TRACK_PAGEUP, 0, 100, 110},
        {TRACK_LINEUP, 0, 100, 101}, {TRACK_PAGEDOWN, 0, 30, 25}, {TRACK_LINEDOWN, 0, 100, 99},
        {TRACK_LINEDOWN, 0, 25, 25}, {TRACK_LINEUP, 0, 10, 11}, {TRACK_ENDTRACK, 140, 100, -1}, {9, 140, 100, -1}};
    uint8_t result = 0;  // no row leaves the previous row's value
    for (const auto& [request, thumb, from, to] : cases)
        EXPECT_EQ(TRACKBARTRANSPARENCY(request, thumb, uint8_t(from), result) ? result : -1, to) << request;
}

// clang-format on

}  // namespace
