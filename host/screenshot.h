// Screenshots of the desktop as PNG files, for the demo and for looking at
// what a user sees.
#pragma once
#include <windows.h>

namespace host {

// What the screen shows inside the window's rectangle.
bool SaveWindowPng(HWND window, const char *path);
bool SaveScreenRectPng(const RECT &rect, const char *path);

} // namespace host
