// Starts the game: the application, the main window, the event loop.

#include "main/MainForm.h"
#include "platform/Application.h"
#include "platform/Fonts.h"

int main(int argc, char** argv)
{
  TApplication application(argc, argv);
  QApplication::setFont(WindowFont());
  TMainForm mainForm;
  mainForm.show();
  return application.exec();
}
