// The track workers: one short-lived thread per "vply" and "vstp".
//
// Each worker gets its own copy of the record as it was at its message, and
// the workers take turns in the order their messages arrived: each waits for
// the one before it to finish. The host's thread never waits on any of this,
// so a worker that sets a window text of that thread always gets through.
#include "nowplaying/track.h"

#include <cstring>

#include "nowplaying/external.h"
#include "nowplaying/outputs.h"
#include "settings/settings.h"

namespace {

// Enough for the outputs' buffers and the system calls beneath them, and
// small enough that a burst of messages cannot use up the address space.
constexpr SIZE_T WORKER_STACK_SIZE = 256 * 1024;

struct WorkerJob {
    uint8_t record[TRACK_RECORD_SIZE];
    HANDLE previousDone; // set when the worker before this one has finished
    HANDLE done;         // set by this worker when it has finished
};

// The done event of the newest worker; the next worker takes it over.
HANDLE newestDone;

void StartWorkerSteps(const uint8_t *record)
{
    StartClock(record);
    NotifyRegisteredWindows(NOTIFY_TRACK_STARTED);
    if (Settings.File)
        WriteSongFile(record);
    BuildLyricsQuery(record);
    if (Settings.Clipboard || Settings.WinAmp || Settings.CaptionText) {
        BuildNowPlayingText(record);
        if (Settings.WinAmp)
            SetWinampTitle(record);
        if (Settings.Clipboard)
            CopyNowPlayingToClipboard();
        if (Settings.CaptionText)
            SetNowPlayingCaption();
    }
    if (Settings.Menu)
        SetPlayCommandLabel("Pause");
}

void StopWorkerSteps(const uint8_t *record)
{
    StopClock();
    if (Settings.File)
        BlankSongFile();
    if (Settings.Menu)
        SetPlayCommandLabel("Play");
    NotifyRegisteredWindows(NOTIFY_TRACK_STOPPED);
    if (Settings.WinAmp)
        SetWinampPausedTitle(record);
    if (Settings.CaptionText)
        RestoreCaption();
}

// Waits its turn, runs the steps, hands the turn on.
DWORD RunInTurn(WorkerJob *job, void (*steps)(const uint8_t *))
{
    if (job->previousDone) {
        WaitForSingleObject(job->previousDone, INFINITE);
        CloseHandle(job->previousDone);
    }
    steps(job->record);
    SetEvent(job->done);
    HeapFree(GetProcessHeap(), 0, job);
    return 1;
}

DWORD WINAPI TrackStartWorker(LPVOID job)
{
    return RunInTurn(static_cast<WorkerJob *>(job), StartWorkerSteps);
}

DWORD WINAPI TrackStopWorker(LPVOID job)
{
    return RunInTurn(static_cast<WorkerJob *>(job), StopWorkerSteps);
}

// Starts a worker on a copy of TrackRecord, queued behind the newest one.
// Returns its thread handle, or nullptr when it could not be started; then
// the queue is as it was.
HANDLE StartWorker(LPTHREAD_START_ROUTINE worker)
{
    auto *job = static_cast<WorkerJob *>(HeapAlloc(GetProcessHeap(), 0, sizeof(WorkerJob)));
    if (!job)
        return nullptr;
    memcpy(job->record, TrackRecord, sizeof job->record);
    // Kept here: the job belongs to the worker once it runs.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    job->previousDone = newestDone;
    job->done = done;
    HANDLE thread = done ? CreateThread(nullptr, WORKER_STACK_SIZE, worker, job, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                        nullptr)
                         : nullptr;
    if (!thread) {
        if (done)
            CloseHandle(done);
        HeapFree(GetProcessHeap(), 0, job);
        return nullptr;
    }
    newestDone = done;
    return thread;
}

} // namespace

void OnTrackPlay(const uint8_t *hostRecord)
{
    memcpy(TrackRecord, hostRecord, TRACK_RECORD_SIZE);
    HANDLE thread = StartWorker(TrackStartWorker);
    if (thread)
        CloseHandle(thread);
}

void OnTrackStop()
{
    HANDLE thread = StartWorker(TrackStopWorker);
    if (!thread)
        return;
    if (stopWorkerHandle)
        CloseHandle(stopWorkerHandle);
    stopWorkerHandle = thread;
}
