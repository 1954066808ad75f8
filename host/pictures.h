// Pictures as the player hands cover art over and as the plug-in writes it
// back: made, encoded and decoded through the system's imaging component.
// For tests and benchmarks; any thread (each call sets up COM for itself).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace host {

struct Picture {
    UINT width = 0, height = 0;
    std::vector<uint8_t> bgra; // top-down rows, 4 bytes a pixel
};

// Blocks of 16 pixels in solid colours, which even JPEG keeps nearly exact.
Picture Blocks(UINT width, UINT height);

// The containers the player sends art in, with its format codes.
enum PictureContainer : uint32_t { PICTURE_JPEG = 13, PICTURE_PNG = 14, PICTURE_BMP = 27 };
std::vector<uint8_t> EncodePicture(const Picture &picture, PictureContainer container);
// An empty picture when the bytes are none.
Picture DecodePicture(const void *bytes, size_t size);
// The largest difference of one colour or alpha value between two pictures.
int LargestDifference(const Picture &a, const Picture &b);

} // namespace host
