// The host's "vply" and "ctrk": the checks on the UTF-16 record before the
// track worker copies it (also for the newer interface's messages).
#include "plugin/plugin.h"

#include <cstddef>
#include <cstring>

#include "nowplaying/track.h"
#include "records/streamrecord.h"

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

StreamTitle StreamTitleOfPair(const void *narrow, const void *unicode)
{
    if (unicode || !narrow)
        return UnicodeStreamTitle(unicode);
    const auto *stream = static_cast<const StreamLayout *>(narrow);
    const uint8_t *title = stream->streamTitle;
    const void *zero = memchr(title + 1, 0, title[0]);
    return {title + 1, uint32_t(zero ? static_cast<const uint8_t *>(zero) - (title + 1) : title[0]), true};
}

namespace {

// Both records of a 10.5 message; the UTF-16 one counts only when in range.
void ForwardRecords(bool change, const void *record, const void *unicodeRecord, const StreamTitle &stream,
                    PlayDetails &details)
{
    if (!record)
        return;
    details.unicodeLength = UnicodeRecordLength(unicodeRecord);
    const auto *unicode = details.unicodeLength ? static_cast<const uint8_t *>(unicodeRecord) : nullptr;
    if (change)
        OnTrackChanged(static_cast<const uint8_t *>(record), details, unicode, stream);
    else
        OnTrackPlay(static_cast<const uint8_t *>(record), details, unicode, stream);
}

} // namespace

void ForwardPlay(const void *information)
{
    const auto *play = static_cast<const hostrecords::VisualPlayMessage *>(information);
    PlayDetails details = {};
    details.bitRate = play->bitRate;
    details.sampleRateFixed = play->soundFormat.sampleRate;
    details.channels = uint16_t(play->soundFormat.numChannels);
    ForwardRecords(false, play->trackInfo, play->trackInfoUnicode,
                   StreamTitleOfPair(play->streamInfo, play->streamInfoUnicode), details);
}

void ForwardTrackChanged(const void *information)
{
    const auto *change = static_cast<const hostrecords::VisualTrackChangedMessage *>(information);
    PlayDetails details = {};
    ForwardRecords(true, change->trackInfo, change->trackInfoUnicode,
                   StreamTitleOfPair(change->streamInfo, change->streamInfoUnicode), details);
}
