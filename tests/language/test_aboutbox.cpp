// The About box from the clock window of this process: its text, then the
// web site handed to the shell however the box was closed; and the version
// it shows, as every program of the build carries it in its version block.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <string>
#include <vector>

#include "appearance/menuids.h"
#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "language/language.h"
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

TEST(AboutBox, EveryProgramCarriesItsVersion) {
    // The programs beside this test's build, read as Explorer reads them.
    char path[MAX_PATH];
    std::string bin(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    bin = bin.substr(0, bin.rfind("\\tests\\")) + "\\bin\\";
    const std::string about(ABOUT_VERSION);
    const std::string expected = about.substr(0, about.find(' ')) + ".0.0";  // "1.4": 1.4.0.0
    const std::string strings = LANGTEXT("040C04E4", "040904E4");            // language, then code page 1252
    for (const char* program : {"orloclock", "orlocalc", "orlodate"}) {
        const std::string name = program + std::string(LANGTEXT("-fr.exe", ".exe"));
        DWORD ignored = 0;
        std::vector<char> block(GetFileVersionInfoSizeA((bin + name).c_str(), &ignored));
        ASSERT_TRUE(!block.empty() && GetFileVersionInfoA((bin + name).c_str(), 0, block.size(), block.data())) << name;
        const auto value = [&block, &strings](const std::string& key) -> std::string {
            char* text = nullptr;
            UINT length = 0;
            const std::string at = "\\StringFileInfo\\" + strings + "\\" + key;
            return VerQueryValueA(block.data(), at.c_str(), reinterpret_cast<void**>(&text), &length) && length
                       ? std::string(text)
                       : "<none>";
        };
        VS_FIXEDFILEINFO* fixed = nullptr;
        DWORD* translation = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        const std::string numbers =
            std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
            "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
        EXPECT_EQ(std::vector<std::string>({numbers, value("FileVersion"), value("ProductVersion"),
                                            value("ProductName"), value("OriginalFilename")}),
                  std::vector<std::string>({expected, expected, expected, "orlo clock", name}));
        EXPECT_NE(value("FileDescription"), "<none>") << name;
        EXPECT_EQ(*translation,
                  MAKELONG(std::stoul(strings.substr(0, 4), nullptr, 16), std::stoul(strings.substr(4), nullptr, 16)))
            << name;
    }
}

}  // namespace
