#pragma once
// The main window's commands built on the tour prover, under "Подсказка":
// "Можно ли пройти?" tells whether the game can still be finished (and marks
// the cells to blame when it cannot), "Верный ход" makes the next move of a
// proven tour, "Решить наверняка" fills in a whole proven tour. The prover
// runs on a thread of its own; the window stays painted, takes no input but
// Escape, and after a moment shows a small window with the seconds and
// "Отмена".

#include <QObject>
#include <QString>

#include "board/TourProver.h"

class QAction;
class TMainForm;

class TProverCommands : public QObject {
  Q_OBJECT

public:
  // Adds the three items to the form's "Подсказка" menu, after a separator.
  explicit TProverCommands(TMainForm* form);

  QAction* Ask;
  QAction* SureMove;
  QAction* SolveSure;

  // The longest a command proves before it gives up.
  static constexpr int BudgetMs = 5000;
  // How long only the busy cursor shows before the progress window.
  static constexpr int QuietMs = 300;

  // What the box says of the prover's last verdict.
  QString VerdictText() const;

private:
  enum class TCommand { Ask, SureMove, SolveSure };
  void Run(TCommand command);
  // Proves the position on another thread; false when the user cancelled.
  bool Prove(const TBoard& board, int n, uint16_t x, uint16_t y, uint16_t count);
  void ShowVerdict();

  TMainForm* FForm;
  TTourProver FProver;
  bool FBusy = false;
};
