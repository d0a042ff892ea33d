#include "board/BoardModel.h"

#include <algorithm>

#include "board/KnightMoves.h"
#include "board/Random.h"

TBoardModel::TBoardModel()
{
  SetBoardSize(FBoard, FSize);
}

void TBoardModel::ResizeBoard(uint8_t n)
{
  FSize = n;
  SetBoardSize(FBoard, n);
}

void TBoardModel::ClearBoard()
{
  for (int x = 0; x < FSize; ++x)
    for (int y = 0; y < FSize; ++y)
      FBoard[x][y] = 0;
  FCount = 0;
}

bool TBoardModel::IsWrongMove(int32_t x, int32_t y) const
{
  bool jump = false;
  for (const TKnightMove& m : KnightMoves)
    if (int32_t(FPosX) + m.dx == x && int32_t(FPosY) + m.dy == y)
      jump = true;
  if (!jump && FCount != 0)
    return true;
  return !(OnBoard(x, y, FSize) && FBoard[x][y] == 0);
}

bool TBoardModel::IsDeadEnd(uint16_t x, uint16_t y) const
{
  for (const TKnightMove& m : KnightMoves) {
    const int cx = x + m.dx;
    const int cy = y + m.dy;
    if (OnBoard(cx, cy, FSize) && FBoard[cx][cy] == 0)
      return false;
  }
  return true;
}

void TBoardModel::PutKnight(uint16_t x, uint16_t y)
{
  ++FCount;
  FBoard[x][y] = FCount;
  FPosX = x;
  FPosY = y;
}

void TBoardModel::BuildWeights()
{
  const int n = FSize;
  SetBoardSize(FWeights, n);
  auto edge = [n](int k) { return std::min(k, n - 1 - k); };
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      FWeights[x][y] = static_cast<uint16_t>(1 + edge(x) + edge(y));
}

void TBoardModel::GreedyStep()
{
  uint16_t best = 0xFFFF;
  uint16_t chosenX = 0;
  uint16_t chosenY = 0;
  for (const TKnightMove& m : KnightMoves) {
    const uint16_t cx = static_cast<uint16_t>(FPosX + m.dx);
    const uint16_t cy = static_cast<uint16_t>(FPosY + m.dy);
    if (cx >= FSize || cy >= FSize || FBoard[cx][cy] != 0)
      continue;
    uint16_t w = FWeights[cx][cy];
    if (IsDeadEnd(cx, cy))
      w = static_cast<uint16_t>(w + 10000);
    if (w < best || (w == best && Random(2) == 0)) {
      best = w;
      chosenX = cx;
      chosenY = cy;
    }
  }
  PutKnight(chosenX, chosenY);
}

void TBoardModel::CopyBoard(TBoard& dest, const TBoard& source) const
{
  const int n = FSize;
  dest.assign(n, std::vector<uint16_t>(n));
  for (int x = 0; x < n; ++x)
    std::copy_n(source[x].begin(), n, dest[x].begin());
}

void TBoardModel::SearchTour()
{
  const int n = FSize;
  // A board whose table does not match its size cannot be searched (nor its
  // result used); refuse rather than read past a table.
  if (n < 1 || !BoardCovers(FBoard, n)) {
    FBest = TSolution();
    return;
  }

  BuildWeights();
  const uint16_t startX = FPosX;
  const uint16_t startY = FPosY;
  const uint16_t startCount = FCount;
  CopyBoard(FBest.Board, FBoard);
  FBest.PosX = startX;
  FBest.PosY = startY;
  FBest.Count = startCount;
  // Beyond this size the full-tour test is no longer exact: the best stays
  // the start position.
  if (n > TTourWalker::MaxSize)
    return;

  uint16_t bestLength = startCount;
  const int16_t full = static_cast<int16_t>(n * n);
  FWalker.SetStart(FBoard, FWeights, n, startX, startY, startCount);
  TBoard start;
  CopyBoard(start, FBoard);

  // The walk in progress lives in the walker; after every walk the board
  // fields show the finished walk, as the host may look at them meanwhile.
  for (;;) {
    const uint16_t length = FWalker.Walk();
    FWalker.CopyCellsTo(FBoard);
    FPosX = FWalker.PosX();
    FPosY = FWalker.PosY();
    FCount = length;
    if (length > bestLength) {
      bestLength = length;
      FWalker.CopyCellsTo(FBest.Board);
      FBest.PosX = FPosX;
      FBest.PosY = FPosY;
      FBest.Count = length;
    }
    ProcessMessages();
    // A host that resized the board meanwhile broke the search's contract:
    // stop without touching the new board.
    if (FSize != n)
      return;
    if (static_cast<int16_t>(bestLength) == full || FState == gsCancel || FState == gsBest)
      break;
  }

  FBoard = start;
  FPosX = startX;
  FPosY = startY;
  FCount = startCount;
}
