// What a screen reader learns of the board: its name, its description of the
// position, and its table of named cells with the keyboard cursor's cell
// focused. access_program checks the rest on the real program over the
// accessibility bus: the status bar, and the announcements of changes.

#include <QAccessible>
#include <QTest>

#include "BoardTestKit.h"
#include "TestApp.h"

namespace {

QAccessibleInterface* Accessible(QObject* object)
{
  return QAccessible::queryAccessibleInterface(object);
}

QString Described(QObject* object)
{
  return Accessible(object)->text(QAccessible::Description);
}

QAccessibleInterface* CellInterface(TViltronPan& pan, QPoint cell)
{
  return Accessible(&pan)->tableInterface()->cellAt(cell.y(), cell.x());
}

}  // namespace

class TestAccess : public QObject {
  Q_OBJECT

private slots:
  void boardDescription_data();
  void boardDescription();
  void searchIsNotDescribedUntilShown();
  void cellNames_data();
  void cellNames();
  void tableFollowsTheSize();
  void saidAfterCommands_data();
  void saidAfterCommands();
  void onlyTheCursorsCellShowsWhileFocused();
};

void TestAccess::boardDescription_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<QVector<QPoint>>("moves");
  QTest::addColumn<bool>("newGame");
  QTest::addColumn<QString>("expected");

  const QVector<QPoint> three = {{0, 0}, {2, 1}, {4, 2}};
  QTest::newRow("new board") << 8 << QVector<QPoint>() << false
                             << QStringLiteral("Доска 8 × 8, ходов нет");
  // Columns from the left and rows from the top, both from 1.
  QTest::newRow("three moves") << 8 << three << false
                               << QStringLiteral("Доска 8 × 8, ход 3, конь: столбец 5, строка 3");
  QTest::newRow("far corner of a small board")
      << 5 << QVector<QPoint>{{4, 4}} << false
      << QStringLiteral("Доска 5 × 5, ход 1, конь: столбец 5, строка 5");
  QTest::newRow("illegal moves change nothing")
      << 8 << QVector<QPoint>{{0, 0}, {1, 1}, {0, 0}, {2, 1}} << false
      << QStringLiteral("Доска 8 × 8, ход 2, конь: столбец 3, строка 2");
  QTest::newRow("new game after moves") << 8 << three << true
                                        << QStringLiteral("Доска 8 × 8, ходов нет");
}

void TestAccess::boardDescription()
{
  QFETCH(int, size);
  QFETCH(QVector<QPoint>, moves);
  QFETCH(bool, newGame);
  QFETCH(QString, expected);

  TViltronPan pan;
  if (size != 8)
    pan.SetSize(static_cast<uint8_t>(size));
  for (QPoint cell : moves)
    ClickCell(pan, cell);
  if (newGame)
    pan.SetState(gsNew);
  QVERIFY(Accessible(&pan));
  QCOMPARE(Accessible(&pan)->text(QAccessible::Name), QStringLiteral("Доска"));
  QCOMPARE(Described(&pan), expected);
}

void TestAccess::searchIsNotDescribedUntilShown()
{
  // The search walks over the board in gsThink; none of its trial walks may
  // be described. The hint's move is, once the board is shown again.
  TViltronPan pan;
  ClickCell(pan, {0, 0});
  const QString before = Described(&pan);
  QStringList whileThinking;
  pan.OnStopThinking = [&](QObject*) { whileThinking << Described(&pan); };
  pan.Hint();
  QCOMPARE(whileThinking, QStringList{before});
  QCOMPARE(Described(&pan), before);
  pan.Paint();
  QCOMPARE(int(pan.Count()), 2);
  QCOMPARE(Described(&pan), QStringLiteral("Доска 8 × 8, ход 2, конь: столбец %1, строка %2")
                                .arg(pan.PosX() + 1)
                                .arg(pan.PosY() + 1));
}

void TestAccess::cellNames_data()
{
  QTest::addColumn<QVector<QPoint>>("moves");
  QTest::addColumn<int>("state");  // set after the moves, -1 for none
  QTest::addColumn<QPoint>("cell");
  QTest::addColumn<QString>("expected");

  const QVector<QPoint> two = {{0, 0}, {2, 1}};
  QTest::newRow("free, no game") << QVector<QPoint>() << -1 << QPoint(0, 0)
                                 << QStringLiteral("столбец 1, строка 1, свободна");
  QTest::newRow("numbered") << two << -1 << QPoint(0, 0)
                            << QStringLiteral("столбец 1, строка 1, ход 1");
  QTest::newRow("knight") << two << -1 << QPoint(2, 1)
                          << QStringLiteral("столбец 3, строка 2, ход 2, конь");
  QTest::newRow("jump") << two << -1 << QPoint(4, 2)
                        << QStringLiteral("столбец 5, строка 3, свободна, можно пойти");
  QTest::newRow("free, no jump") << two << -1 << QPoint(4, 4)
                                 << QStringLiteral("столбец 5, строка 5, свободна");
  QTest::newRow("jump of a stopped game") << two << int(gsStop) << QPoint(4, 2)
                                          << QStringLiteral("столбец 5, строка 3, свободна");
  QTest::newRow("during a search") << two << int(gsThink) << QPoint(2, 1)
                                   << QStringLiteral("столбец 3, строка 2");
}

void TestAccess::cellNames()
{
  QFETCH(QVector<QPoint>, moves);
  QFETCH(int, state);
  QFETCH(QPoint, cell);
  QFETCH(QString, expected);

  TViltronPan pan;
  pan.SetSize(5);
  for (QPoint move : moves)
    ClickCell(pan, move);
  if (state >= 0)
    pan.SetState(TGameState(state));
  QAccessibleInterface* found = CellInterface(pan, cell);
  QVERIFY(found);
  QCOMPARE(found->role(), QAccessible::Cell);
  QCOMPARE(found->text(QAccessible::Name), expected);
  QCOMPARE(found->tableCellInterface()->columnIndex(), cell.x());
  QCOMPARE(found->tableCellInterface()->rowIndex(), cell.y());
}

void TestAccess::tableFollowsTheSize()
{
  TViltronPan pan;
  QAccessibleInterface* board = Accessible(&pan);
  QCOMPARE(board->role(), QAccessible::Table);
  QCOMPARE(board->tableInterface()->rowCount(), 8);
  QCOMPARE(board->tableInterface()->columnCount(), 8);
  QCOMPARE(board->childCount(), 64);
  // A cell is one object however it is reached, row by row from the top.
  QAccessibleInterface* cell = CellInterface(pan, {3, 2});
  QCOMPARE(board->child(2 * 8 + 3), cell);
  QCOMPARE(board->indexOfChild(cell), 2 * 8 + 3);
  QCOMPARE(cell->parent(), board);
  const QAccessible::Id id = QAccessible::uniqueId(cell);

  pan.SetSize(100);
  QCOMPARE(board->tableInterface()->rowCount(), 100);
  QCOMPARE(board->childCount(), 10000);
  // The old cells are gone; new ones are made as they are asked for.
  QVERIFY(!QAccessible::accessibleInterface(id));
  QCOMPARE(CellInterface(pan, {99, 99})->text(QAccessible::Name),
           QStringLiteral("столбец 100, строка 100, свободна"));
  QVERIFY(!CellInterface(pan, {100, 0}));
}

// What the board tells readers once after each command (its notification).
void TestAccess::saidAfterCommands_data()
{
  QTest::addColumn<QVector<QPoint>>("moves");
  QTest::addColumn<int>("command");  // 0 none, 1 new game, 2 take back (1, 3)
  QTest::addColumn<QString>("expected");

  const QVector<QPoint> two = {{0, 0}, {2, 1}};
  QTest::newRow("a move") << QVector<QPoint>{{3, 2}} << 0
                          << QStringLiteral("столбец 4, строка 3, ход 1");
  QTest::newRow("a second move") << two << 0 << QStringLiteral("столбец 3, строка 2, ход 2");
  QTest::newRow("an illegal press") << QVector<QPoint>{{0, 0}, {1, 0}} << 0
                                    << QStringLiteral("столбец 1, строка 1, ход 1");
  QTest::newRow("a new game") << two << 1 << QStringLiteral("Доска 5 × 5, ходов нет");
  QTest::newRow("taken back") << two << 2
                              << QStringLiteral("столбец 2, строка 4, свободна; конь: "
                                                "столбец 3, строка 2");
  QTest::newRow("the first taken back") << QVector<QPoint>() << 2
                                        << QStringLiteral("столбец 2, строка 4, свободна, "
                                                          "ходов нет");
}

void TestAccess::saidAfterCommands()
{
  QFETCH(QVector<QPoint>, moves);
  QFETCH(int, command);
  QFETCH(QString, expected);

  TViltronPan pan;
  pan.SetSize(5);
  for (QPoint move : moves)
    ClickCell(pan, move);
  if (command == 1)
    pan.SetState(gsNew);
  if (command == 2)
    pan.Say(pan.TakeBackSaying(1, 3));
  QCOMPARE(pan.News(), expected);
}

// Readers that read a whole row when the cursor changes rows see the
// cursor's cell alone while the player is on the board, every cell otherwise.
void TestAccess::onlyTheCursorsCellShowsWhileFocused()
{
  TViltronPan pan;
  pan.SetSize(5);
  pan.show();
  QVERIFY(QTest::qWaitForWindowActive(&pan));
  auto shown = [&pan] {
    QVector<QPoint> cells;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x)
        if (!CellInterface(pan, {x, y})->state().offscreen)
          cells << QPoint(x, y);
    return cells;
  };
  pan.setFocus();
  QTRY_VERIFY(pan.hasFocus());
  QCOMPARE(shown(), QVector<QPoint>{QPoint(0, 0)});
  QTest::keyClick(&pan, Qt::Key_Down);
  QCOMPARE(shown(), QVector<QPoint>{QPoint(0, 1)});
  pan.clearFocus();
  QCOMPARE(shown().size(), 25);
}

VILTRON_TEST_MAIN(TestAccess)
#include "test_access.moc"
