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

extern uint8_t TrackRecord[TRACK_RECORD_SIZE];
extern volatile LONG isPlaying;
extern HANDLE stopWorkerHandle;

// The host's "vply", "vstp" and "setp"; each returns at once.
void OnTrackPlay(const uint8_t *hostRecord);
void OnTrackStop();
void OnSetPosition(uint32_t positionMs);

// Play position in milliseconds, running while a track plays.
uint32_t QueryPosition();
