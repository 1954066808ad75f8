// The 8-bit track record made from a UTF-16 one, for a player that sends
// only the latter: the song file and the record other programs copy then
// look the same whichever interface the player speaks.
#pragma once
#include <cstdint>

#include "records/trackrecord.h"

// `unicode` holds `length` bytes of a UTF-16 track record (either
// interface's); fields beyond them count as 0. Texts go to the system code
// page, cut at a whole character to fit their 255 bytes.
// A UTF-16 text into the counted 8-bit field at `offset` of the record, so
// cut; the field's bytes after it are zero.
void PutCodePageText(uint8_t (&record)[TRACK_RECORD_SIZE], int offset, const wchar_t *text);
void NarrowTrackRecord(const uint8_t *unicode, uint32_t length, uint8_t (&record)[TRACK_RECORD_SIZE]);

// Hertz as 16.16 fixed point; 0 for a rate that is unknown or does not fit.
uint32_t FixedHertz(double hertz);
