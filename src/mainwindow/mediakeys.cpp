// Media-key hook.
#include "mainwindow/mediakeys.h"

HHOOK mediaKeyHook;

void InstallMediaKeyHook() {}
void RemoveMediaKeyHook() {}
LRESULT CALLBACK MediaKeyHookProc(int code, WPARAM message, LPARAM event)
{
    return CallNextHookEx(mediaKeyHook, code, message, event);
}
