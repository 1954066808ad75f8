// The newer interface as a 64-bit player may speak it: the switch, and
// 'Vply', which carries the longer UTF-16 track record alone.
#include "interface2.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "host.h"

namespace host {

namespace {

Interface FromEnvironment()
{
    const char *chosen = getenv("BRAMBLECOURT_HOST_INTERFACE");
    return chosen && strcmp(chosen, "2.0") == 0 ? INTERFACE_2_0 : INTERFACE_10_5;
}

// The 8-bit record's texts and where the UTF-16 record keeps them.
constexpr struct {
    size_t narrow, wide;
} TEXTS[] = {{8, 8},       {264, 520},   {520, 1032},  {776, 1544},
             {1032, 2056}, {1288, 2568}, {1556, 3080}, {1812, 3592}};

// Numbers: 8-bit offset, UTF-16 offset, size.
constexpr struct {
    size_t narrow, wide, size;
} NUMBERS[] = {{0, 0, 4},       {1544, 4104, 4}, {1548, 4108, 4}, {1552, 4112, 2}, {1554, 4114, 2},
               {2068, 4116, 4}, {2072, 4120, 4}, {2076, 4124, 4}, {2096, 4128, 4}, {2080, 4132, 4},
               {2084, 4136, 4}, {2088, 4140, 4}, {2092, 4144, 4}, {2112, 4148, 4}, {2104, 4152, 4},
               {2108, 4156, 4}};

constexpr size_t SAMPLE_RATE_FIXED = 4140, SAMPLE_RATE_FLOAT = 5204;

} // namespace

Interface hostInterface = FromEnvironment();
bool registeredInterface2;

bool SpeaksInterface2() { return registeredInterface2; }

uint32_t UnicodeTrackSize() { return uint32_t(registeredInterface2 ? UNICODE_TRACK_SIZE_2 : UNICODE_TRACK_SIZE); }

std::vector<uint8_t> WidenTrack(const std::vector<uint8_t> &narrow)
{
    std::vector<uint8_t> wide(UNICODE_TRACK_SIZE_2, 0);
    uint32_t length = uint32_t(UNICODE_TRACK_SIZE_2);
    memcpy(&wide[4], &length, 4);
    for (const auto &text : TEXTS) {
        const char *characters = reinterpret_cast<const char *>(&narrow[text.narrow + 1]);
        std::string bytes(characters, strnlen(characters, 255));
        wchar_t units[256] = {};
        int count = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), units, 255);
        uint16_t unit0 = uint16_t(count > 0 ? count : 0);
        memcpy(&wide[text.wide], &unit0, 2);
        memcpy(&wide[text.wide + 2], units, unit0 * 2u);
    }
    for (const auto &number : NUMBERS)
        memcpy(&wide[number.wide], &narrow[number.narrow], number.size);
    return wide;
}

void PutNewerSampleRate(std::vector<uint8_t> &unicode, uint32_t hertz)
{
    float rate = float(hertz);
    memset(&unicode[SAMPLE_RATE_FIXED], 0, 4);
    memcpy(&unicode[SAMPLE_RATE_FLOAT], &rate, 4);
}

int32_t PlayInterface2(const std::vector<uint8_t> &unicode, uint32_t bitRate, uint32_t sampleRate, uint16_t channels)
{
    hostrecords::VisualPlayMessage2 message = {};
    message.trackInfo = unicode.data();
    message.bitRate = bitRate;
    message.audioFormat.mSampleRate = sampleRate;
    message.audioFormat.mChannelsPerFrame = channels;
    return SendVisual(Code("Vply"), &message);
}

} // namespace host
