// Track state, play clock and the track workers.
#include "nowplaying/track.h"

uint8_t TrackRecord[TRACK_RECORD_SIZE];
volatile LONG isPlaying;
HANDLE stopWorkerHandle;

void OnTrackPlay(const uint8_t *hostRecord) {}
void OnTrackStop() {}
void OnSetPosition(uint32_t positionMs) {}
uint32_t QueryPosition() { return 0; }
