// Memory that another program names: the one check that the record copy
// into another process and the Winamp answers reading requests placed in
// this one both use.
#include "answers/memorycheck.h"

bool RegionAllows(const MEMORY_BASIC_INFORMATION &region, bool write)
{
    constexpr DWORD WRITABLE = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    constexpr DWORD READABLE = WRITABLE | PAGE_READONLY | PAGE_EXECUTE_READ;
    if (region.State != MEM_COMMIT || (region.Protect & PAGE_GUARD))
        return false;
    return (region.Protect & (write ? WRITABLE : READABLE)) != 0;
}

bool RangeAllows(HANDLE process, uintptr_t address, size_t size, bool write)
{
    const uintptr_t end = address + size;
    if (!address || end < address)
        return false;
    while (address < end) {
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQueryEx(process, reinterpret_cast<const void *>(address), &region, sizeof region) !=
                sizeof region ||
            !RegionAllows(region, write))
            return false;
        const uintptr_t regionEnd = uintptr_t(region.BaseAddress) + region.RegionSize;
        if (regionEnd <= address)
            return false;
        address = regionEnd;
    }
    return true;
}
