// The host main window as both window subsystems see it: the window
// procedure installs the skin, and the skin reads the window's mode, calls
// the procedure and drives the host's menus. Neither owns these.
#pragma once
#include <windows.h>

// Below this window height the host is in its mini-player mode.
constexpr int MINI_MODE_HEIGHT = 70;

// The host's own procedure, kept when the main window is subclassed. Both
// host windows are subclassed and passed on with the W functions: an A
// procedure on top makes even a Unicode window ANSI, and the system then
// carries every text message through the ANSI code page.
extern WNDPROC previousMainWindowProc;
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts `previous` back as the window's procedure while `ours` is still the
// one the window calls. False when another procedure was put on after ours:
// it calls ours, so ours must stay and only pass messages on. A window
// reports its procedure as set only through the character set it was set
// with, hence both looks.
inline bool PutProcedureBack(HWND window, WNDPROC ours, WNDPROC previous)
{
    if (!IsWindow(window))
        return true;
    if (WNDPROC(GetWindowLongPtrA(window, GWLP_WNDPROC)) == ours)
        SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(previous));
    else if (WNDPROC(GetWindowLongPtrW(window, GWLP_WNDPROC)) == ours)
        SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(previous));
    else
        return false;
    return true;
}

// Post the keystrokes that choose one of the host's menu items.
void PostMenuKeystrokes(UINT command);

// Bottom minus top of the window rectangle, frame included; 0 for no window.
inline int WindowHeight(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

inline bool HasExStyle(HWND window, LONG bit)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & bit) != 0;
}
