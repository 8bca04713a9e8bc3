// The calculator window's reaction to its input line, its size rule and the
// calendar's library version arithmetic, without windows.
#include <gtest/gtest.h>

#include "calculator/calculate.h"
#include "calculator/calcwindowstate.h"
#include "dates/comctlversion.h"

namespace {

TEST(CalculatorState, TypingEvaluatesOnlyChangedText) {
    CalculatorState state;
    CalculatorUpdate u = CALCINPUTCHANGED(state, "2 + 3 * 4", "");
    EXPECT_TRUE(u.SetResult);
    EXPECT_EQ(u.Result, "2 + 3 * 4 = 14");
    EXPECT_FALSE(u.SetHistory);
    EXPECT_FALSE(u.SetInput);
    // The same text again (as the handler puts it back) is not evaluated again.
    u = CALCINPUTCHANGED(state, "2 + 3 * 4", "");
    EXPECT_FALSE(u.SetResult || u.SetHistory || u.SetInput);
    // Deleting everything empties the result line.
    u = CALCINPUTCHANGED(state, "", "");
    EXPECT_TRUE(u.SetResult);
    EXPECT_EQ(u.Result, "");
}

TEST(CalculatorState, EnterRecordsNewestFirstWithLineBreaks) {
    CalculatorState state;
    std::string history;
    for (const char* expression : {"2 + 3 * 4", "10/4"}) {
        CALCINPUTCHANGED(state, expression, history);
        const CalculatorUpdate u = CALCINPUTCHANGED(state, std::string(expression) + "\r\n", history);
        ASSERT_TRUE(u.SetHistory) << expression;
        EXPECT_TRUE(u.SetInput && u.Input.empty());
        EXPECT_TRUE(u.SetResult && u.Result.empty());
        EXPECT_TRUE(state.LastExpression.empty() && state.LastDisplay.empty());
        history = u.History;
        // The emptied input line changes nothing more.
        EXPECT_FALSE(CALCINPUTCHANGED(state, "", history).SetResult);
    }
    EXPECT_EQ(history, CALCULATE("10/4") + "\r\n" + CALCULATE("2 + 3 * 4") + "\r\n");
}

TEST(CalculatorState, RejectedEnterOnlyRemovesTheLineBreak) {
    const struct {
        const char *typed, *afterEnter;
    } cases[] = {{"2+2=", "2+2="}, {"", ""}, {"  ", "  "}, {"abc", "abc"}};
    for (const auto& c : cases) {
        CalculatorState state;
        CALCINPUTCHANGED(state, c.typed, "");
        const std::string before = state.LastDisplay;
        // Enter in the middle of the text, as the caret may stand anywhere.
        std::string entered = c.typed;
        entered.insert(entered.size() / 2, "\r\n");
        const CalculatorUpdate u = CALCINPUTCHANGED(state, entered, "old\r\n");
        EXPECT_FALSE(u.SetHistory) << c.typed;
        EXPECT_TRUE(u.SetInput) << c.typed;
        EXPECT_EQ(u.Input, c.afterEnter);
        EXPECT_EQ(state.LastDisplay, before);
    }
}

TEST(CalculatorState, TwoWindowsKeepTheirOwnResults) {
    CalculatorState one, two;
    CALCINPUTCHANGED(one, "1+1", "");
    CALCINPUTCHANGED(two, "7*6", "");
    EXPECT_EQ(CALCINPUTCHANGED(one, "1+1\r\n", "").History, CALCULATE("1+1") + "\r\n");
    EXPECT_EQ(CALCINPUTCHANGED(two, "7*6\r\n", "").History, CALCULATE("7*6") + "\r\n");
}

TEST(CalculatorLayout, MinimumsAndControlSizes) {
    const struct {
        int32_t w, h, W, H, history;
    } cases[] = {{270, 110, 270, 110, 46}, {100, 50, 200, 76, 12}, {199, 200, 200, 200, 136}, {500, 76, 500, 76, 12}};
    for (const auto& c : cases) {
        const CalculatorLayout l = CALCULATORLAYOUT(c.w, c.h);
        EXPECT_EQ(l.Width, c.W);
        EXPECT_EQ(l.Height, c.H);
        EXPECT_EQ(l.InputWidth, c.W - 9);
        EXPECT_EQ(l.ResultWidth, c.W - 9);
        EXPECT_EQ(l.HistoryWidth, c.W - 9);
        EXPECT_EQ(l.InputHeight, 15);
        EXPECT_EQ(l.ResultHeight, 15);
        EXPECT_EQ(l.HistoryHeight, c.history);
    }
}

TEST(ComctlVersion, HundredthsFromTheFileVersion) {
    const struct {
        uint32_t ms;
        int64_t hundredths;
    } cases[] = {{(5u << 16) | 81, 581}, {(6u << 16) | 100, 700}, {(4u << 16) | 70, 470}, {(4u << 16) | 0, 400},
                 {(5u << 16) | 82, 582}, {0, 0},                  {0xFFFFFFFFu, 6553500 + 65535}};
    for (const auto& c : cases) EXPECT_EQ(VERSIONHUNDREDTHS(c.ms), c.hundredths) << std::hex << c.ms;
    EXPECT_GE(VERSIONHUNDREDTHS((4u << 16) | 70), MINIMUM_COMCTL32_VERSION);
    EXPECT_LT(VERSIONHUNDREDTHS((4u << 16) | 0), MINIMUM_COMCTL32_VERSION);
}

}  // namespace
