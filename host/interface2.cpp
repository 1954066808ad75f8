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

int32_t PlayInterface2(const std::vector<uint8_t> &unicode, const std::vector<uint8_t> &stream, uint32_t bitRate,
                       uint32_t sampleRate, uint16_t channels)
{
    namespace at = layout::Vply;
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> message;
    message.Put(at::TRACK, unicode.data());
    message.Put(at::STREAM, stream.empty() ? nullptr : stream.data());
    message.Put(at::FORMAT + at::FORMAT_SAMPLE_RATE, double(sampleRate));
    message.Put(at::FORMAT + at::FORMAT_CHANNELS, uint32_t(channels));
    message.Put(at::BIT_RATE, bitRate);
    return SendVisual(Code("Vply"), message.data);
}

int32_t TrackInfoChanged2(const std::vector<uint8_t> &unicode, const std::vector<uint8_t> &stream)
{
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> message;
    message.Put(layout::Ctrk::TRACK, unicode.data());
    message.Put(layout::Ctrk::STREAM, stream.empty() ? nullptr : stream.data());
    return SendVisual(Code("Ctrk"), message.data);
}

CoverArt coverArt;

int ArtRequests()
{
    int count = 0;
    for (const AppCall &call : appCalls)
        count += call.message == Code("rart");
    return count;
}

int32_t SendCoverArt(const void *bytes, uint32_t size, uint32_t format)
{
    namespace at = layout::Vart;
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> message;
    message.Put(at::ART, bytes);
    message.Put(at::SIZE, bytes ? size : 0u);
    message.Put(at::FORMAT, format);
    return SendVisual(Code("Vart"), message.data);
}

namespace {

// Answers asked for and not yet delivered: the host's next pump brings them,
// as a player answers on its own thread after the call has returned.
int artAnswersOwed;

} // namespace

void AnswerArtLater() { ++artAnswersOwed; }

void DeliverOwedArt()
{
    for (; artAnswersOwed > 0 && visualHandler; --artAnswersOwed) {
        // The bytes are the host's only for the call, as the player's are.
        std::vector<uint8_t> bytes = coverArt.bytes;
        SendCoverArt(bytes.empty() ? nullptr : bytes.data(), uint32_t(bytes.size()), coverArt.format);
    }
}

void DropArtAnswers() { artAnswersOwed = 0; }

} // namespace host
