// The solve commands of the main window as the player meets them: the modal
// progress window with its buttons, ticks and remarks, the board each command
// leaves behind, and the step-by-step replay on the step timer with the ways
// to interrupt it.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "BoardTestKit.h"
#include "BoxAnswerer.h"
#include "TestApp.h"
#include "platform/AccessKeys.h"
#include "board/Random.h"
#include "main/MainForm.h"
#include "main/WaitForm.h"
#include "platform/Edit.h"
#include "platform/Sounds.h"
#include "platform/StatusBar.h"

namespace {

const QString WaitCaption = QStringLiteral("Подождите.");
const QString StartCaption = QStringLiteral("Начать игру!");
const QString GiveUpCaption = QStringLiteral("Сдаться");
const QString StopReplayCaption = QStringLiteral("Остановить");

// The progress window's remarks, one for every twenty ticks.
const QStringList Remarks = {
    QStringLiteral("Думаю..."),
    QStringLiteral("Крепкий орешек попался."),
    QStringLiteral("Не получается..."),
    QStringLiteral("Устал."),
    QStringLiteral("Зачем так мучать компьютер?"),
    QStringLiteral("Попробуйка сам реши!"),
    QStringLiteral("Это бесполезно!"),
    QStringLiteral("Зря ждёшь!"),
    QStringLiteral("Надежда умирает последней :("),
};

// A 6 x 6 game whose tour can no longer be completed: both cells a knight
// reaches the corner (0, 0) from are taken and the knight stands on neither,
// so every search from here runs until a button ends it.
const QVector<QPoint> StrandedCorner = {{2, 1}, {3, 3}, {1, 2}, {2, 4}};

// A 5 x 5 game whose knight, on (1, 3), has one free jump left, to (3, 4),
// from where it has none.
const QVector<QPoint> OneJumpFromADeadEnd = {{0, 1}, {2, 2}, {3, 0}, {4, 2},
                                             {2, 1}, {4, 0}, {3, 2}, {1, 3}};

// True when the board holds exactly the first `count` moves of the tour.
bool IsPrefixOf(const TBoard& board, const TBoard& tour, int n, int count)
{
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int expected = tour[x][y] <= count ? tour[x][y] : 0;
      if (board[x][y] != expected)
        return false;
    }
  return true;
}

// What the board's own picture shows in a cell: the knight, compared with the
// knight drawn here on the cell's colour.
bool ShowsKnight(const TViltronPan& game, QPoint cell)
{
  const int w = game.SizeOfCell();
  const QRgb fill = (cell.x() + cell.y()) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
  QImage expected(w, w, QImage::Format_RGB32);
  expected.fill(fill);
  {
    QPainter painter(&expected);
    painter.drawImage(QPoint(0, 0), QImage(QStringLiteral(":/icons/MAINICON")));
  }
  const QImage shown =
      game.Picture().copy(cell.x() * w, cell.y() * w, w, w).convertToFormat(QImage::Format_RGB32);
  return shown == expected;
}

// True when the cell of the board's picture holds nothing but its colour.
bool ShowsBareCell(const TViltronPan& game, QPoint cell)
{
  const int w = game.SizeOfCell();
  const QImage shown =
      game.Picture().copy(cell.x() * w, cell.y() * w, w, w).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < w; ++y)
    for (int x = 0; x < w; ++x)
      if (shown.pixel(x, y) != shown.pixel(0, 0))
        return false;
  return true;
}

// True when the board's picture is what a full repaint of its present state
// shows, i.e. nothing on screen is stale. The picture is read first: the
// repaint that grab() asks for redraws it.
bool PictureIsCurrent(TViltronPan& game)
{
  const QImage drawn = game.Picture().convertToFormat(QImage::Format_RGB32);
  const QImage repainted = game.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return drawn == repainted;
}

// How the progress window looked when it appeared.
struct TWaitLook {
  QString Title;
  QSize Size;
  Qt::WindowFlags Flags;
  Qt::WindowModality Modality = Qt::NonModal;
  QString Button1Text;
  QString Button2Text;
  QRect Button1Place;
  QRect Button2Place;
  bool AnyDefault = true;
  QRect StatusPlace;
  QString Seconds;
  QString Remark;
  Qt::Alignment SecondsAlignment;
  int RemarkLeft = -1;  // where panel 1 begins: the width given to panel 0
  bool TimerActive = false;
  int TimerInterval = 0;
  bool IsTheFormsWindow = false;
  QString ThinkCommand;
  // The main window at that moment.
  TGameState GameState = gsNew;
  bool StepTimerActive = true;
  QString MainButton;
};

// Watches the main window while it runs solve commands: notes every progress
// window it opens and how it looked, what held when the search ended, and
// when each window was freed. Once a search runs it can act on the window as
// the player would, then press one of its buttons. A guard presses "Отмена"
// should a window outstay any sensible search, so that a fault fails the test
// instead of hanging it.
class TSolverWatch : public QObject {
public:
  enum TPress { NoPress, PressBest, PressCancel };

  explicit TSolverWatch(TMainForm& form, TPress press = NoPress) : FForm(form), FPress(press)
  {
    qApp->installEventFilter(this);
    FOriginalStop = form.Game->OnStopThinking;
    form.Game->OnStopThinking = [this](QObject* sender) {
      ++StopThinking;
      WindowOpenAtStop = !FForm.WaitForm.isNull() && FForm.WaitForm->isVisible();
      ModalAtStop = !FForm.WaitForm.isNull() &&
                    QApplication::activeModalWidget() == FForm.WaitForm.data();
      StateAtStop = FForm.Game->State();
      if (WindowOpenAtStop)
        CentreOffsetAtStop =
            FForm.WaitForm->frameGeometry().center() - FForm.frameGeometry().center();
      if (FOriginalStop)
        FOriginalStop(sender);
      ClosedByStopThinking = FForm.WaitForm.isNull() || !FForm.WaitForm->isVisible();
    };
    FPoll.setInterval(1);
    connect(&FPoll, &QTimer::timeout, this, [this] { Poll(); });
    FPoll.start();
  }

  ~TSolverWatch() override
  {
    qApp->removeEventFilter(this);
    FForm.Game->OnStopThinking = FOriginalStop;
  }

  // Runs once while the search runs, before the press.
  std::function<void(TWaitForm*)> WhileSearching;
  // The press waits for this many ticks of the window's timer, which is made
  // to tick every millisecond when it is not 0.
  int TicksBeforePress = 0;

  QVector<TWaitLook> Looks;  // one for every window shown
  int Freed = 0;             // windows destroyed
  int StopThinking = 0;
  bool WindowOpenAtStop = false;
  bool ModalAtStop = false;
  TGameState StateAtStop = gsNew;
  QPoint CentreOffsetAtStop;  // the window's centre less the main window's
  bool ClosedByStopThinking = false;  // the window was gone when the handler returned
  bool Pressed = false;
  bool GuardFired = false;
  // The window's timer as seen at the press.
  uint16_t TicksAtPress = 0;
  QString TitleAtPress;
  QString SecondsAtPress;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Show)
      if (auto* window = qobject_cast<TWaitForm*>(watched))
        if (!FSeen.contains(window))
          Note(window);
    return false;
  }

private:
  void Note(TWaitForm* w)
  {
    FSeen << w;
    connect(w, &QObject::destroyed, this, [this] { ++Freed; });
    TWaitLook look;
    look.Title = w->windowTitle();
    look.Size = w->size();
    look.Flags = w->windowFlags();
    look.Modality = w->windowModality();
    look.Button1Text = w->Button1->text();
    look.Button2Text = w->Button2->text();
    look.Button1Place = w->Button1->geometry();
    look.Button2Place = w->Button2->geometry();
    look.AnyDefault = w->Button1->isDefault() || w->Button2->isDefault() ||
                      w->Button1->autoDefault() || w->Button2->autoDefault();
    look.StatusPlace = w->StatusBar1->geometry();
    look.Seconds = w->StatusBar1->PanelText(0);
    look.Remark = w->StatusBar1->PanelText(1);
    look.SecondsAlignment = w->StatusBar1->Panel(0)->alignment();
    look.RemarkLeft = w->StatusBar1->Panel(1)->x();
    look.TimerActive = w->Timer1->isActive();
    look.TimerInterval = w->Timer1->interval();
    look.IsTheFormsWindow = FForm.WaitForm.data() == w;
    look.ThinkCommand = FForm.ThinkCommand;
    look.GameState = FForm.Game->State();
    look.StepTimerActive = FForm.Timer->isActive();
    look.MainButton = FForm.Button1->text();
    Looks << look;
    if (TicksBeforePress > 0)
      w->Timer1->setInterval(1);
  }

  void Poll()
  {
    TWaitForm* w = FForm.WaitForm.data();
    if (!w || !w->Started || FForm.Game->State() != gsThink) {
      FClock.invalidate();
      return;
    }
    if (!FClock.isValid())
      FClock.start();
    if (FClock.elapsed() > 20000) {
      GuardFired = true;
      w->Button2->click();
      return;
    }
    if (FPress == NoPress || Pressed || w->Ticks < TicksBeforePress)
      return;
    if (WhileSearching) {
      // Keys reach the active window only: on a busy machine the first ticks
      // may come before the window is activated and its focus set.
      if (!w->isActiveWindow())
        return;
      const auto action = std::move(WhileSearching);
      WhileSearching = nullptr;
      action(w);
      return;
    }
    Pressed = true;
    TicksAtPress = w->Ticks;
    TitleAtPress = w->windowTitle();
    SecondsAtPress = w->StatusBar1->PanelText(0);
    QTest::mouseClick(FPress == PressBest ? w->Button1 : w->Button2, Qt::LeftButton);
  }

  TMainForm& FForm;
  TPress FPress;
  TNotifyEvent FOriginalStop;
  QTimer FPoll;
  QElapsedTimer FClock;
  QVector<TWaitForm*> FSeen;
};

}  // namespace

class TSolverTest : public QObject {
  Q_OBJECT

private slots:
  // Every command from its menu item and from its shortcut.
  void commandRunsInTheProgressWindow_data();
  void commandRunsInTheProgressWindow();

  // "Сразу!" and "Один ход".
  void solveAllTakesTheBestWalk();
  void hintInARunningGame_data();
  void hintInARunningGame();
  void cancelRestoresTheBoard_data();
  void cancelRestoresTheBoard();
  void errorInTheCommandStillFreesTheWindow();
  void hintThatEndsTheGame_data();
  void hintThatEndsTheGame();
  void searchLocksTheGameCommands_data();
  void searchLocksTheGameCommands();

  // "По шагам".
  void replayFollowsTheTour();
  void replayRunsOnTheStepTimer();
  void replayOfTheBestWalkStopsShort();
  void replayFromARunningGame();
  void replayCancelled_data();
  void replayCancelled();

  // Interrupting a replay.
  void replayStoppedByButtonOrMenu_data();
  void replayStoppedByButtonOrMenu();
  void replayStoppedByNewGame();
  void solveCommandDuringReplay_data();
  void solveCommandDuringReplay();

  // The progress window itself.
  void ticksAnimateTheWindow();
  void tickCounterWraps();
  void windowStaysWhileSearching();
  void keysPressTheFocusedButton_data();
  void keysPressTheFocusedButton();
};

void TSolverTest::commandRunsInTheProgressWindow_data()
{
  QTest::addColumn<QString>("item");
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("byShortcut");
  QTest::newRow("Сразу! menu") << QStringLiteral("Now1") << int(Qt::Key_X) << false;
  QTest::newRow("Сразу! Ctrl+X") << QStringLiteral("Now1") << int(Qt::Key_X) << true;
  QTest::newRow("Один ход menu") << QStringLiteral("OneStep1") << int(Qt::Key_Z) << false;
  QTest::newRow("Один ход Ctrl+Z") << QStringLiteral("OneStep1") << int(Qt::Key_Z) << true;
  QTest::newRow("По шагам menu") << QStringLiteral("StepbyStep1") << int(Qt::Key_C) << false;
  QTest::newRow("По шагам Ctrl+C") << QStringLiteral("StepbyStep1") << int(Qt::Key_C) << true;
}

void TSolverTest::commandRunsInTheProgressWindow()
{
  QFETCH(QString, item);
  QFETCH(int, key);
  QFETCH(bool, byShortcut);

  TMainForm form;
  form.Game->SetSize(5);
  RandSeed(11);
  TBoxAnswerer answerer;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  QAction* action = form.findChild<QAction*>(item);
  QVERIFY(action);

  TSolverWatch watch(form);
  if (byShortcut)
    QTest::keyClick(form.windowHandle(), Qt::Key(key), Qt::ControlModifier);
  else
    action->trigger();

  // One progress window, as laid out for the player, running this command.
  QCOMPARE(watch.Looks.size(), 1);
  const TWaitLook& look = watch.Looks[0];
  QCOMPARE(look.ThinkCommand, item);
  QVERIFY(look.IsTheFormsWindow);
  QCOMPARE(look.Title, WaitCaption);
  QCOMPARE(look.Size, QSize(201, 72));
  QCOMPARE(look.Modality, Qt::ApplicationModal);
  QVERIFY(look.Flags & Qt::WindowTitleHint);
  QVERIFY(!(look.Flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
  QCOMPARE(look.Button1Text, QStringLiteral("Лучшее решение"));
  QCOMPARE(look.Button1Place, QRect(8, 16, 97, 25));
  QCOMPARE(look.Button2Text, QStringLiteral("Отмена"));
  QCOMPARE(look.Button2Place, QRect(120, 16, 75, 25));
  QVERIFY(!look.AnyDefault);
  QCOMPARE(look.StatusPlace, QRect(0, 53, 201, 19));
  QCOMPARE(look.Seconds, QStringLiteral("0"));
  QVERIFY(look.SecondsAlignment & Qt::AlignRight);
  QCOMPARE(look.RemarkLeft, 25);
  QCOMPARE(look.Remark, Remarks[0]);
  QVERIFY(look.TimerActive);
  QCOMPARE(look.TimerInterval, 500);

  // The search ran while the window was up and modal, and found its tour at
  // once; the window then closed by itself and was freed.
  QCOMPARE(watch.StopThinking, 1);
  QVERIFY(watch.WindowOpenAtStop);
  QVERIFY(watch.ModalAtStop);
  QCOMPARE(watch.StateAtStop, gsThink);
  QVERIFY(watch.ClosedByStopThinking);
  QVERIFY2(qAbs(watch.CentreOffsetAtStop.x()) <= 1 && qAbs(watch.CentreOffsetAtStop.y()) <= 1,
           qPrintable(QStringLiteral("%1,%2 off the main window's centre")
                          .arg(watch.CentreOffsetAtStop.x())
                          .arg(watch.CentreOffsetAtStop.y())));
  QVERIFY(!watch.GuardFired);
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(watch.Freed, 1);
  QVERIFY(form.findChildren<TWaitForm*>().isEmpty());
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  QCOMPARE(answerer.Count(), 0);

  // What the command left, repainted: the knight shows on the last move.
  const TViltronPan& game = *form.Game;
  const QPoint knight(game.PosX(), game.PosY());
  QVERIFY(ShowsKnight(game, knight));
  if (item == QLatin1String("Now1")) {
    QCOMPARE(game.State(), gsStop);
    QCOMPARE(GameFault(game, 25), QString());
    QVERIFY(IsCorner(CellOf(game.Board(), 5, 1), 5));
    QVERIFY(!ShowsBareCell(game, CellOf(game.Board(), 5, 1)));
    QCOMPARE(form.Button1->text(), StartCaption);
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("25"));
    QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("0"));
  } else if (item == QLatin1String("OneStep1")) {
    QCOMPARE(game.State(), gsPlay);
    QCOMPARE(GameFault(game, 1), QString());
    QVERIFY(IsCorner(knight, 5));
    QVERIFY(!form.Timer->isActive());
  } else {
    QCOMPARE(game.State(), gsShow);
    QCOMPARE(GameFault(game, 1), QString());
    QVERIFY(IsCorner(knight, 5));
    QCOMPARE(game.Best().Count, 25);
    QVERIFY(form.Timer->isActive());
    QCOMPARE(form.Button1->text(), StopReplayCaption);
  }
  QVERIFY(PictureIsCurrent(*form.Game));
}

void TSolverTest::solveAllTakesTheBestWalk()
{
  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(12);
  TBoxAnswerer answerer;
  TSolverWatch watch(form, TSolverWatch::PressBest);
  // The window's timer ticks while the search pumps messages.
  watch.TicksBeforePress = 7;
  form.Now1->trigger();

  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QVERIFY(watch.TicksAtPress >= 7);
  QCOMPARE(watch.TitleAtPress, WaitCaption + QString(watch.TicksAtPress % 5, QLatin1Char('.')));
  QCOMPARE(watch.SecondsAtPress, QString::number(watch.TicksAtPress / 2));
  QCOMPARE(watch.StopThinking, 1);
  QVERIFY(watch.WindowOpenAtStop);
  QCOMPARE(watch.StateAtStop, gsBest);

  // The longest walk found, short of the 36 cells, in a stopped game.
  const TViltronPan& game = *form.Game;
  QCOMPARE(game.State(), gsStop);
  QCOMPARE(game.Count(), 34);
  QCOMPARE(GameFault(game, 34), QString());
  QVERIFY(ShowsKnight(game, QPoint(game.PosX(), game.PosY())));
  QCOMPARE(form.Button1->text(), StartCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("34"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("2"));
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(watch.Freed, 1);
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::hintInARunningGame_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<QVector<QPoint>>("moves");
  QTest::addColumn<bool>("best");
  QTest::newRow("tour found") << 5 << QVector<QPoint>{{0, 0}} << false;
  QTest::newRow("best walk taken") << 6 << StrandedCorner << true;
}

void TSolverTest::hintInARunningGame()
{
  QFETCH(int, size);
  QFETCH(QVector<QPoint>, moves);
  QFETCH(bool, best);

  TMainForm form;
  form.Game->SetSize(static_cast<uint8_t>(size));
  RandSeed(13);
  TBoxAnswerer answerer;
  for (const QPoint& cell : moves)
    ClickCell(*form.Game, cell);
  QCOMPARE(form.Game->Count(), moves.size());
  const TBoard before = form.Game->Board();
  const QPoint from = moves.last();

  TSolverWatch watch(form, best ? TSolverWatch::PressBest : TSolverWatch::NoPress);
  form.PlaySoundRes(QStringLiteral("error"));
  form.OneStep1->trigger();
  QVERIFY(!watch.GuardFired);
  QCOMPARE(watch.Looks.size(), 1);
  QCOMPARE(watch.Looks[0].ThinkCommand, QStringLiteral("OneStep1"));

  // One more move, a knight's jump on, along the computed walk; the game goes on.
  const TViltronPan& game = *form.Game;
  const int k = moves.size() + 1;
  QCOMPARE(game.Count(), k);
  QCOMPARE(game.State(), gsPlay);
  QVERIFY(IsPrefixOf(before, game.Board(), size, k - 1));
  QCOMPARE(GameFault(game, k), QString());
  QVERIFY(IsJump(from, QPoint(game.PosX(), game.PosY())));
  QVERIFY(IsPrefixOf(game.Board(), game.Best().Board, size, k));
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(k));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(size * size - k));
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  // The new move shows the knight; the cell it left shows its number.
  QVERIFY(ShowsKnight(game, QPoint(game.PosX(), game.PosY())));
  QVERIFY(!ShowsKnight(game, from));
  QVERIFY(!ShowsBareCell(game, from));
  QVERIFY(PictureIsCurrent(*form.Game));
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::cancelRestoresTheBoard_data()
{
  QTest::addColumn<QString>("item");
  QTest::addColumn<bool>("running");
  QTest::newRow("Сразу! on a new board") << QStringLiteral("Now1") << false;
  QTest::newRow("Сразу! in a running game") << QStringLiteral("Now1") << true;
  QTest::newRow("Один ход on a new board") << QStringLiteral("OneStep1") << false;
  QTest::newRow("Один ход in a running game") << QStringLiteral("OneStep1") << true;
}

void TSolverTest::cancelRestoresTheBoard()
{
  QFETCH(QString, item);
  QFETCH(bool, running);

  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(14);
  TBoxAnswerer answerer;
  if (running)
    for (const QPoint& cell : StrandedCorner)
      ClickCell(*form.Game, cell);
  const TBoard before = form.Game->Board();
  const TGameState state = form.Game->State();
  QCOMPARE(state, running ? gsPlay : gsNew);

  TSolverWatch watch(form, TSolverWatch::PressCancel);
  form.findChild<QAction*>(item)->trigger();
  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QCOMPARE(watch.StateAtStop, gsCancel);

  // Nothing of the search remains: the position and the state are as before.
  const TViltronPan& game = *form.Game;
  QCOMPARE(game.State(), state);
  QVERIFY(game.Board() == before);
  if (running) {
    QCOMPARE(game.Count(), StrandedCorner.size());
    QCOMPARE(QPoint(game.PosX(), game.PosY()), StrandedCorner.last());
    QVERIFY(ShowsKnight(game, StrandedCorner.last()));
    QCOMPARE(form.Button1->text(), GiveUpCaption);
    QVERIFY(form.N1->isEnabled());
    QCOMPARE(form.StatusBar1->PanelText(1), QString::number(StrandedCorner.size()));
  } else {
    QCOMPARE(game.Count(), 0);
    QCOMPARE(game.Cursor(), crKnight);
    QCOMPARE(form.Button1->text(), StartCaption);
    QVERIFY(!form.N1->isEnabled());
  }
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(watch.Freed, 1);
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::errorInTheCommandStillFreesTheWindow()
{
  // Every clip but the move sound.
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  for (const QString& name : {QStringLiteral("ERROR"), QStringLiteral("WIN"), QStringLiteral("LOSE")})
    QVERIFY(QFile::copy(QStringLiteral(":/sounds/%1.wav").arg(name),
                        folder.filePath(name + QStringLiteral(".wav"))));

  TMainForm form(folder.path());
  form.Game->SetSize(5);
  RandSeed(15);
  TBoxAnswerer answerer(QMessageBox::Ok);
  form.Sound1->trigger();
  ClickCell(*form.Game, {0, 0});
  form.Sound1->trigger();
  QCOMPARE(answerer.Count(), 0);

  // The hint's move raises the move event, whose sound is missing.
  TSolverWatch watch(form);
  form.OneStep1->trigger();
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Ресурс не найден!"));
  QCOMPARE(form.Game->Count(), 2);
  QCOMPARE(watch.Looks.size(), 1);
  QCOMPARE(watch.Freed, 1);
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TSolverTest::hintThatEndsTheGame_data()
{
  QTest::addColumn<QVector<QPoint>>("moves");
  QTest::addColumn<int>("hints");
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("sound");
  QTest::newRow("the tour's last cell") << QVector<QPoint>{} << 25 << QStringLiteral("Победа!")
                                        << QStringLiteral("WIN");
  QTest::newRow("into a dead end") << OneJumpFromADeadEnd << 1
                                   << QStringLiteral("Вы проиграли...") << QStringLiteral("LOSE");
}

// A move made by "Один ход" that leaves the knight stuck ends the game as a
// player's move would.
void TSolverTest::hintThatEndsTheGame()
{
  QFETCH(QVector<QPoint>, moves);
  QFETCH(int, hints);
  QFETCH(QString, box);
  QFETCH(QString, sound);

  TMainForm form;
  form.Game->SetSize(5);
  RandSeed(16);
  TBoxAnswerer answerer;
  for (const QPoint& cell : moves)
    ClickCell(*form.Game, cell);
  QCOMPARE(form.Game->Count(), moves.size());
  // From the dead end's neighbour no tour exists: the search takes its best walk.
  TSolverWatch watch(form, moves.isEmpty() ? TSolverWatch::NoPress : TSolverWatch::PressBest);
  for (int k = 0; k < hints; ++k)
    form.OneStep1->trigger();
  QVERIFY(!watch.GuardFired);

  QCOMPARE(form.Game->Count(), moves.size() + hints);
  QCOMPARE(GameFault(*form.Game, moves.size() + hints), QString());
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, box);
  QCOMPARE(form.Sounds()->LastPlayed(), sound);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.UpDown1->isEnabled());
  QVERIFY(PictureIsCurrent(*form.Game));
}

void TSolverTest::searchLocksTheGameCommands_data()
{
  QTest::addColumn<QString>("item");
  QTest::addColumn<int>("press");
  QTest::newRow("Сразу!, Отмена") << QStringLiteral("Now1") << int(TSolverWatch::PressCancel);
  QTest::newRow("Один ход, Лучшее решение")
      << QStringLiteral("OneStep1") << int(TSolverWatch::PressBest);
  QTest::newRow("По шагам, Лучшее решение")
      << QStringLiteral("StepbyStep1") << int(TSolverWatch::PressBest);
}

// While a search runs nothing can save, load, start a game, give up or
// change the size, not even a screen reader's press of "Сохранить".
void TSolverTest::searchLocksTheGameCommands()
{
  QFETCH(QString, item);
  QFETCH(int, press);
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("during.sav"));

  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(17);
  TBoxAnswerer answerer;
  for (const QPoint& cell : StrandedCorner)
    ClickCell(*form.Game, cell);
  const auto usable = [&form] {
    QStringList names;
    for (QAction* action : {form.NewGame1, form.N1, form.N7, form.N8})
      if (action->isEnabled())
        names << action->objectName();
    for (QWidget* widget : {static_cast<QWidget*>(form.Button1), static_cast<QWidget*>(form.Edit1),
                            static_cast<QWidget*>(form.UpDown1)})
      if (widget->isEnabled())
        names << widget->objectName();
    return names;
  };
  // A save dialog that opens all the same is given a name and accepted.
  int dialogs = 0;
  QTimer answer;
  answer.setInterval(5);
  QObject::connect(&answer, &QTimer::timeout, [&dialogs, &path] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        ++dialogs;
        name->setText(path);
        dialog->accept();
      }
  });
  answer.start();

  TSolverWatch watch(form, TSolverWatch::TPress(press));
  QStringList whileSearching;
  QStringList atTheSearchsEnd;
  bool reached = false;
  watch.WhileSearching = [&](TWaitForm*) {
    whileSearching = usable();
    // As a screen reader does it: the menu item's own "press" action.
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(form.Game1);
    for (int i = 0; menu && i < menu->childCount(); ++i) {
      QAccessibleInterface* entry = menu->child(i);
      if (entry->text(QAccessible::Name) == QStringLiteral("Сохранить") &&
          entry->actionInterface()) {
        reached = true;
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
      }
    }
  };
  const TNotifyEvent watched = form.Game->OnStopThinking;
  form.Game->OnStopThinking = [&](QObject* sender) {
    atTheSearchsEnd = usable();
    watched(sender);
  };
  form.findChild<QAction*>(item)->trigger();

  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QVERIFY(reached);
  QCOMPARE(whileSearching, QStringList());
  QCOMPARE(atTheSearchsEnd, QStringList());
  QCOMPARE(dialogs, 0);
  QVERIFY(!QFile::exists(path));
  QCOMPARE(answerer.Count(), 0);
  // Afterwards the game's own state decides again.
  const bool running = form.Game->State() != gsStop;
  QStringList expected{QStringLiteral("NewGame1"), QStringLiteral("N7"), QStringLiteral("N8"),
                       QStringLiteral("Button1")};
  if (running)
    expected.insert(1, QStringLiteral("N1"));
  else
    expected << QStringLiteral("Edit1") << QStringLiteral("UpDown1");
  QCOMPARE(usable(), expected);
}

void TSolverTest::replayFollowsTheTour()
{
  TMainForm form;
  form.Game->SetSize(5);
  RandSeed(21);
  TBoxAnswerer answerer;
  form.StepbyStep1->trigger();

  // The replay is set up: the tour's first move on the board, the step timer
  // on, the button and the menu item ready to stop it.
  const TViltronPan& game = *form.Game;
  const TSolution tour = game.Best();
  QCOMPARE(tour.Count, 25);
  QCOMPARE(game.State(), gsShow);
  QCOMPARE(game.Count(), 1);
  QVERIFY(IsPrefixOf(game.Board(), tour.Board, 5, 1));
  QVERIFY(form.Timer->isActive());
  QCOMPARE(form.Timer->interval(), 500);
  QCOMPARE(form.Button1->text(), StopReplayCaption);
  QCOMPARE(WithoutAccessKey(form.N1->text()), StopReplayCaption);
  QVERIFY(form.N1->isEnabled());
  QVERIFY(!form.Edit1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("1"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("24"));

  // Every tick makes the tour's next move with its sound and counts.
  for (int k = 2; k <= 25; ++k) {
    const QPoint from(game.PosX(), game.PosY());
    form.PlaySoundRes(QStringLiteral("error"));
    form.StepOnTimer(form.Timer);
    const QPoint to(game.PosX(), game.PosY());
    QCOMPARE(game.Count(), k);
    QVERIFY2(IsPrefixOf(game.Board(), tour.Board, 5, k), qPrintable(QString::number(k)));
    QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));
    QCOMPARE(form.StatusBar1->PanelText(1), QString::number(k));
    QCOMPARE(form.StatusBar1->PanelText(3), QString::number(25 - k));
    QVERIFY(ShowsKnight(game, to));
    QVERIFY(!ShowsKnight(game, from) && !ShowsBareCell(game, from));
    QCOMPARE(game.State(), gsShow);
    QVERIFY(form.Timer->isActive());
  }

  // The tick after the last move ends the replay.
  form.PlaySoundRes(QStringLiteral("error"));
  form.StepOnTimer(form.Timer);
  QVERIFY(!form.Timer->isActive());
  QCOMPARE(game.State(), gsStop);
  QCOMPARE(game.Count(), 25);
  QVERIFY(game.Board() == tour.Board);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("ERROR"));
  QVERIFY(PictureIsCurrent(*form.Game));
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.Edit1->isEnabled());
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::replayRunsOnTheStepTimer()
{
  TMainForm form;
  form.Game->SetSize(5);
  RandSeed(22);
  TBoxAnswerer answerer;
  int moves = 0;
  const TNotifyEvent onMove = form.Game->OnMove;
  form.Game->OnMove = [&](QObject* sender) {
    ++moves;
    onMove(sender);
  };
  form.StepbyStep1->trigger();
  QVERIFY(form.Timer->isActive());
  form.Timer->setInterval(1);

  // The replay runs by itself to the tour's end and stops there.
  QTRY_VERIFY(!form.Timer->isActive());
  QCOMPARE(moves, 24);
  QCOMPARE(form.Game->State(), gsStop);
  QVERIFY(form.Game->Board() == form.Game->Best().Board);
  QCOMPARE(GameFault(*form.Game, 25), QString());
  QCOMPARE(form.Button1->text(), StartCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("25"));
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::replayOfTheBestWalkStopsShort()
{
  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(23);
  TBoxAnswerer answerer;
  TSolverWatch watch(form, TSolverWatch::PressBest);
  form.StepbyStep1->trigger();
  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);

  const TViltronPan& game = *form.Game;
  const TSolution walk = game.Best();
  QCOMPARE(walk.Count, 34);
  QCOMPARE(game.State(), gsShow);
  QCOMPARE(game.Count(), 1);
  QVERIFY(IsCorner(QPoint(game.PosX(), game.PosY()), 6));
  QCOMPARE(form.Button1->text(), StopReplayCaption);
  QVERIFY(form.Timer->isActive());

  // 33 ticks make the walk's moves, the 34th ends the replay.
  int ticks = 0;
  while (form.Timer->isActive() && ticks < 100) {
    form.StepOnTimer(form.Timer);
    ++ticks;
  }
  QCOMPARE(ticks, 34);
  QCOMPARE(game.State(), gsStop);
  QCOMPARE(game.Count(), 34);
  QVERIFY(game.Board() == walk.Board);
  QCOMPARE(GameFault(game, 34), QString());
  QCOMPARE(form.Button1->text(), StartCaption);
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("2"));
  QCOMPARE(answerer.Count(), 0);
}

// The stranded-corner game on 6 x 6, then "По шагам" ended by "Лучшее
// решение": a replay of the longest walk found from that game.
void StartReplayOfBestWalk(TMainForm& form)
{
  form.Game->SetSize(6);
  for (const QPoint& cell : StrandedCorner)
    ClickCell(*form.Game, cell);
  TSolverWatch watch(form, TSolverWatch::PressBest);
  form.StepbyStep1->trigger();
  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
}

void TSolverTest::replayFromARunningGame()
{
  TMainForm form;
  RandSeed(25);
  TBoxAnswerer answerer;
  StartReplayOfBestWalk(form);
  if (QTest::currentTestFailed())
    return;

  // The game's moves stay; the walk found goes on from them.
  const TViltronPan& game = *form.Game;
  const int k = StrandedCorner.size();
  const int n = game.Best().Count;
  QVERIFY(n > k && n < 36);
  QCOMPARE(game.State(), gsShow);
  QCOMPARE(game.Count(), k);
  QCOMPARE(QPoint(game.PosX(), game.PosY()), StrandedCorner.last());
  for (int v = 1; v <= k; ++v)
    QCOMPARE(CellOf(game.Board(), 6, v), StrandedCorner[v - 1]);
  QVERIFY(IsPrefixOf(game.Board(), game.Best().Board, 6, k));
  QCOMPARE(form.Button1->text(), StopReplayCaption);
  QVERIFY(form.Timer->isActive());
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(k));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(36 - k));

  // The last move comes at tick n - k, the end of the replay at the next one.
  for (int tick = 1; tick <= n - k; ++tick)
    form.StepOnTimer(form.Timer);
  QCOMPARE(game.Count(), n);
  QVERIFY(form.Timer->isActive());
  QCOMPARE(game.State(), gsShow);
  form.StepOnTimer(form.Timer);
  QVERIFY(!form.Timer->isActive());
  QCOMPARE(game.State(), gsStop);
  QVERIFY(game.Board() == game.Best().Board);
  QCOMPARE(GameFault(game, n), QString());
  QCOMPARE(form.Button1->text(), StartCaption);
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::replayCancelled_data()
{
  QTest::addColumn<QString>("before");
  QTest::newRow("new board") << QStringLiteral("new");
  QTest::newRow("running game") << QStringLiteral("play");
  QTest::newRow("stopped game") << QStringLiteral("stop");
  QTest::newRow("replay") << QStringLiteral("show");
}

void TSolverTest::replayCancelled()
{
  QFETCH(QString, before);

  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(24);
  TBoxAnswerer answerer(QMessageBox::Yes);
  if (before == QLatin1String("play") || before == QLatin1String("stop"))
    for (const QPoint& cell : StrandedCorner)
      ClickCell(*form.Game, cell);
  if (before == QLatin1String("stop")) {
    form.N1->trigger();
    QCOMPARE(answerer.Count(), 1);
  }
  if (before == QLatin1String("show")) {
    StartReplayOfBestWalk(form);
    if (QTest::currentTestFailed())
      return;
    form.StepOnTimer(form.Timer);
    form.StepOnTimer(form.Timer);
    QCOMPARE(form.Game->Count(), StrandedCorner.size() + 2);
  }
  const TGameState state = form.Game->State();
  const TBoard position = form.Game->Board();

  int starts = 0;
  int stops = 0;
  const TNotifyEvent onStart = form.Game->OnStart;
  const TNotifyEvent onStop = form.Game->OnStop;
  form.Game->OnStart = [&](QObject* sender) {
    ++starts;
    onStart(sender);
  };
  form.Game->OnStop = [&](QObject* sender) {
    ++stops;
    onStop(sender);
  };

  TSolverWatch watch(form, TSolverWatch::PressCancel);
  form.StepbyStep1->trigger();
  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QCOMPARE(watch.StateAtStop, gsCancel);

  // No replay; the board is back in the state the command found it in.
  const TViltronPan& game = *form.Game;
  QVERIFY(!form.Timer->isActive());
  QCOMPARE(game.State(), state);
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(watch.Freed, 1);
  if (before == QLatin1String("new")) {
    QCOMPARE(game.Count(), 0);
    QCOMPARE(NumberedCells(game.Board(), 6), 0);
    QCOMPARE(game.Cursor(), crKnight);
    QCOMPARE(starts + stops, 0);
    QCOMPARE(form.Button1->text(), StartCaption);
  } else if (before == QLatin1String("play")) {
    // The game goes on where it stood: its start event came once more.
    QVERIFY(game.Board() == position);
    QCOMPARE(QPoint(game.PosX(), game.PosY()), StrandedCorner.last());
    QVERIFY(ShowsKnight(game, StrandedCorner.last()));
    QCOMPARE(starts, 1);
    QCOMPARE(stops, 0);
    QCOMPARE(form.Button1->text(), GiveUpCaption);
    QCOMPARE(WithoutAccessKey(form.N1->text()), GiveUpCaption);
    QVERIFY(form.N1->isEnabled());
  } else if (before == QLatin1String("show")) {
    // The replay had become a game for the search; the board is put back
    // into the replay's state, with the position reached, and nothing replays.
    QVERIFY(game.Board() == position);
    QCOMPARE(starts, 1);
    QCOMPARE(stops, 0);
    QCOMPARE(game.Cursor(), crNoDrop);
  } else {
    // The search cleared the stopped game; the board stops once more.
    QCOMPARE(NumberedCells(game.Board(), 6), 0);
    QCOMPARE(starts, 0);
    QCOMPARE(stops, 1);
    QCOMPARE(game.Cursor(), crNoDrop);
    QCOMPARE(form.Button1->text(), StartCaption);
    QVERIFY(!form.N1->isEnabled());
  }
  QVERIFY(form.Button1->text() != StopReplayCaption);
}

// A 5 x 5 replay that has shown `moves` moves.
void StartReplay(TMainForm& form, int moves)
{
  form.Game->SetSize(5);
  form.StepbyStep1->trigger();
  for (int k = 1; k < moves; ++k)
    form.StepOnTimer(form.Timer);
}

void TSolverTest::replayStoppedByButtonOrMenu_data()
{
  QTest::addColumn<bool>("byButton");
  QTest::newRow("button") << true;
  QTest::newRow("menu") << false;
}

void TSolverTest::replayStoppedByButtonOrMenu()
{
  QFETCH(bool, byButton);

  TMainForm form;
  RandSeed(31);
  TBoxAnswerer answerer(QMessageBox::Yes);
  StartReplay(form, 4);
  QCOMPARE(form.Game->Count(), 4);
  QCOMPARE(form.Game->State(), gsShow);
  const TBoard reached = form.Game->Board();
  const TSolution tour = form.Game->Best();

  if (byButton)
    QTest::mouseClick(form.Button1, Qt::LeftButton);
  else
    form.N1->trigger();

  // No question; the position reached becomes the player's game.
  QCOMPARE(answerer.Count(), 0);
  QVERIFY(!form.Timer->isActive());
  QCOMPARE(form.Game->State(), gsPlay);
  QVERIFY(form.Game->Board() == reached);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(WithoutAccessKey(form.N1->text()), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("4"));

  // The player's next press is a move of that game.
  ClickCell(*form.Game, CellOf(tour.Board, 5, 5));
  QCOMPARE(form.Game->Count(), 5);
  QCOMPARE(form.Game->State(), gsPlay);
  QVERIFY(IsPrefixOf(form.Game->Board(), tour.Board, 5, 5));
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::replayStoppedByNewGame()
{
  TMainForm form;
  RandSeed(32);
  TBoxAnswerer answerer(QMessageBox::No);
  StartReplay(form, 4);
  QCOMPARE(form.Game->State(), gsShow);

  form.NewGame1->trigger();
  QCOMPARE(answerer.Count(), 0);
  QVERIFY(!form.Timer->isActive());
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(NumberedCells(form.Game->Board(), 5), 0);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(WithoutAccessKey(form.N1->text()), GiveUpCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("0"));
}

void TSolverTest::solveCommandDuringReplay_data()
{
  QTest::addColumn<QString>("item");
  QTest::newRow("Сразу!") << QStringLiteral("Now1");
  QTest::newRow("Один ход") << QStringLiteral("OneStep1");
  QTest::newRow("По шагам") << QStringLiteral("StepbyStep1");
}

void TSolverTest::solveCommandDuringReplay()
{
  QFETCH(QString, item);

  TMainForm form;
  RandSeed(33);
  TBoxAnswerer answerer;
  StartReplay(form, 4);
  const TBoard reached = form.Game->Board();
  const QPoint knight(form.Game->PosX(), form.Game->PosY());

  TSolverWatch watch(form);
  form.findChild<QAction*>(item)->trigger();

  // The replay had become a running game before the window came up.
  QCOMPARE(watch.Looks.size(), 1);
  QCOMPARE(watch.Looks[0].ThinkCommand, item);
  QCOMPARE(watch.Looks[0].GameState, gsPlay);
  QVERIFY(!watch.Looks[0].StepTimerActive);
  QCOMPARE(watch.Looks[0].MainButton, GiveUpCaption);
  QVERIFY(!watch.GuardFired);

  // The search went on from the position reached.
  const TViltronPan& game = *form.Game;
  QVERIFY(IsPrefixOf(reached, game.Best().Board, 5, 4));
  QCOMPARE(game.Best().Count, 25);
  if (item == QLatin1String("Now1")) {
    QCOMPARE(game.State(), gsStop);
    QCOMPARE(GameFault(game, 25), QString());
    QVERIFY(IsPrefixOf(reached, game.Board(), 5, 4));
    QVERIFY(!form.Timer->isActive());
  } else if (item == QLatin1String("OneStep1")) {
    QCOMPARE(game.State(), gsPlay);
    QCOMPARE(game.Count(), 5);
    QVERIFY(IsPrefixOf(game.Board(), game.Best().Board, 5, 5));
    QVERIFY(IsJump(knight, QPoint(game.PosX(), game.PosY())));
    QVERIFY(!form.Timer->isActive());
    QCOMPARE(form.Button1->text(), GiveUpCaption);
  } else {
    // A new replay of the new tour, from the same position.
    QCOMPARE(game.State(), gsShow);
    QVERIFY(game.Board() == reached);
    QVERIFY(form.Timer->isActive());
    QCOMPARE(form.Button1->text(), StopReplayCaption);
    form.StepOnTimer(form.Timer);
    QCOMPARE(game.Count(), 5);
    QVERIFY(IsPrefixOf(game.Board(), game.Best().Board, 5, 5));
  }
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::ticksAnimateTheWindow()
{
  TMainForm form;
  TWaitForm w(&form);
  QCOMPARE(w.Ticks, 0);
  QVERIFY(!w.Started);
  QCOMPARE(w.windowTitle(), WaitCaption);

  // Two to five dots, then one again, in a cycle of five ticks.
  const QStringList titles = {QStringLiteral("Подождите.."), QStringLiteral("Подождите..."),
                              QStringLiteral("Подождите...."), QStringLiteral("Подождите....."),
                              WaitCaption};
  // The seconds at two ticks a second: "0" until the second tick.
  const QStringList seconds = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                               QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("3")};
  for (int t = 1; t <= 400; ++t) {
    w.Timer(nullptr);
    const QString at = QStringLiteral("tick %1").arg(t);
    QCOMPARE(w.Ticks, t);
    QVERIFY2(w.windowTitle() == titles[(t - 1) % 5], qPrintable(at + ": " + w.windowTitle()));
    if (t <= seconds.size())
      QVERIFY2(w.StatusBar1->PanelText(0) == seconds[t - 1], qPrintable(at));
    else
      QVERIFY2(w.StatusBar1->PanelText(0) == QString::number(t / 2), qPrintable(at));
    // A new remark every twenty ticks; from tick 180 on the last one stays.
    QVERIFY2(w.StatusBar1->PanelText(1) == Remarks[qMin(t / 20, 8)], qPrintable(at));
  }
  QCOMPARE(w.StatusBar1->PanelText(0), QStringLiteral("200"));
  QCOMPARE(w.StatusBar1->PanelText(1), QStringLiteral("Надежда умирает последней :("));
  // Ticks alone run no command.
  QVERIFY(!w.Started);
  QCOMPARE(form.Game->State(), gsNew);
}

void TSolverTest::tickCounterWraps()
{
  TMainForm form;
  TWaitForm w(&form);
  // A window that has been ticking for a very long time.
  w.Ticks = 65533;
  w.StatusBar1->SetPanelText(1, Remarks[8]);
  w.Timer(nullptr);
  QCOMPARE(w.StatusBar1->PanelText(0), QStringLiteral("32767"));
  w.Timer(nullptr);
  QCOMPARE(w.Ticks, 65535);
  QCOMPARE(w.windowTitle(), WaitCaption);
  QCOMPARE(w.StatusBar1->PanelText(1), Remarks[8]);
  // The count wraps to 0 and starts again from the beginning.
  w.Timer(nullptr);
  QCOMPARE(w.Ticks, 0);
  QCOMPARE(w.windowTitle(), WaitCaption);
  QCOMPARE(w.StatusBar1->PanelText(0), QStringLiteral("0"));
  QCOMPARE(w.StatusBar1->PanelText(1), Remarks[0]);
  w.Timer(nullptr);
  QCOMPARE(w.windowTitle(), QStringLiteral("Подождите.."));
}

void TSolverTest::windowStaysWhileSearching()
{
  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(41);
  TBoxAnswerer answerer;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));

  bool closed = true;
  bool stillOpen = false;
  TGameState stateAfterKeys = gsNew;
  TSolverWatch watch(form, TSolverWatch::PressCancel);
  watch.WhileSearching = [&](TWaitForm* w) {
    QPointer<TWaitForm> guard(w);
    QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(focus, Qt::Key_Escape);
    closed = w->close();
    // Neither button is a default one that answers Enter from elsewhere.
    focus->clearFocus();
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
    // The main window takes no input meanwhile: its shortcuts open nothing
    // and its size arrows do not change the board being searched.
    if (QWindow* main = form.windowHandle()) {
      QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
      QTest::mouseClick(main, Qt::LeftButton, Qt::NoModifier,
                        form.UpDown1->mapTo(&form, QPoint(form.UpDown1->width() / 2, 3)));
    }
    stillOpen = guard && guard->isVisible() && form.WaitForm == guard;
    stateAfterKeys = form.Game->State();
  };
  form.Now1->trigger();

  QVERIFY(!closed);
  QVERIFY(stillOpen);
  QCOMPARE(stateAfterKeys, gsThink);
  QCOMPARE(watch.Looks.size(), 1);
  QCOMPARE(form.Game->Size(), 6);
  QCOMPARE(form.Edit1->text(), QStringLiteral("8"));
  // The search went on until "Отмена", with the window still up.
  QVERIFY(watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QCOMPARE(watch.StopThinking, 1);
  QVERIFY(watch.WindowOpenAtStop);
  QCOMPARE(watch.StateAtStop, gsCancel);
  QVERIFY(watch.ClosedByStopThinking);
  QCOMPARE(form.Game->State(), gsNew);
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(watch.Freed, 1);
  QCOMPARE(answerer.Count(), 0);
}

void TSolverTest::keysPressTheFocusedButton_data()
{
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("state");  // the board's state when the search ended
  const QString best = QStringLiteral("Button1");
  const QString cancel = QStringLiteral("Button2");
  QTest::newRow("Лучшее решение, Return") << best << int(Qt::Key_Return) << int(gsBest);
  QTest::newRow("Лучшее решение, keypad Enter") << best << int(Qt::Key_Enter) << int(gsBest);
  QTest::newRow("Отмена, Return") << cancel << int(Qt::Key_Return) << int(gsCancel);
  QTest::newRow("Отмена, Space") << cancel << int(Qt::Key_Space) << int(gsCancel);
}

void TSolverTest::keysPressTheFocusedButton()
{
  QFETCH(QString, button);
  QFETCH(int, key);
  QFETCH(int, state);

  TMainForm form;
  form.Game->SetSize(6);
  RandSeed(12);
  TBoxAnswerer answerer;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));

  QString focusAtOpen;
  TSolverWatch watch(form, TSolverWatch::PressCancel);
  watch.WhileSearching = [&](TWaitForm* w) {
    focusAtOpen = w->focusWidget() ? w->focusWidget()->objectName() : QString();
    w->findChild<QPushButton*>(button)->setFocus();
    const Qt::KeyboardModifiers keypad =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(w->windowHandle(), Qt::Key(key), keypad);
  };
  form.Now1->trigger();

  // "Лучшее решение" has the focus when the window opens. The key ended the
  // search: the watch never had to click.
  QCOMPARE(focusAtOpen, QStringLiteral("Button1"));
  QVERIFY(!watch.Pressed);
  QVERIFY(!watch.GuardFired);
  QCOMPARE(int(watch.StateAtStop), state);
  const TViltronPan& game = *form.Game;
  if (state == gsBest) {
    QCOMPARE(game.State(), gsStop);
    QVERIFY(game.Count() > 0);
    QCOMPARE(GameFault(game, game.Count()), QString());
  } else {
    QCOMPARE(game.State(), gsNew);
    QCOMPARE(game.Count(), 0);
  }
  QVERIFY(form.WaitForm.isNull());
  QCOMPARE(answerer.Count(), 0);
}

VILTRON_TEST_MAIN(TSolverTest)
#include "test_solver.moc"
