// The move rules of the game model: which clicks are legal moves, when the
// knight is stuck, what a move does to the board, and the cell weights that
// steer the tour search.

#include <QTest>
#include <climits>
#include <utility>
#include <vector>

#include "WalkCheck.h"
#include "board/BoardModel.h"

class TestRules : public QObject {
  Q_OBJECT

private slots:
  // Legal moves.
  void firstMoveMayGoOnAnyFreeCell();
  void firstMoveOffTheBoardIsWrong();
  void laterMovesAreKnightJumpsOntoFreeCells_data();
  void laterMovesAreKnightJumpsOntoFreeCells();
  void farCoordinatesAreWrongNotWrapped();

  // The stuck knight.
  void deadEndOfTheCorner();
  void deadEndIgnoresTheKnight();
  void deadEndOnTinyBoards();

  // A move.
  void putKnightNumbersTheCellWithTheNewCount();

  // Weights.
  void weightsOfFiveAndEight();
  void weightsShape_data();
  void weightsShape();
};

void TestRules::firstMoveMayGoOnAnyFreeCell()
{
  // Before the first move the knight's fields mean nothing: wherever they
  // point, every free cell is a legal start and a numbered one is not.
  TOpenModel m;
  m.Play(6, {});
  m.FBoard[4][1] = 7;  // a number left on the board, e.g. by a loaded game
  for (const auto& [px, py] : {std::pair{0, 0}, std::pair{3, 3}, std::pair{5, 2},
                               std::pair{300, 9}}) {
    m.FPosX = static_cast<uint16_t>(px);
    m.FPosY = static_cast<uint16_t>(py);
    for (int x = 0; x < 6; ++x)
      for (int y = 0; y < 6; ++y)
        QVERIFY2(m.IsWrongMove(x, y) == (x == 4 && y == 1),
                 qPrintable(QStringLiteral("knight field (%1,%2), cell (%3,%4)")
                                .arg(px).arg(py).arg(x).arg(y)));
  }
}

void TestRules::firstMoveOffTheBoardIsWrong()
{
  TOpenModel m;
  m.Play(8, {});
  m.FPosX = 1;
  m.FPosY = 1;
  const std::pair<int32_t, int32_t> outside[] = {
      {-1, 0}, {0, -1}, {8, 0}, {0, 8}, {8, 8}, {-1, -1},
      // Values that would land on the board if cut to 16 bits.
      {65536, 0}, {0, 65536 + 3}, {-65536 + 2, 2}, {INT32_MIN, 0}, {0, INT32_MAX}};
  for (const auto& [x, y] : outside)
    QVERIFY2(m.IsWrongMove(x, y), qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
}

void TestRules::laterMovesAreKnightJumpsOntoFreeCells_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<TMoves>("moves");
  QTest::newRow("knight in a corner") << 8 << TMoves{{0, 0}};
  QTest::newRow("knight on an edge, a target taken")
      << 8 << TMoves{{2, 1}, {0, 2}};
  QTest::newRow("knight in the middle, targets taken")
      << 8 << TMoves{{5, 5}, {3, 4}, {5, 3}, {4, 5}, {2, 4}, {4, 3}};
  QTest::newRow("knight far right on 5x5")
      << 5 << TMoves{{0, 1}, {2, 2}, {4, 3}};
}

void TestRules::laterMovesAreKnightJumpsOntoFreeCells()
{
  QFETCH(int, size);
  QFETCH(TMoves, moves);
  TOpenModel m;
  m.Play(size, moves);
  const int kx = moves.back().first;
  const int ky = moves.back().second;
  // Every cell and a margin around the board.
  for (int x = -3; x < size + 3; ++x)
    for (int y = -3; y < size + 3; ++y) {
      const bool onBoard = x >= 0 && y >= 0 && x < size && y < size;
      const bool legal = onBoard && m.FBoard[x][y] == 0 && IsJump(kx, ky, x, y);
      QVERIFY2(m.IsWrongMove(x, y) == !legal,
               qPrintable(QStringLiteral("knight (%1,%2), cell (%3,%4) should be %5")
                              .arg(kx).arg(ky).arg(x).arg(y)
                              .arg(legal ? "legal" : "wrong")));
    }
  QVERIFY(m.IsWrongMove(kx, ky));  // staying put is no move
}

void TestRules::farCoordinatesAreWrongNotWrapped()
{
  // Knight on (0,0) after one move: (2,1) is a jump; the same cell plus or
  // minus 2^16 must not be taken for it, nor jumps that leave the board.
  TOpenModel m;
  m.Play(8, {{0, 0}});
  QVERIFY(!m.IsWrongMove(2, 1));
  QVERIFY(m.IsWrongMove(2 + 65536, 1));
  QVERIFY(m.IsWrongMove(2, 1 + 65536));
  QVERIFY(m.IsWrongMove(2 - 65536, 1));
  QVERIFY(m.IsWrongMove(-2, -1));
  QVERIFY(m.IsWrongMove(-1, 2));
  QVERIFY(m.IsWrongMove(65534, 65535));  // (-2,-1) cut to 16 bits
  QVERIFY(m.IsWrongMove(INT32_MIN + 2, 1));

  // A knight field at the top of its range: its jumps land past 65535, not
  // back on the board.
  m.FPosX = 65535;
  m.FPosY = 65535;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      QVERIFY2(m.IsWrongMove(x, y), qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
}

void TestRules::deadEndOfTheCorner()
{
  // The corner (0,0) of 5x5 reaches only (1,2) and (2,1).
  TOpenModel m;
  m.Play(5, {});
  QVERIFY(!m.IsDeadEnd(0, 0));
  m.FBoard[1][2] = 1;
  QVERIFY(!m.IsDeadEnd(0, 0));
  m.FBoard[2][1] = 2;
  QVERIFY(m.IsDeadEnd(0, 0));
  m.FBoard[1][2] = 0;
  QVERIFY(!m.IsDeadEnd(0, 0));
  // Numbers on cells that are no jump away change nothing.
  m.FBoard[1][2] = 1;
  m.FBoard[1][1] = 3;
  m.FBoard[0][1] = 4;
  QVERIFY(m.IsDeadEnd(0, 0));
  m.FBoard[1][1] = 0;
  m.FBoard[0][1] = 0;
  m.FBoard[2][1] = 0;
  QVERIFY(!m.IsDeadEnd(0, 0));
}

void TestRules::deadEndIgnoresTheKnight()
{
  // Whether a cell is a dead end depends on the free cells around it only,
  // not on where the knight stands or how many moves were made.
  TOpenModel m;
  m.Play(5, {{1, 2}, {3, 3}, {2, 1}});
  QVERIFY(m.IsDeadEnd(0, 0));  // (2,1) is the knight's own cell
  QVERIFY(!m.IsDeadEnd(4, 4));
  for (const auto& [px, py] : {std::pair{0, 0}, std::pair{4, 4}, std::pair{2, 2}}) {
    m.FPosX = static_cast<uint16_t>(px);
    m.FPosY = static_cast<uint16_t>(py);
    m.FCount = 0;
    QVERIFY(m.IsDeadEnd(0, 0));
    QVERIFY(!m.IsDeadEnd(4, 4));
  }
}

void TestRules::deadEndOnTinyBoards()
{
  TOpenModel m;
  // 1x1 and 2x2: no jump stays on the board.
  m.Play(1, {});
  QVERIFY(m.IsDeadEnd(0, 0));
  m.Play(2, {});
  for (uint16_t x = 0; x < 2; ++x)
    for (uint16_t y = 0; y < 2; ++y)
      QVERIFY(m.IsDeadEnd(x, y));
  // 3x3: the centre is stuck even on an empty board, every other cell is not.
  m.Play(3, {});
  for (uint16_t x = 0; x < 3; ++x)
    for (uint16_t y = 0; y < 3; ++y)
      QCOMPARE(m.IsDeadEnd(x, y), x == 1 && y == 1);
}

void TestRules::putKnightNumbersTheCellWithTheNewCount()
{
  TOpenModel m;
  m.Play(8, {});
  m.PutKnight(0, 0);
  QCOMPARE(m.FCount, uint16_t(1));
  QCOMPARE(m.FBoard[0][0], uint16_t(1));
  m.PutKnight(2, 1);
  m.PutKnight(4, 0);
  QCOMPARE(m.FCount, uint16_t(3));
  QCOMPARE(m.FBoard[2][1], uint16_t(2));
  QCOMPARE(m.FBoard[4][0], uint16_t(3));
  QCOMPARE(m.FPosX, uint16_t(4));
  QCOMPARE(m.FPosY, uint16_t(0));

  // The count goes up first and the cell takes the new value; a move does not
  // check the cell, it numbers it again.
  m.FCount = 40;
  m.PutKnight(0, 0);
  QCOMPARE(m.FCount, uint16_t(41));
  QCOMPARE(m.FBoard[0][0], uint16_t(41));
  QCOMPARE(m.FPosX, uint16_t(0));
  QCOMPARE(m.FPosY, uint16_t(0));

  // Nothing else on the board changed.
  int numbered = 0;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      numbered += m.FBoard[x][y] != 0;
  QCOMPARE(numbered, 3);
}

void TestRules::weightsOfFiveAndEight()
{
  // Rows from the top, as the player sees the board.
  const int five[5][5] = {
      {1, 2, 3, 2, 1}, {2, 3, 4, 3, 2}, {3, 4, 5, 4, 3}, {2, 3, 4, 3, 2}, {1, 2, 3, 2, 1}};
  const int eight[8][8] = {
      {1, 2, 3, 4, 4, 3, 2, 1}, {2, 3, 4, 5, 5, 4, 3, 2}, {3, 4, 5, 6, 6, 5, 4, 3},
      {4, 5, 6, 7, 7, 6, 5, 4}, {4, 5, 6, 7, 7, 6, 5, 4}, {3, 4, 5, 6, 6, 5, 4, 3},
      {2, 3, 4, 5, 5, 4, 3, 2}, {1, 2, 3, 4, 4, 3, 2, 1}};
  TOpenModel m;
  m.Play(5, {});
  m.BuildWeights();
  QCOMPARE(int(m.FWeights.size()), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      QCOMPARE(int(m.FWeights[x][y]), five[y][x]);
  m.Play(8, {});
  m.BuildWeights();
  QCOMPARE(int(m.FWeights.size()), 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      QCOMPARE(int(m.FWeights[x][y]), eight[y][x]);
}

void TestRules::weightsShape_data()
{
  QTest::addColumn<int>("size");
  for (int n : {1, 2, 3, 4, 6, 7, 9, 10, 13, 100, 181})
    QTest::addRow("%d", n) << n;
}

void TestRules::weightsShape()
{
  QFETCH(int, size);
  const int n = size;
  TOpenModel m;
  m.Play(n, {});
  m.FBoard[0][0] = 1;  // the cells' numbers play no part
  m.BuildWeights();
  QCOMPARE(int(m.FWeights.size()), n);
  for (const auto& column : m.FWeights)
    QCOMPARE(int(column.size()), n);

  // Lightest in the corners, heaviest in the middle: N on the centre cell of
  // an odd board, N - 1 on the four centre cells of an even one.
  const int heaviest = n % 2 ? n : n - 1;
  int heaviestCells = 0;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int w = m.FWeights[x][y];
      QVERIFY(w >= 1 && w <= heaviest);
      // The same seen from every side.
      QCOMPARE(int(m.FWeights[n - 1 - x][y]), w);
      QCOMPARE(int(m.FWeights[x][n - 1 - y]), w);
      QCOMPARE(int(m.FWeights[y][x]), w);
      heaviestCells += w == heaviest;
    }
  QCOMPARE(int(m.FWeights[0][0]), 1);
  QCOMPARE(int(m.FWeights[n - 1][n - 1]), 1);
  QCOMPARE(heaviestCells, n % 2 ? 1 : 4);
  QCOMPARE(int(m.FWeights[n / 2][n / 2]), heaviest);
  // One step in from the edge weighs one more.
  if (n > 2)
    for (int y = 0; y < n; ++y)
      QCOMPARE(int(m.FWeights[1][y]), m.FWeights[0][y] + 1);
}

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"
