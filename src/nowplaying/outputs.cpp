// Now-playing outputs.
#include "nowplaying/outputs.h"

HWND winampWindow;

void ComputeSongFilePath() {}
void BlankSongFile() {}
void DeleteSongFile() {}
void RestoreCaption() {}
void SetPlayCommandLabel(const char *label) {}
void CreateWinampWindow(const char *title) {}
void DestroyWinampWindow() {}
