// The options dialog's rows for the files beside the song file: the one
// line's format with a preview of it, and the cover picture's check box.
#pragma once
#include <windows.h>

constexpr char COVER_TEXT[] = "Cover picture";

// WM_INITDIALOG, after the song file's row (`songFileRow`, its path box):
// adds the rows under it.
void AddNowPlayingRows(HWND dialog, HWND songFileRow);
// The format box's WM_COMMAND: a changed format is stored and acts at once.
void OnLineFormatCommand(HWND dialog, WORD notification);
