// The display scale of the host's windows. Every length the skin and the
// window policies use is given at 96 DPI and multiplied by the window's own
// DPI over 96, so that a player that declares itself DPI-aware on a 150 %
// or 200 % display gets bars, buttons and thresholds of its own scale, and
// one that does not (the system then answers 96) gets them as they were.
#pragma once
#include <windows.h>

#include "plugin/hostwindow.h"

constexpr int BASE_DPI = 96;
// Sent to a per-monitor aware top-level window moved to a monitor of
// another scale (Windows 8.1 on); the headers declare it only from then.
constexpr UINT DPI_CHANGED_MESSAGE = 0x02E0;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10
// 1607 on), else the screen's LOGPIXELSX, which is the only scale the
// earlier systems give a window.
int WindowDpi(HWND window);

// A length at 96 DPI at `dpi`, rounded to the nearest pixel.
inline int ScaleLength(int length, int dpi)
{
    return MulDiv(length, dpi, BASE_DPI);
}

inline RECT ScaleRect(const RECT &rect, int dpi)
{
    return {ScaleLength(rect.left, dpi), ScaleLength(rect.top, dpi), ScaleLength(rect.right, dpi),
            ScaleLength(rect.bottom, dpi)};
}

// Below this window height the host main window is the mini player.
inline int MiniModeHeight(HWND window)
{
    return ScaleLength(MINI_MODE_HEIGHT, WindowDpi(window));
}
