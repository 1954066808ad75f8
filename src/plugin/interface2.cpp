// The newer interface: the registration with a UTF-16 name, 'Vply' and
// 'Ctrk', which carry only the UTF-16 track and stream records, and the
// cover art that 'rart' asks for and 'Vart' brings.
#include "plugin/plugin.h"

#include "nowplaying/track.h"
#include "records/narrowrecord.h"
#include "records/streamrecord.h"

int32_t RegisterWithHost2(const char *name, uint32_t options)
{
    PlayerCallRecord record = {};
    hostrecords::RegisterVisualBody2 &body = record.v2_0.body.registerVisual;
    // The name is ASCII, so each character is its own UTF-16 unit.
    uint16_t length = 0;
    while (name[length] && length < 255) {
        body.name[length + 1] = uint8_t(name[length]);
        ++length;
    }
    body.name[0] = length;
    body.options = options;
    body.handler = reinterpret_cast<void *>(&VisualHandler);
    return CallHost(&record, CODE_REGISTER_VISUAL_2);
}

namespace {

// The art of the track the player now describes; it comes later, as 'Vart'.
void AskForCoverArt()
{
    CallHost(nullptr, CODE_REQUEST_ART);
}

} // namespace

StreamTitle UnicodeStreamTitle(const void *record)
{
    if (!record)
        return {};
    const auto *stream = static_cast<const UnicodeStreamLayout *>(record);
    return {stream->streamTitle + 1, uint32_t(UnicodeTextUnits(stream->streamTitle)), false};
}

namespace {

// Either message's records to the worker, the 8-bit record to be made from
// the UTF-16 one on the worker's thread; then the art of what it describes.
void ForwardRecords2(bool change, const void *trackInfo, const void *streamInfo, PlayDetails &details)
{
    details.unicodeLength = UnicodeRecordLength(trackInfo);
    if (!details.unicodeLength)
        return;
    const auto *record = static_cast<const uint8_t *>(trackInfo);
    if (change)
        OnTrackChanged(nullptr, details, record, UnicodeStreamTitle(streamInfo));
    else
        OnTrackPlay(nullptr, details, record, UnicodeStreamTitle(streamInfo));
    AskForCoverArt();
}

} // namespace

void ForwardPlay2(const void *information)
{
    const auto *play = static_cast<const hostrecords::VisualPlayMessage2 *>(information);
    PlayDetails details = {};
    details.bitRate = play->bitRate;
    details.sampleRateFixed = FixedHertz(play->audioFormat.mSampleRate);
    details.channels = play->audioFormat.mChannelsPerFrame;
    ForwardRecords2(false, play->trackInfo, play->streamInfo, details);
}

void ForwardTrackChanged2(const void *information)
{
    const auto *change = static_cast<const hostrecords::VisualTrackChangedMessage2 *>(information);
    PlayDetails details = {};
    ForwardRecords2(true, change->trackInfo, change->streamInfo, details);
}

void ForwardCoverArt(const void *information)
{
    const auto *art = static_cast<const hostrecords::VisualCoverArtMessage2 *>(information);
    OnCoverArt(art->coverArt, art->coverArt ? art->coverArtSize : 0);
}
