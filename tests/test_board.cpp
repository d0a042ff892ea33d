// The board widget's states, its events and the player's presses: what a host
// and a player see of a game played with the mouse.

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <vector>

#include "BoardTestKit.h"
#include "TestApp.h"

namespace {

// The board inside a host window, as in the game, so that real presses travel
// through the window system's delivery (grabs, double clicks) to the board.
struct TFixture {
  TFixture()
  {
    Host.resize(340, 340);
    Pan = new TOpenPan(&Host);
    Pan->move(20, 30);
  }

  bool Show()
  {
    Host.show();
    return QTest::qWaitForWindowExposed(&Host);
  }

  QWidget Host;
  TOpenPan* Pan;
};

// How a press reaches the board: the handler called directly, or a real press
// of one of the mouse buttons.
enum TVia { ViaCall, ViaLeft, ViaRight, ViaMiddle };

Qt::MouseButton ButtonOf(int via)
{
  switch (via) {
    case ViaRight:
      return Qt::RightButton;
    case ViaMiddle:
      return Qt::MiddleButton;
    default:
      return Qt::LeftButton;
  }
}

// A press and release at pixel `at` of the board. Real presses need the host
// shown.
void PressAt(TFixture& f, int via, QPoint at)
{
  if (via == ViaCall) {
    f.Pan->MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    return;
  }
  QWindow* window = f.Host.windowHandle();
  const QPoint inWindow = f.Pan->mapTo(&f.Host, at);
  QTest::mousePress(window, ButtonOf(via), Qt::NoModifier, inWindow);
  QTest::mouseRelease(window, ButtonOf(via), Qt::NoModifier, inWindow);
}

// A press on a cell.
void PressCell(TFixture& f, int via, QPoint cell)
{
  PressAt(f, via, CellPoint(*f.Pan, cell));
}

QString ViaName(int via)
{
  static const char* const names[] = {"MouseDown", "left button", "right button", "middle button"};
  return QLatin1String(names[via]);
}

const std::initializer_list<int> AllVias = {ViaCall, ViaLeft, ViaRight, ViaMiddle};

// One data row per way of pressing, in a column "via".
void AddViaRows(std::initializer_list<int> vias = AllVias)
{
  for (int via : vias)
    QTest::newRow(qPrintable(ViaName(via))) << via;
}

// Everything a press may change.
struct TSnapshot {
  TBoard Board;
  int Count = 0;
  int PosX = 0;
  int PosY = 0;
  int State = 0;
  int Cursor = 0;
};

TSnapshot Snap(const TOpenPan& pan)
{
  return {pan.Board(), pan.Count(), pan.PosX(), pan.PosY(), pan.State(), pan.Cursor()};
}

// QCOMPAREs inside; the caller checks QTest::currentTestFailed().
void CompareSnap(const TSnapshot& now, const TSnapshot& before)
{
  QVERIFY2(now.Board == before.Board, "cells changed");
  QCOMPARE(now.Count, before.Count);
  QCOMPARE(now.PosX, before.PosX);
  QCOMPARE(now.PosY, before.PosY);
  QCOMPARE(StateName(now.State), StateName(before.State));
  QCOMPARE(now.Cursor, before.Cursor);
}

// The pointer shape the widget must show for a cursor number.
Qt::CursorShape ShapeOf(int number)
{
  switch (number) {
    case crKnight:
      return Qt::BitmapCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crNoDrop:
      return Qt::ForbiddenCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

class TestBoard : public QObject {
  Q_OBJECT

private slots:
  void construction();

  void setState_data();
  void setState();
  void setStateRepeats_data();
  void setStateRepeats();
  void cancelOrBestKeepsHourglass_data();
  void cancelOrBestKeepsHourglass();

  void setSize();
  void setSizeOfCell();

  void firstPress_data();
  void firstPress();
  void ordinaryPress_data();
  void ordinaryPress();
  void illegalPress_data();
  void illegalPress();
  void pixelToCell_data();
  void pixelToCell();
  void pressOffBoard_data();
  void pressOffBoard();
  void pressIgnoredInState_data();
  void pressIgnoredInState();
  void winningMove_data();
  void winningMove();
  void losingMove_data();
  void losingMove();
  void doubleClick();
  void pressWhileButtonHeldLeftOfBoard();
  void firstMoveAfterBoardShrank();
};

void TestBoard::construction()
{
  TViltronPan pan;
  QCOMPARE(pan.size(), QSize(200, 200));
  QCOMPARE(int(pan.Size()), 8);
  QCOMPARE(int(pan.SizeOfCell()), 25);
  QVERIFY(pan.Board() == EmptyBoard(8));
  QCOMPARE(StateName(pan.State()), StateName(gsNew));
  QCOMPARE(int(pan.Count()), 0);
  QCOMPARE(pan.Cursor(), crKnight);

  // The pointer over the board is the knight picture, pointing with its
  // top-left pixel.
  const QCursor cursor = pan.cursor();
  QCOMPARE(cursor.shape(), Qt::BitmapCursor);
  QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
  const QImage expected =
      QImage(QStringLiteral(":/cursors/Cursor_0")).convertToFormat(QImage::Format_ARGB32);
  QVERIFY(!expected.isNull());
  QCOMPARE(cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), expected);
}

void TestBoard::setState_data()
{
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("moves");
  QTest::addColumn<int>("to");
  QTest::addColumn<QStringList>("events");
  QTest::addColumn<int>("cursor");
  QTest::addColumn<bool>("cleared");

  // Before the call the cursor is the plain arrow, so that every change shows.
  QTest::newRow("gsPlay during a game")
      << int(gsStop) << 3 << int(gsPlay) << QStringList{Item("OnStart", gsStop, 3)} << crHandPoint
      << false;
  QTest::newRow("gsPlay before the first move")
      << int(gsNew) << 0 << int(gsPlay) << QStringList{Item("OnStart", gsNew, 0)} << crDefault
      << false;
  QTest::newRow("gsStop") << int(gsPlay) << 3 << int(gsStop)
                          << QStringList{Item("OnStop", gsPlay, 3)} << crNoDrop << false;
  QTest::newRow("gsNew") << int(gsStop) << 3 << int(gsNew) << QStringList() << crKnight << true;
  QTest::newRow("gsShow") << int(gsPlay) << 3 << int(gsShow) << QStringList() << crNoDrop << false;
  QTest::newRow("gsThink") << int(gsPlay) << 3 << int(gsThink) << QStringList() << crHourGlass
                           << false;
  QTest::newRow("gsCancel") << int(gsThink) << 3 << int(gsCancel) << QStringList() << crDefault
                            << false;
  QTest::newRow("gsBest") << int(gsThink) << 3 << int(gsBest) << QStringList() << crDefault
                          << false;
}

void TestBoard::setState()
{
  QFETCH(int, from);
  QFETCH(int, moves);
  QFETCH(int, to);
  QFETCH(QStringList, events);
  QFETCH(int, cursor);
  QFETCH(bool, cleared);

  TFixture f;
  const QPoint walk[] = {{1, 1}, {3, 2}, {5, 3}};
  for (int i = 0; i < moves; ++i)
    PressCell(f, ViaCall, walk[i]);
  QCOMPARE(int(f.Pan->Count()), moves);
  f.Pan->BuildWeights();
  const TBoard weights = f.Pan->Weights();
  f.Pan->FState = TGameState(from);
  f.Pan->SetCursor(crDefault);
  const TSnapshot before = Snap(*f.Pan);

  TEventLog log(*f.Pan);
  f.Pan->SetState(TGameState(to));

  QCOMPARE(log.Items, events);
  QCOMPARE(StateName(f.Pan->State()), StateName(to));
  QCOMPARE(f.Pan->Cursor(), cursor);
  QCOMPARE(f.Pan->cursor().shape(), ShapeOf(cursor));
  if (cleared) {
    QVERIFY(f.Pan->Board() == EmptyBoard(8));
    QCOMPARE(int(f.Pan->Count()), 0);
  } else {
    QVERIFY(f.Pan->Board() == before.Board);
    QCOMPARE(int(f.Pan->Count()), moves);
  }
  // The knight's last cell and the search's table outlive even a new game.
  QCOMPARE(int(f.Pan->PosX()), before.PosX);
  QCOMPARE(int(f.Pan->PosY()), before.PosY);
  QVERIFY(f.Pan->Weights() == weights);
}

void TestBoard::setStateRepeats_data()
{
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("event");
  QTest::newRow("gsPlay") << int(gsPlay) << QStringLiteral("OnStart");
  QTest::newRow("gsStop") << int(gsStop) << QStringLiteral("OnStop");
  QTest::newRow("gsNew") << int(gsNew) << QString();
}

void TestBoard::setStateRepeats()
{
  QFETCH(int, state);
  QFETCH(QString, event);

  TFixture f;
  PressCell(f, ViaCall, {2, 2});
  TEventLog log(*f.Pan);
  f.Pan->SetState(TGameState(state));
  // Between the calls the board gets a number again (as a search would leave
  // one), which a repeated gsNew must clear again.
  f.Pan->FBoard[4][4] = 7;
  f.Pan->FCount = 7;
  f.Pan->SetState(TGameState(state));

  if (event.isEmpty()) {
    QCOMPARE(log.Items, QStringList());
    QVERIFY(f.Pan->Board() == EmptyBoard(8));
    QCOMPARE(int(f.Pan->Count()), 0);
  } else {
    QCOMPARE(log.Items.size(), 2);
    QVERIFY(log.Items[0].startsWith(event + ' '));
    QVERIFY(log.Items[1].startsWith(event + ' '));
    // The second handler sees the state the first call stored.
    QCOMPARE(log.Items[1], Item(qPrintable(event), state, 7));
  }
}

void TestBoard::cancelOrBestKeepsHourglass_data()
{
  QTest::addColumn<int>("state");
  QTest::newRow("gsCancel") << int(gsCancel);
  QTest::newRow("gsBest") << int(gsBest);
}

void TestBoard::cancelOrBestKeepsHourglass()
{
  QFETCH(int, state);
  TFixture f;
  f.Pan->SetState(gsThink);
  f.Pan->SetState(TGameState(state));
  QCOMPARE(f.Pan->Cursor(), crHourGlass);
  QCOMPARE(f.Pan->cursor().shape(), Qt::WaitCursor);
  QCOMPARE(StateName(f.Pan->State()), StateName(state));
}

void TestBoard::setSize()
{
  TFixture f;
  PressCell(f, ViaCall, {7, 7});
  PressCell(f, ViaCall, {5, 6});
  TEventLog log(*f.Pan);

  f.Pan->SetSize(5);
  QCOMPARE(f.Pan->size(), QSize(125, 125));
  QCOMPARE(int(f.Pan->Size()), 5);
  QVERIFY(f.Pan->Board() == EmptyBoard(5));
  QCOMPARE(int(f.Pan->Count()), 0);
  QCOMPARE(StateName(f.Pan->State()), StateName(gsNew));
  QCOMPARE(f.Pan->Cursor(), crKnight);
  QCOMPARE(log.Items, QStringList());

  // The smaller board plays up to its new edge, and no further.
  PressCell(f, ViaCall, {4, 4});
  QCOMPARE(int(f.Pan->Board()[4][4]), 1);
  PressAt(f, ViaCall, {4 * 25 + 12 - 50, 5 * 25 + 12});  // (2, 5): a jump, off the board
  QCOMPARE(int(f.Pan->Count()), 1);

  // Growing again gives empty new cells.
  f.Pan->SetSize(9);
  QCOMPARE(f.Pan->size(), QSize(225, 225));
  QVERIFY(f.Pan->Board() == EmptyBoard(9));
  QCOMPARE(log.Items, QStringList({Item("OnStart", gsNew, 0), Item("OnMove", gsPlay, 1)}));
}

void TestBoard::setSizeOfCell()
{
  TFixture f;
  f.Pan->SetSize(6);
  PressCell(f, ViaCall, {0, 0});
  PressCell(f, ViaCall, {1, 2});
  PressCell(f, ViaCall, {3, 3});
  const TSnapshot before = Snap(*f.Pan);
  TEventLog log(*f.Pan);

  f.Pan->SetSizeOfCell(30);
  QCOMPARE(f.Pan->size(), QSize(180, 180));
  QCOMPARE(int(f.Pan->SizeOfCell()), 30);
  CompareSnap(Snap(*f.Pan), before);
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(log.Items, QStringList());

  // Presses now count in 30-pixel cells: pixel (134, 104) is cell (4, 3) here
  // but would be (5, 4) in 25-pixel cells.
  PressAt(f, ViaCall, {134, 104});
  QCOMPARE(int(f.Pan->Board()[4][3]), 0);  // not a jump from (3, 3): refused
  QCOMPARE(log.Items, QStringList{Item("OnError", gsPlay, 3)});
  PressAt(f, ViaCall, {164, 74});  // cell (5, 2)
  QCOMPARE(int(f.Pan->Board()[5][2]), 4);
}

void TestBoard::firstPress_data()
{
  QTest::addColumn<int>("via");
  QTest::addColumn<bool>("hostNewGame");
  for (bool host : {false, true})
    for (int via : AllVias)
      QTest::newRow(qPrintable(QLatin1String(host ? "after host's new game, " : "new board, ") +
                               ViaName(via)))
          << via << host;
}

void TestBoard::firstPress()
{
  QFETCH(int, via);
  QFETCH(bool, hostNewGame);

  TFixture f;
  QVERIFY(f.Show());
  int before = gsNew;
  if (hostNewGame) {
    // A finished game, then the host's new game: cleared, then gsPlay with
    // no move made.
    PressCell(f, ViaCall, {0, 0});
    PressCell(f, ViaCall, {1, 2});
    f.Pan->SetState(gsStop);
    f.Pan->SetState(gsNew);
    f.Pan->SetState(gsPlay);
    QCOMPARE(f.Pan->Cursor(), crKnight);
    before = gsPlay;
  }
  TEventLog log(*f.Pan);
  // Inside OnStart the move is not made yet; inside OnMove it is.
  int cellAtStart = -1;
  int cellAtMove = -1;
  const TNotifyEvent logStart = f.Pan->OnStart;
  const TNotifyEvent logMove = f.Pan->OnMove;
  f.Pan->OnStart = [&](QObject* s) {
    cellAtStart = f.Pan->Board()[6][3];
    logStart(s);
  };
  f.Pan->OnMove = [&](QObject* s) {
    cellAtMove = f.Pan->Board()[6][3];
    logMove(s);
  };

  PressCell(f, via, {6, 3});
  QCOMPARE(log.Items, QStringList({Item("OnStart", before, 0), Item("OnMove", gsPlay, 1)}));
  QCOMPARE(cellAtStart, 0);
  QCOMPARE(cellAtMove, 1);
  QCOMPARE(int(f.Pan->Count()), 1);
  QCOMPARE(QPoint(f.Pan->PosX(), f.Pan->PosY()), QPoint(6, 3));
  QCOMPARE(StateName(f.Pan->State()), StateName(gsPlay));
  QCOMPARE(f.Pan->Cursor(), crHandPoint);
  QCOMPARE(f.Pan->cursor().shape(), Qt::PointingHandCursor);
  TBoard expected = EmptyBoard(8);
  expected[6][3] = 1;
  QVERIFY(f.Pan->Board() == expected);
}

void TestBoard::ordinaryPress_data()
{
  QTest::addColumn<int>("via");
  AddViaRows();
}

void TestBoard::ordinaryPress()
{
  QFETCH(int, via);
  TFixture f;
  QVERIFY(f.Show());
  PressCell(f, via, {2, 1});
  TEventLog log(*f.Pan);

  PressCell(f, via, {4, 2});
  QCOMPARE(log.Items, QStringList{Item("OnMove", gsPlay, 2)});
  QCOMPARE(int(f.Pan->Board()[4][2]), 2);
  QCOMPARE(int(f.Pan->Board()[2][1]), 1);
  QCOMPARE(int(f.Pan->Count()), 2);
  QCOMPARE(QPoint(f.Pan->PosX(), f.Pan->PosY()), QPoint(4, 2));
  QCOMPARE(StateName(f.Pan->State()), StateName(gsPlay));
  QCOMPARE(f.Pan->Cursor(), crHandPoint);
  QCOMPARE(f.Pan->cursor().shape(), Qt::PointingHandCursor);
}

void TestBoard::illegalPress_data()
{
  QTest::addColumn<int>("via");
  QTest::addColumn<QPoint>("cell");
  // The game so far: 1 on (0,0), 2 on (2,1), 3 on (4,2), 4 on (2,3).
  const struct {
    const char* name;
    QPoint cell;
  } cases[] = {
      {"numbered cell a jump away, ", {4, 2}},
      {"knight's own cell, ", {2, 3}},
      {"free cell not a jump away, ", {3, 3}},
      {"free cell two jumps away, ", {6, 5}},
  };
  for (const auto& c : cases)
    for (int via : AllVias)
      QTest::newRow(qPrintable(QLatin1String(c.name) + ViaName(via))) << via << c.cell;
}

void TestBoard::illegalPress()
{
  QFETCH(int, via);
  QFETCH(QPoint, cell);
  TFixture f;
  QVERIFY(f.Show());
  for (QPoint c : {QPoint(0, 0), QPoint(2, 1), QPoint(4, 2), QPoint(2, 3)})
    PressCell(f, ViaCall, c);
  QCOMPARE(int(f.Pan->Count()), 4);
  const TSnapshot before = Snap(*f.Pan);
  TEventLog log(*f.Pan);

  PressCell(f, via, cell);
  QCOMPARE(log.Items, QStringList{Item("OnError", gsPlay, 4)});
  CompareSnap(Snap(*f.Pan), before);
}

void TestBoard::pixelToCell_data()
{
  QTest::addColumn<int>("via");
  QTest::addColumn<QPoint>("first");  // cell of a first move made before; (-1,-1): none
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QPoint>("cell");

  const QPoint none(-1, -1);
  const struct {
    const char* name;
    QPoint first;
    QPoint pixel;
    QPoint cell;
  } cases[] = {
      // The knight cursor points half a cell up and left of its figure.
      {"knight, X 12 is column 0", none, {12, 40}, {0, 2}},
      {"knight, X 13 is column 1", none, {13, 40}, {1, 2}},
      {"knight, Y 12 is row 0", none, {40, 12}, {2, 0}},
      {"knight, Y 13 is row 1", none, {40, 13}, {2, 1}},
      {"knight, X 187 is column 7", none, {187, 187}, {7, 7}},
      // After the first move the plain pointer counts whole cells.
      {"hand, X 24 is column 0", {2, 1}, {24, 62}, {0, 2}},
      {"hand, X 25 is column 1", {2, 1}, {25, 87}, {1, 3}},
      {"hand, Y 24 is row 0", {1, 2}, {62, 24}, {2, 0}},
      {"hand, Y 25 is row 1", {1, 2}, {87, 25}, {3, 1}},
      {"hand, X 199 is column 7", {5, 5}, {199, 162}, {7, 6}},
      // Left of or above the board the division truncates toward zero.
      {"hand, X -10 is column 0", {2, 1}, {-10, 62}, {0, 2}},
      {"hand, Y -10 is row 0", {1, 2}, {62, -10}, {2, 0}},
  };
  for (const auto& c : cases) {
    // A real press lands on the board only inside it (left of it, see
    // pressWhileButtonHeldLeftOfBoard).
    for (int via : {ViaCall, ViaLeft})
      if (via == ViaCall || (c.pixel.x() >= 0 && c.pixel.y() >= 0))
        QTest::newRow(qPrintable(QLatin1String(c.name) + QStringLiteral(", ") + ViaName(via)))
            << via << c.first << c.pixel << c.cell;
  }
}

void TestBoard::pixelToCell()
{
  QFETCH(int, via);
  QFETCH(QPoint, first);
  QFETCH(QPoint, pixel);
  QFETCH(QPoint, cell);

  TFixture f;
  QVERIFY(f.Show());
  int expected = 1;
  if (first.x() >= 0) {
    PressCell(f, ViaCall, first);
    QCOMPARE(f.Pan->Cursor(), crHandPoint);
    expected = 2;
  } else {
    QCOMPARE(f.Pan->Cursor(), crKnight);
  }
  TEventLog log(*f.Pan);

  PressAt(f, via, pixel);
  QCOMPARE(int(f.Pan->Count()), expected);
  QCOMPARE(QPoint(f.Pan->PosX(), f.Pan->PosY()), cell);
  QCOMPARE(int(f.Pan->Board()[cell.x()][cell.y()]), expected);
  QCOMPARE(log.Items.value(log.Items.size() - 1), Item("OnMove", gsPlay, expected));
}

void TestBoard::pressOffBoard_data()
{
  QTest::addColumn<int>("via");
  QTest::addColumn<QPoint>("first");
  QTest::addColumn<QPoint>("pixel");

  const QPoint none(-1, -1);
  const struct {
    const char* name;
    QPoint first;
    QPoint pixel;
  } cases[] = {
      {"knight, X 188 is column 8", none, {188, 40}},
      {"knight, Y 188 is row 8", none, {40, 188}},
      {"knight, corner pixel (199,199)", none, {199, 199}},
      // A knight's jump from (6,1) that leaves the board.
      {"hand, jump to column 8", {6, 1}, {200, 62}},
      {"hand, jump to column -1", {1, 2}, {-30, 12}},
      {"hand, jump to row -1", {2, 1}, {12, -30}},
  };
  for (const auto& c : cases) {
    for (int via : {ViaCall, ViaLeft})
      if (via == ViaCall || QRect(0, 0, 200, 200).contains(c.pixel))
        QTest::newRow(qPrintable(QLatin1String(c.name) + QStringLiteral(", ") + ViaName(via)))
            << via << c.first << c.pixel;
  }
}

void TestBoard::pressOffBoard()
{
  QFETCH(int, via);
  QFETCH(QPoint, first);
  QFETCH(QPoint, pixel);

  TFixture f;
  QVERIFY(f.Show());
  if (first.x() >= 0)
    PressCell(f, ViaCall, first);
  const TSnapshot before = Snap(*f.Pan);
  TEventLog log(*f.Pan);

  PressAt(f, via, pixel);
  QCOMPARE(log.Items, QStringList());
  CompareSnap(Snap(*f.Pan), before);
}

void TestBoard::pressIgnoredInState_data()
{
  QTest::addColumn<int>("via");
  QTest::addColumn<int>("state");
  for (int state : {gsStop, gsShow, gsThink, gsCancel, gsBest})
    for (int via : {ViaCall, ViaLeft})
      QTest::newRow(qPrintable(StateName(state) + QStringLiteral(", ") + ViaName(via)))
          << via << state;
}

void TestBoard::pressIgnoredInState()
{
  QFETCH(int, via);
  QFETCH(int, state);

  TFixture f;
  QVERIFY(f.Show());
  PressCell(f, ViaCall, {2, 1});
  f.Pan->SetState(TGameState(state));
  const TSnapshot before = Snap(*f.Pan);
  TEventLog log(*f.Pan);

  PressCell(f, via, {0, 2});    // a legal jump in a game
  PressCell(f, via, {5, 5});    // an illegal one
  PressAt(f, via, {190, 190});  // off the board
  QCOMPARE(log.Items, QStringList());
  CompareSnap(Snap(*f.Pan), before);
}

void TestBoard::winningMove_data()
{
  QTest::addColumn<int>("via");
  AddViaRows({ViaCall, ViaLeft});
}

void TestBoard::winningMove()
{
  QFETCH(int, via);
  const QVector<QPoint> tour = TWalkFinder(5, true).Find();
  QCOMPARE(tour.size(), 25);

  TFixture f;
  f.Pan->SetSize(5);
  QVERIFY(f.Show());
  TEventLog log(*f.Pan);
  for (int i = 0; i < 24; ++i)
    PressCell(f, via, tour[i]);
  QStringList expected{Item("OnStart", gsNew, 0)};
  for (int k = 1; k <= 24; ++k)
    expected << Item("OnMove", gsPlay, k);
  QCOMPARE(log.Items, expected);
  QCOMPARE(StateName(f.Pan->State()), StateName(gsPlay));

  log.Items.clear();
  PressCell(f, via, tour[24]);
  QCOMPARE(log.Items, QStringList({Item("OnMove", gsPlay, 25), Item("OnWin", gsPlay, 25),
                                   Item("OnStop", gsPlay, 25)}));
  QCOMPARE(int(f.Pan->Count()), 25);
  for (int k = 0; k < 25; ++k)
    QCOMPARE(int(f.Pan->Board()[tour[k].x()][tour[k].y()]), k + 1);
  QCOMPARE(StateName(f.Pan->State()), StateName(gsStop));
  QCOMPARE(f.Pan->Cursor(), crNoDrop);
  QCOMPARE(f.Pan->cursor().shape(), Qt::ForbiddenCursor);

  // The finished game takes no more presses.
  log.Items.clear();
  PressCell(f, via, tour[0]);
  PressCell(f, via, tour[23]);
  QCOMPARE(log.Items, QStringList());
  QCOMPARE(int(f.Pan->Count()), 25);
}

void TestBoard::losingMove_data()
{
  QTest::addColumn<int>("via");
  AddViaRows({ViaCall, ViaLeft});
}

void TestBoard::losingMove()
{
  QFETCH(int, via);
  const QVector<QPoint> walk = TWalkFinder(5, false).Find();
  QVERIFY(walk.size() >= 2 && walk.size() < 25);
  const int n = walk.size();

  TFixture f;
  f.Pan->SetSize(5);
  QVERIFY(f.Show());
  TEventLog log(*f.Pan);
  for (int i = 0; i < n; ++i)
    PressCell(f, via, walk[i]);

  QStringList expected{Item("OnStart", gsNew, 0)};
  for (int k = 1; k <= n; ++k)
    expected << Item("OnMove", gsPlay, k);
  expected << Item("OnLose", gsPlay, n) << Item("OnStop", gsPlay, n);
  QCOMPARE(log.Items, expected);
  QCOMPARE(int(f.Pan->Count()), n);
  QCOMPARE(StateName(f.Pan->State()), StateName(gsStop));
  QCOMPARE(f.Pan->Cursor(), crNoDrop);

  // A free cell stays free: the lost game takes no more presses.
  log.Items.clear();
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y)
      if (f.Pan->Board()[x][y] == 0)
        PressCell(f, via, {x, y});
  QCOMPARE(log.Items, QStringList());
  QCOMPARE(int(f.Pan->Count()), n);
}

void TestBoard::doubleClick()
{
  TFixture f;
  QVERIFY(f.Show());
  TEventLog log(*f.Pan);
  const QPoint at = f.Pan->mapTo(&f.Host, CellPoint(*f.Pan, {3, 3}));
  QTest::mouseDClick(f.Host.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);

  // The first press moves the knight there; the second, on the knight's own
  // cell now, is refused once.
  QCOMPARE(log.Items, QStringList({Item("OnStart", gsNew, 0), Item("OnMove", gsPlay, 1),
                                   Item("OnError", gsPlay, 1)}));
  QCOMPARE(int(f.Pan->Board()[3][3]), 1);
  QCOMPARE(int(f.Pan->Count()), 1);
}

void TestBoard::pressWhileButtonHeldLeftOfBoard()
{
  TFixture f;
  QVERIFY(f.Show());
  TEventLog log(*f.Pan);
  QWindow* window = f.Host.windowHandle();

  // Left button down on cell (2,1) and held; the pointer goes 10 pixels left
  // of the board, over the host, where the right button is pressed. The held
  // button keeps the board as the receiver.
  const QPoint down = f.Pan->mapTo(&f.Host, CellPoint(*f.Pan, {2, 1}));
  const QPoint outside = f.Pan->mapTo(&f.Host, QPoint(-10, 62));
  QVERIFY(!f.Pan->geometry().contains(outside));
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, down);
  QTest::mouseMove(window, outside);
  QTest::mousePress(window, Qt::RightButton, Qt::NoModifier, outside);
  QTest::mouseRelease(window, Qt::RightButton, Qt::NoModifier, outside);
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, outside);

  // X = -10 is column 0 with the pointing hand, and (0,2) a jump from (2,1).
  QCOMPARE(log.Items, QStringList({Item("OnStart", gsNew, 0), Item("OnMove", gsPlay, 1),
                                   Item("OnMove", gsPlay, 2)}));
  QCOMPARE(int(f.Pan->Board()[0][2]), 2);
}

void TestBoard::firstMoveAfterBoardShrank()
{
  TFixture f;
  QVERIFY(f.Show());
  PressCell(f, ViaCall, {7, 6});
  f.Pan->SetSize(5);
  QCOMPARE(QPoint(f.Pan->PosX(), f.Pan->PosY()), QPoint(7, 6));
  const QImage before = f.Pan->Picture().copy();
  TEventLog log(*f.Pan);

  PressCell(f, ViaLeft, {1, 1});
  QCOMPARE(log.Items, QStringList({Item("OnStart", gsNew, 0), Item("OnMove", gsPlay, 1)}));
  QCOMPARE(int(f.Pan->Board()[1][1]), 1);
  QCOMPARE(f.Pan->Board().size(), size_t(5));

  // Only the new cell was drawn: the knight picture there (which may reach a
  // little past the cell), nothing anywhere else.
  const QImage after = f.Pan->Picture();
  QCOMPARE(after.size(), QSize(125, 125));
  const QRect drawn(25, 25, 32, 32);
  bool changedInCell = false;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x)
      if (after.pixel(x, y) != before.pixel(x, y)) {
        QVERIFY2(drawn.contains(x, y),
                 qPrintable(QStringLiteral("pixel (%1,%2) changed").arg(x).arg(y)));
        changedInCell = true;
      }
  QVERIFY(changedInCell);
}

VILTRON_TEST_MAIN(TestBoard)
#include "test_board.moc"
