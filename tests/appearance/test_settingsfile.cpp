// The settings file's rules without a window: its path, keys, value formats,
// read rules with the mended ranges, and the caption allowance of saving.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>

#include "appearance/settingsfile.h"

namespace {

std::size_t indexOf(const std::string& key) {
    for (std::size_t i = 0; i < SETTINGSKEYCOUNT; ++i)
        if (SETTINGSKEYS()[i].Key == key) return i;
    ADD_FAILURE() << "no key " << key;
    return SETTINGSKEYCOUNT;
}

AppearanceSettings loaded(const std::string& key, const std::string& text) {
    AppearanceSettings s;
    STORESETTING(s, indexOf(key), text);
    return s;
}

TEST(SettingsPath, FolderNameTitleAndCut) {
    const struct {
        const char* exe;
        const char* title;
        const char* path;
    } cases[] = {
        {"C:\\Tools\\orloclock.exe", "orlo clock", "C:\\Tools\\orloclock_orloclock.ini"},
        {"C:\\Tools\\orloclock.exe", " :/;,\\", "C:\\Tools\\orloclock_.ini"},  // only removed characters
        {"D:\\clock.old.exe", "a:b/c;d,e\\f g", "D:\\clock.old_abcdefg.ini"},
        {"D:\\noext", "orlo clock", "D:\\noext_orloclock.ini"},
        {"E:\\my.dir\\clock", "x", "E:\\my.dir\\clock_x.ini"},  // a dot in the folder is not an extension
    };
    for (const auto& c : cases) EXPECT_EQ(SETTINGSFILEPATH(c.exe, c.title), c.path) << c.exe << " / " << c.title;

    const std::string folder = "C:\\" + std::string(300, 'd') + "\\";
    const std::string cut = SETTINGSFILEPATH(folder + "orloclock.exe", "orlo clock");
    EXPECT_EQ(cut.size(), 259u);
    EXPECT_EQ(cut, (folder + "orloclock_orloclock.ini").substr(0, 259));
}

TEST(SettingsKeys, SectionsKeysAndDefaultsInWrittenOrder) {
    const char* expected[] = {"Coord/Left", "Coord/Top", "Coord/Width", "Coord/Height", "All/OnTop=0",
                              "All/Caption=1", "All/TaskBar=1", "All/SysTray=0", "All/Transparency=255",
                              "All/FgndTrspt=0", "All/BgndTrspt=0", "All/FgndCol=0", "All/BgndCol=16777215",
                              "All/FontName=MS Sans Serif", "All/FontSize=10", "All/FontAttr=0"};
    const auto& keys = SETTINGSKEYS();
    for (std::size_t i = 0; i < SETTINGSKEYCOUNT; ++i) {
        std::string got = std::string(keys[i].Section) + "/" + keys[i].Key;
        if (*keys[i].Default) got += std::string("=") + keys[i].Default;
        char custom[32];
        std::snprintf(custom, sizeof custom, "Custom/CustomColorC%02zu", i - 16);
        EXPECT_EQ(got, i < 16 ? expected[i] : custom) << i;
    }
}

TEST(SettingsValues, WrittenWithLeadingSpaceOrMinusAndLimitedDigits) {
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {
        {255, 7, " 255"},      {-1, 15, "-1"},          {12, 7, " 12"},
        {10.5, 7, " 10.5"},    {14933984, 15, " 14933984"}, {2147483647, 15, " 2147483647"},
        {-2147483648.0, 15, "-2147483648"}, {12.3456789, 7, " 12.34568"}, {-0.0, 7, " 0"},
        {0.1f, 7, " 0.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(FORMATSETTINGNUMBER(c.value, c.digits), c.text) << c.value;
}

TEST(SettingsValues, ReadAsTheLongestLeadingDecimalNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 12", 12},   {"10.5", 10.5}, {"\t\n 7x", 7}, {"-1", -1},   {"+3", 3},   {".5", 0.5}, {"5.", 5},
        {"1e5", 1},    {"0x1F", 0},    {"abc", 0},     {"", 0},      {"-", 0},    {"--3", 0},  {"- 3", 0},
        {"\r5", 0},    {"3.2.1", 3.2}, {"nan", 0},     {"inf", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PARSESETTINGNUMBER(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(PARSESETTINGNUMBER(std::string(400, '1'))));
}

TEST(SettingsValues, StoredByFieldType) {
    // Bytes keep their low 8 bits; Transparency is then held within 25..255.
    EXPECT_EQ(loaded("Transparency", "300").Transparency, 44);
    EXPECT_EQ(loaded("Transparency", "-1").Transparency, 255);
    EXPECT_EQ(loaded("Transparency", "256").Transparency, 25);
    EXPECT_EQ(loaded("Transparency", "0").Transparency, 25);
    EXPECT_EQ(loaded("Transparency", "garbage").Transparency, 25);
    EXPECT_EQ(loaded("FontAttr", "257").FontAttr, 1);
    EXPECT_EQ(loaded("FontAttr", "2.5").FontAttr, 2);  // ties to even
    EXPECT_EQ(loaded("FontAttr", "3.5").FontAttr, 4);
    // A flag is 1 whenever it reads non-zero, so its check mark and toggle work.
    for (const char* key : {"OnTop", "Caption", "TaskBar", "SysTray", "FgndTrspt", "BgndTrspt"}) {
        AppearanceSettings s;
        const std::size_t i = indexOf(key);
        for (const auto& [text, flag] : {std::pair{"2", 1}, {"-1", 1}, {"1", 1}, {"0", 0}, {"256", 0}, {"x", 0}}) {
            STORESETTING(s, i, text);
            const uint8_t got = i == indexOf("OnTop") ? s.OnTop : i == indexOf("Caption") ? s.Caption
                              : i == indexOf("TaskBar") ? s.TaskBar : i == indexOf("SysTray") ? s.SysTray
                              : i == indexOf("FgndTrspt") ? s.FgndTrspt : s.BgndTrspt;
            EXPECT_EQ(got, flag) << key << "=" << text;
        }
    }
    // 32-bit fields: rounded with ties to even, then the low 32 bits.
    EXPECT_EQ(loaded("Left", "2.5").Left, 2);
    EXPECT_EQ(loaded("Left", "-2.5").Left, -2);
    EXPECT_EQ(loaded("Top", "-0.5").Top, 0);
    EXPECT_EQ(loaded("Width", "2147483648").Width, INT32_MIN);
    EXPECT_EQ(loaded("Height", "4294967296").Height, 0);
    EXPECT_EQ(loaded("BgndCol", "99999999999999999999").BgndCol, 0);
    EXPECT_EQ(loaded("CustomColorC15", " 255").CustomColors[15], 255);
    // FontSize is not rounded; nothing overflows into infinity.
    EXPECT_EQ(loaded("FontSize", "10.5").FontSize, 10.5f);
    EXPECT_EQ(loaded("FontSize", std::string(400, '9')).FontSize, FLT_MAX);
    EXPECT_EQ(loaded("FontSize", "-" + std::string(400, '9')).FontSize, -FLT_MAX);
    // FontName: the text as it is, cut to 259 characters.
    EXPECT_STREQ(loaded("FontName", "Courier New").FontName, "Courier New");
    EXPECT_EQ(std::string(loaded("FontName", std::string(1000, 'f')).FontName), std::string(259, 'f'));
}

TEST(SettingsValues, EveryKeyReadsBackWhatWasWritten) {
    AppearanceSettings out;
    out.OnTop = 0, out.Caption = 0, out.TaskBar = 1, out.SysTray = 1, out.Transparency = 140;
    out.FgndTrspt = 1, out.BgndTrspt = 0, out.FgndCol = 255, out.BgndCol = 16777215, out.FontSize = 10.5f;
    out.FontAttr = 15;
    std::snprintf(out.FontName, sizeof out.FontName, "%s", "Courier New");
    for (int i = 0; i < 16; ++i) out.CustomColors[i] = i * 1000 - 3;
    const std::array<int32_t, 4> coords{-20, 40, 132, 73};
    AppearanceSettings in;
    for (std::size_t i = 0; i < SETTINGSKEYCOUNT; ++i) {
        std::string text = SETTINGTEXT(out, i, coords);
        text.erase(0, text.find_first_not_of(' '));  // the profile API strips blanks
        STORESETTING(in, i, text);
    }
    EXPECT_EQ((std::array<int32_t, 4>{in.Left, in.Top, in.Width, in.Height}), coords);
    const auto bytes = [](const AppearanceSettings& a) {
        return std::array<int, 11>{a.OnTop, a.Caption, a.TaskBar, a.SysTray, a.Transparency, a.FgndTrspt,
                                   a.BgndTrspt, a.FgndCol, a.BgndCol, a.FontAttr, a.CustomColors[7]};
    };
    EXPECT_EQ(bytes(in), bytes(out));
    EXPECT_STREQ(in.FontName, "Courier New");
    EXPECT_EQ(in.FontSize, 10.5f);
    EXPECT_EQ(in.CustomColors[15], 14997);
}

TEST(SettingsValues, SavedCoordsCarryTheCaptionAllowance) {
    AppearanceSettings s;
    s.Left = 100, s.Top = 100, s.Width = 130, s.Height = 60;
    const std::array<int32_t, 4> window{7, 8, 9, 10};
    s.Caption = 1, s.TaskBar = 0;
    EXPECT_EQ(SAVEDCOORDS(s, window), (std::array<int32_t, 4>{102, 113, 132, 73}));
    s.TaskBar = 1;
    EXPECT_EQ(SAVEDCOORDS(s, window), (std::array<int32_t, 4>{102, 120, 132, 80}));
    s.Caption = 0;
    EXPECT_EQ(SAVEDCOORDS(s, window), window);
}

}  // namespace
