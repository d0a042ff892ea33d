#pragma once
// The main window: the board, the start / give-up button, the size selector,
// the status bar with the move counts, the menu, sounds and options.

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "board/ViltronPan.h"
#include "platform/UpDown.h"

class QAction;
class QActionGroup;
class QFileDialog;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class TEdit;
class TSoundBank;
class TStatusBar;
class TWaitForm;
class TRulesForm;
class TAboutBox;
class TProverCommands;

class TMainForm : public QMainWindow {
  Q_OBJECT

public:
  // soundFolder: where the four clips are looked up by name.
  explicit TMainForm(const QString& soundFolder = QStringLiteral(":/sounds"),
                     QWidget* parent = nullptr);

  // Menu.
  QMenuBar* MainMenu1;
  QMenu* Game1;
  QAction* NewGame1;
  QAction* N1;
  QAction* TakeBack1;
  QAction* Redo1;
  QAction* N2;
  QAction* N7;
  QAction* N8;
  QAction* N6;
  QAction* N3;
  QMenu* N4;
  QAction* ShowErrors1;
  QAction* Sound1;
  QAction* Remember1;
  QMenu* Solve1;
  QMenu* All1;
  QAction* Now1;
  QAction* StepbyStep1;
  QAction* OneStep1;
  QMenu* N5;
  QAction* Rules2;
  QAction* Rules1;
  QAction* About1;

  // Controls.
  QWidget* Client;  // the client area below the menu bar
  QFrame* Panel2;
  QPushButton* Button1;
  QLabel* Label1;
  TEdit* Edit1;
  TUpDown* UpDown1;
  TViltronPan* Game;
  TStatusBar* StatusBar1;
  QTimer* Timer;  // the step timer of a replay
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;

  // Handlers.
  void N3Click(QObject* sender);
  void ButtonClick(QObject* sender);
  void StopGameClick(QObject* sender);
  void NewGameClick(QObject* sender);
  void Error(QObject* sender);
  void Lose(QObject* sender);
  void Win(QObject* sender);
  void OnKnightMove(QObject* sender);
  void StartGame(QObject* sender);
  void StopGame(QObject* sender);
  // The size selector's changing notification: settles the board's size and
  // fits the window to it, or refuses the change.
  void ChangingEx(QObject* sender, bool& allowChange, int16_t newValue,
                  TUpDownDirection direction);

  // The solve commands: each opens the progress window, which runs the chosen
  // board command; "По шагам" then replays the tour on the step timer.
  void ShowThinkWindow(QObject* sender);
  void StepbyStep1Click(QObject* sender);
  void StepOnTimer(QObject* sender);
  void StopThinking(QObject* sender);
  // While a search runs, nothing may save, load, start a game, give up or
  // change the size: the progress window takes the keyboard, and the lock
  // keeps out what reaches the main window past it, such as a screen
  // reader's commands.
  void LockGameCommands(bool locked);

  // "Вернуть ход" and "Повторить ход" (History.cpp), and their items' enabled
  // state, which follows the board.
  void TakeBack1Click(QObject* sender);
  void Redo1Click(QObject* sender);
  void UpdateHistoryItems();

  // Saving and loading games: "Сохранить", "Загрузить", and the board's
  // requests to take a loaded game's size or to refuse a file.
  void N7Click(QObject* sender);
  void N8Click(QObject* sender);
  void ResizeGame(QObject* sender);
  void WrongFileType(QObject* sender);

  // "Правила": shows the rules window modally.
  void Rules2Click(QObject* sender);
  // The rules window, created once at start-up.
  TRulesForm* RulesForm = nullptr;
  // "О...": hides this window while the about window is shown modally.
  void About1Click(QObject* sender);
  TAboutBox* AboutBox = nullptr;

  // "Можно ли пройти?", "Верный ход", "Решить наверняка".
  TProverCommands* Prover = nullptr;

  // The name of the menu item whose command the progress window runs.
  QString ThinkCommand;
  // The progress window, while one is open.
  QPointer<TWaitForm> WaitForm;

  // Plays one of the program's sounds; raises EResNotFound for an unknown name.
  void PlaySoundRes(const QString& name);
  TSoundBank* Sounds() const { return FSounds; }

  // Whether the window, delta pixels wider and taller, would fit the screen.
  bool WindowFits(int delta) const;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void CreateMenu();
  void ConnectHistory();
  void CreateControls();
  void ShowCounts();
  void SetClientSize(int width, int height);
  void CreateFileDialogs();
  // The transitions the handlers share. ShowGameRunning: "Сдаться" usable
  // and the size selector not while a game runs, and the other way round.
  void ShowGameRunning(bool running);
  // The captions of the button and of the menu item "Сдаться".
  void SetGiveUpCaptions(const QString& caption, const QString& item);
  void PlaySoundIfOn(const QString& name);
  // A new game, cleared and running.
  void PlayNewGame();
  // The replay stops and the player goes on from the move it has reached.
  void LeaveReplay();
  QActionGroup* GameCommands = nullptr;
  // Sets the board's size and centres it in the window, which keeps its size.
  void CenterBoard(int16_t n);
  // Makes the window wider and taller by delta pixels each; a window that
  // grows past the screen's available area is moved back inside.
  void GrowWindow(int delta);

  bool Resizing = false;  // a loaded game is setting the size

  TSoundBank* FSounds;
  bool FCentred = false;
};
