#pragma once
// The screen's size in pixels, as the window-fitting code sees it.

#include <QSize>

QSize ScreenSize();

// Makes ScreenSize() answer a given size (an empty size: the real screen
// again), so that window fitting can be checked on any screen.
void PretendScreenSize(const QSize& size);
