// The UTF-16 track record packed for the queue: the two words before the
// texts, each text as its count and the units up to the first zero unit or
// the count (at most 255), then the numbers after the texts as they came.
#include "nowplaying/packedrecord.h"

#include <cstring>

namespace {

constexpr size_t TEXTS_START = offsetof(UnicodeTrackLayout, name);
constexpr size_t TEXTS_END = offsetof(UnicodeTrackLayout, trackNumber);
constexpr size_t TEXT_SIZE = UNICODE_TEXT_UNITS * sizeof(uint16_t);
static_assert((TEXTS_END - TEXTS_START) % TEXT_SIZE == 0, "the texts lie side by side");
static_assert(TEXTS_END == UNICODE_RECORD_MINIMUM, "every packed record has all its texts");

// The units of the text at `field` that a reader takes.
size_t UnitsTaken(const uint8_t *field)
{
    uint16_t units[UNICODE_TEXT_UNITS];
    memcpy(units, field, sizeof units);
    size_t count = units[0] < UNICODE_TEXT_UNITS ? units[0] : UNICODE_TEXT_UNITS - 1;
    size_t taken = 0;
    while (taken < count && units[taken + 1])
        ++taken;
    return taken;
}

} // namespace

size_t PackUnicodeRecord(const uint8_t *record, size_t length, uint8_t *packed)
{
    size_t size = 0;
    auto put = [&](const uint8_t *bytes, size_t count) {
        if (packed)
            memcpy(packed + size, bytes, count);
        size += count;
    };
    put(record, TEXTS_START);
    for (size_t field = TEXTS_START; field < TEXTS_END; field += TEXT_SIZE) {
        uint16_t taken = uint16_t(UnitsTaken(record + field));
        put(record + field, sizeof(uint16_t)); // the count as it came
        put(reinterpret_cast<const uint8_t *>(&taken), sizeof taken);
        put(record + field + sizeof(uint16_t), taken * sizeof(uint16_t));
    }
    put(record + TEXTS_END, length - TEXTS_END);
    return size;
}

void UnpackUnicodeRecord(const uint8_t *packed, size_t length, uint8_t (&record)[UNICODE_RECORD_SIZE])
{
    memset(record, 0, sizeof record);
    size_t at = 0;
    memcpy(record, packed, TEXTS_START);
    at += TEXTS_START;
    for (size_t field = TEXTS_START; field < TEXTS_END; field += TEXT_SIZE) {
        uint16_t taken;
        memcpy(record + field, packed + at, sizeof(uint16_t));
        memcpy(&taken, packed + at + sizeof(uint16_t), sizeof taken);
        at += 2 * sizeof(uint16_t);
        memcpy(record + field + sizeof(uint16_t), packed + at, taken * sizeof(uint16_t));
        at += taken * sizeof(uint16_t);
    }
    memcpy(record + TEXTS_END, packed + at, length - TEXTS_END);
}
