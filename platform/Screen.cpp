#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
QSize pretended;
}

QSize ScreenSize()
{
  if (!pretended.isEmpty())
    return pretended;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

void PretendScreenSize(const QSize& size)
{
  pretended = size;
}

void CenterOnDesktop(QWidget* window)
{
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen)
    return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}
