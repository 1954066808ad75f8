// The host's side of the newer interface (interface2.cpp), for host.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace host {

// Set by the plug-in's registration: 'regv' (true) or "rvis".
extern bool registeredInterface2;
// Where the newer UTF-16 record keeps the album artist, which the older has not.
constexpr size_t ALBUM_ARTIST_2 = 5208;
// A track's rate where the newer record keeps it, the old field 0.
void PutNewerSampleRate(std::vector<uint8_t> &unicode, uint32_t hertz);
// 'Vply' with the UTF-16 track and stream records (none when empty) and the
// sound format; 'Ctrk' with the records.
int32_t PlayInterface2(const std::vector<uint8_t> &unicode, const std::vector<uint8_t> &stream, uint32_t bitRate,
                       uint32_t sampleRate, uint16_t channels);
int32_t TrackInfoChanged2(const std::vector<uint8_t> &unicode, const std::vector<uint8_t> &stream);
// 'rart': 'Vart' goes out on the host's next pump (DeliverOwedArt).
void AnswerArtLater();
void DeliverOwedArt();
// "clr ": answers still on their way are not delivered.
void DropArtAnswers();

} // namespace host
