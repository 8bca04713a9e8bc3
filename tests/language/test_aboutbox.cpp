// The About box from the clock window of this process: its text, no owner (the clock stays usable), then the site
// handed to the shell once the box is closed. (Its version block is read from the files by tests/resources.)
#include <gtest/gtest.h>

#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "tests/support/winharness.h"

namespace {

std::atomic<int> SitesOpened{0};  // web sites handed to the shell as expected; 100 for any other call

TEST(AboutBox, TextThenTheSite) {
    ABOUTSHELLOPEN = [](HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) -> HINSTANCE {
        const bool plain = !owner && !parameters && !folder && show == SW_SHOW;
        SitesOpened += plain && std::string(verb) + " " + file == "open https://orloclock.example.org/" ? 1 : 100;
        return reinterpret_cast<HINSTANCE>(33);
    };
    ClockThread clock;
    char path[MAX_PATH];
    HWND box = Opened(clock.Window(), WM_COMMAND, IDM_ABOUT, ABOUTTITLE().c_str());
    EXPECT_EQ(std::make_tuple(LabelText(box, 0xFFFF), bool(IsWindowEnabled(clock.Window())), int(SitesOpened)),
              std::make_tuple(ABOUTTEXT(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH))), true, 0));
    EXPECT_TRUE(Closed(GetDlgItem(box, IDOK), BM_CLICK, 0) && WaitUntil([] { return SitesOpened == 1; }))
        << SitesOpened;
    ABOUTSHELLOPEN = ShellExecuteA;
}

}  // namespace
