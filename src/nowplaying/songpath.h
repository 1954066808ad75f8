// Where the song files and those beside them live: the folder the user
// chose, else the player's program folder when a file can be created
// there, else the user's own.
#pragma once
#include <windows.h>

#include "nowplaying/outputs.h"

// The song file in use; empty when there is none. Read and changed only
// while holding the song file (SongFileLock).
extern char currentSongPath[SONG_PATH_SIZE];

// Held around every write, move and deletion of the song files and every
// change of their place, so that a file is never written to a place that
// was just given up. Never held while waiting for a window. A thread that
// holds it may take it again.
struct SongFileLock {
    SongFileLock();
    ~SongFileLock();
    SongFileLock(const SongFileLock &) = delete;
    SongFileLock &operator=(const SongFileLock &) = delete;
};

// Finds the place (the settings' "SongFileFolder" when it names an existing
// folder; else the player's program folder, read from the daap: scheme's
// icon, when a file can be created there; else %LOCALAPPDATA%\Bramblecourt,
// created when missing) and writes the song file's full path to the
// settings' "SongFile" (and those of the files beside it to "LineFile" and
// "CoverFile"), so other programs can find them.
void ComputeSongFilePath();
// A part's file (nowplayingfiles.h) where the files are; false when there
// is no place. With the song file held.
bool NowPlayingFilePath(unsigned part, char (&path)[SONG_PATH_SIZE]);
// The user chose a folder: it is stored in "SongFileFolder" and takes effect
// at once; the files of the old place are moved there (deleted when their
// option is off), so a reader of the new place has the current track.
void ChooseSongFolder(const char *folder);
// Deletes the parts' files where they are; nothing of them stays owed.
void DeleteNowPlayingFiles(unsigned parts);
