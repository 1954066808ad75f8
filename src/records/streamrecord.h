// The player's stream records, which describe an internet radio stream
// beside the track record (that then carries the station): the 8-bit one
// of version 10.5 and the UTF-16 one of both interfaces (2.0 makes it
// longer). No pointers, so the same on both builds. Only the title is read:
// for a stream it is the song playing now.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/unicoderecord.h"

struct StreamLayout {
    uint32_t version;
    uint8_t streamTitle[256]; // counted text
    uint8_t streamURL[256];
    uint8_t streamMessage[256];
};
static_assert(sizeof(StreamLayout) == 772, "8-bit stream record");
static_assert(offsetof(StreamLayout, streamTitle) == 4, "8-bit stream title");

struct UnicodeStreamLayout {
    uint32_t version;
    uint16_t streamTitle[UNICODE_TEXT_UNITS];
    uint16_t streamURL[UNICODE_TEXT_UNITS];
    uint16_t streamMessage[UNICODE_TEXT_UNITS];
};
static_assert(sizeof(UnicodeStreamLayout) == 1540, "UTF-16 stream record");
static_assert(offsetof(UnicodeStreamLayout, streamTitle) == 4, "UTF-16 stream title");

// The longest stream title, in either record's units.
constexpr size_t STREAM_TITLE_UNITS = UNICODE_TEXT_UNITS - 1;

// The song and artist a stream's title shows: "Artist - Song" split at its
// first " - "; any other title is the song, with the station as the artist.
void SplitStreamTitle(const wchar_t *title, const wchar_t *station, wchar_t (&artist)[UNICODE_TEXT_UNITS],
                      wchar_t (&song)[UNICODE_TEXT_UNITS]);
