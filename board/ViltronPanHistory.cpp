// The board component: moves taken back and played again.

#include "board/ViltronPan.h"
#include "platform/Application.h"

bool TViltronPan::TakeBack()
{
  if (!CanTakeBack())
    return false;
  const QPoint frame = KeyFrameCell(hasFocus());
  const uint16_t oldX = FPosX;
  const uint16_t oldY = FPosY;
  TakeBackMove();
  // The keyboard cursor goes back with the knight.
  FKeyCursorPlaced = false;
  if (FCount == 0) {
    // An empty board is a new game's; its move can still be played again.
    std::vector<TCell> redo = FRedo;
    if (FState == gsPlay)
      SetState(gsStop);
    SetState(gsNew);
    FRedo = std::move(redo);
  } else {
    DrawCell(oldX, oldY);
    DrawCell(FPosX, FPosY);
    // A game over is open again.
    if (FState == gsStop)
      SetState(gsPlay);
  }
  RedrawKeyFrame(frame);
  Announce();
  Say(TakeBackSaying(oldX, oldY));
  emit GameChanged();
  return true;
}

bool TViltronPan::Redo()
{
  if (!CanRedo())
    return false;
  const TCell next = FRedo.back();
  const QPoint frame = KeyFrameCell(hasFocus());
  FKeyCursorPlaced = false;
  RedrawKeyFrame(frame);
  // A host's handler may raise (a missing sound): the error is shown.
  RunGuarded([&] { PressCell(next.X, next.Y); });
  return true;
}
