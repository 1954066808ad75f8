// The records of the player's newer visual plug-in interface (version 2.0),
// which a 64-bit player may speak: the registration carries a UTF-16 name,
// and the play message carries only the UTF-16 track record. Natural
// alignment as in the older interface; every offset is pinned for both
// builds. Shared with the substitute host.
#pragma once
#include "records/hostrecords.h"

namespace hostrecords {

// The versions in the headers of the calls into the player: the plug-in
// messages, and the visual messages that head the registration.
constexpr uint32_t MESSAGE_MINOR_VERSION_2 = 9;
constexpr uint32_t VISUAL_MINOR_VERSION_2 = 7;

// A player announcing at least this plug-in message version in "init"
// speaks the newer interface.
constexpr bool AnnouncesInterface2(uint32_t major, uint32_t minor)
{
    return major > MESSAGE_MAJOR_VERSION || (major == MESSAGE_MAJOR_VERSION && minor >= MESSAGE_MINOR_VERSION_2);
}

// 'regv': the registration as a visual plug-in.
struct RegisterVisualBody2 {
    uint16_t name[256]; // counted UTF-16 text
    uint32_t options;
    uint32_t creator;
    uint32_t pluginVersion;
    void *handler;
    void *registerRefCon;
    uint32_t pulseRateInHz;
    uint32_t numWaveformChannels;
    uint32_t numSpectrumChannels;
    int32_t minWidth, minHeight, maxWidth, maxHeight; // 0: no limit
};

struct PlayerMessageRecord2 {
    PlayerMessageHeader header;
    union {
        RegisterVisualBody2 registerVisual;
        uint32_t itTrackInfoSize; // 'itsz' answer
    } body;
};

static_assert(sizeof(PlayerMessageRecord2) == ForBuild(572, 592), "player call record 2.0");
static_assert(offsetof(PlayerMessageRecord2, body) == ForBuild(12, 16), "player call body 2.0");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.options) == ForBuild(524, 528), "regv options");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.creator) == ForBuild(528, 532), "regv creator");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.handler) == ForBuild(536, 544), "regv handler");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.registerRefCon) == ForBuild(540, 552), "regv refCon");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.pulseRateInHz) == ForBuild(544, 560), "regv pulse");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.minWidth) == ForBuild(556, 572), "regv limits");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.maxHeight) == ForBuild(568, 584), "regv limits end");

// The sound format of a 'Vply'.
struct AudioStreamBasicDescription {
    double mSampleRate;
    uint32_t mFormatID;
    uint32_t mFormatFlags;
    uint32_t mBytesPerPacket;
    uint32_t mFramesPerPacket;
    uint32_t mBytesPerFrame;
    uint32_t mChannelsPerFrame;
    uint32_t mBitsPerChannel;
    uint32_t mReserved;
};
static_assert(sizeof(AudioStreamBasicDescription) == 40, "audio format");
static_assert(offsetof(AudioStreamBasicDescription, mReserved) == 36, "audio format end");

// 'Vply' to the handler.
struct VisualPlayMessage2 {
    const void *trackInfo; // the UTF-16 record, its length in its second word
    const void *streamInfo;
    AudioStreamBasicDescription audioFormat;
    uint32_t bitRate;
    int32_t volume;
};
static_assert(sizeof(VisualPlayMessage2) == ForBuild(56, 64), "play message 2.0");
static_assert(offsetof(VisualPlayMessage2, audioFormat) == ForBuild(8, 16), "play 2.0 audio format");
static_assert(offsetof(VisualPlayMessage2, bitRate) == ForBuild(48, 56), "play 2.0 bit rate");
static_assert(offsetof(VisualPlayMessage2, volume) == ForBuild(52, 60), "play 2.0 volume");

} // namespace hostrecords
