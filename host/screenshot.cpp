// A minimal PNG writer: 8-bit RGB, compressed by a small deflate of its own,
// so no compression library is needed.
#include "screenshot.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace host {

namespace {

uint32_t Crc32(const uint8_t *data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig(std::vector<uint8_t> &out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

void Chunk(std::vector<uint8_t> &png, const char *type, const std::vector<uint8_t> &data)
{
    PutBig(png, uint32_t(data.size()));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig(png, Crc32(&png[start], png.size() - start));
}

// Deflate with the fixed Huffman codes and a hash-chain match search: no
// compression library, and screenshots of flat controls shrink about
// twenty-fold.
struct BitSink {
    std::vector<uint8_t> bytes;
    uint32_t pending = 0;
    int count = 0;
};

void PutBits(BitSink &sink, uint32_t value, int bits)
{
    sink.pending |= value << sink.count;
    sink.count += bits;
    while (sink.count >= 8) {
        sink.bytes.push_back(uint8_t(sink.pending));
        sink.pending >>= 8;
        sink.count -= 8;
    }
}

// Huffman codes go most significant bit first.
void PutCode(BitSink &sink, uint32_t code, int bits)
{
    uint32_t reversed = 0;
    for (int i = 0; i < bits; ++i)
        reversed |= ((code >> i) & 1) << (bits - 1 - i);
    PutBits(sink, reversed, bits);
}

void PutSymbol(BitSink &sink, int symbol)
{
    if (symbol < 144)
        PutCode(sink, 0x30 + symbol, 8);
    else if (symbol < 256)
        PutCode(sink, 0x190 + symbol - 144, 9);
    else if (symbol < 280)
        PutCode(sink, symbol - 256, 7);
    else
        PutCode(sink, 0xC0 + symbol - 280, 8);
}

constexpr uint16_t LENGTH_BASE[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t LENGTH_EXTRA[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t DISTANCE_BASE[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,    65,    97,    129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t DISTANCE_EXTRA[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitSink &sink, int length, int distance)
{
    int l = 28, d = 29;
    while (LENGTH_BASE[l] > length)
        --l;
    while (DISTANCE_BASE[d] > distance)
        --d;
    PutSymbol(sink, 257 + l);
    PutBits(sink, length - LENGTH_BASE[l], LENGTH_EXTRA[l]);
    PutCode(sink, d, 5);
    PutBits(sink, distance - DISTANCE_BASE[d], DISTANCE_EXTRA[d]);
}

std::vector<uint8_t> DeflateZlib(const std::vector<uint8_t> &raw)
{
    constexpr int WINDOW = 32768, MAX_LENGTH = 258, HASH_BITS = 15, MAX_CHAIN = 48;
    const size_t size = raw.size();
    std::vector<int32_t> head(size_t(1) << HASH_BITS, -1), previous(size, -1);
    auto hash = [&](size_t at) {
        uint32_t three = raw[at] | raw[at + 1] << 8 | raw[at + 2] << 16;
        return (three * 2654435761u) >> (32 - HASH_BITS);
    };
    auto insert = [&](size_t at) {
        if (at + 3 > size)
            return;
        uint32_t h = hash(at);
        previous[at] = head[h];
        head[h] = int32_t(at);
    };

    BitSink sink;
    sink.bytes = {0x78, 0x01};
    PutBits(sink, 1, 1); // the last block
    PutBits(sink, 1, 2); // fixed codes
    size_t at = 0;
    while (at < size) {
        int bestLength = 0, bestDistance = 0;
        if (at + 3 <= size) {
            int32_t candidate = head[hash(at)];
            size_t limit = std::min<size_t>(MAX_LENGTH, size - at);
            for (int chain = 0; candidate >= 0 && at - candidate <= WINDOW && chain < MAX_CHAIN; ++chain) {
                size_t length = 0;
                while (length < limit && raw[candidate + length] == raw[at + length])
                    ++length;
                if (int(length) > bestLength) {
                    bestLength = int(length);
                    bestDistance = int(at - candidate);
                    if (length == limit)
                        break;
                }
                candidate = previous[candidate];
            }
        }
        if (bestLength >= 3) {
            PutMatch(sink, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i)
                insert(at + i);
            at += bestLength;
        } else {
            PutSymbol(sink, raw[at]);
            insert(at);
            ++at;
        }
    }
    PutSymbol(sink, 256);
    PutBits(sink, 0, 7); // flush the last byte
    std::vector<uint8_t> out = std::move(sink.bytes);
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig(out, b << 16 | a);
    return out;
}

} // namespace

bool SaveScreenRectPng(const RECT &rect, const char *path)
{
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();

    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (1 + 3 * size_t(width)));
    const uint8_t *pixels = static_cast<const uint8_t *>(bits);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint8_t *p = pixels + (size_t(y) * width + x) * 4;
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBig(header, uint32_t(width));
    PutBig(header, uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", DeflateZlib(raw));
    Chunk(png, "IEND", {});

    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    bool ok = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && ok;
}

bool SaveWindowPng(HWND window, const char *path)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    return SaveScreenRectPng(rect, path);
}

} // namespace host
