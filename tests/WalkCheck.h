#pragma once
// Helpers that every suite may share, widgets or none: positions and moves,
// the knight's jump told by its geometry, and whether the numbers on a board
// are a real knight's walk. Also the game model with its fields open.

#include <QPoint>
#include <QString>
#include <cstdlib>
#include <utility>
#include <vector>

#include "board/BoardModel.h"
#include "board/Types.h"

// Moves of a game, cell by cell.
using TMoves = std::vector<std::pair<int, int>>;

// A position, the start of a search or the end of a walk: the cells, the
// knight's cell and the number of moves.
struct TPosition {
  TBoard Board;
  uint16_t PosX = 0;
  uint16_t PosY = 0;
  uint16_t Count = 0;
};

// An n x n table of empty cells.
inline TBoard EmptyBoard(int n)
{
  return TBoard(n, std::vector<uint16_t>(n, 0));
}

// The knight's jump told by its geometry: one square one way, two the other.
inline bool IsJump(int fromX, int fromY, int toX, int toY)
{
  const int dx = std::abs(toX - fromX);
  const int dy = std::abs(toY - fromY);
  return (dx == 1 && dy == 2) || (dx == 2 && dy == 1);
}
inline bool IsJump(QPoint from, QPoint to)
{
  return IsJump(from.x(), from.y(), to.x(), to.y());
}

inline bool IsCorner(int x, int y, int n)
{
  return (x == 0 || x == n - 1) && (y == 0 || y == n - 1);
}
inline bool IsCorner(QPoint cell, int n)
{
  return IsCorner(cell.x(), cell.y(), n);
}

// The cell of the first n x n holding number k, or (-1, -1).
inline QPoint CellOf(const TBoard& board, int n, int k)
{
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (board[x][y] == k)
        return QPoint(x, y);
  return QPoint(-1, -1);
}

// Where the first move of a walk from an empty board may stand: a search
// begins in a corner, a player anywhere.
enum class TFirstMove { InACorner, Anywhere };

// Why walk is not a walk of the knight from start (empty when it is): the
// start's numbers kept, the new ones 1 apart on free cells, each a jump from
// the one before (the first from the knight, or on an empty start as
// `first` says), and the knight on the last.
inline QString WalkFault(const TPosition& walk, const TPosition& start, int n,
                         TFirstMove first = TFirstMove::InACorner)
{
  if (walk.Count < start.Count)
    return QStringLiteral("the walk has fewer moves than its start");
  std::vector<std::pair<int, int>> cellOf(walk.Count + 1, {-1, -1});
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int v = walk.Board[x][y];
      const int before = start.Board[x][y];
      if (before != 0 && v != before)
        return QStringLiteral("cell (%1,%2) changed from %3 to %4").arg(x).arg(y).arg(before).arg(v);
      if (before == 0 && v != 0) {
        if (v <= start.Count || v > walk.Count)
          return QStringLiteral("cell (%1,%2) holds %3").arg(x).arg(y).arg(v);
        if (cellOf[v].first >= 0)
          return QStringLiteral("move %1 appears twice").arg(v);
        cellOf[v] = {x, y};
      }
    }
  for (int v = start.Count + 1; v <= walk.Count; ++v) {
    const auto [x, y] = cellOf[v];
    if (x < 0)
      return QStringLiteral("move %1 is missing").arg(v);
    if (v == 1) {
      if (first == TFirstMove::InACorner && !IsCorner(x, y, n))
        return QStringLiteral("the walk starts on (%1,%2), no corner").arg(x).arg(y);
    } else {
      const auto [px, py] = v == start.Count + 1 ? std::pair<int, int>(start.PosX, start.PosY)
                                                  : cellOf[v - 1];
      if (!IsJump(px, py, x, y))
        return QStringLiteral("move %1 on (%2,%3) is no jump from (%4,%5)")
            .arg(v).arg(x).arg(y).arg(px).arg(py);
    }
  }
  if (walk.Count > start.Count && std::pair<int, int>(walk.PosX, walk.PosY) != cellOf[walk.Count])
    return QStringLiteral("the knight is not on the last move");
  return {};
}

// Why the first n x n cells of board are not a game of count moves (empty
// when they are): the numbers 1 to count once each and nothing else, each a
// jump from the one before, the knight on the last.
inline QString GameFault(const TBoard& board, int n, int count, int posX, int posY)
{
  return WalkFault({board, uint16_t(posX), uint16_t(posY), uint16_t(count)},
                   {EmptyBoard(n), 0, 0, 0}, n, TFirstMove::Anywhere);
}
// The same for a game's own board and knight.
inline QString GameFault(const TBoardModel& game, int count)
{
  return GameFault(game.Board(), game.Size(), count, game.PosX(), game.PosY());
}

// The game model with its fields open to the tests.
class TOpenModel : public TBoardModel {
public:
  using TBoardModel::ClearBoard;
  using TBoardModel::FBest;
  using TBoardModel::FBoard;
  using TBoardModel::FCount;
  using TBoardModel::FLongestOwnWalk;
  using TBoardModel::FPosX;
  using TBoardModel::FPosY;
  using TBoardModel::FSize;
  using TBoardModel::FState;
  using TBoardModel::FWeights;
  using TBoardModel::ResizeBoard;

  // An empty n x n board, then the given moves in order, unchecked.
  void Play(int n, const TMoves& moves)
  {
    ResizeBoard(static_cast<uint8_t>(n));
    ClearBoard();
    for (const auto& [x, y] : moves)
      PutKnight(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
  }
  // The position the board fields show, and the best walk of the last search.
  TPosition Position() const { return {FBoard, FPosX, FPosY, FCount}; }
  TPosition BestWalk() const { return {FBest.Board, FBest.PosX, FBest.PosY, FBest.Count}; }
};
