// The About box from the clock window of this process: its text, then the
// web site handed to the shell however the box was closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <vector>

#include "appearance/menuids.h"
#include "core/clockwindow.h"
#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "tests/support/winharness.h"

namespace {

std::mutex OpenedMutex;
std::vector<std::string> Opened;

HINSTANCE WINAPI recordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    std::lock_guard<std::mutex> lock(OpenedMutex);
    Opened.push_back(std::string(owner ? "owner " : "") + verb + " " + file + (parameters ? " params" : "") +
                     (folder ? " folder" : "") + " " + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(33);
}

size_t openedCount() {
    std::lock_guard<std::mutex> lock(OpenedMutex);
    return Opened.size();
}

// The message box's own text: the longest static text in it.
std::string boxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (harness::WindowText(child).size() > text.size() && GetDlgCtrlID(child) != IDOK)
            text = harness::WindowText(child);
    return text;
}

TEST(AboutBox, TextThenTheSiteHoweverItCloses) {
    ABOUTSHELLOPEN = recordShellOpen;
    harness::ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    char path[MAX_PATH];
    const std::string text = ABOUTTEXT(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)));
    const struct {
        const char* how;
        UINT msg;
        WPARAM wparam;
    } closings[] = {{"OK", BM_CLICK, 0}, {"Escape", WM_KEYDOWN, VK_ESCAPE}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& closing : closings) {
        const size_t count = openedCount();
        PostMessageA(w, WM_COMMAND, IDM_ABOUT, 0);
        HWND box = harness::WaitWindow(ABOUTTITLE().c_str());
        ASSERT_NE(box, nullptr) << closing.how;
        EXPECT_EQ(boxText(box), text);
        EXPECT_TRUE(IsWindowEnabled(w));  // no owner: the clock stays usable
        EXPECT_EQ(openedCount(), count) << "nothing opens before the box closes";
        PostMessageA(closing.msg == WM_SYSCOMMAND ? box : GetDlgItem(box, IDOK), closing.msg, closing.wparam, 0);
        ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(box) && openedCount() == count + 1; })) << closing.how;
        std::lock_guard<std::mutex> lock(OpenedMutex);
        EXPECT_EQ(Opened.back(), "open https://orloclock.example.org/ 5") << closing.how;  // SW_SHOW, no owner
    }
    ABOUTSHELLOPEN = ShellExecuteA;
}

}  // namespace
