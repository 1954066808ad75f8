// The interface for other programs: the finder window, the registered
// windows' notifications, the three queries and the orderly end.
#include "nowplaying/external.h"

#include <array>
#include <cstdio>

#include "nowplaying/track.h"
#include "plugin/plugin.h"

HWND finderWindow;

namespace {

constexpr char FINDER_PROPERTY[] = "iTunesWindow";
constexpr DWORD STOP_WORKER_WAIT_MS = 2000;

LRESULT AnswerPlayState(WPARAM, LPARAM) { return isPlaying; }

LRESULT AnswerPosition(WPARAM, LPARAM) { return LRESULT(QueryPosition()); }

// Only the rights a memory write needs, and never into the host itself: the
// sender names both the process and the address.
LRESULT CopyTrackRecordTo(WPARAM processId, LPARAM address)
{
    if (DWORD(processId) == GetCurrentProcessId())
        return 0;
    HANDLE process = OpenProcess(PROCESS_VM_WRITE | PROCESS_VM_OPERATION, FALSE, DWORD(processId));
    if (!process)
        return 0;
    SIZE_T written = 0;
    BOOL copied = WriteProcessMemory(process, reinterpret_cast<void *>(address), TrackRecord, sizeof TrackRecord,
                                     &written);
    CloseHandle(process);
    return copied && written == sizeof TrackRecord;
}

struct ExternalQuery {
    UINT message;
    LRESULT (*answer)(WPARAM, LPARAM);
};
constexpr std::array<ExternalQuery, 3> EXTERNAL_QUERIES = {{
    {MSG_GET_PLAY_STATE, AnswerPlayState},
    {MSG_GET_POSITION, AnswerPosition},
    {MSG_COPY_TRACK_RECORD, CopyTrackRecordTo},
}};

} // namespace

void CreateFinderWindow()
{
    finderWindow = CreateWindowExA(0, "Button", "WindowFinder", 0, 0, 0, 0, 0, nullptr, nullptr, moduleInstance,
                                   nullptr);
    SetPropA(finderWindow, FINDER_PROPERTY, hostMainWindow);
}

// Posted, never sent, so a hung receiver cannot stall a worker or the host.
void NotifyRegisteredWindows(uint32_t code)
{
    for (int slot = 1; slot <= MAX_REGISTERED_WINDOWS; ++slot) {
        char name[32];
        snprintf(name, sizeof name, "RegisteredWindow%d", slot);
        HWND registered = HWND(GetPropA(hostMainWindow, name));
        if (!registered)
            continue;
        if (IsWindow(registered))
            PostMessageA(registered, WM_COMMAND, code, 0);
        else
            RemovePropA(hostMainWindow, name);
    }
}

LRESULT AnswerExternalQuery(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const ExternalQuery &query : EXTERNAL_QUERIES)
        if (query.message == message)
            return query.answer(wParam, lParam);
    return 0;
}

void ShutDownExternalInterface()
{
    RemovePropA(finderWindow, FINDER_PROPERTY);
    DestroyWindow(finderWindow);
    finderWindow = nullptr;
    // Bounded: a stop worker may be waiting for this very thread to set a
    // window text.
    if (stopWorkerHandle)
        WaitForSingleObject(stopWorkerHandle, STOP_WORKER_WAIT_MS);
    NotifyRegisteredWindows(NOTIFY_HOST_CLOSING);
}
