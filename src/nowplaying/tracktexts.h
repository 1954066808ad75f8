// A track's texts and numbers as the outputs that carry Unicode show them:
// from the host's UTF-16 record when one came with the track, else from the
// 8-bit record read in the system's code page. For a radio stream the name
// and artist are the song's now playing.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "records/unicoderecord.h"

static_assert(UNICODE_TEXT_UNITS == 256, "a track text holds a counted UTF-16 text");

constexpr int TRACK_TEXT_UNITS = UNICODE_TEXT_UNITS;

struct TrackTexts {
    wchar_t name[TRACK_TEXT_UNITS];
    wchar_t artist[TRACK_TEXT_UNITS];
    wchar_t album[TRACK_TEXT_UNITS];
    wchar_t genre[TRACK_TEXT_UNITS];
    wchar_t fileName[TRACK_TEXT_UNITS];
    wchar_t comments[TRACK_TEXT_UNITS];
    wchar_t albumArtist[TRACK_TEXT_UNITS]; // only the newer interface's record has it
    wchar_t station[TRACK_TEXT_UNITS];     // a radio stream's, while its song is shown
    int32_t number;
    int32_t count;
    uint16_t year;
    uint32_t totalMs;
    uint32_t bitRate;         // kbps, 0 unknown
    uint32_t sampleRateFixed; // Hz in 16.16, 0 unknown
    uint32_t channels;        // 0 unknown
};

// The track the worker last carried out; on the worker's thread only.
void ReadTrackTexts(TrackTexts &texts);
