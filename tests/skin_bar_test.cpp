// The painted bars and their buttons, seen as the pixels on screen and as
// what the host's windows receive.
#include "skin_support.h"

#include "resources/resource.h"

using namespace testing_support;
using namespace skin_support;

namespace {

class SkinBar : public HostTest {
protected:
    SkinBar()
    {
        placement.width = 400;
        placement.height = 300;
    }
    // Offset 0 unless a test asks: the bar then lies at the window's top.
    void Start(DWORD offset = 0)
    {
        StartPlugin({{"Offset", offset}});
        SetForegroundWindow(host::mainWindow);
        host::PumpMessages();
    }
    bool Iconic() { return IsIconic(host::mainWindow) != 0; }
};

TEST_F(SkinBar, FullBarPaintsEndsMiddleTitleAndButtons)
{
    Start();
    HWND bar = FullBar();
    ASSERT_NE(bar, nullptr);
    // The black corner pixels lie outside the window: compared from row 5.
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_LEFT, 0, 5, 6, 21, 0, 5));
    EXPECT_EQ(Painted(bar, 8, 22), ImagePixel(IDB_BAR_LEFT, 8, 22));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_LEFT, 5, 0, 4, 5, 5, 0));
    // The middle covers the left end's last two columns, below the balls;
    // the halftone filter may shade its rows, but evenly along the bar.
    for (int x : {9, 10, 200, 388})
        EXPECT_EQ(Painted(bar, x, 22), Painted(bar, 300, 22)) << "x " << x;
    EXPECT_NE(Painted(bar, 9, 22), ImagePixel(IDB_BAR_LEFT, 9, 22));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_RIGHT, 389, 5, 11, 21, 0, 5));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_RIGHT, 389, 0, 6, 5));
    EXPECT_TRUE(ShowsImage(bar, IDB_TITLE_ACTIVE, 180, 8, 40, 10));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE, 6, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_MINIMIZE, 27, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_ZOOM, 48, 4, 16, 16));
    // Around the balls the bar shows through.
    EXPECT_EQ(Painted(bar, 6, 4), ImagePixel(IDB_BAR_LEFT, 6, 4));
}

TEST_F(SkinBar, GreyButtonsAndTitleWhenAnotherWindowIsInFront)
{
    Start();
    SetForegroundWindow(host::equalizerWindow);
    host::PumpMessages();
    HWND bar = FullBar();
    EXPECT_TRUE(ShowsImage(bar, IDB_TITLE_INACTIVE, 180, 8, 40, 10));
    for (int left : {6, 27, 48})
        EXPECT_TRUE(ShowsImage(bar, IDB_BAR_INACTIVE, left, 4, 16, 16));
    // Hover changes the states behind the grey look; they show once in front.
    Mouse(host::mainWindow, WM_MOUSEMOVE, 14, 12);
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_INACTIVE, 6, 4, 16, 16));
    SetForegroundWindow(host::mainWindow);
    host::PumpMessages();
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE_HOVER, 6, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_TITLE_ACTIVE, 180, 8, 40, 10));
}

TEST_F(SkinBar, EqualizerBarAndMiniStripPaintTheirOwnImages)
{
    Start();
    SetForegroundWindow(host::equalizerWindow);
    host::PumpMessages();
    HWND eq = EqBar();
    ASSERT_NE(eq, nullptr);
    EXPECT_TRUE(ShowsImage(eq, IDB_EQ_TITLE_ACTIVE, 360 / 2 - 28, 8, 57, 13));
    EXPECT_TRUE(ShowsImage(eq, IDB_BAR_CLOSE, 6, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(eq, IDB_BAR_RIGHT, 349, 0, 11, 26));

    host::ResizeMain(400, 64);
    SetForegroundWindow(host::mainWindow);
    host::PumpMessages();
    HWND strip = MiniStrip();
    ASSERT_NE(strip, nullptr);
    // The full mode's rounded corner still cuts the strip's top-left pixels.
    EXPECT_TRUE(ShowsImage(strip, IDB_MINI_BACKGROUND, 6, 0, 14, 7, 6, 0));
    EXPECT_TRUE(ShowsImage(strip, IDB_MINI_BACKGROUND, 0, 55, 20, 9, 0, 55));
    EXPECT_TRUE(ShowsImage(strip, IDB_MINI_CLOSE, 6, 7, 12, 12));
    EXPECT_TRUE(ShowsImage(strip, IDB_MINI_MINIMIZE, 6, 24, 12, 12));
    EXPECT_TRUE(ShowsImage(strip, IDB_MINI_ZOOM, 6, 41, 12, 12));
}

TEST_F(SkinBar, HitTestIsStrictOnAllFourSides)
{
    Start();
    HWND w = host::mainWindow, bar = FullBar();
    // Outside the close button on each side: the press is a caption press.
    for (POINT p : {POINT{6, 12}, POINT{22, 12}, POINT{14, 4}, POINT{14, 20}}) {
        host::ClearLogs();
        EXPECT_EQ(Mouse(w, WM_LBUTTONDOWN, p.x, p.y), 0);
        EXPECT_TRUE(TakeCaptionPress(w)) << p.x << ", " << p.y;
        Mouse(w, WM_LBUTTONUP, 300, 200);
        host::PumpMessages();
    }
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE, 6, 4, 16, 16));
    // One pixel further in, on each side, it presses the button.
    for (POINT p : {POINT{7, 12}, POINT{21, 12}, POINT{14, 5}, POINT{14, 19}}) {
        host::ClearLogs();
        Mouse(w, WM_LBUTTONDOWN, p.x, p.y);
        EXPECT_FALSE(TakeCaptionPress(w));
        EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 0);
        EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE_PRESSED, 6, 4, 16, 16)) << p.x << ", " << p.y;
        Mouse(w, WM_LBUTTONUP, 300, 200);
    }
}

TEST_F(SkinBar, HoverPressMoveOffAndRelease)
{
    Start();
    HWND w = host::mainWindow, bar = FullBar();
    host::ClearLogs();
    Mouse(w, WM_MOUSEMOVE, 35, 12);
    EXPECT_EQ(Received(w, WM_MOUSEMOVE), 1) << "mouse moves are passed on";
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE_HOVER, 6, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_MINIMIZE_HOVER, 27, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_ZOOM_HOVER, 48, 4, 16, 16));

    Mouse(w, WM_LBUTTONDOWN, 35, 12);
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_MINIMIZE_PRESSED, 27, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE_HOVER, 6, 4, 16, 16));
    Mouse(w, WM_MOUSEMOVE, 56, 12);
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_MINIMIZE_PRESSED, 27, 4, 16, 16)) << "still over a button";

    Mouse(w, WM_MOUSEMOVE, 200, 100);
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_CLOSE, 6, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_MINIMIZE, 27, 4, 16, 16));
    EXPECT_TRUE(ShowsImage(bar, IDB_BAR_ZOOM, 48, 4, 16, 16));

    host::ClearLogs();
    Mouse(w, WM_LBUTTONUP, 200, 100);
    EXPECT_EQ(Received(w, WM_LBUTTONUP), 1);
    EXPECT_FALSE(Iconic());
}

TEST_F(SkinBar, PressCloseReleaseOverMinimizeMinimizes)
{
    Start();
    HWND w = host::mainWindow;
    Mouse(w, WM_LBUTTONDOWN, 14, 12);
    host::ClearLogs();
    EXPECT_EQ(Mouse(w, WM_LBUTTONUP, 35, 12), 0);
    host::PumpMessages();
    EXPECT_TRUE(Iconic());
    EXPECT_EQ(Received(w, WM_CLOSE), 0);
    EXPECT_EQ(Received(w, WM_LBUTTONUP), 0);
}

TEST_F(SkinBar, MinimizeHidesAToolWindow)
{
    Start();
    HWND w = host::mainWindow;
    SetWindowLongA(w, GWL_EXSTYLE, GetWindowLongA(w, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    Mouse(w, WM_LBUTTONUP, 35, 12);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_FALSE(Iconic());
}

TEST_F(SkinBar, CloseButtonPostsClose)
{
    Start();
    HWND w = host::mainWindow;
    host::ClearLogs();
    Mouse(w, WM_LBUTTONUP, 14, 12);
    EXPECT_TRUE(SequenceIs(host::Select(host::queued, w, {WM_CLOSE}), {}));
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::queued, w, {WM_CLOSE}),
                           {{WM_CLOSE, host::posted | host::wparam | host::lparam, 0, 0}}));
}

// Needs the menu bar's PostMenuKeystrokes: the zoom posts the keys of the
// host's "Switch to Mini Player".
TEST_F(SkinBar, ZoomButtonPostsTheMiniPlayerMenuKeys)
{
    Start();
    HWND w = host::mainWindow;
    host::ClearLogs();
    Mouse(w, WM_LBUTTONUP, 56, 12);
    host::PumpMessages();
    const unsigned exact = host::posted | host::wparam | host::lparam;
    EXPECT_TRUE(SequenceIs(host::Select(host::queued, w, {WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYUP}),
                           {{WM_SYSKEYDOWN, exact, VK_MENU, 0x20380001},
                            {WM_SYSKEYUP, exact, VK_MENU, 0x20380001},
                            {WM_KEYDOWN, exact, VK_LEFT, 0x014D0001},
                            {WM_KEYDOWN, exact, VK_LEFT, 0x014D0001},
                            {WM_KEYDOWN, exact, VK_DOWN, 0x014D0001},
                            {WM_KEYDOWN, exact, VK_DOWN, 0x014D0001},
                            {WM_KEYDOWN, exact, VK_RETURN, 0x014D0001}}));
}

TEST_F(SkinBar, DragAreaWithOffsetEndsAtRow45)
{
    Start(1);
    HWND w = host::mainWindow;
    host::ClearLogs();
    Mouse(w, WM_LBUTTONDOWN, 200, 45);
    EXPECT_TRUE(TakeCaptionPress(w));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 0);
    Mouse(w, WM_LBUTTONDOWN, 200, 46);
    EXPECT_FALSE(TakeCaptionPress(w));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 1);
}

TEST_F(SkinBar, DragAreaWithoutOffsetEndsAtRow25)
{
    Start(0);
    HWND w = host::mainWindow;
    Mouse(w, WM_LBUTTONDOWN, 200, 25);
    EXPECT_TRUE(TakeCaptionPress(w));
    host::ClearLogs();
    Mouse(w, WM_LBUTTONDOWN, 200, 26);
    EXPECT_FALSE(TakeCaptionPress(w));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 1);
}

class SkinMiniStrip : public SkinBar {
protected:
    SkinMiniStrip() { placement.height = 64; }
};

TEST_F(SkinMiniStrip, PressAtTheHostsZoomControlGoesToTheHost)
{
    Start();
    HWND w = host::mainWindow;
    ASSERT_NE(MiniStrip(), nullptr);
    Mouse(w, WM_LBUTTONDOWN, 16, 28);
    EXPECT_EQ(host::miniControlPresses, 1);
    EXPECT_TRUE(ShowsImage(MiniStrip(), IDB_MINI_MINIMIZE, 6, 24, 12, 12));
    host::ClearLogs();
    Mouse(w, WM_LBUTTONDOWN, 17, 28);
    EXPECT_EQ(host::miniControlPresses, 1);
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 0);
    EXPECT_TRUE(ShowsImage(MiniStrip(), IDB_MINI_MINIMIZE_PRESSED, 6, 24, 12, 12));
}

TEST_F(SkinMiniStrip, ZoomClicksTheHostsControlAndDoesNotMinimize)
{
    Start();
    HWND w = host::mainWindow;
    Mouse(w, WM_LBUTTONDOWN, 12, 47);
    Mouse(w, WM_LBUTTONUP, 12, 47);
    EXPECT_TRUE(host::PumpUntil([] { return host::miniControlPresses == 1; }));
    // The synthetic release lands on the minimise button; it is the host's.
    host::PumpUntil([&] { return Received(w, WM_LBUTTONUP) > 0; }, 1000);
    EXPECT_EQ(Received(w, WM_LBUTTONUP), 1);
    EXPECT_FALSE(Iconic());
    EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(SkinMiniStrip, DragAreaIsTheOffsetsWidth)
{
    Start(1);
    HWND w = host::mainWindow;
    Mouse(w, WM_LBUTTONDOWN, 19, 60);
    EXPECT_TRUE(TakeCaptionPress(w));
    host::ClearLogs();
    Mouse(w, WM_LBUTTONDOWN, 20, 60);
    EXPECT_FALSE(TakeCaptionPress(w));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 1);
}

TEST_F(SkinMiniStrip, WithoutOffsetNoPressMovesTheWindow)
{
    Start(0);
    HWND w = host::mainWindow;
    host::ClearLogs();
    Mouse(w, WM_LBUTTONDOWN, 2, 60);
    EXPECT_FALSE(TakeCaptionPress(w));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN), 1);
}

TEST_F(SkinBar, EqualizerButtonsHideMinimizeAndRightClick)
{
    Start();
    HWND eq = host::equalizerWindow;
    host::ClearLogs();
    Mouse(eq, WM_LBUTTONDOWN, 200, 25);
    EXPECT_TRUE(TakeCaptionPress(eq));
    Mouse(eq, WM_LBUTTONDOWN, 200, 26);
    EXPECT_EQ(Received(eq, WM_LBUTTONDOWN), 1);

    RECT rect;
    GetWindowRect(eq, &rect);
    SetCursorPos(rect.left + 56, rect.top + 12);
    SendMessageA(eq, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(56, 12));
    host::PumpMessages();
    const unsigned exact = host::posted | host::wparam | host::lparam;
    EXPECT_TRUE(SequenceIs(host::Select(host::received, eq, {WM_RBUTTONDOWN, WM_RBUTTONUP}),
                           {{WM_RBUTTONDOWN, exact, MK_SHIFT, MAKELPARAM(56, 12)},
                            {WM_RBUTTONUP, exact, MK_SHIFT, MAKELPARAM(56, 12)}}));

    Mouse(eq, WM_LBUTTONUP, 35, 12);
    EXPECT_TRUE(IsIconic(eq));
    ShowWindow(eq, SW_RESTORE);
    Mouse(eq, WM_LBUTTONUP, 14, 12);
    EXPECT_FALSE(IsWindowVisible(eq));
    EXPECT_FALSE(IsIconic(host::mainWindow));
}

} // namespace
