// The right-click menu of the title area as a test sees it: a right click
// at a height, and what the menu showed, read and ended from inside the
// menu's own loop.
#pragma once
#include <string>
#include <vector>

#include "harness.h"

namespace popup_support {

struct MenuSeen {
    bool shown = false;
    std::vector<std::string> items;
};
inline MenuSeen seen;
inline UINT_PTR menuTimer;
inline int menuTicks;
// Set: the menu's second item is chosen instead of the menu ended.
inline bool chooseFindLyrics;

inline void PostKey(WPARAM key)
{
    PostMessageA(host::mainWindow, WM_KEYDOWN, key, 1);
    PostMessageA(host::mainWindow, WM_KEYUP, key, 0xC0000001);
}

// Runs inside the menu's own tracking loop; reads the menu and ends it.
inline void CALLBACK LookAtMenuAndEndIt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if ((!menuWindow || !IsWindowVisible(menuWindow)) && --menuTicks > 0)
        return;
    KillTimer(nullptr, menuTimer);
    if (!menuWindow || !IsWindowVisible(menuWindow))
        return;
    seen.shown = true;
    HMENU menu = HMENU(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        seen.items.push_back(text + std::string(" ") + std::to_string(GetMenuItemID(menu, i)));
    }
    if (!chooseFindLyrics) {
        EndMenu();
        return;
    }
    // The menu's loop takes the thread's keys: the second item, chosen.
    PostKey(VK_DOWN);
    PostKey(VK_DOWN);
    PostKey(VK_RETURN);
}

// A right click with the cursor dy pixels below the window's top; true when
// the host's procedure got it (no menu took it).
inline bool RightClickAt(int dy)
{
    RECT window;
    GetWindowRect(host::mainWindow, &window);
    SetCursorPos(window.left + 200, window.top + dy);
    seen = MenuSeen();
    menuTicks = 50;
    menuTimer = SetTimer(nullptr, 0, 10, LookAtMenuAndEndIt);
    host::ClearLogs();
    // The message's own coordinates are not what decides.
    PostMessageA(host::mainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    host::PumpUntil([] { return !host::Select(host::received, host::mainWindow, {WM_RBUTTONDOWN}).empty(); }, 300);
    KillTimer(nullptr, menuTimer);
    return !host::Select(host::received, host::mainWindow, {WM_RBUTTONDOWN}).empty();
}

} // namespace popup_support
