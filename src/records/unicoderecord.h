// The player's UTF-16 track record, as its 10.5 interface sends it beside
// the 8-bit one, and the newer interface's longer one that comes alone. The
// same bytes on 32-bit and 64-bit builds (no pointers); the layout is
// pinned so that a drifting field fails to compile.
#pragma once
#include <cstddef>
#include <cstdint>

// A counted UTF-16 text: unit 0 the length, units 1..255 the characters.
constexpr int UNICODE_TEXT_UNITS = 256;

struct UnicodeTrackLayout {
    uint32_t validFields;
    uint32_t recordLength; // the bytes the player filled
    uint16_t name[UNICODE_TEXT_UNITS];
    uint16_t fileName[UNICODE_TEXT_UNITS];
    uint16_t artist[UNICODE_TEXT_UNITS];
    uint16_t album[UNICODE_TEXT_UNITS];
    uint16_t genre[UNICODE_TEXT_UNITS];
    uint16_t kind[UNICODE_TEXT_UNITS];
    uint16_t eqPresetName[UNICODE_TEXT_UNITS];
    uint16_t comments[UNICODE_TEXT_UNITS];
    uint32_t trackNumber;
    uint32_t numTracks;
    uint16_t year;
    int16_t soundVolumeAdjustment;
    uint32_t totalTimeInMS;
    uint32_t startTimeInMS;
    uint32_t stopTimeInMS;
    uint32_t date;
    uint32_t sizeInBytes;
    uint32_t bitRate;         // kbps
    uint32_t sampleRateFixed; // Hz, 16.16 fixed point
    uint32_t fileType;
    uint32_t fileCreator;
    uint32_t attributes;
    uint32_t validAttributes;
    uint16_t composer[UNICODE_TEXT_UNITS];
    uint8_t isCompilationTrack;
    uint8_t reservedBoolean;
    uint16_t userRating;
    uint16_t discNumber;
    uint16_t numDiscs;
    uint32_t playCount;
    uint32_t lastPlayDate;
    uint16_t beatsPerMinute;
    uint16_t reserved;
};

constexpr size_t UNICODE_RECORD_SIZE = 4692;
// Shorter than this, a record lacks texts the outputs read, and is ignored.
constexpr size_t UNICODE_RECORD_MINIMUM = offsetof(UnicodeTrackLayout, trackNumber);

static_assert(sizeof(UnicodeTrackLayout) == UNICODE_RECORD_SIZE, "10.5 Unicode track record");
static_assert(offsetof(UnicodeTrackLayout, recordLength) == 4, "recordLength");
static_assert(offsetof(UnicodeTrackLayout, name) == 8, "name");
static_assert(offsetof(UnicodeTrackLayout, fileName) == 520, "fileName");
static_assert(offsetof(UnicodeTrackLayout, artist) == 1032, "artist");
static_assert(offsetof(UnicodeTrackLayout, album) == 1544, "album");
static_assert(offsetof(UnicodeTrackLayout, genre) == 2056, "genre");
static_assert(offsetof(UnicodeTrackLayout, comments) == 3592, "comments");
static_assert(offsetof(UnicodeTrackLayout, trackNumber) == 4104, "trackNumber");
static_assert(offsetof(UnicodeTrackLayout, numTracks) == 4108, "numTracks");
static_assert(offsetof(UnicodeTrackLayout, year) == 4112, "year");
static_assert(offsetof(UnicodeTrackLayout, totalTimeInMS) == 4116, "totalTimeInMS");
static_assert(offsetof(UnicodeTrackLayout, bitRate) == 4136, "bitRate");
static_assert(offsetof(UnicodeTrackLayout, sampleRateFixed) == 4140, "sampleRateFixed");
static_assert(offsetof(UnicodeTrackLayout, composer) == 4160, "composer");
static_assert(offsetof(UnicodeTrackLayout, playCount) == 4680, "playCount");
static_assert(offsetof(UnicodeTrackLayout, reserved) == 4690, "reserved");

// The newer interface's record: the same fields first, then three more. Its
// sizeInBytes and sampleRateFixed of the shared part are the old fields,
// left 0 by a player that fills only the new ones.
struct UnicodeTrackLayout2 {
    UnicodeTrackLayout shared;
    uint16_t grouping[UNICODE_TEXT_UNITS];
    float sampleRateFloat; // Hz
    uint16_t albumArtist[UNICODE_TEXT_UNITS];
    uint64_t sizeInBytes;
};

constexpr size_t UNICODE_RECORD_SIZE_2 = 5728;
static_assert(sizeof(UnicodeTrackLayout2) == UNICODE_RECORD_SIZE_2, "2.0 Unicode track record");
static_assert(offsetof(UnicodeTrackLayout2, grouping) == 4692, "grouping");
static_assert(offsetof(UnicodeTrackLayout2, sampleRateFloat) == 5204, "sampleRateFloat");
static_assert(offsetof(UnicodeTrackLayout2, albumArtist) == 5208, "albumArtist");
static_assert(offsetof(UnicodeTrackLayout2, sizeInBytes) == 5720, "sizeInBytes");

// How many units of a counted UTF-16 text (unit 0 the count) a reader
// takes: at most the count and 255, ending early at a zero unit.
size_t UnicodeTextUnits(const uint16_t (&units)[UNICODE_TEXT_UNITS]);
// A counted UTF-16 text of a record, so read; always terminated.
void ReadUnicodeText(const uint8_t *record, size_t offset, wchar_t (&text)[UNICODE_TEXT_UNITS]);
