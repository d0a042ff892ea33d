#pragma once
// The knight's eight jumps, in the fixed order every loop over them follows.

#include <cstdint>

struct TKnightMove {
  int8_t dx;
  int8_t dy;
};

inline constexpr TKnightMove KnightMoves[8] = {
    {2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {1, -2}, {-1, 2}, {-1, -2},
};

// The on-board test, made on exact signed sums so a negative coordinate is off.
constexpr bool OnBoard(int x, int y, int size)
{
  return x >= 0 && x <= size - 1 && y >= 0 && y <= size - 1;
}

// True when (dx, dy) is one of the knight's jumps.
constexpr bool IsKnightJump(int dx, int dy)
{
  return (dx * dx + dy * dy) == 5;
}
