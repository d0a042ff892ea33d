// The tour search: when it stops, what it leaves as the best walk, that it
// hands the board back as it found it, and that the fast walker makes exactly
// the walks of the plain greedy algorithm (TPlainWalker) from the same
// random numbers.

#include <QTest>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "WalkCheck.h"
#include "bench/PlainWalker.h"
#include "board/BoardModel.h"
#include "board/Random.h"
#include "board/TourWalker.h"

// Counts the allocations made while GCounting is set (see walkAllocatesNothing).
namespace {
std::atomic<bool> GCounting{false};
std::atomic<long> GAllocations{0};

void* CountedAlloc(std::size_t size)
{
  if (GCounting.load(std::memory_order_relaxed))
    GAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The model with its fields open, counting the walks of a search (the host's
// message pump runs once after each) and setting StopWith after StopAfter of
// them, as a user pressing a button during that walk would.
class TSearchModel : public TOpenModel {
public:
  // Ends a search that would otherwise run on for ever when a test fails.
  static constexpr int WalkLimit = 20000;

  int StopAfter = 0;  // 0: never
  TGameState StopWith = gsBest;
  int Walks = 0;
  std::vector<uint16_t> Lengths;  // each walk's moves, as the board shows them

  void Search(uint64_t seed)
  {
    Walks = 0;
    Lengths.clear();
    RandSeed(seed);
    SearchTour();
  }

protected:
  void ProcessMessages() override
  {
    ++Walks;
    Lengths.push_back(FCount);
    if (Walks == StopAfter)
      FState = StopWith;
    if (Walks == WalkLimit)
      FState = gsCancel;
  }
};

// The walks the plain algorithm makes from start after RandSeed(seed).
std::vector<TPosition> Replay(uint64_t seed, const TPosition& start, int n, int walks)
{
  TPlainWalker walker;
  walker.SetStart(start.Board, n, start.PosX, start.PosY, start.Count);
  RandSeed(seed);
  std::vector<TPosition> result;
  for (int i = 0; i < walks; ++i) {
    walker.Walk();
    result.push_back({walker.Board(), walker.PosX(), walker.PosY(), walker.Count()});
  }
  return result;
}

// What a search from start should end with when the user stops it after
// stopAfter walks (0: never): the number of walks and the best walk.
std::pair<int, TPosition> ExpectedSearch(uint64_t seed, const TPosition& start, int n, int stopAfter)
{
  const int most = stopAfter ? stopAfter : TSearchModel::WalkLimit;
  TPlainWalker walker;
  walker.SetStart(start.Board, n, start.PosX, start.PosY, start.Count);
  RandSeed(seed);
  TPosition best{start.Board, start.PosX, start.PosY, start.Count};
  for (int i = 1; i <= most; ++i) {
    walker.Walk();
    if (walker.Count() > best.Count)
      best = {walker.Board(), walker.PosX(), walker.PosY(), walker.Count()};
    if (best.Count == n * n)
      return {i, best};
  }
  return {most, best};
}

QString SameWalk(const TPosition& a, const TPosition& b)
{
  if (a.Count != b.Count)
    return QStringLiteral("%1 moves against %2").arg(a.Count).arg(b.Count);
  if (a.PosX != b.PosX || a.PosY != b.PosY)
    return QStringLiteral("knight on (%1,%2) against (%3,%4)").arg(a.PosX).arg(a.PosY).arg(b.PosX).arg(b.PosY);
  if (a.Board != b.Board)
    return QStringLiteral("the cells differ");
  return {};
}

std::pair<int, int> Knight(const TSearchModel& m)
{
  return {m.FPosX, m.FPosY};
}

// The search hands the position back as it found it and leaves the state alone.
#define VERIFY_UNTOUCHED(m, start, state)            \
  do {                                               \
    QCOMPARE((m).FBoard, (start).Board);             \
    QCOMPARE((m).FPosX, (start).PosX);               \
    QCOMPARE((m).FPosY, (start).PosY);               \
    QCOMPARE((m).FCount, (start).Count);             \
    QCOMPARE(int((m).FState), int(state));           \
  } while (false)

// A start taken from the plain algorithm's first walk cut after k moves, so
// that it is a position a game can reach.
TPosition StartAfter(int n, int k, uint64_t seed)
{
  const TPosition walk = Replay(seed, {EmptyBoard(n), 0, 0, 0}, n, 1).front();
  TPosition start{EmptyBoard(n), 0, 0, static_cast<uint16_t>(std::min<int>(k, walk.Count))};
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (walk.Board[x][y] != 0 && walk.Board[x][y] <= start.Count) {
        start.Board[x][y] = walk.Board[x][y];
        if (walk.Board[x][y] == start.Count) {
          start.PosX = static_cast<uint16_t>(x);
          start.PosY = static_cast<uint16_t>(y);
        }
      }
  return start;
}

}  // namespace

Q_DECLARE_METATYPE(TPosition)

class TestSearch : public QObject {
  Q_OBJECT

private slots:
  // When the search ends.
  void fiveByFiveEndsWithTheFirstWalk();
  void sixBySixEndsOnlyWhenAsked_data();
  void sixBySixEndsOnlyWhenAsked();
  void fullTourEndsTheSearch_data();
  void fullTourEndsTheSearch();
  void fullBoardMakesOneWalk();
  void stuckKnightKeepsItsPosition();
  void toursAreCommonOnlyOnSomeBoards();

  // What it leaves.
  void stopKeepsTheFirstLongestWalk_data();
  void stopKeepsTheFirstLongestWalk();
  void runningGameKeepsItsMoves_data();
  void runningGameKeepsItsMoves();

  // Boards the search does not handle.
  void refusesBoardsItCannotHold();
  void largestBoardIsSearched();

  // The plain greedy step of the model.
  void greedyStepPrefersTheLighterCell();
  void greedyStepTossesOnlyBetweenEqualCells();
  void greedyStepPutsDeadEndsLast();
  void plainWalkTakesTheLightestJumps();

  // The fast walker against the plain one.
  void walkerMatchesThePlainWalk_data();
  void walkerMatchesThePlainWalk();
  void walkerFollowsOtherWeights();
  void walkerMatchesThePlainWalkInARow();
  void walkAllocatesNothing();
};

void TestSearch::fiveByFiveEndsWithTheFirstWalk()
{
  // Every greedy walk on 5x5 is a full tour, whatever the coin tosses give.
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    TSearchModel m;
    m.Play(5, {});
    m.FPosX = 3;  // meaningless before the first move, but handed back as is
    m.FPosY = 1;
    m.FState = gsThink;
    const TPosition start = m.Position();
    m.Search(seed);
    QCOMPARE(m.Walks, 1);
    QCOMPARE(m.FBest.Count, uint16_t(25));
    const QString fault = WalkFault(m.BestWalk(), start, 5);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    VERIFY_UNTOUCHED(m, start, gsThink);
  }
}

void TestSearch::sixBySixEndsOnlyWhenAsked_data()
{
  QTest::addColumn<int>("stopAfter");
  QTest::addColumn<int>("stopWith");
  for (int walks : {1, 3, 40}) {
    QTest::addRow("best after %d", walks) << walks << int(gsBest);
    QTest::addRow("cancel after %d", walks) << walks << int(gsCancel);
  }
}

void TestSearch::sixBySixEndsOnlyWhenAsked()
{
  // Every greedy walk on 6x6 sticks after 34 moves, so only the user ends the
  // search: right after the walk during which he asked, with the first walk
  // kept as the best since none is longer.
  QFETCH(int, stopAfter);
  QFETCH(int, stopWith);
  const uint64_t seed = 600 + stopAfter;
  TSearchModel m;
  m.Play(6, {});
  m.FState = gsThink;
  m.StopAfter = stopAfter;
  m.StopWith = TGameState(stopWith);
  const TPosition start = m.Position();
  m.Search(seed);
  QCOMPARE(m.Walks, stopAfter);
  for (uint16_t length : m.Lengths)
    QCOMPARE(length, uint16_t(34));
  QCOMPARE(m.FBest.Count, uint16_t(34));
  const TPosition first = Replay(seed, start, 6, 1).front();
  const QString diff = SameWalk(m.BestWalk(), first);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  const QString fault = WalkFault(m.BestWalk(), start, 6);
  QVERIFY2(fault.isEmpty(), qPrintable(fault));
  VERIFY_UNTOUCHED(m, start, stopWith);
}

void TestSearch::fullTourEndsTheSearch_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<uint64_t>("seed");
  for (uint64_t seed : {1, 2, 3, 4})
    QTest::addRow("8x8 seed %d", int(seed)) << 8 << seed;
  QTest::addRow("7x7") << 7 << uint64_t(5);
  QTest::addRow("10x10") << 10 << uint64_t(6);
}

void TestSearch::fullTourEndsTheSearch()
{
  // Left alone, the search ends with the first walk that covers the board.
  QFETCH(int, size);
  QFETCH(uint64_t, seed);
  TSearchModel m;
  m.Play(size, {});
  m.FState = gsThink;
  const TPosition start = m.Position();
  m.Search(seed);
  const auto [walks, best] = ExpectedSearch(seed, start, size, 0);
  QVERIFY2(best.Count == size * size, "the replay found no tour; pick another seed");
  QCOMPARE(m.Walks, walks);
  QCOMPARE(int(m.Lengths.back()), size * size);
  QCOMPARE(int(m.FBest.Count), size * size);
  const QString diff = SameWalk(m.BestWalk(), best);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  const QString fault = WalkFault(m.BestWalk(), start, size);
  QVERIFY2(fault.isEmpty(), qPrintable(fault));
  VERIFY_UNTOUCHED(m, start, gsThink);
}

void TestSearch::fullBoardMakesOneWalk()
{
  // A finished game: one walk that makes no move, and the start is the best.
  TSearchModel m;
  m.Play(5, {});
  m.Search(11);
  const TSolution tour = m.FBest;
  QCOMPARE(tour.Count, uint16_t(25));
  m.FBoard = tour.Board;
  m.FPosX = tour.PosX;
  m.FPosY = tour.PosY;
  m.FCount = tour.Count;
  m.FState = gsStop;
  const TPosition start = m.Position();
  m.Search(12);
  QCOMPARE(m.Walks, 1);
  QCOMPARE(m.Lengths, std::vector<uint16_t>{25});
  QCOMPARE(m.FBest.Board, start.Board);
  QCOMPARE(m.FBest.PosX, start.PosX);
  QCOMPARE(m.FBest.PosY, start.PosY);
  QCOMPARE(m.FBest.Count, uint16_t(25));
  VERIFY_UNTOUCHED(m, start, gsStop);

  // The 1x1 board: the corner move is the whole tour.
  m.Play(1, {});
  m.Search(13);
  QCOMPARE(m.Walks, 1);
  QCOMPARE(m.FBest.Count, uint16_t(1));
  QCOMPARE(m.FBest.Board, TBoard{{1}});
}

void TestSearch::stuckKnightKeepsItsPosition()
{
  // The knight on (0,0) of 5x5 with both its jumps taken: every walk ends at
  // once, none beats the start, and only the user ends the search.
  for (TGameState stopWith : {gsBest, gsCancel}) {
    TSearchModel m;
    m.Play(5, {{1, 2}, {3, 3}, {2, 1}, {0, 0}});
    m.FState = gsThink;
    m.StopAfter = 4;
    m.StopWith = stopWith;
    const TPosition start = m.Position();
    m.Search(21);
    QCOMPARE(m.Walks, 4);
    QCOMPARE(m.Lengths, std::vector<uint16_t>(4, 4));
    QCOMPARE(m.FBest.Board, start.Board);
    QCOMPARE(m.FBest.PosX, uint16_t(0));
    QCOMPARE(m.FBest.PosY, uint16_t(0));
    QCOMPARE(m.FBest.Count, uint16_t(4));
    VERIFY_UNTOUCHED(m, start, stopWith);
  }
}

void TestSearch::toursAreCommonOnlyOnSomeBoards()
{
  // What decides how long a search takes: every walk on 5x5 is a tour and
  // every walk on 6x6 sticks after 34 moves; about 4 % of the walks on 8x8 are
  // tours, under 1 % on 7x7 and about 2 in 1000 on 9x9.
  struct TShare {
    int Size;
    int EveryWalk;  // the length of every walk, 0 when they vary
    double LowPercent;
    double HighPercent;
  };
  const TShare shares[] = {
      {5, 25, 100, 100}, {6, 34, 0, 0}, {7, 0, 0.3, 1.0}, {8, 0, 3, 6}, {9, 0, 0.05, 0.5}};
  const int walks = 20000;
  for (const TShare& share : shares) {
    const int n = share.Size;
    TSearchModel weights;
    weights.Play(n, {});
    weights.BuildWeights();
    TTourWalker walker;
    walker.SetStart(EmptyBoard(n), weights.Weights(), n, 0, 0, 0);
    RandSeed(100 + n);
    int tours = 0;
    int shortest = n * n;
    int longest = 0;
    for (int i = 0; i < walks; ++i) {
      const int length = walker.Walk();
      tours += length == n * n;
      shortest = std::min(shortest, length);
      longest = std::max(longest, length);
    }
    const double percent = 100.0 * tours / walks;
    QVERIFY2(percent >= share.LowPercent && percent <= share.HighPercent,
             qPrintable(QStringLiteral("%1x%1: %2 % tours").arg(n).arg(percent)));
    if (share.EveryWalk) {
      QCOMPARE(shortest, share.EveryWalk);
      QCOMPARE(longest, share.EveryWalk);
    }
  }
}

void TestSearch::stopKeepsTheFirstLongestWalk_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("stopAfter");
  QTest::addColumn<uint64_t>("seed");
  for (int size : {7, 8, 10, 13})
    for (int stopAfter : {1, 2, 9, 60})
      QTest::addRow("%dx%d after %d", size, size, stopAfter)
          << size << stopAfter << uint64_t(1000 * size + stopAfter);
}

void TestSearch::stopKeepsTheFirstLongestWalk()
{
  // Stopped after m walks (or earlier by a full tour), the search keeps the
  // longest walk, the first one of equally long walks, exactly as the plain
  // algorithm replayed from the same seed finds it.
  QFETCH(int, size);
  QFETCH(int, stopAfter);
  QFETCH(uint64_t, seed);
  TSearchModel m;
  m.Play(size, {});
  m.FState = gsThink;
  m.StopAfter = stopAfter;
  const TPosition start = m.Position();
  m.Search(seed);
  const auto [walks, best] = ExpectedSearch(seed, start, size, stopAfter);
  QCOMPARE(m.Walks, walks);
  const QString diff = SameWalk(m.BestWalk(), best);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  const std::vector<TPosition> replay = Replay(seed, start, size, walks);
  for (int i = 0; i < walks; ++i)
    QCOMPARE(m.Lengths[i], replay[i].Count);
  VERIFY_UNTOUCHED(m, start, walks == stopAfter ? gsBest : gsThink);
}

void TestSearch::runningGameKeepsItsMoves_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<TMoves>("moves");
  QTest::newRow("8x8, three moves from the middle") << 8 << TMoves{{3, 3}, {5, 4}, {6, 6}};
  QTest::newRow("8x8, one move on an edge") << 8 << TMoves{{0, 5}};
  QTest::newRow("10x10, five moves") << 10 << TMoves{{4, 4}, {6, 5}, {8, 6}, {9, 8}, {7, 9}};
  QTest::newRow("5x5, two moves") << 5 << TMoves{{2, 2}, {0, 1}};
}

void TestSearch::runningGameKeepsItsMoves()
{
  // From a running game the walks go on from the knight: the moves made stay
  // as they are and the next one is a jump away from the knight.
  QFETCH(int, size);
  QFETCH(TMoves, moves);
  for (uint64_t seed : {31, 32, 33}) {
    TSearchModel m;
    m.Play(size, moves);
    m.FState = gsThink;
    m.StopAfter = 25;
    const TPosition start = m.Position();
    m.Search(seed);
    const TPosition best = m.BestWalk();
    QVERIFY(best.Count > start.Count);
    const QString fault = WalkFault(best, start, size);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const auto [walks, expected] = ExpectedSearch(seed, start, size, 25);
    QCOMPARE(m.Walks, walks);
    const QString diff = SameWalk(best, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    VERIFY_UNTOUCHED(m, start, walks == 25 ? gsBest : gsThink);
  }
}

void TestSearch::refusesBoardsItCannotHold()
{
  // Out of the search's reach: no walk is made, the position stays, and the
  // best walk holds no move beyond the start (nor a table larger than the
  // board's). Run under valgrind or ASan this also shows no read past a table.
  const TSolution marker{TBoard{{7}}, 0, 0, 0};
  {
    TSearchModel m;
    m.Play(TTourWalker::MaxSize + 1, {{0, 0}});
    m.FBest = marker;
    m.FState = gsThink;
    const TPosition start = m.Position();
    m.Search(41);
    QCOMPARE(m.Walks, 0);
    QVERIFY(m.FBest.Count <= start.Count);
    VERIFY_UNTOUCHED(m, start, gsThink);
  }
  {
    // A size larger than the table the board holds.
    TSearchModel m;
    m.Play(8, {{2, 2}});
    m.FBest = marker;
    m.FState = gsThink;
    const TPosition start = m.Position();
    m.FSize = 12;
    m.Search(42);
    QCOMPARE(m.Walks, 0);
    QVERIFY(m.FBest.Count <= start.Count);
    QVERIFY(m.FBest.Board.size() <= 8);
    for (const auto& column : m.FBest.Board)
      QVERIFY(column.size() <= 8);
    m.FSize = 8;
    VERIFY_UNTOUCHED(m, start, gsThink);
  }
  {
    TSearchModel m;
    m.Play(8, {});
    m.FBest = marker;
    m.FSize = 0;
    m.Search(43);
    QCOMPARE(m.Walks, 0);
    QCOMPARE(m.FBest.Count, uint16_t(0));
  }
}

void TestSearch::largestBoardIsSearched()
{
  // The largest size the search takes: a walk as the plain algorithm makes it.
  TSearchModel m;
  m.Play(TTourWalker::MaxSize, {});
  m.FState = gsThink;
  m.StopAfter = 1;
  const TPosition start = m.Position();
  m.Search(44);
  QCOMPARE(m.Walks, 1);
  const TPosition best = m.BestWalk();
  QVERIFY(best.Count > 0);
  const QString fault = WalkFault(best, start, TTourWalker::MaxSize);
  QVERIFY2(fault.isEmpty(), qPrintable(fault));
  const QString diff = SameWalk(best, Replay(44, start, TTourWalker::MaxSize, 1).front());
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  VERIFY_UNTOUCHED(m, start, gsBest);
}

namespace {

// A model on 8x8 with the knight on (2,2) after one move and every one of its
// targets taken except the given ones. Weights of the targets: (4,3) 7,
// (4,1) 5, (0,3) 4, (0,1) 2, (3,4) 7, (3,0) 4, (1,4) 5, (1,0) 2.
void KnightInTheMiddle(TSearchModel& m, const TMoves& free)
{
  m.Play(8, {{2, 2}});
  m.BuildWeights();
  uint16_t number = 100;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      if (IsJump(2, 2, x, y) && std::find(free.begin(), free.end(), std::pair(x, y)) == free.end())
        m.FBoard[x][y] = number++;
}

// The random numbers after RandSeed(seed): the first `draws` of them.
std::vector<int> Draws(uint64_t seed, int draws, int range)
{
  RandSeed(seed);
  std::vector<int> result;
  for (int i = 0; i < draws; ++i)
    result.push_back(Random(range));
  return result;
}

}  // namespace

void TestSearch::greedyStepPrefersTheLighterCell()
{
  // (4,3) weighs 7 and comes first, (0,3) weighs 4: the lighter one is taken
  // and no coin is tossed.
  for (uint64_t seed : {1, 2, 3, 4}) {
    TSearchModel m;
    KnightInTheMiddle(m, {{4, 3}, {0, 3}});
    RandSeed(seed);
    m.GreedyStep();
    QCOMPARE(Knight(m), std::pair(0, 3));
    QCOMPARE(m.FBoard[0][3], uint16_t(2));
    QCOMPARE(m.FCount, uint16_t(2));
    const int after = Random(1 << 30);
    QCOMPARE(after, Draws(seed, 1, 1 << 30).front());
  }
}

void TestSearch::greedyStepTossesOnlyBetweenEqualCells()
{
  // (0,1) and (1,0) both weigh 2; (0,1) comes first, so a coin of 0 moves the
  // knight to (1,0). One coin is tossed; (4,3) weighs more and takes none.
  int toFirst = 0;
  for (uint64_t seed = 1; seed <= 16; ++seed) {
    TSearchModel m;
    KnightInTheMiddle(m, {{4, 3}, {0, 1}, {1, 0}});
    const int coin = Draws(seed, 1, 2).front();
    RandSeed(seed);
    m.GreedyStep();
    const std::pair<int, int> expected = coin == 0 ? std::pair(1, 0) : std::pair(0, 1);
    QCOMPARE(Knight(m), expected);
    const int after = Random(1 << 30);
    QCOMPARE(after, Draws(seed, 2, 1 << 30).back());
    toFirst += expected == std::pair(0, 1);
  }
  QVERIFY(toFirst > 0 && toFirst < 16);  // both outcomes seen
}

void TestSearch::greedyStepPutsDeadEndsLast()
{
  // (0,1) weighs 2 but is a dead end once (2,0) and (1,3) are taken; the
  // heavier (4,3) wins, with no coin.
  TSearchModel m;
  KnightInTheMiddle(m, {{4, 3}, {0, 1}});
  m.FBoard[2][0] = 50;
  m.FBoard[1][3] = 51;
  QVERIFY(m.IsDeadEnd(0, 1));
  RandSeed(5);
  m.GreedyStep();
  QCOMPARE(Knight(m), std::pair(4, 3));
  const int after = Random(1 << 30);
  QCOMPARE(after, Draws(5, 1, 1 << 30).front());

  // With nothing but dead ends, the lightest of them is taken.
  KnightInTheMiddle(m, {{4, 3}, {0, 1}});
  for (const auto& [x, y] :
       TMoves{{2, 0}, {1, 3}, {6, 4}, {6, 2}, {2, 4}, {5, 5}, {5, 1}, {3, 5}, {3, 1}})
    m.FBoard[x][y] = 60;
  QVERIFY(m.IsDeadEnd(0, 1));
  QVERIFY(m.IsDeadEnd(4, 3));
  m.GreedyStep();
  QCOMPARE(Knight(m), std::pair(0, 1));
}

namespace {

// Why a walk from an empty n x n board is not greedy (empty when it is): each
// move after the first on a free jump of the least weight, a jump with no
// free onward jump weighing 10000 more, and the last move with no free jump.
QString GreedyFault(const TPosition& walk, const TBoard& weights, int n)
{
  // Free before move v: empty, or numbered v or later.
  auto freeJumps = [&](QPoint from, int v, QPoint besides) {
    int jumps = 0;
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y)
        jumps += IsJump(from.x(), from.y(), x, y) && QPoint(x, y) != besides &&
                 (walk.Board[x][y] == 0 || walk.Board[x][y] >= v);
    return jumps;
  };
  auto weight = [&](QPoint c, int v) {
    return weights[c.x()][c.y()] + (freeJumps(c, v + 1, c) == 0 ? 10000 : 0);
  };
  for (int v = 2; v <= walk.Count; ++v) {
    const QPoint from = CellOf(walk.Board, n, v - 1);
    const QPoint to = CellOf(walk.Board, n, v);
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y)
        if (IsJump(from.x(), from.y(), x, y) && (walk.Board[x][y] == 0 || walk.Board[x][y] >= v) &&
            weight(QPoint(x, y), v) < weight(to, v))
          return QStringLiteral("move %1 went to (%2,%3), (%4,%5) was lighter")
              .arg(v).arg(to.x()).arg(to.y()).arg(x).arg(y);
  }
  if (freeJumps(QPoint(walk.PosX, walk.PosY), walk.Count + 1, QPoint(-1, -1)) != 0)
    return QStringLiteral("the walk stopped with a free jump left");
  return {};
}

}  // namespace

void TestSearch::plainWalkTakesTheLightestJumps()
{
  // The reference walk, made of the model's own step, is a real walk from a
  // corner, each step greedy, and it goes on until the knight is stuck.
  for (int n : {5, 6, 8, 11, 16}) {
    TPlainWalker plain;
    plain.SetStart(EmptyBoard(n), n, 0, 0, 0);
    for (uint64_t seed = 1; seed <= 30; ++seed) {
      RandSeed(seed);
      plain.Walk();
      const TPosition walk{plain.Board(), plain.PosX(), plain.PosY(), plain.Count()};
      const QString where = QStringLiteral("%1x%1 seed %2: ").arg(n).arg(seed);
      const QString fault = WalkFault(walk, {EmptyBoard(n), 0, 0, 0}, n);
      QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
      const QString greedy = GreedyFault(walk, plain.Weights(), n);
      QVERIFY2(greedy.isEmpty(), qPrintable(where + greedy));
    }
  }
}

void TestSearch::walkerMatchesThePlainWalk_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<TPosition>("start");
  QTest::addColumn<int>("seeds");
  // Odd and even sides, whose middles lie differently, up to the largest.
  for (int n : {5, 6, 7, 8, 9, 10, 11, 12, 20, 50, 51, 100, 181})
    QTest::addRow("empty %dx%d", n, n) << n << TPosition{EmptyBoard(n), 0, 0, 0} << (n < 20 ? 300 : n <= 20 ? 100 : n <= 51 ? 25 : 8);
  for (int n : {5, 8, 12, 20, 50, 51, 100})
    for (int k : {1, 3, 10})
      QTest::addRow("%dx%d after %d moves", n, n, k) << n << StartAfter(n, k, 70 + n + k) << (n < 51 ? 60 : 12);

  // Positions a game does not reach, handed over all the same.
  TPosition loaded{EmptyBoard(8), 5, 5, 0};  // numbers, yet no move counted
  loaded.Board[0][0] = 9;
  loaded.Board[2][1] = 3;
  loaded.Board[7][7] = 4;
  QTest::newRow("numbers without moves") << 8 << loaded << 60;
  TPosition freeKnight = StartAfter(8, 6, 90);
  freeKnight.Board[freeKnight.PosX][freeKnight.PosY] = 0;
  QTest::newRow("knight on a free cell") << 8 << freeKnight << 60;
  QTest::newRow("knight just off the board") << 8 << TPosition{EmptyBoard(8), 8, 3, 2} << 60;
  QTest::newRow("knight two cells off") << 8 << TPosition{EmptyBoard(8), 9, 6, 2} << 60;
  QTest::newRow("knight far off") << 8 << TPosition{EmptyBoard(8), 300, 2, 2} << 20;
}

void TestSearch::walkerMatchesThePlainWalk()
{
  // Seeded alike before each walk, the two walkers make the same walk and
  // draw the same random numbers (the next draw after the walk agrees).
  QFETCH(int, size);
  QFETCH(TPosition, start);
  QFETCH(int, seeds);
  TPlainWalker plain;
  plain.SetStart(start.Board, size, start.PosX, start.PosY, start.Count);
  TTourWalker fast;
  fast.SetStart(start.Board, plain.Weights(), size, start.PosX, start.PosY, start.Count);
  TBoard cells = EmptyBoard(size);
  for (uint64_t seed = 1; seed <= uint64_t(seeds); ++seed) {
    RandSeed(seed);
    const uint16_t count = fast.Walk();
    const int nextFast = Random(1 << 30);
    fast.CopyCellsTo(cells);
    RandSeed(seed);
    plain.Walk();
    const int nextPlain = Random(1 << 30);
    QCOMPARE(count, fast.Count());
    const QString diff = SameWalk({cells, fast.PosX(), fast.PosY(), fast.Count()},
                                  {plain.Board(), plain.PosX(), plain.PosY(), plain.Count()});
    QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(diff)));
    QVERIFY2(nextFast == nextPlain, qPrintable(QStringLiteral("seed %1: different draws").arg(seed)));
  }
}

void TestSearch::walkerFollowsOtherWeights()
{
  // Weights of other shapes than the game's, where few cells or none have
  // the neighbours' weights the walker's quick choice knows: its walks still
  // follow the plain walk, draw for draw.
  for (int shape : {0, 1, 2}) {
    for (int n : {8, 20, 37}) {
      TPlainWalker plain;
      plain.SetStart(EmptyBoard(n), n, 0, 0, 0);
      TBoard weights = plain.Weights();
      for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
          uint16_t& w = weights[x][y];
          w = shape == 0 ? 7 : shape == 1 ? uint16_t(1 + (x * 31 + y * 17) % 97) : uint16_t(w + ((x + 2 * y) % 7 == 0));
        }
      plain.SetWeights(weights);
      TTourWalker fast;
      fast.SetStart(EmptyBoard(n), weights, n, 0, 0, 0);
      for (uint64_t seed = 1; seed <= 15; ++seed) {
        RandSeed(seed);
        fast.Walk();
        const int nextFast = Random(1 << 30);
        TBoard cells = EmptyBoard(n);
        fast.CopyCellsTo(cells);
        RandSeed(seed);
        plain.Walk();
        const int next = Random(1 << 30);
        const TPosition walk{plain.Board(), plain.PosX(), plain.PosY(), plain.Count()};
        const QString diff = SameWalk({cells, fast.PosX(), fast.PosY(), fast.Count()}, walk);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("shape %1, %2x%2 seed %3: %4").arg(shape).arg(n).arg(seed).arg(diff)));
        QCOMPARE(nextFast, next);
      }
    }
  }
}

void TestSearch::walkerMatchesThePlainWalkInARow()
{
  // As in a search: one seed, then walk after walk from the same start.
  for (int n : {6, 9, 31}) {
    const TPosition start = StartAfter(n, 2, 5);
    TPlainWalker reference;
    reference.SetStart(start.Board, n, start.PosX, start.PosY, start.Count);
    TTourWalker fast;
    fast.SetStart(start.Board, reference.Weights(), n, start.PosX, start.PosY, start.Count);
    TBoard cells = EmptyBoard(n);
    RandSeed(77);
    std::vector<TPosition> walks;
    for (int i = 0; i < 100; ++i) {
      fast.Walk();
      fast.CopyCellsTo(cells);
      walks.push_back({cells, fast.PosX(), fast.PosY(), fast.Count()});
    }
    const std::vector<TPosition> plain = Replay(77, start, n, 100);
    for (int i = 0; i < 100; ++i) {
      const QString diff = SameWalk(walks[i], plain[i]);
      QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("%1x%1 walk %2: %3").arg(n).arg(i).arg(diff)));
    }
  }
}

void TestSearch::walkAllocatesNothing()
{
  for (int n : {5, 8, 50, 100}) {
    TSearchModel weights;
    weights.Play(n, {});
    weights.BuildWeights();
    TTourWalker walker;
    walker.SetStart(EmptyBoard(n), weights.Weights(), n, 0, 0, 0);
    RandSeed(9);
    GAllocations = 0;
    GCounting = true;
    long moves = 0;
    for (int i = 0; i < 200; ++i)
      moves += walker.Walk();
    GCounting = false;
    QVERIFY(moves > 0);
    QCOMPARE(GAllocations.load(), 0L);
  }
}

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
