// The track's texts from whichever record carries them best.
#include "nowplaying/tracktexts.h"

#include <cstring>

#include "nowplaying/track.h"

namespace {

void ReadCodePageText(const uint8_t *record, int offset, wchar_t (&text)[TRACK_TEXT_UNITS])
{
    char narrow[COUNTED_TEXT_SIZE];
    ReadCountedText(record, offset, narrow);
    int units = MultiByteToWideChar(CP_ACP, 0, narrow, -1, text, TRACK_TEXT_UNITS);
    if (units <= 0)
        text[0] = 0;
}

void ReadUnicodeRecord(const uint8_t *record, TrackTexts &texts)
{
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, name), texts.name);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, artist), texts.artist);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, album), texts.album);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, genre), texts.genre);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, fileName), texts.fileName);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout, comments), texts.comments);
    ReadUnicodeText(record, offsetof(UnicodeTrackLayout2, albumArtist), texts.albumArtist);
    texts.number = FieldAt<int32_t>(record, offsetof(UnicodeTrackLayout, trackNumber));
    texts.count = FieldAt<int32_t>(record, offsetof(UnicodeTrackLayout, numTracks));
    texts.year = FieldAt<uint16_t>(record, offsetof(UnicodeTrackLayout, year));
    texts.totalMs = FieldAt<uint32_t>(record, offsetof(UnicodeTrackLayout, totalTimeInMS));
    texts.bitRate = FieldAt<uint32_t>(record, offsetof(UnicodeTrackLayout, bitRate));
    texts.sampleRateFixed = FieldAt<uint32_t>(record, offsetof(UnicodeTrackLayout, sampleRateFixed));
}

void ReadCodePageRecord(const uint8_t *record, TrackTexts &texts)
{
    ReadCodePageText(record, TRACK_NAME_OFFSET, texts.name);
    ReadCodePageText(record, TRACK_ARTIST_OFFSET, texts.artist);
    ReadCodePageText(record, TRACK_ALBUM_OFFSET, texts.album);
    ReadCodePageText(record, TRACK_GENRE_OFFSET, texts.genre);
    ReadCodePageText(record, TRACK_FILE_NAME_OFFSET, texts.fileName);
    ReadCodePageText(record, TRACK_COMMENTS_OFFSET, texts.comments);
    texts.albumArtist[0] = 0;
    texts.number = TrackNumber(record);
    texts.count = FieldAt<int32_t>(record, TRACK_COUNT_OFFSET);
    texts.year = TrackYear(record);
    texts.totalMs = TrackTotalTime(record);
    texts.bitRate = FieldAt<uint32_t>(record, TRACK_BIT_RATE_OFFSET);
    texts.sampleRateFixed = FieldAt<uint32_t>(record, TRACK_SAMPLE_RATE_OFFSET);
}

} // namespace

void ReadTrackTexts(TrackTexts &texts)
{
    if (PlayedDetails.unicodeLength)
        ReadUnicodeRecord(UnicodeRecord, texts);
    else
        ReadCodePageRecord(ShownRecord, texts);
    memcpy(texts.station, StationName, sizeof texts.station);
    // The record's own format fields first; the message's where it has none.
    if (!texts.bitRate)
        texts.bitRate = PlayedDetails.bitRate;
    if (!texts.sampleRateFixed)
        texts.sampleRateFixed = PlayedDetails.sampleRateFixed;
    texts.channels = PlayedDetails.channels;
}
