// How the test programs that play other programs talk to the test that
// started them: requests are posted to the program's window, everything the
// program saw comes back as one WM_COPYDATA report to the test's window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace peer {

enum Request : UINT {
    REQUEST_ASK = WM_APP + 1,            // wParam: message to send to the host window
    REQUEST_COPY_RECORD = WM_APP + 2,    // wParam: process id to name, 0 for the program's own
    REQUEST_SYNC = WM_APP + 3,           // answered after everything posted before it
    REQUEST_WINAMP_VIEW = WM_APP + 4,    // what a Winamp-aware program shows
    REQUEST_WINAMP_COMMAND = WM_APP + 5, // wParam: the WM_COMMAND to send the Winamp window
    REQUEST_WINAMP_TEXTS = WM_APP + 6,   // wParam: AS_32_BIT_PROGRAM or 0; the texts handed out by address
    REQUEST_WINAMP_TAG = WM_APP + 7,     // wParam: TagRequest(tag, wide, placement)
    REQUEST_POLL_POSITION = WM_APP + 10, // wParam: how many 29874 queries to send in a row
    REQUEST_COPY_RECORD_INTO = WM_APP + 8, // wParam: a CopyTarget, in the program's own process
    REQUEST_QUIT = WM_APP + 9,
};

enum ReportKind : uint32_t {
    REPORT_READY = 1,
    REPORT_NOTIFIED = 2, // a WM_COMMAND reached the program's window
    REPORT_ANSWER = 3,
    REPORT_RECORD = 4,
    REPORT_SYNC = 5,
    REPORT_WINAMP = 6,
    REPORT_WINAMP_TEXTS = 7,
    REPORT_WINAMP_TAG = 8,
    REPORT_POLLED = 9, // result: answers lower than the one before; positionMs, lengthMs: the first such pair
};

// How a Winamp client places its extended-file-info request in the player:
// as it should, or with one pointer that may not be followed.
enum TagPlacement : uint32_t {
    TAG_PROPER,
    TAG_OTHER_FILE,
    TAG_REQUEST_UNCOMMITTED, // the request itself in reserved memory
    TAG_FILE_UNCOMMITTED,    // the file name in reserved memory
    TAG_RESULT_READ_ONLY,    // the result in a read-only page
    TAG_RESULT_CROSSES,      // the result's length runs into a read-only page
    TAG_FIELD_UNTERMINATED,  // the tag's name runs into reserved memory
    TAG_REQUEST_CHURNS,      // a thread takes the pages away and back while the player reads them
};
// The tag names the client asks for, by index; case as real clients vary it.
constexpr const char *TAG_NAMES[] = {"artist", "TITLE", "Album", "genre", "year",
                                     "track",  "length", "comment", "bitrate"};

inline WPARAM TagRequest(uint32_t tag, bool wide, TagPlacement placement)
{
    return WPARAM(tag | (wide ? 0x100u : 0u) | placement << 16);
}

// A 32-bit program is given only the low 32 bits of a 64-bit window's answer.
constexpr WPARAM AS_32_BIT_PROGRAM = 1;

constexpr size_t RECORD_SIZE = 2116;

// Memory the program may not, or only in part, write: two pages, the
// buffer at the start of the first or 100 bytes before the second.
enum CopyTarget : WPARAM {
    INTO_READ_ONLY_PAGES,
    ACROSS_INTO_A_READ_ONLY_PAGE,
    INTO_GUARD_PAGES,
    ACROSS_INTO_AN_UNCOMMITTED_PAGE,
    COPY_TARGETS,
    // Writable pages above 4 GB (a 64-bit program's); the report's result
    // is -1 when the program could not have such memory.
    ABOVE_4_GB = COPY_TARGETS,
};

struct Report {
    uint32_t kind;
    uint32_t code;        // the notification, or the message asked
    int32_t result;
    uint32_t peerWindow, hostWindow, processId;
    uint32_t finderPresent;
    // Seen at the moment of a notification.
    char caption[600];
    char winampTitle[1000];
    int32_t fileLength; // -1 when the song file could not be read
    uint8_t file[1000];
    uint8_t record[RECORD_SIZE];
    // A Winamp-aware program's view.
    int32_t version, playState, positionMs, lengthSeconds, lengthMs, listPosition, listLength;
    int32_t number;
    uint32_t paused;
    char artist[300], title[300];
    // Texts read with ReadProcessMemory at the addresses the Winamp window
    // answered (MAX_PATH characters each); addressed: one bit per text,
    // in the order of the fields.
    uint32_t addressed;
    char playlistFile[260], playlistTitle[260];
    wchar_t playlistFileW[260], playlistTitleW[260], playingFile[260], playingTitle[260];
    int32_t otherPositionAnswer; // 211 for the position after the current one
    // An extended-file-info tag: the answer, and the text in UTF-8.
    char tag[300];
};

inline void SendReport(HWND sink, HWND from, const Report &report)
{
    COPYDATASTRUCT data = {report.kind, sizeof report, const_cast<Report *>(&report)};
    SendMessageA(sink, WM_COPYDATA, WPARAM(from), LPARAM(&data));
}

inline HWND HostFromFinder()
{
    HWND finder = FindWindowA("Button", "WindowFinder");
    return finder ? HWND(GetPropA(finder, "iTunesWindow")) : nullptr;
}

inline HWND ParseWindow(const char *text)
{
    return HWND(uintptr_t(strtoul(text, nullptr, 16)));
}

// The program's hidden window, and its class, registered once.
inline HWND CreateProgramWindow(const char *className, WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, className, 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}

inline int RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

} // namespace peer
