// Now-playing outputs.
#include "nowplaying/outputs.h"

char nowPlayingText[NOW_PLAYING_TEXT_SIZE] = " ";
char lyricsQuery[LYRICS_QUERY_SIZE];
char currentSongPath[SONG_PATH_SIZE];
HWND winampWindow;

void ComputeSongFilePath() {}
void BlankSongFile() {}
void DeleteSongFile() {}
void RestoreCaption() {}
void SetPlayCommandLabel(const char *label) {}
void CreateWinampWindow(const char *title) {}
void DestroyWinampWindow() {}
