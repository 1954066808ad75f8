// Another program on the desktop, as the host's interface serves it: finds
// "WindowFinder", reads "iTunesWindow", registers its window in the slots it
// is given, reports every notification it receives and asks the host for the
// play state, the position and a copy of the track record.
//
// peer <sink window> [slot=N]... [file=<song file>] [event=<name>]
//   slot=N      sets the property "RegisteredWindow" N (N as written)
//   file=...    the song file to read when a stop is announced
//   event=...   a named event set once a notification has been looked at
#include <cstdio>
#include <string>
#include <vector>

#include "peer_protocol.h"

namespace {

HWND sink;
HWND self;
HWND host;
std::string songFile;
HANDLE seenEvent;
// Where the host writes the record; filled with a marker before each ask.
uint8_t recordBuffer[peer::RECORD_SIZE];

peer::Report NewReport(uint32_t kind)
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = kind;
    report.peerWindow = uint32_t(uintptr_t(self));
    report.hostWindow = uint32_t(uintptr_t(host));
    report.processId = GetCurrentProcessId();
    return report;
}

void ReadSongFile(peer::Report &report)
{
    report.fileLength = -1;
    HANDLE file = CreateFileA(songFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD read = 0;
    ReadFile(file, report.file, sizeof report.file, &read, nullptr);
    report.fileLength = int32_t(read);
    CloseHandle(file);
}

// Looks at the host's outputs at the moment the notification arrives.
void OnNotified(WPARAM code)
{
    peer::Report report = NewReport(peer::REPORT_NOTIFIED);
    report.code = uint32_t(code);
    report.finderPresent = FindWindowA("Button", "WindowFinder") != nullptr;
    GetWindowTextA(host, report.caption, sizeof report.caption);
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    if (winamp)
        GetWindowTextA(winamp, report.winampTitle, sizeof report.winampTitle);
    report.fileLength = -1;
    if (code == 29902 && !songFile.empty())
        ReadSongFile(report);
    if (seenEvent)
        SetEvent(seenEvent);
    peer::SendReport(sink, self, report);
}

void Ask(WPARAM message)
{
    peer::Report report = NewReport(peer::REPORT_ANSWER);
    report.code = uint32_t(message);
    report.result = int32_t(SendMessageA(host, UINT(message), 0, 0));
    peer::SendReport(sink, self, report);
}

void CopyRecord(WPARAM processId)
{
    memset(recordBuffer, 0xCC, sizeof recordBuffer);
    DWORD id = processId ? DWORD(processId) : GetCurrentProcessId();
    peer::Report report = NewReport(peer::REPORT_RECORD);
    report.code = 29875;
    report.result = int32_t(SendMessageA(host, 29875, id, LPARAM(recordBuffer)));
    memcpy(report.record, recordBuffer, sizeof recordBuffer);
    peer::SendReport(sink, self, report);
}

// A program that polls the position as fast as it can; while the host only
// moves the position forward, no answer may be lower than the one before.
void PollPosition(WPARAM queries)
{
    peer::Report report = NewReport(peer::REPORT_POLLED);
    report.code = 29874;
    uint32_t previous = 0;
    for (WPARAM i = 0; i < queries; ++i) {
        uint32_t answer = uint32_t(SendMessageA(host, 29874, 0, 0));
        if (answer < previous && report.result++ == 0) {
            report.positionMs = int32_t(previous);
            report.lengthMs = int32_t(answer);
        }
        previous = answer;
    }
    peer::SendReport(sink, self, report);
}

// The buffer's bytes, as 0xCC where nothing was written, are reported once
// both pages are readable again.
void CopyRecordInto(WPARAM target)
{
    struct Pages {
        size_t offset;
        DWORD first, second; // second 0: reserved, never committed
    };
    const Pages TARGETS[peer::COPY_TARGETS] = {
        {0, PAGE_READONLY, PAGE_READONLY},
        {1, PAGE_READWRITE, PAGE_READONLY},
        {0, PAGE_READWRITE | PAGE_GUARD, PAGE_READWRITE | PAGE_GUARD},
        {1, PAGE_READWRITE, 0},
    };
    if (target > peer::ABOVE_4_GB)
        return;
    const Pages &pages = target == peer::ABOVE_4_GB ? Pages{0, PAGE_READWRITE, PAGE_READWRITE} : TARGETS[target];
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const SIZE_T size = system.dwPageSize;
    uint8_t *base = nullptr;
    if (target != peer::ABOVE_4_GB)
        base = static_cast<uint8_t *>(VirtualAlloc(nullptr, 2 * size, MEM_RESERVE, PAGE_NOACCESS));
    // The first free place from 16 GB up, in steps of the allocation grain.
    for (uint64_t at = uint64_t(1) << 34; !base && at < (uint64_t(1) << 40) && sizeof(void *) == 8;
         at += system.dwAllocationGranularity)
        base = static_cast<uint8_t *>(VirtualAlloc(reinterpret_cast<void *>(uintptr_t(at)), 2 * size, MEM_RESERVE,
                                                   PAGE_NOACCESS));
    if (!base) {
        peer::Report report = NewReport(peer::REPORT_RECORD);
        report.result = -1;
        peer::SendReport(sink, self, report);
        return;
    }
    VirtualAlloc(base, pages.second ? 2 * size : size, MEM_COMMIT, PAGE_READWRITE);
    memset(base, 0xCC, pages.second ? 2 * size : size);
    DWORD old;
    VirtualProtect(base, size, pages.first, &old);
    if (pages.second)
        VirtualProtect(base + size, size, pages.second, &old);
    uint8_t *buffer = pages.offset ? base + size - 100 : base;

    peer::Report report = NewReport(peer::REPORT_RECORD);
    report.code = 29875;
    report.result = int32_t(SendMessageA(host, 29875, GetCurrentProcessId(), LPARAM(buffer)));
    if (!pages.second) {
        VirtualAlloc(base + size, size, MEM_COMMIT, PAGE_READWRITE);
        memset(base + size, 0xCC, size);
    }
    VirtualProtect(base, 2 * size, PAGE_READWRITE, &old);
    memcpy(report.record, buffer, sizeof report.record);
    VirtualFree(base, 0, MEM_RELEASE);
    peer::SendReport(sink, self, report);
}

LRESULT CALLBACK PeerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnNotified(wParam);
        return 0;
    case peer::REQUEST_ASK:
        Ask(wParam);
        return 0;
    case peer::REQUEST_COPY_RECORD:
        CopyRecord(wParam);
        return 0;
    case peer::REQUEST_POLL_POSITION:
        PollPosition(wParam);
        return 0;
    case peer::REQUEST_COPY_RECORD_INTO:
        CopyRecordInto(wParam);
        return 0;
    case peer::REQUEST_SYNC:
        peer::SendReport(sink, self, NewReport(peer::REPORT_SYNC));
        return 0;
    case peer::REQUEST_QUIT:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    sink = peer::ParseWindow(argv[1]);
    self = peer::CreateProgramWindow("BramblecourtPeer", PeerWindowProc);
    host = peer::HostFromFinder();

    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.rfind("slot=", 0) == 0)
            SetPropA(host, ("RegisteredWindow" + argument.substr(5)).c_str(), self);
        else if (argument.rfind("file=", 0) == 0)
            songFile = argument.substr(5);
        else if (argument.rfind("event=", 0) == 0)
            seenEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, argument.substr(6).c_str());
    }
    peer::SendReport(sink, self, NewReport(peer::REPORT_READY));

    return peer::RunMessageLoop();
}
