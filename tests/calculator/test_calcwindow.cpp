// The calculator window opened from the clock window of this process, typed and pasted into as a user does.
#include <gtest/gtest.h>

#include "calculator/calculate.h"
#include "calculator/calculatorwindow.h"
#include "tests/support/winharness.h"

namespace {

TEST(CalculatorWindow, EnterAndPastesRecordAndItLeavesNoHandles) {
    ClockThread clock;
    HWND calc = Opened(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
    ASSERT_NE(calc, nullptr) << "no window titled " << CALCULATORTITLE;
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(calc, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(calc, ID_CALC_INPUT)) << "the keys do not go to the input at once";

    HGLOBAL clip = GlobalAlloc(GMEM_MOVEABLE, 7);  // what Ctrl+V pastes; the clipboard takes movable memory
    memcpy(GlobalLock(clip), "12*3\r\n", 7);
    GlobalUnlock(clip);
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, clip) && CloseClipboard());
    // The texts after each key typed (WM_SETTEXT makes no EN_CHANGE): Enter, "\r", records the line; Ctrl+V ("\x16")
    // pastes a line with its break: shown, Enter records it. (Enter's other cases are the window state's table.)
    const struct {
        const char *keys, *input, *result, *history;
    } steps[] = {
        // clang-format off
        {"2 + 3 * 4", "2 + 3 * 4", "2 + 3 * 4 = 14", ""},
        {"\r",        "",          "",               "2 + 3 * 4 = 14\r\n"},
        {"\x16",      "12*3",      "12*3 = 36",      "2 + 3 * 4 = 14\r\n"},
        {"\r",        "",          "",               "12*3 = 36\r\n2 + 3 * 4 = 14\r\n"},
        // clang-format on
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::PrintToString(std::string(s.keys)) + " typed");
        for (const char* c = s.keys; *c; ++c) SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_CHAR, BYTE(*c), 0);
        EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), s.input) << "the input";
        EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), s.result) << "the result";
        EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), s.history) << "the history";
    }

    // Long odd pastes in turn: the line below shows what the input holds; one with line breaks is Enter, recording.
    for (const char* unit : {"((((((((((", "9^9^9^9^9^9", "&H&H&H,,..%%", "\r\n\r\n\t="}) {
        SCOPED_TRACE(testing::PrintToString(std::string(unit)) + " pasted to 3000 characters");
        std::string text;
        while (text.size() < 3000) text += unit;
        const std::string recorded = LabelText(calc, ID_CALC_RESULT) + "\r\n" + LabelText(calc, ID_CALC_HISTORY);
        SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM(text.c_str()));  // one change
        const std::string input = LabelText(calc, ID_CALC_INPUT);
        if (*unit == '\r') {
            EXPECT_EQ(input, "") << "the input";
            EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), recorded) << "the history";
        } else {
            EXPECT_GE(input.size(), 3000u) << "the input's length";
            EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), CALCULATE(input)) << "the result";
        }
    }
    // The deepest nest of line breaks the input takes ("\r" x k, "\n" x k), nothing to record: all go at once.
    const size_t k = SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_GETLIMITTEXT, 0, 0) / 2;
    const std::string nest = std::string(k, '\r') + std::string(k, '\n');
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM(nest.c_str()));
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "") << "after " << k << " CR and " << k << " LF pasted";
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM("1+1"));
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2") << "after the nest, 1+1 pasted";

    // Closed, it leaves neither its font nor its two icons behind. (Wine's GetGuiResources counts nothing: each
    // handle is asked if it lives.)
    const auto big = HICON(SendMessageA(calc, WM_GETICON, ICON_BIG, 0));
    const auto small = HICON(SendMessageA(calc, WM_GETICON, ICON_SMALL, 0));
    const auto font = HGDIOBJ(SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_GETFONT, 0, 0));
    ASSERT_TRUE(Closed(calc, WM_SYSCOMMAND, SC_CLOSE)) << "the system close left the calculator open";
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(big, &info)) << "its big icon lives on";
    EXPECT_FALSE(GetIconInfo(small, &info)) << "its small icon lives on";
    EXPECT_EQ(GetObjectType(font), 0u) << "its font lives on";
}

}  // namespace
