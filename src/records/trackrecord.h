// The player's 8-bit track record: 2,116 bytes on both builds (no
// pointers), its texts counted in the system's code page. Other programs
// get it byte for byte, so its offsets are fixed here and nowhere else.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr int TRACK_RECORD_SIZE = 2116;
constexpr int COUNTED_TEXT_SIZE = 256;

constexpr int TRACK_NAME_OFFSET = 8;
constexpr int TRACK_FILE_NAME_OFFSET = 264;
constexpr int TRACK_ARTIST_OFFSET = 520;
constexpr int TRACK_ALBUM_OFFSET = 776;
constexpr int TRACK_GENRE_OFFSET = 1032;
constexpr int TRACK_THIRD_TEXT_OFFSET = 1032; // the song file's third line
constexpr int TRACK_KIND_OFFSET = 1288;
constexpr int TRACK_NUMBER_OFFSET = 1544;
constexpr int TRACK_COUNT_OFFSET = 1548;
constexpr int TRACK_YEAR_OFFSET = 1552;
constexpr int TRACK_VOLUME_ADJUSTMENT_OFFSET = 1554;
constexpr int TRACK_EQ_PRESET_OFFSET = 1556;
constexpr int TRACK_COMMENTS_OFFSET = 1812;
constexpr int TRACK_TOTAL_TIME_OFFSET = 2068;
constexpr int TRACK_START_TIME_OFFSET = 2072;
constexpr int TRACK_STOP_TIME_OFFSET = 2076;
constexpr int TRACK_SIZE_OFFSET = 2080;
constexpr int TRACK_BIT_RATE_OFFSET = 2084;
constexpr int TRACK_SAMPLE_RATE_OFFSET = 2088;
constexpr int TRACK_FILE_TYPE_OFFSET = 2092;
constexpr int TRACK_DATE_OFFSET = 2096;
constexpr int TRACK_ATTRIBUTES_OFFSET = 2104;
constexpr int TRACK_VALID_ATTRIBUTES_OFFSET = 2108;
constexpr int TRACK_FILE_CREATOR_OFFSET = 2112;
static_assert(TRACK_FILE_CREATOR_OFFSET + 4 == TRACK_RECORD_SIZE, "the record ends with its last field");

// The characters of a counted text field: from after the length byte to the
// first zero byte, at most 255 of them; always terminated.
void ReadCountedText(const uint8_t *record, int offset, char (&text)[COUNTED_TEXT_SIZE]);
int32_t TrackNumber(const uint8_t *record);
uint16_t TrackYear(const uint8_t *record);
uint32_t TrackTotalTime(const uint8_t *record);

// A number of a record at its offset, whatever the record's alignment.
template <typename T> T FieldAt(const uint8_t *record, size_t offset)
{
    T value;
    memcpy(&value, record + offset, sizeof value);
    return value;
}
