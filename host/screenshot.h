// Screenshots of the desktop as PNG files, for the demo and for looking at
// what a user sees, and the same files read back for comparing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace host {

// Pixels as 0x00RRGGBB, the top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// What the screen shows inside the rectangle.
Picture CaptureScreenRect(const RECT &rect);
// A PNG file as SaveScreenRectPng writes it; empty for any other kind.
Picture ReadPng(const char *path);

// What the screen shows inside the window's rectangle.
bool SaveWindowPng(HWND window, const char *path);
bool SaveScreenRectPng(const RECT &rect, const char *path);

} // namespace host
