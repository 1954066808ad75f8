// Now-playing outputs: the song file, the lyrics query, the artist and song
// text, the clipboard, the host caption and the play command's label.
#include "nowplaying/outputs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "mainwindow/menubar.h"
#include "nowplaying/coverfile.h"
#include "nowplaying/linefile.h"
#include "nowplaying/lyricsquery.h"
#include "nowplaying/nowplayingfiles.h"
#include "nowplaying/track.h"
#include "nowplaying/tracktexts.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "settings/settings.h"

char nowPlayingText[NOW_PLAYING_TEXT_SIZE] = " ";
wchar_t nowPlayingTextW[NOW_PLAYING_TEXT_SIZE] = L" ";
char lyricsQuery[LYRICS_QUERY_SIZE];

namespace {

constexpr DWORD CLIPBOARD_LOCALE_HEBREW = 0x047F;
constexpr int CLIPBOARD_OPEN_ATTEMPTS = 50;

// The longest song file, in UTF-16 and then in UTF-8 (up to 3 bytes for
// each UTF-16 unit).
constexpr int SONG_TEXT_SIZE = 2000;
constexpr int UTF8_TEXT_SIZE = 3 * SONG_TEXT_SIZE;

// A line break inside a tag would shift every later line of the song file.
template <typename Character> void FlattenLineBreaks(Character *text)
{
    Character *end = text;
    while (*end)
        ++end;
    std::replace_if(text, end, [](Character c) { return c == '\r' || c == '\n'; }, Character(' '));
}

// The song file's five lines from the track's Unicode texts, in UTF-8.
DWORD ComposeUtf8Lines(char (&utf8)[UTF8_TEXT_SIZE])
{
    TrackTexts texts;
    ReadTrackTexts(texts);
    FlattenLineBreaks(texts.artist);
    FlattenLineBreaks(texts.name);
    FlattenLineBreaks(texts.genre);
    wchar_t lines[SONG_TEXT_SIZE];
    int units = swprintf(lines, SONG_TEXT_SIZE, L"%ls\r\n%ls\r\n%ls\r\n%d\r\n%d", texts.artist, texts.name,
                         texts.genre, int(texts.number), int(texts.year));
    int size = WideCharToMultiByte(CP_UTF8, 0, lines, units, utf8, sizeof utf8, nullptr, nullptr);
    return units > 0 && size > 0 ? DWORD(size) : 0;
}

// The song file and its twin, written when the option asks for them.
void WriteSongFiles(const uint8_t *record)
{
    char artist[COUNTED_TEXT_SIZE], name[COUNTED_TEXT_SIZE], third[COUNTED_TEXT_SIZE];
    ReadCountedText(record, TRACK_ARTIST_OFFSET, artist);
    ReadCountedText(record, TRACK_NAME_OFFSET, name);
    ReadCountedText(record, TRACK_THIRD_TEXT_OFFSET, third);
    FlattenLineBreaks(artist);
    FlattenLineBreaks(name);
    FlattenLineBreaks(third);
    char lines[SONG_TEXT_SIZE];
    int length = snprintf(lines, sizeof lines, "%s\r\n%s\r\n%s\r\n%d\r\n%d", artist, name, third,
                          int(TrackNumber(record)), int(TrackYear(record)));
    DWORD size = DWORD(std::min<int>(length, sizeof lines - 1));
    char utf8[UTF8_TEXT_SIZE];
    DWORD utf8Size = ComposeUtf8Lines(utf8);
    ReplaceNowPlayingFiles({{SONG_FILE_PART, lines, size}, {UTF8_TWIN_PART, utf8, utf8Size}});
}

} // namespace

unsigned WriteNowPlayingFiles(const uint8_t *record)
{
    if (Settings.File)
        WriteSongFiles(record);
    WriteLineFile(true);
    return UpdateCoverFile(true);
}

unsigned BlankNowPlayingFiles()
{
    ReplaceNowPlayingFiles({{SONG_FILE_PART, " ", 1}, {UTF8_TWIN_PART, " ", 1}});
    WriteLineFile(false);
    return UpdateCoverFile(false);
}

void BuildLyricsQuery(const uint8_t *record)
{
    char artist[COUNTED_TEXT_SIZE], name[COUNTED_TEXT_SIZE];
    ReadCountedText(record, TRACK_ARTIST_OFFSET, artist);
    ReadCountedText(record, TRACK_NAME_OFFSET, name);
    // Built aside, so the lookup on the host's thread never sees half a query.
    char query[LYRICS_QUERY_SIZE];
    ComposeLyricsQuery(artist, name, query, sizeof query);
    memcpy(lyricsQuery, query, sizeof lyricsQuery);
}

void BuildNowPlayingText(const uint8_t *record)
{
    char artist[COUNTED_TEXT_SIZE], name[COUNTED_TEXT_SIZE];
    ReadCountedText(record, TRACK_ARTIST_OFFSET, artist);
    ReadCountedText(record, TRACK_NAME_OFFSET, name);
    char text[NOW_PLAYING_TEXT_SIZE];
    if (artist[0])
        snprintf(text, sizeof text, "%s - %s", artist, name);
    else
        snprintf(text, sizeof text, "%s", name);
    memcpy(nowPlayingText, text, sizeof nowPlayingText);

    TrackTexts texts;
    ReadTrackTexts(texts);
    wchar_t wide[NOW_PLAYING_TEXT_SIZE];
    if (texts.artist[0])
        swprintf(wide, NOW_PLAYING_TEXT_SIZE, L"%ls - %ls", texts.artist, texts.name);
    else
        swprintf(wide, NOW_PLAYING_TEXT_SIZE, L"%ls", texts.name);
    memcpy(nowPlayingTextW, wide, sizeof nowPlayingTextW);
}

bool CopyNowPlayingToClipboard()
{
    // Another program (under Wine, the desktop's own clipboard bridge, which
    // reads every new content) may hold the clipboard for a moment: without
    // the retries this track's text would silently never arrive. Only the
    // track worker calls this, never the host's thread.
    for (int attempt = 1; !OpenClipboard(clipboardOwnerWindow); ++attempt) {
        if (attempt == CLIPBOARD_OPEN_ATTEMPTS)
            return false;
        Sleep(1);
    }
    EmptyClipboard();
    char text[NOW_PLAYING_TEXT_SIZE];
    size_t length = strnlen(nowPlayingText, sizeof text - 1);
    memcpy(text, nowPlayingText, length);
    text[length] = '\0';
    wchar_t wide[NOW_PLAYING_TEXT_SIZE];
    size_t units = wcsnlen(nowPlayingTextW, NOW_PLAYING_TEXT_SIZE - 1);
    memcpy(wide, nowPlayingTextW, units * sizeof(wchar_t));
    wide[units] = L'\0';
    const DWORD locale = CLIPBOARD_LOCALE_HEBREW;
    // The module writes the clipboard on its own, for every track: the
    // opt-outs keep the names out of the user's clipboard history and off
    // the cloud clipboard, where they would push out what the user copied.
    const DWORD notAllowed = 0;
    const ClipboardItem items[] = {
        {CF_LOCALE, &locale, sizeof locale},
        {RegisterClipboardFormatA("CanIncludeInClipboardHistory"), &notAllowed, sizeof notAllowed},
        {RegisterClipboardFormatA("CanUploadToCloudClipboard"), &notAllowed, sizeof notAllowed},
        {CF_TEXT, text, length + 1},
        // The Unicode text beside it, so that readers of CF_UNICODETEXT get
        // the characters the code page lacks instead of the system's
        // conversion.
        {CF_UNICODETEXT, wide, (units + 1) * sizeof(wchar_t)},
    };
    // Each block goes in or not on its own: the text without the others.
    bool textIn = false;
    for (const ClipboardItem &item : items) {
        bool taken = PutOnClipboard(item);
        if (item.format == CF_TEXT)
            textIn = taken;
    }
    CloseClipboard();
    return textIn;
}

// As Unicode text: the player's window is a Unicode one.
void SetNowPlayingCaption()
{
    wchar_t caption[NOW_PLAYING_TEXT_SIZE + 16];
    swprintf(caption, NOW_PLAYING_TEXT_SIZE + 16, L"%ls - iTunes", nowPlayingTextW);
    SetWindowTextW(hostMainWindow, caption);
}

void RestoreCaption()
{
    SetWindowTextW(hostMainWindow, L"iTunes");
}

void SetPlayCommandLabel(const char *label)
{
    if (fakeMenuBar)
        ModifyMenuA(fakeMenuBar, ID_PLAY_PAUSE, MF_BYCOMMAND | MF_STRING, ID_PLAY_PAUSE, label);
}
