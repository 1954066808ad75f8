// The current track and the play clock.
#pragma once
#include <windows.h>
#include <cstdint>

constexpr int TRACK_RECORD_SIZE = 2116;
constexpr int TRACK_NAME_OFFSET = 8;
constexpr int TRACK_ARTIST_OFFSET = 520;
constexpr int TRACK_THIRD_TEXT_OFFSET = 1032;
constexpr int TRACK_NUMBER_OFFSET = 1544;
constexpr int TRACK_YEAR_OFFSET = 1552;
constexpr int TRACK_TOTAL_TIME_OFFSET = 2068;
constexpr int TRACK_START_TIME_OFFSET = 2072;
constexpr int COUNTED_TEXT_SIZE = 256;

// The copy made at the last "vply", on the host's thread; all zero before.
extern uint8_t TrackRecord[TRACK_RECORD_SIZE];
extern volatile LONG isPlaying;
extern HANDLE stopWorkerHandle;
// 1 once a track-start worker has run.
extern volatile LONG trackStarted;

// The host's "vply", "vstp" and "setp"; each returns at once.
void OnTrackPlay(const uint8_t *hostRecord);
void OnTrackStop();
void OnSetPosition(uint32_t positionMs);

// Play position in milliseconds, running while a track plays.
uint32_t QueryPosition();

// The characters of a counted text field: from after the length byte to the
// first zero byte, at most 255 of them; always terminated.
void ReadCountedText(const uint8_t *record, int offset, char (&text)[COUNTED_TEXT_SIZE]);
int32_t TrackNumber(const uint8_t *record);
uint16_t TrackYear(const uint8_t *record);
uint32_t TrackTotalTime(const uint8_t *record);

// The clock steps of the workers (they run one at a time, in message order).
void StartClock(const uint8_t *record);
void StopClock();
