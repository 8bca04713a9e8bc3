// The calculator windows opened from the clock window of this process, typed
// and pasted into as a user does.
#include <gtest/gtest.h>
#include <windows.h>

#include "calculator/calculatorwindow.h"
#include "clock/clockwindow.h"
#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::LabelText;

namespace {

HWND openCalculator(HWND clock, HWND except = nullptr) {
    PostMessageA(clock, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 10));
    return harness::WaitWindow(CALCULATORTITLE, except);
}

// Key by key, as typed: a multiline edit sends no EN_CHANGE for WM_SETTEXT.
void type(HWND calc, const std::string& keys) {
    for (const char c : keys) SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string texts(HWND calc) {
    return LabelText(calc, ID_CALC_INPUT) + "|" + LabelText(calc, ID_CALC_RESULT) + "|" +
           LabelText(calc, ID_CALC_HISTORY);
}

TEST(CalculatorWindow, EvaluatesRecordsAndKeepsItsOwnHistory) {
    harness::SetFakeClock({2023, 9, 5, 10, 20});
    harness::ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(GetWindow(calc, GW_OWNER), nullptr);
    const std::string err = LANGTEXT("Erreur de syntaxe", "Syntax error");
    // Input|result|history after each key; "\r" is Enter, which records nothing
    // after a syntax error and leaves the text for correction.
    // clang-format off
    const struct {
        const char* keys;
        std::string texts;
    } steps[] = {
        {"2 + 3 * 4", "2 + 3 * 4|2 + 3 * 4 = 14|"}, {"\r", "||2 + 3 * 4 = 14\r\n"},
        {"2+2=\r", "2+2=|" + err + "|2 + 3 * 4 = 14\r\n"}, {"\b", "2+2|2+2 = 4|2 + 3 * 4 = 14\r\n"},
        {"\r", "||2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}};
    // clang-format on
    for (const auto& s : steps) {
        type(calc, s.keys);
        EXPECT_EQ(texts(calc), s.texts) << s.keys;
    }
    // A pasted expression with its line break shows its result; Enter records it.
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_SETSEL, 0, -1);
    type(calc, "\b");
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 7);
    memcpy(GlobalLock(text), "12*3\r\n", 7);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_PASTE, 0, 0);
    EXPECT_EQ(texts(calc), "12*3|12*3 = 36|2+2 = 4\r\n2 + 3 * 4 = 14\r\n");
    type(calc, "\r");
    EXPECT_EQ(texts(calc), "||12*3 = 36\r\n2+2 = 4\r\n2 + 3 * 4 = 14\r\n");
    // A second calculator keeps its own history; the clock ticks on behind both.
    HWND other = openCalculator(clock.Window(), calc);
    ASSERT_NE(other, nullptr);
    type(other, "7*6\r");
    EXPECT_EQ(texts(other), "||7*6 = 42\r\n");
    harness::SetFakeClock({2023, 9, 5, 10, 21});
    EXPECT_TRUE(harness::WaitUntil([&] { return LabelText(clock.Window(), ID_TIME_LABEL) == "10:21"; }));
    harness::RestoreClock();
    // Escape and a lone WM_CLOSE leave it open; the system close ends it.
    SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(calc, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(calc));
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(other, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(calc) || IsWindow(other));
}

TEST(CalculatorWindow, GivesBackWhatItTakes) {
    // Opened and closed 200 times, no calculator leaves its font or its two
    // icons behind. (Wine's GetGuiResources counts nothing, so each handle the
    // window held is asked whether it is still alive.)
    harness::ClockThread clock;
    int alive = 0;
    for (int i = 0; i < 200; ++i) {
        HWND calc = openCalculator(clock.Window());
        const auto icon = [calc](WPARAM which) {
            return reinterpret_cast<HICON>(SendMessageA(calc, WM_GETICON, which, 0));
        };
        const HICON icons[] = {icon(ICON_BIG), icon(ICON_SMALL)};
        const auto font = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(calc, ID_CALC_INPUT, WM_GETFONT, 0, 0));
        SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
        ICONINFO info{};
        for (HICON held : icons) alive += GetIconInfo(held, &info) ? 1 : 0;
        alive += GetObjectType(font) ? 1 : 0;
    }
    EXPECT_EQ(alive, 0);
}

TEST(CalculatorWindow, KeepsItsMinimumAndTakesLongPastes) {
    harness::ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    RECT history{};
    GetWindowRect(GetDlgItem(calc, ID_CALC_HISTORY), &history);
    int32_t w = 0, h = 0, hw = history.right - history.left, hh = history.bottom - history.top;
    GETWINDOWSIZE(calc, w, h);
    PIXELSTODLGUNITS(calc, hw, hh);
    EXPECT_EQ(std::make_pair(hw, hh), std::make_pair(w - 9, h - 64));  // from the start, not the template's 40
    SetWindowPos(calc, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
    GETWINDOWSIZE(calc, w, h);
    EXPECT_TRUE(w >= 200 && w <= 201 && h >= 76 && h <= 77) << w << "x" << h;

    // The engine's rules on any input are checked natively and fuzzed; here
    // the window takes long, odd pastes, replacing or appended, and answers.
    for (const char* paste : {"((((((((((", "9^9^9^9^9^9", "&H&H&H,,..%%", "\r\n\r\n\t="}) {
        std::string text;
        while (text.size() < 3000) text += paste;
        if (*paste == '(') SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_SETSEL, 0, -1);
        SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // The deepest nest of line breaks the input takes, "\r" x k then "\n" x k,
    // with nothing to record: all of them go, at once.
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_SETSEL, 0, -1);
    type(calc, "\b");
    const size_t k = SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_GETLIMITTEXT, 0, 0) / 2;
    const std::string nest = std::string(k, '\r') + std::string(k, '\n');
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(nest.c_str()));
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "") << k;
    type(calc, "1+1");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2");
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);  // the clock's thread runs the calculator's loop
}

}  // namespace
