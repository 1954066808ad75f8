// What a radio stream's title shows.
#include "records/streamrecord.h"

#include <cwchar>

namespace {

void CopyUnits(const wchar_t *text, size_t units, wchar_t (&to)[UNICODE_TEXT_UNITS])
{
    if (units > UNICODE_TEXT_UNITS - 1)
        units = UNICODE_TEXT_UNITS - 1;
    wmemcpy(to, text, units);
    to[units] = 0;
}

} // namespace

void SplitStreamTitle(const wchar_t *title, const wchar_t *station, wchar_t (&artist)[UNICODE_TEXT_UNITS],
                      wchar_t (&song)[UNICODE_TEXT_UNITS])
{
    size_t length = wcsnlen(title, UNICODE_TEXT_UNITS - 1);
    const wchar_t *dash = wcsstr(title, L" - ");
    // Both sides must say something: "- Song" or "Artist - " is a song's name.
    if (dash && dash > title && size_t(dash - title) + 3 < length) {
        CopyUnits(title, size_t(dash - title), artist);
        CopyUnits(dash + 3, length - size_t(dash - title) - 3, song);
        return;
    }
    CopyUnits(title, length, song);
    CopyUnits(station, wcsnlen(station, UNICODE_TEXT_UNITS - 1), artist);
}
