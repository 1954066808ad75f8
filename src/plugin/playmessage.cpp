// The host's "vply": where its fields lie, and the checks on the UTF-16
// record before the track worker copies it.
#include "plugin/plugin.h"

#include <cstddef>
#include <cstring>

#include "nowplaying/track.h"

namespace {

constexpr uint32_t CODE_TRACK_INFO_SIZE = FourCharCode("itsz");

// The play message's fields, naturally aligned as the host lays them out;
// pinned for both builds.
struct SoundFormatLayout {
    uint32_t flags;
    uint32_t format;
    uint16_t numChannels;
    int16_t sampleSize;
    uint32_t sampleRateFixed;
    uint32_t sampleCount;
    void *buffer;
    uint32_t reserved;
};
struct PlayMessageLayout {
    const uint8_t *trackInfo;
    const void *streamInfo;
    int32_t volume;
    uint32_t bitRate;
    SoundFormatLayout soundFormat;
    const uint8_t *trackInfoUnicode;
    const void *streamInfoUnicode;
};
constexpr bool WIDE_POINTERS = sizeof(void *) == 8;
static_assert(sizeof(SoundFormatLayout) == (WIDE_POINTERS ? 40 : 28), "sound format");
static_assert(offsetof(PlayMessageLayout, bitRate) == (WIDE_POINTERS ? 20 : 12), "bitRate");
static_assert(offsetof(PlayMessageLayout, soundFormat) == (WIDE_POINTERS ? 24 : 16), "soundFormat");
static_assert(offsetof(PlayMessageLayout, trackInfoUnicode) == (WIDE_POINTERS ? 64 : 44), "trackInfoUnicode");
static_assert(sizeof(PlayMessageLayout) == (WIDE_POINTERS ? 80 : 52), "play message");

// The largest UTF-16 record the host fills: its answer to "itsz", asked
// once; the interface's own size when it gives none.
uint32_t largestUnicodeRecord;

uint32_t LargestUnicodeRecord()
{
    if (largestUnicodeRecord)
        return largestUnicodeRecord;
    uint8_t record[HOST_RECORD_SIZE] = {};
    uint32_t size = 0;
    if (CallHost(record, CODE_TRACK_INFO_SIZE) == 0)
        memcpy(&size, record + HOST_BODY_OFFSET, sizeof size);
    largestUnicodeRecord = size ? size : uint32_t(UNICODE_RECORD_SIZE);
    return largestUnicodeRecord;
}

// The UTF-16 record's length when it is in range, else 0: the record then
// counts as not sent.
uint32_t UnicodeRecordLength(const uint8_t *record)
{
    if (!record)
        return 0;
    uint32_t length;
    memcpy(&length, record + offsetof(UnicodeTrackLayout, recordLength), sizeof length);
    if (length < UNICODE_RECORD_MINIMUM || length > LargestUnicodeRecord())
        return 0;
    return length;
}

} // namespace

void ForwardPlay(const void *information)
{
    PlayMessageLayout play;
    memcpy(&play, information, sizeof play);
    PlayDetails details = {};
    details.bitRate = play.bitRate;
    details.sampleRateFixed = play.soundFormat.sampleRateFixed;
    details.channels = play.soundFormat.numChannels;
    details.unicodeLength = UnicodeRecordLength(play.trackInfoUnicode);
    OnTrackPlay(play.trackInfo, details, details.unicodeLength ? play.trackInfoUnicode : nullptr);
}
