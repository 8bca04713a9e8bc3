// The About box from the clock window of this process: its text, then the
// web site handed to the shell once the box is closed; and the version
// it shows, as every program of the build carries it in its version block.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "appearance/appearancemenu.h"
#include "language/aboutbox.h"
#include "language/abouttext.h"
#include "language/language.h"
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

TEST(AboutBox, EveryProgramCarriesItsVersion) {
    // The programs of this build, read as Explorer reads them: the About box's
    // "1.4" is 1.4.0.0, in the build's language block with code page 1252.
    char path[MAX_PATH];
    std::string bin(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    bin = bin.substr(0, bin.rfind("\\tests\\")) + "\\bin\\";
    const std::string about(ABOUT_VERSION), version = about.substr(0, about.find(' ')) + ".0.0";
    const std::string block = LANGTEXT("040C04E4", "040904E4");
    for (const char* program : {"orloclock", "orlocalc", "orlodate"}) {
        const std::string name = program + std::string(LANGTEXT("-fr.exe", ".exe"));
        DWORD ignored = 0;
        std::vector<char> data(GetFileVersionInfoSizeA((bin + name).c_str(), &ignored));
        ASSERT_TRUE(!data.empty() && GetFileVersionInfoA((bin + name).c_str(), 0, data.size(), data.data())) << name;
        const auto value = [&data](const std::string& key) {
            char* text = nullptr;
            UINT length = 0;
            return VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) ? text : "";
        };
        const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(value("\\"));
        const auto* translation = reinterpret_cast<const WORD*>(value("\\VarFileInfo\\Translation"));
        char numbers[32], languages[16];
        std::snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        std::snprintf(languages, sizeof languages, "%04X%04X", translation[0], translation[1]);
        const std::string strings = "\\StringFileInfo\\" + block + "\\";
        EXPECT_EQ(
            std::vector<std::string>({numbers, value(strings + "FileVersion"), value(strings + "ProductVersion"),
                                      value(strings + "ProductName"), value(strings + "OriginalFilename"), languages}),
            std::vector<std::string>({version, version, version, "orlo clock", name, block}));
        EXPECT_STRNE(value(strings + "FileDescription"), "") << name;
    }
}

}  // namespace
