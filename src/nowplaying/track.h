// The current track and the play clock.
#pragma once
#include <windows.h>
#include <cstdint>

#include "records/trackrecord.h"
#include "records/unicoderecord.h"

// What a play or track-change message brings beside the 8-bit record: the
// message's own format fields (a change has none), the length of the UTF-16
// record copied (0: none came), and the stream's title.
struct PlayDetails {
    uint32_t bitRate;         // kbps, 0 unknown
    uint32_t sampleRateFixed; // Hz in 16.16, 0 unknown
    uint32_t channels;        // 0 unknown
    uint32_t unicodeLength;
    // No 8-bit record came (the newer interface): the worker makes it from
    // the UTF-16 one, off the host's thread.
    uint32_t recordFromUnicode;
    // A radio stream's title, copied after the records: its length in
    // units, 8-bit in the code page or UTF-16; 0 for a track that is no
    // stream, or a stream between titles.
    uint32_t streamTitleUnits;
    uint32_t streamTitleNarrow;
};

// A stream title as the player's stream record holds it: its characters
// (not counted, not terminated) and their kind.
struct StreamTitle {
    const void *units;
    uint32_t length;
    bool narrow;
};

// The record of the last "vply" the track worker has carried out; all zero
// before. Only the worker writes it; its single words may be read anywhere,
// the whole record only through CopyTrackRecord.
extern uint8_t TrackRecord[TRACK_RECORD_SIZE];
// What the outputs show of it, the worker's alone: the 8-bit record and the
// UTF-16 one (zero beyond what came), each with a radio stream's song in
// place of the station; and the details and the station's name ("" for a
// track that is no stream).
extern uint8_t ShownRecord[TRACK_RECORD_SIZE];
extern uint8_t UnicodeRecord[UNICODE_RECORD_SIZE_2];
extern PlayDetails PlayedDetails;
extern wchar_t StationName[UNICODE_TEXT_UNITS];
extern volatile LONG isPlaying;
// 1 once the worker has carried out a "vply".
extern volatile LONG trackStarted;

// The host's "vply", "ctrk", "vstp", "setp", 'Vart' and "clr "; each
// returns at once. unicodeRecord holds details.unicodeLength bytes. A null
// hostRecord means that the 8-bit record is to be made from the UTF-16 one.
void OnTrackPlay(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord,
                 const StreamTitle &stream);
void OnTrackChanged(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord,
                    const StreamTitle &stream);
// The art's bytes are copied before it returns; null or 0 bytes: none.
void OnCoverArt(const void *bytes, uint32_t size);
void OnTrackStop();
void OnSetPosition(uint32_t positionMs);
void OnCleanUp();
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

// The worker's steps: the record and clock of each message, in message order.
// The UTF-16 record comes packed as the queue keeps it, details.unicodeLength
// long when unpacked; with no 8-bit record (null) that one is made from it.
// The stream title follows it, as details say. Returns what changed in what
// the outputs show.
enum TrackChange { CHANGE_NONE, CHANGE_TEXTS, CHANGE_STREAM_SONG };
TrackChange ApplyTrackRecord(const uint8_t *record, const PlayDetails &details, const uint8_t *unicodeRecord,
                             const uint8_t *streamTitle);
// True when the record is a new track (not the same one going on).
bool StartClock(const uint8_t *record);
void StopClock();
void SetClockPosition(uint32_t positionMs);
