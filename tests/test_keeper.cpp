// "Запоминать игру": two starts of the game's windows sharing one set of
// per-user folders, which this suite makes for itself before the application
// starts, so that nothing reaches another test or the user's own folders.

#include <QAction>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "BoardTestKit.h"
#include "BoxAnswerer.h"
#include "board/SaveRecord.h"
#include "main/GameWindows.h"
#include "platform/Application.h"
#include "platform/Translation.h"

namespace {

QTemporaryDir* Home = nullptr;

// Every file of the game's under the suite's per-user folders: Qt's file
// dialog keeps its own history in QtProject.conf, as in every Qt program.
QStringList FilesWritten()
{
  QStringList files;
  QDirIterator it(Home->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext())
    if (const QString file = it.next(); QFileInfo(file).fileName() != "QtProject.conf")
      files << file.mid(Home->path().size());
  return files;
}

void ClearHome()
{
  QDir(Home->path()).removeRecursively();
  QDir().mkpath(Home->path());
}

// Five knight's moves on 8 x 8, from a corner.
const QVector<QPoint> FiveMoves{{0, 0}, {1, 2}, {2, 4}, {3, 6}, {5, 7}};

void Press(TMainForm& form, QPoint cell)
{
  const int w = form.Game->SizeOfCell();
  QTest::mouseClick(form.Game, Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.x() * w + 5, cell.y() * w + 5));
}

// A first start: the option as asked, five moves of which two are taken
// back, the sound off.
void PlayAndLeave(bool remember)
{
  TGameWindows windows;
  TMainForm& form = windows.MainForm;
  windows.Show();
  form.Remember1->setChecked(remember);
  for (const QPoint& c : FiveMoves)
    Press(form, c);
  form.Game->TakeBack();
  form.Game->TakeBack();
  form.Sound1->setChecked(false);
  form.move(30, 40);
}

}  // namespace

class TKeeperTest : public QObject {
  Q_OBJECT

private slots:
  void init() { ClearHome(); }
  void optionOffWritesNothing();
  void optionOnBringsItBack();
  void damagedStoreStartsNew_data();
  void damagedStoreStartsNew();
  void turningOffEmptiesTheFolders();
  void unwritablePlaceSaidOnce();
};

void TKeeperTest::optionOffWritesNothing()
{
  PlayAndLeave(false);
  QCOMPARE(FilesWritten(), QStringList());
  TGameWindows windows;
  QCOMPARE(windows.MainForm.Game->State(), gsNew);
  QVERIFY(windows.MainForm.Sound1->isChecked());
  QVERIFY(!windows.MainForm.Remember1->isChecked());
}

void TKeeperTest::optionOnBringsItBack()
{
  PlayAndLeave(true);
  // The kept game is an ordinary saved game.
  const auto record = std::make_unique<TSaveRecord>();
  QVERIFY(ReadSaveRecord(QFile::encodeName(TGameKeeper::GameFile()).toStdString(), *record));
  QVERIFY(IsUsableSaveRecord(*record));
  QCOMPARE(record->Count, 3);

  TBoxAnswerer answerer;
  TGameWindows windows;
  TMainForm& form = windows.MainForm;
  windows.Show();
  QVERIFY(form.Remember1->isChecked());
  QVERIFY(!form.Sound1->isChecked());
  QVERIFY(form.ShowErrors1->isChecked());
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 3);
  QCOMPARE(form.Button1->text(), QStringLiteral("Сдаться"));
  QCOMPARE(form.pos(), QPoint(30, 40));
  // The moves taken back can be played again, and are those moves.
  const QVector<QPoint> walk = FiveMoves;
  QVERIFY(form.Redo1->isEnabled());
  form.Redo1->trigger();
  form.Redo1->trigger();
  QCOMPARE(form.Game->Count(), 5);
  QCOMPARE(QPoint(form.Game->PosX(), form.Game->PosY()), walk[4]);
  QVERIFY(!form.Redo1->isEnabled());
  QCOMPARE(answerer.Count(), 0);
}

void TKeeperTest::damagedStoreStartsNew_data()
{
  QTest::addColumn<QString>("damage");
  QTest::addColumn<int>("count");  // of the game that comes back
  QTest::addColumn<bool>("redo");
  QTest::newRow("nothing damaged") << "" << 3 << true;
  QTest::newRow("game cut short") << "short" << 0 << false;
  QTest::newRow("game contradicts itself") << "cells" << 0 << false;
  QTest::newRow("game missing") << "missing" << 0 << false;
  QTest::newRow("game unreadable") << "folder" << 0 << false;
  QTest::newRow("settings of another version") << "version" << 0 << false;
  QTest::newRow("moves again for another game") << "redo" << 3 << false;
  QTest::newRow("moves again not moves") << "garbage" << 3 << false;
  QTest::newRow("board larger than the screen") << "large" << 0 << false;
}

void TKeeperTest::damagedStoreStartsNew()
{
  QFETCH(QString, damage);
  QFETCH(int, count);
  QFETCH(bool, redo);
  PlayAndLeave(true);
  const QString game = TGameKeeper::GameFile();
  {
    QSettings settings(QStringLiteral("viltron"), QStringLiteral("viltron"));
    if (damage == QLatin1String("short")) {
      QFile file(game);
      QVERIFY(file.open(QIODevice::ReadWrite));
      QVERIFY(file.resize(20000));
    } else if (damage == QLatin1String("cells")) {
      QFile file(game);
      QVERIFY(file.open(QIODevice::ReadWrite));
      // The count says 9 moves where 3 are on the board.
      QVERIFY(file.seek(SaveCountAt));
      QVERIFY(file.putChar(9));
    } else if (damage == QLatin1String("missing")) {
      QVERIFY(QFile::remove(game));
    } else if (damage == QLatin1String("folder")) {
      QVERIFY(QFile::remove(game));
      QVERIFY(QDir().mkpath(game));
    } else if (damage == QLatin1String("version")) {
      settings.setValue(QStringLiteral("Version"), 2);
    } else if (damage == QLatin1String("redo")) {
      settings.setValue(QStringLiteral("RedoAt"), QStringLiteral("2 0 0"));
    } else if (damage == QLatin1String("large")) {
      // A game of 100 x 100 cells, which the 800 x 800 test screen cannot show.
      const auto big = std::make_unique<TSaveRecord>();
      big->Size = 100;
      big->State = gsNew;
      QVERIFY(WriteSaveRecord(QFile::encodeName(game).toStdString(), *big));
    } else if (damage == QLatin1String("garbage")) {
      settings.setValue(QStringLiteral("Redo"), QStringLiteral("1,x 99999,3"));
    }
  }

  TBoxAnswerer answerer;
  QElapsedTimer started;
  started.start();
  TGameWindows windows;
  windows.Show();
  QVERIFY(started.elapsed() < 5000);
  QCOMPARE(int(windows.MainForm.Game->Count()), count);
  QCOMPARE(windows.MainForm.Game->State(), count != 0 ? gsPlay : gsNew);
  QCOMPARE(windows.MainForm.Redo1->isEnabled(), redo);
  QTest::qWait(50);
  QCOMPARE(answerer.Count(), 0);
  if (damage == QLatin1String("large")) {
    // Passed over, not lost: a start on a larger screen still finds it.
    windows.Keeper.Write();
    const auto kept = std::make_unique<TSaveRecord>();
    QVERIFY(ReadSaveRecord(QFile::encodeName(game).toStdString(), *kept));
    QCOMPARE(int(kept->Size), 100);
  }
}

void TKeeperTest::turningOffEmptiesTheFolders()
{
  PlayAndLeave(true);
  QVERIFY(!FilesWritten().isEmpty());
  {
    TBoxAnswerer answerer;
    TGameWindows windows;
    QVERIFY(windows.MainForm.Remember1->isChecked());
    windows.MainForm.Remember1->setChecked(false);
    QCOMPARE(FilesWritten(), QStringList());
    // A move after it is not written either.
    Press(windows.MainForm, FiveMoves[3]);
    QCOMPARE(windows.MainForm.Game->Count(), 4);
  }
  QCOMPARE(FilesWritten(), QStringList());
  // The game's own folders are gone too.
  QVERIFY(!QFileInfo::exists(QFileInfo(TGameKeeper::GameFile()).path()));
  QVERIFY(!QFileInfo::exists(QFileInfo(TGameKeeper::SettingsFile()).path()));
}

void TKeeperTest::unwritablePlaceSaidOnce()
{
  // A file where the game's data folder would be: nothing can be written there.
  QVERIFY(QDir().mkpath(QFileInfo(QFileInfo(TGameKeeper::GameFile()).path()).path()));
  QFile blocker(QFileInfo(TGameKeeper::GameFile()).path());
  QVERIFY(blocker.open(QIODevice::WriteOnly));
  blocker.close();

  TBoxAnswerer answerer;
  TGameWindows windows;
  TMainForm& form = windows.MainForm;
  form.Remember1->setChecked(true);
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Title, QStringLiteral("Warning"));
  // The game goes on, and is not said again.
  for (const QPoint& c : FiveMoves.mid(0, 3))
    Press(form, c);
  QTest::qWait(TGameKeeper::WriteDelay + 500);
  QCOMPARE(form.Game->Count(), 3);
  QCOMPARE(answerer.Count(), 1);
}

int main(int argc, char** argv)
{
  // The per-user folders, before Qt looks at any of them.
  QTemporaryDir home;
  QTemporaryDir elsewhere;  // caches and sockets, which are not the game's
  Home = &home;
  const QByteArray root = home.path().toLocal8Bit();
  qputenv("HOME", root);
  qputenv("XDG_CONFIG_HOME", root + "/config");
  qputenv("XDG_DATA_HOME", root + "/data");
  qputenv("XDG_STATE_HOME", root + "/state");
  qputenv("XDG_CACHE_HOME", elsewhere.path().toLocal8Bit() + "/cache");
  qputenv("XDG_RUNTIME_DIR", elsewhere.path().toLocal8Bit());
  TApplication app(argc, argv);
  UseLanguage(QStringLiteral("ru"));
  app.setAttribute(Qt::AA_Use96Dpi, true);
  TKeeperTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "test_keeper.moc"
