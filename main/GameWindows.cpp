#include "main/GameWindows.h"

TGameWindows::TGameWindows() : RulesForm(&MainForm, &MainForm)
{
  MainForm.RulesForm = &RulesForm;
  MainForm.AboutBox = &AboutBox;
}
