// The track worker: one thread of the module's own that carries out the
// host's "vply", "ctrk", "vstp", "setp", 'Vart' and "clr " in the order they
// arrived.
//
// The host's thread only copies each message into a node of its own, pushes
// it on the queue, and wakes the worker or, when none lives, starts one; it
// never waits for the worker. The worker takes the queue whole and carries
// out each message's cheap steps in turn (record, clock, play state,
// notification). The costly outputs (song file, clipboard, captions, menu
// label, lyrics query) it produces only when it has reached the newest
// message queued, for the state that all messages before it left: a track
// that was replaced before the worker got to it is never written.
//
// The worker may wait on the host's thread (a window text of that thread is
// set by a message sent to it); the host's thread waits on the worker only
// at "clr " and WM_DESTROY, for a bounded time and letting those sent
// messages through. A song file or the clipboard that another program
// holds is tried again every RETRY_INTERVAL_MS, for up to RETRY_FOR_MS or
// until a newer state replaces it. The worker ends when nothing came for
// IDLE_MS and nothing is left to try again, after "clr " and at WM_DESTROY. It runs by StartModuleThread, so the module stays mapped
// until its last instruction; process detach never waits for it. A message
// that finds no memory or no thread is lost, and only it. The worker is in
// the multithreaded apartment for its life, for the imaging component that
// decodes the cover art.
#include "nowplaying/track.h"

#include <objbase.h>

#include <cstring>

#include "answers/external.h"
#include "mediacontrols/mediacontrols.h"
#include "nowplaying/coverart.h"
#include "nowplaying/coverfile.h"
#include "nowplaying/outputs.h"
#include "records/packedrecord.h"
#include "answers/winampanswers.h"
#include "plugin/modulethread.h"
#include "settings/settings.h"

namespace {

// Enough for the outputs' buffers and the system calls beneath them.
constexpr SIZE_T WORKER_STACK_SIZE = 256 * 1024;
// Long enough that a burst of messages keeps the one thread (a host sending
// a message every few milliseconds never waits for a start); short enough
// that an idle host holds none, and that a program waiting for the worker
// to be gone is not kept waiting.
constexpr DWORD IDLE_MS = 25;
// The queue's own heap, of fixed size: a host that floods the module while
// the worker cannot get through (its thread not handling messages) loses
// the messages beyond it instead of the address space. About 1,000 queued
// "vply" fit with both records (the UTF-16 one packed, its texts of a
// usual length), 1,400 with the 8-bit one alone.
constexpr SIZE_T QUEUE_HEAP_SIZE = 3 * 1024 * 1024;
// Readers of the song file (text sources of streaming programs poll it)
// and clipboard managers hold their object for a moment at a time.
constexpr DWORD RETRY_INTERVAL_MS = 100;
constexpr DWORD RETRY_FOR_MS = 10000;
// "clr ": how long the host's thread waits for the worker to finish what
// is queued, and how long the blank song files are tried while a reader
// holds one.
constexpr DWORD CLEAN_UP_WAIT_MS = 2000;
constexpr DWORD CLEAN_UP_BLANK_MS = 1000;
constexpr DWORD CLEAN_UP_BLANK_STEP_MS = 10;

enum MessageKind : uint32_t {
    MESSAGE_PLAY,
    MESSAGE_TRACK_CHANGED,
    MESSAGE_STOP,
    MESSAGE_SET_POSITION,
    MESSAGE_COVER_ART,
    MESSAGE_CLEAN_UP,
    MESSAGE_MEDIA_CONTROLS
};

// The largest art taken: a cover is a few hundred kilobytes, and anything
// near this is no cover.
constexpr uint32_t LARGEST_COVER_ART = 32 * 1024 * 1024;

struct Message {
    Message *next;
    MessageKind kind;
    uint32_t positionMs;
    // 'Vart': the art's bytes, on the process's heap (too large for the
    // queue's); the worker frees them.
    uint8_t *art;
    uint32_t artSize;
    // A "vply" or "ctrk" node is followed by its details, its copy of the
    // host's 8-bit record (when one came), the stream's title (an even
    // number of bytes) and the UTF-16 record, packed.
};

const PlayDetails &DetailsOf(const Message *message) { return *reinterpret_cast<const PlayDetails *>(message + 1); }
size_t StreamTitleBytes(const PlayDetails &details)
{
    size_t bytes = details.streamTitleUnits * (details.streamTitleNarrow ? 1 : sizeof(wchar_t));
    return (bytes + 1) & ~size_t(1);
}
// Null when no 8-bit record came: the worker makes it from the UTF-16 one.
const uint8_t *RecordOf(const Message *message)
{
    const auto *record = reinterpret_cast<const uint8_t *>(&DetailsOf(message) + 1);
    return DetailsOf(message).recordFromUnicode ? nullptr : record;
}
const uint8_t *StreamTitleOf(const Message *message)
{
    const auto *record = reinterpret_cast<const uint8_t *>(&DetailsOf(message) + 1);
    return DetailsOf(message).recordFromUnicode ? record : record + TRACK_RECORD_SIZE;
}
const uint8_t *UnicodeRecordOf(const Message *message)
{
    return StreamTitleOf(message) + StreamTitleBytes(DetailsOf(message));
}

HANDLE queueHeap;
HANDLE wakeEvent;            // auto-reset: a message was pushed on an empty queue
Message *volatile queueHead; // newest first; pushed by the host's thread only
volatile LONG workerAlive;   // 1 from the start of a worker to its decision to end
volatile LONG endRequested;  // WM_DESTROY: end once the queue is empty
HANDLE workerThread;         // the newest worker; the host's thread's alone

// A node and what it holds beside the queue's heap.
void FreeMessage(Message *message);

// ---- the worker's side -----------------------------------------------------

// What the outputs still owe: a start whose outputs were not produced, and
// whether a stop came after the last such start.
bool startOwed;
bool stopOwed;
// The art the art outputs last showed.
uint32_t artShown;

// Outputs that met another program holding them, and since when their
// state waits; a newer state starts the time again.
unsigned songFileRetries; // SongFileParts
DWORD songFileRetriesSince;
bool clipboardRetry;
DWORD clipboardRetrySince;
DWORD lastRetry;

void RetrySongFileLater(unsigned parts)
{
    songFileRetries = parts;
    songFileRetriesSince = lastRetry = GetTickCount();
}

void RetryClipboardLater(bool copied)
{
    clipboardRetry = !copied;
    clipboardRetrySince = lastRetry = GetTickCount();
}

bool RetriesOwed()
{
    return songFileRetries || clipboardRetry;
}

// Milliseconds until the next retry is due.
DWORD UntilNextRetry()
{
    DWORD since = GetTickCount() - lastRetry;
    return since >= RETRY_INTERVAL_MS ? 0 : RETRY_INTERVAL_MS - since;
}

// An output switched off meanwhile is not written again.
void Retry()
{
    DWORD now = GetTickCount();
    lastRetry = now;
    if (songFileRetries)
        songFileRetries = now - songFileRetriesSince < RETRY_FOR_MS ? RewriteNowPlayingFiles(songFileRetries) : 0;
    if (clipboardRetry)
        clipboardRetry = Settings.Clipboard && now - clipboardRetrySince < RETRY_FOR_MS &&
                         !CopyNowPlayingToClipboard();
}

// A start's outputs. When a stop came after it (`whole` false) only those
// the stop leaves standing are made: the lyrics query, the now-playing text
// and the clipboard; the stop writes the others itself.
void StartOutputs(bool whole)
{
    if (whole)
        RetrySongFileLater(WriteNowPlayingFiles(ShownRecord));
    BuildLyricsQuery(ShownRecord);
    // Kept whatever the options: a Winamp window created later answers too.
    PublishWinampTrack();
    if (Settings.Clipboard || Settings.WinAmp || Settings.CaptionText) {
        BuildNowPlayingText(ShownRecord);
        if (whole && Settings.WinAmp)
            SetWinampTitle(ShownRecord);
        if (Settings.Clipboard)
            RetryClipboardLater(CopyNowPlayingToClipboard());
        if (whole && Settings.CaptionText)
            SetNowPlayingCaption();
    }
    if (whole && Settings.Menu)
        SetPlayCommandLabel("Pause");
}

// A stop's outputs come in two parts: "vstp"'s notification goes out between
// them, so that a program told of the stop finds the song file blanked.
void StopOutputsBeforeNotice()
{
    if (startOwed)
        StartOutputs(false);
    startOwed = false;
    RetrySongFileLater(BlankNowPlayingFiles());
    if (Settings.Menu)
        SetPlayCommandLabel("Play");
}

void StopOutputsAfterNotice()
{
    if (Settings.WinAmp)
        SetWinampPausedTitle(ShownRecord);
    if (Settings.CaptionText)
        RestoreCaption();
    stopOwed = false;
}

// The outputs that show the cover art, when it changed since they last ran.
void ArtOutputs()
{
    if (artShown == CoverArtSerial())
        return;
    artShown = CoverArtSerial();
    RetrySongFileLater(UpdateCoverFile(isPlaying != 0));
}

void ProduceOwedOutputs()
{
    if (stopOwed) {
        StopOutputsBeforeNotice();
        StopOutputsAfterNotice();
    } else if (startOwed) {
        StartOutputs(true);
        startOwed = false;
    }
    ArtOutputs();
}

// A change's message has no format fields: the track's stay.
PlayDetails WithPlayedFormat(const PlayDetails &details)
{
    PlayDetails merged = details;
    merged.bitRate = PlayedDetails.bitRate;
    merged.sampleRateFixed = PlayedDetails.sampleRateFixed;
    merged.channels = PlayedDetails.channels;
    return merged;
}

// One message's steps; `newest` when nothing is queued behind it. Returns
// true for "clr ", after which the worker ends.
bool CarryOut(Message *message, bool newest)
{
    switch (message->kind) {
    case MESSAGE_PLAY:
        ApplyTrackRecord(RecordOf(message), DetailsOf(message), UnicodeRecordOf(message), StreamTitleOf(message));
        // A new track's art is not the last one's: its own comes after.
        if (StartClock(TrackRecord))
            ClearCoverArt();
        NotifyRegisteredWindows(NOTIFY_TRACK_STARTED);
        startOwed = true;
        stopOwed = false;
        break;
    case MESSAGE_TRACK_CHANGED: {
        TrackChange change = ApplyTrackRecord(RecordOf(message), WithPlayedFormat(DetailsOf(message)),
                                              UnicodeRecordOf(message), StreamTitleOf(message));
        if (change == CHANGE_STREAM_SONG)
            NotifyRegisteredWindows(NOTIFY_TRACK_STARTED);
        // While stopped the outputs show no track; the next start shows this.
        if (change != CHANGE_NONE && isPlaying)
            startOwed = true;
        break;
    }
    case MESSAGE_COVER_ART:
        // The art's bytes are KeepCoverArt's to free from here on, not the
        // node's.
        KeepCoverArt(message->art, message->artSize);
        message->art = nullptr;
        break;
    case MESSAGE_STOP:
        StopClock();
        stopOwed = true;
        if (newest)
            StopOutputsBeforeNotice();
        NotifyRegisteredWindows(NOTIFY_TRACK_STOPPED);
        if (newest)
            StopOutputsAfterNotice();
        break;
    case MESSAGE_SET_POSITION:
        SetClockPosition(message->positionMs);
        NotifyRegisteredWindows(NOTIFY_POSITION_SET);
        break;
    case MESSAGE_CLEAN_UP:
        // Whatever was queued before it is carried out; the host's thread
        // blanks the song files once this worker has ended, so nothing
        // writes them after.
        ProduceOwedOutputs();
        ReleaseCoverArt();
        return true;
    case MESSAGE_MEDIA_CONTROLS: // only the update below
        break;
    }
    if (newest) {
        ProduceOwedOutputs();
        UpdateMediaControls();
    }
    return false;
}

// The whole queue, oldest first.
Message *TakeQueue()
{
    auto *newestFirst = static_cast<Message *>(InterlockedExchangePointer(reinterpret_cast<void *volatile *>(&queueHead),
                                                                          nullptr));
    Message *oldestFirst = nullptr;
    while (newestFirst) {
        Message *next = newestFirst->next;
        newestFirst->next = oldestFirst;
        oldestFirst = newestFirst;
        newestFirst = next;
    }
    return oldestFirst;
}

DWORD WINAPI TrackWorker(void *)
{
    // Fails only where the thread is in an apartment already, which a new
    // thread of ours never is; the art then stays undecoded.
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool cleanedUp = false;
    for (;;) {
        if (Message *message = TakeQueue()) {
            while (message) {
                Message *next = message->next;
                cleanedUp |= CarryOut(message, !next && !queueHead);
                FreeMessage(message);
                message = next;
            }
            continue;
        }
        ProduceOwedOutputs();
        if (!cleanedUp && !endRequested) {
            if (RetriesOwed() && !UntilNextRetry()) {
                Retry();
                continue;
            }
            DWORD wait = RetriesOwed() ? UntilNextRetry() : IDLE_MS;
            if (WaitForSingleObject(wakeEvent, wait) == WAIT_OBJECT_0 || RetriesOwed())
                continue;
        }
        // Ending: what was still to be tried again goes with this worker. A
        // message pushed after the last look, which saw this worker alive
        // and started none, is taken up again here.
        songFileRetries = 0;
        clipboardRetry = false;
        InterlockedExchange(&workerAlive, 0);
        if (!queueHead || InterlockedCompareExchange(&workerAlive, 1, 0) != 0)
            break;
        cleanedUp = false;
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    EndModuleThread(1);
}

// ---- the host's side -------------------------------------------------------

void FreeMessage(Message *message)
{
    if (message->art)
        HeapFree(GetProcessHeap(), 0, message->art);
    HeapFree(queueHeap, 0, message);
}

// A node for the message, or nullptr when there is no memory for it: then
// the message is lost, and only it.
Message *NewMessage(MessageKind kind, SIZE_T recordSize)
{
    if (!queueHeap) {
        queueHeap = HeapCreate(0, 0, QUEUE_HEAP_SIZE);
        wakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    if (!queueHeap || !wakeEvent)
        return nullptr;
    auto *message = static_cast<Message *>(HeapAlloc(queueHeap, 0, sizeof(Message) + recordSize));
    if (message) {
        message->kind = kind;
        message->positionMs = 0;
        message->art = nullptr;
        message->artSize = 0;
    }
    return message;
}

// Pushes the message and sees that a worker will take it. When no worker
// can be started the message is taken back and lost, and the queue is as
// it was.
void Enqueue(Message *message)
{
    Message *head;
    do {
        head = queueHead;
        message->next = head;
    } while (InterlockedCompareExchangePointer(reinterpret_cast<void *volatile *>(&queueHead), message, head) != head);

    if (InterlockedCompareExchange(&workerAlive, 1, 0) != 0) {
        if (!head)
            SetEvent(wakeEvent);
        return;
    }
    InterlockedExchange(&endRequested, 0);
    HANDLE thread = StartModuleThread(TrackWorker, nullptr, WORKER_STACK_SIZE);
    if (!thread) {
        // No worker takes from the queue now, so the message is still its head.
        InterlockedCompareExchangePointer(reinterpret_cast<void *volatile *>(&queueHead), message->next, message);
        FreeMessage(message);
        InterlockedExchange(&workerAlive, 0);
        return;
    }
    if (workerThread)
        CloseHandle(workerThread);
    workerThread = thread;
}

} // namespace

namespace {

void QueueTrack(MessageKind kind, const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord,
                const StreamTitle &stream)
{
    PlayDetails kept = details;
    kept.recordFromUnicode = !hostRecord;
    // Beside an 8-bit record only the older record's part is ever read.
    const uint32_t longest = uint32_t(hostRecord ? UNICODE_RECORD_SIZE : UNICODE_RECORD_SIZE_2);
    if (kept.unicodeLength > longest)
        kept.unicodeLength = longest;
    if (!unicodeRecord || kept.unicodeLength < UNICODE_RECORD_MINIMUM)
        kept.unicodeLength = 0;
    if (!hostRecord && !kept.unicodeLength)
        return;
    kept.streamTitleUnits = stream.units ? stream.length : 0;
    kept.streamTitleNarrow = stream.narrow;
    size_t packedSize = kept.unicodeLength ? PackUnicodeRecord(unicodeRecord, kept.unicodeLength, nullptr) : 0;
    size_t recordSize = hostRecord ? TRACK_RECORD_SIZE : 0;
    size_t titleSize = StreamTitleBytes(kept);
    if (Message *message = NewMessage(kind, sizeof kept + recordSize + titleSize + packedSize)) {
        memcpy(const_cast<PlayDetails *>(&DetailsOf(message)), &kept, sizeof kept);
        if (hostRecord)
            memcpy(const_cast<uint8_t *>(RecordOf(message)), hostRecord, TRACK_RECORD_SIZE);
        if (titleSize)
            memcpy(const_cast<uint8_t *>(StreamTitleOf(message)), stream.units,
                   kept.streamTitleUnits * (kept.streamTitleNarrow ? 1 : sizeof(wchar_t)));
        if (kept.unicodeLength)
            PackUnicodeRecord(unicodeRecord, kept.unicodeLength, const_cast<uint8_t *>(UnicodeRecordOf(message)));
        Enqueue(message);
    }
}

} // namespace

void OnTrackPlay(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord,
                 const StreamTitle &stream)
{
    QueueTrack(MESSAGE_PLAY, hostRecord, details, unicodeRecord, stream);
}

void OnTrackChanged(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord,
                    const StreamTitle &stream)
{
    QueueTrack(MESSAGE_TRACK_CHANGED, hostRecord, details, unicodeRecord, stream);
}

void OnCoverArt(const void *bytes, uint32_t size)
{
    uint8_t *copy = nullptr;
    if (bytes && size) {
        if (size > LARGEST_COVER_ART)
            return;
        copy = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, size));
        if (!copy)
            return;
        memcpy(copy, bytes, size);
    }
    Message *message = NewMessage(MESSAGE_COVER_ART, 0);
    if (!message) {
        if (copy)
            HeapFree(GetProcessHeap(), 0, copy);
        return;
    }
    message->art = copy;
    message->artSize = copy ? size : 0;
    Enqueue(message);
}

void OnTrackStop()
{
    if (Message *message = NewMessage(MESSAGE_STOP, 0))
        Enqueue(message);
}

// With no worker alive and nothing queued to come first, "setp" and "clr "
// are carried out at once, as cheaply as before, without a thread. (A worker
// that is ending marks itself gone before its last look at the queue, so a
// message may still be queued for it to take up again.)
namespace {
bool NothingQueued()
{
    return !workerAlive && !queueHead;
}
} // namespace

// The media controls' timeline follows the position on the worker.
void OnSetPosition(uint32_t positionMs)
{
    if (NothingQueued() && !MediaControlsLive()) {
        SetClockPosition(positionMs);
        NotifyRegisteredWindows(NOTIFY_POSITION_SET);
        return;
    }
    if (Message *message = NewMessage(MESSAGE_SET_POSITION, 0)) {
        message->positionMs = positionMs;
        Enqueue(message);
    }
}

void OnMediaControlsStarted()
{
    if (Message *message = NewMessage(MESSAGE_MEDIA_CONTROLS, 0))
        Enqueue(message);
}

namespace {

// A reader holding a song file for a moment (a text source polling it)
// must not leave the track in it: tried again for a bounded time, which
// the host's thread waits out at "clr ".
void BlankSongFileForGood()
{
    DWORD start = GetTickCount();
    for (unsigned parts = BlankNowPlayingFiles(); parts && GetTickCount() - start < CLEAN_UP_BLANK_MS;
         parts = RewriteNowPlayingFiles(parts))
        Sleep(CLEAN_UP_BLANK_STEP_MS);
}

} // namespace

// Done when it returns: what was queued before it is carried out, the
// worker has ended, and the blank song files are the last written. The
// retries still owed end with the worker: the blank replaces the song
// file's, and a module being unloaded copies nothing more.
void OnCleanUp()
{
    if (!NothingQueued()) {
        if (Message *message = NewMessage(MESSAGE_CLEAN_UP, 0))
            Enqueue(message);
        FinishTrackWorker(CLEAN_UP_WAIT_MS);
    } else {
        ReleaseCoverArt(); // no worker lives to do it
    }
    BlankSongFileForGood();
}

// Waits on the newest worker's handle rather than on workerAlive: a worker
// that has marked itself gone may still take up a message pushed meanwhile.
void FinishTrackWorker(DWORD timeoutMs)
{
    if (!workerThread)
        return;
    InterlockedExchange(&endRequested, 1);
    SetEvent(wakeEvent);
    DWORD start = GetTickCount();
    for (;;) {
        // Only the messages sent from other threads: nothing posted is
        // dispatched while the window is being destroyed.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return;
        DWORD woken = MsgWaitForMultipleObjects(1, &workerThread, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1)
            return;
    }
}

void ReleaseTrackQueue()
{
    if (queueHeap)
        HeapDestroy(queueHeap);
    if (wakeEvent)
        CloseHandle(wakeEvent);
    if (workerThread)
        CloseHandle(workerThread);
    queueHeap = wakeEvent = workerThread = nullptr;
    queueHead = nullptr;
}
