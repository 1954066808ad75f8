// The host's "vply": the checks on the UTF-16 record before the track
// worker copies it (also for the newer interface's 'Vply').
#include "plugin/plugin.h"

#include <cstddef>
#include <cstring>

#include "nowplaying/track.h"

namespace {

constexpr uint32_t CODE_TRACK_INFO_SIZE = FourCharCode("itsz");

// The largest UTF-16 record the host fills: its answer to "itsz", asked
// once; the interface's own size when it gives none.
uint32_t largestUnicodeRecord;

uint32_t LargestUnicodeRecord()
{
    if (largestUnicodeRecord)
        return largestUnicodeRecord;
    PlayerCallRecord record = {};
    uint32_t size = 0;
    if (CallHost(&record, CODE_TRACK_INFO_SIZE) == 0)
        size = record.v10_5.body.itTrackInfoSize;
    if (!size)
        size = uint32_t(hostInterface2 ? UNICODE_RECORD_SIZE_2 : UNICODE_RECORD_SIZE);
    largestUnicodeRecord = size;
    return largestUnicodeRecord;
}

} // namespace

uint32_t UnicodeRecordLength(const void *record)
{
    if (!record)
        return 0;
    uint32_t length;
    memcpy(&length, static_cast<const uint8_t *>(record) + offsetof(UnicodeTrackLayout, recordLength),
           sizeof length);
    if (length < UNICODE_RECORD_MINIMUM || length > LargestUnicodeRecord())
        return 0;
    return length;
}

void ForwardPlay(const void *information)
{
    const auto *play = static_cast<const hostrecords::VisualPlayMessage *>(information);
    if (!play->trackInfo)
        return;
    PlayDetails details = {};
    details.bitRate = play->bitRate;
    details.sampleRateFixed = play->soundFormat.sampleRate;
    details.channels = uint16_t(play->soundFormat.numChannels);
    details.unicodeLength = UnicodeRecordLength(play->trackInfoUnicode);
    OnTrackPlay(static_cast<const uint8_t *>(play->trackInfo), details,
                details.unicodeLength ? static_cast<const uint8_t *>(play->trackInfoUnicode) : nullptr);
}
