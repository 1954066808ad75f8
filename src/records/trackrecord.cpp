// Readers of the player's track records, 8-bit and UTF-16.
#include "records/trackrecord.h"

#include "records/unicoderecord.h"

void ReadCountedText(const uint8_t *record, int offset, char (&text)[COUNTED_TEXT_SIZE])
{
    const uint8_t *characters = record + offset + 1;
    const void *zero = memchr(characters, 0, COUNTED_TEXT_SIZE - 1);
    size_t length = zero ? size_t(static_cast<const uint8_t *>(zero) - characters) : COUNTED_TEXT_SIZE - 1;
    memcpy(text, characters, length);
    text[length] = 0;
}

int32_t TrackNumber(const uint8_t *record) { return FieldAt<int32_t>(record, TRACK_NUMBER_OFFSET); }
uint16_t TrackYear(const uint8_t *record) { return FieldAt<uint16_t>(record, TRACK_YEAR_OFFSET); }
uint32_t TrackTotalTime(const uint8_t *record) { return FieldAt<uint32_t>(record, TRACK_TOTAL_TIME_OFFSET); }

size_t UnicodeTextUnits(const uint16_t (&units)[UNICODE_TEXT_UNITS])
{
    size_t count = units[0] < UNICODE_TEXT_UNITS ? units[0] : UNICODE_TEXT_UNITS - 1;
    size_t taken = 0;
    while (taken < count && units[taken + 1])
        ++taken;
    return taken;
}

void ReadUnicodeText(const uint8_t *record, size_t offset, wchar_t (&text)[UNICODE_TEXT_UNITS])
{
    uint16_t units[UNICODE_TEXT_UNITS];
    memcpy(units, record + offset, sizeof units);
    size_t length = UnicodeTextUnits(units);
    for (size_t i = 0; i < length; ++i)
        text[i] = wchar_t(units[i + 1]);
    text[length] = 0;
}
