// The options dialog's font and control widths, set when it opens.
#pragma once
#include <windows.h>

#include <initializer_list>

// WM_INITDIALOG, before the dialog is centred: when the template's face is
// not installed, the controls take the system's dialog font; then every
// control whose text does not fit grows, and the dialog with it.
void FitOptionsDialog(HWND dialog);
// WM_DESTROY: deletes the font FitOptionsDialog made, if any.
void ReleaseOptionsDialogFont();
// How a control of a row added at run time takes its width.
enum RowFit {
    FIT_TEXT,  // as its text needs (a label, a check box)
    FIT_REST,  // what the others leave (an edit box, a preview)
    FIT_RIGHT, // as its text needs, at least a push button's width, at the
               // right edge of the group frame
};
struct RowControl {
    HWND window;
    RowFit fit;
};
// After FitOptionsDialog: places the controls, made by the caller, left to
// right in a new row under `above`, in its font, and after it in the tab
// order. The row starts where above's text starts and ends at the right
// edge of the group frame around `above`; it is as high as its tallest
// control needs. Like inserting a row, everything below moves down and
// each frame across it grows, the dialog too; a text that does not fit
// widens the dialog as FitOptionsDialog does. Nothing is placed when a
// control is missing.
void InsertRowBelow(HWND dialog, HWND above, std::initializer_list<RowControl> controls);
// Before FitOptionsDialog, so that the box is fitted like the template's:
// a new automatic check box with the id and text, in a row of its own under
// `above`, as wide and in the same font; everything below moves down as for
// InsertRowBelow. Returns the box, or nullptr.
HWND InsertCheckBoxBelow(HWND dialog, HWND above, int id, const char *text);
