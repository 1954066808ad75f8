// Memory whose address fits 32 bits, for what this process hands out by
// address to other programs, 32-bit ones among them (lowmemory.cpp).
#pragma once
#include <windows.h>

#include <cstddef>

// Zeroed, read-write memory of that size below 4 GB, kept for the process's
// life; nullptr when none is free. Only 64-bit builds look: a 32-bit
// module's own storage lies below 4 GB already, and it gets nullptr.
void *AllocateBelow4GB(size_t size);
