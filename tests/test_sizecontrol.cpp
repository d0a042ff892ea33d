// The board-size selector: the arrows step 5 <-> 7 <-> 8 <-> 9 ..., sizes
// below 8 are centred in the 8 x 8 window, larger ones grow the window by a
// cell per step, and a size whose window would not fit the screen is refused.

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "BoxAnswerer.h"
#include "TestApp.h"
#include "WindowTestKit.h"
#include "main/MainForm.h"
#include "platform/Edit.h"
#include "platform/Screen.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

class TestSizeControl : public QObject {
  Q_OBJECT

private slots:
  void init() { PretendScreenSize(QSize(1600, 1200)); }
  void cleanup() { PretendScreenSize(QSize()); }

  void stepsFromTheStartingSize_data()
  {
    // The arrows pressed from the starting 8 x 8 ('-' down, '+' up), and what
    // the player then sees: the board's size, its place and the window's
    // growth (sizes below 8 centred in the 8 x 8 window), the status bar.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("grown");
    const QPoint eight(8, 56);
    QTest::newRow("down to 7") << "-" << 7 << QPoint(20, 68) << 0;
    QTest::newRow("down to 5") << "--" << 5 << QPoint(45, 93) << 0;
    QTest::newRow("back up to 7") << "--+" << 7 << QPoint(20, 68) << 0;
    QTest::newRow("back up to 8") << "--++" << 8 << eight << 0;
    // Only the step past 8 grows the window, by one cell each way.
    QTest::newRow("up to 9") << "--+++" << 9 << eight << 25;
    QTest::newRow("back down to 8") << "--+++-" << 8 << eight << 0;
  }

  void stepsFromTheStartingSize()
  {
    QFETCH(QString, steps);
    QFETCH(int, size);
    QFETCH(QPoint, at);
    QFETCH(int, grown);
    TBoxAnswerer boxes;
    TMainForm w;
    const QSize start = w.frameGeometry().size();
    for (const QChar step : steps)
      step == '-' ? w.UpDown1->StepDown() : w.UpDown1->StepUp();

    const TLook seen = LookAt(w);
    QCOMPARE(seen.Size, size);
    QCOMPARE(seen.At, at);
    QCOMPARE(seen.Window, start + QSize(grown, grown));
    QCOMPARE(seen.Shown, QString::number(size));
    QCOMPARE(w.Client->size(), QSize(216 + grown, 284 + grown));
    // The status bar stays along the bottom edge.
    QCOMPARE(w.StatusBar1->geometry(), QRect(0, 264 + grown, 216 + grown, 20));
    // A player's steps never show a message.
    QCOMPARE(boxes.Count(), 0);
  }

  void everyChangeLeavesAnEmptyNewBoard()
  {
    TMainForm w;
    w.Game->MouseDown(Qt::LeftButton, {}, 0, 0);
    w.Game->SetState(gsStop);
    QCOMPARE(w.Game->Count(), 1);
    w.UpDown1->StepUp();
    QCOMPARE(w.Game->Size(), 9);
    QCOMPARE(w.Game->Count(), 0);
    QCOMPARE(w.Game->State(), gsNew);
    QCOMPARE(w.Game->Board()[0][0], 0);
  }

  void refusedStepsOnlyClearTheCounts()
  {
    TMainForm w;
    w.UpDown1->StepDown();
    w.UpDown1->StepDown();
    QCOMPARE(w.Game->Size(), 5);
    w.StatusBar1->SetPanelText(1, QStringLiteral("3"));
    w.StatusBar1->SetPanelText(3, QStringLiteral("22"));
    const QPoint at = w.Game->pos();

    w.UpDown1->StepDown();
    QCOMPARE(w.Game->Size(), 5);
    QCOMPARE(w.Game->pos(), at);
    QCOMPARE(w.Edit1->text(), QStringLiteral("5"));
    QCOMPARE(w.StatusBar1->PanelText(1), QString());
    QCOMPARE(w.StatusBar1->PanelText(3), QString());
  }

  void aWindowLargerThanTheScreenIsRefused()
  {
    TBoxAnswerer boxes;
    TMainForm w;
    const QSize start = w.frameGeometry().size();
    // Room for exactly two more cells each way.
    PretendScreenSize(start + QSize(50, 50));
    w.UpDown1->StepUp();
    w.UpDown1->StepUp();
    QCOMPARE(w.Game->Size(), 10);
    w.UpDown1->StepUp();
    QCOMPARE(w.Game->Size(), 10);
    QCOMPARE(w.Edit1->text(), QStringLiteral("10"));
    QCOMPARE(w.frameGeometry().size(), start + QSize(50, 50));
    QCOMPARE(boxes.Count(), 0);
  }

  void theBoardNeverGrowsPastAHundred()
  {
    TMainForm w;
    PretendScreenSize(QSize(4000, 4000));
    for (int i = 0; i < 95; ++i)
      w.UpDown1->StepUp();
    QCOMPARE(w.Game->Size(), 100);
    QCOMPARE(w.Edit1->text(), QStringLiteral("100"));
    const QSize full = w.frameGeometry().size();
    w.UpDown1->StepUp();
    QCOMPARE(w.Game->Size(), 100);
    QCOMPARE(w.Edit1->text(), QStringLiteral("100"));
    QCOMPARE(w.frameGeometry().size(), full);
  }

  void grownWindowStaysOnScreen_data()
  {
    QTest::addColumn<QPoint>("start");  // the window's top-left; (-1, -1): as at start-up
    QTest::addColumn<bool>("load");     // a game of that size loaded, else the arrows
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("keepX");    // else the right edge is the screen's
    QTest::addColumn<bool>("keepY");    // else the bottom edge is the screen's
    const QPoint centred(-1, -1);
    QTest::newRow("9 from the middle") << centred << false << 9 << true << true;
    QTest::newRow("30 by the arrows from the middle") << centred << false << 30 << false << false;
    QTest::newRow("30 loaded from the middle") << centred << true << 30 << false << false;
    QTest::newRow("30 loaded in the top-left corner") << QPoint(0, 0) << true << 30 << true << true;
    QTest::newRow("30 loaded near the right edge") << QPoint(1000, 50) << true << 30 << false << true;
    QTest::newRow("30 loaded low") << QPoint(40, 600) << true << 30 << true << false;
  }

  // A window that grows keeps its top-left corner while it stays on the
  // screen, and otherwise moves back just inside it.
  void grownWindowStaysOnScreen()
  {
    QFETCH(QPoint, start);
    QFETCH(bool, load);
    QFETCH(int, size);
    QFETCH(bool, keepX);
    QFETCH(bool, keepY);
    PretendScreenSize(QSize());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen, QRect(0, 0, 1280, 1024));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.sav"));
    TViltronPan saved;
    saved.SetSize(uint8_t(size));
    saved.MouseDown(Qt::LeftButton, {}, 0, 0);
    QVERIFY(saved.SaveToFile(path));

    TBoxAnswerer boxes;
    TMainForm w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (start.x() >= 0)
      w.move(start);
    const QRect before = w.frameGeometry();
    if (load)
      w.Game->LoadFromFile(path);
    while (w.Game->Size() < size && boxes.Count() == 0)
      w.UpDown1->StepUp();

    const QRect after = w.frameGeometry();
    QCOMPARE(w.Game->Size(), size);
    QCOMPARE(after.size(), before.size() + QSize(25, 25) * (size - 8));
    QVERIFY(screen.contains(after));
    QCOMPARE(keepX ? after.left() : after.right(), keepX ? before.left() : screen.right());
    QCOMPARE(keepY ? after.top() : after.bottom(), keepY ? before.top() : screen.bottom());
    QCOMPARE(boxes.Count(), 0);
  }

  void theArrowKeysOfTheSizeBoxStep()
  {
    TMainForm w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Edit1->setFocus();
    QTest::keyClick(w.Edit1, Qt::Key_Down);
    QCOMPARE(w.Game->Size(), 7);
    QTest::keyClick(w.Edit1, Qt::Key_Up);
    QCOMPARE(w.Game->Size(), 8);
  }
};

VILTRON_TEST_MAIN(TestSizeControl)
#include "test_sizecontrol.moc"
