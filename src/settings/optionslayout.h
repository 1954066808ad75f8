// The options dialog's font and control widths, set when it opens.
#pragma once
#include <windows.h>

// WM_INITDIALOG, before the dialog is centred: when the template's face is
// not installed, the controls take the system's dialog font; then every
// control whose text does not fit grows, and the dialog with it.
void FitOptionsDialog(HWND dialog);
// WM_DESTROY: deletes the font FitOptionsDialog made, if any.
void ReleaseOptionsDialogFont();
// After FitOptionsDialog: places `field` and `button`, made by the caller,
// in a new row under `above`, in its font. The field runs from the start of
// above's text to the button; the button sits at the right edge of the
// group frame around `above`, as wide as its text needs. Like inserting a
// row, everything below moves down and each frame across it grows, the
// dialog too.
void InsertRowBelow(HWND dialog, HWND above, HWND field, HWND button);
// Before FitOptionsDialog, so that the box is fitted like the template's:
// a new automatic check box with the id and text, in a row of its own under
// `above`, as wide and in the same font; everything below moves down as for
// InsertRowBelow. Returns the box, or nullptr.
HWND InsertCheckBoxBelow(HWND dialog, HWND above, int id, const char *text);
