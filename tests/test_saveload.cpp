// The main window's "Сохранить" and "Загрузить": the names games are saved
// under, what a loaded game brings back into the window, files that are not
// saved games, a running replay, and the board and window taking the size of
// the game being loaded.

#include <QAbstractItemView>
#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

#include "BoardTestKit.h"
#include "FileTestKit.h"
#include "BoxAnswerer.h"
#include "TestApp.h"
#include "WindowTestKit.h"
#include "platform/AccessKeys.h"
#include "board/Random.h"
#include "main/MainForm.h"
#include "platform/Edit.h"
#include "platform/Screen.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

namespace {

constexpr int RecordLength = 20016;
constexpr int Cell = 25;
const QSize LargeScreen(1600, 1200);

const QString GiveUpCaption = QStringLiteral("Сдаться");
const QString SaveExtension = QStringLiteral(".sav");
const QString StartCaption = QStringLiteral("Начать игру!");
const QString StopReplayCaption = QStringLiteral("Остановить");
const QString WrongFileText =
    QStringLiteral("Неверный файл.\r\nЭто не сохранённая игра \"Вилтрон\".");
const QString LowResolutionText =
    QStringLiteral("Не получается загрузить игру из-за низкого разрешения экрана.");

// Knight walks used as games: each cell follows the one before by a knight's move.
const QList<QPoint> WalkA{{0, 0}, {1, 2}, {2, 4}, {4, 3}};        // 5 x 5 and up
const QList<QPoint> WalkB{{7, 7}, {5, 6}, {3, 7}};                // 8 x 8 and up
const QList<QPoint> WalkFar{{11, 11}, {9, 10}, {10, 8}, {8, 9}};  // 12 x 12

// A game as the file stores it.
struct TStoredGame {
  int Size = 8;
  QList<QPoint> Walk;  // the knight's cells in move order
  int State = gsPlay;
};

int CellAt(int x, int y)
{
  return 2 + 200 * x + 2 * y;
}

// The record of a saved game, byte by byte.
QByteArray RecordOf(const TStoredGame& game)
{
  QByteArray bytes(RecordLength, '\0');
  bytes[0] = static_cast<char>(game.Size);
  for (int k = 0; k < game.Walk.size(); ++k)
    Put16(bytes, CellAt(game.Walk[k].x(), game.Walk[k].y()), k + 1);
  if (!game.Walk.isEmpty()) {
    Put16(bytes, 20002, game.Walk.last().x());
    Put16(bytes, 20004, game.Walk.last().y());
  }
  Put16(bytes, 20006, game.Walk.size());
  Put16(bytes, 20010, 0xFFFF);
  Put16(bytes, 20012, 122);
  bytes[20014] = static_cast<char>(game.State);
  return bytes;
}

// The n x n cells of a walk numbered in order.
TBoard BoardOf(int n, const QList<QPoint>& walk)
{
  TBoard board = EmptyBoard(n);
  for (int k = 0; k < walk.size(); ++k)
    board[walk[k].x()][walk[k].y()] = static_cast<uint16_t>(k + 1);
  return board;
}

// The n x n cells stored in a record.
TBoard CellsOf(const QByteArray& record, int n)
{
  TBoard board(n, std::vector<uint16_t>(n, 0));
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      board[x][y] = static_cast<uint16_t>(Get16(record, CellAt(x, y)));
  return board;
}

// The player starts a game with the button and clicks the walk's cells.
void StartAndPlay(TMainForm& form, const QList<QPoint>& walk)
{
  if (form.Game->State() != gsPlay)
    form.Button1->click();
  Play(*form.Game, walk);
}

// A quiet window with its frame, as on screen (the frame counts in the
// window's size, which the size control compares with the screen).
void Prepare(TMainForm& form)
{
  form.Sound1->setChecked(false);
  form.winId();
}

// The whole board as its next repaint shows it.
QImage Repainted(TViltronPan& board)
{
  board.Paint();
  return board.Picture();
}

// Files below a folder, relative to it, sorted.
QStringList FilesBelow(const QString& folder)
{
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext())
    files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

// Answers the modal file dialogs a test opens, one queued answer per dialog:
// a path typed into the name box and accepted, or the dialog cancelled
// (after typing a name, if one is given). What each dialog offered when it
// opened is recorded. A dialog with no answer left, or one that stays open
// after being accepted, is cancelled and counted as unexpected.
class TFileDialogAnswerer : public QObject {
public:
  struct TSeen {
    QString Dialog;            // object name of the dialog
    QString OfferedText;       // its file-name box when it opened
    QStringList OfferedFiles;  // its selected files when it opened
  };

  TFileDialogAnswerer()
  {
    FTimer.setInterval(5);
    connect(&FTimer, &QTimer::timeout, this, [this] { Poll(); });
    FTimer.start();
  }

  void Choose(const QString& path) { FAnswers.enqueue({path, true}); }
  void Cancel(const QString& typed = {}) { FAnswers.enqueue({typed, false}); }
  // Typed while the dialog's file list has the focus, as after a click in it.
  void ChooseFromList(const QString& path) { FAnswers.enqueue({path, true, true}); }

  const QVector<TSeen>& Seen() const { return FSeen; }
  int Unexpected() const { return FUnexpected; }
  int Pending() const { return FAnswers.size(); }

private:
  struct TAnswer {
    QString Path;
    bool Accept;
    bool ListFocused = false;
  };

  void Poll()
  {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || FBusy)
      return;
    FBusy = true;
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    FSeen.append({dialog->objectName(), edit ? edit->text() : QString(), dialog->selectedFiles()});
    if (FAnswers.isEmpty() || !edit) {
      ++FUnexpected;
      dialog->reject();
    } else {
      const TAnswer answer = FAnswers.dequeue();
      if (answer.ListFocused)
        for (auto* view : dialog->findChildren<QAbstractItemView*>())
          if (view->isVisible() && (view->objectName() == QLatin1String("listView") ||
                                    view->objectName() == QLatin1String("treeView")))
            view->setFocus();
      if (!answer.Path.isEmpty())
        edit->setText(answer.Path);  // as typed by the user
      if (answer.Accept) {
        static_cast<QDialog*>(dialog)->accept();  // the dialog's own checks run
        if (dialog->isVisible()) {
          ++FUnexpected;
          dialog->reject();
        }
      } else {
        dialog->reject();
      }
    }
    FBusy = false;
  }

  QTimer FTimer;
  QQueue<TAnswer> FAnswers;
  QVector<TSeen> FSeen;
  int FUnexpected = 0;
  bool FBusy = false;
};

// What a refused load must leave as it was: the window, the selector, the
// board's picture and the status bar's counts.
struct TBeforeLoad {
  explicit TBeforeLoad(const TMainForm& form)
      : Look(LookAt(form)),
        Position(form.UpDown1->Position()),
        Picture(form.Game->Picture()),
        Counted(form.StatusBar1->PanelText(1)),
        Left(form.StatusBar1->PanelText(3))
  {
  }
  TLook Look;
  int Position;
  QImage Picture;
  QString Counted;
  QString Left;
};

// A refused load: one error message with the text, and a running game shown
// as before. The caller checks QTest::currentTestFailed() afterwards.
void CompareRefusedLoad(const TMainForm& form, const TBoxAnswerer& boxes, const QString& text,
                        const TBeforeLoad& before)
{
  QCOMPARE(boxes.Count(), 1);
  QCOMPARE(boxes.Last().Title, QStringLiteral("Error"));
  QCOMPARE(boxes.Last().Icon, QMessageBox::Critical);
  QCOMPARE(boxes.Last().Buttons, QStringList{QStringLiteral("OK")});
  QCOMPARE(boxes.Last().Text, text);
  const TLook now = LookAt(form);
  QCOMPARE(now.Size, before.Look.Size);
  QCOMPARE(now.At, before.Look.At);
  QCOMPARE(now.Window, before.Look.Window);
  QCOMPARE(now.Shown, before.Look.Shown);
  QCOMPARE(form.UpDown1->Position(), before.Position);
  QCOMPARE(form.Game->Picture(), before.Picture);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), before.Counted);
  QCOMPARE(form.StatusBar1->PanelText(3), before.Left);
}

// After a load the selector follows the player's rules again: a step up that
// would not fit the screen changes nothing and shows no message. Returns what
// went wrong, or an empty text.
QString StepAfterLoadProblem(TMainForm& form, const TBoxAnswerer& boxes)
{
  const int boxesBefore = boxes.Count();
  const int size = form.Game->Size();
  const QPoint at = form.Game->pos();
  const QSize window = form.frameGeometry().size();
  const QSize screen = ScreenSize();
  PretendScreenSize(window);
  form.UpDown1->StepUp();
  PretendScreenSize(screen);
  QStringList problems;
  if (boxes.Count() != boxesBefore)
    problems << QStringLiteral("a box: %1").arg(boxes.Last().Text);
  if (form.Game->Size() != size || form.Game->pos() != at)
    problems << QStringLiteral("board %1 at (%2, %3)")
                    .arg(form.Game->Size())
                    .arg(form.Game->pos().x())
                    .arg(form.Game->pos().y());
  if (form.frameGeometry().size() != window)
    problems << QStringLiteral("window changed");
  return problems.join(QStringLiteral("; "));
}

}  // namespace

class TSaveLoadTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  // Saving.
  void savedNameGetsTheExtension_data();
  void savedNameGetsTheExtension();
  void cancelledSaveWritesNothing();
  void chosenFileIsUsed_data();
  void chosenFileIsUsed();
  void savedFileHoldsTheGame();
  void replacingAsksFirst_data();
  void replacingAsksFirst();
  void failedSaveIsReported_data();
  void failedSaveIsReported();

  // Loading games of the board's own size.
  void cancelledLoadChangesNothing();
  void loadRestoresTheGame_data();
  void loadRestoresTheGame();
  void loadingAClearedBoard();
  void foreignFileIsRefused_data();
  void foreignFileIsRefused();

  // A running replay.
  void saveDuringReplayKeepsItRunning();
  void loadStopsTheReplay_data();
  void loadStopsTheReplay();

  // Games of another size.
  void sixBySixIsCentredAndKept();
  void largerGameOntoASmallBoard_data();
  void largerGameOntoASmallBoard();
  void fromTwelveBackToTheSmallWindow_data();
  void fromTwelveBackToTheSmallWindow();
  void gameTooBigForTheScreen_data();
  void gameTooBigForTheScreen();
  void loadsAfterStepsAndLoads_data();
  void loadsAfterStepsAndLoads();

private:
  // Writes a game into the test folder and returns its path.
  QString Store(const QString& name, const TStoredGame& game);
  // Loads the named file through "Загрузить".
  void Load(TMainForm& form, const QString& path);
  // Saves through "Сохранить", the name typed as given.
  void Save(TMainForm& form, const QString& typed);

  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TFileDialogAnswerer> FFiles;
};

void TSaveLoadTest::init()
{
  PretendScreenSize(LargeScreen);
  FDir = std::make_unique<QTemporaryDir>();
  QVERIFY(FDir->isValid());
  FFiles = std::make_unique<TFileDialogAnswerer>();
}

void TSaveLoadTest::cleanup()
{
  // Every dialog a test opened got the answer it was meant to.
  if (!QTest::currentTestFailed()) {
    QCOMPARE(FFiles->Unexpected(), 0);
    QCOMPARE(FFiles->Pending(), 0);
  }
  FFiles.reset();
  FDir.reset();
  PretendScreenSize(QSize());
}

QString TSaveLoadTest::Store(const QString& name, const TStoredGame& game)
{
  const QString path = FDir->filePath(name);
  if (!WriteAll(path, RecordOf(game)))
    qWarning("cannot write %s", qPrintable(path));
  return path;
}

void TSaveLoadTest::Load(TMainForm& form, const QString& path)
{
  FFiles->Choose(path);
  form.N8->trigger();
}

void TSaveLoadTest::Save(TMainForm& form, const QString& typed)
{
  FFiles->Choose(typed);
  form.N7->trigger();
}

// ---------------------------------------------------------------------------
// Saving

void TSaveLoadTest::savedNameGetsTheExtension_data()
{
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("written");
  QTest::newRow("no extension") << "game" << "game.sav";
  QTest::newRow(".sav") << "game.sav" << "game.sav";
  QTest::newRow(".SAV") << "game.SAV" << "game.SAV.sav";
  QTest::newRow(".Sav") << "game.Sav" << "game.Sav.sav";
  QTest::newRow(".txt") << "game.txt" << "game.txt.sav";
  QTest::newRow(".sav inside") << "game.sav.bak" << "game.sav.bak.sav";
  QTest::newRow("dotted folder") << "dir.x/game" << "dir.x/game.sav";
  QTest::newRow("dotted folder, .sav") << "dir.x/game.sav" << "dir.x/game.sav";
}

void TSaveLoadTest::savedNameGetsTheExtension()
{
  QFETCH(QString, typed);
  QFETCH(QString, written);
  QVERIFY(QDir(FDir->path()).mkpath(QStringLiteral("dir.x")));
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkA);

  Save(form, FDir->filePath(typed));
  QCOMPARE(FFiles->Seen().size(), 1);
  QCOMPARE(FFiles->Seen()[0].Dialog, QStringLiteral("SaveDialog1"));
  QCOMPARE(FilesBelow(FDir->path()), QStringList{written});
  const QByteArray record = ReadAll(FDir->filePath(written));
  QCOMPARE(record.size(), RecordLength);
  QCOMPARE(Get16(record, 20006), int(WalkA.size()));
  QCOMPARE(boxes.Count(), 0);

  // The next time the dialog offers the name the game was saved under;
  // cancelling it writes nothing more.
  FFiles->Cancel();
  form.N7->trigger();
  QCOMPARE(FFiles->Seen().size(), 2);
  QCOMPARE(FFiles->Seen()[1].OfferedFiles, QStringList{FDir->filePath(written)});
  QVERIFY2(FFiles->Seen()[1].OfferedText.endsWith(QFileInfo(written).fileName()),
           qPrintable(FFiles->Seen()[1].OfferedText));
  QCOMPARE(FilesBelow(FDir->path()), QStringList{written});
}

void TSaveLoadTest::cancelledSaveWritesNothing()
{
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkA);
  const QImage picture = form.Game->Picture();

  // A name typed, then "Cancel".
  FFiles->Cancel(FDir->filePath(QStringLiteral("game")));
  form.N7->trigger();
  QCOMPARE(FFiles->Seen().size(), 1);
  QCOMPARE(FFiles->Seen()[0].Dialog, QStringLiteral("SaveDialog1"));
  QCOMPARE(FilesBelow(FDir->path()), QStringList());
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(WalkA.size()));
  QCOMPARE(form.Game->Picture(), picture);
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::chosenFileIsUsed_data()
{
  QTest::addColumn<bool>("load");
  QTest::newRow("two loads") << true;
  QTest::newRow("two saves") << false;
}

// A second run of a dialog that still holds the first one's file uses the
// name typed the second time.
void TSaveLoadTest::chosenFileIsUsed()
{
  QFETCH(bool, load);
  const QString first = Store(QStringLiteral("first.sav"), {8, WalkA, gsStop});
  const QString second = Store(QStringLiteral("second.sav"), {8, WalkB, gsStop});
  TBoxAnswerer boxes(QMessageBox::Yes);
  TMainForm form;
  Prepare(form);

  if (load) {
    Load(form, first);
    QVERIFY(Square(form.Game->Board(), 8) == BoardOf(8, WalkA));
    FFiles->ChooseFromList(second);
    form.N8->trigger();
    QVERIFY(Square(form.Game->Board(), 8) == BoardOf(8, WalkB));
    QCOMPARE(boxes.Count(), 0);
  } else {
    // Over the first file (the dialog asks, and is told yes), then a new one.
    StartAndPlay(form, WalkB);
    Save(form, first);
    QCOMPARE(boxes.Count(), 1);
    FFiles->ChooseFromList(FDir->filePath(QStringLiteral("two")));
    form.N7->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("two.sav"))), ReadAll(first));
    QVERIFY(CellsOf(ReadAll(first), 8) == BoardOf(8, WalkB));
  }
}

void TSaveLoadTest::savedFileHoldsTheGame()
{
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkA);
  Save(form, FDir->filePath(QStringLiteral("game")));

  // The record: the board's size, the knight, the count, the state, the cells.
  const QByteArray record = ReadAll(FDir->filePath(QStringLiteral("game.sav")));
  QCOMPARE(record.size(), RecordLength);
  QCOMPARE(int(uint8_t(record[0])), 8);
  QCOMPARE(Get16(record, 20002), WalkA.last().x());
  QCOMPARE(Get16(record, 20004), WalkA.last().y());
  QCOMPARE(Get16(record, 20006), int(WalkA.size()));
  QCOMPARE(int(uint8_t(record[20014])), int(gsPlay));
  QVERIFY(CellsOf(record, 8) == BoardOf(8, WalkA));

  // Saving left the game running as it was.
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);

  // Another window loads it and shows the same board.
  TMainForm other;
  Prepare(other);
  Load(other, FDir->filePath(QStringLiteral("game.sav")));
  QCOMPARE(other.Game->State(), gsPlay);
  QCOMPARE(other.Game->Count(), uint16_t(WalkA.size()));
  QCOMPARE(QPoint(other.Game->PosX(), other.Game->PosY()), WalkA.last());
  QVERIFY(Square(other.Game->Board(), 8) == BoardOf(8, WalkA));
  QCOMPARE(other.Game->Picture(), Repainted(*form.Game));
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::replacingAsksFirst_data()
{
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("box");  // the title of the one box shown
  QTest::addColumn<bool>("replaced");
  QTest::newRow("\".sav\" added, yes") << "keep" << int(QMessageBox::Yes) << "Confirm" << true;
  QTest::newRow("\".sav\" added, no") << "keep" << int(QMessageBox::No) << "Confirm" << false;
  // The dialog itself asks about the name as typed; no second question.
  QTest::newRow("typed with \".sav\"") << "keep.sav" << int(QMessageBox::Yes) << "Save As"
                                        << true;
}

void TSaveLoadTest::replacingAsksFirst()
{
  QFETCH(QString, typed);
  QFETCH(int, answer);
  QFETCH(QString, box);
  QFETCH(bool, replaced);
  // An older, longer file under the name with ".sav".
  const QString saved = FDir->filePath(QStringLiteral("keep.sav"));
  const QByteArray old(RecordLength + 5000, 'x');
  QVERIFY(WriteAll(saved, old));
  TBoxAnswerer boxes{QMessageBox::StandardButton(answer)};
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkB);

  Save(form, FDir->filePath(typed));
  QCOMPARE(boxes.Count(), 1);
  QCOMPARE(boxes.Last().Title, box);
  if (box == QStringLiteral("Confirm")) {
    QCOMPARE(boxes.Last().Icon, QMessageBox::Question);
    QCOMPARE(boxes.Last().Buttons, QStringList({QStringLiteral("&Yes"), QStringLiteral("&No")}));
    QCOMPARE(boxes.Last().Text,
             QStringLiteral("Файл \"keep.sav\" уже существует.\r\nЗаменить его?"));
  }
  QCOMPARE(FilesBelow(FDir->path()), QStringList{QStringLiteral("keep.sav")});
  if (replaced)
    QVERIFY(CellsOf(ReadAll(saved), 8) == BoardOf(8, WalkB));
  else
    QCOMPARE(ReadAll(saved), old);
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(WalkB.size()));
}

void TSaveLoadTest::failedSaveIsReported_data()
{
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("limited");  // under a file-size limit of 8 KB
  QTest::addColumn<int>("boxes");     // the last one the error
  QTest::newRow("missing folder") << "missing/game" << false << 1;
  // The dialog asks before replacing the old game; the write then fails
  // half way, and the program goes on.
  QTest::newRow("file-size limit") << "old.sav" << true << 2;
}

void TSaveLoadTest::failedSaveIsReported()
{
  QFETCH(QString, typed);
  QFETCH(bool, limited);
  QFETCH(int, boxes);
  const QString old = Store(QStringLiteral("old.sav"), {8, WalkA, gsStop});
  const QByteArray oldBytes = ReadAll(old);
  TBoxAnswerer answerer{QMessageBox::Yes};
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkB);
  const QImage picture = form.Game->Picture();
  const QString counted = form.StatusBar1->PanelText(1);

#ifdef Q_OS_WIN
  if (limited)
    QSKIP("Windows sets no file-size limit");
  Save(form, FDir->filePath(typed));
#else
  rlimit unlimited {};
  QVERIFY(::getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
  const rlimit small{8192, unlimited.rlim_max};
  if (limited)
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
  Save(form, FDir->filePath(typed));
  ::setrlimit(RLIMIT_FSIZE, &unlimited);
#endif

  QCOMPARE(answerer.Count(), boxes);
  QCOMPARE(answerer.Last().Title, QStringLiteral("Error"));
  QCOMPARE(answerer.Last().Icon, QMessageBox::Critical);
  QCOMPARE(answerer.Last().Buttons, QStringList{QStringLiteral("OK")});
  QCOMPARE(answerer.Last().Text,
           QStringLiteral("Игра не сохранена.\r\n") +
               FDir->filePath(typed.endsWith(SaveExtension) ? typed : typed + SaveExtension));
  QCOMPARE(FilesBelow(FDir->path()), QStringList{QStringLiteral("old.sav")});
  QCOMPARE(ReadAll(old), oldBytes);
  // The game goes on.
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(WalkB.size()));
  QCOMPARE(form.Game->Picture(), picture);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), counted);
  StartAndPlay(form, {{1, 6}});
  QCOMPARE(form.Game->Count(), uint16_t(WalkB.size() + 1));
}

// ---------------------------------------------------------------------------
// Loading games of the board's own size

void TSaveLoadTest::cancelledLoadChangesNothing()
{
  const QString path = Store(QStringLiteral("other.sav"), {8, WalkB, gsStop});
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkA);
  const QImage picture = form.Game->Picture();

  FFiles->Cancel(path);
  form.N8->trigger();
  QCOMPARE(FFiles->Seen().size(), 1);
  QCOMPARE(FFiles->Seen()[0].Dialog, QStringLiteral("OpenDialog1"));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(WalkA.size()));
  QVERIFY(Square(form.Game->Board(), 8) == BoardOf(8, WalkA));
  QCOMPARE(form.Game->Picture(), picture);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::loadRestoresTheGame_data()
{
  QTest::addColumn<int>("stored");
  QTest::addColumn<bool>("runningBefore");  // else a finished game was on the board
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("button");
  QTest::addColumn<bool>("running");  // N1 enabled, selector disabled

  QTest::newRow("game in progress") << int(gsPlay) << false << int(gsPlay) << GiveUpCaption
                                    << true;
  QTest::newRow("replay comes back in progress")
      << int(gsShow) << false << int(gsPlay) << GiveUpCaption << true;
  QTest::newRow("finished game") << int(gsStop) << true << int(gsStop) << StartCaption << false;
}

void TSaveLoadTest::loadRestoresTheGame()
{
  QFETCH(int, stored);
  QFETCH(bool, runningBefore);
  QFETCH(int, state);
  QFETCH(QString, button);
  QFETCH(bool, running);

  const QString path = Store(QStringLiteral("game.sav"), {8, WalkA, stored});
  TBoxAnswerer boxes;
  // The same game played by hand, to compare the boards' pictures.
  TMainForm reference;
  Prepare(reference);
  StartAndPlay(reference, WalkA);

  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkB);
  if (!runningBefore)
    form.Game->SetState(gsStop);  // over, the moves stay on the board
  QCOMPARE(form.Game->State(), runningBefore ? gsPlay : gsStop);

  Load(form, path);
  QCOMPARE(FFiles->Seen().size(), 1);
  QCOMPARE(FFiles->Seen()[0].Dialog, QStringLiteral("OpenDialog1"));
  const TViltronPan& game = *form.Game;
  QCOMPARE(int(game.State()), state);
  QCOMPARE(game.Size(), uint8_t(8));
  QCOMPARE(game.Count(), uint16_t(WalkA.size()));
  QCOMPARE(QPoint(game.PosX(), game.PosY()), WalkA.last());
  QVERIFY(Square(game.Board(), 8) == BoardOf(8, WalkA));
  QCOMPARE(game.Picture(), Repainted(*reference.Game));
  QCOMPARE(game.pos(), QPoint(8, 56));

  // The window follows the restored state.
  QCOMPARE(form.Button1->text(), button);
  QCOMPARE(form.N1->isEnabled(), running);
  QCOMPARE(form.Edit1->isEnabled(), !running);
  QCOMPARE(form.UpDown1->isEnabled(), !running);
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(WalkA.size()));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(64 - WalkA.size()));
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::loadingAClearedBoard()
{
  const QString path = Store(QStringLiteral("new.sav"), {8, {}, gsNew});
  TBoxAnswerer boxes;
  TMainForm empty;
  Prepare(empty);
  TMainForm form;
  Prepare(form);
  StartAndPlay(form, WalkB);
  form.Game->SetState(gsStop);

  // The finished game gives way to an empty board waiting for a first move.
  Load(form, path);
  QCOMPARE(form.Game->State(), gsNew);
  QCOMPARE(form.Game->Count(), uint16_t(0));
  QVERIFY(Square(form.Game->Board(), 8) == BoardOf(8, {}));
  QCOMPARE(form.Game->Picture(), Repainted(*empty.Game));
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.Edit1->isEnabled());
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::foreignFileIsRefused_data()
{
  QTest::addColumn<QByteArray>("bytes");
  const QByteArray good = RecordOf({8, WalkB, gsStop});
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("text") << QByteArray("Вилтрон\n");
  QTest::newRow("one byte short") << good.left(RecordLength - 1);
  QTest::newRow("two records") << good + good;
  // Records of the right length that no game of this program can have
  // written.
  const auto changed = [&good](int at, int value, bool word = false) {
    QByteArray bytes = good;
    if (word)
      Put16(bytes, at, value);
    else
      bytes[at] = char(value);
    return bytes;
  };
  QTest::newRow("size 0") << changed(0, 0);
  QTest::newRow("size 1") << changed(0, 1);
  QTest::newRow("size 4") << changed(0, 4);
  QTest::newRow("size 101") << changed(0, 101);
  QTest::newRow("more moves than cells") << changed(20006, 65, true);
  QTest::newRow("knight right of the board") << changed(20002, 8, true);
  QTest::newRow("knight below the board") << changed(20004, 8, true);
  for (int state = gsThink; state <= gsBest + 1; ++state)
    QTest::addRow("state %d", state) << changed(20014, state);
}

void TSaveLoadTest::foreignFileIsRefused()
{
  QFETCH(QByteArray, bytes);
  const QString path = FDir->filePath(QStringLiteral("foreign.sav"));
  QVERIFY(WriteAll(path, bytes));
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  form.UpDown1->StepUp();  // a 9 x 9 board: a record of another size would resize it
  StartAndPlay(form, WalkA);
  const TBeforeLoad before(form);

  Load(form, path);
  CompareRefusedLoad(form, boxes, WrongFileText, before);
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(form.UpDown1->Position(), 9);
  QCOMPARE(form.Game->LoadedSize(), uint8_t(0));

  // The game goes on as it was.
  const TViltronPan& game = *form.Game;
  QCOMPARE(game.State(), gsPlay);
  QCOMPARE(game.Count(), uint16_t(WalkA.size()));
  QCOMPARE(QPoint(game.PosX(), game.PosY()), WalkA.last());
  QVERIFY(Square(game.Board(), 9) == BoardOf(9, WalkA));
  QVERIFY(form.N1->isEnabled());
}

// ---------------------------------------------------------------------------
// A running replay

namespace {

// Starts "По шагам" on a 5 x 5 board chosen with the selector and makes the
// replay's next moves by hand; its own ticks are pushed far off, so that only
// the test moves it.
void StartReplay(TMainForm& form, int seed, int moves)
{
  form.UpDown1->StepDown();
  form.UpDown1->StepDown();
  RandSeed(seed);
  form.StepbyStep1->trigger();
  form.Timer->setInterval(3600 * 1000);
  for (int k = 1; k < moves; ++k)
    form.StepOnTimer(form.Timer);
}

}  // namespace

void TSaveLoadTest::saveDuringReplayKeepsItRunning()
{
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  StartReplay(form, 31, 4);
  QVERIFY(form.Timer->isActive());
  QCOMPARE(form.Game->State(), gsShow);
  QCOMPARE(form.Game->Count(), uint16_t(4));
  const TBoard board = Square(form.Game->Board(), 5);

  Save(form, FDir->filePath(QStringLiteral("replay")));
  const QByteArray record = ReadAll(FDir->filePath(QStringLiteral("replay.sav")));
  QCOMPARE(record.size(), RecordLength);
  QCOMPARE(int(uint8_t(record[0])), 5);
  QCOMPARE(Get16(record, 20006), 4);
  QCOMPARE(Get16(record, 20002), int(form.Game->PosX()));
  QCOMPARE(Get16(record, 20004), int(form.Game->PosY()));
  QCOMPARE(int(uint8_t(record[20014])), int(gsShow));
  QVERIFY(CellsOf(record, 5) == board);

  // The replay goes on, from where it was.
  QVERIFY(form.Timer->isActive());
  QCOMPARE(form.Game->State(), gsShow);
  QCOMPARE(form.Button1->text(), StopReplayCaption);
  form.StepOnTimer(form.Timer);
  QCOMPARE(form.Game->Count(), uint16_t(5));

  // A cancelled load does not stop it either.
  FFiles->Cancel(FDir->filePath(QStringLiteral("replay.sav")));
  form.N8->trigger();
  QVERIFY(form.Timer->isActive());
  QCOMPARE(form.Game->State(), gsShow);
  QCOMPARE(form.Game->Count(), uint16_t(5));
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::loadStopsTheReplay_data()
{
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("state");     // the board's state afterwards
  QTest::addColumn<QString>("button");  // Button1 afterwards
  QTest::addColumn<QString>("menu");    // N1 afterwards
  QTest::addColumn<QString>("box");  // the one box shown, if any

  QTest::newRow("game in progress") << RecordOf({5, WalkA, gsPlay}) << int(gsPlay)
                                    << GiveUpCaption << GiveUpCaption << QString();
  // Stopping a game leaves the menu item's caption alone.
  QTest::newRow("finished game") << RecordOf({5, WalkA, gsStop}) << int(gsStop) << StartCaption
                                 << StopReplayCaption << QString();
  // No state event: the captions stay as the replay left them.
  QTest::newRow("cleared board") << RecordOf({5, {}, gsNew}) << int(gsNew) << StopReplayCaption
                                 << StopReplayCaption << QString();
  // A refused load changes nothing: the replay goes on from its position.
  QTest::newRow("foreign file") << QByteArray(100, 'x') << int(gsShow) << StopReplayCaption
                                << StopReplayCaption << WrongFileText;
  QTest::newRow("too big for the screen") << RecordOf({100, WalkFar, gsPlay}) << int(gsShow)
                                          << StopReplayCaption << StopReplayCaption
                                          << LowResolutionText;
}

void TSaveLoadTest::loadStopsTheReplay()
{
  QFETCH(QByteArray, bytes);
  QFETCH(int, state);
  QFETCH(QString, button);
  QFETCH(QString, menu);
  QFETCH(QString, box);
  const QString path = FDir->filePath(QStringLiteral("game.sav"));
  QVERIFY(WriteAll(path, bytes));

  TBoxAnswerer answerer;
  TMainForm form;
  Prepare(form);
  StartReplay(form, 32, 3);
  QVERIFY(form.Timer->isActive());
  const TBoard replayed = Square(form.Game->Board(), 5);

  // Whenever the board reports during the load, the step timer is already off.
  QStringList reports;
  auto watch = [&](TNotifyEvent& event, const char* name) {
    const TNotifyEvent handler = event;
    event = [&form, handler, name, &reports](QObject* sender) {
      reports << QStringLiteral("%1 timer %2")
                     .arg(QLatin1String(name),
                          form.Timer->isActive() ? QStringLiteral("on") : QStringLiteral("off"));
      if (handler)
        handler(sender);
    };
  };
  watch(form.Game->OnStart, "OnStart");
  watch(form.Game->OnStop, "OnStop");
  watch(form.Game->OnResize, "OnResize");
  watch(form.Game->OnWrongFileType, "OnWrongFileType");

  Load(form, path);
  for (const QString& report : reports)
    QVERIFY2(report.endsWith(QStringLiteral("timer off")), qPrintable(report));
  QCOMPARE(reports.size(), state == gsNew ? 0 : 1);
  QCOMPARE(form.Timer->isActive(), state == gsShow);
  QCOMPARE(form.Timer->interval(), 3600 * 1000);
  QCOMPARE(answerer.Count(), box.isEmpty() ? 0 : 1);
  if (!box.isEmpty())
    QCOMPARE(answerer.Last().Text, box);

  QCOMPARE(int(form.Game->State()), state);
  QCOMPARE(form.Button1->text(), button);
  QCOMPARE(WithoutAccessKey(form.N1->text()), menu);
  QCOMPARE(form.N1->isEnabled(), state != gsStop);
  if (state == gsShow) {
    QCOMPARE(form.Game->Count(), uint16_t(3));
    QVERIFY(Square(form.Game->Board(), 5) == replayed);
    QCOMPARE(form.Game->Size(), uint8_t(5));
    form.StepOnTimer(form.Timer);
    QCOMPARE(form.Game->Count(), uint16_t(4));
  } else if (state == gsNew) {
    QCOMPARE(form.Game->Count(), uint16_t(0));
    QVERIFY(Square(form.Game->Board(), 5) == BoardOf(5, {}));
  } else {
    QCOMPARE(form.Game->Count(), uint16_t(WalkA.size()));
    QVERIFY(Square(form.Game->Board(), 5) == BoardOf(5, WalkA));
  }
}

// ---------------------------------------------------------------------------
// Games of another size

void TSaveLoadTest::sixBySixIsCentredAndKept()
{
  const QString path = Store(QStringLiteral("six.sav"), {6, WalkA, gsStop});
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  const QSize start = form.frameGeometry().size();

  Load(form, path);
  TLook look = LookAt(form);
  QCOMPARE(look.Size, 6);
  QCOMPARE(look.At, QPoint(33, 81));
  QCOMPARE(look.Window, start);
  QCOMPARE(look.Shown, QStringLiteral("6"));
  QCOMPARE(form.Game->State(), gsStop);
  QVERIFY(Square(form.Game->Board(), 6) == BoardOf(6, WalkA));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(36 - WalkA.size()));
  QVERIFY(form.UpDown1->isEnabled());

  // The arrows have no step from 6: each only writes "6" again.
  form.UpDown1->StepUp();
  look = LookAt(form);
  QCOMPARE(look.Size, 6);
  QCOMPARE(look.At, QPoint(33, 81));
  QCOMPARE(look.Shown, QStringLiteral("6"));
  form.UpDown1->StepDown();
  look = LookAt(form);
  QCOMPARE(look.Size, 6);
  QCOMPARE(look.At, QPoint(33, 81));
  QCOMPARE(look.Window, start);
  QCOMPARE(look.Shown, QStringLiteral("6"));
  // The finished game stays on the board.
  QCOMPARE(form.Game->State(), gsStop);
  QVERIFY(Square(form.Game->Board(), 6) == BoardOf(6, WalkA));
  QCOMPARE(StepAfterLoadProblem(form, boxes), QString());
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::largerGameOntoASmallBoard_data()
{
  // A game of a larger board than the one shown: the board takes its size,
  // and only sizes past 8 grow the window, by a cell per step.
  QTest::addColumn<int>("size");
  QTest::addColumn<QList<QPoint>>("walk");
  QTest::addColumn<int>("shown");
  QTest::newRow("8 x 8 onto 5 x 5") << 8 << WalkB << 5;
  QTest::newRow("8 x 8 onto 7 x 7") << 8 << WalkB << 7;
  QTest::newRow("12 x 12 onto 8 x 8") << 12 << WalkFar << 8;
  QTest::newRow("12 x 12 onto 7 x 7") << 12 << WalkFar << 7;
  QTest::newRow("12 x 12 onto 5 x 5") << 12 << WalkFar << 5;
}

void TSaveLoadTest::largerGameOntoASmallBoard()
{
  QFETCH(int, size);
  QFETCH(QList<QPoint>, walk);
  QFETCH(int, shown);
  const QString path = Store(QStringLiteral("larger.sav"), {size, walk, gsPlay});
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  const QSize start = form.frameGeometry().size();
  const QSize client = form.Client->size();
  while (form.Game->Size() > shown)
    form.UpDown1->StepDown();
  QCOMPARE(form.Edit1->text(), QString::number(shown));

  Load(form, path);
  const int grown = (size - 8) * Cell;
  const TLook look = LookAt(form);
  QCOMPARE(look.Size, size);
  QCOMPARE(look.At, QPoint(8, 56));
  QCOMPARE(look.Window, start + QSize(grown, grown));
  QCOMPARE(look.Shown, QString::number(size));
  QCOMPARE(form.UpDown1->Position(), size);
  QCOMPARE(form.Client->size(), client + QSize(grown, grown));
  QCOMPARE(form.Game->size(), QSize(size * Cell, size * Cell));
  // The status bar stays along the bottom edge.
  QCOMPARE(form.StatusBar1->geometry().bottom(), form.Client->height() - 1);

  // The game itself.
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(walk.size()));
  QCOMPARE(QPoint(form.Game->PosX(), form.Game->PosY()), walk.last());
  QVERIFY(Square(form.Game->Board(), size) == BoardOf(size, walk));
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(walk.size()));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(size * size - walk.size()));
  QCOMPARE(StepAfterLoadProblem(form, boxes), QString());
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::fromTwelveBackToTheSmallWindow_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<QPoint>("at");
  QTest::newRow("5") << 5 << QPoint(45, 93);
  QTest::newRow("6") << 6 << QPoint(33, 81);
  QTest::newRow("7") << 7 << QPoint(20, 68);
  QTest::newRow("8") << 8 << QPoint(8, 56);
}

void TSaveLoadTest::fromTwelveBackToTheSmallWindow()
{
  QFETCH(int, size);
  QFETCH(QPoint, at);
  const QString twelve = Store(QStringLiteral("twelve.sav"), {12, WalkFar, gsStop});
  const QString small = Store(QStringLiteral("small.sav"), {size, WalkA, gsStop});
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  const QSize start = form.frameGeometry().size();
  const QSize client = form.Client->size();
  Load(form, twelve);
  QCOMPARE(form.Game->Size(), uint8_t(12));

  Load(form, small);
  const TLook look = LookAt(form);
  QCOMPARE(look.Size, size);
  QCOMPARE(look.At, at);
  QCOMPARE(look.Window, start);
  QCOMPARE(look.Shown, QString::number(size));
  QCOMPARE(form.UpDown1->Position(), size);
  QCOMPARE(form.Client->size(), client);
  QCOMPARE(form.StatusBar1->geometry().bottom(), client.height() - 1);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Game->Count(), uint16_t(WalkA.size()));
  QVERIFY(Square(form.Game->Board(), size) == BoardOf(size, WalkA));
  QCOMPARE(StepAfterLoadProblem(form, boxes), QString());
  QCOMPARE(boxes.Count(), 0);
}

void TSaveLoadTest::gameTooBigForTheScreen_data()
{
  QTest::addColumn<int>("before");  // the board's size before the load
  QTest::newRow("over 12 x 12") << 12;
  QTest::newRow("over 9 x 9") << 9;
  QTest::newRow("over 8 x 8") << 8;
  QTest::newRow("over 5 x 5") << 5;
}

// A game whose window would not fit the screen is refused before anything
// changes: the game in progress stays, and so do the window and the selector.
void TSaveLoadTest::gameTooBigForTheScreen()
{
  QFETCH(int, before);
  const QString path = Store(QStringLiteral("hundred.sav"), {100, WalkFar, gsPlay});
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  // Room for four more cells each way, not for 92.
  PretendScreenSize(form.frameGeometry().size() + QSize(4 * Cell, 4 * Cell));
  while (form.Game->Size() < before)
    form.UpDown1->StepUp();
  while (form.Game->Size() > before)
    form.UpDown1->StepDown();
  QCOMPARE(form.Game->Size(), uint8_t(before));
  const QList<QPoint> walk = before == 12 ? WalkFar : WalkA;
  StartAndPlay(form, walk);
  const TBeforeLoad shown(form);

  Load(form, path);
  CompareRefusedLoad(form, boxes, LowResolutionText, shown);
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), uint16_t(walk.size()));
  QVERIFY(Square(form.Game->Board(), before) == BoardOf(before, walk));

  // The game goes on from where it was.
  const QPoint next = before == 12 ? QPoint(10, 10) : QPoint(2, 2);
  ClickCell(*form.Game, next);
  QCOMPARE(form.Game->Count(), uint16_t(walk.size() + 1));
  QCOMPARE(boxes.Count(), 1);
}

void TSaveLoadTest::loadsAfterStepsAndLoads_data()
{
  // Space-separated steps: "up" and "down" press an arrow, a number loads a
  // finished game of that size, "big" one whose window cannot fit the screen.
  QTest::addColumn<QString>("steps");
  QTest::newRow("7, 8, 7") << "7 8 7";
  QTest::newRow("6, 8, 6") << "6 8 6";
  QTest::newRow("5, up, 5") << "5 up 5";
  QTest::newRow("5, up, up, 5") << "5 up up 5";
  QTest::newRow("7, up, 7, down, 5") << "7 up 7 down 5";
  QTest::newRow("down, down, 8, 5, 9, 7") << "down down 8 5 9 7";
  QTest::newRow("up, down, 9, big, 8, 9") << "up down 9 big 8 9";
  QTest::newRow("down, big, 5, up, big, 7") << "down big 5 up big 7";
}

// Every load, whatever the arrows and the loads before it left, ends with the
// loaded game, or with a box and the game before it unchanged.
void TSaveLoadTest::loadsAfterStepsAndLoads()
{
  QFETCH(QString, steps);
  TBoxAnswerer boxes;
  TMainForm form;
  Prepare(form);
  const QSize start = form.frameGeometry().size();
  // What the player sees: the board, its place and game, the window, the
  // number shown and the boxes so far.
  const auto seen = [&form, &boxes, start] {
    const int n = form.Game->Size();
    return QStringLiteral("board %1 at (%2, %3), window +%4, shows %5, %6 moves %7, boxes: %8")
        .arg(n)
        .arg(form.Game->pos().x())
        .arg(form.Game->pos().y())
        .arg(form.frameGeometry().width() - start.width())
        .arg(form.Edit1->text())
        .arg(form.Game->Count())
        .arg(Square(form.Game->Board(), n) == BoardOf(n, WalkA) ? "of the game" : "other")
        .arg(boxes.Count() ? boxes.Last().Text : QString());
  };
  const QMap<int, QPoint> centred{{5, {45, 93}}, {6, {33, 81}}, {7, {20, 68}}};

  int done = 0;
  for (const QString& step : steps.split(u' ')) {
    if (step == QLatin1String("up") || step == QLatin1String("down")) {
      QVERIFY2(form.UpDown1->isEnabled(), qPrintable(step));
      if (step == QLatin1String("up"))
        form.UpDown1->StepUp();
      else
        form.UpDown1->StepDown();
      continue;
    }
    const bool big = step == QLatin1String("big");
    const int n = big ? 100 : step.toInt();
    const QString before = seen();
    const int boxesBefore = boxes.Count();
    Load(form, Store(step + SaveExtension, {n, WalkA, gsStop}));
    QString expected = before;
    if (big) {
      expected.replace(expected.indexOf(QStringLiteral("boxes: ")), expected.size(),
                       QStringLiteral("boxes: ") + LowResolutionText);
    } else {
      const QPoint at = centred.value(n, QPoint(8, 56));
      expected = QStringLiteral("board %1 at (%2, %3), window +%4, shows %1, %5 moves of the game, "
                                "boxes: %6")
                     .arg(n)
                     .arg(at.x())
                     .arg(at.y())
                     .arg(std::max(n - 8, 0) * Cell)
                     .arg(WalkA.size())
                     .arg(boxesBefore ? boxes.Seen()[boxesBefore - 1].Text : QString());
    }
    const QString load = QStringLiteral("load %1: ").arg(++done);
    QCOMPARE(load + seen(), load + expected);
    QCOMPARE(boxes.Count(), boxesBefore + (big ? 1 : 0));
  }
}

VILTRON_TEST_MAIN(TSaveLoadTest)
#include "test_saveload.moc"
