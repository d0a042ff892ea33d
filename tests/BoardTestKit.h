#pragma once
// Helpers that several board suites share: the board with its game fields
// open, readable state names, an event log, small tables of cells, clicks on
// cells and knight's walks found by search. The walk checks come with
// WalkCheck.h.

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVector>
#include <algorithm>
#include <functional>
#include <vector>

#include "WalkCheck.h"
#include "board/ViltronPan.h"

// The board with its game fields open to the tests.
class TOpenPan : public TViltronPan {
public:
  using TViltronPan::TViltronPan;
  using TBoardModel::FBoard;
  using TBoardModel::FCount;
  using TBoardModel::FLoadedSize;
  using TBoardModel::FPosX;
  using TBoardModel::FPosY;
  using TBoardModel::FState;
};

inline QString StateName(int state)
{
  static const char* const names[] = {"gsPlay",  "gsStop",   "gsNew", "gsShow",
                                      "gsThink", "gsCancel", "gsBest"};
  return state >= 0 && state < 7 ? QString::fromLatin1(names[state])
                                 : QStringLiteral("state %1").arg(state);
}

// One entry of a TEventLog: "OnMove gsPlay 2".
inline QString Item(const char* name, int state, int count)
{
  return QStringLiteral("%1 %2 %3").arg(QLatin1String(name), StateName(state)).arg(count);
}

// Every event of the board, in order, with the state and move count its
// handler saw ("OnStart gsNew 6"). Extra work for OnResize (a host's answer)
// runs after the entry is logged.
class TEventLog {
public:
  explicit TEventLog(TViltronPan& pan) : FPan(pan)
  {
    Hook(pan.OnStart, "OnStart");
    Hook(pan.OnStop, "OnStop");
    Hook(pan.OnWin, "OnWin");
    Hook(pan.OnLose, "OnLose");
    Hook(pan.OnError, "OnError");
    Hook(pan.OnMove, "OnMove");
    Hook(pan.OnStopThinking, "OnStopThinking");
    Hook(pan.OnResize, "OnResize", &OnResize);
    Hook(pan.OnWrongFileType, "OnWrongFileType");
  }

  QStringList Items;
  std::function<void()> OnResize;

private:
  void Hook(TNotifyEvent& event, const char* name, std::function<void()>* then = nullptr)
  {
    event = [this, name, then](QObject* sender) {
      QString item = Item(name, FPan.State(), FPan.Count());
      if (sender != &FPan)
        item += QStringLiteral(" (sender is not the board)");
      Items << item;
      if (then && *then)
        (*then)();
    };
  }

  TViltronPan& FPan;
};

// The n x n square of a board's cells (empty where the board has none).
inline TBoard Square(const TBoard& board, int n)
{
  TBoard square = EmptyBoard(n);
  for (int x = 0; x < n && x < int(board.size()); ++x)
    for (int y = 0; y < n && y < int(board[x].size()); ++y)
      square[x][y] = board[x][y];
  return square;
}

// How many of the first n x n cells hold a number.
inline int NumberedCells(const TBoard& board, int n)
{
  int cells = 0;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      cells += board[x][y] != 0;
  return cells;
}

// A pixel that both mappings (knight cursor and plain pointer) put into cell c.
inline QPoint CellPoint(const TViltronPan& pan, QPoint c)
{
  const int w = pan.SizeOfCell();
  return QPoint(c.x() * w + (w - 1) / 2, c.y() * w + (w - 1) / 2);
}

// A click of the left button on a cell, as the player makes it, through the
// board's mouse events.
inline void ClickCell(TViltronPan& pan, QPoint cell)
{
  QTest::mouseClick(&pan, Qt::LeftButton, Qt::NoModifier, CellPoint(pan, cell));
}

// The player clicks the cells in order.
inline void Play(TViltronPan& pan, const QVector<QPoint>& cells)
{
  for (const QPoint& cell : cells)
    ClickCell(pan, cell);
}

// A knight's walk over an n x n board, found by a depth-first search that
// tries the jumps in a fixed order, or with the fewest onward jumps first.
// full: a walk over every cell; otherwise a walk that gets stuck with cells
// left free.
class TWalkFinder {
public:
  enum TOrder { FixedOrder, FewestOnwardFirst };

  TWalkFinder(int n, bool full, TOrder order = FewestOnwardFirst)
      : N(n), Full(full), Order(order)
  {
  }

  // The first walk found from the top-left corner.
  QVector<QPoint> Find() { return From(QPoint(0, 0), N * N); }

  // The first walk found from `start` of at most `limit` cells, or none.
  QVector<QPoint> From(QPoint start, int limit)
  {
    Used.assign(N, std::vector<bool>(N, false));
    Used[start.x()][start.y()] = true;
    Path = {start};
    Limit = limit;
    return Extend() ? Path : QVector<QPoint>();
  }

private:
  QVector<QPoint> FreeJumps(QPoint p) const
  {
    static const QPoint jumps[8] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                    {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    QVector<QPoint> result;
    for (const QPoint& j : jumps) {
      const QPoint q = p + j;
      if (q.x() >= 0 && q.x() < N && q.y() >= 0 && q.y() < N && !Used[q.x()][q.y()])
        result << q;
    }
    return result;
  }

  bool Extend()
  {
    QVector<QPoint> next = FreeJumps(Path.last());
    if (next.isEmpty())
      return Full ? Path.size() == N * N : Path.size() < N * N;
    if (Path.size() >= Limit)
      return false;
    if (Order == FewestOnwardFirst)
      std::stable_sort(next.begin(), next.end(), [this](QPoint a, QPoint b) {
        return FreeJumps(a).size() < FreeJumps(b).size();
      });
    for (const QPoint& q : next) {
      Used[q.x()][q.y()] = true;
      Path << q;
      if (Extend())
        return true;
      Path.removeLast();
      Used[q.x()][q.y()] = false;
    }
    return false;
  }

  int N;
  bool Full;
  TOrder Order;
  int Limit = 0;
  std::vector<std::vector<bool>> Used;
  QVector<QPoint> Path;
};

// A walk on an n x n board: a complete tour when `full`, otherwise one of the
// shortest walks that strands the knight with free cells left. Start cells
// are tried column by column, jumps in a fixed order.
inline QVector<QPoint> FindShortestWalk(int n, bool full)
{
  TWalkFinder finder(n, full, TWalkFinder::FixedOrder);
  for (int limit = full ? n * n : 2; limit <= n * n; ++limit)
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y) {
        const QVector<QPoint> walk = finder.From(QPoint(x, y), limit);
        if (!walk.isEmpty())
          return walk;
      }
  return {};
}
