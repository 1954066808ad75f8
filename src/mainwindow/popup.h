// The right-click menu of the title area and the lyrics lookup.
#pragma once
#include <windows.h>

// WM_RBUTTONDOWN on the main window: true when the menu was shown and the
// click must not reach the host.
bool ShowTitlePopupMenu();
// "Find Lyrics": true when the command is finished and must not reach the host.
bool FindLyrics();
