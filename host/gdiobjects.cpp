// GDI objects of this process, counted where GetGuiResources cannot: Wine
// answers 0 there, but accepts a handle's bare 16-bit table index, so every
// live object can be found by trying each index.
#include "host.h"

namespace host {

DWORD CountGdiObjects()
{
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported)
        return reported;
    DWORD count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)))
            ++count;
    return count;
}

} // namespace host
