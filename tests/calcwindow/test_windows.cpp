// The calculator and the calendar opened from the clock window of this test
// process, driven through real windows under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "calculator/calculatorwindow.h"
#include "core/clockwindow.h"
#include "core/windowgeometry.h"
#include "dates/calendar.h"
#include "dates/comctlversion.h"
#include "dates/dates.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::ClockThread;
using harness::LabelText;
using harness::WaitUntil;

namespace {

std::vector<HWND> windowsTitled(const char* title) {
    struct Search {
        const char* title;
        std::vector<HWND> found;
    } search{title, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(w) && harness::WindowText(w) == s->title)
                s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForNew(const char* title, const std::vector<HWND>& known) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : windowsTitled(title))
                if (std::find(known.begin(), known.end(), w) == known.end()) return (found = w) != nullptr;
            return false;
        },
        5000);
    return found;
}

HWND openCalculator(HWND clock) {
    const std::vector<HWND> before = windowsTitled(CALCULATORTITLE);
    PostMessageA(clock, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 10));
    return waitForNew(CALCULATORTITLE, before);
}

// Typed key by key: text put in with WM_SETTEXT gives a multi-line edit no EN_CHANGE.
HWND openCalendar(HWND clock) {
    PostMessageA(clock, WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    return waitForNew(LANGTEXT("Calendrier", "Calendar"), {});
}

void typeLine(HWND calc, const char* text) {
    HWND input = GetDlgItem(calc, ID_CALC_INPUT);
    SendMessageA(input, EM_SETSEL, 0, -1);
    SendMessageA(input, WM_CHAR, VK_BACK, 0);
    for (const char* c = text; *c; ++c) SendMessageA(input, WM_CHAR, static_cast<unsigned char>(*c), 0);
}

void pressEnter(HWND calc) {
    HWND input = GetDlgItem(calc, ID_CALC_INPUT);
    SendMessageA(input, EM_SETSEL, 0x7FFF, 0x7FFF);
    SendMessageA(input, WM_CHAR, '\r', 0);  // what the Enter key gives the multi-line input
}

class Windows : public testing::Test {
protected:
    void SetUp() override { harness::SetFakeClock({2023, 9, 5, 10, 20}); }
    void TearDown() override {
        harness::RestoreClock();
        COMCTLVERSIONSOURCE = INITCOMCTL32;
    }
};

TEST_F(Windows, CalculatorEvaluatesRecordsAndKeepsItsOwnHistory) {
    ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr) << "a double click on the time should open the calculator";
    EXPECT_EQ(GetWindow(calc, GW_OWNER), nullptr);

    typeLine(calc, "2 + 3 * 4");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "2 + 3 * 4 = 14");
    pressEnter(calc);
    EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), "2 + 3 * 4 = 14\r\n");
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "");

    typeLine(calc, "2+2=");
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), LANGTEXT("Erreur de syntaxe", "Syntax error"));
    pressEnter(calc);
    EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), "2 + 3 * 4 = 14\r\n");
    EXPECT_EQ(LabelText(calc, ID_CALC_INPUT), "2+2=");

    // A second calculator at the same time, with its own history.
    HWND other = openCalculator(clock.Window());
    ASSERT_NE(other, nullptr);
    typeLine(other, "7*6");
    pressEnter(other);
    EXPECT_EQ(LabelText(other, ID_CALC_HISTORY), "7*6 = 42\r\n");
    EXPECT_EQ(LabelText(calc, ID_CALC_HISTORY), "2 + 3 * 4 = 14\r\n");

    // The clock keeps ticking behind them.
    harness::SetFakeClock({2023, 9, 5, 10, 21});
    EXPECT_TRUE(WaitUntil([&] { return LabelText(clock.Window(), ID_TIME_LABEL) == "10:21"; }, 1500));

    // Escape and a lone WM_CLOSE leave it open; the system close ends it.
    PostMessageA(GetDlgItem(calc, ID_CALC_INPUT), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(calc, WM_CLOSE, 0, 0);
    Sleep(200);
    EXPECT_TRUE(IsWindow(calc));
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(other, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(calc) && !IsWindow(other); }, 2000));
}

TEST_F(Windows, CalculatorSurvivesTenThousandPastedInputs) {
    ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    HWND input = GetDlgItem(calc, ID_CALC_INPUT);
    const char alphabet[] = "0123456789+-*/^%()., &HBOEe=x\r\n\t";
    uint32_t seed = 20261207;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    std::string paste;
    const int pastes = LANGUAGE_IS_FRENCH ? 2000 : 10000;  // the engine is the same in both builds
    for (int i = 0; i < pastes; ++i) {
        paste.clear();
        const size_t length = next() % (i % 100 == 0 ? 3000 : 40);
        for (size_t k = 0; k < length; ++k) paste += alphabet[next() % (sizeof alphabet - 1)];
        if (i % 3 == 0) SendMessageA(input, EM_SETSEL, 0, -1);  // sometimes replace all, sometimes append
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutA(input, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(paste.c_str()),
                                        SMTO_NORMAL, 5000, &answer))
            << "the calculator hung on paste " << i;
        if (i % 1000 == 999) {
            const std::string result = LabelText(calc, ID_CALC_RESULT);
            EXPECT_TRUE(result.empty() || result == LANGTEXT("Erreur de syntaxe", "Syntax error") ||
                        result.find(" = ") != std::string::npos)
                << result;
        }
    }
    EXPECT_TRUE(IsWindow(calc));
    typeLine(calc, "1+1");  // still answering normally
    EXPECT_EQ(LabelText(calc, ID_CALC_RESULT), "1+1 = 2");
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(Windows, CalculatorNeverSmallerThanItsMinimum) {
    ClockThread clock;
    HWND calc = openCalculator(clock.Window());
    ASSERT_NE(calc, nullptr);
    int32_t w = 0, h = 0;
    GETWINDOWSIZE(calc, w, h);
    RECT history{};
    GetWindowRect(GetDlgItem(calc, ID_CALC_HISTORY), &history);
    int32_t hw = history.right - history.left, hh = history.bottom - history.top;
    PIXELSTODLGUNITS(calc, hw, hh);
    EXPECT_EQ(hw, w - 9);
    EXPECT_EQ(hh, h - 64);  // from the start, not the 40 of the template

    SetWindowPos(calc, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
    GETWINDOWSIZE(calc, w, h);
    EXPECT_GE(w, 200);
    EXPECT_GE(h, 76);
    EXPECT_LE(w, 201);
    EXPECT_LE(h, 77);
    SendMessageA(calc, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(Windows, CalendarShowsTheSelectedDayWhileTheClockWaits) {
    ClockThread clock;
    HWND w = clock.Window();
    SetWindowPos(w, nullptr, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // room above and to the left
    HWND cal = openCalendar(w);
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(LabelText(cal, ID_CALENDAR_LABEL), LONGDATETEXT(2023, 9, 5));
    EXPECT_FALSE(IsWindowEnabled(w));
    EXPECT_EQ(GetWindow(cal, GW_OWNER), w);
    EXPECT_EQ(SendDlgItemMessageA(cal, ID_CALENDAR_MONTH, MCM_GETMAXSELCOUNT, 0, 0), 31);
    EXPECT_EQ(GetWindowLongA(cal, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no title bar

    RECT clockRect{}, client{}, calRect{};
    GetWindowRect(w, &clockRect);
    GetClientRect(w, &client);
    GetWindowRect(cal, &calRect);
    EXPECT_EQ(calRect.left, clockRect.left + (clockRect.right - clockRect.left - client.right) - 413);
    EXPECT_EQ(calRect.top, clockRect.top + (clockRect.bottom - clockRect.top - client.bottom) - 260);

    NMSELCHANGE change{};
    change.nmhdr.hwndFrom = GetDlgItem(cal, ID_CALENDAR_MONTH);
    change.nmhdr.idFrom = ID_CALENDAR_MONTH;
    change.nmhdr.code = MCN_SELCHANGE;
    change.stSelStart.wYear = 2024;
    change.stSelStart.wMonth = 2;
    change.stSelStart.wDay = 29;
    change.stSelEnd = change.stSelStart;
    SendMessageA(cal, WM_NOTIFY, ID_CALENDAR_MONTH, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(LabelText(cal, ID_CALENDAR_LABEL), LONGDATETEXT(2024, 2, 29));

    harness::SetFakeClock({2023, 9, 5, 10, 22});  // the disabled clock still ticks
    EXPECT_TRUE(WaitUntil([&] { return LabelText(w, ID_TIME_LABEL) == "10:22"; }, 1500));

    PostMessageA(GetDlgItem(cal, ID_CALENDAR_MONTH), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cal); }, 2000)) << "Esc should close the calendar";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(w) != FALSE; }, 1000));

    // A clock near the top-left corner: the calendar stays whole on the work area.
    SetWindowPos(w, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    cal = openCalendar(w);
    ASSERT_NE(cal, nullptr);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(cal, &calRect);
    EXPECT_EQ(calRect.left, work.left);
    EXPECT_EQ(calRect.top, work.top);
    PostMessageA(cal, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cal); }, 2000));
}

TEST_F(Windows, TooOldCommonControlsGiveTheMessageAndNoCalendar) {
    COMCTLVERSIONSOURCE = [](int32_t) -> int64_t { return 400; };
    ClockThread clock;
    PostMessageA(clock.Window(), WM_COMMAND, MAKEWPARAM(ID_DATE_LABEL, STN_CLICKED), 0);
    HWND box = waitForNew(COMCTLERRORCAPTION, {});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, 0xFFFF), COMCTLERRORTEXT());
    EXPECT_EQ(std::string(COMCTLERRORTEXT()).rfind("Sorry, this program needs a later version of COMCTL32.DLL.\r\n"
                                                   "Please install MSIE version 4 or higher, or get the file directly "
                                                   "from: \r\n\r\nhttps://",
                                                   0),
              0u);
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);  // system modal
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 2000));
    Sleep(300);
    EXPECT_TRUE(windowsTitled(LANGTEXT("Calendrier", "Calendar")).empty());
    EXPECT_TRUE(IsWindowEnabled(clock.Window()));
}

TEST_F(Windows, TheLibraryCheckAndItsExports) {
    EXPECT_GE(INITCOMCTL32(0), MINIMUM_COMCTL32_VERSION);
    EXPECT_EQ(GETSYSFILEVER("no-such-file.dll"), 0);
    HMODULE exe = LoadLibraryExA((harness::ProgramFolder() + LANGTEXT("orloclock-fr.exe", "orloclock.exe")).c_str(),
                                 nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(exe, nullptr);
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(exe, "GETSYSFILEVER")), nullptr);
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(exe, "INITCOMCTL32")), nullptr);
    FreeLibrary(exe);
}

}  // namespace
