// The calculator windows opened from the clock window of this process, typed
// and pasted into as a user does.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "calculator/calculate.h"
#include "calculator/calculatorwindow.h"
#include "clock/clockwindow.h"
#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

namespace {

// Key by key, as typed: a multiline edit sends no EN_CHANGE for WM_SETTEXT.
void type(HWND calc, const std::string& keys) {
    for (const char c : keys) SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string texts(HWND calc) {
    return LabelText(calc, ID_CALC_INPUT) + "|" + LabelText(calc, ID_CALC_RESULT) + "|" +
           LabelText(calc, ID_CALC_HISTORY);
}

std::pair<int32_t, int32_t> units(HWND calc, HWND of) {  // the outer size in the calculator's dialog units
    const RECT r = WindowRect(of);
    int32_t w = r.right - r.left, h = r.bottom - r.top;
    PIXELSTODLGUNITS(calc, w, h);
    return {w, h};
}

TEST(CalculatorWindow, EvaluatesRecordsHoldsItsMinimumAndGivesBackWhatItTakes) {
    SetFakeClock({2023, 9, 5, 10, 20});
    ClockThread clock;
    HWND calc = Opened(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(GetWindow(calc, GW_OWNER), nullptr);
    // The history box is H - 64 units high from the start, not the template's 40.
    auto outer = units(calc, calc);
    EXPECT_EQ(units(calc, GetDlgItem(calc, ID_CALC_HISTORY)), std::make_pair(outer.first - 9, outer.second - 64));

    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    HGLOBAL clip = GlobalAlloc(GMEM_MOVEABLE, 7);
    memcpy(GlobalLock(clip), "12*3\r\n", 7);
    GlobalUnlock(clip);
    SetClipboardData(CF_TEXT, clip);
    CloseClipboard();
    const std::string err = LANGTEXT("Erreur de syntaxe", "Syntax error");
    // Input|result|history after each key; "\r" is Enter, which records nothing
    // after a syntax error and leaves the text for correction. Ctrl+V pastes an
    // expression with its line break: it shows its result, Enter records it.
    // clang-format off
    const std::pair<const char*, std::string> steps[] = {
        {"2 + 3 * 4", "2 + 3 * 4|2 + 3 * 4 = 14|"}, {"\r", "||2 + 3 * 4 = 14\r\n"},
        {"2+2=\r", "2+2=|" + err + "|2 + 3 * 4 = 14\r\n"}, {"\b", "2+2|2+2 = 4|2 + 3 * 4 = 14\r\n"},
        {"\r", "||2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}, {"\x16", "12*3|12*3 = 36|2+2 = 4\r\n2 + 3 * 4 = 14\r\n"},
        {"\r", "||12*3 = 36\r\n2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}};
    // clang-format on
    for (const auto& [keys, expected] : steps) {
        type(calc, keys);
        EXPECT_EQ(texts(calc), expected) << keys;
    }
    // A second calculator keeps its own history; the clock ticks on behind both.
    PostMessageA(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    HWND other = WaitWindow(CALCULATORTITLE, calc);
    ASSERT_NE(other, nullptr);
    type(other, "7*6\r");
    EXPECT_EQ(texts(other), "||7*6 = 42\r\n");
    SetFakeClock({2023, 9, 5, 10, 21});
    EXPECT_TRUE(WaitUntil([&] { return LabelText(clock.Window(), ID_TIME_LABEL) == "10:21"; }));
    RestoreClock();

    // Never less than 200 x 76 units, on either side alone.
    for (const SIZE asked : {SIZE{40, 400}, SIZE{700, 30}}) {
        SetWindowPos(calc, nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER);
        int32_t w = asked.cx, h = asked.cy;
        PIXELSTODLGUNITS(calc, w, h);
        outer = units(calc, calc);
        EXPECT_TRUE(asked.cx < 100 ? outer.first >= 200 && outer.first <= 201 && outer.second == h
                                   : outer.second >= 76 && outer.second <= 77 && outer.first == w)
            << outer.first << "x" << outer.second;
    }
    // Long, odd pastes, one after another: the line below shows what the input
    // now holds; one with line breaks in it is Enter, and records that line.
    for (const char* paste : {"((((((((((", "9^9^9^9^9^9", "&H&H&H,,..%%", "\r\n\r\n\t="}) {
        std::string text;
        while (text.size() < 3000) text += paste;
        const std::string shown = LabelText(calc, ID_CALC_RESULT), history = LabelText(calc, ID_CALC_HISTORY);
        SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        const std::string input = LabelText(calc, ID_CALC_INPUT);
        if (*paste == '\r')
            EXPECT_EQ(input + "|" + LabelText(calc, ID_CALC_HISTORY), "|" + shown + "\r\n" + history);
        else
            EXPECT_EQ(std::make_pair(input.size() >= 3000, LabelText(calc, ID_CALC_RESULT)),
                      std::make_pair(true, CALCULATE(input)));
    }
    // The deepest nest of line breaks the input takes, "\r" x k then "\n" x k,
    // with nothing to record: all of them go, at once, and the calculator goes on.
    const size_t k = SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_GETLIMITTEXT, 0, 0) / 2;
    const std::string nest = std::string(k, '\r') + std::string(k, '\n');
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(nest.c_str()));
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "") << k;
    type(calc, "1+1");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2");
    // Escape and a lone WM_CLOSE leave it open; the system close ends it.
    SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(calc, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(calc) && Closed(calc, WM_SYSCOMMAND, SC_CLOSE) && Closed(other, WM_SYSCOMMAND, SC_CLOSE));

    // Opened and closed 50 times, no calculator leaves its font or its two icons
    // behind. (Wine's GetGuiResources counts nothing: each handle is asked if it lives.)
    int alive = 0;
    for (int i = 0; i < 50; ++i) {
        calc = Opened(clock.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, CALCULATORTITLE);
        const auto big = HICON(SendMessageA(calc, WM_GETICON, ICON_BIG, 0));
        const auto small = HICON(SendMessageA(calc, WM_GETICON, ICON_SMALL, 0));
        const auto font = HGDIOBJ(SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_GETFONT, 0, 0));
        SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
        ICONINFO info{};
        alive += GetIconInfo(big, &info) + GetIconInfo(small, &info) + (GetObjectType(font) != 0);
    }
    EXPECT_EQ(alive, 0);
}

}  // namespace
