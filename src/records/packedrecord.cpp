// The UTF-16 track record packed for the queue: its parts in order, the
// numbers as they came, each text as its count and the units up to the
// first zero unit or the count (at most 255).
#include "records/packedrecord.h"

#include <array>
#include <cstring>

#include "records/unicoderecord.h"

namespace {

constexpr size_t TEXT_SIZE = UNICODE_TEXT_UNITS * sizeof(uint16_t);

struct Part {
    size_t offset, size;
    bool text;
};
constexpr Part P(size_t offset, size_t size) { return {offset, size, false}; }
constexpr Part T(size_t offset) { return {offset, TEXT_SIZE, true}; }

// Both interfaces' records, part by part; a record ends after any of them.
constexpr std::array<Part, 15> PARTS = {{
    P(0, offsetof(UnicodeTrackLayout, name)),
    T(offsetof(UnicodeTrackLayout, name)),
    T(offsetof(UnicodeTrackLayout, fileName)),
    T(offsetof(UnicodeTrackLayout, artist)),
    T(offsetof(UnicodeTrackLayout, album)),
    T(offsetof(UnicodeTrackLayout, genre)),
    T(offsetof(UnicodeTrackLayout, kind)),
    T(offsetof(UnicodeTrackLayout, eqPresetName)),
    T(offsetof(UnicodeTrackLayout, comments)),
    P(offsetof(UnicodeTrackLayout, trackNumber), UNICODE_RECORD_SIZE - offsetof(UnicodeTrackLayout, trackNumber)),
    T(offsetof(UnicodeTrackLayout2, grouping)),
    P(offsetof(UnicodeTrackLayout2, sampleRateFloat), sizeof(float)),
    T(offsetof(UnicodeTrackLayout2, albumArtist)),
    P(offsetof(UnicodeTrackLayout2, sizeInBytes), sizeof(uint64_t)),
    P(UNICODE_RECORD_SIZE_2, 0),
}};

constexpr bool PartsFollowEachOther()
{
    for (size_t i = 1; i < PARTS.size(); ++i)
        if (PARTS[i].offset != PARTS[i - 1].offset + PARTS[i - 1].size)
            return false;
    return true;
}
static_assert(PartsFollowEachOther(), "the parts cover the record without a gap");
static_assert(PARTS[9].offset == UNICODE_RECORD_MINIMUM, "every packed record has all the older texts");

// The units of a text that a reader takes, within the room left in the
// record.
uint16_t UnitsTaken(const uint8_t *field, size_t room)
{
    uint16_t units[UNICODE_TEXT_UNITS] = {};
    memcpy(units, field, room < sizeof units ? room : sizeof units);
    size_t taken = UnicodeTextUnits(units);
    size_t most = room / sizeof(uint16_t) - 1;
    return uint16_t(taken < most ? taken : most);
}

} // namespace

size_t PackUnicodeRecord(const uint8_t *record, size_t length, uint8_t *packed)
{
    size_t size = 0;
    auto put = [&](const void *bytes, size_t count) {
        if (packed)
            memcpy(packed + size, bytes, count);
        size += count;
    };
    for (const Part &part : PARTS) {
        if (part.offset >= length)
            break;
        size_t room = length - part.offset < part.size ? length - part.offset : part.size;
        if (!part.text) {
            put(record + part.offset, room);
        } else if (room >= 2 * sizeof(uint16_t)) {
            uint16_t taken = UnitsTaken(record + part.offset, room);
            put(record + part.offset, sizeof(uint16_t)); // the count as it came
            put(&taken, sizeof taken);
            put(record + part.offset + sizeof(uint16_t), taken * sizeof(uint16_t));
        }
    }
    return size;
}

void UnpackUnicodeRecord(const uint8_t *packed, size_t length, uint8_t (&record)[UNICODE_RECORD_SIZE_2])
{
    memset(record, 0, sizeof record);
    if (length > sizeof record)
        length = sizeof record;
    size_t at = 0;
    for (const Part &part : PARTS) {
        if (part.offset >= length)
            break;
        size_t room = length - part.offset < part.size ? length - part.offset : part.size;
        if (!part.text) {
            memcpy(record + part.offset, packed + at, room);
            at += room;
        } else if (room >= 2 * sizeof(uint16_t)) {
            uint16_t taken;
            memcpy(record + part.offset, packed + at, sizeof(uint16_t));
            memcpy(&taken, packed + at + sizeof(uint16_t), sizeof taken);
            at += 2 * sizeof(uint16_t);
            memcpy(record + part.offset + sizeof(uint16_t), packed + at, taken * sizeof(uint16_t));
            at += taken * sizeof(uint16_t);
        }
    }
}
