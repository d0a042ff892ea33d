#pragma once
// What the player sees of the main window's size: the board's size and place
// in the window, the window's frame and the size selector's text.

#include <QPoint>
#include <QSize>
#include <QString>

#include "main/MainForm.h"
#include "platform/Edit.h"

struct TLook {
  int Size;
  QPoint At;
  QSize Window;
  QString Shown;
};

inline TLook LookAt(const TMainForm& form)
{
  return {form.Game->Size(), form.Game->pos(), form.frameGeometry().size(), form.Edit1->text()};
}
