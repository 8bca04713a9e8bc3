// The real orloclock executable under Wine: one instance, its window and
// labels, and how it ends.
#include <gtest/gtest.h>

#include "core/clockwindow.h"
#include "dates/dates.h"
#include "language/language.h"
#include "tests/support/winharness.h"

using harness::Program;

namespace {

const char* ClockExe() { return LANGTEXT("orloclock-fr.exe", "orloclock.exe"); }

// The label shows the text of the moment it was read; around a minute
// change either side of the read is right.
bool ShowsNow(const std::string& shown, std::string (*text)()) {
    const std::string before = text();
    return shown == before || shown == text();
}

TEST(ClockProgram, ShowsTimeAndDateInItsWindow) {
    Program clock(ClockExe());
    ASSERT_TRUE(clock.Started());
    HWND window = clock.WaitWindow(CLOCKTITLE);
    ASSERT_NE(window, nullptr) << "no clock window; exit code " << clock.WaitExit(0);
    char className[64];
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "#32770");
    EXPECT_TRUE(ShowsNow(harness::LabelText(window, ID_TIME_LABEL), CLOCKTIMETEXT));
    EXPECT_TRUE(ShowsNow(harness::LabelText(window, ID_DATE_LABEL), CLOCKDATETEXT));
    // The date text is in the build language: French texts carry "(s", English ones "(w".
    EXPECT_NE(harness::LabelText(window, ID_DATE_LABEL).find(LANGTEXT("(s", "(w")), std::string::npos);

    // Exactly the two labels.
    int children = 0;
    EnumChildWindows(window, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
                     reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, 2);
    const LONG timeStyle = GetWindowLongA(GetDlgItem(window, ID_TIME_LABEL), GWL_STYLE);
    const LONG dateStyle = GetWindowLongA(GetDlgItem(window, ID_DATE_LABEL), GWL_STYLE);
    EXPECT_EQ(timeStyle & (SS_TYPEMASK | SS_NOTIFY), SS_CENTER);
    EXPECT_EQ(dateStyle & (SS_TYPEMASK | SS_NOTIFY), SS_CENTER | SS_NOTIFY);

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(clock.WaitExit(10000), 0u);
}

TEST(ClockProgram, SecondInstanceLeavesAtOnceAndTheFirstRunsOn) {
    Program first(ClockExe());
    HWND window = first.WaitWindow(CLOCKTITLE);
    ASSERT_NE(window, nullptr) << "no clock window; exit code " << first.WaitExit(0);
    const DWORD start = GetTickCount();
    Program second(ClockExe(), "ignored --arguments");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitExit(5000), 0u);
    EXPECT_LT(GetTickCount() - start, 1500u);
    EXPECT_EQ(harness::FindProcessWindow(second.Pid(), CLOCKTITLE), nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(first.WaitExit(300), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(first.WaitExit(10000), 0u);

    // Once the first has ended, a new copy runs normally.
    Program third(ClockExe());
    HWND again = third.WaitWindow(CLOCKTITLE);
    ASSERT_NE(again, nullptr);
    PostMessageA(again, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(third.WaitExit(10000), 0u);
}

TEST(ClockProgram, OnlyTheSystemCloseEndsIt) {
    // Started minimised with arguments: both are ignored.
    Program clock(ClockExe(), "/x y", SW_SHOWMINIMIZED);
    HWND window = clock.WaitWindow(CLOCKTITLE);
    ASSERT_NE(window, nullptr) << "no clock window; exit code " << clock.WaitExit(0);
    EXPECT_FALSE(IsIconic(window));
    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_COMMAND, IDOK, 0);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(clock.WaitExit(500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(clock.WaitExit(10000), 0u);
}

}  // namespace
