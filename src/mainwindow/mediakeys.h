// The system-wide low-level keyboard hook that brings media keys to the host.
// Installed and removed on the host's thread; served by a thread of its own.
#pragma once
#include <windows.h>

extern HHOOK mediaKeyHook;

// Starts the hook's thread and waits until it has tried to install the hook;
// true when the hook is in place. On false the thread is told to end
// without one.
bool InstallMediaKeyHook();
// Removes the hook and ends its thread, waiting at most 100 ms.
void RemoveMediaKeyHook();
LRESULT CALLBACK MediaKeyHookProc(int code, WPARAM message, LPARAM event);
// Posts the host main window the command of a media key (VK_MEDIA_NEXT_TRACK
// to VK_MEDIA_PLAY_PAUSE), as the hook does; from any thread.
void PostMediaKeyCommand(DWORD key);
