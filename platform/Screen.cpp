#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

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
