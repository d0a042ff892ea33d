#pragma once
// Checks of the tour search's walks that the core suites share: a position,
// and whether a walk is a real knight's walk continuing its start.

#include <QString>
#include <cstdlib>
#include <utility>
#include <vector>

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

inline TBoard EmptyBoard(int n)
{
  return TBoard(n, std::vector<uint16_t>(n, 0));
}

inline bool IsJump(int fromX, int fromY, int toX, int toY)
{
  const int dx = std::abs(toX - fromX);
  const int dy = std::abs(toY - fromY);
  return (dx == 1 && dy == 2) || (dx == 2 && dy == 1);
}

// Why walk is not a walk of the knight from start (empty when it is): the
// start's numbers kept, the new ones 1 apart on free cells, each a jump from
// the one before (the first from the knight, or a corner on an empty start),
// and the knight on the last.
inline QString WalkFault(const TPosition& walk, const TPosition& start, int n)
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
      if ((x != 0 && x != n - 1) || (y != 0 && y != n - 1))
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

