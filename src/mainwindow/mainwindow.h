// The host main window's replacement procedure and the window policies.
#pragma once
#include <windows.h>

#include "plugin/hostwindow.h"

constexpr UINT_PTR REDISPLAY_TIMER_ID = 1928;
constexpr UINT REDISPLAY_DELAY_MS = 400;

// Hide the host window and show it again 400 ms after the last call, so the
// taskbar picks up a changed WS_EX_TOOLWINDOW.
void HideAndRedisplay();
void CALLBACK RedisplayTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

void AddToolWindowStyle(HWND window);
void RemoveToolWindowStyle(HWND window);
