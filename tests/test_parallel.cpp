// The tour search with several walkers at once: it finds real tours, stops on
// the user's word with the longest walk, hands the board back, and leaves no
// walker running once it has returned (also when it is left by an exception
// or when a search runs inside another). Built a second time under
// ThreadSanitizer.

#include <QTest>
#include <stdexcept>

#include "WalkCheck.h"
#include "board/BoardModel.h"
#include "board/Random.h"
#include "board/SearchPool.h"

namespace {

// A model searching with three walkers, which the "user" stops after a number
// of message dispatches. Each dispatch notes the walk the board fields show.
class TParallelModel : public TOpenModel {
public:
  static constexpr int DispatchLimit = 200000;

  TParallelModel() { SetSearchWalkers(3); }

  int StopAfter = 0;  // dispatches; 0: never
  TGameState StopWith = gsBest;
  enum { Nothing, Throw, Resize, SearchInside } AtStop = Nothing;
  int Dispatches = 0;
  uint16_t LongestShown = 0;
  QString ShownFault;  // the first shown walk that was no walk of the start
  TPosition Start;

protected:
  void ProcessMessages() override
  {
    ++Dispatches;
    LongestShown = std::max(LongestShown, FCount);
    if (ShownFault.isEmpty())
      ShownFault = WalkFault(Position(), Start, FSize);
    if (Dispatches == StopAfter) {
      switch (AtStop) {
        case Throw: throw std::runtime_error("an error in a handler");
        case Resize: ResizeBoard(static_cast<uint8_t>(FSize + 1)); return;
        case SearchInside: {
          TParallelModel inner;
          inner.Play(5, {});
          inner.Start = inner.Position();
          inner.SearchTour();
          QCOMPARE(int(inner.FBest.Count), 25);
          break;
        }
        case Nothing: break;
      }
      FState = StopWith;
    }
    if (Dispatches == DispatchLimit)
      FState = gsCancel;
  }
};

int WalkersAtWork()
{
  return TSearchPool::Instance().Working();
}

}  // namespace

class TestParallel : public QObject {
  Q_OBJECT

private slots:
  void findsRealTours_data();
  void findsRealTours();
  void stopsWhenAsked_data();
  void stopsWhenAsked();
  void leavesNoWalkerBehind_data();
  void leavesNoWalkerBehind();
};

void TestParallel::findsRealTours_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<TMoves>("moves");
  QTest::newRow("5x5 empty") << 5 << TMoves{};
  QTest::newRow("8x8 empty") << 8 << TMoves{};
  QTest::newRow("8x8 after three moves") << 8 << TMoves{{0, 0}, {1, 2}, {0, 4}};
  QTest::newRow("12x12 empty") << 12 << TMoves{};
  QTest::newRow("30x30 after a move") << 30 << TMoves{{29, 0}};
}

void TestParallel::findsRealTours()
{
  // Left alone, the search ends with a full tour continuing the position,
  // and hands the position back unchanged.
  QFETCH(int, size);
  QFETCH(TMoves, moves);
  for (uint64_t seed : {1, 2, 3}) {
    TParallelModel m;
    m.Play(size, moves);
    m.FState = gsThink;
    m.Start = m.Position();
    RandSeed(seed);
    m.SearchTour();
    QCOMPARE(int(m.FBest.Count), size * size);
    const QString fault = WalkFault(m.BestWalk(), m.Start, size);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY2(m.ShownFault.isEmpty(), qPrintable(m.ShownFault));
    QVERIFY(m.Position().Board == m.Start.Board);
    QCOMPARE(m.Position().Count, m.Start.Count);
    QCOMPARE(int(m.FState), int(gsThink));
    QCOMPARE(WalkersAtWork(), 0);
    if (size == 5)
      QCOMPARE(m.Dispatches, 1);  // every 5x5 walk is a tour: the first ends it
  }
}

void TestParallel::stopsWhenAsked_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<TMoves>("moves");
  QTest::addColumn<int>("stopWith");
  QTest::addColumn<int>("stopAfter");
  QTest::addColumn<int>("longest");  // the length of every walk; 0 when they vary
  // Whether the interface thread leaves all walks to the helpers, as it does
  // when its own would keep it from the messages too long.
  QTest::addColumn<bool>("helpersOnly");
  for (TGameState state : {gsBest, gsCancel}) {
    const char* name = state == gsBest ? "best" : "cancel";
    QTest::addRow("6x6 %s at once", name) << 6 << TMoves{} << int(state) << 1 << 34 << false;
    QTest::addRow("6x6 %s later", name) << 6 << TMoves{} << int(state) << 300 << 34 << false;
    QTest::addRow("stuck knight %s", name)
        << 5 << TMoves{{1, 2}, {3, 3}, {2, 1}, {0, 0}} << int(state) << 20 << 4 << false;
    QTest::addRow("100x100 %s", name) << 100 << TMoves{} << int(state) << 3 << 0 << false;
    QTest::addRow("6x6 %s, helpers only", name) << 6 << TMoves{} << int(state) << 4 << 34 << true;
    QTest::addRow("stuck knight %s, helpers only", name)
        << 5 << TMoves{{1, 2}, {3, 3}, {2, 1}, {0, 0}} << int(state) << 3 << 4 << true;
    QTest::addRow("100x100 %s, helpers only", name) << 100 << TMoves{} << int(state) << 3 << 0 << true;
  }
}

void TestParallel::stopsWhenAsked()
{
  // Where no tour exists (or is found in time) only the user ends the
  // search: after the dispatch that saw his word, with the longest walk.
  QFETCH(int, size);
  QFETCH(TMoves, moves);
  QFETCH(int, stopWith);
  QFETCH(int, stopAfter);
  QFETCH(int, longest);
  QFETCH(bool, helpersOnly);
  TParallelModel m;
  if (helpersOnly)
    m.FLongestOwnWalk = {};
  m.Play(size, moves);
  m.FState = gsThink;
  m.Start = m.Position();
  m.StopAfter = stopAfter;
  m.StopWith = TGameState(stopWith);
  RandSeed(stopAfter);
  m.SearchTour();
  QCOMPARE(WalkersAtWork(), 0);
  QCOMPARE(m.Dispatches, stopAfter);
  QCOMPARE(int(m.FState), stopWith);
  QVERIFY2(m.ShownFault.isEmpty(), qPrintable(m.ShownFault));
  const TPosition best = m.BestWalk();
  const QString fault = WalkFault(best, m.Start, size);
  QVERIFY2(fault.isEmpty(), qPrintable(fault));
  // Every walk is in the race, the ones shown to the interface as well.
  QVERIFY(best.Count >= m.LongestShown);
  QVERIFY(m.SearchWalks() >= uint64_t(stopAfter));
  if (longest)
    QCOMPARE(int(best.Count), longest);
  if (longest && longest == int(m.Start.Count))
    QVERIFY(best.Board == m.Start.Board);  // nothing beat the start
  QVERIFY(m.Position().Board == m.Start.Board);
  QCOMPARE(m.FPosX, m.Start.PosX);
  QCOMPARE(m.FPosY, m.Start.PosY);
  QCOMPARE(m.FCount, m.Start.Count);
}

void TestParallel::leavesNoWalkerBehind_data()
{
  QTest::addColumn<int>("atStop");
  QTest::newRow("an exception leaves the search") << int(TParallelModel::Throw);
  QTest::newRow("the host resizes the board") << int(TParallelModel::Resize);
  QTest::newRow("a search inside the search") << int(TParallelModel::SearchInside);
}

void TestParallel::leavesNoWalkerBehind()
{
  // However the search is left, its helpers have stopped when it returns,
  // and the next search runs with them again.
  QFETCH(int, atStop);
  TParallelModel m;
  m.Play(6, {});
  m.FState = gsThink;
  m.Start = m.Position();
  m.StopAfter = 5;
  m.AtStop = decltype(m.AtStop)(atStop);
  bool thrown = false;
  try {
    m.SearchTour();
  } catch (const std::runtime_error&) {
    thrown = true;
  }
  QCOMPARE(thrown, atStop == TParallelModel::Throw);
  QCOMPARE(WalkersAtWork(), 0);
  QCOMPARE(m.Dispatches, 5);

  TParallelModel again;
  again.Play(6, {});
  again.FState = gsThink;
  again.Start = again.Position();
  again.StopAfter = 50;
  again.SearchTour();
  QCOMPARE(int(again.FBest.Count), 34);
  // With the interface thread's walks alone there would be one per dispatch.
  QVERIFY(again.SearchWalks() >= 50);
  QCOMPARE(WalkersAtWork(), 0);
}

QTEST_APPLESS_MAIN(TestParallel)
#include "test_parallel.moc"
