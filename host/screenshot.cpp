// A minimal PNG writer and reader: 8-bit RGB, compressed by a small deflate
// of its own, so no compression library is needed.
#include "screenshot.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
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

Picture CaptureScreenRect(const RECT &rect)
{
    Picture picture;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return picture;
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
    picture.width = width;
    picture.height = height;
    const uint32_t *pixels = static_cast<const uint32_t *>(bits);
    for (size_t i = 0; i < size_t(width) * height; ++i)
        picture.pixels.push_back(pixels[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool SaveScreenRectPng(const RECT &rect, const char *path)
{
    Picture picture = CaptureScreenRect(rect);
    if (picture.pixels.empty())
        return false;
    std::vector<uint8_t> raw;
    raw.reserve(size_t(picture.height) * (1 + 3 * size_t(picture.width)));
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            uint32_t p = picture.At(x, y);
            raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
    }

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBig(header, uint32_t(picture.width));
    PutBig(header, uint32_t(picture.height));
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

namespace {

// The inflate of what DeflateZlib writes: stored and fixed-code blocks.
struct BitSource {
    const std::vector<uint8_t> &bytes;
    size_t at = 0;
    int bit = 0;
    bool overrun = false;
};

uint32_t TakeBits(BitSource &source, int bits)
{
    uint32_t value = 0;
    for (int i = 0; i < bits; ++i) {
        if (source.at >= source.bytes.size()) {
            source.overrun = true;
            return 0;
        }
        value |= uint32_t((source.bytes[source.at] >> source.bit) & 1) << i;
        if (++source.bit == 8) {
            source.bit = 0;
            ++source.at;
        }
    }
    return value;
}

// Huffman codes come most significant bit first.
uint32_t TakeCode(BitSource &source, int bits)
{
    uint32_t code = 0;
    for (int i = 0; i < bits; ++i)
        code = code << 1 | TakeBits(source, 1);
    return code;
}

int TakeFixedSymbol(BitSource &source)
{
    uint32_t code = TakeCode(source, 7);
    if (code <= 0x17)
        return int(256 + code);
    code = code << 1 | TakeBits(source, 1);
    if (code >= 0x30 && code <= 0xBF)
        return int(code - 0x30);
    if (code >= 0xC0 && code <= 0xC7)
        return int(280 + code - 0xC0);
    code = code << 1 | TakeBits(source, 1);
    return int(144 + code - 0x190);
}

bool InflateZlib(const std::vector<uint8_t> &zlib, std::vector<uint8_t> &out)
{
    BitSource source{zlib, 2};
    for (bool last = false; !last && !source.overrun;) {
        last = TakeBits(source, 1);
        uint32_t type = TakeBits(source, 2);
        if (type == 0) {
            if (source.bit)
                TakeBits(source, 8 - source.bit);
            uint32_t length = TakeBits(source, 16);
            TakeBits(source, 16);
            for (uint32_t i = 0; i < length && !source.overrun; ++i)
                out.push_back(uint8_t(TakeBits(source, 8)));
            continue;
        }
        if (type != 1)
            return false;
        for (int symbol; (symbol = TakeFixedSymbol(source)) != 256 && !source.overrun;) {
            if (symbol < 256) {
                out.push_back(uint8_t(symbol));
                continue;
            }
            int l = symbol - 257;
            if (l > 28)
                return false;
            size_t length = LENGTH_BASE[l] + TakeBits(source, LENGTH_EXTRA[l]);
            int d = int(TakeCode(source, 5));
            if (d > 29)
                return false;
            size_t distance = DISTANCE_BASE[d] + TakeBits(source, DISTANCE_EXTRA[d]);
            if (distance > out.size())
                return false;
            for (size_t i = 0; i < length; ++i)
                out.push_back(out[out.size() - distance]);
        }
    }
    return !source.overrun;
}

uint32_t GetBig(const std::vector<uint8_t> &bytes, size_t at)
{
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

} // namespace

Picture ReadPng(const char *path)
{
    Picture picture;
    FILE *file = fopen(path, "rb");
    if (!file)
        return picture;
    std::vector<uint8_t> png;
    for (int c; (c = fgetc(file)) != EOF;)
        png.push_back(uint8_t(c));
    fclose(file);

    std::vector<uint8_t> zlib;
    int width = 0, height = 0;
    for (size_t at = 8; at + 12 <= png.size();) {
        uint32_t length = GetBig(png, at);
        if (at + 12 + length > png.size())
            return picture;
        const uint8_t *data = &png[at + 8];
        if (memcmp(&png[at + 4], "IHDR", 4) == 0) {
            std::vector<uint8_t> header(data, data + length);
            // 8-bit RGB, not interlaced: what SaveScreenRectPng writes.
            if (length < 13 || header[8] != 8 || header[9] != 2 || header[12] != 0)
                return picture;
            width = int(GetBig(header, 0));
            height = int(GetBig(header, 4));
        } else if (memcmp(&png[at + 4], "IDAT", 4) == 0) {
            zlib.insert(zlib.end(), data, data + length);
        }
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    size_t stride = 1 + 3 * size_t(width);
    if (width <= 0 || height <= 0 || !InflateZlib(zlib, raw) || raw.size() < stride * height)
        return picture;
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = &raw[stride * y];
        // Only the filter that SaveScreenRectPng uses.
        if (row[0] != 0)
            return Picture();
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(uint32_t(row[1 + 3 * x]) << 16 | uint32_t(row[2 + 3 * x]) << 8 | row[3 + 3 * x]);
    }
    picture.width = width;
    picture.height = height;
    return picture;
}

bool SaveWindowPng(HWND window, const char *path)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    return SaveScreenRectPng(rect, path);
}

} // namespace host
