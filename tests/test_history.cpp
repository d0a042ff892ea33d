// "Вернуть ход" and "Повторить ход" in the main window: what the player sees
// after taking moves back and playing them again, from every state the game
// can be in, and what forgets the moves to play again.

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "BoardTestKit.h"
#include "BoxAnswerer.h"
#include "TestApp.h"
#include "main/MainForm.h"
#include "platform/StatusBar.h"
#include "platform/Translation.h"
#include "platform/UpDown.h"

namespace {

// Every event of the board, by name, in order; then the window's own handler.
void LogEvents(TMainForm& form, QStringList& log)
{
  TViltronPan& game = *form.Game;
  const std::pair<TNotifyEvent*, QString> events[] = {
      {&game.OnStart, QStringLiteral("start")}, {&game.OnStop, QStringLiteral("stop")},
      {&game.OnWin, QStringLiteral("win")},     {&game.OnLose, QStringLiteral("lose")},
      {&game.OnMove, QStringLiteral("move")},   {&game.OnError, QStringLiteral("error")}};
  for (const auto& [event, name] : events) {
    const TNotifyEvent handler = *event;
    *event = [handler, name, &log](QObject* sender) {
      log << name;
      handler(sender);
    };
  }
}

// Five knight's moves on 8 x 8, from a corner.
const QVector<QPoint> FiveMoves{{0, 0}, {1, 2}, {2, 4}, {3, 6}, {5, 7}};

void Press(TMainForm& form, QPoint cell)
{
  const int w = form.Game->SizeOfCell();
  QTest::mouseClick(form.Game, Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.x() * w + 5, cell.y() * w + 5));
}

// A free cell a knight's jump from the knight, other than `not`.
QPoint OtherJump(const TViltronPan& game, QPoint avoid)
{
  for (const QPoint d : {QPoint(2, 1), QPoint(2, -1), QPoint(-2, 1), QPoint(-2, -1), QPoint(1, 2),
                         QPoint(1, -2), QPoint(-1, 2), QPoint(-1, -2)}) {
    const QPoint c = QPoint(game.PosX(), game.PosY()) + d;
    if (c != avoid && c.x() >= 0 && c.y() >= 0 && c.x() < game.Size() && c.y() < game.Size() &&
        game.Board()[c.x()][c.y()] == 0)
      return c;
  }
  return {-1, -1};
}

}  // namespace

class THistoryTest : public QObject {
  Q_OBJECT

private slots:
  void takeBackAndRedo_data();
  void takeBackAndRedo();
  void duringSearchAndReplay();
  void menuItems_data();
  void menuItems();
};

void THistoryTest::takeBackAndRedo_data()
{
  // setup: "play5" five moves of a stranding walk on 8 x 8; "lost" a 5 x 5
  // game lost; "won" a 5 x 5 tour; "hint" one "Один ход" on an empty board;
  // "filled" the tour of "Сразу!"; "empty" the board at start.
  // steps: b Alt+Backspace, r Shift+Alt+Backspace, m another legal move,
  // l save and load the game, s the size one up (the size selector).
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QString>("steps");
  QTest::addColumn<int>("countDelta");  // against the count after the setup
  QTest::addColumn<int>("state");
  QTest::addColumn<QStringList>("events");
  QTest::addColumn<bool>("backEnabled");
  QTest::addColumn<bool>("redoEnabled");
  const QStringList none;
  const QStringList move{QStringLiteral("move")};

  QTest::newRow("play: take back") << "play5" << "b" << -1 << int(gsPlay) << none << true << true;
  QTest::newRow("play: two back, one again")
      << "play5" << "bbr" << -1 << int(gsPlay) << move << true << true;
  QTest::newRow("play: all again") << "play5" << "bbrr" << 0 << int(gsPlay)
                                   << QStringList{"move", "move"} << true << false;
  QTest::newRow("play: every move back") << "play5" << "bbbbb" << -5 << int(gsNew)
                                         << QStringList{"stop"} << false << true;
  QTest::newRow("play: back past the first") << "play5" << "bbbbbb" << -5 << int(gsNew)
                                             << QStringList{"stop"} << false << true;
  QTest::newRow("play: first move again") << "play5" << "bbbbbr" << -4 << int(gsPlay)
                                          << QStringList{"stop", "start", "move"} << true << true;
  QTest::newRow("lost: reopened") << "lost" << "b" << -1 << int(gsPlay)
                                  << QStringList{"start"} << true << true;
  QTest::newRow("lost: lost again") << "lost" << "br" << 0 << int(gsStop)
                                    << QStringList{"start", "move", "lose", "stop"} << true
                                    << false;
  QTest::newRow("won: reopened") << "won" << "b" << -1 << int(gsPlay) << QStringList{"start"}
                                 << true << true;
  QTest::newRow("won: won again") << "won" << "br" << 0 << int(gsStop)
                                  << QStringList{"start", "move", "win", "stop"} << true << false;
  QTest::newRow("hint: taken back") << "hint" << "b" << -1 << int(gsNew) << QStringList{"stop"}
                                    << false << true;
  QTest::newRow("filled tour: one back") << "filled" << "b" << -1 << int(gsPlay)
                                         << QStringList{"start"} << true << true;
  QTest::newRow("filled tour: two back") << "filled" << "bb" << -2 << int(gsPlay)
                                         << QStringList{"start"} << true << true;
  QTest::newRow("empty board") << "empty" << "br" << 0 << int(gsNew) << none << false << false;
  QTest::newRow("another move forgets") << "play5" << "bbm" << -1 << int(gsPlay) << move << true
                                        << false;
  QTest::newRow("a load forgets") << "play5" << "bl" << -1 << int(gsPlay) << QStringList{"start"}
                                  << true << false;
  QTest::newRow("a size change forgets") << "play5" << "bbbbbs" << -5 << int(gsNew)
                                         << QStringList{"stop"} << false << false;
}

void THistoryTest::takeBackAndRedo()
{
  QFETCH(QString, setup);
  QFETCH(QString, steps);
  QFETCH(int, countDelta);
  QFETCH(int, state);
  QFETCH(QStringList, events);
  QFETCH(bool, backEnabled);
  QFETCH(bool, redoEnabled);

  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  TViltronPan& game = *form.Game;
  if (setup == QLatin1String("play5")) {
    for (const QPoint& c : FiveMoves)
      Press(form, c);
    QCOMPARE(game.Count(), 5);
  } else if (setup == QLatin1String("lost") || setup == QLatin1String("won")) {
    game.SetSize(5);
    for (const QPoint& c : FindShortestWalk(5, setup == QLatin1String("won")))
      Press(form, c);
    QCOMPARE(game.State(), gsStop);
  } else if (setup == QLatin1String("hint") || setup == QLatin1String("filled")) {
    form.ShowThinkWindow(setup == QLatin1String("hint") ? form.OneStep1 : form.Now1);
    QCOMPARE(game.Count(), setup == QLatin1String("hint") ? 1 : 64);
  }
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  const int before = game.Count();
  QTemporaryDir dir;
  QStringList log;
  LogEvents(form, log);
  answerer.Clear();

  for (const QChar step : steps) {
    if (step == u'b') {
      QTest::keyClick(&form, Qt::Key_Backspace, Qt::AltModifier);
    } else if (step == u'r') {
      QTest::keyClick(&form, Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
    } else if (step == u'm') {
      const QPoint next = game.RedoMoves().empty()
                              ? QPoint(-1, -1)
                              : QPoint(game.RedoMoves().back().X, game.RedoMoves().back().Y);
      Press(form, OtherJump(game, next));
    } else if (step == u'l') {
      const QString file = dir.filePath(QStringLiteral("g.sav"));
      QVERIFY(game.SaveToFile(file));
      game.LoadFromFile(file);
    } else if (step == u's') {
      form.UpDown1->SetPosition(form.UpDown1->Position() + 1);
    }
  }

  QCOMPARE(game.Count(), before + countDelta);
  QCOMPARE(int(game.State()), state);
  QCOMPARE(log, events);
  QCOMPARE(form.TakeBack1->isEnabled(), backEnabled);
  QCOMPARE(form.Redo1->isEnabled(), redoEnabled);
  // The board holds moves 1 .. Count, the knight on the last, and says so.
  QCOMPARE(NumberedCells(game.Board(), game.Size()), int(game.Count()));
  if (game.Count() != 0)
    QCOMPARE(game.Board()[game.PosX()][game.PosY()], game.Count());
  // The numbers say the count; a board cleared before any move says nothing.
  const QString shown = form.StatusBar1->PanelText(1);
  if (!(state == gsNew && shown.isEmpty()))
    QCOMPARE(shown, QString::number(game.Count()));
  QCOMPARE(game.KeyCursor(), game.Count() != 0 ? QPoint(game.PosX(), game.PosY()) : QPoint());
  QVERIFY(game.CellName(game.PosX(), game.PosY()).contains(QString::number(game.Count())) ||
          game.Count() == 0);
  // A game in progress reads "Сдаться" and keeps the size; a new one neither.
  const bool playing = state == gsPlay;
  QCOMPARE(form.Button1->text(), playing ? QStringLiteral("Сдаться") : QStringLiteral("Начать игру!"));
  QCOMPARE(form.UpDown1->isEnabled(), !playing);
  // Only the win or loss replayed shows its box, once.
  QCOMPARE(answerer.Count(), int(events.contains(QStringLiteral("win")) ||
                                 events.contains(QStringLiteral("lose"))));
}

void THistoryTest::duringSearchAndReplay()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  TViltronPan& game = *form.Game;
  for (const QPoint& c : FiveMoves.mid(0, 3))
    Press(form, c);
  QVERIFY(game.TakeBack());
  QVERIFY(form.TakeBack1->isEnabled() && form.Redo1->isEnabled());

  // While the search runs: both items off, and the commands do nothing.
  bool sawThink = false;
  const TNotifyEvent stop = game.OnStopThinking;
  game.OnStopThinking = [&](QObject* sender) {
    sawThink = game.State() == gsThink;
    QVERIFY(!form.TakeBack1->isEnabled() && !form.Redo1->isEnabled());
    QVERIFY(!game.TakeBack() && !game.Redo());
    stop(sender);
  };
  form.StepbyStep1Click(form.StepbyStep1);
  QVERIFY(sawThink);
  // The replay: the same.
  QCOMPARE(game.State(), gsShow);
  const int count = game.Count();
  QVERIFY(!form.TakeBack1->isEnabled() && !form.Redo1->isEnabled());
  form.TakeBack1->activate(QAction::Trigger);
  QVERIFY(!game.TakeBack());
  QCOMPARE(int(game.Count()), count);
  // The player takes over: the replayed moves can be taken back.
  form.ButtonClick(form.Button1);
  QCOMPARE(game.State(), gsPlay);
  QVERIFY(form.TakeBack1->isEnabled());
  QVERIFY(!form.Redo1->isEnabled());
}

void THistoryTest::menuItems_data()
{
  QTest::addColumn<QString>("language");
  QTest::newRow("ru") << QStringLiteral("ru");
  QTest::newRow("en") << QStringLiteral("en");
}

void THistoryTest::menuItems()
{
  QFETCH(QString, language);
  UseLanguage(language);
  TMainForm form;
  UseLanguage(QStringLiteral("ru"));
  // After "Сдаться", with the classic pair of keys, none of them another item's.
  const QList<QAction*> items = form.Game1->actions();
  QCOMPARE(items.indexOf(form.TakeBack1), items.indexOf(form.N1) + 1);
  QCOMPARE(items.indexOf(form.Redo1), items.indexOf(form.N1) + 2);
  QCOMPARE(form.TakeBack1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
  QCOMPARE(form.Redo1->shortcut(), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
  QSet<QKeySequence> shortcuts;
  int withShortcut = 0;
  for (const QMenu* menu : {form.Game1, form.N4, form.Solve1, form.All1, form.N5})
    for (const QAction* action : menu->actions())
      if (!action->shortcut().isEmpty()) {
        shortcuts.insert(action->shortcut());
        ++withShortcut;
      }
  QVERIFY(withShortcut >= 11);
  QCOMPARE(shortcuts.size(), withShortcut);
  // Each access key is one item's within its menu.
  for (const QMenu* menu : {form.Game1, form.N4}) {
    QSet<QChar> keys;
    for (const QAction* action : menu->actions()) {
      const QString text = action->text();
      const int amp = text.indexOf(u'&');
      if (amp < 0 || amp + 1 >= text.size())
        continue;
      const QChar key = text[amp + 1].toLower();
      QVERIFY2(!keys.contains(key), qPrintable(text));
      keys.insert(key);
    }
    if (menu == form.Game1)
      QVERIFY(keys.size() >= 2);
  }
  QVERIFY(form.Remember1->isCheckable());
  QVERIFY(!form.Remember1->isChecked());
  QVERIFY(form.N4->actions().contains(form.Remember1));
  QVERIFY(!form.TakeBack1->isEnabled() && !form.Redo1->isEnabled());
  const QString back = form.TakeBack1->text();
  QCOMPARE(back, language == QLatin1String("en") ? QStringLiteral("Ta&ke back")
                                                  : QStringLiteral("В&ернуть ход"));
}

VILTRON_TEST_MAIN(THistoryTest)
#include "test_history.moc"
