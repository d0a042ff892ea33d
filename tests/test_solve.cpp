// The solve commands of the board widget: SolveAll, PrepareShow, ShowNextMove
// and Hint, seen from the host's side: the states passed through, the events
// in their order, the cursor, the cells left on the board and the picture.

#include <QCursor>
#include <QPainter>
#include <QTimer>
#include <QtTest>

#include <optional>

#include "BoardTestKit.h"
#include "TestApp.h"
#include "board/KnightMoves.h"
#include "board/Random.h"
#include "board/SearchPool.h"

namespace {

// "Play" for gsPlay.
QString ShortStateName(TGameState state)
{
  return state <= gsBest ? StateName(state).mid(2) : QStringLiteral("?");
}

QRgb Rgb(TColor color)
{
  return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// A board that records what its host would see: every event with the state
// seen inside its handler, the search's walks, and the position handed to
// OnStopThinking. Stubborn searches are ended after a fixed number of walks so
// that a fault shows as a failure rather than a hang.
class TRecordingPan : public TViltronPan {
public:
  static constexpr int WalkLimit = 3000;

  TRecordingPan()
  {
    OnStart = [this](QObject*) { Note("Start"); };
    OnStop = [this](QObject*) { Note("Stop"); };
    OnWin = [this](QObject*) { Note("Win"); };
    OnLose = [this](QObject*) { Note("Lose"); };
    OnError = [this](QObject*) { Note("Error"); };
    OnMove = [this](QObject*) { Note("Move"); };
    OnStopThinking = [this](QObject*) {
      Note("StopThinking");
      SeenBoard = Board();
      SeenCount = Count();
      SeenX = PosX();
      SeenY = PosY();
      if (AfterSearchLight)
        SetLightColor(*AfterSearchLight);
    };
  }

  void Note(const QString& name)
  {
    Log << name + "(" + ShortStateName(State()) + ")";
    EventBoard = Board();
    EventCount = Count();
  }

  // The picture's pixel in the middle of cell (x, y).
  QRgb MiddleOf(int x, int y) const
  {
    const int w = SizeOfCell();
    return Picture().pixel(x * w + w / 2, y * w + w / 2) | 0xFF000000u;
  }

  void ResetRecords()
  {
    Log.clear();
    Walks = 0;
    PressAt = 0;
    RanAway = false;
  }

  QStringList Log;
  int Walks = 0;                  // walks of the searches so far
  int PressAt = 0;                // after this walk the state becomes Press
  TGameState Press = gsBest;
  bool RanAway = false;           // a search reached WalkLimit
  bool WatchClearing = false;     // log "New" when the search starts on a fresh repaint
  std::optional<TColor> AfterSearchLight;  // light colour set in OnStopThinking

  TBoard EventBoard;  // the position the latest event's handler saw
  int EventCount = -1;
  TBoard SeenBoard;  // the position OnStopThinking saw
  int SeenCount = -1;
  int SeenX = -1;
  int SeenY = -1;

protected:
  void ProcessMessages() override
  {
    ++Walks;
    if (Walks == 1) {
      // The light colour was changed just before the command without a
      // repaint: cell (1, 1) shows it only if the board was repainted since.
      if (WatchClearing && MiddleOf(1, 1) == Rgb(LightColor()))
        Log << "New";
      // The state the first walk ran in.
      Log << "Search(" + ShortStateName(State()) + ")";
    }
    TViltronPan::ProcessMessages();
    if (Walks == PressAt) {
      SetState(Press);
    } else if (Walks == WalkLimit) {
      RanAway = true;
      SetState(gsCancel);
    }
  }
};

// The first three moves of a greedy walk from the top left corner: on 5 x 5 a
// search continues them to a full tour at once.
const QPoint GameMoves[] = {{0, 0}, {2, 1}, {4, 0}};

enum TLook { Bare, Knight, Number };

// How cell (x, y) of a picture of the board looks: a bare square of its fill
// colour, exactly the knight picture on that fill, or something drawn on the
// fill (a number).
TLook CellLook(const TViltronPan& pan, const QImage& image, int x, int y)
{
  const int w = pan.SizeOfCell();
  const QRgb fill = Rgb((x + y) % 2 == 0 ? pan.LightColor() : pan.DarkColor());
  const QImage cell = image.convertToFormat(QImage::Format_RGB32).copy(x * w, y * w, w, w);
  QImage withKnight(w, w, QImage::Format_RGB32);
  withKnight.fill(fill);
  QPainter(&withKnight).drawImage(0, 0, QImage(QStringLiteral(":/icons/MAINICON")));
  if (cell == withKnight)
    return Knight;
  for (int i = 0; i < w; ++i)
    for (int j = 0; j < w; ++j)
      if ((cell.pixel(i, j) | 0xFF000000u) != fill)
        return Number;
  return Bare;
}

// What is wrong with a picture of the board for the board's contents: cells
// left free, and all cells in gsThink or without moves, are bare squares; the
// knight stands on the last move; every other move shows its number.
QString PictureProblem(const TViltronPan& pan, const QImage& image)
{
  const int n = pan.Size();
  const int w = pan.SizeOfCell();
  if (image.size() != QSize(n * w, n * w))
    return QStringLiteral("picture of %1 x %2 pixels").arg(image.width()).arg(image.height());
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int v = pan.Board()[x][y];
      const bool shown = v != 0 && pan.Count() != 0 && pan.State() != gsThink;
      const TLook look = CellLook(pan, image, x, y);
      const TLook expected = !shown ? Bare : v == pan.Count() ? Knight : Number;
      if (look != expected)
        return QStringLiteral("cell (%1, %2) holding %3 shows %4 instead of %5")
            .arg(x).arg(y).arg(v).arg(int(look)).arg(int(expected));
    }
  return QString();
}

enum TOutcome { Empty, Unchanged, Tour, FirstMove, NextMove };

constexpr TColor LightBefore = 0x3060A0;  // light colour set just before a command
constexpr TColor LightAfter = 0x80C040;   // light colour set inside OnStopThinking

}  // namespace

class TestSolve : public QObject {
  Q_OBJECT

private:
  // Brings a fresh board of the given size into one of the entry states the
  // commands are run from.
  void Enter(TRecordingPan& pan, const QString& entry, int size);

private slots:
  void commandRun_data();
  void commandRun();
  void solveAllFillsAFullFiveByFiveTour_data();
  void solveAllFillsAFullFiveByFiveTour();
  void buttonsPressedThroughTheEventLoop_data();
  void buttonsPressedThroughTheEventLoop();
  void replayFollowsTheBestTour_data();
  void replayFollowsTheBestTour();
  void replayWithoutATourOfThisSize_data();
  void replayWithoutATourOfThisSize();
};

void TestSolve::Enter(TRecordingPan& pan, const QString& entry, int size)
{
  pan.SetSize(static_cast<uint8_t>(size));
  if (entry == "play0") {
    pan.SetState(gsPlay);
  } else if (entry == "play3" || entry == "stopGaveUp") {
    for (const QPoint& cell : GameMoves)
      ClickCell(pan, cell);
    QCOMPARE(pan.Count(), 3);
    if (entry == "stopGaveUp")
      pan.SetState(gsStop);
  } else if (entry == "stopDone") {
    pan.SolveAll();
    QCOMPARE(pan.Count(), size * size);
  } else if (entry == "stopLost") {
    // Always the first free jump, from the top left corner: a quick loss.
    ClickCell(pan, QPoint(0, 0));
    while (pan.State() == gsPlay) {
      for (const TKnightMove& m : KnightMoves) {
        const int x = pan.PosX() + m.dx;
        const int y = pan.PosY() + m.dy;
        if (OnBoard(x, y, size) && pan.Board()[x][y] == 0) {
          ClickCell(pan, QPoint(x, y));
          break;
        }
      }
    }
    QVERIFY(pan.Log.contains("Lose(Play)"));
  } else if (entry == "show") {
    pan.PressAt = 1;
    pan.Press = gsBest;
    pan.PrepareShow();
    pan.ShowNextMove();
    pan.ShowNextMove();
    QCOMPARE(pan.Count(), 3);
  } else {
    QCOMPARE(entry, QStringLiteral("new"));
  }
  QVERIFY(!pan.RanAway);
  pan.ResetRecords();
}

// One command from one entry state, with or without a button pressed during
// the search. The log holds, in order: "New" when the board was cleared and
// repainted before the search, the state the search ran in, every event with
// the state its handler saw, and "Repaint" when the board was repainted after
// OnStopThinking.
void TestSolve::commandRun_data()
{
  QTest::addColumn<int>("walkers");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("entry");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("press");    // state set from outside, -1 for none
  QTest::addColumn<int>("pressAt");  // after this many walks
  QTest::addColumn<QString>("log");
  QTest::addColumn<int>("walks");
  QTest::addColumn<int>("state");
  QTest::addColumn<int>("cursor");
  QTest::addColumn<int>("outcome");
  QTest::addColumn<int>("tourLength");  // for a tour: its moves, 0 when any

  // Every case once with the one walker of the exact walks and once with
  // three walkers at once: the commands end alike, only sooner.
  for (const int walkers : {1, 3}) {
    auto row = [walkers](const char* name) -> QTestData& {
      if (walkers == 1)
        return QTest::newRow(name) << walkers;
      return QTest::addRow("%s, %d walkers", name, walkers) << walkers;
    };

    // On 5 x 5 every walk from a corner (or from a greedy walk's beginning) is
    // a full tour, so the search ends after its first walk. On 6 x 6 no walk
    // is, and every walk from a corner has 34 moves: only a button ends it.
    const int none = -1;
    row("SolveAll from gsNew")
        << "SolveAll" << "new" << 5 << none << 0
        << "New Search(Think) StopThinking(Think) Stop(Think)" << 1 << int(gsStop)
        << crNoDrop << int(Tour) << 25;
    row("SolveAll from a game with moves")
        << "SolveAll" << "play3" << 5 << none << 0
        << "Search(Think) StopThinking(Think) Stop(Think)" << 1 << int(gsStop) << crNoDrop
        << int(Tour) << 25;
    row("SolveAll from a game before its first move")
        << "SolveAll" << "play0" << 5 << none << 0
        << "Search(Think) StopThinking(Think) Stop(Think)" << 1 << int(gsStop) << crNoDrop
        << int(Tour) << 25;
    row("SolveAll from a finished game")
        << "SolveAll" << "stopDone" << 5 << none << 0
        << "New Search(Think) StopThinking(Think) Stop(Think)" << 1 << int(gsStop)
        << crNoDrop << int(Tour) << 25;
    row("SolveAll from a replay")
        << "SolveAll" << "show" << 5 << none << 0
        << "New Search(Think) StopThinking(Think) Stop(Think)" << 1 << int(gsStop)
        << crNoDrop << int(Tour) << 25;
    row("SolveAll from gsNew, best walk")
        << "SolveAll" << "new" << 6 << int(gsBest) << 3
        << "New Search(Think) StopThinking(Best) Stop(Best)" << 3 << int(gsStop) << crNoDrop
        << int(Tour) << 34;
    row("SolveAll from a given-up game, best walk")
        << "SolveAll" << "stopGaveUp" << 6 << int(gsBest) << 2
        << "New Search(Think) StopThinking(Best) Stop(Best)" << 2 << int(gsStop) << crNoDrop
        << int(Tour) << 34;
    row("SolveAll from a game with moves, best walk")
        << "SolveAll" << "play3" << 6 << int(gsBest) << 2
        << "Search(Think) StopThinking(Best) Stop(Best)" << 2 << int(gsStop) << crNoDrop
        << int(Tour) << 0;
    row("SolveAll from gsNew, cancelled")
        << "SolveAll" << "new" << 6 << int(gsCancel) << 3
        << "New Search(Think) StopThinking(Cancel) Repaint" << 3 << int(gsNew) << crKnight
        << int(Empty) << 0;
    row("SolveAll from a game with moves, cancelled")
        << "SolveAll" << "play3" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel) Start(Cancel)" << 2 << int(gsPlay)
        << crHandPoint << int(Unchanged) << 0;
    row("SolveAll from a game before its first move, cancelled")
        << "SolveAll" << "play0" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel) Start(Cancel)" << 2 << int(gsPlay)
        << crHourGlass << int(Empty) << 0;
    row("SolveAll from a given-up game, cancelled")
        << "SolveAll" << "stopGaveUp" << 6 << int(gsCancel) << 2
        << "New Search(Think) StopThinking(Cancel) Stop(Cancel)" << 2 << int(gsStop)
        << crNoDrop << int(Empty) << 0;
    row("SolveAll from a replay, cancelled")
        << "SolveAll" << "show" << 6 << int(gsCancel) << 2
        << "New Search(Think) StopThinking(Cancel)" << 2 << int(gsShow) << crNoDrop
        << int(Empty) << 0;

    row("PrepareShow from gsNew")
        << "PrepareShow" << "new" << 5 << none << 0
        << "New Search(Think) StopThinking(Think)" << 1 << int(gsShow) << crNoDrop
        << int(FirstMove) << 0;
    row("PrepareShow from a game with moves")
        << "PrepareShow" << "play3" << 5 << none << 0 << "Search(Think) StopThinking(Think)"
        << 1 << int(gsShow) << crNoDrop << int(Unchanged) << 0;
    row("PrepareShow from a finished game")
        << "PrepareShow" << "stopDone" << 5 << none << 0
        << "New Search(Think) StopThinking(Think)" << 1 << int(gsShow) << crNoDrop
        << int(FirstMove) << 0;
    row("PrepareShow from gsNew, best walk")
        << "PrepareShow" << "new" << 6 << int(gsBest) << 2
        << "New Search(Think) StopThinking(Best)" << 2 << int(gsShow) << crNoDrop
        << int(FirstMove) << 0;
    row("PrepareShow from gsNew, cancelled")
        << "PrepareShow" << "new" << 6 << int(gsCancel) << 2
        << "New Search(Think) StopThinking(Cancel)" << 2 << int(gsCancel) << crHourGlass
        << int(Empty) << 0;
    row("PrepareShow from a game with moves, cancelled")
        << "PrepareShow" << "play3" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel)" << 2 << int(gsCancel) << crHourGlass
        << int(Unchanged) << 0;

    row("Hint from gsNew")
        << "Hint" << "new" << 5 << none << 0 << "Search(Think) StopThinking(Think)" << 1
        << int(gsPlay) << crHandPoint << int(FirstMove) << 0;
    row("Hint in a game with moves")
        << "Hint" << "play3" << 5 << none << 0
        << "Search(Think) StopThinking(Think) Move(Think)" << 1 << int(gsPlay) << crHandPoint
        << int(NextMove) << 0;
    row("Hint in a game before its first move")
        << "Hint" << "play0" << 5 << none << 0 << "Search(Think) StopThinking(Think)" << 1
        << int(gsPlay) << crHandPoint << int(FirstMove) << 0;
    row("Hint after a lost game")
        << "Hint" << "stopLost" << 5 << none << 0 << "New Search(Think) StopThinking(Think)"
        << 1 << int(gsPlay) << crHandPoint << int(FirstMove) << 0;
    row("Hint from gsNew, best walk")
        << "Hint" << "new" << 6 << int(gsBest) << 2 << "Search(Think) StopThinking(Best)" << 2
        << int(gsPlay) << crHandPoint << int(FirstMove) << 0;
    row("Hint in a game with moves, best walk")
        << "Hint" << "play3" << 6 << int(gsBest) << 2
        << "Search(Think) StopThinking(Best) Move(Best)" << 2 << int(gsPlay) << crHandPoint
        << int(NextMove) << 0;
    row("Hint from gsNew, cancelled")
        << "Hint" << "new" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel) Repaint" << 2 << int(gsNew) << crKnight
        << int(Empty) << 0;
    row("Hint in a game with moves, cancelled")
        << "Hint" << "play3" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel) Start(Cancel)" << 2 << int(gsPlay)
        << crHandPoint << int(Unchanged) << 0;
    row("Hint in a game before its first move, cancelled")
        << "Hint" << "play0" << 6 << int(gsCancel) << 2
        << "Search(Think) StopThinking(Cancel) Start(Cancel)" << 2 << int(gsPlay)
        << crHourGlass << int(Empty) << 0;
    row("Hint after a lost game, cancelled")
        << "Hint" << "stopLost" << 6 << int(gsCancel) << 2
        << "New Search(Think) StopThinking(Cancel) Stop(Cancel)" << 2 << int(gsStop)
        << crNoDrop << int(Empty) << 0;
  }
}

void TestSolve::commandRun()
{
  QFETCH(int, walkers);
  QFETCH(QString, command);
  QFETCH(QString, entry);
  QFETCH(int, size);
  QFETCH(int, press);
  QFETCH(int, pressAt);
  QFETCH(QString, log);
  QFETCH(int, walks);
  QFETCH(int, state);
  QFETCH(int, cursor);
  QFETCH(int, outcome);
  QFETCH(int, tourLength);

  TRecordingPan pan;
  pan.SetSearchWalkers(walkers);
  RandSeed(20240611);
  Enter(pan, entry, size);
  if (QTest::currentTestFailed())
    return;
  const TBoard entryBoard = pan.Board();
  const int entryCount = pan.Count();
  const int entryX = pan.PosX();
  const int entryY = pan.PosY();

  // Fresh light colours, set without a repaint, reveal which repaints the
  // command makes before and after its search.
  pan.SetLightColor(LightBefore);
  pan.WatchClearing = true;
  pan.AfterSearchLight = LightAfter;
  if (press >= 0) {
    pan.Press = TGameState(press);
    pan.PressAt = pressAt;
  }

  if (command == "SolveAll")
    pan.SolveAll();
  else if (command == "PrepareShow")
    pan.PrepareShow();
  else
    pan.Hint();

  if (NumberedCells(pan.Board(), size) == 0 && pan.MiddleOf(1, 1) == Rgb(LightAfter))
    pan.Log << "Repaint";
  QVERIFY2(!pan.RanAway, "the search did not end");
  QCOMPARE(TSearchPool::Instance().Working(), 0);  // no walker left at work
  QCOMPARE(pan.Log.join(' '), log);
  QCOMPARE(pan.Walks, walks);
  QCOMPARE(ShortStateName(pan.State()), ShortStateName(TGameState(state)));
  QCOMPARE(pan.Cursor(), cursor);
  QCOMPARE(pan.cursor().shape(), CursorByNumber(cursor).shape());

  // A command that ends with an event other than OnStopThinking raises it
  // on the finished position, as the host reads it there.
  const QString last = pan.Log.last();
  if (last.startsWith("Start(") || last.startsWith("Stop(") || last.startsWith("Move(")) {
    QCOMPARE(pan.EventBoard, pan.Board());
    QCOMPARE(pan.EventCount, int(pan.Count()));
  }

  // OnStopThinking saw the position the search started from: the entry
  // position, or an empty board when the command cleared it first.
  const bool cleared = log.startsWith("New");
  const TBoard empty(size, std::vector<uint16_t>(size, 0));
  QCOMPARE(pan.SeenBoard, cleared ? empty : entryBoard);
  QCOMPARE(pan.SeenCount, cleared ? 0 : entryCount);
  if (!cleared && entryCount != 0) {
    QCOMPARE(pan.SeenX, entryX);
    QCOMPARE(pan.SeenY, entryY);
  }

  const TSolution& best = pan.Best();
  const TBoard& board = pan.Board();
  switch (TOutcome(outcome)) {
    case Empty:
      QCOMPARE(board, empty);
      QCOMPARE(pan.Count(), 0);
      break;
    case Unchanged:
      QCOMPARE(board, entryBoard);
      QCOMPARE(pan.Count(), entryCount);
      QCOMPARE(pan.PosX(), entryX);
      QCOMPARE(pan.PosY(), entryY);
      break;
    case Tour: {
      QCOMPARE(board, best.Board);
      QCOMPARE(pan.Count(), best.Count);
      QCOMPARE(pan.PosX(), best.PosX);
      QCOMPARE(pan.PosY(), best.PosY);
      const QString problem = GameFault(board, size, pan.Count(), pan.PosX(), pan.PosY());
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
      if (tourLength != 0)
        QCOMPARE(int(pan.Count()), tourLength);
      if (cleared || entryCount == 0) {
        bool cornerStart = false;
        for (int x = 0; x < size; ++x)
          for (int y = 0; y < size; ++y)
            if (board[x][y] == 1)
              cornerStart = IsCorner(x, y, size);
        QVERIFY(cornerStart);
      } else {
        // The game's own moves stay where they were.
        QVERIFY(pan.Count() > entryCount);
        for (int x = 0; x < size; ++x)
          for (int y = 0; y < size; ++y)
            if (entryBoard[x][y] != 0)
              QCOMPARE(board[x][y], entryBoard[x][y]);
      }
      break;
    }
    case FirstMove:
      QCOMPARE(pan.Count(), 1);
      QCOMPARE(NumberedCells(board, size), 1);
      QCOMPARE(board[pan.PosX()][pan.PosY()], 1);
      QVERIFY(IsCorner(pan.PosX(), pan.PosY(), size));
      QCOMPARE(best.Board[pan.PosX()][pan.PosY()], 1);
      break;
    case NextMove: {
      QCOMPARE(pan.Count(), entryCount + 1);
      QVERIFY(IsJump(entryX, entryY, pan.PosX(), pan.PosY()));
      TBoard expected = entryBoard;
      expected[pan.PosX()][pan.PosY()] = uint16_t(entryCount + 1);
      QCOMPARE(board, expected);
      QCOMPARE(best.Board[pan.PosX()][pan.PosY()], entryCount + 1);
      break;
    }
  }

  // A whole repaint shows the result: numbers, and the knight on the last move.
  pan.Paint();
  const QString onPicture = PictureProblem(pan, pan.Picture());
  QVERIFY2(onPicture.isEmpty(), qPrintable(onPicture));
  const QString onScreen = PictureProblem(pan, pan.grab().toImage());
  QVERIFY2(onScreen.isEmpty(), qPrintable(onScreen));
}

// Whatever the walks draw, an empty 5 x 5 board is solved by a full tour at
// once, shown with the knight on move 25.
void TestSolve::solveAllFillsAFullFiveByFiveTour_data()
{
  QTest::addColumn<int>("seed");
  for (int seed : {1, 2, 3, 77, 4096, 65537})
    QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestSolve::solveAllFillsAFullFiveByFiveTour()
{
  QFETCH(int, seed);
  TRecordingPan pan;
  pan.SetSize(5);
  RandSeed(seed);
  pan.ResetRecords();
  pan.SolveAll();

  QVERIFY(!pan.RanAway);
  QCOMPARE(pan.Log.join(' '), QStringLiteral("Search(Think) StopThinking(Think) Stop(Think)"));
  QCOMPARE(pan.SeenBoard, TBoard(5, std::vector<uint16_t>(5, 0)));
  QCOMPARE(pan.State(), gsStop);
  QCOMPARE(pan.Count(), 25);
  const QString problem = GameFault(pan.Board(), 5, 25, pan.PosX(), pan.PosY());
  QVERIFY2(problem.isEmpty(), qPrintable(problem));
  QCOMPARE(pan.Board()[pan.PosX()][pan.PosY()], 25);

  pan.Paint();
  const QImage shot = pan.grab().toImage();
  const QString onScreen = PictureProblem(pan, shot);
  QVERIFY2(onScreen.isEmpty(), qPrintable(onScreen));
  QCOMPARE(CellLook(pan, shot, pan.PosX(), pan.PosY()), Knight);
}

// The two buttons of the progress window reach the search only through the
// events it pumps between walks; here a zero timer stands for a press.
void TestSolve::buttonsPressedThroughTheEventLoop_data()
{
  QTest::addColumn<QString>("command");
  QTest::addColumn<int>("press");
  QTest::addColumn<QString>("log");
  QTest::addColumn<int>("state");
  QTest::addColumn<int>("count");

  QTest::newRow("SolveAll, best walk")
      << "SolveAll" << int(gsBest) << "Search(Think) StopThinking(Best) Stop(Best)"
      << int(gsStop) << 34;
  QTest::newRow("SolveAll, cancelled")
      << "SolveAll" << int(gsCancel) << "Search(Think) StopThinking(Cancel) Stop(Cancel)"
      << int(gsStop) << 0;
  QTest::newRow("PrepareShow, cancelled")
      << "PrepareShow" << int(gsCancel) << "Search(Think) StopThinking(Cancel)"
      << int(gsCancel) << 0;
}

void TestSolve::buttonsPressedThroughTheEventLoop()
{
  QFETCH(QString, command);
  QFETCH(int, press);
  QFETCH(QString, log);
  QFETCH(int, state);
  QFETCH(int, count);

  // A given-up game on 6 x 6: no search there ends by itself.
  TRecordingPan pan;
  RandSeed(99);
  Enter(pan, "stopGaveUp", 6);
  if (QTest::currentTestFailed())
    return;
  QTimer::singleShot(0, &pan, [&pan, press] { pan.SetState(TGameState(press)); });
  if (command == "SolveAll")
    pan.SolveAll();
  else
    pan.PrepareShow();

  QVERIFY2(!pan.RanAway, "the press never reached the search");
  QCOMPARE(pan.Walks, 1);
  QCOMPARE(pan.Log.join(' '), log);
  QCOMPARE(pan.State(), TGameState(state));
  QCOMPARE(int(pan.Count()), count);
  QCOMPARE(NumberedCells(pan.Board(), 6), count);
}

// After PrepareShow every ShowNextMove adds the tour's next move, drawn at
// once; at the end of the tour it adds nothing but still reports a move.
void TestSolve::replayFollowsTheBestTour_data()
{
  QTest::addColumn<QString>("entry");
  QTest::addColumn<int>("size");

  QTest::newRow("empty 5 x 5") << "new" << 5;
  QTest::newRow("empty 8 x 8") << "new" << 8;
  QTest::newRow("6 x 6 game with three moves") << "play3" << 6;
}

void TestSolve::replayFollowsTheBestTour()
{
  QFETCH(QString, entry);
  QFETCH(int, size);

  TRecordingPan pan;
  RandSeed(4242);
  Enter(pan, entry, size);
  if (QTest::currentTestFailed())
    return;
  const TBoard entryBoard = pan.Board();
  const int entryCount = pan.Count();
  // 6 x 6 never yields a full tour: take the first walk.
  pan.PressAt = size == 6 ? 1 : 0;
  pan.PrepareShow();
  QVERIFY(!pan.RanAway);
  QCOMPARE(pan.State(), gsShow);
  QCOMPARE(pan.Log.join(' '), QStringLiteral("Search(Think) StopThinking(%1)")
                                  .arg(size == 6 ? "Best" : "Think"));

  const TSolution best = pan.Best();
  const int start = pan.Count();
  QCOMPARE(start, entryCount == 0 ? 1 : entryCount);
  if (entryCount != 0)
    QCOMPARE(pan.Board(), entryBoard);
  QVERIFY(best.Count > start);

  for (int move = start + 1; move <= best.Count; ++move) {
    const int oldX = pan.PosX();
    const int oldY = pan.PosY();
    pan.Log.clear();
    pan.ShowNextMove();
    QCOMPARE(pan.Log, QStringList{"Move(Show)"});
    QCOMPARE(int(pan.Count()), move);
    QVERIFY(IsJump(oldX, oldY, pan.PosX(), pan.PosY()));
    QCOMPARE(pan.Board()[pan.PosX()][pan.PosY()], move);
    QCOMPARE(best.Board[pan.PosX()][pan.PosY()], move);
    // Drawn at once: the knight on the new cell, a number on the old one.
    QCOMPARE(CellLook(pan, pan.Picture(), pan.PosX(), pan.PosY()), Knight);
    QCOMPARE(CellLook(pan, pan.Picture(), oldX, oldY), Number);
  }
  QCOMPARE(pan.Board(), best.Board);

  // Past the last move.
  pan.Log.clear();
  pan.ShowNextMove();
  QCOMPARE(pan.Log, QStringList{"Move(Show)"});
  QCOMPARE(pan.Board(), best.Board);
  QCOMPARE(pan.Count(), best.Count);
  QCOMPARE(pan.PosX(), best.PosX);
  QCOMPARE(pan.PosY(), best.PosY);
  QCOMPARE(pan.State(), gsShow);
}

// ShowNextMove with no tour searched at the board's present size makes no
// move, reads no table out of range, and still reports a move.
void TestSolve::replayWithoutATourOfThisSize_data()
{
  QTest::addColumn<int>("searchSize");  // 0: no search at all
  QTest::addColumn<int>("size");

  QTest::newRow("before any search") << 0 << 6;
  QTest::newRow("board grown since the search") << 5 << 8;
  QTest::newRow("board shrunk since the search") << 8 << 5;
}

void TestSolve::replayWithoutATourOfThisSize()
{
  QFETCH(int, searchSize);
  QFETCH(int, size);

  TRecordingPan pan;
  RandSeed(7);
  if (searchSize != 0) {
    // Two moves from the top left corner, then the first walk: its tour
    // starts there on both sizes.
    pan.SetSize(uint8_t(searchSize));
    ClickCell(pan, QPoint(0, 0));
    ClickCell(pan, QPoint(2, 1));
    pan.PressAt = 1;
    pan.PrepareShow();
    QVERIFY(!pan.RanAway);
    QCOMPARE(pan.Best().Board[0][0], 1);
  }
  pan.SetSize(uint8_t(size));
  // The knight's old cell stays a jump away from where that tour began.
  pan.SetState(gsShow);
  pan.ResetRecords();
  const TBoard board = pan.Board();
  const int count = pan.Count();
  const int x = pan.PosX();
  const int y = pan.PosY();
  const QImage picture = pan.Picture();

  pan.ShowNextMove();
  QCOMPARE(pan.Log, QStringList{"Move(Show)"});
  QCOMPARE(pan.Board(), board);
  QCOMPARE(int(pan.Count()), count);
  QCOMPARE(int(pan.PosX()), x);
  QCOMPARE(int(pan.PosY()), y);
  QCOMPARE(pan.Picture(), picture);
}

VILTRON_TEST_MAIN(TestSolve)
#include "test_solve.moc"
