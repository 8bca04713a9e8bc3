// The About box from the clock window of this process: its text, then the
// web site handed to the shell however the box was closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <atomic>

#include "appearance/menuids.h"
#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "tests/support/winharness.h"

namespace {

std::atomic<int> Opened{0};  // web sites handed to the shell, as ShellExecuteA gets them

HINSTANCE WINAPI recordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    const bool asExpected = !owner && !parameters && !folder && show == SW_SHOW &&
                            std::string(verb) + " " + file == "open https://orloclock.example.org/";
    Opened += asExpected ? 1 : 100;
    return reinterpret_cast<HINSTANCE>(33);
}

TEST(AboutBox, TextThenTheSiteHoweverItCloses) {
    ABOUTSHELLOPEN = recordShellOpen;
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    char path[MAX_PATH];
    const std::string text = ABOUTTEXT(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)));
    const struct {
        UINT msg;
        WPARAM wparam;
    } closings[] = {{BM_CLICK, 0}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}};  // OK, Escape, the close box
    for (int i = 0; i < 3; ++i) {
        PostMessageA(w, WM_COMMAND, IDM_ABOUT, 0);
        HWND box = harness::WaitWindow(ABOUTTITLE().c_str());
        ASSERT_NE(box, nullptr) << i;
        EXPECT_EQ(harness::LabelText(box, 0xFFFF), text);
        EXPECT_TRUE(IsWindowEnabled(w));  // no owner: the clock stays usable
        EXPECT_EQ(Opened.load(), i) << "nothing opens before the box closes";
        const auto& c = closings[i];
        PostMessageA(c.msg == WM_SYSCOMMAND ? box : GetDlgItem(box, IDOK), c.msg, c.wparam, 0);
        EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindow(box) && Opened == i + 1; })) << i << ": " << Opened;
    }
    ABOUTSHELLOPEN = ShellExecuteA;
}

}  // namespace
