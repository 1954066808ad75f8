// The current track's cover art, as the track worker keeps it: decoded once
// by the system's imaging component when it arrives, for the outputs that
// show it. The worker's alone, like the track it belongs to.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// A 1x1 picture, fully transparent: what an image source shows as nothing.
inline constexpr uint8_t TRANSPARENT_PNG[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00,
    0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x60, 0x00, 0x02, 0x00, 0x00, 0x05, 0x00,
    0x01, 0xE9, 0xFA, 0xDC, 0xD8, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

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
