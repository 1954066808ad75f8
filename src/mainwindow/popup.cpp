// Right-click menu and lyrics lookup.
#include "mainwindow/popup.h"

bool ShowTitlePopupMenu() { return false; }
bool FindLyrics() { return false; }
