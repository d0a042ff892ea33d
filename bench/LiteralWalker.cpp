#include "bench/LiteralWalker.h"

#include <algorithm>

#include "board/Random.h"

namespace {
// The knight's jumps, in the order the search tries them.
constexpr int Jumps[8][2] = {
    {2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {1, -2}, {-1, 2}, {-1, -2},
};
}  // namespace

void TLiteralWalker::SetStart(const TCells& board, int n, uint16_t posX, uint16_t posY,
                              uint16_t count)
{
  FSize = n;
  FStart.assign(n, std::vector<uint16_t>(n, 0));
  FWeights.assign(n, std::vector<uint16_t>(n, 0));
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      FStart[x][y] = board[x][y];
      // Lighter near the edges, lightest in the corners.
      FWeights[x][y] = static_cast<uint16_t>(1 + std::min(x, n - 1 - x) + std::min(y, n - 1 - y));
    }
  FCells = FStart;
  FStartX = FPosX = posX;
  FStartY = FPosY = posY;
  FStartCount = FCount = count;
}

bool TLiteralWalker::IsDeadEnd(int x, int y) const
{
  for (const auto& j : Jumps) {
    const int cx = x + j[0];
    const int cy = y + j[1];
    if (cx >= 0 && cx < FSize && cy >= 0 && cy < FSize && FCells[cx][cy] == 0)
      return false;
  }
  return true;
}

void TLiteralWalker::Put(uint16_t x, uint16_t y)
{
  ++FCount;
  FCells[x][y] = FCount;
  FPosX = x;
  FPosY = y;
}

void TLiteralWalker::Step()
{
  uint16_t best = 0xFFFF;
  uint16_t bestX = 0;
  uint16_t bestY = 0;
  for (const auto& j : Jumps) {
    // 16-bit coordinates: a step off the left or top edge wraps to a large
    // value and fails the size test.
    const uint16_t cx = static_cast<uint16_t>(FPosX + j[0]);
    const uint16_t cy = static_cast<uint16_t>(FPosY + j[1]);
    if (cx >= FSize || cy >= FSize || FCells[cx][cy] != 0)
      continue;
    uint16_t w = FWeights[cx][cy];
    if (IsDeadEnd(cx, cy))
      w = static_cast<uint16_t>(w + 10000);
    if (w < best) {
      best = w;
      bestX = cx;
      bestY = cy;
    } else if (w == best && Random(2) == 0) {
      bestX = cx;
      bestY = cy;
    }
  }
  Put(bestX, bestY);
}

uint16_t TLiteralWalker::Walk()
{
  FCells = FStart;  // same shape, so the copy reuses the columns' memory
  FPosX = FStartX;
  FPosY = FStartY;
  FCount = FStartCount;
  if (FCount == 0) {
    const uint16_t last = static_cast<uint16_t>(FSize - 1);
    switch (Random(4)) {
      case 0: Put(0, 0); break;
      case 1: Put(last, 0); break;
      case 2: Put(0, last); break;
      default: Put(last, last); break;
    }
  }
  while (!IsDeadEnd(FPosX, FPosY))
    Step();
  return FCount;
}
