// The records the player and the module hand each other, as the player lays
// them out: the player's SDK packs every record to 4 bytes, which moves no
// 32-bit offset but puts each 64-bit pointer that follows a 4-byte field at
// a 4-byte boundary. Every offset is pinned below for each build; code reads
// the fields by name, never by a literal offset, so a layout that drifts
// fails to compile. This file holds what both interfaces share and version
// 10.5, which only the 32-bit player speaks (no 64-bit player ever did).
#pragma once
#include <cstddef>
#include <cstdint>

namespace hostrecords {

constexpr bool BUILD_64 = sizeof(void *) == 8;
// The value for this build: 32-bit first, then 64-bit.
constexpr size_t ForBuild(size_t bits32, size_t bits64) { return BUILD_64 ? bits64 : bits32; }

// Version 10.5 of the plug-in messages.
constexpr uint32_t MESSAGE_MAJOR_VERSION = 10;
constexpr uint32_t MESSAGE_MINOR_VERSION = 5;

#pragma pack(push, 4)

// ---- calls into the player --------------------------------------------------

struct PlayerMessageHeader {
    uint32_t messageMajorVersion;
    uint32_t messageMinorVersion;
    uint32_t messageInfoSize; // the whole record's size
};

// 'rvis': the registration as a visual plug-in (10.5).
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

// Every 10.5 call's record: the header, then one body of a union whose
// largest member is the registration.
struct PlayerMessageRecord {
    PlayerMessageHeader header;
    union {
        RegisterVisualBody registerVisual;
        uint32_t itTrackInfoSize; // 'itsz' answer
    } body;
};

static_assert(offsetof(PlayerMessageRecord, body) == 12, "player call body");
static_assert(offsetof(PlayerMessageRecord, body.itTrackInfoSize) == 12, "itsz answer");
// 10.5 is the 32-bit player's alone: its layout is pinned for that build.
static_assert(BUILD_64 || sizeof(PlayerMessageRecord) == 124, "player call record");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.options) == 76, "rvis options");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.creator) == 80, "rvis creator");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.handler) == 88, "rvis handler");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.registerRefCon) == 92, "rvis refCon");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.timeBetweenDataInMS) == 96, "rvis time");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.minWidth) == 108, "rvis limits");
static_assert(BUILD_64 || offsetof(PlayerMessageRecord, body.registerVisual.windowAlignmentInBytes) == 120,
              "rvis alignment");

// ---- messages from the player ----------------------------------------------

typedef int32_t(__cdecl *PlayerProc)(void *appCookie, uint32_t message, void *record);

// "init" to the export, in both interfaces.
struct PluginInitMessage {
    uint32_t majorVersion; // the plug-in messages the player speaks
    uint32_t minorVersion;
    void *appCookie;
    PlayerProc appProc;
    uint32_t options;
    void *refCon;
};
static_assert(sizeof(PluginInitMessage) == ForBuild(24, 36), "init record");
static_assert(offsetof(PluginInitMessage, appCookie) == 8, "init cookie");
static_assert(offsetof(PluginInitMessage, appProc) == ForBuild(12, 16), "init procedure");
static_assert(offsetof(PluginInitMessage, options) == ForBuild(16, 24), "init options");
static_assert(offsetof(PluginInitMessage, refCon) == ForBuild(20, 28), "init refCon");

// The sound format of a 10.5 play message.
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

// "vply" to the handler.
struct VisualPlayMessage {
    const void *trackInfo;        // the 8-bit record, 2,116 bytes
    const void *streamInfo;       // the 8-bit stream record
    int32_t volume;
    uint32_t bitRate;
    SoundComponentData soundFormat;
    const void *trackInfoUnicode; // the UTF-16 record, its length in its second word
    const void *streamInfoUnicode;
};
static_assert(BUILD_64 || sizeof(SoundComponentData) == 28, "sound format");
static_assert(BUILD_64 || sizeof(VisualPlayMessage) == 52, "play message");
static_assert(BUILD_64 || offsetof(VisualPlayMessage, streamInfo) == 4, "play stream");
static_assert(BUILD_64 || offsetof(VisualPlayMessage, bitRate) == 12, "play bit rate");
static_assert(BUILD_64 || offsetof(VisualPlayMessage, soundFormat) == 16, "play sound format");
static_assert(BUILD_64 || offsetof(VisualPlayMessage, trackInfoUnicode) == 44, "play Unicode record");
static_assert(BUILD_64 || offsetof(VisualPlayMessage, streamInfoUnicode) == 48, "play Unicode stream");

// "ctrk" to the handler: the track's information changed.
struct VisualTrackChangedMessage {
    const void *trackInfo;
    const void *streamInfo;
    const void *trackInfoUnicode;
    const void *streamInfoUnicode;
};
static_assert(BUILD_64 || offsetof(VisualTrackChangedMessage, trackInfoUnicode) == 8, "ctrk Unicode record");
static_assert(BUILD_64 || offsetof(VisualTrackChangedMessage, streamInfoUnicode) == 12, "ctrk Unicode stream");

// "setp" to the handler.
struct VisualSetPositionMessage {
    uint32_t positionTimeInMS;
};

#pragma pack(pop)

} // namespace hostrecords
