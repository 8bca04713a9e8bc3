// The calculator windows opened from the clock window of this process, typed and pasted into as a user does.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "calculator/calculate.h"
#include "calculator/calculatorwindow.h"
#include "core/windowgeometry.h"
#include "tests/support/winharness.h"

namespace {

std::string texts(HWND calc) {
    return LabelText(calc, ID_CALC_INPUT) + "|" + LabelText(calc, ID_CALC_RESULT) + "|" +
           LabelText(calc, ID_CALC_HISTORY);
}

std::pair<int32_t, int32_t> units(HWND calc, RECT r) {  // the rectangle's size in the calculator's dialog units
    int32_t w = r.right - r.left, h = r.bottom - r.top;
    PIXELSTODLGUNITS(calc, w, h);
    return {w, h};
}

TEST(CalculatorWindow, EvaluatesRecordsHoldsItsMinimumAndGivesBackWhatItTakes) {
    SetFakeClock({2023, 9, 5, 10, 20});
    ClockThread clock;
    HWND calc = Opened(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
    // No owner; the keys go to the input at once; the history box H - 64 units high from the start, not the
    // template's 40.
    const auto [width, height] = units(calc, WindowRect(calc));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(calc, nullptr), &gui);
    EXPECT_EQ(std::make_tuple(GetWindow(calc, GW_OWNER), gui.hwndFocus,
                              units(calc, WindowRect(GetDlgItem(calc, ID_CALC_HISTORY)))),
              std::make_tuple(HWND(nullptr), GetDlgItem(calc, ID_CALC_INPUT), std::make_pair(width - 9, height - 64)));

    HGLOBAL clip = GlobalAlloc(GMEM_MOVEABLE, 7);  // what Ctrl+V pastes; the clipboard takes movable memory
    memcpy(GlobalLock(clip), "12*3\r\n", 7);
    GlobalUnlock(clip);
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, clip) && CloseClipboard());
    PostMessageA(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    HWND other = WaitWindow(CALCULATORTITLE, calc);
    // Input|result|history after each key typed (WM_SETTEXT makes no EN_CHANGE). Enter, "\r", records nothing after
    // a syntax error, the text kept; Ctrl+V pastes a line with its break: shown, Enter records it. `other`: its own.
    // clang-format off
    const std::tuple<HWND, const char*, std::string> steps[] = {
        {calc, "2 + 3 * 4", "2 + 3 * 4|2 + 3 * 4 = 14|"}, {calc, "\r", "||2 + 3 * 4 = 14\r\n"},
        {calc, "2+2=\r", "2+2=|Syntax error|2 + 3 * 4 = 14\r\n"}, {calc, "\b", "2+2|2+2 = 4|2 + 3 * 4 = 14\r\n"},
        {calc, "\r", "||2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}, {calc, "\x16", "12*3|12*3 = 36|2+2 = 4\r\n2 + 3 * 4 = 14\r\n"},
        {calc, "\r", "||12*3 = 36\r\n2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}, {other, "7*6\r", "||7*6 = 42\r\n"}};
    // clang-format on
    for (const auto& [into, keys, expected] : steps) {
        for (const char* c = keys; *c; ++c) SendDlgItemMessageA(into, ID_CALC_INPUT, WM_CHAR, BYTE(*c), 0);
        EXPECT_EQ(texts(into), expected) << keys;
    }
    SetFakeClock({2023, 9, 5, 10, 21});  // the clock ticks on behind both
    EXPECT_TRUE(WaitUntil([&] { return LabelText(clock.Window(), ID_TIME_LABEL) == "10:21"; }));

    // Never less than 200 x 76 units, on either side alone.
    for (const RECT asked : {RECT{0, 0, 40, 400}, RECT{0, 0, 700, 30}}) {
        SetWindowPos(calc, nullptr, 0, 0, asked.right, asked.bottom, SWP_NOMOVE | SWP_NOZORDER);
        const auto [w, h] = units(calc, asked);
        const auto [cw, ch] = units(calc, WindowRect(calc));
        EXPECT_TRUE(cw >= std::max(w, 200) && cw <= std::max(w, 201) && ch >= std::max(h, 76) && ch <= std::max(h, 77))
            << cw << "x" << ch;
    }
    // Long odd pastes in turn: the line below shows what the input holds; one with line breaks is Enter, recording.
    for (const char* unit : {"((((((((((", "9^9^9^9^9^9", "&H&H&H,,..%%", "\r\n\r\n\t="}) {
        std::string text;
        while (text.size() < 3000) text += unit;
        const std::string recorded = LabelText(calc, ID_CALC_RESULT) + "\r\n" + LabelText(calc, ID_CALC_HISTORY);
        SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM(text.c_str()));  // one change
        const std::string input = LabelText(calc, ID_CALC_INPUT);
        if (*unit == '\r')
            EXPECT_EQ(input + "|" + LabelText(calc, ID_CALC_HISTORY), "|" + recorded);
        else
            EXPECT_EQ(std::make_pair(input.size() >= 3000, LabelText(calc, ID_CALC_RESULT)),
                      std::make_pair(true, CALCULATE(input)));
    }
    // The deepest nest of line breaks the input takes ("\r" x k, "\n" x k), nothing to record: all go at once.
    const size_t k = SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_GETLIMITTEXT, 0, 0) / 2;
    const std::string nest = std::string(k, '\r') + std::string(k, '\n');
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM(nest.c_str()));
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "") << k;
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, LPARAM("1+1"));
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2");

    // Escape and a lone WM_CLOSE leave it open; the system close ends it, and it leaves neither its font nor its two
    // icons behind. (Wine's GetGuiResources counts nothing: each handle is asked if it lives.)
    const auto big = HICON(SendMessageA(calc, WM_GETICON, ICON_BIG, 0));
    const auto small = HICON(SendMessageA(calc, WM_GETICON, ICON_SMALL, 0));
    const auto font = HGDIOBJ(SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_GETFONT, 0, 0));
    SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(calc, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(calc, WM_SYSCOMMAND, SC_CLOSE) && Closed(other, WM_SYSCOMMAND, SC_CLOSE));
    ICONINFO info{};
    EXPECT_EQ(GetIconInfo(big, &info) + GetIconInfo(small, &info) + (GetObjectType(font) != 0), 0);
}

}  // namespace
