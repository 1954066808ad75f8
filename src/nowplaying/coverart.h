// Cover art (worker thread only).
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Changes whenever the kept art changes (a new track clears it, a 'Vart' sets it); 0 before any.
uint32_t CoverArtSerial();
bool HasCoverArt();
// The kept art as PNG bytes, scaled down smoothly so its longer side is at most maxSide (never up);
// a 1x1 fully transparent PNG when there is none. *bytes is HeapAlloc'd on GetProcessHeap():
// free with HeapFree(GetProcessHeap(), 0, *bytes). False when it could not be encoded.
bool EncodeCoverArtPng(unsigned maxSide, uint8_t **bytes, size_t *size);
