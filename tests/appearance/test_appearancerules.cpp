// The appearance rules that need no window: the settings file's path, its value formats and its attributes after a
// save, the geometry of the window modes and of a window kept reachable, the wheel, and fonts from a damaged file
// and from the font dialog.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>
#include <string>

#include "appearance/fontrules.h"
#include "appearance/settingsfile.h"
#include "appearance/windowmodes.h"

namespace {

using Rect = std::array<int32_t, 4>;  // left, top, width, height
Rect rectOf(const AppearanceSettings& s) { return {s.Left, s.Top, s.Width, s.Height}; }
AppearanceSettings at(const Rect& r, uint8_t caption = 1, uint8_t taskbar = 0) {
    AppearanceSettings s;
    s.Left = r[0], s.Top = r[1], s.Width = r[2], s.Height = r[3], s.Caption = caption, s.TaskBar = taskbar;
    return s;
}

// What is written for `key` after `text` was read for it.
std::string readAndWritten(const std::string& key, const std::string& text) {
    std::size_t i = 0;
    while (i < SETTINGSKEYCOUNT && SETTINGSKEYS()[i].Key != key) ++i;
    if (i == SETTINGSKEYCOUNT) return "<no key " + key + ">";
    AppearanceSettings s;
    STORESETTING(s, i, text);
    return SETTINGTEXT(s, i, {});
}

TEST(SettingsFile, PathFromTheExecutableAndTheTitle) {
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    const struct {
        std::string exe, title, path;
    } cases[] = {
        // clang-format off
        {"C:\\Tools\\orloclock.exe", "orlo clock",    "C:\\Tools\\orloclock_orloclock.ini"},
        {"C:\\Tools\\orloclock.exe", " :/;,\\",       "C:\\Tools\\orloclock_.ini"},
        {"D:\\clock.old.exe",        "a:b/c;d,e\\f g", "D:\\clock.old_abcdefg.ini"},
        {"E:\\my.dir\\clock",        "x",             "E:\\my.dir\\clock_x.ini"},  // a dot in the folder is no extension
        {deep + "orloclock.exe",     "orlo clock",    (deep + "orloclock_orloclock.ini").substr(0, 259)},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(SETTINGSFILEPATH(c.exe, c.title), c.path) << c.exe << " titled " << c.title;
}

TEST(SettingsFile, ValuesReadAndWrittenBack) {
    // A key's text in the file, and what is written for it again: bytes keep their low 8 bits, the opacity is then
    // held at 25 or more, flags are 0 or 1, numbers round with ties to even, font sizes stay within the float range.
    const struct {
        const char* key;
        std::string text, written;
    } cases[] = {
        // clang-format off
        {"Transparency",   "300",                  " 44"},
        {"Transparency",   "-1",                   " 255"},
        {"Transparency",   "256",                  " 25"},
        {"Transparency",   "garbage",              " 25"},
        {"FontAttr",       "257",                  " 1"},
        {"FontAttr",       "2.5",                  " 2"},
        {"FontAttr",       "3.5",                  " 4"},
        {"OnTop",          "2",                    " 1"},
        {"Caption",        "-1",                   " 1"},
        {"SysTray",        "256",                  " 0"},
        {"FgndTrspt",      " \t\n7x",              " 1"},
        {"BgndTrspt",      "- 3",                  " 0"},
        {"FgndCol",        "2147483648",           "-2147483648"},
        {"BgndCol",        "4294967296",           " 0"},
        {"BgndCol",        "99999999999999999999", " 0"},
        {"CustomColorC15", "-2.5",                 "-2"},
        {"CustomColorC00", "0x1F",                 " 0"},
        {"FgndCol",        "1e5",                  " 1"},
        {"FgndCol",        ".5",                   " 0"},
        {"FontSize",       "10.5",                 " 10.5"},
        {"FontSize",       "12.3456789",           " 12.34568"},
        {"FontSize",       "nan",                  " 0"},
        {"FontSize",       "666666651600",         " 666666700000"},
        {"FontSize",       "0.00001",              " 0.00001"},
        {"FontSize",       "-0",                   " 0"},
        {"FontSize",       std::string(400, '9'),  " 340282300000000000000000000000000000000"},
        {"FontName",       "Courier New",          " Courier New"},
        {"FontName",       std::string(1000, 'f'), " " + std::string(259, 'f')},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAndWritten(c.key, c.text), c.written) << c.key << "=" << c.text.substr(0, 20);
}

TEST(WindowModes, TheTitleBarsAllowanceSavedAndTakenOff) {
    // Saved with the caption allowance (2 and 13 units, 20 with a normal title
    // bar) and taken off again at the start, the window comes back where it was.
    const Rect window{7, 8, 9, 10}, start{100, 100, 130, 60};
    const struct {
        uint8_t caption, taskbar;
        Rect saved;
    } saves[] = {
        {1, 0, {102, 113, 132, 73}},
        {1, 1, {102, 120, 132, 80}},
        {0, 0, window},
        {0, 1, window},
    };
    for (const auto& c : saves) {
        SCOPED_TRACE("caption " + std::to_string(c.caption) + ", taskbar " + std::to_string(c.taskbar));
        EXPECT_EQ(SAVEDCOORDS(at(start, c.caption, c.taskbar), window), c.saved);
        AppearanceSettings loaded = at(c.saved, c.caption, c.taskbar);
        REMOVECAPTIONALLOWANCE(loaded);
        EXPECT_EQ(rectOf(loaded), c.caption ? start : window);
    }
}

TEST(WindowModes, WheelHoldsTheOpacityWithinItsRange) {
    const int wheel[][3] = {
        // clang-format off
        // from, delta, to
        {250,  120,   255},
        {30,   -120,  25},
        {25,   -120,  25},
        {10,   120,   20},
        {10,   -120,  25},
        {100,  1,     110},
        {100,  -1200, 90},
        {100,  0,     100},
        // clang-format on
    };
    for (const auto& [from, delta, to] : wheel) {
        AppearanceSettings s;
        s.Transparency = static_cast<uint8_t>(from);
        WHEELSTEP(s, delta);
        EXPECT_EQ(int(s.Transparency), to) << "from " << from << " by " << delta;
    }
}

TEST(WindowModes, KeptReachableOnTheScreen) {
    // A display change (keep) pulls the window back from the right and bottom edges only; at start, a window with no
    // piece on a monitor (pull; seen: one that has) comes onto the nearest work area, and its size is held (hold)
    // between the whole face (here 132 x 68 with its frame) and the screen.
    const auto keep = [](AppearanceSettings& s) { KEEPONSCREEN(s, 640, 480); };
    const auto pull = [](AppearanceSettings& s) { PULLINTOAREA(s, false, UnitRect{0, 0, 853, 640}); };
    const auto seen = [](AppearanceSettings& s) { PULLINTOAREA(s, true, UnitRect{0, 0, 853, 640}); };
    const auto hold = [](AppearanceSettings& s) { HOLDWINDOWSIZE(s, 132, 68, 853, 640); };
    const struct {
        const char* name;
        void (*rule)(AppearanceSettings&);
        Rect from, to;
    } cases[] = {
        // clang-format off
        {"keep", keep, {800, 700, 132, 73},       {508, 407, 132, 73}},
        {"keep", keep, {-50, -40, 132, 73},       {-50, -40, 132, 73}},
        {"pull", pull, {30000, 30000, 132, 73},   {721, 567, 132, 73}},
        {"pull", pull, {-30000, -5000, 132, 73},  {0, 0, 132, 73}},
        {"seen", seen, {800, 600, 132, 73},       {800, 600, 132, 73}},
        {"pull", pull, {-5000, 10, 900, 700},     {0, 0, 900, 700}},
        {"hold", hold, {0, 0, 0, -50},            {0, 0, 132, 68}},
        {"hold", hold, {0, 0, 100000, 100000},    {0, 0, 853, 640}},
        {"hold", hold, {0, 0, 132, 57},           {0, 0, 132, 68}},
        {"hold", hold, {0, 0, 140, 80},           {0, 0, 140, 80}},
        {"hold", hold, {0, 0, 100, 900},          {0, 0, 132, 640}},
        // clang-format on
    };
    for (const auto& c : cases) {
        AppearanceSettings s = at(c.from);
        c.rule(s);
        EXPECT_EQ(rectOf(s), c.to) << c.name << " from " << testing::PrintToString(c.from);
    }
}

TEST(FontRules, ADamagedSizeAndTheFontDialogsChoice) {
    // A size from a damaged file: 0 or none counts as 8 points, sizes are held within 4..200 points; an absurd
    // resolution is held, not overflowed.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float sizes[][2] = {
        // clang-format off
        // FontSize, the date label's points
        {0,     8},
        {nan,   8},
        {-3,    4},
        {1e30f, 200},
        {inf,   200},
        // clang-format on
    };
    for (const auto& [size, points] : sizes) EXPECT_EQ(LABELPOINTS(size), points) << "FontSize " << size;
    EXPECT_EQ(FONTHEIGHT(800, INT32_MAX), -INT32_MAX);
    EXPECT_EQ(FONTDIALOGHEIGHT(200, INT32_MAX), -INT32_MAX);
    // The dialog gives back tenths of points, stored as whole points (ties to even), and the attributes.
    EXPECT_EQ(CHOSENFONTSIZE(105), 10.0f);
    EXPECT_EQ(CHOSENFONTSIZE(115), 12.0f);
    const struct {
        int32_t weight;
        bool italic, underline, strikeout;
        int attributes;  // the file's FontAttr: bold 1, italic 2, underlined 4, struck out 8
    } chosen[] = {
        // clang-format off
        {699, true,  false, false, 2},
        {700, false, true,  true,  13},
        {900, false, false, false, 1},  // heavier than bold is bold
        // clang-format on
    };
    for (const auto& c : chosen)
        EXPECT_EQ(int(CHOSENFONTATTR(c.weight, c.italic, c.underline, c.strikeout)), c.attributes)
            << "weight " << c.weight << (c.italic ? ", italic" : "") << (c.underline ? ", underlined" : "")
            << (c.strikeout ? ", struck out" : "");
}

TEST(SettingsFile, AttributesAfterASave) {
    // Hidden and system as the user set them, whatever the save's copy had; the archive bit always set, so that a
    // backup that cleared it copies the new settings. Without the file, the copy's own bits are the user's.
    constexpr uint32_t NONE = 0, H = FILEHIDDEN, S = FILESYSTEM, A = FILEARCHIVE, N = FILENORMAL;
    struct Row {
        const char* what;
        std::optional<uint32_t> before;
        uint32_t now, after;
    };
    // clang-format off
    const Row rows[] = {
        {"a hidden file a backup had copied",        H,            N,     H | A},
        {"a hidden system file, copy moved in",      H | S | A,    A,     H | S | A},
        {"a plain file keeps no hidden bit",         A,            H | A, A},
        {"a file whose archive bit a backup cleared", N,           N,     A},
        {"recovered: the copy's own bits",           std::nullopt, H | S, H | S | A},
        {"recovered plain copy",                     std::nullopt, N,     A},
        {"other bits stay as they are",              NONE,         0x2000, 0x2000 | A},
    };
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(SAVEDATTRIBUTES(r.before, r.now), r.after) << r.what << std::hex << ": now 0x" << r.now;
}

}  // namespace
