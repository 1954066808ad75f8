// The options dialog's song file row: the full path of the file in use and
// the "Folder…" button that chooses where it goes.
#pragma once
#include <windows.h>

// WM_INITDIALOG, after the fitting: adds the row under the File check box.
// Returns the lowest control of the song file's rows: the path's box, or
// the File box when the row could not be made.
HWND AddSongFileRow(HWND dialog, HWND fileBox);
// The button's WM_COMMAND: the shell's folder chooser, over the dialog.
void ChooseSongFolderFromDialog(HWND dialog);
