// The records of the player's newer visual plug-in interface (version 2.0):
// what every 64-bit player speaks, and a 32-bit player that announces it.
// The registration carries a UTF-16 name, and the play message only the
// UTF-16 track record. Packed to 4 bytes as the player's SDK packs them;
// every offset is pinned for both builds.
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

#pragma pack(push, 4)

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

static_assert(sizeof(PlayerMessageRecord2) == ForBuild(572, 580), "player call record 2.0");
static_assert(offsetof(PlayerMessageRecord2, body) == 12, "player call body 2.0");
static_assert(offsetof(PlayerMessageRecord2, body.itTrackInfoSize) == 12, "itsz answer 2.0");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.options) == 524, "regv options");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.creator) == 528, "regv creator");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.pluginVersion) == 532, "regv version");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.handler) == 536, "regv handler");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.registerRefCon) == ForBuild(540, 544), "regv refCon");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.pulseRateInHz) == ForBuild(544, 552), "regv pulse");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.minWidth) == ForBuild(556, 564), "regv limits");
static_assert(offsetof(PlayerMessageRecord2, body.registerVisual.maxHeight) == ForBuild(568, 576), "regv limits end");

// "init" to the handler.
struct VisualPluginInitMessage2 {
    uint32_t messageMajorVersion;
    uint32_t messageMinorVersion;
    uint32_t appVersion;
    void *appCookie;
    PlayerProc appProc;
    uint32_t unused;
    void *refCon; // set by the plug-in
};
static_assert(offsetof(VisualPluginInitMessage2, appCookie) == 12, "handler init cookie");
static_assert(offsetof(VisualPluginInitMessage2, appProc) == ForBuild(16, 20), "handler init procedure");
static_assert(offsetof(VisualPluginInitMessage2, refCon) == ForBuild(24, 32), "handler init refCon");
static_assert(sizeof(VisualPluginInitMessage2) == ForBuild(28, 40), "handler init record");

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
    const void *trackInfo;  // the UTF-16 record, its length in its second word
    const void *streamInfo; // the UTF-16 stream record
    AudioStreamBasicDescription audioFormat;
    uint32_t bitRate;
    int32_t volume;
};
static_assert(sizeof(VisualPlayMessage2) == ForBuild(56, 64), "play message 2.0");
static_assert(offsetof(VisualPlayMessage2, streamInfo) == ForBuild(4, 8), "play 2.0 stream");
static_assert(offsetof(VisualPlayMessage2, audioFormat) == ForBuild(8, 16), "play 2.0 audio format");
static_assert(offsetof(VisualPlayMessage2, bitRate) == ForBuild(48, 56), "play 2.0 bit rate");
static_assert(offsetof(VisualPlayMessage2, volume) == ForBuild(52, 60), "play 2.0 volume");

// 'Ctrk' to the handler: the track's information changed.
struct VisualTrackChangedMessage2 {
    const void *trackInfo;
    const void *streamInfo;
};
static_assert(offsetof(VisualTrackChangedMessage2, streamInfo) == ForBuild(4, 8), "Ctrk stream");

// 'Vart' to the handler: the art that 'rart' asked for. The bytes are the
// player's and gone once the call returns.
struct VisualCoverArtMessage2 {
    const void *coverArt; // null: the track has none
    uint32_t coverArtSize;
    uint32_t coverArtFormat; // 13 JPEG, 14 PNG, 27 BMP
};
static_assert(offsetof(VisualCoverArtMessage2, coverArtSize) == ForBuild(4, 8), "Vart size");
static_assert(offsetof(VisualCoverArtMessage2, coverArtFormat) == ForBuild(8, 12), "Vart format");

#pragma pack(pop)

} // namespace hostrecords
