// The options dialog's font and control widths, set when it opens.
#pragma once
#include <windows.h>

// WM_INITDIALOG, before the dialog is centred: when the template's face is
// not installed, the controls take the system's dialog font; then every
// control whose text does not fit grows, and the dialog with it.
void FitOptionsDialog(HWND dialog);
// WM_DESTROY: deletes the font FitOptionsDialog made, if any.
void ReleaseOptionsDialogFont();
