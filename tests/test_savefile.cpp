// Saved games: the bytes a board writes for its game, and what a board shows
// and reports after reading a file back (state events, resizing through the
// host, files that are not saved games, damaged records).

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/stat.h>
#ifndef Q_OS_WIN
#include <dlfcn.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "BoardTestKit.h"
#include "FileTestKit.h"
#include "TestApp.h"
#include "board/KnightMoves.h"
#include "board/Random.h"

namespace {

constexpr int RecordLength = 20016;

// The board with its game fields open to the tests. The tour search can be
// told to take its best walk after a few walks, as the solver window's button
// does, so that a search on a board without a tour ends.
class TShortSearchPan : public TOpenPan {
public:
  using TOpenPan::TOpenPan;

  int WalksBeforeBest = 0;  // 0: the search runs until it finds a tour

protected:
  void ProcessMessages() override
  {
    if (WalksBeforeBest > 0 && --FWalksLeft <= 0)
      SetState(gsBest);
    TViltronPan::ProcessMessages();
  }

public:
  void Hint()
  {
    FWalksLeft = WalksBeforeBest;
    TViltronPan::Hint();
  }
  void PrepareShow()
  {
    FWalksLeft = WalksBeforeBest;
    TViltronPan::PrepareShow();
  }
  void SolveAll()
  {
    FWalksLeft = WalksBeforeBest;
    TViltronPan::SolveAll();
  }

private:
  int FWalksLeft = 0;
};

// The host's OnResize answer in the game: take the size the file asks for.
void TakeLoadedSize(TShortSearchPan& pan)
{
  pan.SetSize(pan.LoadedSize());
}

// Everything of a board a host or player can see, for "nothing changed".
struct TSnapshot {
  explicit TSnapshot(const TShortSearchPan& pan)
      : Text(QStringLiteral("size %1, %2 px, state %3, count %4, knight (%5,%6), "
                            "loaded size %7, cursor %8")
                 .arg(pan.Size())
                 .arg(pan.width())
                 .arg(StateName(pan.State()))
                 .arg(pan.Count())
                 .arg(pan.PosX())
                 .arg(pan.PosY())
                 .arg(pan.LoadedSize())
                 .arg(pan.Cursor())),
        Cells(pan.Board()),
        Picture(pan.Picture())
  {
  }

  QString Text;
  TBoard Cells;
  QImage Picture;
};

// Compares a board with an earlier snapshot; the caller checks
// QTest::currentTestFailed() afterwards.
void CompareWith(const TSnapshot& before, const TShortSearchPan& pan)
{
  const TSnapshot now(pan);
  QCOMPARE(now.Text, before.Text);
  QVERIFY2(now.Cells == before.Cells, "the cells changed");
  QVERIFY2(now.Picture == before.Picture, "the picture changed");
}

// A game in progress on 6 x 6: six moves, the knight on (3,2).
const QVector<QPoint> GameMoves = {{0, 0}, {1, 2}, {2, 4}, {4, 5}, {5, 3}, {3, 2}};
// Another game on the same board: two moves, the knight on (4,3).
const QVector<QPoint> OtherMoves = {{5, 5}, {4, 3}};

// A record put together byte by byte from the layout: cells given as
// (x, y) -> value, the fixed fields at their usual values.
QByteArray MakeRecord(int size, const QMap<QPair<int, int>, uint16_t>& cells, uint16_t posX,
                      uint16_t posY, uint16_t count, int state)
{
  QByteArray bytes(RecordLength, '\0');
  bytes[0] = char(size);
  for (auto it = cells.begin(); it != cells.end(); ++it)
    Put16(bytes, 2 + 200 * it.key().first + 2 * it.key().second, it.value());
  Put16(bytes, 20002, posX);
  Put16(bytes, 20004, posY);
  Put16(bytes, 20006, count);
  bytes[20008] = 0;
  Put16(bytes, 20010, 0xFFFF);
  Put16(bytes, 20012, 122);
  bytes[20014] = char(state);
  return bytes;
}

// How a save in a child process is held back.
enum TLimit {
  NoLimit,
  OrdinaryUser,  // runs as "nobody" when the test runs as root
  FileSizeLimit  // files may not grow past 8 KB: the write is cut short
};

// Saves the board's game in a child process under the given limit, which so
// stays out of the test, and gives SaveToFile's answer: 1 saved, 0 refused,
// -1 when the save did not end within 10 seconds (a blocked open), -2 when
// the child crashed, -3 when the limit could not be set.
#ifdef Q_OS_WIN
// Windows has neither fork() nor these limits: the save runs in the test.
int SaveInChild(TShortSearchPan& pan, const QString& path, TLimit limit)
{
  if (limit != NoLimit)
    return -3;
  return pan.SaveToFile(path) ? 1 : 0;
}
#else
int SaveInChild(TShortSearchPan& pan, const QString& path, TLimit limit)
{
  const QByteArray name = path.toLocal8Bit();
  const pid_t child = ::fork();
  if (child == 0) {
    if (limit == OrdinaryUser && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(3);
    // The program's own setup keeps a write past the limit from ending it.
    if (limit == FileSizeLimit) {
      const rlimit small{8192, 8192};
      if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
        ::_exit(3);
    }
    ::_exit(pan.SaveToFile(QString::fromLocal8Bit(name)) ? 1 : 0);
  }
  int status = 0;
  for (int wait = 0; wait < 1000; ++wait) {
    if (::waitpid(child, &status, WNOHANG) == child)
      return !WIFEXITED(status) ? -2 : WEXITSTATUS(status) == 3 ? -3 : WEXITSTATUS(status);
    QTest::qSleep(10);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return -1;
}
#endif

// The folders flushed while a test watches, each with the file that the
// watched name denoted at that moment.
struct TFolderFlush {
  ino_t Folder;
  ino_t Named;
};
QByteArray WatchedName;
QVector<TFolderFlush> FolderFlushes;

}  // namespace

#ifndef Q_OS_WIN  // Windows has no flush of a folder
// Every flush of the test's process passes here, and those of folders are
// noted, so that a test sees what a save flushed and when.
extern "C" int fsync(int fd)
{
  static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
  struct stat info {};
  if (!WatchedName.isEmpty() && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    struct stat named {};
    FolderFlushes.append({info.st_ino, ::stat(WatchedName.constData(), &named) == 0
                                           ? named.st_ino
                                           : ino_t(0)});
  }
  return real(fd);
}
#endif

namespace {

// Files and folders below a folder, relative to it, sorted.
QStringList EntriesBelow(const QString& folder)
{
  QStringList entries;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext())
    entries << QDir(folder).relativeFilePath(it.next());
  entries.sort();
  return entries;
}

}  // namespace

class TSaveFileTest : public QObject {
  Q_OBJECT

private slots:
  void init();

  // Saving and loading back: what the player had is what the player gets.
  void roundTrip_data();
  void roundTrip();
  void everySavedGameLoads_data();
  void everySavedGameLoads();

  // The bytes of the file.
  void writtenBytes();
  void sameBytesAsLinuxProgram();
  void largestBoardFillsRecord();
  void savingOverLongerFileLeavesOneRecord();
  void savingLeavesBoardAlone_data();
  void savingLeavesBoardAlone();
  void boardTooLargeIsNotSaved();
  void searchStatesAreNotSaved_data();
  void searchStatesAreNotSaved();
  void failedSaveKeepsOldFile_data();
  void failedSaveKeepsOldFile();
  void savedNameIsFlushed_data();
  void savedNameIsFlushed();

  // Another board size: the host is asked first.
  void otherSizeAsksHostFirst();
  void hostNotTakingSizeEndsLoad_data();
  void hostNotTakingSizeEndsLoad();
  void stateHandlerResizingKeepsBoardWhole();

  // Which files are saved games.
  void fileLength_data();
  void fileLength();
  void notSavedGame_data();
  void notSavedGame();
  void contradictoryRecord_data();
  void contradictoryRecord();
  void readOnlyFileLoads();
  void fixedFieldsIgnored();
  void boundaryRecordsLoad_data();
  void boundaryRecordsLoad();

  // Damaged records of the right length: the board survives whatever it loads.
  void randomRecordsAreSafe();

private:
  QString Path(const QString& name) const { return FDir->filePath(name); }
  // Loads the file into a board with a game of its own, which must refuse it
  // and keep everything.
  void ExpectRefusedWhole(const QString& path, bool handler);

  std::unique_ptr<QTemporaryDir> FDir;
};

void TSaveFileTest::init()
{
  FDir = std::make_unique<QTemporaryDir>();
  QVERIFY(FDir->isValid());
  RandSeed(20240611);
}

// ---- Round trips ----------------------------------------------------------

void TSaveFileTest::roundTrip_data()
{
  QTest::addColumn<int>("savedState");
  QTest::addColumn<int>("loadedState");
  QTest::addColumn<QString>("event");  // raised by the load, or empty
  QTest::addColumn<int>("cursor");
  QTest::addColumn<bool>("playable");

  QTest::newRow("game in progress") << int(gsPlay) << int(gsPlay) << "OnStart" << crHandPoint
                                    << true;
  QTest::newRow("finished game") << int(gsStop) << int(gsStop) << "OnStop" << crNoDrop << false;
  QTest::newRow("cleared board") << int(gsNew) << int(gsNew) << "" << crKnight << true;
  QTest::newRow("replay") << int(gsShow) << int(gsPlay) << "OnStart" << crHandPoint << true;
}

void TSaveFileTest::roundTrip()
{
  QFETCH(int, savedState);
  QFETCH(int, loadedState);
  QFETCH(QString, event);
  QFETCH(int, cursor);
  QFETCH(bool, playable);

  TShortSearchPan saved;
  saved.SetSize(6);
  if (savedState == gsShow) {
    // A computed tour replayed to its fourth move, as the step timer does.
    saved.WalksBeforeBest = 3;
    saved.PrepareShow();
    QCOMPARE(saved.State(), gsShow);
    for (int i = 0; i < 3; ++i)
      saved.ShowNextMove();
    QCOMPARE(saved.Count(), uint16_t(4));
  } else {
    Play(saved, GameMoves);
    QCOMPARE(saved.State(), gsPlay);
    if (savedState != gsPlay)
      saved.SetState(TGameState(savedState));
  }
  saved.Paint();
  const TSnapshot original(saved);
  saved.SaveToFile(Path("game.sav"));
  QCOMPARE(QFileInfo(Path("game.sav")).size(), qint64(RecordLength));

  // Loaded into a board of the same size that holds a game of its own: no
  // resize, and the old game is replaced.
  TShortSearchPan loaded;
  loaded.SetSize(6);
  Play(loaded, OtherMoves);
  TEventLog log(loaded);
  loaded.LoadFromFile(Path("game.sav"));

  QStringList expected;
  if (!event.isEmpty())
    expected << Item(event.toLatin1().constData(), gsPlay, saved.Count());
  QCOMPARE(log.Items, expected);
  QCOMPARE(loaded.Size(), uint8_t(6));
  QCOMPARE(loaded.width(), 150);
  QCOMPARE(int(loaded.State()), loadedState);
  QCOMPARE(loaded.Count(), saved.Count());
  QCOMPARE(loaded.PosX(), saved.PosX());
  QCOMPARE(loaded.PosY(), saved.PosY());
  QCOMPARE(loaded.LoadedSize(), uint8_t(6));
  QCOMPARE(loaded.Cursor(), cursor);
  QVERIFY(Square(loaded.Board(), 6) == Square(saved.Board(), 6));
  QVERIFY2(loaded.Picture() == original.Picture, "the loaded board looks different");

  // The game goes on from the loaded position.
  log.Items.clear();
  if (loadedState == gsNew) {
    ClickCell(loaded, QPoint(2, 2));
    QCOMPARE(log.Items, QStringList() << Item("OnStart", gsNew, 0) << Item("OnMove", gsPlay, 1));
    QCOMPARE(loaded.Board()[2][2], uint16_t(1));
    return;
  }
  // A free cell a jump away from the knight.
  int nextX = -1;
  int nextY = -1;
  for (int x = 0; x < 6 && nextX < 0; ++x)
    for (int y = 0; y < 6 && nextX < 0; ++y)
      if (IsJump(loaded.PosX(), loaded.PosY(), x, y) && loaded.Board()[x][y] == 0) {
        nextX = x;
        nextY = y;
      }
  QVERIFY(nextX >= 0);
  const uint16_t count = loaded.Count();
  ClickCell(loaded, QPoint(nextX, nextY));
  if (playable) {
    QCOMPARE(log.Items, QStringList() << Item("OnMove", gsPlay, count + 1));
    QCOMPARE(loaded.Board()[nextX][nextY], uint16_t(count + 1));
  } else {
    QCOMPARE(log.Items, QStringList());
    QCOMPARE(loaded.Count(), count);
  }
}

void TSaveFileTest::everySavedGameLoads_data()
{
  // How the game came about: moves played ("won", "lost", "played"), then
  // the solve commands; a search ends at a tour, or takes the best of three
  // walks when "best" is said.
  QTest::addColumn<QString>("made");
  for (const char* made : {"won", "lost", "solved", "played, solved best", "replayed to the end",
                           "replay started", "hint", "played, hint best", "lost, hint best"})
    QTest::addRow("%s", made) << QString::fromLatin1(made);
}

// Whatever the player or a solve command did, the saved game loads back as
// it was, onto a board of another size.
void TSaveFileTest::everySavedGameLoads()
{
  QFETCH(QString, made);
  TShortSearchPan saved;
  saved.SetSize(made.startsWith("played") ? 6 : 5);
  saved.WalksBeforeBest = made.endsWith("best") ? 3 : 0;
  if (made.startsWith("played"))
    Play(saved, GameMoves);
  else if (made.startsWith("won"))
    Play(saved, TWalkFinder(5, true).Find());
  else if (made.startsWith("lost"))
    Play(saved, FindShortestWalk(5, false));
  if (made.contains("solved"))
    saved.SolveAll();
  if (made.startsWith("replay"))
    saved.PrepareShow();
  for (int step = 0; made == "replayed to the end" && step < 25; ++step)
    saved.ShowNextMove();
  if (made.contains("hint"))
    saved.Hint();
  QCOMPARE(saved.Count() == 25, made == "won" || made == "solved" || made == "replayed to the end");
  QVERIFY(saved.SaveToFile(Path("game.sav")));

  TShortSearchPan loaded;
  TEventLog log(loaded);
  log.OnResize = [&] { TakeLoadedSize(loaded); };
  loaded.LoadFromFile(Path("game.sav"));

  QVERIFY2(!log.Items.join(' ').contains("OnWrongFileType"), "the saved game was refused");
  QCOMPARE(loaded.Size(), saved.Size());
  QCOMPARE(loaded.State(), saved.State() == gsShow ? gsPlay : saved.State());
  QCOMPARE(loaded.Count(), saved.Count());
  QCOMPARE(QPoint(loaded.PosX(), loaded.PosY()), QPoint(saved.PosX(), saved.PosY()));
  QVERIFY(Square(loaded.Board(), saved.Size()) == Square(saved.Board(), saved.Size()));
}

// ---- The bytes of the file ------------------------------------------------

void TSaveFileTest::writtenBytes()
{
  TShortSearchPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);
  // Saved in the middle of a replay: the state byte is written as it is.
  pan.SetState(gsShow);
  pan.SaveToFile(Path("game.sav"));

  QByteArray expected(RecordLength, '\0');
  expected[0] = 6;
  for (int i = 0; i < GameMoves.size(); ++i)
    Put16(expected, 2 + 200 * GameMoves[i].x() + 2 * GameMoves[i].y(), uint16_t(i + 1));
  Put16(expected, 20002, 3);
  Put16(expected, 20004, 2);
  Put16(expected, 20006, 6);
  Put16(expected, 20010, 0xFFFF);
  Put16(expected, 20012, 122);
  expected[20014] = 3;
  const QByteArray written = ReadAll(Path("game.sav"));
  QCOMPARE(written.size(), RecordLength);
  for (int i = 0; i < RecordLength; ++i)
    if (written[i] != expected[i])
      QFAIL(qPrintable(QStringLiteral("byte %1 is %2, expected %3")
                           .arg(i)
                           .arg(uchar(written[i]))
                           .arg(uchar(expected[i]))));
}

// linux_game.sav was saved by the Linux program after the first move and a
// jump on the board at start. Every build writes these very bytes for that
// game, so that saved games move between the systems either way.
void TSaveFileTest::sameBytesAsLinuxProgram()
{
  QFile file(QStringLiteral(":/linux_game.sav"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  TShortSearchPan pan;
  Play(pan, {{0, 0}, {1, 2}});
  QVERIFY(pan.SaveToFile(Path("game.sav")));
  QCOMPARE(ReadAll(Path("game.sav")), file.readAll());
}

void TSaveFileTest::largestBoardFillsRecord()
{
  // A walk from the far corner (99, 99), whose cell is the record's last.
  TShortSearchPan pan;
  pan.SetSize(100);
  pan.BuildWeights();
  pan.PutKnight(99, 99);
  while (!pan.IsDeadEnd(pan.PosX(), pan.PosY()))
    pan.GreedyStep();
  pan.SetState(gsStop);
  QVERIFY(pan.Count() > 1000);
  pan.SaveToFile(Path("big.sav"));

  const QByteArray written = ReadAll(Path("big.sav"));
  QCOMPARE(written.size(), RecordLength);
  QMap<QPair<int, int>, uint16_t> cells;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 100; ++y)
      cells[{x, y}] = pan.Board()[x][y];
  QVERIFY(written == MakeRecord(100, cells, pan.PosX(), pan.PosY(), pan.Count(), gsStop));
  QCOMPARE(uchar(written[20000]), uchar(1));
  QCOMPARE(uchar(written[20001]), uchar(0));
  // Move 2 is a jump back from the corner: (98, 97) or (97, 98).
  QVERIFY(uchar(written[2 + 200 * 98 + 2 * 97]) == 2 || uchar(written[2 + 200 * 97 + 2 * 98]) == 2);

  // And back into a board of another size.
  TShortSearchPan loaded;
  TEventLog log(loaded);
  log.OnResize = [&] { TakeLoadedSize(loaded); };
  loaded.LoadFromFile(Path("big.sav"));
  QCOMPARE(log.Items, QStringList() << Item("OnResize", gsNew, 0)
                                    << Item("OnStop", gsNew, pan.Count()));
  QCOMPARE(loaded.Size(), uint8_t(100));
  QVERIFY(loaded.Board() == pan.Board());
  QCOMPARE(loaded.PosX(), pan.PosX());
  QCOMPARE(loaded.PosY(), pan.PosY());
}

void TSaveFileTest::savingOverLongerFileLeavesOneRecord()
{
  TShortSearchPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);
  pan.SaveToFile(Path("fresh.sav"));
  QVERIFY(WriteAll(Path("old.sav"), QByteArray(50000, 'w')));

  pan.SaveToFile(Path("old.sav"));
  const QByteArray fresh = ReadAll(Path("fresh.sav"));
  QCOMPARE(fresh.size(), RecordLength);
  QCOMPARE(ReadAll(Path("old.sav")), fresh);
}

void TSaveFileTest::savingLeavesBoardAlone_data()
{
  QTest::addColumn<QString>("target");
  QTest::addColumn<bool>("saved");
  QTest::newRow("new file") << "game.sav" << true;
  QTest::newRow("folder that does not exist") << "missing/game.sav" << false;
}

void TSaveFileTest::savingLeavesBoardAlone()
{
  QFETCH(QString, target);
  QFETCH(bool, saved);
  TShortSearchPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);
  pan.Paint();
  // A colour takes effect at the next painting: a repaint would show it.
  pan.SetLightColor(0x0000FF);
  TEventLog log(pan);
  const TSnapshot before(pan);

  QCOMPARE(pan.SaveToFile(Path(target)), saved);

  QCOMPARE(log.Items, QStringList());
  CompareWith(before, pan);
  if (QTest::currentTestFailed())
    return;
  if (target.contains('/')) {
    QVERIFY(!QFileInfo::exists(Path("missing")));
  } else {
    QCOMPARE(QFileInfo(Path(target)).size(), qint64(RecordLength));
  }
}

// A record holds at most 100 x 100 cells: a larger board writes nothing, and
// a file of that name keeps what it held.
void TSaveFileTest::boardTooLargeIsNotSaved()
{
  const QByteArray old = MakeRecord(5, {{{0, 0}, 1}}, 0, 0, 1, gsStop);
  QVERIFY(WriteAll(Path("game.sav"), old));
  TShortSearchPan pan;
  pan.SetSize(101);
  TEventLog log(pan);

  QVERIFY(!pan.SaveToFile(Path("game.sav")));
  QVERIFY(!pan.SaveToFile(Path("new.sav")));

  QCOMPARE(log.Items, QStringList());
  QCOMPARE(ReadAll(Path("game.sav")), old);
  QVERIFY(!QFileInfo::exists(Path("new.sav")));
}

void TSaveFileTest::searchStatesAreNotSaved_data()
{
  QTest::addColumn<int>("state");
  QTest::addColumn<bool>("saved");
  QTest::newRow("replay") << int(gsShow) << true;
  QTest::newRow("search") << int(gsThink) << false;
  QTest::newRow("search cancelled") << int(gsCancel) << false;
  QTest::newRow("best walk asked for") << int(gsBest) << false;
}

// A search's own states are no game: the writer refuses them, as the loader
// would, and a file of that name keeps what it held.
void TSaveFileTest::searchStatesAreNotSaved()
{
  QFETCH(int, state);
  QFETCH(bool, saved);
  const QByteArray old = MakeRecord(5, {{{0, 0}, 1}}, 0, 0, 1, gsStop);
  QVERIFY(WriteAll(Path("game.sav"), old));
  TViltronPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);
  pan.SetState(TGameState(state));

  QCOMPARE(pan.SaveToFile(Path("game.sav")), saved);
  QCOMPARE(pan.SaveToFile(Path("new.sav")), saved);
  QCOMPARE(ReadAll(Path("game.sav")) == old, !saved);
  QCOMPARE(QFileInfo::exists(Path("new.sav")), saved);
}

void TSaveFileTest::failedSaveKeepsOldFile_data()
{
  QTest::addColumn<QString>("target");  // in the folder "games"
  QTest::addColumn<int>("limit");
  QTest::addColumn<int>("folderRights");
  QTest::addColumn<int>("fileRights");  // of the old game
  QTest::addColumn<bool>("saved");

  QTest::newRow("over the old game") << "game.sav" << int(NoLimit) << 0755 << 0666 << true;
  QTest::newRow("through a link to it") << "link.sav" << int(NoLimit) << 0755 << 0666 << true;
  QTest::newRow("read-only folder") << "game.sav" << int(OrdinaryUser) << 0555 << 0666 << false;
  QTest::newRow("read-only file") << "game.sav" << int(OrdinaryUser) << 0777 << 0444 << false;
  QTest::newRow("write cut short") << "game.sav" << int(FileSizeLimit) << 0755 << 0666 << false;
  QTest::newRow("folder in its place") << "folder.sav" << int(NoLimit) << 0755 << 0666 << false;
  QTest::newRow("named pipe") << "pipe.sav" << int(NoLimit) << 0755 << 0666 << false;
  QTest::newRow("missing folder") << "missing/game.sav" << int(NoLimit) << 0755 << 0666 << false;
}

// A save that fails says so and leaves the earlier file whole; one that
// succeeds replaces it, keeping its rights, and leaves nothing else behind.
void TSaveFileTest::failedSaveKeepsOldFile()
{
  QFETCH(QString, target);
  QFETCH(int, limit);
  QFETCH(int, folderRights);
  QFETCH(int, fileRights);
  QFETCH(bool, saved);

  const QString games = Path("games");
  const QString old = games + "/game.sav";
  QVERIFY(QDir().mkpath(games));
  const QByteArray oldBytes = MakeRecord(5, {{{0, 0}, 1}}, 0, 0, 1, gsStop);
  QVERIFY(WriteAll(old, oldBytes));
  QVERIFY(QDir(games).mkdir("folder.sav"));
#ifndef Q_OS_WIN  // the links and the named pipe are Linux's here
  QVERIFY(QFile::link("game.sav", games + "/link.sav"));
  QVERIFY(::mkfifo(qPrintable(games + "/pipe.sav"), 0666) == 0);
#endif
  const QStringList entries = EntriesBelow(games);
  QVERIFY(::chmod(qPrintable(old), mode_t(fileRights)) == 0);
  const QFile::Permissions rights = QFileInfo(old).permissions();
  QVERIFY(::chmod(qPrintable(FDir->path()), 0755) == 0);
  QVERIFY(::chmod(qPrintable(games), mode_t(folderRights)) == 0);

  TShortSearchPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);
  const int result = SaveInChild(pan, games + "/" + target, TLimit(limit));
  ::chmod(qPrintable(games), 0755);

  if (result == -3)
    QSKIP("this system does not let the test take an ordinary user's rights or a file limit");
  QVERIFY2(result != -1, "the save did not end");
  QVERIFY2(result != -2, "the save crashed");
  QCOMPARE(result == 1, saved);
  QByteArray expected = oldBytes;
  if (saved) {
    QVERIFY(pan.SaveToFile(Path("fresh.sav")));
    expected = ReadAll(Path("fresh.sav"));
  }
  QCOMPARE(ReadAll(old), expected);
  QCOMPARE(QFileInfo(old).permissions(), rights);
  QCOMPARE(EntriesBelow(games), entries);
#ifndef Q_OS_WIN
  QVERIFY(QFileInfo(games + "/link.sav").isSymLink());
#endif
  QVERIFY(QFileInfo(games + "/folder.sav").isDir());
}

void TSaveFileTest::savedNameIsFlushed_data()
{
  QTest::addColumn<QString>("target");  // in the folder "games", holding game.sav
  QTest::newRow("new name") << "new.sav";
  QTest::newRow("over the old game") << "game.sav";
  QTest::newRow("through a link from another folder") << "../links/game.sav";
}

// After the rename the folder that holds the new file is flushed too, so that
// a save reported done survives a power cut.
void TSaveFileTest::savedNameIsFlushed()
{
#ifdef Q_OS_WIN
  QSKIP("Windows has no flush of a folder");
#else
  QFETCH(QString, target);
  const QString games = Path("games");
  QVERIFY(QDir().mkpath(games) && QDir().mkpath(Path("links")));
  QVERIFY(WriteAll(games + "/game.sav", MakeRecord(5, {{{0, 0}, 1}}, 0, 0, 1, gsStop)));
  QVERIFY(QFile::link("../games/game.sav", Path("links/game.sav")));
  TShortSearchPan pan;
  pan.SetSize(6);
  Play(pan, GameMoves);

  const QString path = games + "/" + target;
  WatchedName = QFile::encodeName(path);
  FolderFlushes.clear();
  const bool saved = pan.SaveToFile(path);
  WatchedName.clear();

  QVERIFY(saved);
  struct stat folder {};
  struct stat named {};
  QVERIFY(::stat(qPrintable(games), &folder) == 0 && ::stat(qPrintable(path), &named) == 0);
  QVERIFY2(!FolderFlushes.isEmpty(), "no folder was flushed");
  QCOMPARE(FolderFlushes.last().Folder, folder.st_ino);
  QVERIFY2(FolderFlushes.last().Named == named.st_ino, "the folder was flushed before the rename");
#endif
}

// ---- Another board size ---------------------------------------------------

void TSaveFileTest::otherSizeAsksHostFirst()
{
  TShortSearchPan saved;
  saved.SetSize(6);
  Play(saved, GameMoves);
  saved.Paint();
  saved.SaveToFile(Path("game.sav"));

  TShortSearchPan loaded;  // 8 x 8, with a game of its own
  Play(loaded, {{0, 0}, {2, 1}});
  const TSnapshot before(loaded);
  TEventLog log(loaded);
  QString seenInHandler;
  log.OnResize = [&] {
    // Only the loaded size is known yet; the board is still the old one.
    QCOMPARE(loaded.LoadedSize(), uint8_t(6));
    const TSnapshot now(loaded);
    if (!(now.Text == QString(before.Text).replace(QLatin1String("loaded size 0"),
                                                   QLatin1String("loaded size 6")) &&
          now.Cells == before.Cells && now.Picture == before.Picture))
      seenInHandler = now.Text;
    TakeLoadedSize(loaded);
  };
  loaded.LoadFromFile(Path("game.sav"));

  QVERIFY2(seenInHandler.isEmpty(), qPrintable("inside OnResize: " + seenInHandler));
  QCOMPARE(log.Items, QStringList() << Item("OnResize", gsPlay, 2) << Item("OnStart", gsNew, 6));
  QCOMPARE(loaded.Size(), uint8_t(6));
  QCOMPARE(loaded.width(), 150);
  QCOMPARE(loaded.height(), 150);
  QCOMPARE(loaded.State(), gsPlay);
  QCOMPARE(loaded.Count(), uint16_t(6));
  QCOMPARE(loaded.PosX(), uint16_t(3));
  QCOMPARE(loaded.PosY(), uint16_t(2));
  QVERIFY(loaded.Board() == saved.Board());
  QVERIFY2(loaded.Picture() == saved.Picture(), "the loaded board looks different");
}

void TSaveFileTest::hostNotTakingSizeEndsLoad_data()
{
  QTest::addColumn<int>("hostSize");  // what the host's handler sets; 0: nothing
  QTest::addColumn<bool>("handler");
  QTest::newRow("handler leaves the size") << 0 << true;
  QTest::newRow("handler sets another size") << 8 << true;
  QTest::newRow("no handler") << 0 << false;
}

void TSaveFileTest::hostNotTakingSizeEndsLoad()
{
  QFETCH(int, hostSize);
  QFETCH(bool, handler);

  TShortSearchPan saved;
  saved.SetSize(6);
  Play(saved, GameMoves);
  saved.SaveToFile(Path("game.sav"));

  TShortSearchPan loaded;
  loaded.SetSize(10);
  Play(loaded, {{9, 9}, {7, 8}});
  TEventLog log(loaded);
  if (handler)
    log.OnResize = [&] {
      if (hostSize != 0)
        loaded.SetSize(uint8_t(hostSize));
    };
  else
    loaded.OnResize = nullptr;
  // The board as the host leaves it, and the file's size remembered.
  TShortSearchPan reference;
  reference.SetSize(10);
  Play(reference, {{9, 9}, {7, 8}});
  if (hostSize != 0)
    reference.SetSize(uint8_t(hostSize));
  reference.FLoadedSize = 6;
  const TSnapshot expected(reference);

  loaded.LoadFromFile(Path("game.sav"));

  QCOMPARE(log.Items, handler ? QStringList() << Item("OnResize", gsPlay, 2) : QStringList());
  CompareWith(expected, loaded);
}

// A host whose OnStart handler resizes the board (the load's state event)
// gets the board it asked for, whole, rather than the file's cells.
void TSaveFileTest::stateHandlerResizingKeepsBoardWhole()
{
  TShortSearchPan saved;
  saved.SetSize(6);
  Play(saved, GameMoves);
  saved.SaveToFile(Path("game.sav"));

  TShortSearchPan loaded;
  loaded.SetSize(6);
  loaded.OnStart = [&](QObject*) { loaded.SetSize(9); };
  loaded.LoadFromFile(Path("game.sav"));

  QCOMPARE(loaded.Size(), uint8_t(9));
  QCOMPARE(loaded.width(), 225);
  QVERIFY(loaded.Board() == TBoard(9, std::vector<uint16_t>(9)));
  QCOMPARE(loaded.Count(), uint16_t(0));
  loaded.OnStart = nullptr;
  loaded.Paint();
  ClickCell(loaded, QPoint(8, 8));
  QCOMPARE(loaded.Board()[8][8], uint16_t(1));
}

// ---- Which files are saved games ------------------------------------------

void TSaveFileTest::fileLength_data()
{
  QTest::addColumn<int>("length");
  QTest::addColumn<bool>("loads");
  QTest::newRow("empty") << 0 << false;
  QTest::newRow("one byte short") << RecordLength - 1 << false;
  QTest::newRow("one record") << RecordLength << true;
  QTest::newRow("one byte short of two records") << 2 * RecordLength - 1 << true;
  QTest::newRow("two records") << 2 * RecordLength << false;
}

void TSaveFileTest::fileLength()
{
  QFETCH(int, length);
  QFETCH(bool, loads);

  // The first record holds a game in progress, the second a finished game
  // on another board.
  TShortSearchPan first;
  first.SetSize(6);
  Play(first, GameMoves);
  first.Paint();
  first.SaveToFile(Path("first.sav"));
  TShortSearchPan second;
  second.SetSize(7);
  Play(second, {{6, 6}, {4, 5}, {2, 6}});
  second.SetState(gsStop);
  second.SaveToFile(Path("second.sav"));
  const QByteArray both = ReadAll(Path("first.sav")) + ReadAll(Path("second.sav"));
  QCOMPARE(both.size(), 2 * RecordLength);
  QVERIFY(WriteAll(Path("game.sav"), both.left(length)));

  TShortSearchPan loaded;
  loaded.SetSize(6);
  Play(loaded, OtherMoves);
  loaded.FLoadedSize = 42;
  TEventLog log(loaded);
  log.OnResize = [&] { TakeLoadedSize(loaded); };
  const TSnapshot before(loaded);

  loaded.LoadFromFile(Path("game.sav"));

  if (loads) {
    QCOMPARE(log.Items, QStringList() << Item("OnStart", gsPlay, 6));
    QCOMPARE(loaded.LoadedSize(), uint8_t(6));
    QVERIFY(loaded.Board() == first.Board());
    QVERIFY(loaded.Picture() == first.Picture());
  } else {
    QCOMPARE(log.Items, QStringList() << Item("OnWrongFileType", gsPlay, 2));
    CompareWith(before, loaded);
  }
}

void TSaveFileTest::notSavedGame_data()
{
  QTest::addColumn<QString>("kind");
  QTest::addColumn<bool>("handler");
  // Besides files of the wrong length, records no game of this program can
  // have written: sizes the game never offers, the search's own states (no
  // save catches them), more moves than cells, a knight off the board.
  for (const char* kind : {"missing file", "folder", "empty", "one byte short", "two records",
                           "size 0", "size 1", "size 4", "size 101", "size 255", "state 4",
                           "state 5", "state 6", "state 7", "state 255", "count 37",
                           "count 65535", "knight 6 2", "knight 1 6", "knight 65535 0"}) {
    QTest::addRow("%s", kind) << QString::fromLatin1(kind) << true;
    QTest::addRow("%s, no handler", kind) << QString::fromLatin1(kind) << false;
  }
}

// Files that are not saved games are refused whole: the host hears of it
// when it listens, and the board keeps everything, the last loaded size too.
void TSaveFileTest::notSavedGame()
{
  QFETCH(QString, kind);
  QFETCH(bool, handler);

  const QMap<QPair<int, int>, uint16_t> cells = {{{0, 0}, 1}, {{1, 2}, 2}};
  const QByteArray good = MakeRecord(6, cells, 1, 2, 2, gsPlay);
  QString path = Path("game.sav");
  if (kind == "missing file")
    path = Path("nothing.sav");
  else if (kind == "folder")
    QVERIFY(QDir(FDir->path()).mkdir("game.sav"));
  else if (kind == "empty")
    QVERIFY(WriteAll(path, QByteArray()));
  else if (kind == "one byte short")
    QVERIFY(WriteAll(path, good.left(RecordLength - 1)));
  else if (kind == "two records")
    QVERIFY(WriteAll(path, good + good));
  else if (kind.startsWith("size "))
    QVERIFY(WriteAll(path, MakeRecord(kind.mid(5).toInt(), cells, 1, 2, 2, gsPlay)));
  else if (kind.startsWith("state "))
    QVERIFY(WriteAll(path, MakeRecord(6, cells, 1, 2, 2, kind.mid(6).toInt())));
  else if (kind.startsWith("count "))
    QVERIFY(WriteAll(path, MakeRecord(6, cells, 1, 2, kind.mid(6).toInt(), gsStop)));
  else if (kind.startsWith("knight "))
    QVERIFY(WriteAll(path, MakeRecord(6, cells, kind.section(' ', 1, 1).toInt(),
                                      kind.section(' ', 2, 2).toInt(), 2, gsPlay)));
  else
    QFAIL("unknown kind");

  ExpectRefusedWhole(path, handler);
}

void TSaveFileTest::contradictoryRecord_data()
{
  QTest::addColumn<QByteArray>("record");
  using TCells = QMap<QPair<int, int>, uint16_t>;
  const TCells walk = {{{0, 0}, 1}, {{1, 2}, 2}, {{2, 4}, 3}};
  const auto with = [&walk](const TCells& more) {
    TCells cells = walk;
    for (auto it = more.begin(); it != more.end(); ++it)
      cells[it.key()] = it.value();
    return cells;
  };
  TCells filled;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 100; ++y)
      filled[{x, y}] = 0xFFFF;

  QTest::newRow("no move, numbered cells") << MakeRecord(6, walk, 0, 0, 0, gsPlay);
  QTest::newRow("no move, numbered cells, another size") << MakeRecord(7, walk, 0, 0, 0, gsStop);
  QTest::newRow("every move counted, only the knight's cell numbered")
      << MakeRecord(6, {{{2, 4}, 36}}, 2, 4, 36, gsPlay);
  QTest::newRow("move 2 missing") << MakeRecord(6, with({{{1, 2}, 0}}), 2, 4, 3, gsPlay);
  QTest::newRow("move 2 twice") << MakeRecord(6, with({{{3, 0}, 2}}), 2, 4, 3, gsPlay);
  QTest::newRow("a number above the count") << MakeRecord(6, with({{{5, 5}, 4}}), 2, 4, 3, gsStop);
  QTest::newRow("moves 2 and 3 not a jump apart")
      << MakeRecord(6, with({{{2, 4}, 0}, {{2, 3}, 3}}), 2, 3, 3, gsPlay);
  QTest::newRow("knight on an earlier move") << MakeRecord(6, walk, 1, 2, 3, gsPlay);
  QTest::newRow("knight on a free cell") << MakeRecord(6, walk, 5, 5, 3, gsStop);
  QTest::newRow("every cell 0xFFFF") << MakeRecord(6, filled, 2, 4, 3, gsPlay);
  QTest::newRow("cleared board holding moves") << MakeRecord(6, walk, 2, 4, 3, gsNew);
}

// A record whose cells are no game of its header is refused like a damaged
// file.
void TSaveFileTest::contradictoryRecord()
{
  QFETCH(QByteArray, record);
  QVERIFY(WriteAll(Path("game.sav"), record));
  ExpectRefusedWhole(Path("game.sav"), true);
}

void TSaveFileTest::ExpectRefusedWhole(const QString& path, bool handler)
{
  TShortSearchPan loaded;
  loaded.SetSize(6);
  Play(loaded, OtherMoves);
  loaded.FLoadedSize = 9;
  TEventLog log(loaded);
  log.OnResize = [&] { TakeLoadedSize(loaded); };
  if (!handler)
    loaded.OnWrongFileType = nullptr;
  const TSnapshot before(loaded);

  loaded.LoadFromFile(path);

  QCOMPARE(log.Items,
           handler ? QStringList() << Item("OnWrongFileType", gsPlay, 2) : QStringList());
  CompareWith(before, loaded);
}

void TSaveFileTest::readOnlyFileLoads()
{
  TShortSearchPan saved;
  saved.SetSize(6);
  Play(saved, GameMoves);
  saved.SaveToFile(Path("game.sav"));
  QVERIFY(QFile::setPermissions(Path("game.sav"), QFile::ReadOwner | QFile::ReadGroup |
                                                      QFile::ReadOther));
  {
    QFile probe(Path("game.sav"));
    if (probe.open(QIODevice::ReadWrite))
      qInfo("these rights write read-only files too: the file is not read-only for this run");
  }

  TShortSearchPan loaded;
  loaded.SetSize(6);
  TEventLog log(loaded);
  loaded.LoadFromFile(Path("game.sav"));

  QCOMPARE(log.Items, QStringList() << Item("OnStart", gsNew, 6));
  QVERIFY(loaded.Board() == saved.Board());
  QCOMPARE(loaded.State(), gsPlay);
  // Reading did not change the file.
  QCOMPARE(QFileInfo(Path("game.sav")).size(), qint64(RecordLength));
}

void TSaveFileTest::fixedFieldsIgnored()
{
  TShortSearchPan saved;
  saved.SetSize(6);
  Play(saved, GameMoves);
  saved.SetState(gsStop);
  saved.Paint();
  saved.SaveToFile(Path("game.sav"));
  QByteArray bytes = ReadAll(Path("game.sav"));
  QCOMPARE(bytes.size(), RecordLength);
  // The fixed fields, the padding and the cells outside the board.
  for (int at : {1, 20008, 20009, 20010, 20011, 20012, 20013, 20015})
    bytes[at] = char(0xA5 ^ at);
  Put16(bytes, 2 + 200 * 6, 0x5555);      // cell (6,0)
  Put16(bytes, 2 + 200 * 0 + 2 * 6, 77);  // cell (0,6)
  Put16(bytes, 2 + 200 * 99 + 2 * 99, 0xFFFF);
  QVERIFY(WriteAll(Path("changed.sav"), bytes));

  TShortSearchPan loaded;
  loaded.SetSize(6);
  TEventLog log(loaded);
  loaded.LoadFromFile(Path("changed.sav"));

  QCOMPARE(log.Items, QStringList() << Item("OnStop", gsNew, 6));
  QCOMPARE(loaded.State(), gsStop);
  QCOMPARE(loaded.Count(), uint16_t(6));
  QVERIFY(loaded.Board() == saved.Board());
  QVERIFY(loaded.Picture() == saved.Picture());
}

void TSaveFileTest::boundaryRecordsLoad_data()
{
  QTest::addColumn<int>("size");
  QTest::addColumn<QVector<QPoint>>("walk");  // the numbered cells, in order
  QTest::addColumn<QPoint>("knight");
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("event");
  QTest::addColumn<int>("loadedState");

  const QVector<QPoint> tour = TWalkFinder(5, true).Find();
  const QVector<QPoint> walk = {{0, 0}, {1, 2}, {2, 4}, {4, 3}};
  QTest::newRow("smallest board, every cell taken")
      << 5 << tour << tour.last() << int(gsStop) << "OnStop" << int(gsStop);
  QTest::newRow("game in progress") << 5 << walk << walk.last() << int(gsPlay) << "OnStart"
                                    << int(gsPlay);
  QTest::newRow("replay") << 5 << walk << walk.last() << int(gsShow) << "OnStart" << int(gsPlay);
  QTest::newRow("knight in the far corner")
      << 6 << QVector<QPoint>{{3, 4}, {5, 5}} << QPoint(5, 5) << int(gsPlay) << "OnStart"
      << int(gsPlay);
  // A cleared board keeps the knight fields of a larger board's game; with
  // no move made they are not used.
  QTest::newRow("cleared board, knight off it")
      << 5 << QVector<QPoint>() << QPoint(11, 300) << int(gsNew) << "" << int(gsNew);
}

// Records this game writes, at the edges of what a saved game may hold.
void TSaveFileTest::boundaryRecordsLoad()
{
  QFETCH(int, size);
  QFETCH(QVector<QPoint>, walk);
  QFETCH(QPoint, knight);
  QFETCH(int, state);
  QFETCH(QString, event);
  QFETCH(int, loadedState);

  QMap<QPair<int, int>, uint16_t> cells;
  for (int k = 0; k < walk.size(); ++k)
    cells[{walk[k].x(), walk[k].y()}] = uint16_t(k + 1);
  QVERIFY(WriteAll(Path("edge.sav"), MakeRecord(size, cells, uint16_t(knight.x()),
                                                uint16_t(knight.y()), uint16_t(walk.size()),
                                                state)));
  TShortSearchPan loaded;
  loaded.SetSize(uint8_t(size));
  TEventLog log(loaded);
  loaded.LoadFromFile(Path("edge.sav"));

  QCOMPARE(log.Items, event.isEmpty() ? QStringList()
                                      : QStringList() << Item(event.toLatin1().constData(),
                                                              gsNew, int(walk.size())));
  QCOMPARE(int(loaded.State()), loadedState);
  QCOMPARE(int(loaded.Count()), int(walk.size()));
  QCOMPARE(QPoint(loaded.PosX(), loaded.PosY()), knight);
  QCOMPARE(loaded.LoadedSize(), uint8_t(size));
  TBoard expected = EmptyBoard(size);
  for (int k = 0; k < walk.size(); ++k)
    expected[walk[k].x()][walk[k].y()] = uint16_t(k + 1);
  QVERIFY(Square(loaded.Board(), size) == expected);
}

// ---- Damaged records --------------------------------------------------------

// Records of the right length with a usable size and anything else at random:
// loading, painting, clicking and the solve commands must stay inside the
// tables whatever the numbers say (run under AddressSanitizer to see it).
void TSaveFileTest::randomRecordsAreSafe()
{
  QRandomGenerator random(7321);
  TShortSearchPan pan;
  TEventLog log(pan);
  log.OnResize = [&] { TakeLoadedSize(pan); };
  int loadedRecords = 0;
  int refusedRecords = 0;

  for (int round = 0; round < 200; ++round) {
    const int size = 5 + random.bounded(96);
    QByteArray bytes(RecordLength, '\0');
    for (int i = 0; i < RecordLength; ++i)
      bytes[i] = char(random.bounded(256));
    bytes[0] = char(size);
    // The cells: random words, a sparse walk-like scatter, nothing, or a
    // knight's walk at random.
    const int cellMode = random.bounded(5);
    for (int x = 0; x < 100; ++x)
      for (int y = 0; y < 100; ++y) {
        uint16_t v = 0;
        if (cellMode == 0)
          v = uint16_t(random.bounded(65536));
        else if (cellMode == 1 && random.bounded(4) == 0)
          v = uint16_t(1 + random.bounded(size * size + 3));
        Put16(bytes, 2 + 200 * x + 2 * y, v);
      }
    // The knight anywhere, or on or just beside the board.
    const bool near = random.bounded(2) == 0;
    uint16_t posX = uint16_t(near ? random.bounded(size + 4) : random.bounded(65536));
    uint16_t posY = uint16_t(near ? random.bounded(size + 4) : random.bounded(65536));
    uint16_t count = 0;
    switch (random.bounded(3)) {
      case 0: count = uint16_t(random.bounded(65536)); break;
      case 1: count = uint16_t(random.bounded(size * size + 3)); break;
      default: break;
    }
    if (cellMode >= 3) {
      // Random jumps to free cells until none is left, or the walk is long
      // enough; the header tells the walk.
      TBoard walk = EmptyBoard(size);
      QPoint at(random.bounded(size), random.bounded(size));
      const int length = 1 + random.bounded(300);
      for (count = 1;; ++count) {
        walk[at.x()][at.y()] = count;
        QVector<QPoint> free;
        for (const TKnightMove& m : KnightMoves) {
          const QPoint to = at + QPoint(m.dx, m.dy);
          if (OnBoard(to.x(), to.y(), size) && walk[to.x()][to.y()] == 0)
            free << to;
        }
        if (free.isEmpty() || count == length)
          break;
        at = free[random.bounded(int(free.size()))];
      }
      for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
          Put16(bytes, 2 + 200 * x + 2 * y, walk[x][y]);
      posX = uint16_t(at.x());
      posY = uint16_t(at.y());
    }
    const int state = random.bounded(4) != 0 ? random.bounded(4) : random.bounded(256);
    Put16(bytes, 20002, posX);
    Put16(bytes, 20004, posY);
    Put16(bytes, 20006, count);
    bytes[20014] = char(state);
    const QString path = Path(QStringLiteral("random%1.sav").arg(round));
    QVERIFY(WriteAll(path, bytes));

    const QString where = QStringLiteral("record %1: size %2, state %3, knight (%4,%5), count %6")
                              .arg(round)
                              .arg(size)
                              .arg(state)
                              .arg(posX)
                              .arg(posY)
                              .arg(count);
    const TSnapshot before(pan);
    log.Items.clear();
    pan.LoadFromFile(path);

    if (log.Items.value(0).startsWith(QLatin1String("OnWrongFileType"))) {
      // Refused whole.
      ++refusedRecords;
      QVERIFY2(log.Items.size() == 1, qPrintable(where + ": " + log.Items.join("; ")));
      CompareWith(before, pan);
      if (QTest::currentTestFailed())
        QFAIL(qPrintable(where));
    } else {
      // Taken whole, and a game this program could have saved.
      ++loadedRecords;
      QVERIFY2(pan.Size() == size, qPrintable(where));
      QVERIFY2(pan.LoadedSize() == size, qPrintable(where));
      QVERIFY2(int(pan.State()) == (state == gsShow ? int(gsPlay) : state), qPrintable(where));
      QVERIFY2(pan.Count() == (state == gsNew ? 0 : count), qPrintable(where));
      QVERIFY2(pan.PosX() == posX && pan.PosY() == posY, qPrintable(where));
      QVERIFY2(pan.Count() <= size * size, qPrintable(where));
      QVERIFY2(pan.Count() == 0 || (posX < size && posY < size), qPrintable(where));
      bool same = true;
      for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
          same = same && pan.Board()[x][y] ==
                             uint16_t(uchar(bytes[2 + 200 * x + 2 * y]) |
                                      uchar(bytes[3 + 200 * x + 2 * y]) << 8);
      QVERIFY2(same, qPrintable(where + ": cells differ from the record"));
    }

    // What a player and the solve commands may do next.
    pan.Paint();
    const int side = pan.Size() * pan.SizeOfCell();
    for (int click = 0; click < 6; ++click)
      pan.MouseDown(Qt::LeftButton, Qt::NoModifier, random.bounded(side + 80) - 40,
                    random.bounded(side + 80) - 40);
    pan.WalksBeforeBest = 1 + random.bounded(3);
    pan.Hint();
    pan.ShowNextMove();
    pan.Paint();
    QVERIFY2(pan.State() == gsPlay, qPrintable(where + ": a hint leaves a game in progress"));
    QVERIFY2(BoardCovers(pan.Board(), pan.Size()), qPrintable(where));
  }
  // Both branches were taken often enough to mean something.
  QVERIFY(loadedRecords > 40);
  QVERIFY(refusedRecords > 20);
}

VILTRON_TEST_MAIN(TSaveFileTest)
#include "test_savefile.moc"
