// NowPlaying.txt: the current track on one line, in the format the user
// wrote ("LineFormat"), in UTF-8 without a byte order mark.
#pragma once
#include <cstddef>

// The track worker: the track last carried out has changed (`playing`) or
// play stopped. The line is made with the format in force and written
// when the options ask for it. Returns the files owed (nowplayingfiles.h).
unsigned WriteLineFile(bool playing);
// The options dialog's thread, after the format changed: the file is made
// anew at once for the track last written, or deleted when the format is
// now empty.
void LineFormatChanged();
// The line a format gives for the track last written (empty fields before
// any), for the dialog's preview.
void PreviewLine(const wchar_t *format, wchar_t *line, size_t units);
