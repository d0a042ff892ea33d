// The board component: the player's presses become knight moves.

#include <QMouseEvent>

#include "board/KnightMoves.h"
#include "board/ViltronPan.h"
#include "platform/Application.h"

void TViltronPan::mousePressEvent(QMouseEvent* event)
{
  QWidget::mousePressEvent(event);
  event->accept();
  // A mouse player sees no keyboard cursor.
  const QPoint frame = KeyFrameCell(hasFocus());
  FKeysUsed = false;
  RedrawKeyFrame(frame);
  const QPoint at = event->position().toPoint();
  // A host's handler may raise (a missing sound): the rest of the press is
  // skipped and the error shown.
  RunGuarded([&] { MouseDown(event->button(), event->modifiers(), at.x(), at.y()); });
}

void TViltronPan::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
  // The knight cursor's picture hangs below and right of its hot spot, so it
  // points at the cell under the middle of the figure. Division truncates
  // toward zero, also for positions left of or above the board.
  const int w = FSizeOfCell;
  int x;
  int y;
  if (FCursor == crKnight) {
    x = (X + w / 2) / w;
    y = (Y + w / 2) / w;
  } else {
    x = X / w;
    y = Y / w;
  }
  PressCell(x, y);
}

void TViltronPan::PressCell(int x, int y)
{
  if (FState != gsNew && FState != gsPlay)
    return;

  if (IsWrongMove(x, y)) {
    if (OnBoard(x, y, FSize))
      Fire(OnError, this);
    return;
  }

  if (FCount == 0) {
    SetState(gsPlay);
    if (FCount == 0 && FCursor == crKnight)
      SetCursor(crHandPoint);
  }

  const int oldX = FPosX;
  const int oldY = FPosY;
  ClearMarks();
  NoteMove(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
  PutKnight(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
  DrawCell(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
  // At a game's first move the old cell is a leftover of an earlier game,
  // possibly off a board made smaller since.
  if (OnBoard(oldX, oldY, FSize))
    DrawCell(static_cast<uint16_t>(oldX), static_cast<uint16_t>(oldY));
  Fire(OnMove, this);
  Say(MoveSaying());
  EndIfStuck();
  emit GameChanged();
}

void TViltronPan::EndIfStuck()
{
  if (!IsDeadEnd(FPosX, FPosY))
    return;
  if (FCount == FSize * FSize)
    Fire(OnWin, this);
  else
    Fire(OnLose, this);
  SetState(gsStop);
}

bool TViltronPan::CanJumpTo(int x, int y) const
{
  return FState == gsPlay && FCount != 0 && !IsWrongMove(x, y);
}

QPoint TViltronPan::NextChoice(QPoint from, int step) const
{
  QPoint choices[8];
  int n = 0;
  int at = -1;
  for (const TKnightMove& m : KnightMoves) {
    const QPoint cell(FPosX + m.dx, FPosY + m.dy);
    if (!CanJumpTo(cell.x(), cell.y()))
      continue;
    if (cell == from)
      at = n;
    choices[n++] = cell;
  }
  if (n == 0)
    return from;
  // From a cell that is no choice, forward starts at the first, back at the last.
  if (at < 0)
    return choices[step > 0 ? 0 : n - 1];
  return choices[(at + step + n) % n];
}
