// Now-playing outputs: the files, clipboard, caption, menu label and the
// "Winamp v1.x" window.
#pragma once
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "nowplaying/nowplayingfiles.h"

constexpr int NOW_PLAYING_TEXT_SIZE = 520;
constexpr int LYRICS_QUERY_SIZE = 3000;
constexpr int SONG_PATH_SIZE = 700;

// Artist " - " name of the last track start; " " until the first.
extern char nowPlayingText[NOW_PLAYING_TEXT_SIZE];
// The same from the track's Unicode texts.
extern wchar_t nowPlayingTextW[NOW_PLAYING_TEXT_SIZE];
// The web search address of the last track start with a Hebrew title, or "+".
extern char lyricsQuery[LYRICS_QUERY_SIZE];
extern HWND winampWindow;
// The module's window that opens the clipboard and so owns what it puts
// there: a clipboard emptied without an owner refuses SetClipboardData.
extern HWND clipboardOwnerWindow;

// The Windows-1255 codes of the Hebrew letters, final forms included, E0 to
// FA without F5.
constexpr std::array<uint8_t, 26> HEBREW_LETTERS = {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8,
                                                    0xE9, 0xEB, 0xEA, 0xEC, 0xEE, 0xED, 0xF0, 0xEF, 0xF1,
                                                    0xF2, 0xF4, 0xF3, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA};

constexpr wchar_t WINAMP_START_TITLE[] = L"Winamp 5.01";

// On the host's thread: at start-up, and at WM_DESTROY once the worker is done.
void CreateClipboardOwnerWindow();
void DestroyClipboardOwnerWindow();
// One block for the clipboard, which must be open; a format of 0 (a
// registration that failed) is skipped. True when the clipboard took it.
struct ClipboardItem {
    UINT format;
    const void *data;
    size_t size;
};
bool PutOnClipboard(const ClipboardItem &item);

// The files beside the player or in the chosen folder: the song file, its
// UTF-8 twin, the line and the cover, each written when its option asks
// for it. Each returns the files owed (nowplayingfiles.h), which the worker
// tries again with RewriteNowPlayingFiles.
// For the track last carried out.
unsigned WriteNowPlayingFiles(const uint8_t *record);
// After a stop, and at "clr ": one space, and the transparent cover.
unsigned BlankNowPlayingFiles();
void RestoreCaption();
void SetPlayCommandLabel(const char *label);
void CreateWinampWindow(const wchar_t *title);
void DestroyWinampWindow();
// The title for a Winamp window created while the host runs: "Winamp 5.01"
// before any artist and song text, else "1. " that text " - Winamp".
void ComposeWinampCreationTitle(wchar_t *title, size_t size);

// The steps of the track workers; record is the worker's own copy.
void BuildLyricsQuery(const uint8_t *record);
void BuildNowPlayingText(const uint8_t *record);
void SetWinampTitle(const uint8_t *record);
// True when the text went in.
bool CopyNowPlayingToClipboard();
void SetNowPlayingCaption();
void SetWinampPausedTitle(const uint8_t *record);
