// The rules window: its text and layout, and the demonstration board that
// replays computed tours a move a second, restarting after every full tour.

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestApp.h"
#include "WalkCheck.h"
#include "board/Random.h"
#include "main/MainForm.h"
#include "platform/Sounds.h"
#include "platform/StatusBar.h"
#include "windows/RulesForm.h"

class TestRulesForm : public QObject {
  Q_OBJECT

private slots:
  void layoutAndText()
  {
    TMainForm main;
    TRulesForm rules(&main);
    QCOMPARE(rules.windowTitle(), QStringLiteral("Правила игры"));
    QCOMPARE(rules.size(), QSize(359, 150));
    QVERIFY(rules.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(rules.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(rules.RichEdit1->geometry(), QRect(8, 8, 209, 105));
    QVERIFY(!rules.RichEdit1->isEnabled());
    const QStringList lines = rules.RichEdit1->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral("Цель игры: пройти по всему полю."));
    QCOMPARE(lines[1], QStringLiteral("Правила: "));
    QCOMPARE(lines[2], QStringLiteral("1. Ходить можно только буквой Г."));
    QCOMPARE(lines[3], QStringLiteral("2. На каждой клетке можно побывать       "));
    QCOMPARE(lines[4], QStringLiteral("    только один раз."));
    QVERIFY(lines[5].startsWith(QStringLiteral("История:")));
    QCOMPARE(rules.BitBtn1->text(), QStringLiteral("OK!"));
    QCOMPARE(rules.BitBtn1->geometry(), QRect(8, 120, 209, 25));
    QCOMPARE(rules.Game->geometry(), QRect(226, 12, 125, 125));
    QCOMPARE(int(rules.Game->Size()), 5);
    QCOMPARE(rules.Timer->interval(), 1000);
    QVERIFY(!rules.Timer->isActive());
  }

  void theWholeTextIsVisible()
  {
    TMainForm main;
    TRulesForm rules(&main);
    rules.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rules));
    // Every line fits the box: the document is no taller than its viewport.
    const QSizeF document = rules.RichEdit1->document()->size();
    const int lineHeight = rules.RichEdit1->fontMetrics().lineSpacing();
    QVERIFY2(document.height() * lineHeight <= rules.RichEdit1->viewport()->height() + 1,
             qPrintable(QStringLiteral("%1 lines of %2 px in %3 px")
                            .arg(document.height())
                            .arg(lineHeight)
                            .arg(rules.RichEdit1->viewport()->height())));
    rules.BitBtn1->click();
  }

  void showingStartsADemonstration()
  {
    TMainForm main;
    TRulesForm rules(&main);
    RandSeed(7);
    rules.show();
    TViltronPan* game = rules.Game;
    // The first move is on the board as soon as the window appears.
    QCOMPARE(game->State(), gsShow);
    QCOMPARE(int(game->Count()), 1);
    QVERIFY(IsCorner(game->PosX(), game->PosY(), 5));
    QVERIFY(rules.Timer->isActive());
    // No move event yet: the main window's numbers are untouched.
    QCOMPARE(main.StatusBar1->PanelText(1), QString());

    // Each tick shows the next move of the tour and reports it to the main
    // window, whose numbers are always its own board's.
    rules.StepOnTimer(nullptr);
    QCOMPARE(int(game->Count()), 2);
    QCOMPARE(main.StatusBar1->PanelText(1), QStringLiteral("0"));
    QCOMPARE(main.StatusBar1->PanelText(3), QStringLiteral("64"));
    QCOMPARE(main.Sounds()->LastPlayed(), QStringLiteral("MOVE"));

    for (int k = 3; k <= 25; ++k)
      rules.StepOnTimer(nullptr);
    QCOMPARE(int(game->Count()), 25);
    // A full tour, consecutive moves a knight's jump apart.
    const TBoard& board = game->Board();
    for (int k = 1; k < 25; ++k) {
      const QPoint a = CellOf(board, 5, k);
      const QPoint b = CellOf(board, 5, k + 1);
      QVERIFY(a.x() >= 0 && b.x() >= 0);
      QVERIFY(IsJump(a, b));
    }

    // The full board stays for one more tick, then a new tour starts.
    rules.StepOnTimer(nullptr);
    QCOMPARE(game->State(), gsShow);
    QCOMPARE(int(game->Count()), 1);
    QVERIFY(IsCorner(game->PosX(), game->PosY(), 5));
    QVERIFY(rules.Timer->isActive());
    rules.BitBtn1->click();
  }

  void closingFreezesAndShowingAgainStartsAfresh()
  {
    TMainForm main;
    TRulesForm rules(&main);
    rules.show();
    rules.StepOnTimer(nullptr);
    rules.StepOnTimer(nullptr);
    QCOMPARE(int(rules.Game->Count()), 3);
    rules.BitBtn1->click();
    QVERIFY(!rules.isVisible());
    QVERIFY(!rules.Timer->isActive());
    QCOMPARE(int(rules.Game->Count()), 3);

    rules.show();
    QCOMPARE(int(rules.Game->Count()), 1);
    QVERIFY(rules.Timer->isActive());
    // The title bar's close button stops the demonstration too.
    rules.close();
    QVERIFY(!rules.Timer->isActive());
  }

  void theDemonstrationIsSilentWithoutSound()
  {
    TMainForm main;
    main.Sound1->setChecked(false);
    TRulesForm rules(&main);
    rules.show();
    for (int k = 0; k < 5; ++k)
      rules.StepOnTimer(nullptr);
    QCOMPARE(main.Sounds()->LastPlayed(), QString());
    rules.BitBtn1->click();
  }

  void theBoardIgnoresClicks()
  {
    TMainForm main;
    TRulesForm rules(&main);
    rules.show();
    const TBoard before = rules.Game->Board();
    QTest::mouseClick(rules.Game, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseClick(rules.Game, Qt::LeftButton, {}, QPoint(110, 35));
    QCOMPARE(rules.Game->Board(), before);
    // Nor does it take the focus, by click or by Tab.
    QVERIFY(QTest::qWaitForWindowActive(&rules));
    for (int i = 0; i < 3; ++i) {
      QVERIFY(!rules.Game->hasFocus());
      QTest::keyClick(rules.windowHandle(), Qt::Key_Tab);
    }
    rules.BitBtn1->click();
  }

  void theTimerDrivesIt()
  {
    TMainForm main;
    TRulesForm rules(&main);
    rules.Timer->setInterval(1);
    rules.show();
    QTRY_VERIFY_WITH_TIMEOUT(rules.Game->Count() >= 5, 5000);
    rules.BitBtn1->click();
  }

  void theMenuItemOpensIt()
  {
    TMainForm main;
    TRulesForm rules(&main);
    main.RulesForm = &rules;
    bool seen = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &rules, [&] {
      if (rules.isVisible() && rules.Game->State() == gsShow) {
        seen = rules.isModal() || QApplication::activeModalWidget() == &rules;
        rules.BitBtn1->click();
      }
    });
    poll.start(5);
    main.Rules2->trigger();
    QVERIFY(seen);
    QVERIFY(!rules.isVisible());
  }

  void aCloseWhileTheDemonstrationStartsIsNotLost()
  {
    // The first walk of the search pumps events before the modal loop runs;
    // an "OK!" delivered then must still end that loop.
    TMainForm main;
    TRulesForm rules(&main);
    main.RulesForm = &rules;
    bool clicked = false;
    QTimer::singleShot(0, &rules, [&] {
      clicked = true;
      rules.BitBtn1->click();
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &rules, [&] { rules.QDialog::done(QDialog::Rejected); });
    guard.start(5000);
    main.Rules2->trigger();
    QVERIFY(clicked);
    QVERIFY(guard.isActive());
    QVERIFY(!rules.isVisible());
    QVERIFY(!rules.Timer->isActive());
  }
};

VILTRON_TEST_MAIN(TestRulesForm)
#include "test_rulesform.moc"
