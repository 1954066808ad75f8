// Windows' own media controls (the system media transport controls): the
// player as a session of the media overlay, the lock screen and the programs
// that read them. Off, quietly, where Windows has no such controls.
#pragma once
#include <windows.h>

// Start-up and the options dialog, on the host's thread: the session of the
// host main window, when the "MediaControls" flag is set and none is live.
void StartMediaControls();
// The options dialog and "clr ", on the host's thread: the session ends at
// once and the media keys go back to the hook.
void EndMediaControls();
// "clr ", once the track worker has ended: waits briefly until Windows has
// let go of every handler of the module. False when some are still held:
// the module must then stay loaded.
bool FinishMediaControls();
// The track worker, after each newest message: the session is brought up
// to date with the track, the play state, the clock and the cover art; only
// what changed is set, and the display is updated only when it changed.
void UpdateMediaControls();
// While true, Windows hands the media keys to the session, so the hook
// leaves them alone.
bool MediaControlsLive();
