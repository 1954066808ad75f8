// The newer interface as a 64-bit player may speak it: the switch, and
// 'Vply', which carries the longer UTF-16 track record alone.
#include "interface2.h"

#include <cstdlib>
#include <cstring>

#include "host.h"

namespace host {

namespace {

Interface FromEnvironment()
{
    const char *chosen = getenv("BRAMBLECOURT_HOST_INTERFACE");
    return chosen && strcmp(chosen, "2.0") == 0 ? INTERFACE_2_0 : INTERFACE_10_5;
}

constexpr size_t SAMPLE_RATE_FIXED = 4140, SAMPLE_RATE_FLOAT = 5204;

} // namespace

Interface hostInterface = FromEnvironment();
bool registeredInterface2;

bool SpeaksInterface2() { return registeredInterface2; }

uint32_t UnicodeTrackSize() { return uint32_t(registeredInterface2 ? UNICODE_TRACK_SIZE_2 : UNICODE_TRACK_SIZE); }

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
