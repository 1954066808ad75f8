// Now-playing outputs: song file, clipboard, caption, menu label and the
// "Winamp v1.x" window.
#pragma once
#include <windows.h>

extern HWND winampWindow;

void ComputeSongFilePath();
void BlankSongFile();
void DeleteSongFile();
void RestoreCaption();
void SetPlayCommandLabel(const char *label);
void CreateWinampWindow(const char *title);
void DestroyWinampWindow();
