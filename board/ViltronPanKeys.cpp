// The board component: playing with the keyboard. A cursor cell moves with
// the arrows and Page Down / Page Up; Enter and Space press on it.

#include <QKeyEvent>
#include <algorithm>

#include "board/ViltronPan.h"
#include "platform/Application.h"

QPoint TViltronPan::KeyCursor() const
{
  if (FKeyCursorPlaced)
    return FKeyCursor;
  return FCount != 0 ? QPoint(FPosX, FPosY) : QPoint(0, 0);
}

bool TViltronPan::KeyFrameShown() const
{
  return KeyFrameCell(hasFocus()).x() >= 0;
}

QPoint TViltronPan::KeyFrameCell(bool focused) const
{
  // During a search the board shows bare squares, and no cursor either.
  if (!focused || !FKeysUsed || FState == gsThink)
    return {-1, -1};
  return KeyCursor();
}

void TViltronPan::RedrawKeyFrame(QPoint before)
{
  const QPoint now = KeyFrameCell(hasFocus());
  if (now == before)
    return;
  if (before.x() >= 0)
    DrawCell(static_cast<uint16_t>(before.x()), static_cast<uint16_t>(before.y()));
  if (now.x() >= 0)
    DrawCell(static_cast<uint16_t>(now.x()), static_cast<uint16_t>(now.y()));
}

void TViltronPan::keyPressEvent(QKeyEvent* event)
{
  // Combinations belong to the window (its menu shortcuts and the like).
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  const QPoint from = KeyCursor();
  QPoint to = from;
  bool press = false;
  const int last = FSize - 1;
  switch (event->key()) {
    case Qt::Key_Left: to.rx() = std::max(from.x() - 1, 0); break;
    case Qt::Key_Right: to.rx() = std::min(from.x() + 1, last); break;
    case Qt::Key_Up: to.ry() = std::max(from.y() - 1, 0); break;
    case Qt::Key_Down: to.ry() = std::min(from.y() + 1, last); break;
    case Qt::Key_PageDown: to = NextChoice(from, 1); break;
    case Qt::Key_PageUp: to = NextChoice(from, -1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: press = true; break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
  const QPoint frame = KeyFrameCell(hasFocus());
  FKeyCursor = to;
  FKeyCursorPlaced = true;
  FKeysUsed = true;
  RedrawKeyFrame(frame);
  AnnounceKeyCursor();
  // Exactly what a press on the cell does; a move leaves the cursor on the
  // knight. A host's handler may raise (a missing sound): the error is shown.
  if (press)
    RunGuarded([&] { PressCell(to.x(), to.y()); });
}

void TViltronPan::focusInEvent(QFocusEvent* event)
{
  // Only the cursor's frame changes: no repaint of the whole board, as the
  // base class would ask for.
  if (event->reason() == Qt::MouseFocusReason)
    FKeysUsed = false;
  RedrawKeyFrame({-1, -1});
  // Qt tells readers that the board has the focus after this handler; the
  // cursor's cell is announced after that, so that a reader lands on it,
  // and then what waits to be said.
  FFocusArriving = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FFocusArriving = false;
        FSpokenKeyCursor = {-1, -1};
        AnnounceKeyCursor();
        if (hasFocus())
          SayWaiting();
      },
      Qt::QueuedConnection);
}

void TViltronPan::focusOutEvent(QFocusEvent*)
{
  RedrawKeyFrame(KeyFrameCell(true));
  AnnounceKeyCursor();
}
