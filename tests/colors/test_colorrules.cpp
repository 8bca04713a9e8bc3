// The rules of fonts, colours, dialog placement, the transparency trackbar
// and the About text, without windows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "appearance/fontrules.h"
#include "appearance/transparencyrules.h"
#include "language/abouttext.h"
#include "language/language.h"

namespace {

TEST(FontRules, LabelHeightsFollowTheSizeAtTheScreensDpi) {
    const struct {
        float fontsize;
        int dpi;
        int32_t time, date;
    } cases[] = {
        {12, 96, -64, -16},     // 48 and 12 points
        {10.5f, 96, -56, -14},  // 42 points; 14 exactly
        {9, 96, -48, -12},
        {12, 120, -80, -20},
        {0, 96, -43, -11},      // 0 counts as 8: 32 points is 42.67, 8 points 10.67
        {11.25f, 96, -60, -15},
        {1.5f, 96, -21, -5},    // held at 4 points: 16 is 21.33, 4 is 5.33
        {-3, 96, -21, -5},
        {1e30f, 96, -1067, -267},  // held at 200 points
        {std::numeric_limits<float>::infinity(), 96, -1067, -267},
        {std::numeric_limits<float>::quiet_NaN(), 96, -43, -11},
    };
    for (const auto& c : cases) {
        const float points = LABELPOINTS(c.fontsize);
        EXPECT_EQ(FONTHEIGHT(points * TIME_LABEL_SCALE, c.dpi), c.time) << c.fontsize;
        EXPECT_EQ(FONTHEIGHT(points, c.dpi), c.date) << c.fontsize;
    }
    // A tie goes to the even neighbour: 1.875 points at 96 dpi is 2.5, 4.5 at 120 is 7.5.
    EXPECT_EQ(FONTHEIGHT(1.875f, 96), -2);
    EXPECT_EQ(FONTHEIGHT(4.5f, 120), -8);
    EXPECT_EQ(FONTWEIGHT(1), 700);
    EXPECT_EQ(FONTWEIGHT(14), 400);
    EXPECT_EQ(FONTWEIGHT(15), 700);
}

TEST(FontRules, TheDialogOpensAtWholePointsAndGivesWholePoints) {
    const struct {
        float fontsize;
        float points;
        int32_t height96;
    } opens[] = {{10.5f, 10, -13}, {11.5f, 12, -16}, {12, 12, -16}, {10.6f, 11, -14}, {0, 8, -10}, {500, 200, -266}};
    for (const auto& c : opens) {
        EXPECT_EQ(FONTDIALOGPOINTS(c.fontsize), c.points) << c.fontsize;
        EXPECT_EQ(FONTDIALOGHEIGHT(c.fontsize, 96), c.height96) << c.fontsize;
    }
    const struct {
        int32_t tenths;
        float points;
    } chosen[] = {{120, 12}, {105, 10}, {115, 12}, {106, 11}, {80, 8}, {0, 0}};
    for (const auto& c : chosen) EXPECT_EQ(CHOSENFONTSIZE(c.tenths), c.points) << c.tenths;

    const struct {
        int32_t weight;
        bool italic, underline, strikeout;
        uint8_t attr;
    } attrs[] = {{400, false, false, false, 0}, {700, false, false, false, 1}, {699, true, false, false, 2},
                 {900, true, true, true, 15},   {300, false, true, false, 4},  {800, false, false, true, 9}};
    for (const auto& c : attrs) EXPECT_EQ(CHOSENFONTATTR(c.weight, c.italic, c.underline, c.strikeout), c.attr);
}

TEST(ColorRules, DefaultsAndTheChoiceOfAColour) {
    AppearanceSettings s;
    std::strcpy(s.FontName, "A face with a long name that goes on");
    s.FontSize = 31;
    s.FontAttr = 14;
    s.FgndCol = 255;
    s.BgndCol = 65280;
    DEFAULTFONTSETTINGS(s);
    EXPECT_STREQ(s.FontName, "Tahoma");
    EXPECT_EQ(s.FontName[10], 0);
    EXPECT_EQ(s.FontSize, 12);
    EXPECT_EQ(s.FontAttr, 1);
    EXPECT_EQ(s.FgndCol, 255);  // the font defaults leave the colours
    DEFAULTCOLORSETTINGS(s);
    EXPECT_EQ(s.FgndCol, 0);
    EXPECT_EQ(s.BgndCol, 14933984);

    s.FgndCol = 0x112233;
    s.BgndCol = 0x445566;
    const ColorRole fore = COLORROLE("Foreground", s), back = COLORROLE("BACKGROUND", s), none = COLORROLE("Middle", s);
    EXPECT_TRUE(fore.Known && back.Known);
    EXPECT_FALSE(none.Known);
    const struct {
        ColorRole role;
        bool ok;
        int32_t chosen, stored;
    } cases[] = {
        {fore, true, 0x0000FF, 0x0000FF},    // confirmed
        {fore, false, 0x0000FF, 0x112233},   // cancelled
        {fore, true, 0x445566, 0x112233},    // equal to the background: refused
        {back, true, 0x112233, 0x445566},    // equal to the text colour: refused
        {back, true, 0x112234, 0x112234},
        {fore, true, 0x112233, 0x112233},    // the same colour again
        {none, true, 0, 0},
        {none, true, 0x808080, 0x808080},
    };
    for (const auto& c : cases) EXPECT_EQ(CHOSENCOLOR(c.role, c.ok, c.chosen), c.stored) << std::hex << c.chosen;
    // A stored colour with a stray high byte still paints like its low 24 bits.
    s.BgndCol = static_cast<int32_t>(0xFF445566);
    EXPECT_EQ(CHOSENCOLOR(COLORROLE("foreground", s), true, 0x445566), 0x112233);
}

TEST(PlacementRules, DialogsStayOnTheWorkArea) {
    const PlaceRect area{0, 0, 1280, 994};  // a taskbar of 30 pixels at the bottom
    const struct {
        int32_t left, top, width, height, x, y;
    } cases[] = {
        {300, 200, 400, 300, 300, 200},     // already inside
        {-150, -230, 400, 300, 0, 0},       // clock near the top-left corner
        {1100, 900, 400, 300, 880, 694},    // beyond the right and bottom edges
        {-50, 500, 2000, 300, 0, 500},      // wider than the area: its left edge shows
        {1270, -10, 26, 97, 1254, 0},       // a popup under a cursor in the corner
    };
    for (const auto& c : cases) {
        int32_t x = c.left, y = c.top;
        KEEPONWORKAREA(x, y, c.width, c.height, area);
        EXPECT_EQ(x, c.x) << c.left << "," << c.top;
        EXPECT_EQ(y, c.y) << c.left << "," << c.top;
    }
    int32_t x = 10, y = 10;  // a second monitor to the left
    KEEPONWORKAREA(x, y, 300, 200, PlaceRect{-1024, 0, 0, 768});
    EXPECT_EQ(x, -300);
    EXPECT_EQ(y, 10);
}

TEST(TrackbarRules, EveryRequestAndTheBounds) {
    EXPECT_EQ(TRACKBARPOSITION(255), 25);
    EXPECT_EQ(TRACKBARPOSITION(25), 255);
    EXPECT_EQ(TRACKBARPOSITION(140), 140);
    EXPECT_EQ(TRACKBARPOSITION(10), 270);  // below the range: beyond the bottom end
    const struct {
        int request, position;
        uint8_t current;
        bool changes;
        uint8_t result;
    } cases[] = {
        {TRACK_THUMBTRACK, 140, 255, true, 140},  {TRACK_THUMBPOSITION, 25, 30, true, 255},
        {TRACK_THUMBTRACK, 255, 200, true, 25},   {TRACK_THUMBTRACK, 0, 200, true, 255},   // held within the range
        {TRACK_THUMBTRACK, 400, 200, true, 25},   {TRACK_TOP, 0, 30, true, 255},
        {TRACK_BOTTOM, 0, 255, true, 25},         {TRACK_PAGEUP, 0, 100, true, 110},
        {TRACK_PAGEUP, 0, 250, true, 255},        {TRACK_LINEUP, 0, 100, true, 101},
        {TRACK_LINEUP, 0, 255, true, 255},        {TRACK_PAGEDOWN, 0, 100, true, 90},
        {TRACK_PAGEDOWN, 0, 30, true, 25},        {TRACK_LINEDOWN, 0, 100, true, 99},
        {TRACK_LINEDOWN, 0, 25, true, 25},        {TRACK_PAGEDOWN, 0, 10, true, 25},
        {TRACK_LINEUP, 0, 10, true, 11},          {TRACK_ENDTRACK, 140, 100, false, 0},
        {9, 140, 100, false, 0},                  {-1, 0, 100, false, 0},
    };
    for (const auto& c : cases) {
        uint8_t result = 0;
        EXPECT_EQ(TRACKBARTRANSPARENCY(c.request, c.position, c.current, result), c.changes) << c.request;
        if (c.changes) {
            EXPECT_EQ(result, c.result) << c.request << " from " << int(c.current);
        }
    }
}

TEST(AboutText, NameFolderAndLinesInTheBuildLanguage) {
    const std::string lines = LANGTEXT(
        "\r\n\r\nSimple-clic sur la date = calendrier\r\nDouble-clic sur l'heure = calculatrice\r\n"
        "Clic bouton droit = menu d'apparence\r\nAscenseur de la souris = transparence\r\n\r\n"
        "Cliquez OK pour visiter le site du d\xE9veloppeur",
        "\r\n\r\nSimple-clic on date = calendar\r\nDouble-clic on time = calculator\r\n"
        "Right-clic = window appearance menu\r\nMouse-wheel = transparency\r\n\r\n"
        "Clic OK to visit the developer's website");
    const std::string launched = LANGTEXT("Lanc\xE9 depuis ", "Launched from ");
    const struct {
        const char* path;
        const char* name;
        const char* folder;
    } cases[] = {
        {"C:\\Tools\\myclock.exe", "myclock", "C:\\Tools\\"},
        {"C:\\Tools\\clock.old.exe", "clock.old", "C:\\Tools\\"},
        {"D:\\orloclock.exe", "orloclock", "D:\\"},
        {"C:\\my.tools\\clock", "clock", "C:\\my.tools\\"},  // the folder's dot is not the name's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ABOUTTEXT(c.path),
                  std::string(c.name) + " Version 1.4 (25-OCT-2011)\r\n" + launched + c.folder + lines)
            << c.path;
    }
    EXPECT_EQ(ABOUTTITLE(), LANGTEXT("A propos", "About"));
    EXPECT_EQ(std::string(ABOUT_WEBSITE).rfind("https://", 0), 0u);
}

}  // namespace
