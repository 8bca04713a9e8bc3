// The transparency popup and the About box through the clock window of this
// process.
#include "tests/colors/colortest.h"

using namespace colortest;

namespace {

TEST_F(ColorsWindow, TransparencyPopupUnderTheCursor) {
    startSettings("Transparency=200\n");
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    SetCursorPos(700, 600);
    PostMessageA(w, WM_COMMAND, IDM_TRANSPARENCY, 0);
    HWND popup = waitDialog(clock, "Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    RECT r{};
    GetWindowRect(popup, &r);
    EXPECT_TRUE(r.left <= 700 && 700 < r.right && r.top <= 600 && 600 < r.bottom)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(GetWindowLongA(popup, GWL_STYLE) & WS_CAPTION, WS_BORDER);
    EXPECT_TRUE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    HWND trackbar = GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR);
    EXPECT_EQ(SendMessageA(trackbar, TBM_GETPOS, 0, 0), 80);

    BYTE alpha = 0;
    auto layeredAlpha = [&] {
        GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr);
        return alpha;
    };
    const struct {
        WPARAM key;
        int transparency;
    } keys[] = {{VK_END, 25}, {VK_HOME, 255}, {VK_NEXT, 245}, {VK_DOWN, 244}};
    for (const auto& k : keys) {
        PostMessageA(trackbar, WM_KEYDOWN, k.key, 0);
        EXPECT_TRUE(WaitUntil([&] { return CLOCKAPPEARANCE.Transparency == k.transparency; }, 2000)) << k.key;
        EXPECT_EQ(layeredAlpha(), k.transparency) << k.key;  // applied at once
    }
    SendMessageA(popup, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 140), reinterpret_cast<LPARAM>(trackbar));
    EXPECT_EQ(CLOCKAPPEARANCE.Transparency, 140);

    // A click on the clock takes the activation: the popup closes and the value stays.
    RECT c{};
    GetWindowRect(w, &c);
    SetCursorPos(c.left + 20, c.bottom - 10);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    EXPECT_TRUE(waitGone(popup));
    EXPECT_EQ(CLOCKAPPEARANCE.Transparency, 140);
    EXPECT_EQ(layeredAlpha(), 140);

    // Under a cursor in the screen's corner the popup stays whole on the work area.
    SetCursorPos(2, 2);
    PostMessageA(w, WM_COMMAND, IDM_TRANSPARENCY, 0);
    popup = waitDialog(clock, "Transparency TrackBar");
    ASSERT_NE(popup, nullptr);
    GetWindowRect(popup, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(popup, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_GE(r.left, monitor.rcWork.left);
    EXPECT_GE(r.top, monitor.rcWork.top);
    EXPECT_EQ(SendMessageA(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), TBM_GETPOS, 0, 0), 140);
    PostMessageA(GetDlgItem(popup, ID_TRANSPARENCY_TRACKBAR), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitGone(popup));
}

std::mutex OpenedMutex;
std::vector<std::string> Opened;

HINSTANCE WINAPI recordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    std::lock_guard<std::mutex> lock(OpenedMutex);
    Opened.push_back(std::string(owner ? "owner " : "") + verb + " " + file + (parameters ? " params" : "") +
                     (folder ? " folder" : "") + " " + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(33);
}

std::vector<std::string> opened() {
    std::lock_guard<std::mutex> lock(OpenedMutex);
    return Opened;
}

// The message box's own text: the longest static text in it.
std::string boxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        const std::string t = harness::WindowText(child);
        if (std::string(cls) == "Static" && t.size() > text.size()) text = t;
    }
    return text;
}

TEST_F(ColorsWindow, AboutBoxTextThenTheSiteHoweverItCloses) {
    startSettings(nullptr);
    ABOUTSHELLOPEN = recordShellOpen;
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr);
    const std::string title = LANGTEXT("A propos", "About");
    const std::string expected =
        std::string(LANGTEXT("test_popupabout_fr", "test_popupabout_en")) + " Version 1.4 (25-OCT-2011)\r\n" +
        LANGTEXT("Lanc\xE9 depuis ", "Launched from ") + harness::TestFolder() +
        LANGTEXT("\r\n\r\nSimple-clic sur la date = calendrier\r\nDouble-clic sur l'heure = calculatrice\r\n"
                 "Clic bouton droit = menu d'apparence\r\nAscenseur de la souris = transparence\r\n\r\n"
                 "Cliquez OK pour visiter le site du d\xE9veloppeur",
                 "\r\n\r\nSimple-clic on date = calendar\r\nDouble-clic on time = calculator\r\n"
                 "Right-clic = window appearance menu\r\nMouse-wheel = transparency\r\n\r\n"
                 "Clic OK to visit the developer's website");
    const std::string site = "open https://orloclock.example.org/ 5";  // SW_SHOW, no owner

    const struct {
        const char* how;
        UINT msg;
        WPARAM wparam;
    } closings[] = {{"OK", BM_CLICK, 0}, {"Escape", WM_KEYDOWN, VK_ESCAPE}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    size_t count = 0;
    for (const auto& closing : closings) {
        PostMessageA(w, WM_COMMAND, IDM_ABOUT, 0);
        HWND box = waitDialog(clock, title.c_str());
        ASSERT_NE(box, nullptr) << closing.how;
        EXPECT_EQ(boxText(box), expected);
        EXPECT_TRUE(IsWindowEnabled(w));  // no owner: the clock stays usable
        EXPECT_EQ(opened().size(), count) << "nothing opens before the box closes";
        HWND target = closing.msg == WM_SYSCOMMAND ? box : GetDlgItem(box, IDOK);
        PostMessageA(target, closing.msg, closing.wparam, 0);
        EXPECT_TRUE(waitGone(box)) << closing.how;
        EXPECT_TRUE(WaitUntil([&] { return opened().size() == count + 1; }, 2000)) << closing.how;
        ++count;
        if (opened().size() == count) {
            EXPECT_EQ(opened().back(), site) << closing.how;
        }
    }
    ABOUTSHELLOPEN = ShellExecuteA;
}

}  // namespace
