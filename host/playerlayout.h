// Where the player puts each field of the records it exchanges with a
// plug-in, written down from the player's published interface (its 2014
// SDK packs every record to 4 bytes) for each build, independently of the
// module's own declarations: a host that shared the module's layout would
// agree with any mistake in it. Offsets from each record's start.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace host::layout {

constexpr bool BUILD_64 = sizeof(void *) == 8;
constexpr size_t Of(size_t bits32, size_t bits64) { return BUILD_64 ? bits64 : bits32; }
constexpr size_t POINTER = sizeof(void *);

// "init" to the export (both interfaces).
namespace init {
constexpr size_t SIZE = Of(24, 36), MAJOR = 0, MINOR = 4, COOKIE = 8, PROCEDURE = Of(12, 16), OPTIONS = Of(16, 24),
                 REFCON = Of(20, 28);
}

// Calls into the player: the header, then the body at 12 in both builds.
namespace call {
constexpr size_t MAJOR = 0, MINOR = 4, SIZE_FIELD = 8, BODY = 12, ITSZ_ANSWER = 12;
constexpr size_t SIZE_10_5 = 124; // the 32-bit player's alone
constexpr size_t SIZE_2_0 = Of(572, 580);
} // namespace call

// 'rvis' (10.5, 32-bit): a counted 8-bit name.
namespace rvis {
constexpr size_t NAME = 12, OPTIONS = 76, CREATOR = 80, HANDLER = 88, REFCON = 92;
}
// 'regv' (2.0): a counted UTF-16 name.
namespace regv {
constexpr size_t NAME = 12, OPTIONS = 524, CREATOR = 528, VERSION = 532, HANDLER = 536, REFCON = Of(540, 544),
                 PULSE_RATE = Of(544, 552), MAX_HEIGHT = Of(568, 576);
}

// Messages to the handler: one union, at most this large.
constexpr size_t HANDLER_MESSAGE_SIZE = Of(56, 64);
// "vply" (10.5, 32-bit).
namespace vply {
constexpr size_t TRACK = 0, STREAM = 4, VOLUME = 8, BIT_RATE = 12, SOUND_CHANNELS = 16 + 8, SOUND_RATE = 16 + 12,
                 TRACK_UNICODE = 44, STREAM_UNICODE = 48;
}
// "ctrk" (10.5, 32-bit).
namespace ctrk {
constexpr size_t TRACK = 0, STREAM = 4, TRACK_UNICODE = 8, STREAM_UNICODE = 12;
}
// 'Vply' (2.0): the sound format is an AudioStreamBasicDescription.
namespace Vply {
constexpr size_t TRACK = 0, STREAM = Of(4, 8), FORMAT = Of(8, 16), BIT_RATE = Of(48, 56), VOLUME = Of(52, 60);
constexpr size_t FORMAT_SAMPLE_RATE = 0, FORMAT_CHANNELS = 28; // within the format
} // namespace Vply
// 'Ctrk' (2.0).
namespace Ctrk {
constexpr size_t TRACK = 0, STREAM = Of(4, 8);
}
// 'Vart' (2.0).
namespace Vart {
constexpr size_t ART = 0, SIZE = Of(4, 8), FORMAT = Of(8, 12);
}
// "setp".
namespace setp {
constexpr size_t POSITION = 0;
}

// Stream records: no pointers, the same in both builds.
namespace stream {
constexpr size_t NARROW_SIZE = 772, NARROW_TITLE = 4;
constexpr size_t UNICODE_SIZE = 1540, UNICODE_SIZE_2 = 2056, UNICODE_TITLE = 4;
} // namespace stream

// A record as bytes, its fields put and read at the offsets above.
template <size_t N> struct Bytes {
    uint8_t data[N] = {};
    template <typename T> void Put(size_t offset, T value)
    {
        static_assert(sizeof value <= N, "field");
        memcpy(data + offset, &value, sizeof value);
    }
    template <typename T> T Get(size_t offset) const
    {
        T value;
        memcpy(&value, data + offset, sizeof value);
        return value;
    }
};

template <typename T> T ReadAt(const void *record, size_t offset)
{
    T value;
    memcpy(&value, static_cast<const uint8_t *>(record) + offset, sizeof value);
    return value;
}

} // namespace host::layout
