// The "Winamp v1.x" window: what programs written for the Winamp player read
// as its now-playing title, and the subset of its queries and transport
// commands that they send before reading it. A Unicode window, as Winamp's
// is: GetWindowTextW reads the title whole, GetWindowTextA in the code page.
#include "nowplaying/outputs.h"

#include <array>
#include <cstring>
#include <cwchar>

#include "nowplaying/track.h"
#include "nowplaying/tracktexts.h"
#include "answers/winampanswers.h"
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

// The album's track count, but never fewer tracks than the list position
// implies: a client showing "track 6 of 1" is wrong either way.
LRESULT AnswerListLength(WPARAM)
{
    if (!trackStarted)
        return 0;
    int32_t count;
    memcpy(&count, TrackRecord + TRACK_COUNT_OFFSET, sizeof count);
    LRESULT atLeast = AnswerListPosition(0) + 1;
    return count > atLeast ? count : atLeast;
}

struct WinampQuery {
    LPARAM code;
    LRESULT (*answer)(WPARAM argument);
};
constexpr std::array<WinampQuery, 15> WINAMP_QUERIES = {{
    {0, AnswerVersion},                  // IPC_GETVERSION
    {104, AnswerIsPlaying},              // IPC_ISPLAYING
    {105, AnswerOutputTime},             // IPC_GETOUTPUTTIME
    {124, AnswerListLength},             // IPC_GETLISTLENGTH
    {125, AnswerListPosition},           // IPC_GETLISTPOS
    {126, AnswerFormat},                 // IPC_GETINFO
    {211, AnswerPlaylistFile},           // IPC_GETPLAYLISTFILE
    {212, AnswerPlaylistTitle},          // IPC_GETPLAYLISTTITLE
    {213, AnswerPlaylistTitleW},         // IPC_GETPLAYLISTTITLEW
    {214, AnswerPlaylistFileW},          // IPC_GETPLAYLISTFILEW
    {290, AnswerExtendedFileInfo},       // IPC_GET_EXTENDED_FILE_INFO
    {3026, AnswerExtendedFileInfoW},     // IPC_GET_EXTENDED_FILE_INFOW
    {3031, AnswerPlayingFileW},          // IPC_GET_PLAYING_FILENAME
    {3034, AnswerPlayingTitleW},         // IPC_GET_PLAYING_TITLE
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
                PostMessageW(hostMainWindow, WM_APPCOMMAND, 0,
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
    case WM_CLOSE:
        // A client's "close Winamp" means the player; destroyed, this
        // window would be gone until the player starts again.
        PostMessageW(hostMainWindow, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr wchar_t WINAMP_CLASS_W[] = L"Winamp v1.x";

} // namespace

void CreateWinampWindow(const wchar_t *title)
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WinampWindowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = WINAMP_CLASS_W;
    RegisterClassW(&windowClass);
    winampWindow =
        CreateWindowExW(0, WINAMP_CLASS_W, title, 0, 0, 0, 0, 0, nullptr, nullptr, moduleInstance, nullptr);
}

void DestroyWinampWindow()
{
    DestroyWindow(winampWindow);
    UnregisterClassW(WINAMP_CLASS_W, moduleInstance);
    winampWindow = nullptr;
}

void ComposeWinampCreationTitle(wchar_t *title, size_t size)
{
    if (nowPlayingTextW[0] == ' ' && !nowPlayingTextW[1])
        swprintf(title, size, L"%ls", WINAMP_START_TITLE);
    else
        swprintf(title, size, L"1. %ls - Winamp", nowPlayingTextW);
}

void SetWinampTitle(const uint8_t *record)
{
    wchar_t title[NOW_PLAYING_TEXT_SIZE + 32];
    swprintf(title, NOW_PLAYING_TEXT_SIZE + 32, L"%d. %ls - Winamp", int(TrackNumber(record)), nowPlayingTextW);
    SetWindowTextW(winampWindow, title);
}

// The paused title is the track's own, whatever the now-playing text holds.
void SetWinampPausedTitle(const uint8_t *record)
{
    TrackTexts texts;
    ReadTrackTexts(texts);
    wchar_t title[NOW_PLAYING_TEXT_SIZE + 32];
    int number = int(TrackNumber(record));
    if (texts.artist[0])
        swprintf(title, NOW_PLAYING_TEXT_SIZE + 32, L"%d. %ls - %ls - Winamp [Paused]", number, texts.artist,
                 texts.name);
    else
        swprintf(title, NOW_PLAYING_TEXT_SIZE + 32, L"%d. %ls - Winamp [Paused]", number, texts.name);
    SendMessageW(winampWindow, WM_SETTEXT, 0, LPARAM(title));
}
