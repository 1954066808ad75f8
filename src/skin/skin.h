// The title-bar skin: bitmaps, window shapes, the painted bars and buttons.
#pragma once
#include <windows.h>

extern HWND FullBar;
extern HWND MiniStrip;
extern HWND EqBar;
extern int titleOffset;

// "init": bitmaps, button rectangles and corner regions, made once (again
// after a "clr " freed them).
void LoadSkinResources();
// Start-up with the skin on: the equalizer subclass and the first bar.
void StartSkin();
// The skin step of the main window's WM_SIZE: true when the message is
// finished (result 0), false when it goes on to the host.
bool ShapeMainWindow(UINT message, WPARAM wParam, LPARAM lParam);
// Activation changed: repaint the main window's bar in its new look.
void RepaintMainTitleBar();
// WM_DPICHANGED of the main window, after the host's own handling.
void RescaleMainWindowSkin();
// Mouse messages of the main window while the skin is on: true when finished
// with *result, false when they go on to the host.
bool HandleMainBarMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

// "clr ": the bars destroyed, every bitmap, region and DC of the skin freed,
// and the equalizer's procedure put back; false when that procedure had to
// stay, passing everything on.
bool StopSkin();

// The options dialog switches.
void EnableSkin();
void DisableSkin();
void ChangeTitleOffset();
