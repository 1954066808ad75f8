// The track worker: one thread of the module's own that carries out the
// host's "vply", "vstp", "setp" and "clr " in the order they arrived.
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
// at WM_DESTROY, for a bounded time and letting those sent messages through.
// The worker ends when nothing came for IDLE_MS, after "clr " and at
// WM_DESTROY. It runs by StartModuleThread, so the module stays mapped
// until its last instruction; process detach never waits for it. A message
// that finds no memory or no thread is lost, and only it.
#include "nowplaying/track.h"

#include <cstring>

#include "nowplaying/external.h"
#include "nowplaying/outputs.h"
#include "nowplaying/winampanswers.h"
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
// the messages beyond it instead of the address space. About 450 queued
// "vply" fit with both records, 1,400 with the 8-bit one alone.
constexpr SIZE_T QUEUE_HEAP_SIZE = 3 * 1024 * 1024;

enum MessageKind : uint32_t { MESSAGE_PLAY, MESSAGE_STOP, MESSAGE_SET_POSITION, MESSAGE_CLEAN_UP };

struct Message {
    Message *next;
    MessageKind kind;
    uint32_t positionMs;
    // A "vply" node is followed by its copy of the host's record, its
    // details and the UTF-16 record's bytes.
};

const uint8_t *RecordOf(const Message *message) { return reinterpret_cast<const uint8_t *>(message + 1); }
const PlayDetails &DetailsOf(const Message *message)
{
    return *reinterpret_cast<const PlayDetails *>(RecordOf(message) + TRACK_RECORD_SIZE);
}
const uint8_t *UnicodeRecordOf(const Message *message)
{
    return reinterpret_cast<const uint8_t *>(&DetailsOf(message) + 1);
}

HANDLE queueHeap;
HANDLE wakeEvent;            // auto-reset: a message was pushed on an empty queue
Message *volatile queueHead; // newest first; pushed by the host's thread only
volatile LONG workerAlive;   // 1 from the start of a worker to its decision to end
volatile LONG endRequested;  // WM_DESTROY: end once the queue is empty
HANDLE workerThread;         // the newest worker; the host's thread's alone

// ---- the worker's side -----------------------------------------------------

// What the outputs still owe: a start whose outputs were not produced, and
// whether a stop came after the last such start.
bool startOwed;
bool stopOwed;

// A start's outputs. When a stop came after it (`whole` false) only those
// the stop leaves standing are made: the lyrics query, the now-playing text
// and the clipboard; the stop writes the others itself.
void StartOutputs(bool whole)
{
    if (whole && Settings.File)
        WriteSongFile(TrackRecord);
    BuildLyricsQuery(TrackRecord);
    // Kept whatever the options: a Winamp window created later answers too.
    PublishWinampTrack();
    if (Settings.Clipboard || Settings.WinAmp || Settings.CaptionText) {
        BuildNowPlayingText(TrackRecord);
        if (whole && Settings.WinAmp)
            SetWinampTitle(TrackRecord);
        if (Settings.Clipboard)
            CopyNowPlayingToClipboard();
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
    if (Settings.File)
        BlankSongFile();
    if (Settings.Menu)
        SetPlayCommandLabel("Play");
}

void StopOutputsAfterNotice()
{
    if (Settings.WinAmp)
        SetWinampPausedTitle(TrackRecord);
    if (Settings.CaptionText)
        RestoreCaption();
    stopOwed = false;
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
}

// One message's steps; `newest` when nothing is queued behind it. Returns
// true for "clr ", after which the worker ends.
bool CarryOut(const Message *message, bool newest)
{
    switch (message->kind) {
    case MESSAGE_PLAY:
        ApplyTrackRecord(RecordOf(message), DetailsOf(message), UnicodeRecordOf(message));
        StartClock(TrackRecord);
        NotifyRegisteredWindows(NOTIFY_TRACK_STARTED);
        startOwed = true;
        stopOwed = false;
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
        // Whatever was queued before it is written first, so the blank file
        // stays blank.
        ProduceOwedOutputs();
        if (Settings.File)
            BlankSongFile();
        return true;
    }
    if (newest)
        ProduceOwedOutputs();
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
    bool cleanedUp = false;
    for (;;) {
        if (Message *message = TakeQueue()) {
            while (message) {
                Message *next = message->next;
                cleanedUp |= CarryOut(message, !next && !queueHead);
                HeapFree(queueHeap, 0, message);
                message = next;
            }
            continue;
        }
        ProduceOwedOutputs();
        if (!cleanedUp && !endRequested && WaitForSingleObject(wakeEvent, IDLE_MS) == WAIT_OBJECT_0)
            continue;
        // Ending: a message pushed after the last look, which saw this
        // worker alive and started none, is taken up again here.
        InterlockedExchange(&workerAlive, 0);
        if (!queueHead || InterlockedCompareExchange(&workerAlive, 1, 0) != 0)
            break;
        cleanedUp = false;
    }
    EndModuleThread(1);
}

// ---- the host's side -------------------------------------------------------

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
        HeapFree(queueHeap, 0, message);
        InterlockedExchange(&workerAlive, 0);
        return;
    }
    if (workerThread)
        CloseHandle(workerThread);
    workerThread = thread;
}

} // namespace

void OnTrackPlay(const uint8_t *hostRecord, const PlayDetails &details, const uint8_t *unicodeRecord)
{
    PlayDetails kept = details;
    if (!unicodeRecord || kept.unicodeLength > UNICODE_RECORD_SIZE)
        kept.unicodeLength = unicodeRecord ? uint32_t(UNICODE_RECORD_SIZE) : 0;
    static_assert(TRACK_RECORD_SIZE % alignof(PlayDetails) == 0, "details follow the record aligned");
    if (Message *message = NewMessage(MESSAGE_PLAY, TRACK_RECORD_SIZE + sizeof kept + kept.unicodeLength)) {
        memcpy(message + 1, hostRecord, TRACK_RECORD_SIZE);
        memcpy(const_cast<PlayDetails *>(&DetailsOf(message)), &kept, sizeof kept);
        if (kept.unicodeLength)
            memcpy(const_cast<uint8_t *>(UnicodeRecordOf(message)), unicodeRecord, kept.unicodeLength);
        Enqueue(message);
    }
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

void OnSetPosition(uint32_t positionMs)
{
    if (NothingQueued()) {
        SetClockPosition(positionMs);
        NotifyRegisteredWindows(NOTIFY_POSITION_SET);
        return;
    }
    if (Message *message = NewMessage(MESSAGE_SET_POSITION, 0)) {
        message->positionMs = positionMs;
        Enqueue(message);
    }
}

void OnCleanUp()
{
    if (NothingQueued()) {
        if (Settings.File)
            BlankSongFile();
        return;
    }
    if (Message *message = NewMessage(MESSAGE_CLEAN_UP, 0))
        Enqueue(message);
}

void FinishTrackWorker(DWORD timeoutMs)
{
    if (!workerAlive || !workerThread)
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
