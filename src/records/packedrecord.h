// The UTF-16 track record as the track worker's queue keeps it: each text
// only as long as a reader takes it, so that a queued start costs a fraction
// of the record's whole size (a burst of starts then fits the queue as it
// did with the 8-bit record alone).
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/unicoderecord.h"

// Packs the first `length` bytes of a record of either interface (from
// UNICODE_RECORD_MINIMUM to UNICODE_RECORD_SIZE_2) into `packed`, or only
// measures them when it is null; returns the packed size.
size_t PackUnicodeRecord(const uint8_t *record, size_t length, uint8_t *packed);
// The record again, as every reader of its texts and numbers sees it; zero
// beyond `length` and after each text.
void UnpackUnicodeRecord(const uint8_t *packed, size_t length, uint8_t (&record)[UNICODE_RECORD_SIZE_2]);
