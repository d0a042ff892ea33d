// "Можно ли пройти?", "Верный ход" and "Решить наверняка" through the main
// window: their boxes, the marks on the blamed cells and their removal, a
// game won by sure moves, the board left alone by a refusal or a cancel, and
// the older "Сразу!" still searching on 6 x 6 as before.

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BoxAnswerer.h"
#include "TestApp.h"
#include "board/SaveRecord.h"
#include "board/TourProver.h"
#include "main/MainForm.h"
#include "main/ProverCommands.h"
#include "main/WaitForm.h"
#include "platform/StatusBar.h"

namespace {

using TCells = QVector<QPoint>;

void ClickCell(TMainForm& form, QPoint cell)
{
  const int w = form.Game->SizeOfCell();
  QTest::mouseClick(form.Game, Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.x() * w + 5, cell.y() * w + 5));
}

void Play(TMainForm& form, int n, const TCells& moves)
{
  form.Game->SetSize(static_cast<uint8_t>(n));
  for (const QPoint& cell : moves)
    ClickCell(form, cell);
}

// What the player sees of the game: every cell, the knight and the count.
QString Position(const TViltronPan& game)
{
  QString seen = QStringLiteral("%1 %2 %3,%4:").arg(game.State()).arg(game.Count())
                     .arg(game.PosX()).arg(game.PosY());
  for (int x = 0; x < game.Size(); ++x)
    for (int y = 0; y < game.Size(); ++y)
      seen += QStringLiteral(" %1").arg(game.Board()[x][y]);
  return seen;
}

bool ShowsMark(const TViltronPan& game, QPoint cell)
{
  // The middle of the cross, in device pixels.
  const int w = game.SizeOfCell();
  const qreal ratio = game.Picture().devicePixelRatio();
  const QColor c = game.Picture().pixelColor(QPointF((cell.x() + 0.5) * w, (cell.y() + 0.5) * w)
                                                 .toPoint() * ratio);
  return c.red() > 180 && c.green() < 80 && c.blue() < 80;
}

const TCells CornerCutOff{{1, 2}, {3, 3}, {2, 1}, {4, 2}};

}  // namespace

class TProverCommandsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void menuAndEnabling();
  void askTellsAndMarks_data();
  void askTellsAndMarks();
  void sureMovesWinAGame();
  void refusalOrCancelLeavesTheBoard_data();
  void refusalOrCancelLeavesTheBoard();
  void solveSureFillsWhereSolveAllCannot();

private:
  QTemporaryDir FHome;
};

void TProverCommandsTest::initTestCase()
{
  QVERIFY(FHome.isValid());
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
    qputenv(name, FHome.path().toLocal8Bit());
}

void TProverCommandsTest::menuAndEnabling()
{
  TMainForm form;
  TProverCommands& p = *form.Prover;
  // After the older items, behind a separator.
  const QList<QAction*> items = form.Solve1->actions();
  QCOMPARE(items.indexOf(p.Ask), items.size() - 3);
  QVERIFY(items[items.size() - 4]->isSeparator());
  QCOMPARE(items.indexOf(form.OneStep1), items.size() - 5);
  // No shortcut used twice in the window, and no access key twice in the menu.
  QSet<QKeySequence> keys;
  for (QAction* a : form.actions())
    if (!a->shortcut().isEmpty()) {
      QVERIFY2(!keys.contains(a->shortcut()), qPrintable(a->shortcut().toString()));
      keys.insert(a->shortcut());
    }
  QSet<QChar> access;
  for (QAction* a : items) {
    const int amp = a->text().indexOf(QLatin1Char('&'));
    if (amp >= 0) {
      QVERIFY2(!access.contains(a->text()[amp + 1].toLower()), qPrintable(a->text()));
      access.insert(a->text()[amp + 1].toLower());
    }
  }
  for (bool enabled : {false, true}) {
    form.OneStep1->setEnabled(enabled);
    for (QAction* a : {p.Ask, p.SureMove, p.SolveSure})
      QCOMPARE(a->isEnabled(), enabled);
  }
}

void TProverCommandsTest::askTellsAndMarks_data()
{
  QTest::addColumn<int>("n");
  QTest::addColumn<TCells>("moves");
  QTest::addColumn<QString>("text");
  QTest::addColumn<TCells>("marked");
  QTest::addColumn<QString>("word");
  QTest::newRow("corner cut off")
      << 8 << CornerCutOff
      << QStringLiteral("Обход уже невозможен: клетка столбец 1, строка 1 недостижима: "
                        "коню до неё уже не добраться.")
      << TCells{{0, 0}} << QStringLiteral("недостижима");
  QTest::newRow("two single ways, light and dark")
      << 8 << TCells{{1, 2}, {3, 3}, {4, 1}, {6, 2}, {7, 4}}
      << QStringLiteral("Обход уже невозможен: у клеток столбец 1, строка 1; столбец 8, "
                        "строка 1 только по одному входу, значит, каждая из них должна быть "
                        "последней.")
      << TCells{{0, 0}, {7, 0}} << QStringLiteral("один вход");
  QTest::newRow("7x7 on the minority colour")
      << 7 << TCells{{0, 1}}
      << QStringLiteral("Обход уже невозможен: свободных клеток цвета коня 23, другого цвета "
                        "25, а конь меняет цвет каждым ходом.")
      << TCells{} << QString();
  QTest::newRow("still possible") << 8 << TCells{{0, 0}, {1, 2}}
                                  << QStringLiteral("Обход ещё возможен.") << TCells{}
                                  << QString();
}

void TProverCommandsTest::askTellsAndMarks()
{
  QFETCH(int, n);
  QFETCH(TCells, moves);
  QFETCH(TCells, marked);
  QFETCH(QString, word);
  TMainForm form;
  TBoxAnswerer answerer;
  Play(form, n, moves);
  const QString before = Position(*form.Game);
  form.Prover->Ask->trigger();
  QCOMPARE(answerer.Count(), 1);
  QTEST(answerer.Last().Text, "text");
  QCOMPARE(answerer.Last().Icon, QMessageBox::Information);
  QCOMPARE(Position(*form.Game), before);
  TViltronPan& game = *form.Game;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const bool mark = marked.contains(QPoint(x, y));
      QCOMPARE(game.IsMarked(x, y), mark);
      QCOMPARE(game.CellName(x, y).endsWith(QStringLiteral(", ") + word), mark);
      if (mark)
        QVERIFY(ShowsMark(game, QPoint(x, y)));
    }
  // The next move takes the marks away.
  const QPoint to(game.PosX() + (game.PosX() + 2 < n ? 2 : -2),
                  game.PosY() + (game.PosY() + 1 < n ? 1 : -1));
  ClickCell(form, to);
  QCOMPARE(int(game.Count()), int(moves.size()) + 1);
  for (const QPoint& cell : marked) {
    QVERIFY(!game.IsMarked(cell.x(), cell.y()));
    QVERIFY(!ShowsMark(game, cell));
    QVERIFY(!game.CellName(cell.x(), cell.y()).contains(word));
  }
}

void TProverCommandsTest::sureMovesWinAGame()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  // Half a tour played by hand, then sure moves to the end.
  TTourProver prover;
  const TBoard empty(5, std::vector<uint16_t>(5, 0));
  QCOMPARE(prover.Prove(empty, 5, 0, 0, 0), TProofVerdict::Possible);
  TCells half;
  for (int k = 1; k <= 12; ++k)
    for (int x = 0; x < 5; ++x)
      for (int y = 0; y < 5; ++y)
        if (prover.Tour().Board[x][y] == k)
          half << QPoint(x, y);
  Play(form, 5, half);
  QCOMPARE(int(form.Game->Count()), 12);
  for (int k = 13; k <= 25; ++k) {
    form.Prover->SureMove->trigger();
    QCOMPARE(int(form.Game->Count()), k);
  }
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Победа!"));
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("25"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("0"));
}

void TProverCommandsTest::refusalOrCancelLeavesTheBoard_data()
{
  QTest::addColumn<QString>("command");
  QTest::addColumn<int>("n");
  QTest::addColumn<TCells>("moves");
  QTest::addColumn<bool>("escape");
  QTest::newRow("sure move refused") << "SureMove1" << 8 << CornerCutOff << false;
  QTest::newRow("solve refused") << "SolveSure1" << 8 << CornerCutOff << false;
  QTest::newRow("solve cancelled") << "SolveSure1" << 100 << TCells{} << true;
  QTest::newRow("sure move cancelled") << "SureMove1" << 100 << TCells{{50, 50}} << true;
}

void TProverCommandsTest::refusalOrCancelLeavesTheBoard()
{
  QFETCH(QString, command);
  QFETCH(int, n);
  QFETCH(TCells, moves);
  QFETCH(bool, escape);
  TMainForm form;
  TBoxAnswerer answerer;
  Play(form, n, moves);
  const QString before = Position(*form.Game);
  if (escape)
    QTimer::singleShot(0, form.Game, [&form] { QTest::keyClick(form.Game, Qt::Key_Escape); });
  form.findChild<QAction*>(command)->trigger();
  QCOMPARE(Position(*form.Game), before);
  if (escape) {
    QCOMPARE(answerer.Count(), 0);
  } else {
    QCOMPARE(answerer.Count(), 1);
    QVERIFY(answerer.Last().Text.startsWith(QStringLiteral("Обход уже невозможен:")));
    // A new game takes the marks away.
    QVERIFY(form.Game->IsMarked(0, 0));
    form.Game->SetState(gsNew);
    QVERIFY(!form.Game->IsMarked(0, 0));
  }
}

void TProverCommandsTest::solveSureFillsWhereSolveAllCannot()
{
  TMainForm form;
  TBoxAnswerer answerer;
  form.Game->SetSize(6);
  form.Prover->SolveSure->trigger();
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(int(form.Game->Count()), 36);
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("0"));
  TSolution shown{form.Game->Board(), form.Game->PosX(), form.Game->PosY(), form.Game->Count()};
  TSaveRecord scratch;
  QVERIFY(IsTourOf(shown, TBoard(6, std::vector<uint16_t>(6, 0)), 6, 0, scratch));

  // "Сразу!" still walks as before: no tour on 6 x 6 until a button ends it.
  QTimer::singleShot(1500, &form, [&form] {
    if (form.WaitForm)
      form.WaitForm->Button1->click();
  });
  form.Now1->trigger();
  QCOMPARE(form.Game->State(), gsStop);
  QVERIFY(form.Game->Count() < 36);
}

VILTRON_TEST_MAIN(TProverCommandsTest)
#include "test_provercommands.moc"
