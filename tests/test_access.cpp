// What a screen reader learns of the board: its name and its description of
// the position. access_program checks the rest on the real program over the
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

void Press(TViltronPan& pan, QPoint cell)
{
  const QPoint at = CellPoint(pan, cell);
  pan.MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
}

}  // namespace

class TestAccess : public QObject {
  Q_OBJECT

private slots:
  void boardDescription_data();
  void boardDescription();
  void searchIsNotDescribedUntilShown();
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
    Press(pan, cell);
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
  Press(pan, {0, 0});
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

VILTRON_TEST_MAIN(TestAccess)
#include "test_access.moc"
