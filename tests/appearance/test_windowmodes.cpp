// Geometry of the window modes, the wheel's steps, the see-through modes and
// keeping the clock on the screen, in dialog units.
#include <gtest/gtest.h>

#include <array>

#include "appearance/settingsfile.h"
#include "appearance/windowmodes.h"

namespace {

std::array<int32_t, 4> rect(const AppearanceSettings& s) { return {s.Left, s.Top, s.Width, s.Height}; }

AppearanceSettings at(int32_t left, int32_t top, int32_t width, int32_t height) {
    AppearanceSettings s;
    s.Left = left, s.Top = top, s.Width = width, s.Height = height;
    return s;
}

TEST(WindowModes, TitleBarOffAndOnReturnsToTheSameRectangle) {
    for (uint8_t taskbar : {0, 1}) {
        AppearanceSettings s = at(177, 175, 132, 73);
        s.TaskBar = taskbar;
        const int32_t v = taskbar ? 20 : 13;
        s.Caption ^= 1;
        CAPTIONTOGGLEGEOMETRY(s);
        EXPECT_EQ(rect(s), (std::array<int32_t, 4>{179, 175 + v, 130, 73 - v}));
        s.Caption ^= 1;
        CAPTIONTOGGLEGEOMETRY(s);
        EXPECT_EQ(rect(s), (std::array<int32_t, 4>{177, 175, 132, 73}));
    }
}

TEST(WindowModes, TaskbarWithTitleBarMovesEightUpAndEightTaller) {
    AppearanceSettings s = at(100, 100, 132, 73);
    s.TaskBar ^= 1;
    TASKBARTOGGLEGEOMETRY(s);
    EXPECT_EQ(rect(s), (std::array<int32_t, 4>{100, 92, 132, 81}));
    s.TaskBar ^= 1;
    TASKBARTOGGLEGEOMETRY(s);
    EXPECT_EQ(rect(s), (std::array<int32_t, 4>{100, 100, 132, 73}));
    s.Caption = 0;
    s.TaskBar ^= 1;
    TASKBARTOGGLEGEOMETRY(s);
    EXPECT_EQ(rect(s), (std::array<int32_t, 4>{100, 100, 132, 73}));
}

TEST(WindowModes, SaveThenStartComesBackToTheSamePlace) {
    for (uint8_t caption : {0, 1})
        for (uint8_t taskbar : {0, 1}) {
            AppearanceSettings s = at(100, 100, 130, 60);
            s.Caption = caption, s.TaskBar = taskbar;
            const auto saved = SAVEDCOORDS(s, rect(s));
            AppearanceSettings loaded = at(saved[0], saved[1], saved[2], saved[3]);
            loaded.Caption = caption, loaded.TaskBar = taskbar;
            REMOVECAPTIONALLOWANCE(loaded);
            EXPECT_EQ(rect(loaded), rect(s)) << int(caption) << int(taskbar);
        }
}

TEST(WindowModes, WheelStepsOfTenWithin25And255) {
    const struct {
        uint8_t from;
        int delta;
        uint8_t to;
    } cases[] = {{250, 120, 255}, {255, 120, 255}, {30, -120, 25}, {25, -120, 25}, {10, 120, 20},
                 {10, -120, 25},  {100, 1, 110},   {100, -1200, 90}, {100, 0, 100}};
    for (const auto& c : cases) {
        AppearanceSettings s;
        s.Transparency = c.from;
        WHEELSTEP(s, c.delta);
        EXPECT_EQ(s.Transparency, c.to) << int(c.from) << " " << c.delta;
    }
}

TEST(WindowModes, SeeThroughModesExcludeEachOther) {
    AppearanceSettings s;
    TOGGLETRANSPARENTBACKGROUND(s);
    EXPECT_EQ(s.BgndTrspt, 1);
    TOGGLETRANSPARENTFONTS(s);
    EXPECT_EQ(std::pair(s.FgndTrspt, s.BgndTrspt), (std::pair<uint8_t, uint8_t>(1, 0)));
    TOGGLETRANSPARENTBACKGROUND(s);
    EXPECT_EQ(std::pair(s.FgndTrspt, s.BgndTrspt), (std::pair<uint8_t, uint8_t>(0, 1)));
    TOGGLETRANSPARENTBACKGROUND(s);
    EXPECT_EQ(std::pair(s.FgndTrspt, s.BgndTrspt), (std::pair<uint8_t, uint8_t>(0, 0)));
    s.FgndTrspt = s.BgndTrspt = 1;  // both, from a file: the first toggle clears the other
    TOGGLETRANSPARENTFONTS(s);
    EXPECT_EQ(std::pair(s.FgndTrspt, s.BgndTrspt), (std::pair<uint8_t, uint8_t>(0, 0)));
}

TEST(WindowModes, DisplayChangePullsBackFromRightAndBottomOnly) {
    AppearanceSettings s = at(800, 700, 132, 73);
    KEEPONSCREEN(s, 640, 480);
    EXPECT_EQ(rect(s), (std::array<int32_t, 4>{508, 407, 132, 73}));
    s = at(-50, -40, 132, 73);
    KEEPONSCREEN(s, 640, 480);
    EXPECT_EQ(rect(s), (std::array<int32_t, 4>{-50, -40, 132, 73}));
}

TEST(WindowModes, StartPullsAWindowOffEveryMonitorIntoTheNearestWorkArea) {
    const UnitRect area{0, 0, 853, 640};
    const struct {
        std::array<int32_t, 4> from;
        bool visible;
        std::array<int32_t, 4> to;
    } cases[] = {
        {{30000, 30000, 132, 73}, false, {721, 567, 132, 73}},
        {{-30000, -5000, 132, 73}, false, {0, 0, 132, 73}},
        {{900, 100, 132, 73}, false, {721, 100, 132, 73}},
        {{800, 600, 132, 73}, true, {800, 600, 132, 73}},      // partly visible: stays
        {{-5000, 10, 900, 700}, false, {0, 0, 900, 700}},      // larger than the area: top-left
    };
    for (const auto& c : cases) {
        AppearanceSettings s = at(c.from[0], c.from[1], c.from[2], c.from[3]);
        PULLINTOAREA(s, c.visible, area);
        EXPECT_EQ(rect(s), c.to) << c.from[0] << "," << c.from[1];
    }
}

TEST(WindowModes, StartHoldsTheSizeWithinUsableBounds) {
    // With a title bar the minimum height leaves MINWINDOWUNITS below it.
    const struct {
        uint8_t caption, taskbar;
        int32_t width, height, toWidth, toHeight;
    } cases[] = {{0, 0, 0, -50, MINWINDOWUNITS, MINWINDOWUNITS},     {0, 0, 1, 100000, MINWINDOWUNITS, 640},
                 {1, 0, 132, 73, 132, 73},                            {0, 0, 100000, 0, 853, MINWINDOWUNITS},
                 {1, 0, 0, 0, MINWINDOWUNITS, MINWINDOWUNITS + 13}, {1, 1, 30, 5, MINWINDOWUNITS + 6, MINWINDOWUNITS + 20}};
    for (const auto& c : cases) {
        AppearanceSettings s = at(0, 0, c.width, c.height);
        s.Caption = c.caption, s.TaskBar = c.taskbar;
        HOLDWINDOWSIZE(s, 853, 640);
        EXPECT_EQ(std::pair(s.Width, s.Height), std::pair(c.toWidth, c.toHeight)) << c.width << "x" << c.height;
    }
}

}  // namespace
