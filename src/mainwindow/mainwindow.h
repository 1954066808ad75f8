// The host main window's replacement procedure and the window policies.
#pragma once
#include <windows.h>

// Below this window height the host is in its mini-player mode.
constexpr int MINI_MODE_HEIGHT = 70;
constexpr UINT_PTR REDISPLAY_TIMER_ID = 1928;
constexpr UINT REDISPLAY_DELAY_MS = 400;

extern WNDPROC previousMainWindowProc;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hide the host window and show it again 400 ms after the last call, so the
// taskbar picks up a changed WS_EX_TOOLWINDOW.
void HideAndRedisplay();
void CALLBACK RedisplayTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Bottom minus top of the window rectangle, frame included; 0 for no window.
int WindowHeight(HWND window);
void AddToolWindowStyle(HWND window);
void RemoveToolWindowStyle(HWND window);
bool HasExStyle(HWND window, LONG bit);
