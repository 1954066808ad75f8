// The one-line file. The worker keeps the fields it last wrote, so that a
// format changed in the options dialog is applied at once, on the dialog's
// thread, without asking the worker.
#include "nowplaying/linefile.h"

#include <windows.h>

#include "nowplaying/lineformat.h"
#include "nowplaying/nowplayingfiles.h"
#include "nowplaying/songpath.h"
#include "nowplaying/tracktexts.h"
#include "settings/settings.h"

namespace {

// A format of TEXT_SETTING_UNITS units with every one a placeholder that
// gives a whole field could reach about 30,000 units: far past any use,
// so the line is cut at this.
constexpr size_t LINE_UNITS = 4096;
// Up to 3 bytes for each UTF-16 unit.
constexpr size_t LINE_UTF8_SIZE = 3 * LINE_UNITS;

// The track the file was last written for, and whether it played; read
// and changed only with the song file held.
TrackTexts lastTexts;
bool trackKnown;
bool lastPlaying;

LineFields FieldsOf(const TrackTexts &texts)
{
    return {texts.artist,  texts.name,    texts.album, texts.albumArtist, texts.genre,
            texts.station, texts.number, texts.year,  texts.totalMs};
}

// With the song file held. A stop, and a line that comes out empty, are
// one space: an empty file reads to some programs as one being replaced.
unsigned WriteKnownLine()
{
    if (!NowPlayingFileWanted(LINE_FILE_PART))
        return NowPlayingFilesOwed();
    char utf8[LINE_UTF8_SIZE] = " ";
    int size = 1;
    if (lastPlaying) {
        TextSettingValue format;
        CopyTextSetting(LINE_FORMAT, format);
        wchar_t line[LINE_UNITS];
        int units = int(FormatLine(format, FieldsOf(lastTexts), line, LINE_UNITS));
        if (units > 0)
            size = WideCharToMultiByte(CP_UTF8, 0, line, units, utf8, sizeof utf8, nullptr, nullptr);
    }
    return ReplaceNowPlayingFiles({{LINE_FILE_PART, utf8, size_t(size > 0 ? size : 0)}});
}

} // namespace

unsigned WriteLineFile(bool playing)
{
    SongFileLock held;
    if (playing)
        ReadTrackTexts(lastTexts);
    trackKnown = true;
    lastPlaying = playing;
    return WriteKnownLine();
}

void LineFormatChanged()
{
    SongFileLock held;
    if (TextSettingEmpty(LINE_FORMAT))
        DeleteNowPlayingFiles(LINE_FILE_PART);
    else if (trackKnown)
        WriteKnownLine();
}

void PreviewLine(const wchar_t *format, wchar_t *line, size_t units)
{
    SongFileLock held;
    FormatLine(format, FieldsOf(lastTexts), line, units);
}
