// The records the player and the module hand each other, as the player's
// published plug-in interface lays them out: natural alignment, so the
// pointers make the 64-bit layouts differ from the 32-bit ones. Every
// offset is pinned below for both builds; code reads the fields by name,
// never by a literal offset, so a layout that drifts fails to compile.
// Shared with the substitute host.
#pragma once
#include <cstddef>
#include <cstdint>

namespace hostrecords {

constexpr bool BUILD_64 = sizeof(void *) == 8;
// The value for this build: 32-bit first, then 64-bit.
constexpr size_t ForBuild(size_t bits32, size_t bits64) { return BUILD_64 ? bits64 : bits32; }

// Version 10.5 of the plug-in messages, which the module speaks.
constexpr uint32_t MESSAGE_MAJOR_VERSION = 10;
constexpr uint32_t MESSAGE_MINOR_VERSION = 5;

// ---- calls into the player --------------------------------------------------

struct PlayerMessageHeader {
    uint32_t messageMajorVersion;
    uint32_t messageMinorVersion;
    uint32_t messageInfoSize; // the whole record's size
};

// 'rvis': the registration as a visual plug-in.
struct RegisterVisualBody {
    uint8_t name[64]; // counted text
    uint32_t options;
    uint32_t creator;
    uint32_t pluginVersion;
    void *handler;
    void *registerRefCon;
    uint32_t timeBetweenDataInMS;
    uint32_t numWaveformChannels;
    uint32_t numSpectrumChannels;
    int16_t minWidth, minHeight, maxWidth, maxHeight;
    uint16_t minFullScreenBitDepth, maxFullScreenBitDepth;
    uint16_t windowAlignmentInBytes;
};

// Every call's record: the header, then one body of a union whose largest
// member is the registration.
struct PlayerMessageRecord {
    PlayerMessageHeader header;
    union {
        RegisterVisualBody registerVisual;
        uint32_t itTrackInfoSize; // 'itsz' answer
    } body;
};

static_assert(sizeof(PlayerMessageRecord) == ForBuild(124, 144), "player call record");
static_assert(offsetof(PlayerMessageRecord, body) == ForBuild(12, 16), "player call body");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.name) == ForBuild(12, 16), "rvis name");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.options) == ForBuild(76, 80), "rvis options");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.creator) == ForBuild(80, 84), "rvis creator");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.handler) == ForBuild(88, 96), "rvis handler");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.registerRefCon) == ForBuild(92, 104), "rvis refCon");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.timeBetweenDataInMS) == ForBuild(96, 112), "rvis time");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.minWidth) == ForBuild(108, 124), "rvis limits");
static_assert(offsetof(PlayerMessageRecord, body.registerVisual.windowAlignmentInBytes) == ForBuild(120, 136),
              "rvis alignment");

// ---- messages from the player ----------------------------------------------

typedef int32_t(__cdecl *PlayerProc)(void *appCookie, uint32_t message, void *record);

// "init" to the export.
struct PluginInitMessage {
    uint32_t majorVersion;
    uint32_t minorVersion;
    void *appCookie;
    PlayerProc appProc;
    uint32_t options;
    void *refCon;
};
static_assert(sizeof(PluginInitMessage) == ForBuild(24, 40), "init record");
static_assert(offsetof(PluginInitMessage, appCookie) == 8, "init cookie");
static_assert(offsetof(PluginInitMessage, appProc) == ForBuild(12, 16), "init procedure");
static_assert(offsetof(PluginInitMessage, options) == ForBuild(16, 24), "init options");
static_assert(offsetof(PluginInitMessage, refCon) == ForBuild(20, 32), "init refCon");

// The sound format of a play message.
struct SoundComponentData {
    int32_t flags;
    uint32_t format;
    int16_t numChannels;
    int16_t sampleSize;
    uint32_t sampleRate; // 16.16 fixed point
    int32_t sampleCount;
    void *buffer;
    int32_t reserved;
};
static_assert(sizeof(SoundComponentData) == ForBuild(28, 40), "sound format");

// "vply" to the handler.
struct VisualPlayMessage {
    const void *trackInfo;        // the 8-bit record, 2,116 bytes
    const void *streamInfo;
    int32_t volume;
    uint32_t bitRate;
    SoundComponentData soundFormat;
    const void *trackInfoUnicode; // the UTF-16 record, its length in its second word
    const void *streamInfoUnicode;
};
static_assert(sizeof(VisualPlayMessage) == ForBuild(52, 80), "play message");
static_assert(offsetof(VisualPlayMessage, volume) == ForBuild(8, 16), "play volume");
static_assert(offsetof(VisualPlayMessage, bitRate) == ForBuild(12, 20), "play bit rate");
static_assert(offsetof(VisualPlayMessage, soundFormat) == ForBuild(16, 24), "play sound format");
static_assert(offsetof(VisualPlayMessage, trackInfoUnicode) == ForBuild(44, 64), "play Unicode record");
static_assert(offsetof(VisualPlayMessage, streamInfoUnicode) == ForBuild(48, 72), "play Unicode stream");

// "setp" to the handler.
struct VisualSetPositionMessage {
    uint32_t positionTimeInMS;
};

} // namespace hostrecords
