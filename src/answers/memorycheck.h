// Memory that another program names: whether it may be touched before it is.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Whether the region is committed and may be read (and written, when asked)
// by the process itself, guard pages never.
bool RegionAllows(const MEMORY_BASIC_INFORMATION &region, bool write);

// Whether every byte of [address, address + size) in the process lies in
// regions that allow it; a range may span regions, and each is asked.
bool RangeAllows(HANDLE process, uintptr_t address, size_t size, bool write);
