// The current track's cover art, as the track worker keeps it: decoded once
// by the system's imaging component when it arrives, for the outputs that
// show it. The worker's alone, like the track it belongs to.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Takes the art's bytes (JPEG, PNG or BMP, on the process's heap; null for
// none) and frees them. Art that does not decode leaves none.
void KeepCoverArt(uint8_t *bytes, uint32_t size);
// A new track: no art until its own arrives.
void ClearCoverArt();
// "clr ": the art's memory goes.
void ReleaseCoverArt();

// Changes whenever the kept art changes; 0 before any.
uint32_t CoverArtSerial();
bool HasCoverArt();
// The kept art as PNG bytes, scaled down smoothly so that its longer side
// is at most maxSide (never up); a 1x1 transparent picture when there is
// none. *bytes is on the process's heap: HeapFree(GetProcessHeap(), 0, *bytes).
// False when it could not be made.
bool EncodeCoverArtPng(unsigned maxSide, uint8_t **bytes, size_t *size);
