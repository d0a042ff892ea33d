#pragma once
// The windows' font: "MS Sans Serif", 8 pt (11 pixels), with a stand-in of
// similar metrics where it is missing.

#include <QFont>

void InitFonts();
QFont WindowFont();
