// What a screen reader learns of the game: the board's name and its
// description of the position, the events that announce a change, and the
// status bar's role and panels.

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "BoardTestKit.h"
#include "TestApp.h"
#include "main/MainForm.h"
#include "platform/StatusBar.h"

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

// The announcements themselves reach the accessibility bus only on a real
// display: access_program checks them there.
class TestAccess : public QObject {
  Q_OBJECT

private slots:
  void boardDescription_data();
  void boardDescription();
  void searchIsNotDescribedUntilShown();
  void statusBarIsAStatusBar();
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
  QTest::newRow("larger board") << 12 << QVector<QPoint>{{11, 0}} << false
                                << QStringLiteral("Доска 12 × 12, ход 1, конь: столбец 12, строка 1");
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

void TestAccess::statusBarIsAStatusBar()
{
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  Press(*form.Game, {3, 3});
  QAccessibleInterface* bar = Accessible(form.StatusBar1);
  QVERIFY(bar);
  QCOMPARE(bar->role(), QAccessible::StatusBar);
  // Its panels are labels that read as the player sees them.
  QStringList texts;
  for (int i = 0; i < bar->childCount(); ++i) {
    QCOMPARE(bar->child(i)->role(), QAccessible::StaticText);
    texts << bar->child(i)->text(QAccessible::Name);
  }
  QCOMPARE(texts, (QStringList{QStringLiteral("Число:"), QStringLiteral("1"),
                               QStringLiteral("Осталось:"), QStringLiteral("63"), QString()}));
}

VILTRON_TEST_MAIN(TestAccess)
#include "test_access.moc"
