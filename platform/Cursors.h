#pragma once
// The application-wide cursor table: pointer shapes registered under numbers.

#include <QCursor>
#include <QString>

// Numbers of the shapes the board shows.
constexpr int crDefault = 0;
constexpr int crKnight = 5;        // the knight picture, from the resources
constexpr int crHourGlass = -11;
constexpr int crNoDrop = -13;
constexpr int crHandPoint = -21;

// The shape registered under a number; the arrow for an unknown number.
QCursor CursorByNumber(int number);

// Enters a shape under a number, replacing what stood there.
void RegisterCursor(int number, const QCursor& cursor);

// Loads a cursor picture of the resources ("Cursor_0") with its hot spot at
// the top-left pixel.
QCursor LoadCursorResource(const QString& name);
