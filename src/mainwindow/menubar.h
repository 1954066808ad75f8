// The real menu bar that mirrors the host's owner-drawn menus, and the
// keystrokes that carry its commands out in the host's own menus.
#pragma once
#include <windows.h>

#include "plugin/hostwindow.h"

extern HMENU fakeMenuBar;

// Start-up: load the menu bar and set it on the host main window.
void InstallMenuBar();
// A WM_COMMAND that reached the main window; the whole wParam is the command.
// Commands that are not the menu bar's are left alone.
void CarryOutMenuCommand(HWND window, WPARAM command);
