// The lyrics search address as the browser gets it: pure text work, shared
// with the tests.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The Windows-1255 Hebrew letters without the five final forms: a query
// holding one of them is a search address.
constexpr std::array<uint8_t, 22> HEBREW_BASE_LETTERS = {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
                                                         0xE8, 0xE9, 0xEB, 0xEC, 0xEE, 0xF0, 0xF1, 0xF2,
                                                         0xF4, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA};

// Reads query up to its zero byte or querySize bytes, whichever comes first.
bool HasHebrewBaseLetter(const char *query, size_t querySize);

// Percent-encodes the Hebrew letters as UTF-8 ("%D7%90" for E0), and the
// quote, the control bytes, the blank and DEL, so a tagged title cannot end
// the quoted address on the browser's command line. Everything else is
// copied. Stops before the first piece that would not fit with the zero
// byte, so no "%D7%xx" is ever cut. Returns the length written.
size_t EncodeLyricsAddress(const char *query, size_t querySize, char *address, size_t addressSize);
