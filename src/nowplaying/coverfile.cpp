// The cover picture: encoded from the kept art on the worker, written like
// the song file.
#include "nowplaying/coverfile.h"

#include <windows.h>

#include <cstdint>

#include "nowplaying/coverart.h"
#include "nowplaying/nowplayingfiles.h"
#include "nowplaying/songpath.h"
#include "settings/settings.h"

namespace {

// Big enough for a sharp picture in a streaming layout, small enough that
// encoding it does not hold up the next track's outputs.
constexpr unsigned COVER_SIDE = 1024;

// What the file shows, so that neither the art nor the empty picture is
// written again for nothing. The worker's alone (or the host's thread's
// while none lives); other threads only mark it stale.
enum Shown { SHOWS_UNKNOWN, SHOWS_NOTHING, SHOWS_ART };
Shown shown;
uint32_t shownSerial;
volatile LONG shownStale;

} // namespace

unsigned UpdateCoverFile(bool playing)
{
    if (InterlockedExchange(&shownStale, 0) || !Settings.Cover)
        shown = SHOWS_UNKNOWN;
    if (!Settings.Cover)
        return NowPlayingFilesOwed();
    bool art = playing && HasCoverArt();
    uint32_t serial = art ? CoverArtSerial() : 0;
    if (art ? shown == SHOWS_ART && serial == shownSerial : shown == SHOWS_NOTHING)
        return NowPlayingFilesOwed();
    uint8_t *png = nullptr;
    size_t size = 0;
    // Art that does not encode shows nothing rather than the last track's.
    shown = art && EncodeCoverArtPng(COVER_SIDE, &png, &size) ? SHOWS_ART : SHOWS_NOTHING;
    shownSerial = serial;
    if (shown == SHOWS_NOTHING)
        return ReplaceNowPlayingFiles({{COVER_FILE_PART, TRANSPARENT_PNG, sizeof TRANSPARENT_PNG}});
    unsigned owed = ReplaceNowPlayingFiles({{COVER_FILE_PART, png, size}});
    HeapFree(GetProcessHeap(), 0, png);
    return owed;
}

void ForgetShownCover()
{
    InterlockedExchange(&shownStale, 1);
}

void DeleteCoverFile()
{
    ForgetShownCover();
    DeleteNowPlayingFiles(COVER_FILE_PART);
}
