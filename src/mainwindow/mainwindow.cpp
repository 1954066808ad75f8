// MainWindowProc: every message of the host main window comes here first.
// It applies the window policies and routes the rest to the subsystem that
// owns it; what it does not finish goes on to the host's own procedure.
#include "mainwindow/mainwindow.h"

#include "mainwindow/mediakeys.h"
#include "mainwindow/menubar.h"
#include "mainwindow/popup.h"
#include "answers/external.h"
#include "nowplaying/outputs.h"
#include "resources/resource.h"
#include "plugin/plugin.h"
#include "settings/settings.h"
#include "skin/skin.h"

WNDPROC previousMainWindowProc;

namespace {
// Set at "clr " while the procedure had to stay in the window's chain.
bool passingEverythingOn;
} // namespace

bool ReleaseMainWindow()
{
    if (!hostMainWindow || !previousMainWindowProc)
        return true;
    if (KillTimer(hostMainWindow, REDISPLAY_TIMER_ID))
        ShowWindow(hostMainWindow, SW_SHOW);
    passingEverythingOn = !PutProcedureBack(hostMainWindow, MainWindowProc, previousMainWindowProc);
    if (!passingEverythingOn)
        previousMainWindowProc = nullptr;
    return !passingEverythingOn;
}

bool ResumeMainWindow()
{
    bool resumed = passingEverythingOn;
    passingEverythingOn = false;
    return resumed;
}

void AddToolWindowStyle(HWND window)
{
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void RemoveToolWindowStyle(HWND window)
{
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_TOOLWINDOW);
}

void HideAndRedisplay()
{
    // Without a window SetTimer would make a thread timer of a new id, which
    // the timer procedure could never kill.
    if (!hostMainWindow)
        return;
    ShowWindow(hostMainWindow, SW_HIDE);
    // Re-arming the same id restarts the 400 ms.
    SetTimer(hostMainWindow, REDISPLAY_TIMER_ID, REDISPLAY_DELAY_MS, RedisplayTimerProc);
}

void CALLBACK RedisplayTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time)
{
    ShowWindow(hostMainWindow, SW_SHOW);
    KillTimer(hostMainWindow, REDISPLAY_TIMER_ID);
}

namespace {

void SetTopmost(bool topmost)
{
    SetWindowPos(hostMainWindow, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void ApplyOnTopRule()
{
    int height = WindowHeight(hostMainWindow);
    if (Settings.TopmostAlways)
        SetTopmost(true);
    else if (Settings.TopmostMin)
        SetTopmost(height < MiniModeHeight(hostMainWindow));
}

// A minimised window gets WM_MOVE when the system parks it.
void ApplyTrayRule()
{
    if (Settings.Tray && IsIconic(hostMainWindow))
        ShowWindow(hostMainWindow, SW_HIDE);
}

void ApplyTaskbarRule()
{
    bool tool = HasExStyle(hostMainWindow, WS_EX_TOOLWINDOW);
    if (Settings.ToolwindowMinimode) {
        bool mini = WindowHeight(hostMainWindow) < MiniModeHeight(hostMainWindow);
        if (mini && !tool)
            AddToolWindowStyle(hostMainWindow);
        else if (!mini && tool)
            RemoveToolWindowStyle(hostMainWindow);
    } else if (Settings.NeverTaskbar) {
        if (!tool)
            AddToolWindowStyle(hostMainWindow);
    } else if (Settings.ShowInAltTab) {
        // Changes wait while minimised, so a restore shows the right state.
        if (IsIconic(hostMainWindow))
            return;
        bool topmost = HasExStyle(hostMainWindow, WS_EX_TOPMOST);
        if (topmost && !tool)
            AddToolWindowStyle(hostMainWindow);
        else if (!topmost && tool)
            RemoveToolWindowStyle(hostMainWindow);
    }
}

// Returns true when the command is finished and must not reach the host.
bool DispatchCommand(HWND window, WPARAM wParam)
{
    switch (wParam) {
    case ID_OPTIONS:
        ShowOptionsDialog();
        return false;
    case ID_FIND_LYRICS:
        return FindLyrics();
    default:
        CarryOutMenuCommand(window, wParam);
        return false;
    }
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (passingEverythingOn)
        return CallWindowProcW(previousMainWindowProc, window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        ShutDownExternalInterface();
        DestroyClipboardOwnerWindow();
        RemoveMediaKeyHook();
        break;
    case WM_MOVE:
        ApplyTrayRule();
        break;
    case WM_SIZE:
        ApplyOnTopRule();
        if (Settings.Skin && ShapeMainWindow(message, wParam, lParam))
            return 0;
        break;
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (Settings.Skin)
            RepaintMainTitleBar();
        break;
    case WM_WINDOWPOSCHANGED:
        ApplyTaskbarRule();
        break;
    case DPI_CHANGED_MESSAGE:
        // The host takes its new size first; the skin then follows the scale.
        if (Settings.Skin) {
            LRESULT result = CallWindowProcW(previousMainWindowProc, window, message, wParam, lParam);
            RescaleMainWindowSkin();
            return result;
        }
        break;
    case WM_COMMAND:
        if (DispatchCommand(window, wParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (Settings.Skin) {
            LRESULT result = 0;
            if (HandleMainBarMouse(window, message, wParam, lParam, &result))
                return result;
        }
        break;
    case WM_RBUTTONDOWN:
        if (ShowTitlePopupMenu())
            return 0;
        break;
    case MSG_GET_PLAY_STATE:
    case MSG_GET_POSITION:
    case MSG_COPY_TRACK_RECORD:
        return AnswerExternalQuery(message, wParam, lParam);
    }
    return CallWindowProcW(previousMainWindowProc, window, message, wParam, lParam);
}
