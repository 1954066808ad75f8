// A 32-bit program that sends a message to a 64-bit window is given only the
// low 32 bits of the answer, and the 64-bit module's image lies above 4 GB:
// what it hands out by address must come from lower down. VirtualAlloc with
// no address gives no such promise, so the free regions below 4 GB are
// walked and the first that holds the size, from an allocation boundary
// (where a reservation starts), is taken.
#include "answers/lowmemory.h"

#include <cstdint>

void *AllocateBelow4GB(size_t size)
{
#ifdef _WIN64
    // The lowest 256 MB are left to what the system and the program put
    // there first.
    constexpr uintptr_t LOWEST = 0x10000000;
    constexpr uintptr_t LIMIT = uintptr_t(1) << 32;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const uintptr_t granularity = system.dwAllocationGranularity ? system.dwAllocationGranularity : 0x10000;
    for (uintptr_t at = LOWEST; at < LIMIT;) {
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQuery(reinterpret_cast<const void *>(at), &region, sizeof region) != sizeof region)
            return nullptr;
        const uintptr_t end = uintptr_t(region.BaseAddress) + region.RegionSize;
        if (end <= at)
            return nullptr;
        // A reservation starts at a multiple of the granularity: the
        // address asked for is rounded down to one.
        const uintptr_t start = (at + granularity - 1) / granularity * granularity;
        const uintptr_t fits = end < LIMIT ? end : LIMIT;
        if (region.State == MEM_FREE && start < fits && fits - start >= size) {
            if (void *low = VirtualAlloc(reinterpret_cast<void *>(start), size, MEM_RESERVE | MEM_COMMIT,
                                         PAGE_READWRITE))
                return low;
        }
        at = end;
    }
#else
    (void)size;
#endif
    return nullptr;
}
