// "clr ": the module takes back from the host's windows everything through
// which the host's process could still run its code once the module is
// unloaded, and what the start-up changed that a new start-up looks for.
#include "plugin/plugin.h"

#include "mainwindow/mainwindow.h"
#include "answers/external.h"
#include "nowplaying/outputs.h"
#include "settings/settings.h"
#include "skin/skin.h"

void TakeBackFromHost()
{
    bool skinReleased = StopSkin();
    bool mainReleased = ReleaseMainWindow();
    DestroyWinampWindow();
    DestroyFinderWindow();
    DestroyClipboardOwnerWindow();
    // A new start-up finds the main window by this caption.
    if (Settings.CaptionText && hostMainWindow && IsWindow(hostMainWindow))
        RestoreCaption();
    // A procedure that had to stay in a window's chain is still called:
    // the module then stays mapped for the rest of the process.
    HMODULE self;
    if (!skinReleased || !mainReleased)
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&TakeBackFromHost), &self);
}
