// The interface for other programs: the finder window, the registered
// windows' notifications, the three queries and the orderly end.
#include "answers/external.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "answers/memorycheck.h"
#include "nowplaying/track.h"
#include "plugin/plugin.h"

HWND finderWindow;

namespace {

constexpr char FINDER_PROPERTY[] = "iTunesWindow";
constexpr DWORD TRACK_WORKER_WAIT_MS = 2000;

LRESULT AnswerPlayState(WPARAM, LPARAM) { return ReadClock().playing; }

LRESULT AnswerPosition(WPARAM, LPARAM) { return LRESULT(QueryPosition()); }

// The address the sender named, or 0 when it cannot be known. A 64-bit
// sender's lParam reaches a 32-bit window cut to its lower half, so a write
// there would land where the sender never pointed. A 32-bit sender's
// addresses all lie below 4 GB, whatever the upper half brought.
uintptr_t SendersAddress(HANDLE process, LPARAM address)
{
    BOOL selfOnWow64 = FALSE, senderOnWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &selfOnWow64) || !IsWow64Process(process, &senderOnWow64))
        return 0;
    if (sizeof(void *) == 8)
        return senderOnWow64 ? uintptr_t(uint32_t(address)) : uintptr_t(address);
    // A 32-bit module on 64-bit Windows: a sender outside WOW64 is 64-bit.
    if (selfOnWow64 && !senderOnWow64)
        return 0;
    return uintptr_t(address);
}

// WriteProcessMemory alone would not do: it writes into read-only pages
// (it lifts their protection, as for a debugger), and stops only at the
// first page it cannot reach, with the pages before it written.
// Only the rights the checks and the write need, and never into the host
// itself: the sender names both the process and the address. The answer is
// nonzero only for a record written whole; otherwise nothing is written.
LRESULT CopyTrackRecordTo(WPARAM processId, LPARAM lParam)
{
    if (DWORD(processId) == GetCurrentProcessId())
        return 0;
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_WRITE | PROCESS_VM_OPERATION, FALSE, DWORD(processId));
    if (!process)
        return 0;
    BOOL copied = FALSE;
    SIZE_T written = 0;
    uint8_t record[TRACK_RECORD_SIZE];
    const uintptr_t address = SendersAddress(process, lParam);
    if (RangeAllows(process, address, sizeof record, true)) {
        CopyTrackRecord(record);
        copied = WriteProcessMemory(process, reinterpret_cast<void *>(address), record, sizeof record, &written);
    }
    CloseHandle(process);
    return copied && written == sizeof record;
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

namespace {

// The slot a property name registers, or 0: "RegisteredWindow" followed by
// 1 to 24 in decimal with no leading zero.
int SlotOfProperty(const char *name)
{
    constexpr char PREFIX[] = "RegisteredWindow";
    if (IS_INTRESOURCE(name) || strncmp(name, PREFIX, sizeof PREFIX - 1) != 0)
        return 0;
    const char *digits = name + sizeof PREFIX - 1;
    if (digits[0] < '1' || digits[0] > '9')
        return 0;
    int slot = 0;
    for (const char *d = digits; *d; ++d) {
        if (*d < '0' || *d > '9' || d - digits >= 2)
            return 0;
        slot = slot * 10 + (*d - '0');
    }
    return slot <= MAX_REGISTERED_WINDOWS ? slot : 0;
}

BOOL CALLBACK CollectRegistration(HWND window, LPSTR name, HANDLE data, ULONG_PTR slots)
{
    if (int slot = SlotOfProperty(name))
        reinterpret_cast<HWND *>(slots)[slot] = HWND(data);
    return TRUE;
}

} // namespace

// One enumeration of the window's properties rather than a look-up per slot:
// each look-up is a round trip to the window server, and "setp" arrives
// while the user drags the position. Posted, never sent, so a hung receiver
// cannot stall a worker or the host.
void NotifyRegisteredWindows(uint32_t code)
{
    HWND registered[MAX_REGISTERED_WINDOWS + 1] = {};
    if (!hostMainWindow)
        return;
    EnumPropsExA(hostMainWindow, CollectRegistration, ULONG_PTR(registered));
    for (int slot = 1; slot <= MAX_REGISTERED_WINDOWS; ++slot) {
        if (!registered[slot])
            continue;
        if (IsWindow(registered[slot])) {
            PostMessageA(registered[slot], WM_COMMAND, code, 0);
        } else {
            char name[32];
            snprintf(name, sizeof name, "RegisteredWindow%d", slot);
            RemovePropA(hostMainWindow, name);
        }
    }
}

LRESULT AnswerExternalQuery(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const ExternalQuery &query : EXTERNAL_QUERIES)
        if (query.message == message)
            return query.answer(wParam, lParam);
    return 0;
}

void DestroyFinderWindow()
{
    if (!finderWindow)
        return;
    RemovePropA(finderWindow, FINDER_PROPERTY);
    DestroyWindow(finderWindow);
    finderWindow = nullptr;
}

void ShutDownExternalInterface()
{
    DestroyFinderWindow();
    FinishTrackWorker(TRACK_WORKER_WAIT_MS);
    NotifyRegisteredWindows(NOTIFY_HOST_CLOSING);
}
