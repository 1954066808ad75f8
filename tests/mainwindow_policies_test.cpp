// The main window's replacement procedure: what it passes on, and the
// always-on-top, taskbar and tray policies it applies.
#include "harness.h"

using namespace testing_support;

namespace {

bool Topmost()
{
    return (GetWindowLongA(host::mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool ToolWindow()
{
    return (GetWindowLongA(host::mainWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
}

// Moves the window, which raises WM_WINDOWPOSCHANGED without a WM_SIZE.
void Nudge()
{
    RECT rect;
    GetWindowRect(host::mainWindow, &rect);
    SetWindowPos(host::mainWindow, nullptr, rect.left + 1, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    host::PumpMessages();
}

bool WasHidden()
{
    for (const host::Logged &m : host::Select(host::received, host::mainWindow, {WM_SHOWWINDOW}))
        if (m.wParam == FALSE)
            return true;
    return false;
}

class MainWindow : public HostTest {};

TEST_F(MainWindow, OrdinaryMessagesReachTheHostUnchangedWithTheirResults)
{
    StartPlugin({{"Skin", 0}});
    host::ClearLogs();
    HWND w = host::mainWindow;
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_EQ(SendMessageA(w, WM_APPCOMMAND, WPARAM(w), LPARAM(0x800E0000)), TRUE);
    EXPECT_EQ(SendMessageA(w, WM_USER + 7, 0x1234, 0x56789ABC), 0);
    EXPECT_EQ(SendMessageA(w, WM_COMMAND, MAKEWPARAM(40010, 1), 0x4321), 0);
    const unsigned s = host::sent | host::wparam | host::lparam;
    // The module's procedure is a Unicode one on this ANSI window: Wine
    // reads the text to give the length in ANSI characters.
    EXPECT_TRUE(SequenceIs(host::Select(host::received, w),
                           {{WM_GETTEXTLENGTH, s, 0, 0},
                            {WM_GETTEXT, host::sent | host::optional, 0, 0},
                            {WM_APPCOMMAND, s, WPARAM(w), LPARAM(0x800E0000)},
                            {WM_USER + 7, s, 0x1234, 0x56789ABC},
                            {WM_COMMAND, s, MAKEWPARAM(40010, 1), 0x4321}}));
    host::PumpMessages();
    EXPECT_TRUE(host::Select(host::queued, w).empty());
}

TEST_F(MainWindow, OnTopOnlyInMiniModeFollowsTheHeight)
{
    StartPlugin({{"TopmostMin", 1}, {"Skin", 0}});
    EXPECT_FALSE(Topmost());
    host::ResizeMain(640, 69);
    EXPECT_TRUE(Topmost());
    host::ResizeMain(640, 70);
    EXPECT_FALSE(Topmost());
    host::ResizeMain(640, 69);
    EXPECT_TRUE(Topmost());
}

TEST_F(MainWindow, OnTopAlwaysWinsAndNeverLeavesTheZOrderAlone)
{
    StartPlugin({{"TopmostAlways", 1}, {"TopmostMin", 1}, {"Skin", 0}});
    EXPECT_TRUE(Topmost());
    host::ResizeMain(640, 300);
    EXPECT_TRUE(Topmost());
}

TEST_F(MainWindow, OnTopNeverKeepsATopmostWindowTopmost)
{
    StartPlugin({{"Skin", 0}});
    SetWindowPos(host::mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    host::ResizeMain(640, 69);
    host::ResizeMain(640, 300);
    EXPECT_TRUE(Topmost());
}

TEST_F(MainWindow, TaskbarOnlyInFullModeFollowsTheHeight)
{
    StartPlugin({{"ToolwindowMinimode", 1}, {"Skin", 0}});
    EXPECT_FALSE(ToolWindow());
    host::ResizeMain(640, 69);
    EXPECT_TRUE(ToolWindow());
    host::ResizeMain(640, 70);
    EXPECT_FALSE(ToolWindow());
}

TEST_F(MainWindow, TaskbarNeverAddsTheToolStyle)
{
    StartPlugin({{"NeverTaskbar", 1}, {"Skin", 0}});
    Nudge();
    EXPECT_TRUE(ToolWindow());
}

TEST_F(MainWindow, TaskbarAlwaysNeverTouchesTheStyle)
{
    StartPlugin({{"Skin", 0}});
    SetWindowLongA(host::mainWindow, GWL_EXSTYLE, GetWindowLongA(host::mainWindow, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    Nudge();
    host::ResizeMain(640, 69);
    EXPECT_TRUE(ToolWindow());
}

TEST_F(MainWindow, TaskbarWhenNotOnTopWaitsWhileMinimised)
{
    StartPlugin({{"ShowInAltTab", 1}, {"Skin", 0}});
    EXPECT_FALSE(ToolWindow());
    ShowWindow(host::mainWindow, SW_MINIMIZE);
    host::PumpMessages();
    SetWindowPos(host::mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    host::PumpMessages();
    EXPECT_TRUE(Topmost());
    EXPECT_FALSE(ToolWindow());
    ShowWindow(host::mainWindow, SW_RESTORE);
    host::PumpMessages();
    EXPECT_TRUE(ToolWindow());
    SetWindowPos(host::mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    host::PumpMessages();
    EXPECT_FALSE(ToolWindow());
}

TEST_F(MainWindow, TrayHidesOnlyAMinimisedWindow)
{
    StartPlugin({{"Tray", 1}, {"Skin", 0}});
    Nudge();
    EXPECT_TRUE(IsWindowVisible(host::mainWindow));
    ShowWindow(host::mainWindow, SW_MINIMIZE);
    host::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(host::mainWindow));
}

TEST_F(MainWindow, MinimisingWithoutTrayKeepsTheWindow)
{
    StartPlugin({{"Skin", 0}});
    ShowWindow(host::mainWindow, SW_MINIMIZE);
    host::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(host::mainWindow));
}

// Start-up hiding: the window comes back about 400 ms later, once, with the
// taskbar rule applied to it again.
TEST_F(MainWindow, StartUpHidesForTaskbarNeverAndShowsOnceLater)
{
    host::ClearLogs();
    StartPlugin({{"NeverTaskbar", 1}, {"ShowInAltTab", 1}, {"TopmostAlways", 1}, {"Skin", 0}});
    // Counted from the end of the start-up: Wine's hiding itself can take a
    // while without a window manager, and the 400 ms start after it.
    DWORD start = GetTickCount();
    EXPECT_FALSE(IsWindowVisible(host::mainWindow));
    ASSERT_TRUE(host::PumpUntil([] { return IsWindowVisible(host::mainWindow) != FALSE; }, 3000));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 300u);
    EXPECT_LE(elapsed, 1500u);
    host::PumpFor(600);
    std::vector<host::Logged> shows = host::Select(host::received, host::mainWindow, {WM_SHOWWINDOW});
    EXPECT_TRUE(SequenceIs(shows, {{WM_SHOWWINDOW, host::sent | host::wparam, FALSE, 0},
                                   {WM_SHOWWINDOW, host::sent | host::wparam, TRUE, 0}}));
    EXPECT_TRUE(Topmost());
    EXPECT_TRUE(ToolWindow());
}

TEST_F(MainWindow, StartUpHidesForTaskbarWhenNotOnTopOnlyBelowMiniHeight)
{
    host::ResizeMain(640, 70);
    host::ClearLogs();
    StartPlugin({{"ShowInAltTab", 1}, {"TopmostMin", 1}, {"Skin", 0}});
    EXPECT_FALSE(WasHidden());
    EXPECT_TRUE(IsWindowVisible(host::mainWindow));
}

class MainWindowMini : public HostTest {
public:
    MainWindowMini() { placement.height = 69; }
};

TEST_F(MainWindowMini, StartUpHidesForTaskbarWhenNotOnTopBelowMiniHeight)
{
    host::ClearLogs();
    StartPlugin({{"ShowInAltTab", 1}, {"TopmostMin", 1}, {"Skin", 0}});
    EXPECT_TRUE(WasHidden());
    ASSERT_TRUE(host::PumpUntil([] { return IsWindowVisible(host::mainWindow) != FALSE; }, 3000));
    EXPECT_TRUE(Topmost());
    EXPECT_TRUE(ToolWindow());
}

TEST_F(MainWindowMini, StartUpDoesNotHideWithoutATaskbarPolicy)
{
    host::ClearLogs();
    StartPlugin({{"TopmostAlways", 1}, {"Skin", 0}});
    host::PumpFor(500);
    EXPECT_FALSE(WasHidden());
    EXPECT_TRUE(Topmost());
}

} // namespace
