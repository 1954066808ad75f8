// The current track and the play clock.
#pragma once
#include <windows.h>
#include <cstdint>

#include "records/trackrecord.h"
#include "records/unicoderecord.h"

// What a "vply" brings beside the 8-bit record: the message's own format
// fields, and the length of the UTF-16 record copied (0: none came).
struct PlayDetails {
    uint32_t bitRate;         // kbps, 0 unknown
    uint32_t sampleRateFixed; // Hz in 16.16, 0 unknown
    uint32_t channels;        // 0 unknown
    uint32_t unicodeLength;
    // No 8-bit record came (the newer interface): the worker makes it from
    // the UTF-16 one, off the host's thread.
    uint32_t recordFromUnicode;
};

// The record of the last "vply" the track worker has carried out; all zero
// before. Only the worker writes it; its single words may be read anywhere,
// the whole record only through CopyTrackRecord.
extern uint8_t TrackRecord[TRACK_RECORD_SIZE];
// That message's UTF-16 record (zero beyond what came) and details; the
// worker's alone.
extern uint8_t UnicodeRecord[UNICODE_RECORD_SIZE];
extern PlayDetails PlayedDetails;
extern volatile LONG isPlaying;
// 1 once the worker has carried out a "vply".
extern volatile LONG trackStarted;

// The host's "vply", "vstp", "setp" and "clr "; each returns at once.
// unicodeRecord holds details.unicodeLength bytes. A null hostRecord means
// that the 8-bit record is to be made from the UTF-16 one.
void OnTrackPlay(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord);
void OnTrackStop();
void OnSetPosition(uint32_t positionMs);
void OnCleanUp();
// The media controls started while a track is known: the worker shows it.
void OnMediaControlsStarted();
// WM_DESTROY of the host main window: lets the worker finish what is queued
// and end, waiting for it at most timeoutMs while letting through the
// messages it sends to this thread.
void FinishTrackWorker(DWORD timeoutMs);
// The module is being unloaded and no worker runs: the queue's memory goes.
void ReleaseTrackQueue();

// A whole, consistent copy of TrackRecord for another thread than the worker.
void CopyTrackRecord(uint8_t (&copy)[TRACK_RECORD_SIZE]);

// The clock as one state, for another thread than the worker: the play
// position in milliseconds now (running while a track plays), whether a
// track plays and whether one ever started.
struct ClockState {
    uint32_t positionMs;
    bool playing;
    bool started;
};
ClockState ReadClock();
uint32_t QueryPosition();
// Changes with every start, stop and set position of the clock.
uint32_t ClockChanges();

// The worker's steps: the record and clock of each message, in message order.
// The UTF-16 record comes packed as the queue keeps it, details.unicodeLength
// long when unpacked; with no 8-bit record (null) that one is made from it.
void ApplyTrackRecord(const uint8_t *record, const PlayDetails &details, const uint8_t *unicodeRecord);
void StartClock(const uint8_t *record);
void StopClock();
void SetClockPosition(uint32_t positionMs);
