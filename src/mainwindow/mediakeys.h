// The system-wide low-level keyboard hook that brings media keys to the host.
#pragma once
#include <windows.h>

extern HHOOK mediaKeyHook;

void InstallMediaKeyHook();
void RemoveMediaKeyHook();
LRESULT CALLBACK MediaKeyHookProc(int code, WPARAM message, LPARAM event);
