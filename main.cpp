// Starts the game: the application, the main window, the event loop.

#include "main/MainForm.h"
#include "platform/Application.h"
#include "platform/Fonts.h"
#include "windows/AboutBox.h"
#include "windows/RulesForm.h"

int main(int argc, char** argv)
{
  TApplication application(argc, argv);
  QApplication::setFont(WindowFont());
  TMainForm mainForm;
  TRulesForm rulesForm(&mainForm, &mainForm);
  mainForm.RulesForm = &rulesForm;
  TAboutBox aboutBox;
  mainForm.AboutBox = &aboutBox;
  mainForm.show();
  return application.exec();
}
