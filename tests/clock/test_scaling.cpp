// The clock's face at 96 to 192 dpi (set by tools/wine-dpi.sh, passed in ORLO_DPI). The 96-dpi run leaves beside
// the program what the others hold to: the time's and the date's shares of the client area, its settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "core/windowgeometry.h"
#include "tests/support/winharness.h"

namespace {

// The shares of the client area's height the time's and the date's pixels (any not the background) take, split at
// the date label's top. Both whole: nothing in the client area's outer rows and columns, a plain row above the label.
std::pair<double, double> faceShares(HWND clock, const char* which) {
    POINT label{0, WindowRect(GetDlgItem(clock, ID_DATE_LABEL)).top};
    ScreenToClient(clock, &label);
    SIZE size{};
    RECT ink[2] = {};  // the bounds of the time's and the date's pixels
    const auto inside = [&](const RECT& r) {
        return r.left > 0 && r.right < size.cx && r.top > 0 && r.bottom < size.cy;
    };
    WaitUntil([&] {  // until both are whole: a window just shown may not be painted yet
        const std::vector<COLORREF> pixels = ClientPixels(clock, size);
        ink[0] = ink[1] = RECT{};
        for (LONG i = 0; i < size.cx * size.cy; ++i) {
            const RECT dot{i % size.cx, i / size.cx, i % size.cx + 1, i / size.cx + 1};
            RECT& part = ink[dot.top >= label.y];
            if (pixels[i] != COLORREF(CLOCKAPPEARANCE.BgndCol)) UnionRect(&part, &part, &dot);
        }
        return !IsRectEmpty(&ink[0]) && !IsRectEmpty(&ink[1]) && inside(ink[0]) && inside(ink[1]) &&
               ink[0].bottom < label.y;
    });
    const char* const part[] = {"the time", "the date"};
    for (int p = 0; p < 2; ++p)
        EXPECT_TRUE(inside(ink[p])) << which << ": " << part[p] << "'s pixels in columns " << ink[p].left << "-"
                                    << ink[p].right << ", rows " << ink[p].top << "-" << ink[p].bottom
                                    << " of a client area of " << size.cx << "x" << size.cy;
    EXPECT_LT(ink[0].bottom, label.y) << which << ": the time's pixels reach below the date label's top";
    return {double(ink[0].bottom - ink[0].top) / size.cy, double(ink[1].bottom - ink[1].top) / size.cy};
}

TEST(Scaling, TheWholeFaceAtEveryScale) {
    const int dpi = SCREENDPI();
    ASSERT_STREQ(std::getenv("ORLO_DPI"), std::to_string(dpi).c_str()) << "the scale tools/wine-dpi.sh set";
    char path[MAX_PATH];
    const std::string reference = std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)) + ".96dpi";
    std::pair<double, double> at96;  // the shares at 96 dpi
    if (dpi != 96) {                 // the settings file saved at 96 dpi shows the whole clock here too
        std::ifstream in(reference, std::ios::binary);
        ASSERT_TRUE(in >> at96.first >> at96.second && in.get() == '\n') << "the 96-dpi run leaves " << reference;
        WriteSettings(std::string(std::istreambuf_iterator<char>(in), {}));
        ClockThread clock;
        ASSERT_NE(clock.Window(), nullptr) << "no window titled " << CLOCKTITLE << " from the file saved at 96 dpi";
        faceShares(clock.Window(), "the file saved at 96 dpi");
    }
    // The first start: the face's client area, the time and the date whole in it and as at 96 dpi.
    WriteSettings("");
    ClockThread clock;
    HWND w = clock.Window();
    ASSERT_NE(w, nullptr) << "no window titled " << CLOCKTITLE << " at the first start";
    RECT in{}, face{FACEWIDTH, FACEHEIGHT, FACEWIDTH + 1, FACEHEIGHT + 1};  // the client area; the face, a unit more
    GetClientRect(w, &in);
    MapDialogRect(w, &face);
    EXPECT_TRUE(in.right >= face.left && in.right <= face.right && in.bottom >= face.top && in.bottom <= face.bottom)
        << "a client area of " << in.right << "x" << in.bottom << " for a face of " << face.left << "x" << face.top;
    const std::pair<double, double> shares = faceShares(w, "the first start");
    std::printf("%d dpi: the time %.3f, the date %.3f of the client area's height\n", dpi, shares.first, shares.second);
    if (dpi == 96) {  // with the settings file as the first start saved it
        std::ofstream(reference, std::ios::binary) << shares.first << " " << shares.second << "\n" << ReadSettings();
    } else {
        EXPECT_NEAR(shares.first / at96.first, 1, 0.05) << "the time's share against 96 dpi's " << at96.first;
        EXPECT_NEAR(shares.second / at96.second, 1, 0.05) << "the date's share against 96 dpi's " << at96.second;
    }
}

}  // namespace
