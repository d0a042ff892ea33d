#pragma once
// The game's three lasting windows, made in the order the game starts them:
// the main window, the rules window and the about window. They live until
// the program ends. Make the application object and set its font first.

#include "main/GameKeeper.h"
#include "main/MainForm.h"
#include "windows/AboutBox.h"
#include "windows/RulesForm.h"

class TGameWindows {
public:
  TGameWindows();

  TMainForm MainForm;
  TRulesForm RulesForm;
  TAboutBox AboutBox;
  // Brings back the game kept by "Запоминать игру" and keeps it.
  TGameKeeper Keeper;

  // Shows the main window, where it was if the game was kept.
  void Show();
};
