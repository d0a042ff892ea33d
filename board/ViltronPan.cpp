// The board component: construction, properties and state changes.

#include "board/ViltronPan.h"

#include <QCoreApplication>
#include <QEvent>

#include "board/Random.h"

TViltronPan::TViltronPan(QWidget* owner) : QWidget(owner)
{
  // Before anything can ask for the board's accessible object.
  ServeScreenReaders();
  // FState = gsNew, FCount = 0, size 8, cells of 25 pixels and the colours
  // are set by the member initialisers, without events or clearing.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Tab and a mouse press give it the focus; the keys play on it.
  setFocusPolicy(Qt::StrongFocus);
  RegisterCursor(crKnight, LoadCursorResource(QStringLiteral("Cursor_0")));
  SetCursor(crKnight);
  FKnightArt = QImage(QStringLiteral(":/icons/MAINICON"))
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  FDigits.SetFont(font());
  setAccessibleName(tr("Доска"));
  FitToCells();
  Announce();
  Randomize();
}

TViltronPan::~TViltronPan()
{
  ForgetCells();
  if (QAccessible::accessibleInterface(FNewsId))
    QAccessible::deleteAccessibleInterface(FNewsId);
}

void TViltronPan::Fire(const TNotifyEvent& event, QObject* sender)
{
  // A copy, so that a handler may reassign the event it runs from.
  const TNotifyEvent handler = event;
  if (handler)
    handler(sender);
}

void TViltronPan::SetCursor(int number)
{
  FCursor = number;
  setCursor(CursorByNumber(number));
}

void TViltronPan::FitToCells()
{
  const int side = FSize * FSizeOfCell;
  resize(side, side);
  FitPictureToScreen();
}

void TViltronPan::SetState(TGameState state)
{
  // Handlers and the repaint run while FState still holds the old state.
  switch (state) {
    case gsPlay:
      Fire(OnStart, this);
      if (FCount != 0)
        SetCursor(crHandPoint);
      break;
    case gsStop:
      Fire(OnStop, this);
      SetCursor(crNoDrop);
      break;
    case gsNew:
      FMarks.clear();
      ClearBoard();
      ForgetRedo();
      // A new game: the keyboard cursor waits on the top-left cell again.
      FKeyCursorPlaced = false;
      SetCursor(crKnight);
      Paint();
      Say(BoardSaying());
      break;
    case gsShow:
      SetCursor(crNoDrop);
      break;
    case gsThink:
      SetCursor(crHourGlass);
      break;
    case gsCancel:
    case gsBest:
      break;
  }
  FState = state;
  // Whether the knight's jumps are offered depends on the state.
  Announce();
  emit GameChanged();
}

void TViltronPan::SetSize(uint8_t value)
{
  ResizeBoard(value);
  FitToCells();
  ForgetCells();
  QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
  QAccessible::updateAccessibility(&reset);
  SetState(gsNew);
  Paint();
}

void TViltronPan::SetSizeOfCell(uint8_t value)
{
  FSizeOfCell = value;
  FitToCells();
  Paint();
}

void TViltronPan::changeEvent(QEvent* event)
{
  if (event->type() == QEvent::FontChange)
    FDigits.SetFont(font());
  QWidget::changeEvent(event);
}

void TViltronPan::ProcessMessages()
{
  QCoreApplication::processEvents();
}
