#pragma once
// "Запоминать игру": with the option on, the game outlives the program. The
// options, the window's place and the moves to play again go to QSettings,
// the game itself to a saved-game record of its own (a valid ".sav"). A
// change is written at most WriteDelay later, and everything at the end. With
// the option off nothing is written, and turning it off removes what was.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include "board/Types.h"

class QSettings;
class TMainForm;

class TGameKeeper : public QObject {
public:
  // Brings back what was kept, when the option was on; a kept game that is
  // missing, damaged or of another version is passed over without a word.
  explicit TGameKeeper(TMainForm& form);
  // Writes what is kept, when the option is on.
  ~TGameKeeper() override;

  // Puts the shown window back where it was, if that is on a screen now.
  void PlaceWindow();
  // Writes now, when the option is on.
  void Write();

  static QString GameFile();
  static QString SettingsFile();
  static constexpr int WriteDelay = 1000;  // milliseconds

private:
  bool On() const;
  void Restore();
  void RestoreRedo(const QSettings& settings);
  void GameChanged();
  void Toggled(bool on);
  // Writes; `steady` is the state to store when the board is its own.
  void WriteNow(bool sayFailure);
  // Removes every file the option wrote.
  void Forget();

  TMainForm& FForm;
  QTimer FTimer;
  // The last state outside a search or a replay: the one a search keeps.
  TGameState FSteady = gsNew;
  bool FFailureSaid = false;
  // The kept game did not fit the screen: it stays as it is on the disk.
  bool FHoldGame = false;
  QPoint FPlace{-1, -1};
  bool FHasPlace = false;
};
