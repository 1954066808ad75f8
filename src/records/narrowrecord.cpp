// The 8-bit track record made from the player's UTF-16 one.
#include "records/narrowrecord.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "records/unicoderecord.h"

namespace {

// The fields the 8-bit record has: validity bits 0 to 20.
constexpr uint32_t NARROW_VALID_FIELDS = (1u << 21) - 1;

void PutRecordText(uint8_t (&record)[TRACK_RECORD_SIZE], int offset, const uint8_t *unicode, size_t unicodeOffset)
{
    wchar_t text[UNICODE_TEXT_UNITS];
    ReadUnicodeText(unicode, unicodeOffset, text);
    PutCodePageText(record, offset, text);
}

template <typename T> void PutField(uint8_t (&record)[TRACK_RECORD_SIZE], int offset, T value)
{
    static_assert(sizeof value <= 4, "the 8-bit record's numbers are at most 32 bits");
    memcpy(record + offset, &value, sizeof value);
}

} // namespace

// The longest beginning of the text that fits 255 bytes in the code page,
// never splitting a surrogate pair.
void PutCodePageText(uint8_t (&record)[TRACK_RECORD_SIZE], int offset, const wchar_t *text)
{
    memset(record + offset, 0, COUNTED_TEXT_SIZE);
    int units = int(wcsnlen(text, UNICODE_TEXT_UNITS - 1));
    char *characters = reinterpret_cast<char *>(record + offset + 1);
    while (units > 0) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0)
            return;
        if (bytes < COUNTED_TEXT_SIZE) {
            record[offset] = uint8_t(WideCharToMultiByte(CP_ACP, 0, text, units, characters, bytes, nullptr, nullptr));
            return;
        }
        int shorter = units * (COUNTED_TEXT_SIZE - 1) / bytes;
        if (shorter >= units)
            shorter = units - 1;
        if (shorter > 0 && IS_LOW_SURROGATE(text[shorter]) && IS_HIGH_SURROGATE(text[shorter - 1]))
            --shorter;
        units = shorter;
    }
}

uint32_t FixedHertz(double hertz)
{
    if (!(hertz > 0 && hertz < 65536))
        return 0;
    return uint32_t(hertz * 65536.0 + 0.5);
}

void NarrowTrackRecord(const uint8_t *unicode, uint32_t length, uint8_t (&record)[TRACK_RECORD_SIZE])
{
    UnicodeTrackLayout2 full = {};
    memcpy(&full, unicode, length < sizeof full ? length : sizeof full);
    const UnicodeTrackLayout &u = full.shared;
    const auto *bytes = reinterpret_cast<const uint8_t *>(&full);

    memset(record, 0, sizeof record);
    PutField(record, 0, u.validFields & NARROW_VALID_FIELDS);
    PutRecordText(record, TRACK_NAME_OFFSET, bytes, offsetof(UnicodeTrackLayout, name));
    PutRecordText(record, TRACK_FILE_NAME_OFFSET, bytes, offsetof(UnicodeTrackLayout, fileName));
    PutRecordText(record, TRACK_ARTIST_OFFSET, bytes, offsetof(UnicodeTrackLayout, artist));
    PutRecordText(record, TRACK_ALBUM_OFFSET, bytes, offsetof(UnicodeTrackLayout, album));
    PutRecordText(record, TRACK_GENRE_OFFSET, bytes, offsetof(UnicodeTrackLayout, genre));
    PutRecordText(record, TRACK_KIND_OFFSET, bytes, offsetof(UnicodeTrackLayout, kind));
    PutRecordText(record, TRACK_EQ_PRESET_OFFSET, bytes, offsetof(UnicodeTrackLayout, eqPresetName));
    PutRecordText(record, TRACK_COMMENTS_OFFSET, bytes, offsetof(UnicodeTrackLayout, comments));
    PutField(record, TRACK_NUMBER_OFFSET, u.trackNumber);
    PutField(record, TRACK_COUNT_OFFSET, u.numTracks);
    PutField(record, TRACK_YEAR_OFFSET, u.year);
    PutField(record, TRACK_VOLUME_ADJUSTMENT_OFFSET, u.soundVolumeAdjustment);
    PutField(record, TRACK_TOTAL_TIME_OFFSET, u.totalTimeInMS);
    PutField(record, TRACK_START_TIME_OFFSET, u.startTimeInMS);
    PutField(record, TRACK_STOP_TIME_OFFSET, u.stopTimeInMS);
    // The newer record's own size and rate where the old fields are left 0.
    uint64_t size = u.sizeInBytes ? u.sizeInBytes : full.sizeInBytes;
    PutField(record, TRACK_SIZE_OFFSET, uint32_t(size > UINT32_MAX ? UINT32_MAX : size));
    PutField(record, TRACK_BIT_RATE_OFFSET, u.bitRate);
    PutField(record, TRACK_SAMPLE_RATE_OFFSET, u.sampleRateFixed ? u.sampleRateFixed : FixedHertz(full.sampleRateFloat));
    PutField(record, TRACK_FILE_TYPE_OFFSET, u.fileType);
    PutField(record, TRACK_DATE_OFFSET, u.date);
    PutField(record, TRACK_ATTRIBUTES_OFFSET, u.attributes);
    PutField(record, TRACK_VALID_ATTRIBUTES_OFFSET, u.validAttributes);
    PutField(record, TRACK_FILE_CREATOR_OFFSET, u.fileCreator);
}
