// Damaged saved games, loaded by the thousand into one board: records cut
// short, extended, with bits flipped and fields overwritten. Built with
// AddressSanitizer and UndefinedBehaviorSanitizer, so any read or write out of
// bounds ends the run. After every load the board is one a game can have:
// 5 to 100 cells a side, its moves numbered 1 to the count each on one cell,
// each a knight's jump from the one before, the knight on the last and every
// other cell free; and a refused file changes nothing.
//
// The run is seeded; VILTRON_FUZZ_SEED and VILTRON_FUZZ_ROUNDS choose others.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <random>
#include <utility>
#include <vector>

#include "FileTestKit.h"
#include "WalkCheck.h"
#include "board/BoardModel.h"
#include "board/SaveRecord.h"

namespace {

// A board of the game without its window. Its host takes the size a file
// asks for, whatever it is, as the main window does.
class TLoadingBoard : public TOpenModel {
public:
  bool Refused = false;

  // A walk from a corner of at most `moves` moves, each step the model's
  // greedy one; then the state.
  void Walk(int n, int moves, TGameState state)
  {
    ResizeBoard(uint8_t(n));
    ClearBoard();
    BuildWeights();
    PutKnight(0, 0);
    while (FCount < moves && !IsDeadEnd(FPosX, FPosY))
      GreedyStep();
    FState = state;
  }

protected:
  void LoadRefused() override { Refused = true; }
  void LoadAsksSize() override
  {
    ResizeBoard(FLoadedSize);
    ClearBoard();
    FState = gsNew;
  }
};

// Everything a load may change.
struct TSeen {
  explicit TSeen(const TLoadingBoard& b)
      : Size(b.Size()), State(b.State()), Count(b.Count()), PosX(b.PosX()), PosY(b.PosY()),
        LoadedSize(b.LoadedSize()), Board(b.Board())
  {
  }
  bool operator==(const TSeen&) const = default;

  int Size, State, Count, PosX, PosY, LoadedSize;
  TBoard Board;
};

// What is wrong with a board after a load, or nothing.
QString BrokenInvariant(const TLoadingBoard& b)
{
  const int n = b.Size();
  if (n < SaveRecordMinSize || n > SaveRecordMaxSize)
    return QStringLiteral("size %1").arg(n);
  if (!BoardCovers(b.Board(), n))
    return QStringLiteral("the cells do not cover the board");
  if (b.Count() > n * n)
    return QStringLiteral("%1 moves on %2 cells").arg(b.Count()).arg(n * n);
  if (b.Count() != 0 && (b.PosX() >= n || b.PosY() >= n))
    return QStringLiteral("knight at (%1,%2)").arg(b.PosX()).arg(b.PosY());
  if (b.State() > gsNew)
    return QStringLiteral("state %1").arg(int(b.State()));
  return GameFault(b, b.Count());
}

}  // namespace

class TLoadFuzzTest : public QObject {
  Q_OBJECT

private slots:
  void damagedRecords();
};

void TLoadFuzzTest::damagedRecords()
{
  const uint32_t seed = qEnvironmentVariableIsSet("VILTRON_FUZZ_SEED")
                            ? qEnvironmentVariableIntValue("VILTRON_FUZZ_SEED")
                            : 20261209u;
  const int rounds = qEnvironmentVariableIsSet("VILTRON_FUZZ_ROUNDS")
                         ? qEnvironmentVariableIntValue("VILTRON_FUZZ_ROUNDS")
                         : 20000;
  qInfo("seed %u, %d rounds", seed, rounds);
  std::mt19937 random(seed);
  auto below = [&random](int n) { return int(random() % uint32_t(n)); };

  // The files live in memory where the system offers a folder for it: the
  // run rewrites the file thousands of times.
  const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
  QTemporaryDir dir((inMemory ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                    QStringLiteral("/test_loadfuzz-XXXXXX"));
  QVERIFY(dir.isValid());

  // Sound games of several sizes and states, as this program writes them.
  QVector<QByteArray> sound;
  struct TGame {
    int Size, Moves;
    TGameState State;
  };
  for (const TGame& g : {TGame{5, 25, gsStop}, TGame{6, 10, gsPlay}, TGame{8, 64, gsShow},
                         TGame{13, 100, gsPlay}, TGame{100, 10000, gsStop},
                         TGame{100, 3, gsPlay}, TGame{7, 0, gsNew}}) {
    TLoadingBoard game;
    game.Walk(g.Size, g.Moves, g.State);
    if (g.State == gsNew)
      game.ClearBoard();
    const QString path = dir.filePath(QStringLiteral("sound.sav"));
    QVERIFY(game.SaveGame(path.toStdString()));
    sound << ReadAll(path);
    QCOMPARE(sound.last().size(), SaveRecordBytes);
  }

  const QString path = dir.filePath(QStringLiteral("damaged.sav"));
  const std::string name = path.toStdString();
  TLoadingBoard board;
  int loaded = 0;
  int refused = 0;
  for (int round = 0; round < rounds; ++round) {
    const QByteArray& base = sound[below(sound.size())];
    QByteArray bytes = base;
    const int kind = below(6);
    switch (kind) {
      case 0:  // cut short
        bytes.truncate(below(SaveRecordBytes));
        break;
      case 1:  // extended, on both sides of two whole records
        for (int i = 1 + below(25000); i > 0; --i)
          bytes.append(char(random()));
        break;
      case 2:  // bits flipped anywhere
        for (int i = 1 + below(16); i > 0; --i)
          bytes[below(bytes.size())] ^= char(1 << below(8));
        break;
      case 5: {  // cells of the board given other numbers, or swapped
        const int n = uint8_t(base[SaveSizeAt]);
        const auto cell = [&] { return SaveCellsAt + 200 * below(n) + 2 * below(n); };
        for (int i = 1 + below(3); i > 0; --i) {
          const int at = cell();
          if (below(2) == 0) {
            const int value = below(n * n + 2);
            bytes[at] = char(value & 0xFF);
            bytes[at + 1] = char(value >> 8);
          } else {
            const int other = cell();
            std::swap(bytes[at], bytes[other]);
            std::swap(bytes[at + 1], bytes[other + 1]);
          }
        }
        break;
      }
      default: {  // the fields outside the cells: bits flipped, or bytes of any value
        static const int fields[] = {SaveSizeAt,      SavePosXAt,     SavePosXAt + 1,
                                     SavePosYAt,      SavePosYAt + 1, SaveCountAt,
                                     SaveCountAt + 1, SaveStateAt};
        for (int i = 1 + below(3); i > 0; --i) {
          char& byte = bytes[fields[below(8)]];
          byte = kind == 3 ? char(byte ^ (1 << below(8))) : char(random());
        }
        break;
      }
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
    file.close();

    const TSeen before(board);
    board.Refused = false;
    board.LoadGame(name);
    const QString where = QStringLiteral("seed %1, round %2, change %3, %4 bytes: ")
                              .arg(seed)
                              .arg(round)
                              .arg(kind)
                              .arg(bytes.size());
    const QString broken = BrokenInvariant(board);
    QVERIFY2(broken.isEmpty(), qPrintable(where + broken));
    if (board.Refused) {
      ++refused;
      QVERIFY2(TSeen(board) == before, qPrintable(where + "a refused file changed the board"));
    } else {
      ++loaded;
      const bool oneRecord = bytes.size() >= SaveRecordBytes && bytes.size() < 2 * SaveRecordBytes;
      QVERIFY2(oneRecord, qPrintable(where + "a file of the wrong length was loaded"));
    }
    // A record only extended within one record's length is the sound game.
    if (kind == 1 && bytes.size() < 2 * SaveRecordBytes)
      QVERIFY2(!board.Refused && board.Size() == uint8_t(base[0]),
               qPrintable(where + "a sound game was refused"));

    // The game goes on: the knight's next jump, when it has one.
    if (board.Count() != 0 && board.State() == gsPlay &&
        !board.IsDeadEnd(board.PosX(), board.PosY())) {
      board.BuildWeights();
      board.GreedyStep();
    }
  }
  qInfo("%d loaded, %d refused", loaded, refused);
  QVERIFY(loaded > rounds / 10);
  QVERIFY(refused > rounds / 10);
}

QTEST_APPLESS_MAIN(TLoadFuzzTest)
#include "test_loadfuzz.moc"
