// TEMPORARY stand-in until the kept art lands on main; dropped at that merge.
#include "nowplaying/coverart.h"

uint32_t CoverArtSerial() { return 0; }
bool HasCoverArt() { return false; }
bool EncodeCoverArtPng(unsigned, uint8_t **, size_t *) { return false; }
