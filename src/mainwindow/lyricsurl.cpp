// Encoding of the lyrics search address.
#include "mainwindow/lyricsurl.h"

#include <algorithm>

#include "nowplaying/outputs.h"

namespace {

constexpr char HEX_DIGITS[] = "0123456789ABCDEF";

bool IsHebrewLetter(uint8_t c)
{
    return std::find(HEBREW_LETTERS.begin(), HEBREW_LETTERS.end(), c) != HEBREW_LETTERS.end();
}

// Bytes that would end or split the address on a command line.
bool EndsCommandLineArgument(uint8_t c)
{
    return c == '"' || c < 0x21 || c == 0x7F;
}

} // namespace

bool HasHebrewBaseLetter(const char *query, size_t querySize)
{
    for (size_t i = 0; i < querySize && query[i]; ++i)
        if (std::find(HEBREW_BASE_LETTERS.begin(), HEBREW_BASE_LETTERS.end(), uint8_t(query[i])) !=
            HEBREW_BASE_LETTERS.end())
            return true;
    return false;
}

size_t EncodeLyricsAddress(const char *query, size_t querySize, char *address, size_t addressSize)
{
    if (addressSize == 0)
        return 0;
    size_t length = 0;
    for (size_t i = 0; i < querySize && query[i]; ++i) {
        uint8_t c = uint8_t(query[i]);
        char piece[6];
        size_t pieceLength = 0;
        if (IsHebrewLetter(c)) {
            // U+05D0 + (c - E0) in UTF-8 is D7 followed by c - 50.
            uint8_t low = uint8_t(c - 0x50);
            piece[0] = '%', piece[1] = 'D', piece[2] = '7', piece[3] = '%';
            piece[4] = HEX_DIGITS[low >> 4], piece[5] = HEX_DIGITS[low & 15];
            pieceLength = 6;
        } else if (EndsCommandLineArgument(c)) {
            piece[0] = '%', piece[1] = HEX_DIGITS[c >> 4], piece[2] = HEX_DIGITS[c & 15];
            pieceLength = 3;
        } else {
            piece[0] = char(c);
            pieceLength = 1;
        }
        if (length + pieceLength >= addressSize)
            break;
        std::copy(piece, piece + pieceLength, address + length);
        length += pieceLength;
    }
    address[length] = '\0';
    return length;
}
