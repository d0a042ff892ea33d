// Starts the application as the game does and prints the main window's
// title in the language it chose from the environment.

#include <cstdio>

#include "main/MainForm.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
  TApplication application(argc, argv);
  std::fputs(TMainForm::tr("Вилтрон").toUtf8().constData(), stdout);
  return 0;
}
