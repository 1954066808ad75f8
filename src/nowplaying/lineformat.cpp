// The placeholders as a table: a new one is a row.
#include "nowplaying/lineformat.h"

#include <cwchar>

namespace {

constexpr size_t NUMBER_UNITS = 16;
using Number = wchar_t[NUMBER_UNITS];

struct Placeholder {
    const wchar_t *name; // lower case
    const wchar_t *(*value)(const LineFields &fields, Number &scratch);
};

const wchar_t *Decimal(long value, Number &scratch)
{
    if (!value)
        return L"";
    swprintf(scratch, NUMBER_UNITS, L"%ld", value);
    return scratch;
}

// Minutes are not wrapped into hours: an hour-long piece reads "62:05".
const wchar_t *MinutesAndSeconds(uint32_t ms, Number &scratch)
{
    if (!ms)
        return L"";
    uint32_t seconds = ms / 1000;
    swprintf(scratch, NUMBER_UNITS, L"%u:%02u", unsigned(seconds / 60), unsigned(seconds % 60));
    return scratch;
}

constexpr Placeholder PLACEHOLDERS[] = {
    {L"artist", [](const LineFields &f, Number &) { return f.artist; }},
    {L"title", [](const LineFields &f, Number &) { return f.title; }},
    {L"album", [](const LineFields &f, Number &) { return f.album; }},
    {L"albumartist", [](const LineFields &f, Number &) { return f.albumArtist; }},
    {L"genre", [](const LineFields &f, Number &) { return f.genre; }},
    {L"year", [](const LineFields &f, Number &s) { return Decimal(f.year, s); }},
    {L"track", [](const LineFields &f, Number &s) { return Decimal(f.track, s); }},
    {L"length", [](const LineFields &f, Number &s) { return MinutesAndSeconds(f.lengthMs, s); }},
    {L"station", [](const LineFields &f, Number &) { return f.station; }},
};

constexpr size_t LONGEST_NAME = 11;

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

const Placeholder *Find(const wchar_t *name, size_t length)
{
    for (const Placeholder &p : PLACEHOLDERS) {
        size_t i = 0;
        while (i < length && p.name[i] && Lower(name[i]) == p.name[i])
            ++i;
        if (i == length && !p.name[i])
            return &p;
    }
    return nullptr;
}

// Appends while there is room; the first unit that finds none ends the
// line, without half a surrogate pair.
struct Line {
    wchar_t *text;
    size_t room;
    size_t length = 0;
    bool full = false;

    void Put(wchar_t c)
    {
        if (full)
            return;
        if (length == room) {
            full = true;
            if (length && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
                --length;
            return;
        }
        text[length++] = c;
    }

    void PutField(const wchar_t *field)
    {
        for (; field && *field; ++field)
            Put(*field == L'\r' || *field == L'\n' ? L' ' : *field);
    }
};

} // namespace

size_t FormatLine(const wchar_t *format, const LineFields &fields, wchar_t *text, size_t units)
{
    if (!units)
        return 0;
    Line line{text, units - 1};
    for (const wchar_t *p = format; *p;) {
        if ((p[0] == L'{' || p[0] == L'}') && p[1] == p[0]) {
            line.Put(p[0]);
            p += 2;
            continue;
        }
        if (p[0] == L'{') {
            size_t length = 0;
            while (length <= LONGEST_NAME && p[1 + length] && p[1 + length] != L'}')
                ++length;
            const Placeholder *found = p[1 + length] == L'}' ? Find(p + 1, length) : nullptr;
            if (found) {
                Number scratch;
                line.PutField(found->value(fields, scratch));
                p += length + 2;
                continue;
            }
        }
        line.Put(*p++);
    }
    text[line.length] = 0;
    return line.length;
}
