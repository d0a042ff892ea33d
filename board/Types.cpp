#include "board/Types.h"

void SetBoardSize(TBoard& board, int n)
{
  board.resize(n);
  for (auto& column : board)
    column.resize(n, 0);
}

bool BoardCovers(const TBoard& board, int n)
{
  if (static_cast<int>(board.size()) < n)
    return false;
  for (int x = 0; x < n; ++x)
    if (static_cast<int>(board[x].size()) < n)
      return false;
  return true;
}
