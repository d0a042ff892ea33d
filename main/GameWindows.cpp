#include "main/GameWindows.h"

TGameWindows::TGameWindows() : RulesForm(&MainForm, &MainForm), Keeper(MainForm)
{
  MainForm.RulesForm = &RulesForm;
  MainForm.AboutBox = &AboutBox;
}

void TGameWindows::Show()
{
  MainForm.show();
  Keeper.PlaceWindow();
}
