// Stand-in until the cover art lands: no art ever.
#include "nowplaying/coverart.h"

uint32_t CoverArtSerial() { return 0; }
bool HasCoverArt() { return false; }
bool EncodeCoverArtPng(unsigned, uint8_t **bytes, size_t *size)
{
    *bytes = nullptr;
    *size = 0;
    return false;
}
