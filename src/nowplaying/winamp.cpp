// The "Winamp v1.x" window: what programs written for the Winamp player read
// as its now-playing title, and the subset of its queries and transport
// commands that they send before reading it.
#include "nowplaying/outputs.h"

#include <array>
#include <cstdio>

#include "nowplaying/track.h"
#include "plugin/plugin.h"

HWND winampWindow;

namespace {

constexpr LRESULT WINAMP_VERSION = 0x5001; // "Winamp 5.01"
constexpr LRESULT WINAMP_PLAYING = 1;
constexpr LRESULT WINAMP_PAUSED = 3;

// Answers from memory only, on the window's own thread: no lock, no wait.
LRESULT AnswerVersion(WPARAM) { return WINAMP_VERSION; }

LRESULT AnswerIsPlaying(WPARAM)
{
    ClockState clock = ReadClock();
    if (clock.playing)
        return WINAMP_PLAYING;
    return clock.started ? WINAMP_PAUSED : 0;
}

LRESULT AnswerOutputTime(WPARAM which)
{
    ClockState clock = ReadClock();
    if (!clock.started)
        return -1;
    switch (which) {
    case 0:
        return LRESULT(clock.positionMs);
    case 1:
        return LRESULT(TrackTotalTime(TrackRecord) / 1000);
    case 2:
        return LRESULT(TrackTotalTime(TrackRecord));
    }
    return -1;
}

LRESULT AnswerListPosition(WPARAM)
{
    int32_t number = TrackNumber(TrackRecord);
    return number > 1 ? number - 1 : 0;
}

LRESULT AnswerListLength(WPARAM) { return trackStarted ? 1 : 0; }

struct WinampQuery {
    LPARAM code;
    LRESULT (*answer)(WPARAM argument);
};
constexpr std::array<WinampQuery, 5> WINAMP_QUERIES = {{
    {0, AnswerVersion},        // IPC_GETVERSION
    {104, AnswerIsPlaying},    // IPC_ISPLAYING
    {105, AnswerOutputTime},   // IPC_GETOUTPUTTIME
    {124, AnswerListLength},   // IPC_GETLISTLENGTH
    {125, AnswerListPosition}, // IPC_GETLISTPOS
}};

// Winamp's transport buttons, carried out as the host's media commands.
struct WinampCommand {
    WPARAM command;
    WORD appCommand;
    bool onlyWhenStopped; // play starts play but never pauses
};
constexpr std::array<WinampCommand, 5> WINAMP_COMMANDS = {{
    {40044, APPCOMMAND_MEDIA_PREVIOUSTRACK, false},
    {40045, APPCOMMAND_MEDIA_PLAY_PAUSE, true},
    {40046, APPCOMMAND_MEDIA_PLAY_PAUSE, false},
    {40047, APPCOMMAND_MEDIA_STOP, false},
    {40048, APPCOMMAND_MEDIA_NEXTTRACK, false},
}};

bool AnswerQuery(LPARAM code, WPARAM argument, LRESULT *answer)
{
    for (const WinampQuery &query : WINAMP_QUERIES)
        if (query.code == code) {
            *answer = query.answer(argument);
            return true;
        }
    return false;
}

bool CarryOutCommand(WPARAM command)
{
    for (const WinampCommand &entry : WINAMP_COMMANDS)
        if (entry.command == command) {
            if (!(entry.onlyWhenStopped && isPlaying))
                PostMessageA(hostMainWindow, WM_APPCOMMAND, 0,
                             MAKELPARAM(0, FAPPCOMMAND_MOUSE | entry.appCommand));
            return true;
        }
    return false;
}

LRESULT CALLBACK WinampWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    switch (message) {
    case WM_USER:
        if (AnswerQuery(lParam, wParam, &answer))
            return answer;
        break;
    case WM_COMMAND:
        if (CarryOutCommand(wParam))
            return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

void CreateWinampWindow(const char *title)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WinampWindowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = WINAMP_CLASS;
    RegisterClassA(&windowClass);
    winampWindow = CreateWindowExA(0, WINAMP_CLASS, title, 0, 0, 0, 0, 0, nullptr, nullptr, moduleInstance, nullptr);
}

void DestroyWinampWindow()
{
    DestroyWindow(winampWindow);
    UnregisterClassA(WINAMP_CLASS, moduleInstance);
    winampWindow = nullptr;
}

void ComposeWinampCreationTitle(char *title, size_t size)
{
    if (nowPlayingText[0] == ' ' && !nowPlayingText[1])
        snprintf(title, size, "%s", WINAMP_START_TITLE);
    else
        snprintf(title, size, "1. %s - Winamp", nowPlayingText);
}

void SetWinampTitle(const uint8_t *record)
{
    char title[2000];
    snprintf(title, sizeof title, "%d. %s - Winamp", int(TrackNumber(record)), nowPlayingText);
    SetWindowTextA(winampWindow, title);
}

void SetWinampPausedTitle(const uint8_t *record)
{
    char artist[COUNTED_TEXT_SIZE], name[COUNTED_TEXT_SIZE];
    ReadCountedText(record, TRACK_ARTIST_OFFSET, artist);
    ReadCountedText(record, TRACK_NAME_OFFSET, name);
    char title[1000];
    if (artist[0])
        snprintf(title, sizeof title, "%d. %s - %s - Winamp [Paused]", int(TrackNumber(record)), artist, name);
    else
        snprintf(title, sizeof title, "%d. %s - Winamp [Paused]", int(TrackNumber(record)), name);
    SendMessageA(winampWindow, WM_SETTEXT, 0, LPARAM(title));
}
