// The user's one-line format: text with placeholders in braces, filled from
// a track. Pure text work, on any thread.
#pragma once
#include <cstddef>
#include <cstdint>

// What the placeholders stand for; a null text counts as empty.
struct LineFields {
    const wchar_t *artist;
    const wchar_t *title;
    const wchar_t *album;
    const wchar_t *albumArtist;
    const wchar_t *genre;
    const wchar_t *station; // a radio stream's; empty for a track
    int32_t track;          // 0: none
    uint16_t year;          // 0: none
    uint32_t lengthMs;      // 0: none (a stream)
};

// Fills `line` (room for `units` units with the zero) and returns its
// length. {artist} {title} {album} {albumartist} {genre} {year} {track}
// {length} (m:ss) and {station} are replaced, in any case; {{ and }} stand
// for one brace; everything else, an unknown placeholder too, stays as
// written. A number that is 0 gives an empty text, and a line break inside
// a field a space. A line too long for `line` is cut at a whole character.
size_t FormatLine(const wchar_t *format, const LineFields &fields, wchar_t *line, size_t units);
