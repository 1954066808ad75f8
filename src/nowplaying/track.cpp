// Track state and the play clock.
#include "nowplaying/track.h"

#include <cstring>
#include <cwchar>

#include "nowplaying/clock.h"
#include "records/narrowrecord.h"
#include "records/packedrecord.h"
#include "records/streamrecord.h"

alignas(4) uint8_t TrackRecord[TRACK_RECORD_SIZE];
alignas(4) uint8_t ShownRecord[TRACK_RECORD_SIZE];
alignas(8) uint8_t UnicodeRecord[UNICODE_RECORD_SIZE_2];
PlayDetails PlayedDetails;
wchar_t StationName[UNICODE_TEXT_UNITS];
volatile LONG isPlaying;
volatile LONG trackStarted;

namespace {

// Odd while the worker rewrites TrackRecord: a reader on another thread
// copies it again until it got the same even count before and after.
volatile LONG recordVersion;

// The clock's words change together: odd while the worker stores them, so
// a reader on another thread reads them again until it got one state whole.
// (Word by word, a query between two stores answered the new reference
// with the old position.) The ticks are read inside the stores, so that an
// answer is never later than the state that replaces it.
volatile LONG clockVersion;
volatile uint32_t positionMs;
volatile uint32_t referenceTick;

void BeginClockStore() { InterlockedIncrement(&clockVersion); }
void EndClockStore() { InterlockedIncrement(&clockVersion); }

// Only the workers touch these, and they run one at a time.
uint32_t rememberedTotalTime;
uint8_t previousArtist[260];
uint8_t previousName[260];

uint32_t WordAt(const uint8_t *record, int offset)
{
    uint32_t word;
    memcpy(&word, record + offset, sizeof word);
    return word;
}

// A field from its length byte up to its first zero byte; a field with no
// zero byte ends at its 256th byte.
size_t FieldLength(const uint8_t *field)
{
    const void *zero = memchr(field, 0, COUNTED_TEXT_SIZE);
    return zero ? size_t(static_cast<const uint8_t *>(zero) - field) : COUNTED_TEXT_SIZE;
}

bool FieldDiffers(const uint8_t *remembered, const uint8_t *field)
{
    size_t length = FieldLength(field);
    return FieldLength(remembered) != length || memcmp(remembered, field, length) != 0;
}

void RememberField(uint8_t (&remembered)[260], const uint8_t *field)
{
    size_t length = FieldLength(field);
    memcpy(remembered, field, length);
    remembered[length] = 0;
}

} // namespace

bool StartClock(const uint8_t *record)
{
    BeginClockStore();
    referenceTick = GetTickCount();
    isPlaying = 1;
    trackStarted = 1;

    const uint8_t *artist = record + TRACK_ARTIST_OFFSET;
    const uint8_t *name = record + TRACK_NAME_OFFSET;
    uint32_t totalTime = TrackTotalTime(record);
    // Only the very same track (artist, name and total time all equal) goes
    // on from the stored position: the next track of an album is new.
    bool newTrack =
        FieldDiffers(previousArtist, artist) || FieldDiffers(previousName, name) || rememberedTotalTime != totalTime;
    if (newTrack) {
        rememberedTotalTime = totalTime;
        positionMs = WordAt(record, TRACK_START_TIME_OFFSET);
    }
    RememberField(previousArtist, artist);
    RememberField(previousName, name);
    EndClockStore();
    return newTrack;
}

void StopClock()
{
    BeginClockStore();
    isPlaying = 0;
    positionMs = FrozenPosition(GetTickCount(), positionMs, referenceTick);
    EndClockStore();
}

void SetClockPosition(uint32_t newPositionMs)
{
    BeginClockStore();
    referenceTick = GetTickCount();
    positionMs = newPositionMs;
    EndClockStore();
}

namespace {

// The stream title that came after the records, as UTF-16.
void ReadStreamTitle(const PlayDetails &details, const uint8_t *stored, wchar_t (&title)[UNICODE_TEXT_UNITS])
{
    size_t units = details.streamTitleUnits < STREAM_TITLE_UNITS ? details.streamTitleUnits : STREAM_TITLE_UNITS;
    title[0] = 0;
    if (details.streamTitleNarrow) {
        int made = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char *>(stored), int(units), title,
                                       UNICODE_TEXT_UNITS - 1);
        title[made > 0 ? made : 0] = 0;
    } else {
        memcpy(title, stored, units * sizeof(wchar_t));
        title[units] = 0;
    }
}

void PutUnicodeText(uint8_t *record, size_t offset, const wchar_t *text)
{
    uint16_t units[UNICODE_TEXT_UNITS] = {};
    size_t length = wcsnlen(text, UNICODE_TEXT_UNITS - 1);
    units[0] = uint16_t(length);
    memcpy(units + 1, text, length * sizeof(uint16_t));
    memcpy(record + offset, units, sizeof units);
}

// The last stream title carried out: a new one is a new song.
wchar_t lastStreamTitle[UNICODE_TEXT_UNITS];

} // namespace

TrackChange ApplyTrackRecord(const uint8_t *record, const PlayDetails &details, const uint8_t *unicodeRecord,
                             const uint8_t *streamTitle)
{
    static_assert(sizeof(wchar_t) == sizeof(uint16_t), "UTF-16 texts");
    uint8_t unicode[UNICODE_RECORD_SIZE_2] = {};
    if (details.unicodeLength)
        UnpackUnicodeRecord(unicodeRecord, details.unicodeLength, unicode);
    uint8_t narrow[TRACK_RECORD_SIZE];
    if (!record) {
        NarrowTrackRecord(unicode, details.unicodeLength, narrow);
        record = narrow;
    }
    InterlockedIncrement(&recordVersion);
    memcpy(TrackRecord, record, sizeof TrackRecord);
    InterlockedIncrement(&recordVersion);

    // A stream's song, where the player has put one, in place of the station.
    wchar_t title[UNICODE_TEXT_UNITS], station[UNICODE_TEXT_UNITS] = {};
    ReadStreamTitle(details, streamTitle, title);
    uint8_t shown[TRACK_RECORD_SIZE];
    memcpy(shown, record, sizeof shown);
    if (title[0]) {
        if (details.unicodeLength) {
            ReadUnicodeText(unicode, offsetof(UnicodeTrackLayout, name), station);
        } else {
            char name[COUNTED_TEXT_SIZE];
            ReadCountedText(record, TRACK_NAME_OFFSET, name);
            if (MultiByteToWideChar(CP_ACP, 0, name, -1, station, UNICODE_TEXT_UNITS) <= 0)
                station[0] = 0;
        }
        wchar_t artist[UNICODE_TEXT_UNITS], song[UNICODE_TEXT_UNITS];
        SplitStreamTitle(title, station, artist, song);
        PutCodePageText(shown, TRACK_NAME_OFFSET, song);
        PutCodePageText(shown, TRACK_ARTIST_OFFSET, artist);
        if (details.unicodeLength) {
            PutUnicodeText(unicode, offsetof(UnicodeTrackLayout, name), song);
            PutUnicodeText(unicode, offsetof(UnicodeTrackLayout, artist), artist);
        }
    }

    TrackChange change = CHANGE_NONE;
    if (title[0] && wcscmp(title, lastStreamTitle) != 0)
        change = CHANGE_STREAM_SONG;
    else if (memcmp(shown, ShownRecord, sizeof shown) || memcmp(unicode, UnicodeRecord, sizeof unicode) ||
             wcscmp(station, StationName) || details.unicodeLength != PlayedDetails.unicodeLength)
        change = CHANGE_TEXTS;
    memcpy(lastStreamTitle, title, sizeof title);
    memcpy(ShownRecord, shown, sizeof ShownRecord);
    memcpy(UnicodeRecord, unicode, sizeof UnicodeRecord);
    memcpy(StationName, station, sizeof station);
    PlayedDetails = details;
    return change;
}

// The worker holds the record odd only for one copy of 2116 bytes, so this
// spins for no longer than that.
void CopyTrackRecord(uint8_t (&copy)[TRACK_RECORD_SIZE])
{
    for (;;) {
        LONG before = InterlockedCompareExchange(&recordVersion, 0, 0);
        if (before & 1) {
            SwitchToThread();
            continue;
        }
        memcpy(copy, TrackRecord, sizeof copy);
        if (InterlockedCompareExchange(&recordVersion, 0, 0) == before)
            return;
    }
}

// The worker holds the clock odd only for a few stores.
ClockState ReadClock()
{
    for (;;) {
        LONG before = InterlockedCompareExchange(&clockVersion, 0, 0);
        if (before & 1) {
            SwitchToThread();
            continue;
        }
        ClockState state;
        state.playing = isPlaying != 0;
        state.started = trackStarted != 0;
        state.positionMs = PositionAt(GetTickCount(), positionMs, referenceTick, state.playing);
        if (InterlockedCompareExchange(&clockVersion, 0, 0) == before)
            return state;
    }
}

uint32_t QueryPosition()
{
    return ReadClock().positionMs;
}
