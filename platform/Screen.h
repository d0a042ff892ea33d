#pragma once
// The screen's size in pixels, as the window-fitting code sees it.

#include <QSize>

class QWidget;

QSize ScreenSize();

// Makes ScreenSize() answer a given size (an empty size: the real screen
// again), so that window fitting can be checked on any screen.
void PretendScreenSize(const QSize& size);

// Moves a window so that it stands in the middle of the desktop.
void CenterOnDesktop(QWidget* window);
