// The options dialog as the user sees it, opened from the right-click menu's
// "Options" command over the host window.
#include <cstdio>

#include "demo.h"
#include "host.h"
#include "screenshot.h"

namespace {

std::string optionsScreenshot;

void CALLBACK PhotographAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA("#32770", "Plugin Options");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    // Let the posted check marks and the first paint land.
    host::PumpFor(300);
    if (host::SaveWindowPng(dialog, optionsScreenshot.c_str()))
        printf("options dialog screenshot: %s\n", optionsScreenshot.c_str());
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

void DemoOptionsDialog()
{
    optionsScreenshot = DemoOutputPath("options.png");
    UINT_PTR timer = SetTimer(nullptr, 0, 50, PhotographAndClose);
    printf("opening \"Plugin Options\" (command 40007)\n");
    SendMessageA(host::mainWindow, WM_COMMAND, 40007, 0);
    KillTimer(nullptr, timer);
    printf("options dialog closed\n");
}
