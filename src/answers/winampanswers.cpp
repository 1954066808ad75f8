// The Winamp window's answers about the playing file: texts handed out by
// address for other programs to read from this process, the tags written
// into a buffer another program placed here, and the stream's format.
//
// Other programs read the texts with ReadProcessMemory, MAX_PATH characters
// at a time, whenever they like: each text has room for that many, in
// storage kept for the process's life. Most such programs are 32-bit and
// are given only the low 32 bits of the answer, so in the 64-bit module,
// whose image lies above 4 GB, the texts live in memory below 4 GB, placed
// on first need. The 32-bit module's static storage lies low already; the
// 64-bit module falls back on its own when no low memory is free, and then
// only 64-bit readers can follow. The worker builds a track's texts in the
// slot not handed out and then makes it the current one, so a reader that
// asked once gets whole text unless two tracks started in between.
#include "answers/winampanswers.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "answers/lowmemory.h"
#include "answers/memorycheck.h"
#include "nowplaying/outputs.h"
#include "nowplaying/track.h"
#include "nowplaying/tracktexts.h"

namespace {

struct WinampTrack {
    LONG listPosition;
    char fileName[MAX_PATH];
    char title[NOW_PLAYING_TEXT_SIZE];
    wchar_t fileNameW[MAX_PATH];
    wchar_t titleW[NOW_PLAYING_TEXT_SIZE];
    TrackTexts texts;
};
static_assert(sizeof(WinampTrack::fileName) >= MAX_PATH && sizeof(WinampTrack::title) >= MAX_PATH &&
                  sizeof(WinampTrack::fileNameW) >= MAX_PATH * sizeof(wchar_t) &&
                  sizeof(WinampTrack::titleW) >= MAX_PATH * sizeof(wchar_t),
              "readers take MAX_PATH characters");

// Write n (from 1) fills slot n % 2; `started` counts the writes begun,
// `finished` those done. Slot finished % 2 is whole while started stays
// below finished + 2.
volatile LONG started;
volatile LONG finished;

WinampTrack staticSlots[2];
PVOID volatile placedSlots;

// The two slots, placed by the first caller (the worker's first write, which
// comes before any reader finds a track) and never moved or freed: a reader
// may hold an address it was given at any time.
WinampTrack *Slots()
{
    if (PVOID placed = InterlockedCompareExchangePointer(&placedSlots, nullptr, nullptr))
        return static_cast<WinampTrack *>(placed);
    PVOID fresh = AllocateBelow4GB(sizeof staticSlots);
    if (!fresh)
        fresh = staticSlots;
    if (PVOID placed = InterlockedCompareExchangePointer(&placedSlots, fresh, nullptr)) {
        if (fresh != staticSlots)
            VirtualFree(fresh, 0, MEM_RELEASE);
        return static_cast<WinampTrack *>(placed);
    }
    return static_cast<WinampTrack *>(fresh);
}

// A copy of the current track's slot; false before the first track.
bool CopyCurrent(WinampTrack &copy)
{
    for (;;) {
        LONG done = InterlockedCompareExchange(&finished, 0, 0);
        if (!done)
            return false;
        memcpy(&copy, &Slots()[done % 2], sizeof copy);
        if (InterlockedCompareExchange(&started, 0, 0) < done + 2)
            return true;
    }
}

// The current slot itself, for texts handed out by address.
const WinampTrack *Current()
{
    LONG done = InterlockedCompareExchange(&finished, 0, 0);
    return done ? &Slots()[done % 2] : nullptr;
}

// The current track when it is at that list position.
const WinampTrack *CurrentAt(WPARAM position)
{
    const WinampTrack *track = Current();
    return track && position == WPARAM(track->listPosition) ? track : nullptr;
}

// The address of one of the track's texts, or 0 for no track.
template <typename Text> LRESULT TextOf(const WinampTrack *track, Text WinampTrack::*text)
{
    return track ? LRESULT(track->*text) : 0;
}

// ---- memory another program hands us ---------------------------------------
// Read and written through the process-memory calls on this very process,
// each range asked about first: a block that its owner frees or protects
// between the look and the copy makes the call fail, and the answer 0,
// where a plain copy would fault the player's thread. (The look is still
// needed: Wine's calls reach memory that is reserved, freed or read-only.)

bool ReadOwn(const void *address, void *into, size_t size)
{
    SIZE_T done = 0;
    return RangeAllows(GetCurrentProcess(), uintptr_t(address), size, false) &&
           ReadProcessMemory(GetCurrentProcess(), address, into, size, &done) && done == size;
}

bool WriteOwn(void *address, const void *from, size_t size)
{
    SIZE_T done = 0;
    return RangeAllows(GetCurrentProcess(), uintptr_t(address), size, true) &&
           WriteProcessMemory(GetCurrentProcess(), address, from, size, &done) && done == size;
}

// A zero-terminated text of at most maxUnits units copied into `into`
// (maxUnits + 1 of room), up to a page at a time, so that a text that ends
// just before memory that cannot be read is read whole. Its length, or -1.
template <typename Character> int ReadOwnText(const Character *text, Character *into, int maxUnits)
{
    constexpr uintptr_t PAGE = 4096;
    for (int units = 0; text && units <= maxUnits;) {
        uintptr_t at = uintptr_t(text + units);
        int chunk = int((PAGE - at % PAGE) / sizeof(Character));
        if (chunk < 1)
            chunk = 1; // a character across the page's end
        if (chunk > maxUnits + 1 - units)
            chunk = maxUnits + 1 - units;
        if (!ReadOwn(text + units, into + units, chunk * sizeof(Character)))
            return -1;
        for (int i = 0; i < chunk; ++i)
            if (!into[units + i])
                return units + i;
        units += chunk;
    }
    return -1;
}

// ---- the tags --------------------------------------------------------------

// Winamp's request: the file, the tag's name and where its text goes, with
// room for resultLength characters (the zero included).
template <typename Character> struct ExtendedInfoRequest {
    const Character *fileName;
    const Character *field;
    Character *result;
    size_t resultLength;
};

constexpr int LONGEST_FILE_NAME = 32767;
constexpr int LONGEST_FIELD_NAME = 31;
constexpr int TAG_TEXT_SIZE = 300;

void NumberText(long long number, wchar_t (&text)[TAG_TEXT_SIZE])
{
    if (number > 0)
        swprintf(text, TAG_TEXT_SIZE, L"%lu", static_cast<unsigned long>(number));
    else
        text[0] = 0;
}

void CopyText(const wchar_t *source, wchar_t (&text)[TAG_TEXT_SIZE])
{
    swprintf(text, TAG_TEXT_SIZE, L"%ls", source);
}

struct Tag {
    char name[8];
    void (*read)(const TrackTexts &texts, wchar_t (&text)[TAG_TEXT_SIZE]);
};
// Winamp's tag names; the length in milliseconds.
constexpr std::array<Tag, 8> TAGS = {{
    {"artist", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { CopyText(t.artist, text); }},
    {"title", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { CopyText(t.name, text); }},
    {"album", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { CopyText(t.album, text); }},
    {"genre", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { CopyText(t.genre, text); }},
    {"comment", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { CopyText(t.comments, text); }},
    {"year", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { NumberText(t.year, text); }},
    {"track", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { NumberText(t.number, text); }},
    {"length", [](const TrackTexts &t, wchar_t (&text)[TAG_TEXT_SIZE]) { NumberText(t.totalMs, text); }},
}};

// The tag whose name the text is, in any case; nullptr for none.
template <typename Character> const Tag *FindTag(const Character *field, int length)
{
    for (const Tag &tag : TAGS) {
        int i = 0;
        while (i < length && tag.name[i] && (field[i] | 0x20) == Character(tag.name[i]))
            ++i;
        if (i == length && !tag.name[i])
            return &tag;
    }
    return nullptr;
}

bool SameFile(const char *asked, const WinampTrack &track) { return lstrcmpiA(asked, track.fileName) == 0; }
bool SameFile(const wchar_t *asked, const WinampTrack &track) { return lstrcmpiW(asked, track.fileNameW) == 0; }

// The text cut to room characters, never inside a character.
void PutResult(const wchar_t *text, wchar_t *result, size_t room)
{
    size_t length = wcsnlen(text, room - 1);
    if (length == room - 1 && length && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    memcpy(result, text, length * sizeof(wchar_t));
    result[length] = 0;
}

void PutResult(const wchar_t *text, char *result, size_t room)
{
    char narrow[TAG_TEXT_SIZE * 2];
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr) <= 0)
        narrow[0] = 0;
    size_t length = 0;
    for (const char *at = narrow; *at;) {
        const char *next = CharNextA(at);
        if (size_t(next - narrow) > room - 1)
            break;
        length = size_t(next - narrow);
        at = next;
    }
    memcpy(result, narrow, length);
    result[length] = 0;
}

// Only the bytes written are checked: the text and its zero, within the
// room the request declares (clients declare more room than their block
// has, and read back only the text).
template <typename Character> LRESULT AnswerExtendedInfo(WPARAM address)
{
    ExtendedInfoRequest<Character> request;
    if (!ReadOwn(reinterpret_cast<const void *>(address), &request, sizeof request) || request.resultLength == 0)
        return 0;
    // The host's thread's alone; too large for its stack.
    static Character fileName[LONGEST_FILE_NAME + 1];
    static WinampTrack track;
    Character field[LONGEST_FIELD_NAME + 1];
    int fieldLength = ReadOwnText(request.field, field, LONGEST_FIELD_NAME);
    if (fieldLength < 0 || ReadOwnText(request.fileName, fileName, LONGEST_FILE_NAME) <= 0)
        return 0;
    const Tag *tag = FindTag(field, fieldLength);
    if (!tag || !CopyCurrent(track) || !SameFile(fileName, track))
        return 0;
    wchar_t text[TAG_TEXT_SIZE];
    tag->read(track.texts, text);
    Character result[TAG_TEXT_SIZE * 2];
    size_t room = request.resultLength < sizeof result / sizeof *result ? request.resultLength
                                                                       : sizeof result / sizeof *result;
    PutResult(text, result, room);
    size_t length = 0;
    while (result[length])
        ++length;
    return WriteOwn(request.result, result, (length + 1) * sizeof(Character)) ? 1 : 0;
}

} // namespace

void PublishWinampTrack()
{
    LONG write = InterlockedIncrement(&started);
    WinampTrack &track = Slots()[write % 2];
    ReadTrackTexts(track.texts);
    int32_t number = track.texts.number;
    track.listPosition = number > 1 ? number - 1 : 0;

    char artist[COUNTED_TEXT_SIZE], name[COUNTED_TEXT_SIZE], fileName[COUNTED_TEXT_SIZE];
    ReadCountedText(ShownRecord, TRACK_ARTIST_OFFSET, artist);
    ReadCountedText(ShownRecord, TRACK_NAME_OFFSET, name);
    ReadCountedText(ShownRecord, TRACK_FILE_NAME_OFFSET, fileName);
    memset(track.fileName, 0, sizeof track.fileName);
    memset(track.title, 0, sizeof track.title);
    memset(track.fileNameW, 0, sizeof track.fileNameW);
    memset(track.titleW, 0, sizeof track.titleW);
    snprintf(track.fileName, sizeof track.fileName, "%s", fileName);
    if (artist[0])
        snprintf(track.title, sizeof track.title, "%s - %s", artist, name);
    else
        snprintf(track.title, sizeof track.title, "%s", name);
    swprintf(track.fileNameW, MAX_PATH, L"%ls", track.texts.fileName);
    const TrackTexts &texts = track.texts;
    if (texts.artist[0])
        swprintf(track.titleW, NOW_PLAYING_TEXT_SIZE, L"%ls - %ls", texts.artist, texts.name);
    else
        swprintf(track.titleW, NOW_PLAYING_TEXT_SIZE, L"%ls", texts.name);
    InterlockedExchange(&finished, write);
}

LRESULT AnswerPlaylistFile(WPARAM position) { return TextOf(CurrentAt(position), &WinampTrack::fileName); }
LRESULT AnswerPlaylistTitle(WPARAM position) { return TextOf(CurrentAt(position), &WinampTrack::title); }
LRESULT AnswerPlaylistFileW(WPARAM position) { return TextOf(CurrentAt(position), &WinampTrack::fileNameW); }
LRESULT AnswerPlaylistTitleW(WPARAM position) { return TextOf(CurrentAt(position), &WinampTrack::titleW); }
LRESULT AnswerPlayingFileW(WPARAM) { return TextOf(Current(), &WinampTrack::fileNameW); }
LRESULT AnswerPlayingTitleW(WPARAM) { return TextOf(Current(), &WinampTrack::titleW); }

LRESULT AnswerExtendedFileInfo(WPARAM address) { return AnswerExtendedInfo<char>(address); }

LRESULT AnswerExtendedFileInfoW(WPARAM address) { return AnswerExtendedInfo<wchar_t>(address); }

LRESULT AnswerFormat(WPARAM which)
{
    static WinampTrack track; // the host's thread's alone
    if (!CopyCurrent(track))
        return 0;
    uint32_t hertz = track.texts.sampleRateFixed >> 16;
    switch (which) {
    case 0:
        return LRESULT(hertz / 1000);
    case 1:
        return LRESULT(track.texts.bitRate);
    case 2:
        return LRESULT(track.texts.channels);
    case 5:
        return LRESULT(hertz);
    }
    return 0;
}
