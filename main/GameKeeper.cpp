#include "main/GameKeeper.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <memory>

#include "board/SaveRecord.h"
#include "main/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

namespace {

const QString Owner = QStringLiteral("viltron");
const QString Program = QStringLiteral("viltron");
// What a settings file of another layout says it is: ignored.
constexpr int Version = 1;

const QString KeyOn = QStringLiteral("RememberGame");
const QString KeyVersion = QStringLiteral("Version");
const QString KeyShowErrors = QStringLiteral("ShowErrors");
const QString KeySound = QStringLiteral("Sound");
const QString KeyWindow = QStringLiteral("Window");
// The moves to play again, the next one last, and the game they follow:
// "count x y" of the knight when they were written.
const QString KeyRedo = QStringLiteral("Redo");
const QString KeyRedoAt = QStringLiteral("RedoAt");

std::string LocalName(const QString& name)
{
  return QFile::encodeName(name).toStdString();
}

// A file on every system: Windows' registry settings would make their key at
// the first read, and a game that keeps nothing must write nothing.
#ifdef Q_OS_WIN
constexpr QSettings::Format SettingsFormat = QSettings::IniFormat;
#else
constexpr QSettings::Format SettingsFormat = QSettings::NativeFormat;
#endif

bool Steady(TGameState state)
{
  return state == gsNew || state == gsPlay || state == gsStop;
}

QString RedoAt(const TViltronPan& game)
{
  return QStringLiteral("%1 %2 %3").arg(game.Count()).arg(game.PosX()).arg(game.PosY());
}

}  // namespace

QString TGameKeeper::GameFile()
{
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/viltron/game.sav");
}

QString TGameKeeper::SettingsFile()
{
  return QSettings(SettingsFormat, QSettings::UserScope, Owner, Program).fileName();
}

TGameKeeper::TGameKeeper(TMainForm& form) : FForm(form)
{
  FTimer.setSingleShot(true);
  FTimer.setInterval(WriteDelay);
  connect(&FTimer, &QTimer::timeout, this, [this] { WriteNow(true); });
  Restore();
  FSteady = FForm.Game->State();
  connect(FForm.Game, &TViltronPan::GameChanged, this, [this] { GameChanged(); });
  connect(FForm.Remember1, &QAction::toggled, this, [this](bool on) { Toggled(on); });
  for (QAction* option : {FForm.ShowErrors1, FForm.Sound1})
    connect(option, &QAction::toggled, this, [this] { GameChanged(); });
}

TGameKeeper::~TGameKeeper()
{
  if (On())
    WriteNow(false);
}

bool TGameKeeper::On() const
{
  return FForm.Remember1->isChecked();
}

void TGameKeeper::Restore()
{
  const QSettings settings(SettingsFormat, QSettings::UserScope, Owner, Program);
  if (settings.status() != QSettings::NoError || !settings.value(KeyOn).toBool() ||
      settings.value(KeyVersion).toInt() != Version)
    return;
  FForm.Remember1->setChecked(true);
  FForm.ShowErrors1->setChecked(settings.value(KeyShowErrors, true).toBool());
  FForm.Sound1->setChecked(settings.value(KeySound, true).toBool());
  FHasPlace = settings.value(KeyWindow).canConvert<QPoint>();
  FPlace = settings.value(KeyWindow).toPoint();

  // The same check as a load, made first so that a damaged game shows no box.
  const auto record = std::make_unique<TSaveRecord>();
  if (!ReadSaveRecord(LocalName(GameFile()), *record) || !IsUsableSaveRecord(*record))
    return;
  // A board the screen has become too small for stays behind, without the
  // box a load would show.
  const int grow = (std::max<int>(record->Size, 8) - std::max<int>(FForm.Game->Size(), 8)) *
                   FForm.Game->SizeOfCell();
  if (!FForm.WindowFits(grow)) {
    // Kept until the player plays here: a larger screen brings it back.
    FHoldGame = true;
    return;
  }
  FForm.Game->LoadFromFile(GameFile());
  if (FForm.Game->Size() == record->Size)
    RestoreRedo(settings);
}

void TGameKeeper::RestoreRedo(const QSettings& settings)
{
  TViltronPan& game = *FForm.Game;
  if (settings.value(KeyRedoAt).toString() != RedoAt(game))
    return;
  std::vector<TViltronPan::TCell> moves;
  const QStringList cells = settings.value(KeyRedo).toString().split(u' ', Qt::SkipEmptyParts);
  for (const QString& cell : cells) {
    const QStringList xy = cell.split(u',');
    bool xOk = false;
    bool yOk = false;
    const uint x = xy.value(0).toUInt(&xOk);
    const uint y = xy.value(1).toUInt(&yOk);
    if (xy.size() != 2 || !xOk || !yOk || x > 0xFFFF || y > 0xFFFF)
      return;
    moves.push_back({static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
  }
  game.AcceptRedo(std::move(moves));
  FForm.UpdateHistoryItems();
}

void TGameKeeper::PlaceWindow()
{
  if (!FHasPlace)
    return;
  // The title bar's start must be on a screen of today's desktop.
  const QRect title(FPlace, QSize(std::min(100, FForm.frameGeometry().width()), 30));
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().contains(title)) {
      FForm.move(FPlace);
      KeepOnScreen(&FForm);
      return;
    }
}

void TGameKeeper::GameChanged()
{
  FHoldGame = false;
  const TGameState state = FForm.Game->State();
  // A search starts on the board as it stands: written now, with the state
  // the game had, before the search's walks fill the board.
  if (state == gsThink && FTimer.isActive() && On())
    WriteNow(false);
  if (Steady(state))
    FSteady = state;
  if (On() && !FTimer.isActive())
    FTimer.start();
}

void TGameKeeper::Write()
{
  if (On())
    WriteNow(false);
}

void TGameKeeper::WriteNow(bool sayFailure)
{
  FTimer.stop();
  const TViltronPan& game = *FForm.Game;
  const TGameState state = game.State();
  bool written = true;
  // During a search or a replay the game kept is the one it started from.
  if (!FHoldGame && (Steady(state) || state == gsThink)) {
    const bool search = state == gsThink;
    written = QDir().mkpath(QFileInfo(GameFile()).path()) &&
              game.SaveGame(LocalName(GameFile()), search ? FSteady : state);
  }
  {
    QSettings settings(SettingsFormat, QSettings::UserScope, Owner, Program);
    settings.setValue(KeyOn, true);
    settings.setValue(KeyVersion, Version);
    settings.setValue(KeyShowErrors, FForm.ShowErrors1->isChecked());
    settings.setValue(KeySound, FForm.Sound1->isChecked());
    settings.setValue(KeyWindow, FForm.pos());
    if (Steady(state)) {
      QStringList cells;
      for (const TViltronPan::TCell& cell : game.RedoMoves())
        cells << QStringLiteral("%1,%2").arg(cell.X).arg(cell.Y);
      settings.setValue(KeyRedo, cells.join(u' '));
      settings.setValue(KeyRedoAt, RedoAt(game));
    }
    settings.sync();
    written = written && settings.status() == QSettings::NoError;
  }
  if (!written && sayFailure && !FFailureSaid) {
    FFailureSaid = true;
    MessageDlg(TMainForm::tr("Игру не удаётся запомнить:\r\n%1")
                   .arg(QDir::toNativeSeparators(QFileInfo(GameFile()).path())),
               mtWarning, {mbOK}, &FForm);
  }
}

void TGameKeeper::Toggled(bool on)
{
  if (on) {
    FFailureSaid = false;
    WriteNow(true);
  } else {
    FTimer.stop();
    Forget();
  }
}

void TGameKeeper::Forget()
{
  const QString settingsFile = SettingsFile();
  {
    QSettings settings(SettingsFormat, QSettings::UserScope, Owner, Program);
    settings.clear();
  }
  QFile::remove(settingsFile);
  // A write cut short can leave the record's temporary file beside it.
  const QFileInfo game(GameFile());
  QDir folder = game.dir();
  for (const QString& name :
       folder.entryList({game.fileName() + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
    folder.remove(name);
  // The folders the option made, when nothing else is in them.
  folder.rmdir(folder.path());
  QDir().rmdir(QFileInfo(settingsFile).path());
}
