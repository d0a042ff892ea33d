#pragma once
// The game's three lasting windows, made in the order the game starts them:
// the main window, the rules window and the about window. They live until
// the program ends. Make the application object and set its font first.

#include "main/MainForm.h"
#include "windows/AboutBox.h"
#include "windows/RulesForm.h"

class TGameWindows {
public:
  TGameWindows();

  TMainForm MainForm;
  TRulesForm RulesForm;
  TAboutBox AboutBox;
};
