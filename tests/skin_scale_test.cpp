// The skin as pictures and sizes: at 96 DPI the bars are, pixel for pixel,
// the demo's pictures in docs/images; at 150 % and 200 % every length
// follows the scale; and a load, "clr " and unload leave no GDI object.
#include "popup_support.h"
#include "resources/resource.h"
#include "screenshot.h"
#include "skin_support.h"

using namespace testing_support;
using namespace skin_support;

namespace {

// The pixels a user sees of the window's `area` (inside its shape, where it
// has one), each against the same pixel of the demo's picture.
::testing::AssertionResult LooksLikeDemoPicture(HWND window, const char *picture, RECT area)
{
    std::string path = std::string(SOURCE_DIR) + "/docs/images/" + picture;
    host::Picture want = host::ReadPng(path.c_str());
    if (want.pixels.empty())
        return ::testing::AssertionFailure() << "cannot read " << path;
    host::PumpMessages();
    RECT rect;
    GetWindowRect(window, &rect);
    host::Picture got = host::CaptureScreenRect(rect);
    if (got.width != want.width || got.height != want.height)
        return ::testing::AssertionFailure() << picture << " is " << want.width << "x" << want.height << ", the window "
                                             << got.width << "x" << got.height;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    bool shaped = GetWindowRgn(window, shape) != ERROR;
    int differing = 0;
    POINT first = {};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((!shaped || PtInRegion(shape, x, y)) && got.At(x, y) != want.At(x, y) && differing++ == 0)
                first = {x, y};
    DeleteObject(shape);
    if (differing)
        return ::testing::AssertionFailure() << picture << ": " << differing << " pixels differ, the first at ("
                                             << first.x << ", " << first.y << "): " << std::hex
                                             << got.At(first.x, first.y) << " against " << want.At(first.x, first.y);
    return ::testing::AssertionSuccess();
}

class SkinPictures : public HostTest {};

// The demo's steps before each of its pictures (demo/skin.cpp).
TEST_F(SkinPictures, BarsAt96DpiAreTheDemoPictures)
{
    StartPlugin();
    SetForegroundWindow(host::mainWindow);
    EXPECT_TRUE(LooksLikeDemoPicture(host::mainWindow, "skin-full-active.png", {0, 20, 640, 46}));

    SetForegroundWindow(host::equalizerWindow);
    SetWindowPos(host::equalizerWindow, nullptr, 0, 0, 360, 160, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(LooksLikeDemoPicture(host::equalizerWindow, "skin-equalizer.png", {0, 0, 360, 26}));

    SetForegroundWindow(host::mainWindow);
    host::ResizeMain(300, 64);
    SetWindowRgn(host::mainWindow, nullptr, TRUE);
    EXPECT_TRUE(LooksLikeDemoPicture(host::mainWindow, "skin-mini.png", {0, 0, 20, 64}));
}

// Runs at the DPI of its process: 96 in the suite, 144 and 192 in the
// processes that the next test starts. The host declares itself DPI-aware.
class SkinAtScale : public HostTest {
protected:
    SkinAtScale() { host::MakeDpiAware(); }
};

TEST_F(SkinAtScale, BarsHitAreasMenuAreaAndMiniThresholdFollowTheScale)
{
    if (host::RequestedDpi()) {
        ASSERT_EQ(host::ScreenDpi(), host::RequestedDpi());
    }
    const auto S = host::Scaled;
    const HWND w = host::mainWindow;
    StartPlugin({{"Offset", 1}});
    SetForegroundWindow(w);
    host::PumpMessages();
    RECT bar = ChildRect(FullBar()), eq = ChildRect(EqBar());
    EXPECT_EQ(bar.top, S(20));
    EXPECT_EQ(bar.bottom - bar.top, S(26));
    EXPECT_EQ(eq.bottom - eq.top, S(26));
    if (host::ScreenDpi() % 96 == 0) {
        EXPECT_TRUE(ShowsImage(FullBar(), IDB_BAR_CLOSE, S(6), S(4), 16, 16, 0, 0, host::ScreenDpi() / 96));
    }

    // The close button's own first column is outside it, the next inside;
    // the bar's last row still moves the window, the row below does not.
    const int buttonY = S(20) + S(12);
    for (POINT at : {POINT{S(6), buttonY}, POINT{S(6) + 1, buttonY}, POINT{S(300), S(46) - 1},
                     POINT{S(300), S(46)}}) {
        host::ClearLogs();
        Mouse(w, WM_LBUTTONDOWN, at.x, at.y);
        bool buttonPressed = at.x == S(6) + 1, moves = at.y < S(46) && !buttonPressed;
        EXPECT_EQ(TakeCaptionPress(w), moves) << at.x << ", " << at.y;
        EXPECT_EQ(Received(w, WM_LBUTTONDOWN), moves || buttonPressed ? 0 : 1) << at.x << ", " << at.y;
        Mouse(w, WM_LBUTTONUP, S(300), S(200));
    }
    // A click at the close button's centre closes the window.
    Mouse(w, WM_LBUTTONDOWN, S(14), buttonY);
    Mouse(w, WM_LBUTTONUP, S(14), buttonY);
    MSG close;
    EXPECT_TRUE(PeekMessageA(&close, w, WM_CLOSE, WM_CLOSE, PM_REMOVE));

    EXPECT_FALSE(popup_support::RightClickAt(S(40) - 1));
    EXPECT_TRUE(popup_support::seen.shown);
    EXPECT_TRUE(popup_support::RightClickAt(S(40)));

    host::ResizeMain(640, S(70));
    EXPECT_NE(FullBar(), nullptr) << "full mode is kept at the threshold";
    host::ResizeMain(640, S(70) - 1);
    ASSERT_NE(MiniStrip(), nullptr);
    RECT strip = ChildRect(MiniStrip());
    EXPECT_EQ(strip.right - strip.left, S(20));
    EXPECT_EQ(strip.bottom - strip.top, S(64));
    host::ResizeMain(640, S(70));
    EXPECT_NE(MiniStrip(), nullptr) << "mini mode is kept at the threshold";
    host::ResizeMain(640, S(70) + 1);
    EXPECT_NE(FullBar(), nullptr);
}

TEST(SkinAtDisplayScale, TheScaledChecksPassAt144And192Dpi)
{
    for (int dpi : {144, 192}) {
        host::ProgramRun run =
            host::RunProgramAtDpi(dpi, "plugin_tests", {"--gtest_filter=SkinAtScale.*"}, 100000);
        bool passed = run.exitCode == 0 && run.output.find("[  PASSED  ] 1 test") != std::string::npos;
        EXPECT_TRUE(passed) << dpi << " DPI, exit code " << run.exitCode << ":\n" << run.output;
    }
}

class SkinCleanUp : public HostTest {};

// Wine makes some objects of its own at the first paint of a window and
// keeps them (DC caches): the first round makes them.
TEST_F(SkinCleanUp, LoadCleanUpAndUnloadLeaveTheGdiCountAsItWas)
{
    auto round = [&](bool load) {
        if (load) {
            ASSERT_TRUE(host::LoadPlugin());
            host::Init();
        }
        StartPlugin({{"Skin", 1}});
        for (HWND bar : {FullBar(), EqBar()})
            UpdateWindow(bar);
        host::ResizeMain(500, 64);
        UpdateWindow(MiniStrip());
        host::ResizeMain(640, 420);
        host::PumpMessages();
        host::Clean();
        ASSERT_TRUE(FreeLibrary(host::plugin));
        host::PumpMessages();
    };
    round(false);
    DWORD before = host::CountGdiObjects();
    for (int i = 1; i <= 2; ++i) {
        round(true);
        EXPECT_EQ(host::CountGdiObjects(), before) << "after reload " << i;
    }
}

} // namespace
