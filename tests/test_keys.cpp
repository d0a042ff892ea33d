// The board played with keys: the cursor's moves, and presses that do exactly
// what a mouse press on the cursor's cell does; the cursor's frame, which only
// keyboard players see.

#include <QTest>

#include "BoardTestKit.h"
#include "TestApp.h"

namespace {

// The positions the table starts from, on a 5 x 5 board.
void SetUp(TOpenPan& pan, const QString& setup)
{
  pan.SetSize(5);
  if (setup == "started")
    pan.SetState(gsPlay);
  if (setup == "middle" || setup == "stopped" || setup == "replay")
    ClickCell(pan, {2, 2});
  if (setup == "one choice") {
    // The knight in the corner, its other jump taken.
    ClickCell(pan, {1, 2});
    ClickCell(pan, {0, 0});
  }
  if (setup == "stopped")
    pan.SetState(gsStop);
  if (setup == "replay")
    pan.SetState(gsShow);
}

Qt::Key KeyNamed(const QString& name)
{
  static const QHash<QString, Qt::Key> keys = {
      {"Left", Qt::Key_Left},         {"Right", Qt::Key_Right},   {"Up", Qt::Key_Up},
      {"Down", Qt::Key_Down},         {"PgDn", Qt::Key_PageDown}, {"PgUp", Qt::Key_PageUp},
      {"Enter", Qt::Key_Return},      {"KpEnter", Qt::Key_Enter}, {"Space", Qt::Key_Space},
  };
  return keys.value(name);
}

}  // namespace

class TestKeys : public QObject {
  Q_OBJECT

private slots:
  void keysByState_data();
  void keysByState();
  void mousePlayPaintsAsBefore();
};

void TestKeys::keysByState_data()
{
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QPoint>("cursor");
  QTest::addColumn<int>("count");

  QTest::newRow("left and top edges") << "new" << "Left Up" << QPoint(0, 0) << 0;
  QTest::newRow("right edge") << "new" << "Right Right Right Right Right" << QPoint(4, 0) << 0;
  QTest::newRow("bottom edge") << "new" << "Down Down Down Down Down" << QPoint(0, 4) << 0;
  QTest::newRow("starts on the knight") << "middle" << "Up" << QPoint(2, 1) << 1;
  QTest::newRow("no choices") << "new" << "Right PgDn PgUp" << QPoint(1, 0) << 0;
  QTest::newRow("one choice") << "one choice" << "PgDn PgDn PgUp" << QPoint(2, 1) << 2;
  // From (2, 2) in the jumps' order: (4, 3), (4, 1), ... (1, 4), (1, 0).
  QTest::newRow("several, round again") << "middle" << "PgDn PgDn PgDn PgDn PgDn PgDn PgDn PgDn PgDn"
                                        << QPoint(4, 3) << 1;
  QTest::newRow("several, backwards") << "middle" << "PgDn PgUp PgUp" << QPoint(1, 4) << 1;
  QTest::newRow("none once stopped") << "stopped" << "PgDn" << QPoint(2, 2) << 1;
  QTest::newRow("Enter in gsNew") << "new" << "Right Enter" << QPoint(1, 0) << 1;
  QTest::newRow("Enter after a new game") << "started" << "Enter" << QPoint(0, 0) << 1;
  QTest::newRow("Enter on the knight") << "middle" << "Enter" << QPoint(2, 2) << 1;
  QTest::newRow("Enter off the jumps") << "middle" << "Right Enter" << QPoint(3, 2) << 1;
  QTest::newRow("Enter in gsPlay") << "middle" << "PgDn Enter" << QPoint(4, 3) << 2;
  QTest::newRow("keypad Enter") << "middle" << "PgDn PgDn KpEnter" << QPoint(4, 1) << 2;
  QTest::newRow("Space") << "middle" << "PgUp Space" << QPoint(1, 0) << 2;
  QTest::newRow("two moves") << "middle" << "PgDn Enter PgDn Enter" << QPoint(2, 4) << 3;
  QTest::newRow("Enter in gsStop") << "stopped" << "Right Right Down Enter" << QPoint(4, 3) << 1;
  QTest::newRow("Enter in gsShow") << "replay" << "Right Right Down Enter" << QPoint(4, 3) << 1;
}

void TestKeys::keysByState()
{
  QFETCH(QString, setup);
  QFETCH(QString, keys);
  QFETCH(QPoint, cursor);
  QFETCH(int, count);

  // The twin gets a left press at the middle of the cell wherever the keyed
  // board gets Enter or Space.
  TOpenPan keyed;
  TOpenPan twin;
  SetUp(keyed, setup);
  SetUp(twin, setup);
  TEventLog keyedLog(keyed);
  TEventLog twinLog(twin);
  const int w = keyed.SizeOfCell();
  for (const QString& name : keys.split(' ')) {
    const Qt::Key key = KeyNamed(name);
    const QPoint at = keyed.KeyCursor();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
      twin.MouseDown(Qt::LeftButton, Qt::NoModifier, at.x() * w + w / 2, at.y() * w + w / 2);
    QTest::keyClick(&keyed, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
  }

  QCOMPARE(keyed.KeyCursor(), cursor);
  QCOMPARE(int(keyed.Count()), count);
  QCOMPARE(keyedLog.Items, twinLog.Items);
  QVERIFY(keyed.Board() == twin.Board());
  QCOMPARE(StateName(keyed.State()), StateName(twin.State()));
  QCOMPARE(keyed.Cursor(), twin.Cursor());
  if (count != 0)
    QCOMPARE(QPoint(keyed.PosX(), keyed.PosY()), QPoint(twin.PosX(), twin.PosY()));
}

void TestKeys::mousePlayPaintsAsBefore()
{
  // One board played by real clicks in a shown window, which give it the
  // focus; the other by calls, never shown nor focused. Every picture left
  // on screen by single-cell drawing must be the same.
  QWidget host;
  TOpenPan* played = new TOpenPan(&host);
  TOpenPan untouched;
  host.resize(played->size());
  host.show();
  QVERIFY(QTest::qWaitForWindowActive(&host));
  untouched.Paint();
  QVERIFY(played->Picture() == untouched.Picture());
  const QVector<QPoint> walk = TWalkFinder(8, true).Find();
  for (QPoint cell : walk) {
    const QPoint at = CellPoint(*played, cell);
    QTest::mouseClick(played, Qt::LeftButton, Qt::NoModifier, at);
    untouched.MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    QVERIFY(played->Picture() == untouched.Picture());
  }
  QVERIFY(played->hasFocus());
  QCOMPARE(int(played->Count()), walk.size());
  const QImage before = untouched.grab().toImage();
  QVERIFY(played->grab().toImage() == before);

  // A key shows the frame, inside the cursor's cell only: blue at its edge
  // and white inside, on a dark cell as on a light one.
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up}) {
    QTest::keyClick(played, key);
    const QImage framed = played->grab().toImage();
    const QRect cell(played->KeyCursor() * 25, QSize(25, 25));
    for (int y = 0; y < framed.height(); ++y)
      for (int x = 0; x < framed.width(); ++x)
        if (!cell.contains(x, y))
          QVERIFY(framed.pixel(x, y) == before.pixel(x, y));
    QCOMPARE(framed.pixel(cell.left(), cell.center().y()), qRgb(0x00, 0x78, 0xFF));
    QCOMPARE(framed.pixel(cell.right() - 1, cell.center().y()), qRgb(0xFF, 0xFF, 0xFF));
  }
  // It goes with the focus, and comes back with it.
  played->clearFocus();
  QVERIFY(played->grab().toImage() == before);
  played->setFocus();
  QVERIFY(played->grab().toImage() != before);
  // A mouse press hides it: an illegal press, so that nothing else changes.
  QTest::mouseClick(played, Qt::LeftButton, Qt::NoModifier, CellPoint(*played, {7, 7}));
  QVERIFY(played->grab().toImage() == before);
}

VILTRON_TEST_MAIN(TestKeys)
#include "test_keys.moc"
