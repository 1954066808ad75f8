// The Winamp window's answers about the playing file (winampanswers.cpp),
// for its table of queries in winamp.cpp; and the worker's step that gives
// them a new track.
#pragma once
#include <windows.h>

// The track worker: the track it last carried out becomes the one answered.
void PublishWinampTrack();

// Addresses of texts in this process, 0 when there is no track at that list
// position (or none at all).
LRESULT AnswerPlaylistFile(WPARAM position);
LRESULT AnswerPlaylistTitle(WPARAM position);
LRESULT AnswerPlaylistFileW(WPARAM position);
LRESULT AnswerPlaylistTitleW(WPARAM position);
LRESULT AnswerPlayingFileW(WPARAM);
LRESULT AnswerPlayingTitleW(WPARAM);
// A tag of the playing file into another program's buffer: 1, or 0.
LRESULT AnswerExtendedFileInfo(WPARAM request);
LRESULT AnswerExtendedFileInfoW(WPARAM request);
// Sample rate, bit rate or channels; 0 when unknown.
LRESULT AnswerFormat(WPARAM which);
