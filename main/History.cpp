// The main window: "Вернуть ход" and "Повторить ход".

#include <QAction>

#include "main/MainForm.h"

void TMainForm::ConnectHistory()
{
  connect(TakeBack1, &QAction::triggered, this, [this] { TakeBack1Click(TakeBack1); });
  connect(Redo1, &QAction::triggered, this, [this] { Redo1Click(Redo1); });
  connect(Game, &TViltronPan::GameChanged, this, &TMainForm::UpdateHistoryItems);
  UpdateHistoryItems();
}

void TMainForm::UpdateHistoryItems()
{
  TakeBack1->setEnabled(Game->CanTakeBack());
  Redo1->setEnabled(Game->CanRedo());
}

void TMainForm::TakeBack1Click(QObject*)
{
  if (Game->TakeBack())
    ShowCounts();
}

void TMainForm::Redo1Click(QObject*)
{
  // Played as a press on the cell: the move's sound, status and end.
  Game->Redo();
}
