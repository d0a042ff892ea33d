#include "bench/PlainWalker.h"

#include <algorithm>

#include "board/Random.h"

void TPlainWalker::SetStart(const TBoard& board, int n, uint16_t posX, uint16_t posY,
                            uint16_t count)
{
  ResizeBoard(static_cast<uint8_t>(n));
  for (int x = 0; x < n; ++x)
    std::copy_n(board[x].begin(), n, FBoard[x].begin());
  FStart = FBoard;
  BuildWeights();
  FStartX = FPosX = posX;
  FStartY = FPosY = posY;
  FStartCount = FCount = count;
}

uint16_t TPlainWalker::Walk()
{
  FBoard = FStart;  // same shape, so the copy reuses the columns' memory
  FPosX = FStartX;
  FPosY = FStartY;
  FCount = FStartCount;
  if (FCount == 0) {
    const uint16_t last = static_cast<uint16_t>(FSize - 1);
    switch (Random(4)) {
      case 0: PutKnight(0, 0); break;
      case 1: PutKnight(last, 0); break;
      case 2: PutKnight(0, last); break;
      default: PutKnight(last, last); break;
    }
  }
  while (!IsDeadEnd(FPosX, FPosY))
    GreedyStep();
  return FCount;
}
