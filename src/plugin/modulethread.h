// Threads of the module's own (the media-key hook's, the track worker).
// Each holds a reference on the module while it runs, so a host that unloads
// the module while one still runs cannot unmap the code under it: the module
// goes only when the last of them has ended.
#pragma once
#include <windows.h>

// Starts `procedure` on a new thread with a reference on the module taken
// for it. Returns the thread's handle, or nullptr (and no reference) when it
// could not start. The procedure must end with EndModuleThread, not return.
HANDLE StartModuleThread(LPTHREAD_START_ROUTINE procedure, void *parameter, SIZE_T stackSize);

// Releases the thread's reference and ends it; the code of the module may
// be unmapped at once, so nothing of it runs after this call.
[[noreturn]] void EndModuleThread(DWORD exitCode);
