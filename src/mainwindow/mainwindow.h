// The host main window's replacement procedure and the window policies.
#pragma once
#include <windows.h>

#include "mainwindow/displayscale.h"
#include "plugin/hostwindow.h"

constexpr UINT_PTR REDISPLAY_TIMER_ID = 1928;
constexpr UINT REDISPLAY_DELAY_MS = 400;

// Hide the host window and show it again 400 ms after the last call, so the
// taskbar picks up a changed WS_EX_TOOLWINDOW.
void HideAndRedisplay();
void CALLBACK RedisplayTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// "clr ": the main window's procedure put back, and a redisplay still
// pending carried out now. False when the procedure had to stay (see
// PutProcedureBack); it then passes everything on until a new start-up.
bool ReleaseMainWindow();
// Start-up: true when the procedure of an earlier start-up is still in
// place and was taken up again, so that it must not be put on twice.
bool ResumeMainWindow();

void AddToolWindowStyle(HWND window);
void RemoveToolWindowStyle(HWND window);
