// The play clock's arithmetic, apart from the tick source, so that the wrap of
// the tick counter can be checked with chosen ticks.
#pragma once
#include <cstdint>

// Unsigned 32-bit arithmetic throughout: an elapsed time shorter than the
// counter's 49.7-day period comes out right across its wrap.
constexpr uint32_t PositionAt(uint32_t nowTick, uint32_t positionMs, uint32_t referenceTick, bool playing)
{
    return playing ? nowTick + positionMs - referenceTick : positionMs;
}

// What the stop worker freezes: the position plus the time played since the
// reference tick.
constexpr uint32_t FrozenPosition(uint32_t nowTick, uint32_t positionMs, uint32_t referenceTick)
{
    return positionMs + (nowTick - referenceTick);
}
