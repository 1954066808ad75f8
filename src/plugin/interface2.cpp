// The newer interface a 64-bit player may speak: the registration with a
// UTF-16 name, and 'Vply', which carries only the UTF-16 track record.
#include "plugin/plugin.h"

#include "nowplaying/track.h"
#include "records/narrowrecord.h"

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

void ForwardPlay2(const void *information)
{
    const auto *play = static_cast<const hostrecords::VisualPlayMessage2 *>(information);
    uint32_t length = UnicodeRecordLength(play->trackInfo);
    if (!length)
        return;
    PlayDetails details = {};
    details.bitRate = play->bitRate;
    details.sampleRateFixed = FixedHertz(play->audioFormat.mSampleRate);
    details.channels = play->audioFormat.mChannelsPerFrame;
    details.unicodeLength = length;
    // The 8-bit record is made from it on the track worker's thread.
    OnTrackPlay(nullptr, details, static_cast<const uint8_t *>(play->trackInfo));
}
