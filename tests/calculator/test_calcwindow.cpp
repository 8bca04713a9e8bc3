// The calculator windows opened from the clock window of this process, typed
// into and pasted into as a user does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "calculator/calculatorwindow.h"
#include "core/clockwindow.h"
#include "core/windowgeometry.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::LabelText;
using harness::WaitUntil;

namespace {

const std::string ERR = LANGTEXT("Erreur de syntaxe", "Syntax error");

HWND openCalculator(HWND clock, HWND except = nullptr) {
    PostMessageA(clock, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 10));
    return harness::WaitWindow(CALCULATORTITLE, except);
}

// Key by key, as typed: a multiline edit sends no EN_CHANGE for WM_SETTEXT.
void type(HWND calc, const std::string& keys) {
    HWND input = GetDlgItem(calc, ID_CALC_INPUT);
    for (const char c : keys) SendMessageA(input, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void clearInput(HWND calc) {
    SendDlgItemMessageA(calc, ID_CALC_INPUT, EM_SETSEL, 0, -1);
    type(calc, "\b");
}

TEST(CalculatorWindow, EvaluatesRecordsAndKeepsItsOwnHistory) {
    harness::SetFakeClock({2023, 9, 5, 10, 20});
    harness::ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr) << "a double click on the time opens the calculator";
    EXPECT_EQ(GetWindow(calc, GW_OWNER), nullptr);

    const struct {
        const char* keys;  // "\r" is the Enter key
        const char *input, *result, *history;
    } steps[] = {{"2 + 3 * 4", "2 + 3 * 4", "2 + 3 * 4 = 14", ""},
                 {"\r", "", "", "2 + 3 * 4 = 14\r\n"},
                 {"2+2=", "2+2=", ERR.c_str(), "2 + 3 * 4 = 14\r\n"},
                 {"\r", "2+2=", ERR.c_str(), "2 + 3 * 4 = 14\r\n"},  // nothing recorded, the text stays
                 {"\b", "2+2", "2+2 = 4", "2 + 3 * 4 = 14\r\n"},
                 {"\r", "", "", "2+2 = 4\r\n2 + 3 * 4 = 14\r\n"}};
    for (const auto& s : steps) {
        type(calc, s.keys);
        EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), s.input) << s.keys;
        EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), s.result) << s.keys;
        EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), s.history) << s.keys;
    }

    // A second calculator at the same time, with its own history; the clock
    // keeps ticking behind both.
    HWND other = openCalculator(clock.Window(), calc);
    ASSERT_NE(other, nullptr);
    type(other, "7*6\r");
    EXPECT_EQ(LabelText(other, ID_CALC_HISTORY), "7*6 = 42\r\n");
    EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), "2+2 = 4\r\n2 + 3 * 4 = 14\r\n");
    harness::SetFakeClock({2023, 9, 5, 10, 21});
    EXPECT_TRUE(WaitUntil([&] { return LabelText(clock.Window(), ID_TIME_LABEL) == "10:21"; }));

    // Escape and a lone WM_CLOSE leave it open; the system close ends it.
    SendMessageA(GetDlgItem(calc, ID_CALC_INPUT), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(calc, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(calc));
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(other, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(calc) || IsWindow(other));
    harness::RestoreClock();
}

TEST(CalculatorWindow, NeverSmallerThanItsMinimum) {
    harness::ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    int32_t w = 0, h = 0, hw = 0, hh = 0;
    GETWINDOWSIZE(calc, w, h);
    RECT history{};
    GetWindowRect(GetDlgItem(calc, ID_CALC_HISTORY), &history);
    hw = history.right - history.left, hh = history.bottom - history.top;
    PIXELSTODLGUNITS(calc, hw, hh);
    EXPECT_EQ(std::make_pair(hw, hh), std::make_pair(w - 9, h - 64));  // from the start, not the template's 40
    SetWindowPos(calc, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
    GETWINDOWSIZE(calc, w, h);
    EXPECT_TRUE(w >= 200 && w <= 201 && h >= 76 && h <= 77) << w << "x" << h;
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(CalculatorWindow, SurvivesRandomPastes) {
    // The engine's own random-input property runs natively; here the window
    // must take long, odd pastes and keep answering.
    harness::ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    HWND input = GetDlgItem(calc, ID_CALC_INPUT);
    const char alphabet[] = "0123456789+-*/^%()., &HBOEe=x\r\n\t";
    uint32_t seed = 20261207;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 300; ++i) {
        std::string paste(next() % (i % 50 == 0 ? 3000 : 40), ' ');
        for (char& c : paste) c = alphabet[next() % (sizeof alphabet - 1)];
        if (i % 3 == 0) SendMessageA(input, EM_SETSEL, 0, -1);  // sometimes replace all, sometimes append
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutA(input, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(paste.c_str()),
                                        SMTO_NORMAL, 5000, &answer))
            << "no answer after paste " << i;
    }
    clearInput(calc);
    type(calc, "1+1");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2");
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace
