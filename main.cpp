// Starts the game: the application, the windows, the event loop.

#include "main/GameWindows.h"
#include "platform/Application.h"
#include "platform/Fonts.h"

int main(int argc, char** argv)
{
  TApplication application(argc, argv);
  QApplication::setFont(WindowFont());
  TGameWindows windows;
  windows.Show();
  return application.exec();
}
