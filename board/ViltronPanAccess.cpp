// The board component: what screen readers are told about the board.

#include "board/ViltronPan.h"

QString TViltronPan::Description() const
{
  const QString board = tr("Доска %1 × %1").arg(FSize);
  if (FCount == 0)
    return board + tr(", ходов нет");
  // Columns and rows are counted from 1, as people count them.
  return board + tr(", ход %1, конь: столбец %2, строка %3")
                     .arg(FCount)
                     .arg(FPosX + 1)
                     .arg(FPosY + 1);
}

void TViltronPan::Announce()
{
  // During a search the board holds trial walks that are not shown: the
  // player hears the position from before the search until it is shown.
  if (FState == gsThink)
    return;
  const bool knight = FCount != 0;
  const TSpoken now{FSize, FCount, knight ? FPosX : -1, knight ? FPosY : -1};
  if (now == FSpoken)
    return;
  FSpoken = now;
  // Sends QAccessible::DescriptionChanged itself, once per change.
  setAccessibleDescription(Description());
}
