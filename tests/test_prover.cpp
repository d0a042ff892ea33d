// The tour prover: its verdicts agree with an exhaustive search, each
// impossible position gets its reason and blamed cells, and a "possible"
// always comes with a full tour continuing the position.

#include <QTest>
#include <algorithm>
#include <random>
#include <vector>

#include "board/KnightMoves.h"
#include "board/TourProver.h"

namespace {

using TMoves = std::vector<TProofCell>;

struct TPosition {
  TBoard Board;
  int N = 0;
  TProofCell Knight;
  uint16_t Count = 0;
};

TPosition Played(int n, const TMoves& moves)
{
  TPosition p{TBoard(n, std::vector<uint16_t>(n, 0)), n, {}, 0};
  for (const TProofCell& m : moves) {
    p.Board[m.X][m.Y] = ++p.Count;
    p.Knight = m;
  }
  return p;
}

// Plain depth-first search over every continuation, fewest onward jumps
// first (the order only speeds it up): true when one fills the board.
bool Finishable(TPosition& p, int free)
{
  if (free == 0)
    return true;
  const int n = p.N;
  auto onward = [&p, n](int x, int y) {
    int count = 0;
    for (const TKnightMove& m : KnightMoves)
      count += OnBoard(x + m.dx, y + m.dy, n) && p.Board[x + m.dx][y + m.dy] == 0;
    return count;
  };
  std::vector<std::pair<int, TProofCell>> next;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (p.Board[x][y] == 0 &&
          (p.Count == 0 || IsKnightJump(x - p.Knight.X, y - p.Knight.Y)))
        next.push_back({onward(x, y), {uint16_t(x), uint16_t(y)}});
  std::stable_sort(next.begin(), next.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [degree, to] : next) {
    const TProofCell before = p.Knight;
    p.Board[to.X][to.Y] = ++p.Count;
    p.Knight = to;
    const bool done = Finishable(p, free - 1);
    p.Board[to.X][to.Y] = 0;
    --p.Count;
    p.Knight = before;
    if (done)
      return true;
  }
  return false;
}

int FreeCells(const TPosition& p)
{
  int free = 0;
  for (const auto& column : p.Board)
    for (uint16_t v : column)
      free += v == 0;
  return free;
}

// Checked here on its own terms: every number once, each a jump from the one
// before, the position's moves kept.
QString TourFault(const TSolution& tour, const TPosition& p)
{
  const int n = p.N;
  std::vector<TProofCell> at(n * n + 1);
  std::vector<bool> seen(n * n + 1, false);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int v = tour.Board[x][y];
      if (v < 1 || v > n * n || seen[v])
        return QStringLiteral("number %1 at %2,%3").arg(v).arg(x).arg(y);
      if (p.Board[x][y] != 0 && p.Board[x][y] != v)
        return QStringLiteral("move %1 changed").arg(p.Board[x][y]);
      seen[v] = true;
      at[v] = {uint16_t(x), uint16_t(y)};
    }
  for (int v = 2; v <= n * n; ++v)
    if (!IsKnightJump(at[v].X - at[v - 1].X, at[v].Y - at[v - 1].Y))
      return QStringLiteral("move %1 is no jump").arg(v);
  if (tour.Count != n * n || !(TProofCell{tour.PosX, tour.PosY} == at[n * n]))
    return QStringLiteral("knight or count wrong");
  return {};
}

// Every position within `depth` moves of the empty board.
void Reachable(TPosition& p, int depth, std::vector<TPosition>& out)
{
  out.push_back(p);
  if (depth == 0)
    return;
  for (int x = 0; x < p.N; ++x)
    for (int y = 0; y < p.N; ++y) {
      if (p.Board[x][y] != 0 ||
          (p.Count != 0 && !IsKnightJump(x - p.Knight.X, y - p.Knight.Y)))
        continue;
      const TProofCell before = p.Knight;
      p.Board[x][y] = ++p.Count;
      p.Knight = {uint16_t(x), uint16_t(y)};
      Reachable(p, depth - 1, out);
      p.Board[x][y] = 0;
      --p.Count;
      p.Knight = before;
    }
}

// Walks that mostly follow the fewest onward jumps, one move in ten at
// random, cut once at most `free` cells are left or the knight is stuck.
std::vector<TPosition> RandomNearEnd(int n, int free, int positions, unsigned seed)
{
  std::mt19937 random(seed);
  std::vector<TPosition> out;
  while (static_cast<int>(out.size()) < positions) {
    TPosition p = Played(n, {{uint16_t(random() % n), uint16_t(random() % n)}});
    const int cut = static_cast<int>(random() % (free + 1));
    for (;;) {
      if (FreeCells(p) <= cut) {
        out.push_back(p);
        break;
      }
      std::vector<std::pair<int, TProofCell>> next;
      for (const TKnightMove& m : KnightMoves) {
        const int x = p.Knight.X + m.dx;
        const int y = p.Knight.Y + m.dy;
        if (!OnBoard(x, y, n) || p.Board[x][y] != 0)
          continue;
        int onward = 0;
        for (const TKnightMove& o : KnightMoves)
          onward += OnBoard(x + o.dx, y + o.dy, n) && p.Board[x + o.dx][y + o.dy] == 0;
        next.push_back({onward, {uint16_t(x), uint16_t(y)}});
      }
      if (next.empty())
        break;  // stuck early: not near the end
      std::sort(next.begin(), next.end(), [](auto& a, auto& b) { return a.first < b.first; });
      const TProofCell to = next[random() % 10 == 0 ? random() % next.size() : 0].second;
      p.Board[to.X][to.Y] = ++p.Count;
      p.Knight = to;
    }
  }
  return out;
}

}  // namespace

Q_DECLARE_METATYPE(TMoves)

class TestProver : public QObject {
  Q_OBJECT

private slots:
  void agreesWithExhaustiveSearch_data();
  void agreesWithExhaustiveSearch();
  void positions_data();
  void positions();
  void stopsWithoutVerdict_data();
  void stopsWithoutVerdict();
};

void TestProver::agreesWithExhaustiveSearch_data()
{
  QTest::addColumn<int>("n");
  QTest::addColumn<int>("depth");  // every position this many moves in; 0: random ones
  QTest::newRow("5x5, first 2 moves") << 5 << 2;
  QTest::newRow("6x6, first move") << 6 << 1;
  QTest::newRow("7x7, 20 free cells or fewer") << 7 << 0;
  QTest::newRow("8x8, 20 free cells or fewer") << 8 << 0;
}

void TestProver::agreesWithExhaustiveSearch()
{
  QFETCH(int, n);
  QFETCH(int, depth);
  std::vector<TPosition> positions;
  if (depth > 0) {
    TPosition empty = Played(n, {});
    Reachable(empty, depth, positions);
  } else {
    positions = RandomNearEnd(n, 20, 300, 1000u + n);
  }
  TTourProver prover;
  int possible = 0;
  int impossible = 0;
  for (TPosition& p : positions) {
    const TProofVerdict verdict = prover.Prove(p.Board, n, p.Knight.X, p.Knight.Y, p.Count);
    QVERIFY2(verdict != TProofVerdict::Undetermined, "no verdict");
    const bool truth = Finishable(p, FreeCells(p));
    QCOMPARE(verdict == TProofVerdict::Possible, truth);
    if (truth)
      QCOMPARE(TourFault(prover.Tour(), p), QString());
    (truth ? possible : impossible)++;
  }
  // Both verdicts must have been put to the test.
  QVERIFY(possible > 0);
  if (n != 6)
    QVERIFY(impossible > 0);
}

void TestProver::positions_data()
{
  QTest::addColumn<int>("n");
  QTest::addColumn<TMoves>("moves");
  QTest::addColumn<int>("verdict");
  QTest::addColumn<int>("reason");
  QTest::addColumn<TMoves>("blamed");
  QTest::addColumn<int>("own");  // colour counts, for a colour reason
  QTest::addColumn<int>("other");
  const int possible = int(TProofVerdict::Possible);
  const int impossible = int(TProofVerdict::Impossible);

  QTest::newRow("corner cut off") << 8 << TMoves{{1, 2}, {3, 3}, {2, 1}, {4, 2}} << impossible
                                  << int(TProofReason::Unreachable) << TMoves{{0, 0}} << 0 << 0;
  QTest::newRow("7x7 started on the minority colour")
      << 7 << TMoves{{0, 1}} << impossible << int(TProofReason::Colours) << TMoves{} << 23 << 25;
  QTest::newRow("two cells with a single way in")
      << 8 << TMoves{{1, 2}, {3, 3}, {4, 1}, {6, 2}, {7, 4}} << impossible
      << int(TProofReason::SingleWays) << TMoves{{0, 0}, {7, 0}} << 0 << 0;
  QTest::newRow("free cells split in two")
      << 6 << TMoves{{5, 5}, {4, 3}, {2, 2}, {1, 4}, {3, 3}, {5, 2}, {4, 4}, {2, 3}, {4, 2}}
      << impossible << int(TProofReason::Split) << TMoves{{3, 5}, {5, 4}} << 0 << 0;
  QTest::newRow("dead end beside the knight")
      << 5 << TMoves{{2, 1}, {3, 3}, {1, 2}} << impossible << int(TProofReason::DeadEnd)
      << TMoves{{0, 0}} << 0 << 0;
  QTest::newRow("knight stuck") << 5 << TMoves{{2, 1}, {3, 3}, {1, 2}, {0, 0}} << impossible
                                << int(TProofReason::Stuck) << TMoves{} << 0 << 0;
  for (int n : {5, 6, 51, 100})
    QTest::addRow("empty %dx%d", n, n) << n << TMoves{} << possible << int(TProofReason::None)
                                       << TMoves{} << 0 << 0;
}

void TestProver::positions()
{
  QFETCH(int, n);
  QFETCH(TMoves, moves);
  QFETCH(int, verdict);
  QFETCH(int, reason);
  QFETCH(TMoves, blamed);
  const TPosition p = Played(n, moves);
  TTourProver prover;
  QCOMPARE(int(prover.Prove(p.Board, n, p.Knight.X, p.Knight.Y, p.Count)), verdict);
  QCOMPARE(int(prover.Reason()), reason);
  QCOMPARE(prover.Blamed(), blamed);
  if (reason == int(TProofReason::Colours)) {
    QTEST(prover.OwnColour(), "own");
    QTEST(prover.OtherColour(), "other");
  }
  if (verdict == int(TProofVerdict::Possible)) {
    QCOMPARE(TourFault(prover.Tour(), p), QString());
    // The finished board is a won game: proved as it stands.
    const TSolution tour = prover.Tour();
    QCOMPARE(prover.Prove(tour.Board, n, tour.PosX, tour.PosY, tour.Count),
             TProofVerdict::Possible);
    QCOMPARE(prover.Tour().Board, tour.Board);
  }
}

void TestProver::stopsWithoutVerdict_data()
{
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<int>("nodes");
  QTest::addColumn<int>("reason");
  QTest::newRow("cancelled before it starts") << true << 0 << int(TProofReason::Cancelled);
  QTest::newRow("node budget spent") << false << 2000 << int(TProofReason::Budget);
}

void TestProver::stopsWithoutVerdict()
{
  QFETCH(bool, cancel);
  QFETCH(int, nodes);
  // 100 x 100 needs ten thousand nodes at least.
  const TPosition p = Played(100, {{50, 50}});
  TTourProver prover;
  prover.SetBudget(std::chrono::seconds(5), nodes);
  if (cancel)
    prover.Cancel();
  QCOMPARE(prover.Prove(p.Board, 100, 50, 50, 1), TProofVerdict::Undetermined);
  QTEST(int(prover.Reason()), "reason");
  QCOMPARE(prover.Tour().Count, uint16_t(0));
  // Cleared, the next proof runs to its verdict.
  prover.ClearCancel();
  prover.SetBudget(std::chrono::seconds(5));
  QCOMPARE(prover.Prove(p.Board, 100, 50, 50, 1), TProofVerdict::Possible);
}

QTEST_APPLESS_MAIN(TestProver)
#include "test_prover.moc"
