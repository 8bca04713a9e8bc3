// The About box from the clock window of this process: its text, then the
// web site handed to the shell once the box is closed. (Its version block is
// read from the files by tests/resources.)
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "appearance/appearancemenu.h"
#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "tests/support/winharness.h"

namespace {

std::atomic<int> SitesOpened{0};  // web sites handed to the shell, as ShellExecuteA gets them

HINSTANCE WINAPI recordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    const bool asExpected = !owner && !parameters && !folder && show == SW_SHOW &&
                            std::string(verb) + " " + file == "open https://orloclock.example.org/";
    SitesOpened += asExpected ? 1 : 100;
    return reinterpret_cast<HINSTANCE>(33);
}

TEST(AboutBox, TextThenTheSite) {
    // The box has no owner, so the clock stays usable; the site opens once it is closed.
    ABOUTSHELLOPEN = recordShellOpen;
    ClockThread clock;
    HWND w = clock.Window();
    char path[MAX_PATH];
    HWND box = Opened(w, WM_COMMAND, IDM_ABOUT, ABOUTTITLE().c_str());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, 0xFFFF), ABOUTTEXT(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH))));
    EXPECT_EQ(std::make_pair(bool(IsWindowEnabled(w)), SitesOpened.load()), std::make_pair(true, 0));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && SitesOpened == 1; })) << SitesOpened;
    ABOUTSHELLOPEN = ShellExecuteA;
}

}  // namespace
