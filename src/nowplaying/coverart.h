// TEMPORARY stand-in until the kept art lands on main; dropped at that merge.
#pragma once
#include <cstddef>
#include <cstdint>

uint32_t CoverArtSerial();
bool HasCoverArt();
bool EncodeCoverArtPng(unsigned maxSide, uint8_t **bytes, size_t *size);
