// The handler of the host's messages and the one-time start-up on the first
// idle message.
#include "plugin/plugin.h"

#include "mainwindow/mainwindow.h"
#include "mainwindow/mediakeys.h"
#include "mainwindow/menubar.h"
#include "mediacontrols/mediacontrols.h"
#include "answers/external.h"
#include "nowplaying/outputs.h"
#include "nowplaying/songpath.h"
#include "nowplaying/track.h"
#include "settings/settings.h"
#include "skin/skin.h"

HWND hostMainWindow;
HWND hostEqualizerWindow;

namespace {

uint32_t startedUp;


// Runs on the host's user-interface thread: the timer and the skin children
// it sets up are served by this thread's message loop (the low-level hook by
// a thread of its own).
void StartUp()
{
    startedUp = 1;
    LoadSettings();

    hostMainWindow = FindWindowA("iTunes", "iTunes");
    hostEqualizerWindow = FindWindowA("iTunes", "Equalizer");
    CreateFinderWindow();
    CreateClipboardOwnerWindow();

    if (hostMainWindow && !ResumeMainWindow())
        previousMainWindowProc =
            WNDPROC(SetWindowLongPtrW(hostMainWindow, GWLP_WNDPROC, LONG_PTR(MainWindowProc)));
    titleOffset = Settings.Offset ? 20 : 0;

    if (Settings.ShowInAltTab) {
        int height = WindowHeight(hostMainWindow);
        if (Settings.TopmostAlways || (Settings.TopmostMin && height < MiniModeHeight(hostMainWindow)))
            HideAndRedisplay();
    }
    if (Settings.NeverTaskbar)
        HideAndRedisplay();

    if (Settings.Menu)
        InstallMenuBar();
    if (Settings.Multimedia)
        InstallMediaKeyHook();
    if (Settings.MediaControls)
        StartMediaControls();
    if (Settings.WinAmp)
        CreateWinampWindow(WINAMP_START_TITLE);
    if (Settings.Skin)
        StartSkin();

    if (hostMainWindow) {
        BringWindowToTop(hostMainWindow);
        MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
    }
    ComputeSongFilePath();
}

} // namespace

extern "C" int32_t __cdecl VisualHandler(uint32_t message, void *information, void *reference)
{
    switch (message) {
    case CODE_IDLE:
        if (!startedUp)
            StartUp();
        break;
    case CODE_PLAY:
        if (information && !hostInterface2)
            ForwardPlay(information);
        break;
    case CODE_PLAY_2:
        if (information && hostInterface2)
            ForwardPlay2(information);
        break;
    case CODE_TRACK_CHANGED:
        if (information && !hostInterface2)
            ForwardTrackChanged(information);
        break;
    case CODE_TRACK_CHANGED_2:
        if (information && hostInterface2)
            ForwardTrackChanged2(information);
        break;
    case CODE_COVER_ART:
        if (information && hostInterface2)
            ForwardCoverArt(information);
        break;
    case CODE_STOP:
        OnTrackStop();
        break;
    case CODE_SET_POSITION:
        if (information)
            OnSetPosition(static_cast<const hostrecords::VisualSetPositionMessage *>(information)->positionTimeInMS);
        break;
    case CODE_CLEAN_UP:
        // Before the wait for the worker, so that a thumbnail it waits for
        // does not hold it up.
        EndMediaControls();
        OnCleanUp();
        RemoveMediaKeyHook();
        TakeBackFromHost();
        // A "null" after a new load in the same process starts up again,
        // also when the module stayed mapped in between.
        startedUp = 0;
        break;
    }
    return 0;
}
