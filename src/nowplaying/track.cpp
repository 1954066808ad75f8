// Track state and the play clock.
#include "nowplaying/track.h"

#include <cstring>

#include "nowplaying/clock.h"
#include "records/narrowrecord.h"
#include "records/packedrecord.h"

alignas(4) uint8_t TrackRecord[TRACK_RECORD_SIZE];
alignas(4) uint8_t UnicodeRecord[UNICODE_RECORD_SIZE];
PlayDetails PlayedDetails;
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

void StartClock(const uint8_t *record)
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
    if (FieldDiffers(previousArtist, artist) || FieldDiffers(previousName, name) || rememberedTotalTime != totalTime) {
        rememberedTotalTime = totalTime;
        positionMs = WordAt(record, TRACK_START_TIME_OFFSET);
    }
    RememberField(previousArtist, artist);
    RememberField(previousName, name);
    EndClockStore();
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

void ApplyTrackRecord(const uint8_t *record, const PlayDetails &details, const uint8_t *unicodeRecord)
{
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
    memcpy(UnicodeRecord, unicode, sizeof UnicodeRecord);
    PlayedDetails = details;
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

uint32_t ClockChanges()
{
    return uint32_t(InterlockedCompareExchange(&clockVersion, 0, 0));
}

uint32_t QueryPosition()
{
    return ReadClock().positionMs;
}
