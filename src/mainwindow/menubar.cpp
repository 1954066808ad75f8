// Menu bar emulation.
#include "mainwindow/menubar.h"

#include "plugin/plugin.h"
#include "resources/resource.h"

HMENU fakeMenuBar;

void InstallMenuBar() {}
void CarryOutMenuCommand(HWND window, WPARAM command)
{
    if (command == ID_ABOUT)
        ShowHostAbout();
}
void PostMenuKeystrokes(UINT command) {}
