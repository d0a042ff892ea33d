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

// Moves a window by the least amount that brings it inside its screen's
// available area, and not at all when it lies inside. A window larger than
// the area keeps its top-left corner on it.
void KeepOnScreen(QWidget* window);
