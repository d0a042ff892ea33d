#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

QSize pretended;

const QScreen* ScreenOf(const QWidget* window)
{
  return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// The least shift that brings [from, from + length) into [low, high], the
// low end first when the length does not fit.
int Shifted(int from, int length, int low, int high)
{
  return std::max(low, std::min(from, high - length + 1));
}

}  // namespace

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
  const QScreen* screen = ScreenOf(window);
  if (!screen)
    return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void KeepOnScreen(QWidget* window)
{
  const QScreen* screen = ScreenOf(window);
  if (!screen)
    return;
  const QRect area = screen->availableGeometry();
  const QRect frame = window->frameGeometry();
  const QPoint at(Shifted(frame.x(), frame.width(), area.left(), area.right()),
                  Shifted(frame.y(), frame.height(), area.top(), area.bottom()));
  if (at != frame.topLeft())
    window->move(at);
}
